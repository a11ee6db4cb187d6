// The host's array: indices handed back, removal, storage kept or given back, and elements that
// refer into the array while it grows.

#include <API/ARK/Ark.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "game/Allocator.h"
#include "support/GameFixture.h"

namespace {

using testing_support::GameFixture;

class HostArrayTest : public GameFixture {};

std::vector<int32> Listed(const TArray<int32>& array) {
  std::vector<int32> listed;
  for (const int32 value : array) listed.push_back(value);
  return listed;
}

TEST_F(HostArrayTest, AddingHandsBackTheNewIndex) {
  TArray<int32> array;
  for (int32 i = 0; i < 10; ++i) EXPECT_EQ(array.Add(i * 10), i);
  EXPECT_EQ(array.Emplace(7), 10);
  EXPECT_EQ(array.AddUninitialized(3), 11);
  EXPECT_EQ(array.AddZeroed(2), 14);
  EXPECT_EQ(array.Num(), 16);
  EXPECT_EQ(array[14], 0);
  EXPECT_EQ(array[15], 0);
}

TEST_F(HostArrayTest, RemovalKeepsTheOrderOfWhatStays) {
  const struct {
    const char* what;
    std::function<void(TArray<int32>&)> remove;
    std::vector<int32> left;
  } cases[] = {
      {"one", [](TArray<int32>& a) { a.RemoveAt(1); }, {0, 2, 3, 4}},
      {"a run", [](TArray<int32>& a) { a.RemoveAt(1, 3); }, {0, 4}},
      {"the last", [](TArray<int32>& a) { a.RemoveAt(4, 1, false); }, {0, 1, 2, 3}},
      {"none", [](TArray<int32>& a) { a.RemoveAt(5, 0); }, {0, 1, 2, 3, 4}},
      {"popped", [](TArray<int32>& a) { EXPECT_EQ(a.Pop(), 4); }, {0, 1, 2, 3}},
  };
  for (const auto& c : cases) {
    TArray<int32> array{0, 1, 2, 3, 4};
    c.remove(array);
    EXPECT_EQ(Listed(array), c.left) << c.what;
  }
}

TEST_F(HostArrayTest, RemovalOutsideTheElementsIsRefused) {
  TArray<int32> array{0, 1, 2};
  EXPECT_THROW(array.RemoveAt(3), std::out_of_range);
  EXPECT_THROW(array.RemoveAt(-1), std::out_of_range);
  EXPECT_THROW(array.RemoveAt(2, 2), std::out_of_range);
  EXPECT_THROW(array.RemoveAt(0, -1), std::out_of_range);
  TArray<int32> empty;
  EXPECT_THROW(empty.Pop(), std::out_of_range);
  EXPECT_EQ(Listed(array), (std::vector<int32>{0, 1, 2}));
}

TEST_F(HostArrayTest, ResetKeepsStorageAndEmptyGivesItBack) {
  const auto before = game::LiveBlocks();
  TArray<FString> array;
  for (int i = 0; i < 20; ++i) array.Add(FString(std::to_string(i)));
  const int32 room = array.Max();

  array.Reset();
  EXPECT_EQ(array.Num(), 0);
  EXPECT_EQ(array.Max(), room);
  EXPECT_EQ(game::LiveBlocks(), before + 1) << "the texts went, the array's storage stayed";

  array.Reset(room + 5);
  EXPECT_EQ(array.Max(), room + 5);
  array.Empty(3);
  EXPECT_EQ(array.Max(), 3);
  array.Empty();
  EXPECT_EQ(array.Max(), 0);
  EXPECT_EQ(array.GetData(), nullptr);
  EXPECT_EQ(game::LiveBlocks(), before);
}

// An element added from the array itself stays whole while the storage moves under it.
TEST_F(HostArrayTest, AddingItsOwnElementsSurvivesGrowth) {
  TArray<FString> texts;
  texts.Add(FString("first"));
  for (int i = 0; i < 40; ++i) texts.Add(texts[0]);  // grows at 4, 8, 16 and 32
  for (const FString& text : texts) EXPECT_EQ(text.ToString(), "first");

  TArray<int32> numbers{1, 2, 3};
  for (int i = 0; i < 5; ++i) numbers.Append(numbers.GetData(), numbers.Num());
  EXPECT_EQ(numbers.Num(), 96);
  EXPECT_EQ(numbers[95], 3);
  numbers.Append(numbers);
  EXPECT_EQ(numbers.Num(), 192);
}

TEST_F(HostArrayTest, CopiesAndMovesOwnTheirStorage) {
  const auto before = game::LiveBlocks();
  {
    TArray<int32> original{1, 2, 3};
    TArray<int32> copy(original);
    TArray<int32> withRoom(original, 10);
    EXPECT_GE(withRoom.Max(), 13);
    copy[0] = 9;
    EXPECT_EQ(original[0], 1);
    TArray<int32> moved(std::move(copy));
    EXPECT_EQ(Listed(moved), (std::vector<int32>{9, 2, 3}));
    moved = original;
    EXPECT_EQ(Listed(moved), (std::vector<int32>{1, 2, 3}));
    moved = {4, 5};
    EXPECT_EQ(Listed(moved), (std::vector<int32>{4, 5}));
    TArray<int32> source{6};
    moved.Append(std::move(source));
    EXPECT_EQ(Listed(moved), (std::vector<int32>{4, 5, 6}));
    EXPECT_EQ(source.Num(), 0);
  }
  EXPECT_EQ(game::LiveBlocks(), before);
}

}  // namespace
