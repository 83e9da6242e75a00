// Create, load, store, destroy and exists, end to end against the embedded server.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::NodeWorldTest;
using Code = VQStatus::Code;
using N = VQTopoNode;

using PersistenceTest = NodeWorldTest;

}  // namespace

// The attribute-set checks come before anything reaches the server.
TEST_F(PersistenceTest, CreateChecksItsSelection) {
  const VQTopoNodeDn campus = make("Campus", "Network", {root()});
  N node;
  EXPECT_VQ_OK(node.set_name("n"));
  EXPECT_VQ_OK(node.set_type_name("Router"));
  const struct {
    VQIntegerSet selection;
    Code code;
    const char* message;
  } table[] = {
      {attributes({N::name, N::type_name}), Code::missing_mandatory_attribute,
       "VQTopoNode::parents, "},
      {attributes({N::name}), Code::missing_mandatory_attribute,
       "VQTopoNode::type_name, parents, "},
      {attributes({N::dn, N::name, N::type_name, N::parents}), Code::attribute_not_creatable,
       "VQTopoNode::dn, "},
      {attributes({N::name, N::type_name, N::parents, N::children, N::severity}),
       Code::attribute_not_creatable, "VQTopoNode::children, severity, "},
      {attributes({N::name, N::type_name, N::parents}), Code::no_parents, "VQTopoNode::parents"},
  };
  EXPECT_VQ_OK(node.set_parents({}));
  for (const auto& row : table) {
    const VQStatus status = node.create_with_some_attributes(row.selection);
    EXPECT_VQ_ERROR(status, row.code);
    EXPECT_EQ(status.message(), row.message);
  }
  VQIntegerSet active;
  node.get_active_attributes(active);
  EXPECT_FALSE(active.is_member(N::dn));

  // The mandatory test is on the selection, not on what is set.
  EXPECT_VQ_OK(node.set_parents({campus}));
  EXPECT_VQ_OK(node.create_with_some_attributes(attributes({N::name, N::type_name, N::parents})));
  VQTopoNodeDn dn;
  EXPECT_VQ_OK(node.get_dn(dn));
  EXPECT_EQ(dn.system_name(), "L");
  EXPECT_TRUE(node.exists());
}

TEST_F(PersistenceTest, TheServersRefusalIsCodeOne) {
  const VQTopoNodeDn router = make("r", "Router", {root()});
  N node;
  EXPECT_VQ_OK(node.set_name("n"));
  EXPECT_VQ_OK(node.set_type_name("Host"));
  EXPECT_VQ_OK(node.set_parents({router}));  // not a view
  const VQStatus status = node.create_with_all_attributes();
  EXPECT_VQ_ERROR(status, Code::hvx_error);
  EXPECT_NE(status.message().find("is not a view"), std::string::npos) << status.message();
}

TEST_F(PersistenceTest, OperationsOnAnExistingObjectNeedItsName) {
  N node;
  const VQIntegerSet name = attributes({N::name});
  for (const VQStatus& status :
       {node.load_some_attributes(name), node.store_some_attributes(name), node.destroy()}) {
    EXPECT_VQ_ERROR(status, Code::missing_mandatory_attribute);
    EXPECT_EQ(status.message(), "VQTopoNode::dn");
  }
}

TEST_F(PersistenceTest, StoreChecksItsSelection) {
  N node(make("r", "Router", {root()}));
  EXPECT_VQ_OK(node.set_monitor_visible_children({}));
  EXPECT_VQ_OK(node.store_some_attributes(attributes({N::monitor_visible_children})));
  const VQStatus status = node.store_some_attributes(attributes({N::children, N::name}));
  EXPECT_VQ_ERROR(status, Code::attribute_not_storeable);
  EXPECT_EQ(status.message(), "VQTopoNode::children, ");
}

TEST_F(PersistenceTest, DestroyRemovesOnlyTheNode) {
  const VQTopoNodeDn dn = make("r", "Router", {root()});
  N node(dn);
  ASSERT_TRUE(node.exists());
  EXPECT_VQ_OK(node.destroy());
  EXPECT_FALSE(node.exists());
  EXPECT_TRUE(N(root()).exists());

  // What is gone cannot be loaded, stored or destroyed again.
  const VQStatus load = node.load_some_attributes(attributes({N::name}));
  EXPECT_VQ_ERROR(load, Code::object_does_not_exist);
  EXPECT_EQ(load.message(), dn.slash_form());
  EXPECT_VQ_ERROR(node.store_some_attributes(attributes({N::name})), Code::hvx_error);
  EXPECT_VQ_ERROR(node.destroy(), Code::hvx_error);
}

TEST_F(PersistenceTest, ViewChildrenNeedTheViewGraph) {
  N node(root());
  const VQStatus status = node.load_some_attributes(attributes({N::name, N::view_children}));
  EXPECT_VQ_ERROR(status, Code::not_supported_by_platform);
  EXPECT_EQ(status.message(), "VQTopoNode::view_children");
  VQIntegerSet active;
  node.get_active_attributes(active);
  EXPECT_EQ(active, attributes({N::dn}));
}

TEST_F(PersistenceTest, PathNamesOfANodeWithParentsNeedTheViewGraph) {
  N top(root());
  ASSERT_VQ_OK(top.load_some_attributes(attributes({N::topology_pathnames})));
  VQList<std::string> paths;
  EXPECT_VQ_OK(top.get_topology_pathnames(paths));
  EXPECT_EQ(paths, VQList<std::string>{"/Root"});

  N below(make("r", "Router", {root()}));
  const VQStatus status = below.load_some_attributes(attributes({N::topology_pathnames}));
  EXPECT_VQ_ERROR(status, Code::view_graph_not_cached);
  EXPECT_EQ(status.message(), "VQTopoPlatform::view_topology_pathnames");
}

// A node that is not a view has no topoView object: its view attributes load as defaults
// and store as nothing, both successfully.
TEST_F(PersistenceTest, ViewAttributesOfANodeThatIsNotAView) {
  N node(make("r", "Router", {root()}));
  const VQIntegerSet view =
      attributes({N::view_background_image_filename, N::view_map_config_filename,
                  N::view_default_geo_area, N::view_config_data});
  EXPECT_VQ_OK(node.set_view_background_image_filename("x.png"));
  EXPECT_VQ_OK(node.set_view_config_data({{"a", "b"}}));
  EXPECT_VQ_OK(node.store_some_attributes(view));

  ASSERT_VQ_OK(node.load_some_attributes(view));
  std::string background = "unchanged";
  VQList<VQTopoNode::ViewConfigDatum> data;
  N::GeoLocation centre;
  double extent = 0;
  bool absent = false;
  EXPECT_VQ_OK(node.get_view_background_image_filename(background));
  EXPECT_VQ_OK(node.get_view_config_data(data));
  EXPECT_VQ_OK(node.get_view_default_geo_area(centre, extent, absent));
  EXPECT_EQ(background, "");
  EXPECT_TRUE(data.is_empty());
  EXPECT_TRUE(absent);
}

// A load reads only the objects that hold what it was asked for.
TEST_F(PersistenceTest, ALoadOfTopoNodeAttributesIsOneRequest) {
  N view(root());
  const auto plan = std::make_shared<hvx::FaultPlan>();
  hvx::install_fault_plan(platform(), plan);
  EXPECT_VQ_OK(view.load_some_attributes(attributes({N::name, N::children})));
  hvx::remove_fault_plan(platform());
  EXPECT_EQ(plan->requests_seen(), 1);
}

TEST_F(PersistenceTest, ALoadActivatesEverythingAskedFor) {
  N node(make("m", "Hexagon", {root()}));
  const VQIntegerSet asked =
      attributes({N::cmip_agents, N::snmp_agents, N::rpc_agents, N::monitor_hidden_children,
                  N::monitor_max_visible_children, N::array_hidden_children, N::severity});
  ASSERT_VQ_OK(node.load_some_attributes(asked));
  VQIntegerSet active;
  node.get_active_attributes(active);
  EXPECT_EQ(active, asked | attributes({N::dn}));
  long max = 0;
  EXPECT_VQ_OK(node.get_monitor_max_visible_children(max));
  EXPECT_EQ(max, 6);
  VQList<VQCmipAgentDn> agents;
  EXPECT_VQ_OK(node.get_cmip_agents(agents));
  EXPECT_TRUE(agents.is_empty());
}

// Severities come from the alarms on a node's managed objects and flow up to its views.
TEST_F(PersistenceTest, SeveritiesFollowAlarms) {
  const VQTopoNodeDn campus = make("Campus", "Network", {root()});
  N router;
  EXPECT_VQ_OK(router.set_name("r"));
  EXPECT_VQ_OK(router.set_type_name("Router"));
  EXPECT_VQ_OK(router.set_parents({campus}));
  const std::string managed_object = "/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"";
  EXPECT_VQ_OK(router.set_managed_objects({managed_object}));
  ASSERT_VQ_OK(router.create_with_all_attributes());
  ASSERT_NE(world_->raise_alarm("L", managed_object, N::major), 0);

  const VQIntegerSet severities = attributes({N::severity, N::propagated_severity});
  ASSERT_VQ_OK(router.load_some_attributes(severities));
  N view(campus);
  ASSERT_VQ_OK(view.load_some_attributes(severities));
  N::Severity severity = N::cleared;
  EXPECT_VQ_OK(router.get_severity(severity));
  EXPECT_EQ(severity, N::major);
  EXPECT_VQ_OK(view.get_propagated_severity(severity));
  EXPECT_EQ(severity, N::major);
}

// A node on another system: its managed objects come back named from the local system.
TEST_F(PersistenceTest, RemoteManagedObjectsAreSeenFromHere) {
  const VQTopoNodeDn remote_root("/L/B", 1);
  ASSERT_TRUE(N(remote_root).exists());
  N node;
  EXPECT_VQ_OK(node.set_name("far"));
  EXPECT_VQ_OK(node.set_type_name("Router"));
  EXPECT_VQ_OK(node.set_parents({remote_root}));
  EXPECT_VQ_OK(node.set_managed_objects({"/systemId=name:\"B\"/subsystemId=\"VQ-MIS\""}));
  ASSERT_VQ_OK(node.create_with_all_attributes());
  VQTopoNodeDn dn;
  EXPECT_VQ_OK(node.get_dn(dn));
  EXPECT_EQ(dn.system_name(), "/L/B");

  N loaded(dn);
  ASSERT_VQ_OK(loaded.load_some_attributes(attributes({N::managed_objects, N::parents})));
  VQList<std::string> managed;
  EXPECT_VQ_OK(loaded.get_managed_objects(managed));
  EXPECT_EQ(managed, VQList<std::string>{VQTopoPlatform::instance()->system_fdn_str("/L/B") +
                                         "/subsystemId=\"VQ-MIS\""});
  N::DnList parents;
  EXPECT_VQ_OK(loaded.get_parents(parents));
  EXPECT_EQ(parents, N::DnList{remote_root});
}
