// What the server keeps in memory stays within bounds and each object's own: kept replies
// do not grow the server however many or large the views asked for, and values shared
// between objects change independently.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hvx/ber.h"
#include "object_values.h"
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

TEST(ObjectValues, SharedValuesChangeIndependently) {
  const hvx::Oid children("1.2.3.4");
  const hvx::Oid count("1.2.3.5");
  hvx::mis::ObjectValues first, second;
  for (hvx::mis::ObjectValues* values : {&first, &second}) {
    (*values)[children] = hvx::ber::set();
    (*values)[count] = hvx::ber::integer(0);
    values->share_values();
  }
  ASSERT_TRUE(first[children].add_component(hvx::ber::integer(7)));
  first[count].encode_int(1);
  first.share_values();

  EXPECT_EQ(second[children].num_comps(), 0u);
  EXPECT_EQ(second[count], hvx::ber::integer(0));
  EXPECT_EQ(first[children].num_comps(), 1u);
  // A third object filed later gets the common value, not the changed one.
  hvx::mis::ObjectValues third;
  third[children] = hvx::ber::set();
  third.share_values();
  EXPECT_EQ(third[children].num_comps(), 0u);
}

}  // namespace
