#include "dedavuz_api/list.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

#include "support/printed.h"

namespace {

TEST(VQListTest, KeepsOrderAndDuplicates) {
  VQList<std::string> list;
  list.append("b");
  list.append("a");
  list.append("b");
  EXPECT_EQ(list.entries(), 3u);
  EXPECT_EQ(list[0], "b");
  EXPECT_EQ(list[2], "b");
  EXPECT_TRUE(list.contains("a"));
  EXPECT_EQ(list.index("a"), 1u);
  EXPECT_EQ(list.index("z"), 3u);
}

TEST(VQListTest, EqualityIgnoresOrderButCountsEntries) {
  const VQList<int> a{1, 2, 3};
  EXPECT_EQ(a, (VQList<int>{3, 1, 2}));
  EXPECT_NE(a, (VQList<int>{1, 2}));
  EXPECT_NE(a, (VQList<int>{1, 2, 4}));
  // Membership, not multiplicity: each entry of the first occurs in the second.
  EXPECT_EQ((VQList<int>{1, 1, 2}), (VQList<int>{1, 2, 2}));
  EXPECT_EQ(VQList<int>(), VQList<int>());
}

TEST(VQListTest, RemoveFirstOrAll) {
  VQList<int> list{1, 2, 1, 3, 1};
  EXPECT_TRUE(list.remove(1));
  EXPECT_EQ(list[0], 2);
  EXPECT_EQ(list.remove_all(1), 2u);
  EXPECT_EQ(list.entries(), 2u);
  EXPECT_FALSE(list.remove(9));
  EXPECT_EQ(list.remove_if([](int v) { return v > 2; }), 1u);
  EXPECT_EQ(list.entries(), 1u);
}

TEST(VQListTest, PrintsWithLabelAndBreaksBeforeEveryTenth) {
  const std::tuple<int, const char*> cases[] = {
      {0, "L: { }\n"},
      {9, "L: { 0 1 2 3 4 5 6 7 8 }\n"},
      {10, "L: { 0 1 2 3 4 5 6 7 8 \n9 }\n"},
      {21, "L: { 0 1 2 3 4 5 6 7 8 \n9 10 11 12 13 14 15 16 17 18 \n19 20 }\n"},
  };
  for (const auto& [count, text] : cases) {
    VQList<int> list;
    for (int i = 0; i < count; ++i) list.append(i);
    std::ostringstream out;
    list.print(out, "L: ");
    EXPECT_EQ(out.str(), text) << count;
  }
  EXPECT_EQ(vq_testing::printed(VQList<std::string>{"x"}), "{ x }\n");
}

}  // namespace
