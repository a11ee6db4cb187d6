// Number settings read as 32-bit integers.

#include <gtest/gtest.h>

#include <json.hpp>
#include <limits>

#include "core/Config.h"

namespace {

using packsentinel::ReadInt32;

TEST(ConfigNumbersTest, ReadAsThirtyTwoBitIntegersHeldInRange) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const struct {
    const char* json;
    std::int32_t value;
  } cases[] = {
      {"7", 7},
      {"-4", -4},
      {"2.9", 2},
      {"-2.9", -2},
      {"true", 1},
      {"false", 0},
      {"2147483647", kMax},
      {"2147483648", kMax},
      {"4294967296", kMax},
      {"1e10", kMax},
      {"-1e10", kMin},
      {"-4294967296", kMin},
      {"1e300", kMax},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadInt32(nlohmann::json::parse(c.json)), c.value) << c.json;
}

TEST(ConfigNumbersTest, OtherTypesRaiseTheTypeError) {
  for (const char* json : {"null", "\"7\"", "[7]", "{}"}) {
    try {
      ReadInt32(nlohmann::json::parse(json));
      ADD_FAILURE() << json << " was read";
    } catch (const nlohmann::json::type_error& error) {
      EXPECT_NE(std::string(error.what()).find("type must be number, but is"), std::string::npos)
          << error.what();
    }
  }
}

}  // namespace
