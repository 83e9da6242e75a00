// What the server keeps in memory stays within bounds: kept replies do not grow the server
// however many or large the views asked for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "topo/kept_replies.h"

namespace {

using hvx::DataUnit;
using hvx::mis::topo::KeptReplies;

std::vector<DataUnit> parts(const std::string& text) { return {DataUnit(text)}; }

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
