// Create, load, store, destroy and exists, end to end against the embedded server.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/ber.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "populated_node.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::make;
using node_testing::NodeWorldTest;
using Code = VQStatus::Code;
using N = VQTopoNode;

using PersistenceTest = NodeWorldTest;

}  // namespace

// The attribute-set checks, and the name of an existing object, come before anything
// reaches the server.
TEST_F(PersistenceTest, SelectionsAreCheckedFirst) {
  const VQTopoNodeDn campus = make("Campus", "Network", {root()});
  N node;
  EXPECT_VQ_ALL_OK(node.set_name("n"), node.set_type_name("Router"), node.set_parents({}));
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
  for (const auto& row : table) {
    EXPECT_VQ_ERROR_TEXT(node.create_with_some_attributes(row.selection), row.code, row.message);
  }
  EXPECT_FALSE(vq_testing::active_of(node).is_member(N::dn));
  const VQIntegerSet name = attributes({N::name});
  for (const VQStatus& status :
       {node.load_some_attributes(name), node.store_some_attributes(name), node.destroy()}) {
    EXPECT_VQ_ERROR_TEXT(status, Code::missing_mandatory_attribute, "VQTopoNode::dn");
  }

  // The mandatory test is on the selection, not on what is set.
  EXPECT_VQ_ALL_OK(
      node.set_parents({campus}),
      node.create_with_some_attributes(attributes({N::name, N::type_name, N::parents})));
  EXPECT_EQ(vq_testing::got(node, &N::get_dn).system_name(), "L");
  EXPECT_TRUE(node.exists());
  EXPECT_VQ_ALL_OK(node.set_monitor_visible_children({}),
                   node.store_some_attributes(attributes({N::monitor_visible_children})));
  EXPECT_VQ_ERROR_TEXT(node.store_some_attributes(attributes({N::children, N::name})),
                       Code::attribute_not_storeable, "VQTopoNode::children, ");
}

TEST_F(PersistenceTest, DestroyRemovesOnlyTheNode) {
  const VQTopoNodeDn dn = make("r", "Router", {root()});
  N node(dn);
  ASSERT_TRUE(node.exists());
  EXPECT_VQ_OK(node.destroy());
  EXPECT_FALSE(node.exists());
  EXPECT_TRUE(N(root()).exists());

  // What is gone cannot be loaded, stored or destroyed again.
  EXPECT_VQ_ERROR_TEXT(node.load_some_attributes(attributes({N::name})),
                       Code::object_does_not_exist, dn.slash_form());
  EXPECT_VQ_ERROR(node.store_some_attributes(attributes({N::name})), Code::hvx_error);
  EXPECT_VQ_ERROR(node.destroy(), Code::hvx_error);
}

TEST_F(PersistenceTest, ViewChildrenNeedTheViewGraph) {
  N node(root());
  EXPECT_VQ_ERROR_TEXT(node.load_some_attributes(attributes({N::name, N::view_children})),
                       Code::not_supported_by_platform, "VQTopoNode::view_children");
  EXPECT_EQ(vq_testing::active_of(node), attributes({N::dn}));
}

TEST_F(PersistenceTest, PathNamesOfANodeWithParentsNeedTheViewGraph) {
  N top(root());
  ASSERT_VQ_OK(top.load_some_attributes(attributes({N::topology_pathnames})));
  EXPECT_EQ(vq_testing::got(top, &N::get_topology_pathnames), VQList<std::string>{"/Root"});

  N below(make("r", "Router", {root()}));
  EXPECT_VQ_ERROR_TEXT(below.load_some_attributes(attributes({N::topology_pathnames})),
                       Code::view_graph_not_cached, "VQTopoPlatform::view_topology_pathnames");
}

// A node that is not a view has no topoView object: its view attributes load as defaults
// without asking for one, and store as nothing, both successfully.
TEST_F(PersistenceTest, ViewAttributesOfANodeThatIsNotAView) {
  N node(make("r", "Router", {root()}));
  const VQIntegerSet view =
      attributes({N::view_background_image_filename, N::view_map_config_filename,
                  N::view_default_geo_area, N::view_config_data});
  EXPECT_VQ_ALL_OK(node.set_view_background_image_filename("x.png"),
                   node.set_view_config_data({{"a", "b"}}), node.store_some_attributes(view));
  const auto plan = vq_testing::installed_plan(platform());
  ASSERT_VQ_OK(node.load_some_attributes(view | attributes({N::type_name})));
  EXPECT_EQ(plan->requests_seen(), 1);  // the topoNode object alone
  std::string background = "unchanged";
  VQList<VQTopoNode::ViewConfigDatum> data;
  N::GeoLocation centre;
  double extent = 0;
  bool absent = false;
  EXPECT_VQ_ALL_OK(node.get_view_background_image_filename(background),
                   node.get_view_config_data(data),
                   node.get_view_default_geo_area(centre, extent, absent));
  EXPECT_EQ(background, "");
  EXPECT_TRUE(data.is_empty());
  EXPECT_TRUE(absent);
}

// A view whose topoView object cannot be booted is missing, not defaulted.
TEST_F(PersistenceTest, AViewWhoseViewObjectIsGoneIsMissingNotDefaulted) {
  N view(make("v", "Network", {root()}));
  vq_testing::installed_plan(platform())->fail_request(2, hvx::ErrorCode::no_such_object_instance);
  EXPECT_VQ_ERROR(view.load_some_attributes(attributes({N::type_name, N::view_config_data})),
                  Code::object_does_not_exist);
}

// A load reads only the objects that hold what it was asked for.
TEST_F(PersistenceTest, ALoadOfTopoNodeAttributesIsOneRequest) {
  N view(root());
  const auto plan = vq_testing::installed_plan(platform());
  EXPECT_VQ_OK(view.load_some_attributes(attributes({N::name, N::children})));
  EXPECT_EQ(plan->requests_seen(), 1);
}

TEST_F(PersistenceTest, ALoadActivatesEverythingAskedFor) {
  N node(make("m", "Hexagon", {root()}));
  const VQIntegerSet asked =
      attributes({N::cmip_agents, N::snmp_agents, N::rpc_agents, N::monitor_hidden_children,
                  N::monitor_max_visible_children, N::array_hidden_children, N::severity});
  ASSERT_VQ_OK(node.load_some_attributes(asked));
  EXPECT_EQ(vq_testing::active_of(node), asked | attributes({N::dn}));
  EXPECT_EQ(vq_testing::got(node, &N::get_monitor_max_visible_children), 6);
  EXPECT_TRUE(vq_testing::got(node, &N::get_cmip_agents).is_empty());
}

// Severities come from the alarms on a node's managed objects and flow up to its views.
TEST_F(PersistenceTest, SeveritiesFollowAlarms) {
  const VQTopoNodeDn campus = make("Campus", "Network", {root()});
  const std::string managed_object = "/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"";
  N router(make("r", "Router", {campus}, {managed_object}));
  ASSERT_NE(world_->raise_alarm("L", managed_object, N::major), 0);

  const VQIntegerSet severities = attributes({N::severity, N::propagated_severity});
  N view(campus);
  ASSERT_VQ_ALL_OK(router.load_some_attributes(severities), view.load_some_attributes(severities));
  EXPECT_EQ(vq_testing::got(router, &N::get_severity), N::major);
  EXPECT_EQ(vq_testing::got(view, &N::get_propagated_severity), N::major);
}

// A node on another system: its managed objects come back named from the local system.
TEST_F(PersistenceTest, RemoteManagedObjectsAreSeenFromHere) {
  const VQTopoNodeDn remote_root("/L/B", 1);
  ASSERT_TRUE(N(remote_root).exists());
  N node;
  EXPECT_VQ_ALL_OK(node.set_name("far"), node.set_type_name("Router"),
                   node.set_parents({remote_root}),
                   node.set_managed_objects({"/systemId=name:\"B\"/subsystemId=\"VQ-MIS\""}),
                   node.create_with_all_attributes());
  const VQTopoNodeDn dn = vq_testing::got(node, &N::get_dn);
  EXPECT_EQ(dn.system_name(), "/L/B");

  N loaded(dn);
  ASSERT_VQ_OK(loaded.load_some_attributes(attributes({N::managed_objects, N::parents})));
  EXPECT_EQ(vq_testing::got(loaded, &N::get_managed_objects),
            VQList<std::string>{VQTopoPlatform::instance()->system_fdn_str("/L/B") +
                                "/subsystemId=\"VQ-MIS\""});
  EXPECT_EQ(vq_testing::got(loaded, &N::get_parents), N::DnList{remote_root});
}

// Values of the wrong structure put straight into the server's objects, past its checks:
// a load reports the attribute's own error, and the rest of the selection stays inactive
// (the decoders' other errors are in the encoding test).
TEST_F(PersistenceTest, WrongStructuresOnTheServerGiveTheirAttributesError) {
  const VQTopoNodeDn view = make("v", "Network", {root()});
  const std::string node = view.slash_form();
  const std::string view_object = VQTopoNodeRep::topo_view_dn_slash_form(view);
  const std::string position = VQTopoNodeRep::topo_view_node_dn_slash_form(root(), view);
  const struct {
    std::string object;
    const char* attribute;
    int loaded;
    Code code;
    const char* message;
  } table[] = {
      {node, "topoNodeGeoLocation", N::geographical_location, Code::hvx_error,
       "VQTopoNode::geographical_location"},
      {node, "topoNodeUserData", N::user_data, Code::decode_error, "VQTopoNode::user_data"},
      {view_object, "topoViewMapInitialGeoArea", N::view_default_geo_area, Code::hvx_error,
       "VQTopoNode::default_geo_area"},
      {position, "topoViewNodePosition", N::logical_locations, Code::hvx_error,
       "VQTopoNode::logical_locations"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.attribute);
    const hvx::Status poked =
        hvx::overwrite_attribute(*world_, "L", row.object, row.attribute, hvx::ber::integer(5));
    ASSERT_TRUE(poked.ok()) << row.object << ": " << poked;
    N loaded(view);
    EXPECT_VQ_ERROR_TEXT(loaded.load_some_attributes(attributes({N::name, row.loaded})), row.code,
                         row.message);
    EXPECT_EQ(vq_testing::active_of(loaded), attributes({N::dn}));
  }
}
