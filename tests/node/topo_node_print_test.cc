#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "node/topo_node_rep_access.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using N = VQTopoNode;
using Peer = VQTopoNodeRepAccess;

using vq_testing::printed;

// Every attribute active, with eleven children so that a list breaks its line.
VQTopoNodeRep populated() {
  VQTopoNodeRep rep(VQTopoNodeDn("testhost", 7));
  EXPECT_VQ_ALL_OK(
      rep.set_name("router-7"), rep.set_type_name("Hexagon"),
      rep.set_managed_objects({R"(/systemId="A")"}), rep.set_parents({{"testhost", 1}}),
      rep.set_links({{"testhost/far", 5}}), rep.set_propagate_peers({}),
      rep.set_is_severity_propagated(false), rep.set_state(3),
      rep.set_display_statuses({{"up", 1}}), rep.set_geographical_location({}, true),
      rep.set_layer_name("core"), rep.add_user_datum("topoNodeId", hvx::Morf("topoNodeId")),
      rep.set_logical_location({"testhost", 1}, {1, 2, 3}),
      rep.set_view_background_image_filename("bg.gif"), rep.set_view_map_config_filename("map.cfg"),
      rep.set_view_default_geo_area({2.5, 48.8}, 1.5, false),
      rep.add_view_config_datum({"k", "v w"}), rep.set_monitor_rotation(45, false),
      rep.set_monitor_visible_children({{"testhost", 100}}),
      rep.set_array_visible_children({{"testhost", 101}}), rep.set_array_orientation(N::vertical),
      rep.set_array_num_columns(4), rep.set_array_cell_size({10, 20}),
      rep.set_bus_logical_locations({{1, 2, 3}, {4, 5, 6}}));
  Peer::topology_pathnames(rep) = {"/net/router-7"};
  Peer::cmip_agents(rep) = {{"testhost", "a1"}};
  Peer::snmp_agents(rep) = {{"testhost", "s1"}};
  for (long id = 100; id <= 110; ++id) Peer::children(rep).append({"testhost", id});
  Peer::view_children(rep) = {{"testhost", 100}};
  Peer::severity(rep) = N::major;
  Peer::propagated_severity(rep) = N::critical;
  Peer::activate(rep,
                 {N::topology_pathnames, N::cmip_agents, N::snmp_agents, N::rpc_agents, N::children,
                  N::view_children, N::severity, N::propagated_severity, N::monitor_hidden_children,
                  N::monitor_max_visible_children, N::array_hidden_children});
  return rep;
}

TEST(TopoNodePrintTest, FullyPopulatedNode) {
  const VQTopoNodeRep rep = populated();
  ASSERT_EQ(vq_testing::active_of(rep), VQIntegerSet(N::attribute_count, true));
  const std::string expected =
      R"(                            dn: testhost:7
                          name: router-7
            topology_pathnames: { /net/router-7 }
                     type_name: Hexagon
               managed_objects: { /systemId=name:"A" }
                   cmip_agents: { testhost:a1 }
                   snmp_agents: { testhost:s1 }
                    rpc_agents: { }
                       parents: { testhost:1 }
                      children: { testhost:100 testhost:101 testhost:102 testhost:103 testhost:104 testhost:105 testhost:106 testhost:107 testhost:108 
testhost:109 testhost:110 }
                 view_children: { testhost:100 }
                         links: { testhost/far:5 }
               propagate_peers: { }
                         state: 3
                      severity: major
           propagated_severity: critical
        is_severity_propagated: FALSE
              display_statuses: { label: "up" value: 1 }
              view_config_data: { name: "k" value: v w }
         geographical_location: NULL
                    layer_name: core
             logical_locations: { parent: testhost:1location: x: 1 y: 2 z: 3 }
view_background_image_filename: bg.gif
      view_map_config_filename: map.cfg
         view_default_geo_area: longitude: 2.5 latitude: 48.8  1.5
              monitor_rotation: 45
      monitor_visible_children: { testhost:100 }
       monitor_hidden_children: { testhost:101 testhost:102 testhost:103 testhost:104 testhost:105 testhost:106 testhost:107 testhost:108 testhost:109 
testhost:110 }
        array_visible_children: { testhost:101 }
         array_hidden_children: { testhost:100 testhost:102 testhost:103 testhost:104 testhost:105 testhost:106 testhost:107 testhost:108 testhost:109 
testhost:110 }
             array_orientation: array_orientation: vertical
             array_num_columns: 4
               array_cell_size: width: 10 height: 20
         bus_logical_locations: { x: 1 y: 2 z: 3 x: 4 y: 5 z: 6 }
)";
  EXPECT_EQ(printed(rep), expected);
}

// Defaults change the values, not which attributes are active; the cell size is not that
// of a new value.
TEST(TopoNodePrintTest, DefaultsOfEveryAttributeAndAHandlesActiveOnes) {
  VQTopoNodeRep rep = populated();
  EXPECT_VQ_OK(rep.load_all_defaults());
  EXPECT_EQ(printed(rep), R"(                            dn: NULL
                          name: 
            topology_pathnames: { }
                     type_name: Host
               managed_objects: { }
                   cmip_agents: { }
                   snmp_agents: { }
                    rpc_agents: { }
                       parents: { }
                      children: { }
                 view_children: { }
                         links: { }
               propagate_peers: { }
                         state: 0
                      severity: indeterminate
           propagated_severity: indeterminate
        is_severity_propagated: TRUE
              display_statuses: { }
              view_config_data: { }
         geographical_location: NULL
                    layer_name: Host
             logical_locations: { }
view_background_image_filename: 
      view_map_config_filename: 
         view_default_geo_area: NULL
              monitor_rotation: NULL
      monitor_visible_children: { }
       monitor_hidden_children: { }
        array_visible_children: { }
         array_hidden_children: { }
             array_orientation: array_orientation: horizontal
             array_num_columns: 0
               array_cell_size: width: 0 height: 0
         bus_logical_locations: { }
)");
  // Defaults make nothing active.
  VQTopoNodeRep fresh;
  EXPECT_VQ_OK(fresh.load_all_defaults());
  EXPECT_EQ(printed(fresh), "");
  // A handle prints its active attributes.
  N node;
  EXPECT_VQ_OK(node.set_is_severity_propagated(true));
  EXPECT_EQ(printed(node), "        is_severity_propagated: TRUE\n");
}

// What the printed node does not show: a new cell size, values outside the enumerations,
// user data.
TEST(TopoNodeValuesTest, PrintedForms) {
  EXPECT_EQ(printed(N::ArrayCellSize()), "width: 0 height: 25");
  EXPECT_EQ(printed(static_cast<N::ArrayOrientation>(7)), "array_orientation: vertical");
  const char* const severities[] = {"indeterminate", "critical", "major",
                                    "minor",         "warning",  "cleared"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(printed(static_cast<N::Severity>(i)), severities[i]);
  EXPECT_EQ(printed(static_cast<N::Severity>(9)), "9");
  EXPECT_EQ(printed(N::UserDatum("\"VQ Topology\":topoNodeLayer", hvx::Morf("topoNodeLayer"))),
            "attribute name: \"\"VQ Topology\":topoNodeLayer\" value: <opaque>");
}

}  // namespace
