// Kept replies answer only at the revision they were made at, and stay within their bounds.
#include "topo/kept_replies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using hvx::DataUnit;
using hvx::mis::topo::KeptReplies;

std::vector<DataUnit> parts(const std::string& text) { return {DataUnit(text)}; }

TEST(KeptReplies, AnswerAtTheirRevisionOnly) {
  KeptReplies kept;
  const KeptReplies::Key view_name{7, {1}};
  const KeptReplies::Key view_state{7, {10}};
  const KeptReplies::Key other_name{8, {1}};
  EXPECT_EQ(kept.find(view_name, 5), nullptr);
  kept.keep(view_name, 5, parts("a"));
  kept.keep(view_state, 5, parts("b"));
  ASSERT_NE(kept.find(view_name, 5), nullptr);
  EXPECT_EQ(kept.find(view_name, 5)->front(), DataUnit("a"));
  EXPECT_EQ(kept.find(view_state, 5)->front(), DataUnit("b"));
  EXPECT_EQ(kept.find(other_name, 5), nullptr);
  // Anything changed: nothing kept answers, even back at the old revision.
  EXPECT_EQ(kept.find(view_name, 6), nullptr);
  EXPECT_EQ(kept.find(view_name, 5), nullptr);
  // Made at an older revision than the last looked at: kept for that revision only.
  kept.keep(view_name, 6, parts("c"));
  EXPECT_EQ(kept.find(view_name, 6)->front(), DataUnit("c"));
}

TEST(KeptReplies, StayWithinTheirBounds) {
  KeptReplies kept;
  for (long view = 0; view < static_cast<long>(KeptReplies::kMostKept); ++view) {
    kept.keep({view, {}}, 1, parts("x"));
  }
  EXPECT_NE(kept.find({0, {}}, 1), nullptr);
  kept.keep({-1, {}}, 1, parts("y"));
  EXPECT_EQ(kept.find({0, {}}, 1), nullptr);
  EXPECT_NE(kept.find({-1, {}}, 1), nullptr);

  kept.clear();
  const std::string third(KeptReplies::kMostBytes / 3 + 1, 't');
  kept.keep({1, {}}, 1, parts(third));
  kept.keep({2, {}}, 1, parts(third));
  EXPECT_NE(kept.find({1, {}}, 1), nullptr);
  kept.keep({3, {}}, 1, parts(third));
  EXPECT_EQ(kept.find({1, {}}, 1), nullptr);
  EXPECT_NE(kept.find({3, {}}, 1), nullptr);
  kept.keep({4, {}}, 1, parts(std::string(KeptReplies::kMostBytes + 1, 'o')));
  EXPECT_EQ(kept.find({4, {}}, 1), nullptr);
}

}  // namespace
