#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "node/topo_node_rep_access.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using N = VQTopoNode;
using Dns = VQList<VQTopoNodeDn>;

VQIntegerSet set_of(std::initializer_list<long> members) {
  return vq_testing::set_of(N::attribute_count, members);
}

TEST(TopoNodeDefaultsTest, OnlySelectedAttributesChange) {
  VQTopoNodeRep rep;
  EXPECT_VQ_ALL_OK(rep.set_name("n"), rep.set_state(9), rep.load_some_defaults(set_of({N::state})));
  EXPECT_EQ(vq_testing::got(rep, &VQTopoNodeRep::get_name), "n");
  EXPECT_EQ(vq_testing::got(rep, &VQTopoNodeRep::get_state), 0);
}

class TopoNodeCompareTest : public ::testing::Test {
 protected:
  TopoNodeCompareTest() : a_(VQTopoNodeDn("testhost", 1)), b_(VQTopoNodeDn("testhost", 1)) {}

  VQTopoNodeRep a_;
  VQTopoNodeRep b_;
};

TEST_F(TopoNodeCompareTest, ListsCompareWithoutRegardToOrder) {
  const VQTopoNodeDn p("testhost", 2);
  const VQTopoNodeDn q("testhost/far", 2);
  EXPECT_VQ_ALL_OK(a_.set_parents({p, q}), b_.set_parents({q, p}),
                   a_.set_display_statuses({{"x", 1}, {"y", 2}}),
                   b_.set_display_statuses({{"y", 2}, {"x", 1}}));
  EXPECT_TRUE(a_ == b_);
  EXPECT_VQ_OK(b_.set_parents({q, q}));
  EXPECT_FALSE(a_ == b_);
  EXPECT_VQ_OK(b_.set_parents({q, p, p}));
  EXPECT_FALSE(a_ == b_);
}

TEST_F(TopoNodeCompareTest, AttributesActiveOnOneSideDiffer) {
  EXPECT_VQ_OK(b_.set_name("b"));
  // Over this side's active set: a has no name, so it equals b, but not the other way.
  EXPECT_TRUE(a_.compare_all_attributes(b_));
  EXPECT_FALSE(b_.compare_all_attributes(a_));
  EXPECT_FALSE(a_.compare_some_attributes(b_, set_of({N::name})));
  // Active on neither side: equal.
  EXPECT_TRUE(a_.compare_some_attributes(b_, set_of({N::state, N::links})));
}

TEST_F(TopoNodeCompareTest, AbsentValuesCompareByTheirFlagFirst) {
  EXPECT_VQ_ALL_OK(a_.set_geographical_location({1, 2}, false),
                   b_.set_geographical_location({3, 4}, false));
  EXPECT_FALSE(a_ == b_);
  EXPECT_VQ_OK(a_.set_geographical_location({}, true));
  EXPECT_FALSE(a_ == b_);
  EXPECT_VQ_OK(b_.set_geographical_location({}, true));
  EXPECT_TRUE(a_ == b_);  // the stored values differ but do not count

  EXPECT_VQ_ALL_OK(a_.set_view_default_geo_area({1, 2}, 5, false),
                   b_.set_view_default_geo_area({1, 2}, 6, false));
  EXPECT_FALSE(a_ == b_);
  EXPECT_VQ_OK(b_.set_view_default_geo_area({1, 2}, 5, false));
  EXPECT_TRUE(a_ == b_);

  EXPECT_VQ_ALL_OK(a_.set_monitor_rotation(10, false), b_.set_monitor_rotation(20, true));
  EXPECT_FALSE(a_ == b_);
  EXPECT_VQ_OK(a_.set_monitor_rotation(10, true));
  EXPECT_TRUE(a_ == b_);
}

TEST_F(TopoNodeCompareTest, UserDataAndDerivedAttributesNeverDifferWhenActiveOnBothSides) {
  hvx::Morf id("topoNodeId");
  ASSERT_TRUE(id.set_str("12"));
  EXPECT_VQ_ALL_OK(a_.add_user_datum("topoNodeId", id), b_.set_user_data({}));
  VQTopoNodeRepAccess::children(a_) = {{"testhost", 5}};
  const std::initializer_list<int> derived = {
      N::monitor_hidden_children, N::monitor_max_visible_children, N::array_hidden_children};
  VQTopoNodeRepAccess::activate(a_, derived);
  VQTopoNodeRepAccess::activate(b_, derived);
  EXPECT_TRUE(a_ == b_);
  EXPECT_TRUE(b_ == a_);
  // Active on one side only, they still differ.
  b_.clear_some_attributes(set_of({N::user_data}));
  EXPECT_FALSE(a_ == b_);
}

TEST_F(TopoNodeCompareTest, DiffCollectsEveryDifference) {
  EXPECT_VQ_ALL_OK(a_.set_name("a"), b_.set_name("b"), b_.set_state(1), a_.set_layer_name("same"),
                   b_.set_layer_name("same"));
  VQIntegerSet out(N::attribute_count);
  // Over every attribute, so the state active on b alone counts too.
  EXPECT_TRUE(a_.diff_all_attributes(b_, out));
  EXPECT_EQ(out, set_of({N::name, N::state}));

  // What the set held stays, above the attribute numbers too.
  VQIntegerSet kept = vq_testing::set_of(40, {N::links, 39});
  EXPECT_TRUE(a_.diff_some_attributes(b_, set_of({N::dn, N::layer_name}), kept));
  EXPECT_EQ(kept, vq_testing::set_of(40, {N::links, 39}));
  VQIntegerSet empty(N::attribute_count);
  EXPECT_FALSE(a_.diff_some_attributes(b_, set_of({N::dn, N::layer_name}), empty));
  EXPECT_EQ(empty.num_members(), 0);
}

}  // namespace
