// Node attribute values encoded into images and decoded from platform values, without a
// server: staging is local, and decoding reads values built here.
#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "hvx/asn1.h"
#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/platform.h"
#include "hvx/syntax.h"
#include "node/populated_node.h"
#include "node/topo_node_rep_access.h"
#include "support/asn1_values.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using Code = VQStatus::Code;
using N = VQTopoNode;
using Rep = VQTopoNodeRep;
using hvx::Asn1Value;

const VQTopoNodeDn kNode("testhost", 7);

using hvx::ber::integer;
using hvx::ber::null_value;
using vq_testing::real;
using vq_testing::seq;
using vq_testing::set;

Asn1Value text(const std::string& s) { return hvx::ber::octets(s, hvx::TAG_GRAPHSTR); }

// Any value at all, as a server that does not check its values could send it.
hvx::Morf any(const Asn1Value& value) { return hvx::Morf(hvx::Syntax::parse("ANY"), value); }

VQIntegerSet gdmo(std::initializer_list<long> members) {
  return vq_testing::set_of(Rep::gdmo_attribute_count, members);
}

hvx::Image image() { return hvx::Image("NONE", "topoNode", hvx::Platform::default_platform()); }

// The staged value of a server attribute, in value notation.
std::string staged(hvx::Image& image, const char* attribute) {
  return image.get_set_str(attribute, 1).str();
}

TEST(NodeEncodingTest, SetsOfTheWrongSizeAreRefused) {
  Rep rep(kNode);
  hvx::Image target = image();
  const VQIntegerSet interface_sized(N::attribute_count);
  for (const VQStatus& status :
       {rep.get_some_attributes_in_image(Rep::topo_node, target, interface_sized),
        rep.set_some_attributes_in_image(Rep::topo_node, target, interface_sized)}) {
    EXPECT_VQ_ERROR_TEXT(status, Code::invalid_argument, "VQIntegerSet wrong size");
  }
}

TEST(NodeEncodingTest, MonitorRotationIsKeptBelowAFullTurn) {
  const struct {
    long sent;
    long stored;
  } table[] = {{370, 10}, {-30, -30}, {360, 0}, {-725, -5}, {359, 359}};
  for (const auto& row : table) {
    hvx::Morf value = any(seq({integer(row.sent), set({integer(3), integer(4)})}));
    long rotation = 0;
    bool absent = true;
    Rep decoded(kNode);
    ASSERT_VQ_OK(decoded.get_attribute_from_morf(Rep::topo_node, Rep::topo_node_monitor, value));
    VQTopoNodeRepAccess::activate(decoded, {N::monitor_rotation, N::monitor_visible_children});
    EXPECT_VQ_OK(decoded.get_monitor_rotation(rotation, absent));
    EXPECT_FALSE(absent);
    EXPECT_EQ(rotation, row.stored) << row.sent;
    EXPECT_EQ(vq_testing::got(decoded, &Rep::get_monitor_visible_children),
              (N::DnList{{"testhost", 3}, {"testhost", 4}}));
  }
}

TEST(NodeEncodingTest, MonitorIsNullOnlyWithoutRotationAndVisibleChildren) {
  Rep rep(kNode);
  EXPECT_VQ_OK(rep.set_monitor_rotation(0, true));
  hvx::Image target = image();
  ASSERT_VQ_OK(
      rep.set_some_attributes_in_image(Rep::topo_node, target, gdmo({Rep::topo_node_monitor})));
  EXPECT_EQ(staged(target, "topoNodeMonitor"), "none : NULL");

  // The rotation stored beside the absent flag goes out with the visible children.
  EXPECT_VQ_ALL_OK(rep.set_monitor_rotation(45, false), rep.set_monitor_rotation(0, true));
  VQTopoNodeRepAccess::monitor_visible_children(rep) = {{"testhost", 9}};
  ASSERT_VQ_OK(
      rep.set_some_attributes_in_image(Rep::topo_node, target, gdmo({Rep::topo_node_monitor})));
  EXPECT_EQ(staged(target, "topoNodeMonitor"), "monitor : {45,{9}}");

  // Read back, a monitor sent as NULL has no rotation and no visible children.
  hvx::Morf null_monitor = any(null_value());
  ASSERT_VQ_OK(rep.get_attribute_from_morf(Rep::topo_node, Rep::topo_node_monitor, null_monitor));
  long rotation = 0;
  bool absent = false;
  EXPECT_VQ_OK(rep.get_monitor_rotation(rotation, absent));
  EXPECT_TRUE(absent);
  EXPECT_TRUE(VQTopoNodeRepAccess::monitor_visible_children(rep).is_empty());
}

TEST(NodeEncodingTest, GeographicalLocationIsLatitudeThenLongitude) {
  Rep rep(kNode);
  const N::GeoLocation paris{.longitude = 2.5, .latitude = 48.8};
  hvx::Image target = image();
  ASSERT_VQ_ALL_OK(rep.set_geographical_location(paris, false),
                   rep.set_some_attributes_in_image(Rep::topo_node, target,
                                                    gdmo({Rep::topo_node_geo_location})));
  EXPECT_EQ(staged(target, "topoNodeGeoLocation"), "location : {48.8,2.5}");

  Rep decoded(kNode);
  hvx::Morf value = any(seq({real(48.8), real(2.5)}));
  ASSERT_VQ_OK(decoded.get_attribute_from_morf(Rep::topo_node, Rep::topo_node_geo_location, value));
  VQTopoNodeRepAccess::activate(decoded, {N::geographical_location});
  N::GeoLocation got;
  bool absent = true;
  EXPECT_VQ_OK(decoded.get_geographical_location(got, absent));
  EXPECT_FALSE(absent);
  EXPECT_EQ(got, paris);
}

TEST(NodeEncodingTest, EveryWrittenAttributeHasItsForm) {
  Rep rep(kNode);
  EXPECT_VQ_ALL_OK(
      rep.set_name("a\xff"), rep.set_parents({{"testhost", 1}, {"elsewhere", 2}}),
      rep.set_is_severity_propagated(false), rep.set_display_statuses({{"up", 1}, {"down", -2}}),
      rep.set_array_cell_size({}), rep.set_bus_logical_locations({{1, -2, 3}, {4, 5, -6}}),
      rep.set_view_default_geo_area({}, 0.5, false), rep.set_view_config_data({{"k", "v"}}));
  hvx::Image target = image();
  ASSERT_VQ_OK(rep.set_some_attributes_in_image(
      Rep::topo_node, target,
      gdmo({Rep::topo_node_name, Rep::topo_node_parents, Rep::topo_node_propagate_up,
            Rep::topo_node_display_status, Rep::topo_node_array_cell_size,
            Rep::topo_node_bus_points, Rep::topo_view_map_initial_geo_area})));
  EXPECT_EQ(staged(target, "topoNodeName"), "\"a\\377\"");
  // Only the ids: a node's references stay within its own system.
  EXPECT_EQ(staged(target, "topoNodeParents"), "{1,2}");
  EXPECT_EQ(staged(target, "topoNodePropagateUp"), "0");
  EXPECT_EQ(staged(target, "topoNodeDisplayStatus"), "{{\"up\",1},{\"down\",-2}}");
  EXPECT_EQ(staged(target, "topoNodeArrayCellSize"), "{0,25}");
  EXPECT_EQ(staged(target, "topoNodeBusPoints"), "{{1,-2,3},{4,5,-6}}");
  // A topoView attribute is not written with the topoNode ones.
  EXPECT_EQ(staged(target, "topoViewMapInitialGeoArea"), "");

  ASSERT_VQ_OK(rep.set_some_attributes_in_image(
      Rep::topo_view, target,
      gdmo({Rep::topo_view_map_initial_geo_area, Rep::topo_view_config_data})));
  EXPECT_EQ(staged(target, "topoViewMapInitialGeoArea"), "area : {0.0,0.0,0.5}");
  EXPECT_EQ(staged(target, "topoViewConfigData"), "{{\"k\",\"v\"}}");

  ASSERT_VQ_OK(Rep::set_position_in_topo_view_node_image(target, {-1, 0, 1}));
  EXPECT_EQ(staged(target, "topoViewNodePosition"), "{-1,0,1}");
}

TEST(NodeEncodingTest, UserDataNeedRegisteredNamesAndValues) {
  const hvx::Morf layer = node_testing::text_morf("topoNodeLayer", "x");
  const struct {
    const char* name;
    hvx::Morf value;
    Code code;
    const char* message;
  } table[] = {
      {"noSuchAttribute", layer, Code::attribute_not_registered, "noSuchAttribute"},
      {"topoNodeLayer", hvx::Morf("topoNodeLayer"), Code::cannot_set_attribute,
       "VQTopoNode::object description data invalid"},
      {"topoNodeLayer", layer, Code::success, ""},
  };
  hvx::Image target = image();
  for (const auto& row : table) {
    Rep rep(kNode);
    EXPECT_VQ_OK(rep.add_user_datum(row.name, row.value));
    EXPECT_VQ_ERROR_TEXT(
        rep.set_some_attributes_in_image(Rep::topo_node, target, gdmo({Rep::topo_node_user_data})),
        row.code, row.message);
  }
  // The datum's attribute identifier, then its value as its own encoding ("x").
  EXPECT_EQ(staged(target, "topoNodeUserData"), "{{{ 1 3 6 1 4 1 7351 2 2 2 40 7 10 },'190178'H}}");
}

TEST(NodeEncodingTest, AManagedObjectThePlatformCannotNameIsNotWritten) {
  Rep rep(kNode);
  VQTopoNodeRepAccess::managed_objects(rep) = {"/systemId=name:\"A\"", "/noSuchAttribute=1"};
  hvx::Image target = image();
  EXPECT_VQ_ERROR_TEXT(
      rep.set_some_attributes_in_image(Rep::topo_node, target, gdmo({Rep::topo_node_mo_set})),
      Code::encode_error, "VQTopoNode::managed_objects");
}

// Values of the wrong structure: each gives its attribute's own code and message, never a
// crash (those a load from the server meets first are in the wrong-structure test).
TEST(NodeEncodingTest, WrongStructuresGiveTheirAttributesError) {
  const struct {
    Rep::GdmoObjectClass object_class;
    Rep::GdmoAttribute attribute;
    Asn1Value value;
    Code code;
    const char* message;
  } table[] = {
      {Rep::topo_node, Rep::topo_node_display_status, set({integer(1)}), Code::hvx_error,
       "VQTopoNode::display_statuses"},
      {Rep::topo_node, Rep::topo_node_display_status, set({seq({integer(1), integer(2)})}),
       Code::hvx_error, "VQTopoNode::display_statuses"},
      {Rep::topo_node, Rep::topo_node_geo_location, seq({real(1)}), Code::hvx_error,
       "VQTopoNode::geographical_location"},
      {Rep::topo_node, Rep::topo_node_geo_location, Asn1Value(), Code::hvx_error,
       "VQTopoNode::geographical_location"},
      {Rep::topo_node, Rep::topo_node_monitor, seq({integer(1), set({text("x")})}),
       Code::decode_error, "VQTopoNode::monitor_rotation"},
      {Rep::topo_node, Rep::topo_node_user_data, set({integer(1)}), Code::decode_error,
       "VQTopoNode::user_data"},
      {Rep::topo_node, Rep::topo_node_user_data, set({seq({integer(1), integer(2)})}),
       Code::decode_error, "VQTopoNode::user_data"},
      {Rep::topo_node, Rep::topo_node_user_data,
       set({seq({hvx::ber::oid(hvx::Oid("1.2.3.4")), integer(2)})}), Code::attribute_not_registered,
       "1.2.3.4"},
      {Rep::topo_node, Rep::topo_node_array_cell_size, set({integer(1), integer(2)}),
       Code::hvx_error, "VQTopoNode::array_cell_size"},
      {Rep::topo_node, Rep::topo_node_array_cell_size, seq({integer(-1), integer(2)}),
       Code::hvx_error, "VQTopoNode::array_cell_size"},
      {Rep::topo_node, Rep::topo_node_bus_points, seq({integer(1)}), Code::hvx_error,
       "VQTopoNode::bus_logical_locations"},
      {Rep::topo_node, Rep::topo_node_bus_points, seq({seq({integer(1), integer(2)})}),
       Code::hvx_error, "VQTopoNode::bus_logical_locations"},
      {Rep::topo_view, Rep::topo_view_config_data, set({text("x")}), Code::hvx_error,
       "VQTopoNode::view_config_data"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.message);
    Rep rep(kNode);
    hvx::Morf value = any(row.value);
    EXPECT_VQ_ERROR_TEXT(rep.get_attribute_from_morf(row.object_class, row.attribute, value),
                         row.code, row.message);
  }
}

// Lists in a form other than the expected collection are read as empty.
TEST(NodeEncodingTest, ListsOfAnotherFormAreEmpty) {
  Rep rep(kNode);
  EXPECT_VQ_ALL_OK(rep.set_display_statuses({{"old", 1}}),
                   rep.set_bus_logical_locations({{1, 1, 1}}),
                   rep.set_view_config_data({{"old", "1"}}), rep.set_user_data({}));
  hvx::Morf sequence = any(seq({seq({text("a"), integer(1)})}));
  hvx::Morf a_set = any(set({seq({integer(1), integer(2), integer(3)})}));
  hvx::Morf null_data = any(null_value());
  EXPECT_VQ_OK(
      rep.get_attribute_from_morf(Rep::topo_node, Rep::topo_node_display_status, sequence));
  EXPECT_VQ_OK(rep.get_attribute_from_morf(Rep::topo_node, Rep::topo_node_bus_points, a_set));
  EXPECT_VQ_OK(rep.get_attribute_from_morf(Rep::topo_view, Rep::topo_view_config_data, sequence));
  EXPECT_VQ_OK(rep.get_attribute_from_morf(Rep::topo_node, Rep::topo_node_user_data, null_data));
  EXPECT_EQ(vq_testing::printed(rep),
            "                            dn: testhost:7\n"
            "              display_statuses: { }\n"
            "              view_config_data: { }\n"
            "         bus_logical_locations: { }\n");
  EXPECT_TRUE(vq_testing::got(rep, &Rep::get_user_data).is_empty());
}

// Attributes with no field, and classes other than topoNode and topoView, change nothing.
TEST(NodeEncodingTest, AttributesWithoutFieldsAreSkipped) {
  Rep rep(kNode);
  ASSERT_VQ_OK(rep.set_name("kept"));
  hvx::Morf value = any(text("other"));
  for (const auto& [object_class, attribute] : {std::pair{Rep::topo_node, Rep::topo_node_id},
                                                {Rep::topo_node, Rep::topo_node_managed},
                                                {Rep::topo_node, Rep::topo_view_background_image},
                                                {Rep::topo_view, Rep::topo_node_name},
                                                {Rep::topo_view_node, Rep::topo_node_name}}) {
    EXPECT_VQ_OK(rep.get_attribute_from_morf(object_class, attribute, value));
  }
  EXPECT_EQ(vq_testing::got(rep, &Rep::get_name), "kept");
}

}  // namespace
