// A node created with every settable attribute, or stored in part, reads back equal.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "node_world.h"
#include "populated_node.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::loadable_without_view_graph;
using node_testing::Neighbours;
using node_testing::NodeWorldTest;
using N = VQTopoNode;

class RoundTripTest : public NodeWorldTest {
 protected:
  void SetUp() override {
    NodeWorldTest::SetUp();
    ASSERT_VQ_ALL_OK(node_testing::make_neighbours(root(), n_),
                     node_testing::populate_view_node(n_, node_),
                     node_.create_with_all_attributes(), node_.get_dn(dn_));
  }

  // The attributes of `selection` that differ between the two nodes, by name.
  static std::string differing(const N& a, const N& b, const VQIntegerSet& selection) {
    VQIntegerSet out(N::attribute_count);
    a.diff_some_attributes(b, selection, out);
    std::ostringstream text;
    VQIntegerSetIterator it(out);
    while (it.next()) text << N::get_attribute_name(static_cast<N::Attribute>(it.member())) << ' ';
    return text.str();
  }

  Neighbours n_;
  N node_;
  VQTopoNodeDn dn_;
};

TEST_F(RoundTripTest, CreatedNodeLoadsBackEqual) {
  N loaded(dn_);
  ASSERT_VQ_OK(loaded.load_some_attributes(loadable_without_view_graph()));
  EXPECT_TRUE(node_ == loaded) << differing(node_, loaded, vq_testing::active_of(node_));

  // User data never take part in comparisons: read them back one by one.
  hvx::Morf datum;
  ASSERT_VQ_OK(loaded.get_user_datum("\"VQ Topology\":topoNodeLayer", datum));
  EXPECT_EQ(datum.get_str(0), "extra");
}

// A second value, other than the one the node was created with, for each attribute a
// store takes. Visible children name `child`, a child of the node.
VQStatus change(N& node, int attribute, const Neighbours& n, const VQTopoNodeDn& child) {
  switch (attribute) {
    case N::name:
      return node.set_name("renamed \xe0");
    case N::type_name:
      return node.set_type_name("Subnetwork");
    case N::managed_objects:
      return node.set_managed_objects({"/systemId=name:\"B\"/subsystemId=\"VQ-MIS\""});
    case N::parents:
      return node.set_parents({n.annex});
    case N::links:
      return node.set_links({n.hub, n.campus, child});
    case N::propagate_peers:
      return node.set_propagate_peers({});
    case N::is_severity_propagated:
      return node.set_is_severity_propagated(true);
    case N::state:
      return node.set_state(2147483647);
    case N::display_statuses:
      return node.set_display_statuses({{"only", 9}});
    case N::geographical_location:
      return node.set_geographical_location({}, true);
    case N::layer_name:
      return node.set_layer_name("");
    case N::user_data:
      return node.add_user_datum("topoNodeLayer", node_testing::text_morf("topoNodeLayer", "z"));
    case N::logical_locations:
      return node.set_logical_location(n.campus, {-1, -1, -1});
    case N::view_background_image_filename:
      return node.set_view_background_image_filename("");
    case N::view_map_config_filename:
      return node.set_view_map_config_filename("other.map");
    case N::view_default_geo_area:
      return node.set_view_default_geo_area({}, 0.0, true);
    case N::view_config_data:
      return node.set_view_config_data({});
    case N::monitor_rotation:
      return node.set_monitor_rotation(359, false);
    case N::monitor_visible_children:
      return node.set_monitor_visible_children({child});
    case N::array_visible_children:
      return node.set_array_visible_children({child});
    case N::array_orientation:
      return node.set_array_orientation(N::horizontal);
    case N::array_num_columns:
      return node.set_array_num_columns(0);
    case N::array_cell_size:
      return node.set_array_cell_size({});
    case N::bus_logical_locations:
      return node.set_bus_logical_locations({{-7, 8, -9}});
    default:
      return VQStatus(VQStatus::Code::invalid_argument, "no second value");
  }
}

using Subset = std::vector<int>;

// Each attribute a store takes alone; the pairs and groups that share a server attribute or
// object; and everything but the parents (which would move the node out of its views).
std::vector<Subset> subsets() {
  std::vector<Subset> all = {
      {N::monitor_rotation, N::monitor_visible_children},
      {N::array_visible_children, N::array_orientation, N::array_num_columns, N::array_cell_size},
      {}};
  VQIntegerSetIterator it(N::get_valid_attributes(store));
  while (it.next()) {
    const int attribute = static_cast<int>(it.member());
    all.push_back({attribute});
    if (attribute != N::parents) all[2].push_back(attribute);
  }
  return all;
}

std::string subset_name(const ::testing::TestParamInfo<Subset>& info) {
  if (info.param.size() > 4) return "everything";
  std::string name;
  for (const int a : info.param) {
    name += (name.empty() ? "" : "_") + N::get_attribute_name(static_cast<N::Attribute>(a));
  }
  return name;
}

class StoreSubsetTest : public RoundTripTest, public ::testing::WithParamInterface<Subset> {};

// Stores a subset of the attributes with new values; a load of that subset into a fresh
// handle compares equal on it, and the rest of the node is as it was created.
TEST_P(StoreSubsetTest, StoredSubsetLoadsBackEqual) {
  VQTopoNodeDn child;
  ASSERT_VQ_OK(node_testing::make_node("leaf", "Host", {dn_}, child));
  VQIntegerSet selection(N::attribute_count);
  for (const int attribute : GetParam()) {
    selection.add(attribute);
    ASSERT_VQ_OK(change(node_, attribute, n_, child));
  }
  N loaded(dn_);
  ASSERT_VQ_ALL_OK(node_.store_some_attributes(selection), loaded.load_some_attributes(selection));
  EXPECT_TRUE(node_.compare_some_attributes(loaded, selection))
      << differing(node_, loaded, selection);
}

INSTANTIATE_TEST_SUITE_P(Subsets, StoreSubsetTest, ::testing::ValuesIn(subsets()), subset_name);

}  // namespace
