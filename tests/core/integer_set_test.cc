#include "dedavuz_api/integer_set.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "support/helpers.h"

namespace {

std::vector<long> members(const VQIntegerSet& set) {
  std::vector<long> out;
  VQIntegerSetIterator it(set);
  while (it.next()) out.push_back(it.member());
  return out;
}

using vq_testing::set_of;

TEST(VQIntegerSetTest, ConstructionMembershipEqualityAndAssignment) {
  EXPECT_EQ(VQIntegerSet().max_members(), 0);
  EXPECT_EQ(VQIntegerSet().num_members(), 0);
  EXPECT_EQ(VQIntegerSet(36).num_members(), 0);
  EXPECT_EQ(VQIntegerSet(130, true).num_members(), 130);
  EXPECT_EQ(VQIntegerSet(-4, true).max_members(), 0);
  // Huge capacities are bounded instead of overflowing or throwing.
  for (long huge : {LONG_MAX, LONG_MAX - 1, (1L << 40) + 3}) {
    VQIntegerSet set(huge, true);
    EXPECT_EQ(set.max_members(), 1L << 24);
    EXPECT_EQ(set.num_members(), 1L << 24);
    set.resize(huge);
    EXPECT_EQ(set.next_member((1L << 24) - 1), (1L << 24) - 1);
  }

  VQIntegerSet set = set_of(36, {0, 3, 35});
  EXPECT_TRUE(set.is_member(3));
  EXPECT_TRUE(set[35]);
  EXPECT_FALSE(set[4]);
  set.remove(3);
  EXPECT_EQ(members(set), (std::vector<long>{0, 35}));
  EXPECT_EQ(vq_testing::printed(set), "{0 35}/36");

  // Equality needs the same capacity; assigning a truth value fills or empties.
  EXPECT_FALSE(VQIntegerSet(36) == VQIntegerSet(29));
  EXPECT_EQ(set_of(36, {1, 2}), set_of(36, {2, 1}));
  EXPECT_NE(set_of(36, {1, 2}), set_of(36, {1}));
  VQIntegerSet filled(70);
  filled = true;
  EXPECT_EQ(filled.num_members(), 70);
  filled = false;
  EXPECT_EQ(filled.num_members(), 0);
  EXPECT_EQ(filled.max_members(), 70);
}

TEST(VQIntegerSetTest, OutOfRangeIndicesAreIgnored) {
  VQIntegerSet set(36);
  for (long i : {-1L, 36L, 64L, 1000L, -1000000L}) {
    set.add(i);
    EXPECT_FALSE(set.is_member(i));
    EXPECT_FALSE(set[i]);
    set.remove(i);
  }
  EXPECT_EQ(set.num_members(), 0);
}

TEST(VQIntegerSetTest, ComplementStaysInsideTheCapacity) {
  const VQIntegerSet set = set_of(36, {0, 3});
  const VQIntegerSet complement = !set;
  EXPECT_EQ(complement.num_members(), 34);
  EXPECT_EQ(complement.max_members(), 36);
  EXPECT_FALSE(complement[0]);
  EXPECT_TRUE(complement[35]);
  VQIntegerSet grown = complement;
  grown.resize(64);
  EXPECT_EQ(grown.num_members(), 34);
  EXPECT_EQ((!VQIntegerSet(0)).num_members(), 0);
}

TEST(VQIntegerSetTest, ResizeKeepsMembersBelowTheNewCapacity) {
  VQIntegerSet set = set_of(36, {2, 35});
  set.resize(40);
  EXPECT_EQ(members(set), (std::vector<long>{2, 35}));
  set.resize(10);
  EXPECT_EQ(members(set), (std::vector<long>{2}));
  set.resize(100);
  EXPECT_EQ(members(set), (std::vector<long>{2}));
}

// The binary operators are the compound ones on a copy of the left operand.
TEST(VQIntegerSetTest, OperandsOfDifferentCapacityStayInBounds) {
  const VQIntegerSet wide = set_of(100, {5, 70, 99});
  const VQIntegerSet narrow = set_of(10, {5, 6});
  EXPECT_EQ(members(wide & narrow), (std::vector<long>{5}));
  EXPECT_EQ(members(wide | narrow), (std::vector<long>{5, 6, 70, 99}));
  EXPECT_EQ(members(narrow | wide), (std::vector<long>{5, 6}));
  EXPECT_EQ((narrow | wide).max_members(), 10);
  EXPECT_EQ(members(narrow ^ wide), (std::vector<long>{6}));
  EXPECT_EQ((narrow ^ VQIntegerSet(100, true)).num_members(), 8);
}

TEST(VQIntegerSetIteratorTest, WalksInOrderAndRestarts) {
  VQIntegerSet empty(36);
  VQIntegerSetIterator none(empty);
  EXPECT_FALSE(none.next());
  EXPECT_EQ(none.member(), -1);

  VQIntegerSet set = set_of(130, {0, 63, 64, 129});
  VQIntegerSetIterator it(set);
  EXPECT_EQ(it.member(), -1);
  std::vector<long> seen;
  while (it.next()) seen.push_back(it.member());
  EXPECT_EQ(seen, (std::vector<long>{0, 63, 64, 129}));
  EXPECT_EQ(it.member(), -1);
  ASSERT_TRUE(it.next());
  EXPECT_EQ(it.member(), 0);

  set.add(1);  // the iterator sees later changes
  ASSERT_TRUE(it.next());
  EXPECT_EQ(it.member(), 1);
  it.reset();
  ASSERT_TRUE(it.next());
  EXPECT_EQ(it.member(), 0);
}

}  // namespace
