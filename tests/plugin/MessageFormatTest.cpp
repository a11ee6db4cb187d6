// The message check against the replies' own formatting: a template it accepts never fails to
// format at use, and every template that fails at use is refused.

#include <API/ARK/Ark.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "config/MessageFormat.h"
#include "host/Format.h"
#include "support/GameFixture.h"

namespace {

using namespace packsentinel;
using schema::ArgumentKind;

// Formats with the framework's own formatter, as a reply does, with arguments of the kinds each
// key is sent with.
bool FormatsAtUse(const std::u16string& format, std::span<const schema::MessageArgument> kinds) {
  const std::u16string_view name = u"A creature name a player typed";
  const std::u16string_view level = u"150";
  const std::int32_t limit = 2147483647;
  try {
    if (kinds.empty()) {
      FString::Format(format.c_str());
    } else if (kinds.size() == 1) {
      FString::Format(format.c_str(), name);
    } else if (kinds.size() == 2) {
      FString::Format(format.c_str(), name, limit);
    } else {
      FString::Format(format.c_str(), name, level, limit);
    }
  } catch (const std::runtime_error&) {
    return false;
  }
  return true;
}

std::u16string Wide(const std::string& utf8) {
  std::u16string wide;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      wide += static_cast<char16_t>(byte);
    } else {  // the two-byte letters of the fragments below
      wide += static_cast<char16_t>(((byte & 0x1F) << 6) | (utf8[++i] & 0x3F));
    }
  }
  return wide;
}

class MessageFormatTest : public testing_support::GameFixture {};

TEST_F(MessageFormatTest, AcceptedTemplatesFormatAtUseAndFailingOnesAreRefused) {
  // The argument lists the messages are sent with: none, one text, text and number, two texts
  // and a number.
  const std::span<const schema::MessageArgument> argumentLists[] = {
      {}, schema::kName, schema::kNameLimit, schema::kNameLevelLimit};
  EXPECT_EQ(schema::kNameLimit[1].kind, ArgumentKind::Number);
  const char* fragments[] = {"{}",     "{0}",   "{1}",    "{2}",   "{3}",    "{:>5}", "{:d}",
                             "{:s}",   "{:.2}", "{",      "}",     "{{",     "}}",    "text ",
                             "é",      "{:<}",  "{:#x}",  "{0:d}", "{1:d}",  "{2:d}", "{:c}",
                             "{:é^7}", "{:+}",  "{:08}",  "{:L}",  "{:?}",   "{x}",   "{:>{}}",
                             "{2:.1}", "{:e}",  "{1:>3}", "{!}",   "{0:_<9}"};
  std::mt19937 random(20261207);
  int accepted = 0, refused = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int count = static_cast<int>(random() % 5);
    for (int k = 0; k < count; ++k) text += fragments[random() % std::size(fragments)];
    const auto arguments = argumentLists[random() % std::size(argumentLists)];
    const auto why = CheckMessageFormat(text, arguments);
    // A width taken from an argument would take the player's limit at use, up to two billion
    // characters: such templates are refused unformatted, and not formatted here either.
    if (text.find(":>{}") != std::string::npos) {
      EXPECT_TRUE(why.has_value()) << text;
      continue;
    }
    const bool accepts = !why.has_value();
    const bool formats = FormatsAtUse(Wide(text), arguments);
    if (accepts) {
      EXPECT_TRUE(formats) << text << " with " << arguments.size() << " arguments";
      ++accepted;
    }
    if (!formats) {
      EXPECT_FALSE(accepts) << text << " with " << arguments.size() << " arguments";
      ++refused;
    }
  }
  // Both sides of the rule were exercised.
  EXPECT_GT(accepted, 2000);
  EXPECT_GT(refused, 2000);
}

// Widths are bounded before anything is formatted: a check that formatted first would try to
// write two billion characters here.
TEST_F(MessageFormatTest, HugeWidthsAreRefusedWithoutFormatting) {
  for (const char* text : {"{:>2000000000}", "{:.2000000000}", "{0:x>99999999999999999999}"}) {
    const auto why = CheckMessageFormat(text, schema::kName);
    ASSERT_TRUE(why.has_value()) << text;
    EXPECT_NE(why->find("width or precision of"), std::string::npos) << *why;
  }
  EXPECT_FALSE(CheckMessageFormat("{:>4000}", schema::kName).has_value());
  EXPECT_TRUE(CheckMessageFormat("{:>4001}", schema::kName).has_value());
  // Digits outside a field's format are text or an argument's index, not a width.
  EXPECT_FALSE(CheckMessageFormat("99999 {0}", schema::kName).has_value());
}

// Only the formatter's refusal of a template is the template's fault: a failed allocation passes
// on as itself, not as a message that cannot be formatted.
TEST_F(MessageFormatTest, AFailedAllocationIsNoFaultOfTheTemplate) {
  ASSERT_TRUE(game::Game::Fault("FMemory.Malloc", 1));
  try {
    const auto why = CheckMessageFormat("{0}", schema::kName);
    ADD_FAILURE() << "checked: " << why.value_or("no problem");
  } catch (const host::FormatError& error) {
    ADD_FAILURE() << "taken for a formatting error: " << error.what();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "fault: FMemory.Malloc");
  }
  game::Game::ClearFaults();
}

// Field formats that both the game server's formatter and ours take and show alike are accepted,
// whatever the kind of their argument; the table of refusals is in ConfigCheckTest.
TEST_F(MessageFormatTest, FieldFormatsBothFormattersShowAlikeAreAccepted) {
  const char* shared[] = {"{0:*^9.3s}", "{0:>12}",  "{0:.0}",   "{0:s}",   "{0:é<5}",
                          "{1:+08x}",   "{1:#X}",   "{1:<+8d}", "{1:^#b}", "{1: 09}",
                          "{1:0>7o}",   "{1:#B}",   "{1:-d}",   "{1:_<}",  "{1}{0:}"};
  for (const char* text : shared) {
    EXPECT_EQ(CheckMessageFormat(text, schema::kNameLimit), std::nullopt) << text;
  }
}

}  // namespace
