#include "hvx/data_unit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <unordered_set>

#include "support/printed.h"

namespace hvx {
namespace {

using vq_testing::printed;

TEST(DataUnitTest, ConstructorsAndCatenateHoldTheBytesGiven) {
  EXPECT_EQ(DataUnit("a\0b", 3).str(), std::string("a\0b", 3));
  EXPECT_EQ(DataUnit(std::string_view("a\0b", 3)).size(), 3u);
  EXPECT_TRUE(DataUnit(static_cast<const char*>(nullptr)).empty());
  EXPECT_TRUE(DataUnit(nullptr, 0).empty());
  const DataUnit whole("0123456789");
  EXPECT_STREQ(DataUnit::catenate(whole.slice(0, 2), whole.slice(8)).chp(), "0189");
  EXPECT_EQ(DataUnit::catenate(DataUnit(), DataUnit("cd")).str(), "cd");
  EXPECT_EQ(DataUnit::catenate(DataUnit("ab"), DataUnit()).str(), "ab");
}

TEST(DataUnitTest, ChpIsTerminatedTextEvenForSlicesInsideTheChunk) {
  EXPECT_STREQ(DataUnit().chp(), "");
  const DataUnit whole("hello world");
  EXPECT_STREQ(whole.chp(), "hello world");
  const DataUnit middle = whole.slice(2, 3);
  EXPECT_STREQ(middle.chp(), "llo");
  EXPECT_EQ(std::strlen(middle.chp()), 3u);
  // The chunk itself is untouched, and the tail slice needs no copy.
  EXPECT_STREQ(whole.chp(), "hello world");
  const DataUnit tail = whole.slice(6);
  EXPECT_EQ(tail.chp(), tail.data());
  EXPECT_STREQ(tail.chp(), "world");
}

TEST(DataUnitTest, CopiesAndSlicesShareTheChunk) {
  const DataUnit unit("shared bytes");
  const DataUnit copy = unit;
  const DataUnit part = unit.slice(7, 5);
  EXPECT_TRUE(copy.shares_chunk_with(unit));
  EXPECT_TRUE(part.shares_chunk_with(unit));
  EXPECT_EQ(part.data(), unit.data() + 7);
  EXPECT_FALSE(DataUnit("shared bytes").shares_chunk_with(unit));
}

TEST(DataUnitTest, SliceClampsOffsetAndLength) {
  const DataUnit unit("abcdef");
  const std::tuple<std::size_t, std::size_t, const char*> cases[] = {
      {0, 6, "abcdef"}, {0, 100, "abcdef"}, {4, 100, "ef"}, {6, 1, ""},
      {100, 1, ""},     {2, 0, ""},         {1, 2, "bc"},   {3, DataUnit::npos, "def"},
  };
  for (const auto& [offset, length, expected] : cases) {
    EXPECT_EQ(unit.slice(offset, length).str(), expected)
        << "offset " << offset << " length " << length;
  }
  EXPECT_EQ(unit.slice(1, 4).slice(1, 10).str(), "cde");
}

TEST(DataUnitTest, ComparesBytesUnsigned) {
  EXPECT_EQ(DataUnit("abc"), DataUnit("xabcx").slice(1, 3));
  EXPECT_NE(DataUnit("abc"), DataUnit("abd"));
  EXPECT_LT(DataUnit("ab"), DataUnit("abc"));
  EXPECT_LT(DataUnit("\x7f"), DataUnit("\x80"));
  EXPECT_FALSE(DataUnit("b") < DataUnit("a"));
  EXPECT_FALSE(DataUnit("a") < DataUnit("a"));
  std::unordered_set<DataUnit> set = {DataUnit("a"), DataUnit("xa").slice(1)};
  EXPECT_EQ(set.size(), 1u);
}

TEST(DataUnitTest, PrintsTextOrHex) {
  EXPECT_EQ(printed(DataUnit("plain text")), "plain text");
  EXPECT_EQ(printed(DataUnit()), "");
  EXPECT_EQ(printed(DataUnit("a\nb")), "0x610a62");
  EXPECT_EQ(printed(DataUnit("\xff\x00", 2)), "0xff00");
}

TEST(DUArrayTest, HoldsNUnits) {
  DUArray array(3);
  EXPECT_EQ(array.size(), 3u);
  EXPECT_TRUE(array[2].empty());
  array[0] = DataUnit("topoNodeName");
  array[1] = "topoNodeType";
  EXPECT_EQ(array[1].str(), "topoNodeType");
  EXPECT_EQ(printed(array), "{ topoNodeName topoNodeType  }");
  EXPECT_EQ(array, DUArray({"topoNodeName", "topoNodeType", ""}));
}

}  // namespace
}  // namespace hvx
