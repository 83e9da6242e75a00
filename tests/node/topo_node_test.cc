#include "dedavuz_api/topo_node.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "dedavuz_api/topo_node_rep.h"
#include "node/topo_node_rep_access.h"
#include "support/vq_test.h"

namespace {

using N = VQTopoNode;
using Code = VQStatus::Code;
using Dns = VQList<VQTopoNodeDn>;
using Strings = VQList<std::string>;

// Names are built per test: the name constants they read are not there before main.
class TopoNodeTest : public ::testing::Test {
 protected:
  const VQTopoNodeDn kA{"testhost", 1};
  const VQTopoNodeDn kB{"testhost", 2};
  const VQTopoNodeDn kC{"testhost/remote", 3};
};

void expect_error(const VQStatus& status, Code code, const std::string& message) {
  EXPECT_VQ_ERROR(status, code);
  EXPECT_EQ(status.message(), message);
}

TEST_F(TopoNodeTest, FreshNodeAnswersGettersWithCode5AndTheQualifiedName) {
  const N node;
  std::string text;
  long number = 0;
  bool flag = false;
  double extent = 0;
  N::GeoLocation geo;
  Dns dns;
  N::Severity severity;
  hvx::Morf morf;
  N::Location location;
  const struct {
    std::function<VQStatus()> get;
    const char* message;
  } table[] = {
      {[&] { return node.get_name(text); }, "VQTopoNode::name"},
      {[&] { return node.get_parents(dns); }, "VQTopoNode::parents"},
      {[&] { return node.get_severity(severity); }, "VQTopoNode::severity"},
      {[&] { return node.get_geographical_location(geo, flag); },
       "VQTopoNode::geographical_location"},
      {[&] { return node.get_view_default_geo_area(geo, extent, flag); },
       "VQTopoNode::view_default_geo_area"},
      {[&] { return node.get_display_status("x", number); }, "VQTopoNode::display_status"},
      {[&] {
         VQList<N::DisplayStatus> statuses;
         return node.get_display_statuses(statuses);
       },
       "VQTopoNode::display_status"},
      {[&] { return node.get_user_datum("x", morf); }, "VQTopoNode::user_data"},
      {[&] { return node.get_view_config_datum("x", text); }, "VQTopoNode::view_config_data"},
      {[&] { return node.get_logical_location(kA, location); }, "VQTopoNode::logical_locations"},
      {[&] { return node.get_monitor_hidden_children(dns); },
       "VQTopoNode::monitor_hidden_children"},
      {[&] { return node.get_monitor_max_visible_children(number); },
       "VQTopoNode::monitor_max_visible_children"},
      {[&] { return node.get_array_hidden_children(dns); }, "VQTopoNode::array_hidden_children"},
  };
  for (const auto& row : table) {
    expect_error(row.get(), Code::attribute_not_set, row.message);
  }
  EXPECT_TRUE(dns.is_empty());
}

TEST_F(TopoNodeTest, SettersActivateAndGettersCopyOut) {
  N node(kA);
  VQTopoNodeDn dn;
  EXPECT_VQ_OK(node.get_dn(dn));
  EXPECT_EQ(dn, kA);
  EXPECT_VQ_OK(node.set_name("a"));
  std::string name;
  EXPECT_VQ_OK(node.get_name(name));
  EXPECT_EQ(name, "a");
  EXPECT_VQ_OK(node.set_parents({kA, kB}));
  Dns parents{kC};
  EXPECT_VQ_OK(node.get_parents(parents));
  EXPECT_EQ(parents.entries(), 2u);  // replaced, not appended to
  // The severity is the server's: setting it stores and activates nothing.
  EXPECT_VQ_OK(node.set_severity(N::critical));
  N::Severity severity = N::major;
  EXPECT_VQ_ERROR(node.get_severity(severity), Code::attribute_not_set);
  EXPECT_EQ(severity, N::major);
  VQIntegerSet active;
  node.get_active_attributes(active);
  EXPECT_EQ(active.num_members(), 3);
}

TEST_F(TopoNodeTest, AbsentValuesLeaveTheCallersValueAlone) {
  N node;
  const N::GeoLocation stored{2.5, 48.8};
  const N::GeoLocation untouched{-1, -1};
  N::GeoLocation geo = untouched;
  bool absent = false;
  EXPECT_VQ_OK(node.set_geographical_location(stored, true));
  EXPECT_VQ_OK(node.get_geographical_location(geo, absent));
  EXPECT_TRUE(absent);
  EXPECT_EQ(geo, untouched);
  EXPECT_VQ_OK(node.set_geographical_location(stored, false));
  EXPECT_VQ_OK(node.get_geographical_location(geo, absent));
  EXPECT_FALSE(absent);
  EXPECT_EQ(geo, stored);

  double extent = -1;
  EXPECT_VQ_OK(node.set_view_default_geo_area(stored, 7.5, false));
  EXPECT_VQ_OK(node.set_view_default_geo_area(untouched, 1.0, true));
  geo = untouched;
  EXPECT_VQ_OK(node.get_view_default_geo_area(geo, extent, absent));
  EXPECT_TRUE(absent);
  EXPECT_EQ(extent, -1);
  // An absent setting keeps what was stored before.
  EXPECT_VQ_OK(node.set_view_default_geo_area(untouched, 1.0, false));
  EXPECT_VQ_OK(node.get_view_default_geo_area(geo, extent, absent));
  EXPECT_EQ(extent, 1.0);

  long rotation = 99;
  EXPECT_VQ_OK(node.set_monitor_rotation(45, true));
  EXPECT_VQ_OK(node.get_monitor_rotation(rotation, absent));
  EXPECT_TRUE(absent);
  EXPECT_EQ(rotation, 99);
}

TEST_F(TopoNodeTest, NameListsAddAndRemove) {
  N node;
  // Stale entries of an inactive list are discarded by the first add.
  EXPECT_VQ_OK(node.set_parents({kB, kC}));
  VQIntegerSet parents(N::attribute_count);
  parents.add(N::parents);
  node.clear_some_attributes(parents);
  EXPECT_VQ_OK(node.add_parent(kA));
  expect_error(node.add_parent(kA), Code::already_exists, kA.slash_form());
  Dns got;
  EXPECT_VQ_OK(node.get_parents(got));
  EXPECT_EQ(got, Dns{kA});
  EXPECT_EQ(got.entries(), 1u);

  expect_error(node.remove_link(kA), Code::attribute_not_set, "VQTopoNode::links");
  EXPECT_VQ_OK(node.set_links({kA, kC, kA}));
  expect_error(node.remove_link(kB), Code::does_not_exist, kB.slash_form());
  EXPECT_VQ_OK(node.remove_link(kA));  // every equal entry goes
  EXPECT_VQ_OK(node.get_links(got));
  EXPECT_EQ(got.entries(), 1u);
  EXPECT_EQ(got[0], kC);
}

TEST_F(TopoNodeTest, KeyedListsAddReplaceAndRemove) {
  N node;
  EXPECT_VQ_OK(node.add_display_status("x", 1));
  EXPECT_VQ_OK(node.add_display_status("x", 2));
  EXPECT_VQ_OK(node.add_display_status("z", 3));  // a new label joins an active list
  VQList<N::DisplayStatus> statuses;
  EXPECT_VQ_OK(node.get_display_statuses(statuses));
  EXPECT_EQ(statuses, (VQList<N::DisplayStatus>{{"x", 2}, {"z", 3}}));
  long value = 0;
  expect_error(node.get_display_status("y", value), Code::key_not_found, "y");

  // Only the first entry with the key is replaced; a removal takes all of them.
  EXPECT_VQ_OK(node.set_view_config_data({{"k", "1"}, {"j", "2"}, {"k", "3"}}));
  EXPECT_VQ_OK(node.add_view_config_datum({"k", "4"}));
  VQList<N::ViewConfigDatum> data;
  EXPECT_VQ_OK(node.get_view_config_data(data));
  EXPECT_EQ(data[0].value, "4");
  EXPECT_EQ(data[2].value, "3");
  EXPECT_VQ_OK(node.remove_view_config_datum("k"));
  expect_error(node.remove_view_config_datum("k"), Code::key_not_found, "k");
  EXPECT_VQ_OK(node.get_view_config_data(data));
  EXPECT_EQ(data.entries(), 1u);

  hvx::Morf id("topoNodeId");
  ASSERT_TRUE(id.set_str("12"));
  EXPECT_VQ_OK(node.add_user_datum("topoNodeId", id));
  hvx::Morf got;
  EXPECT_VQ_OK(node.get_user_datum("topoNodeId", got));
  EXPECT_EQ(got.get_long(), 12);
  expect_error(node.remove_user_datum("other"), Code::key_not_found, "other");
}

TEST_F(TopoNodeTest, LogicalLocationsMoveOnlyWithinKnownParents) {
  N node;
  EXPECT_VQ_OK(node.set_logical_locations({{kB, {9, 9, 9}}}));
  node.clear_all_attributes();
  EXPECT_VQ_OK(node.set_logical_location(kA, {1, 2, 3}));  // starts afresh
  EXPECT_VQ_OK(node.set_logical_location(kA, {4, 5, 6}));
  expect_error(node.set_logical_location(kC, {0, 0, 0}), Code::key_not_found, kC.slash_form());
  VQList<N::LocationInParent> locations;
  EXPECT_VQ_OK(node.get_logical_locations(locations));
  ASSERT_EQ(locations.entries(), 1u);
  EXPECT_EQ(locations[0], N::LocationInParent(kA, {4, 5, 6}));
  N::Location location;
  expect_error(node.get_logical_location(kB, location), Code::key_not_found, kB.slash_form());
}

TEST_F(TopoNodeTest, ManagedObjectsAreCanonicalWhenSetAsAList) {
  const std::string plain = R"(/systemId="A")";
  const std::string canonical = R"(/systemId=name:"A")";
  const std::string other = R"(/systemId=name:"B")";
  const std::string malformed = R"(/systemId="A"/x)";
  N node;
  EXPECT_VQ_OK(node.set_managed_objects({plain, other}));
  Strings got;
  EXPECT_VQ_OK(node.get_managed_objects(got));
  EXPECT_EQ(got, (Strings{canonical, other}));

  // A failure keeps what was converted so far, and the attribute's activity as it was.
  expect_error(node.set_managed_objects({other, malformed, plain}), Code::invalid_argument,
               malformed);
  EXPECT_VQ_OK(node.get_managed_objects(got));
  EXPECT_EQ(got, Strings{other});
  N fresh;
  EXPECT_VQ_ERROR(fresh.set_managed_objects({malformed}), Code::invalid_argument);
  EXPECT_VQ_ERROR(fresh.get_managed_objects(got), Code::attribute_not_set);

  // Adding keeps the name as given; removing looks for its canonical form.
  expect_error(node.add_managed_object(malformed), Code::invalid_argument, malformed);
  EXPECT_VQ_OK(node.add_managed_object(plain));
  expect_error(node.add_managed_object(plain), Code::already_exists, plain);
  EXPECT_VQ_OK(node.get_managed_objects(got));
  EXPECT_EQ(got, (Strings{other, plain}));
  expect_error(node.remove_managed_object(plain), Code::does_not_exist, plain);
  expect_error(node.remove_managed_object(malformed), Code::invalid_argument, malformed);
  EXPECT_VQ_OK(node.remove_managed_object(R"(/systemId="B")"));
  EXPECT_VQ_OK(node.get_managed_objects(got));
  EXPECT_EQ(got, Strings{plain});
  expect_error(fresh.remove_managed_object(plain), Code::attribute_not_set,
               "VQTopoNode::managed_objects");
}

TEST_F(TopoNodeTest, AnInactiveManagedObjectListIsLeftAloneByARefusedAdd) {
  N node;
  EXPECT_VQ_OK(node.set_managed_objects({R"(/systemId="A")"}));
  node.clear_all_attributes();
  EXPECT_VQ_ERROR(node.add_managed_object("/nonsense=1"), Code::invalid_argument);
  Strings got;
  EXPECT_VQ_ERROR(node.get_managed_objects(got), Code::attribute_not_set);
}

TEST_F(TopoNodeTest, MonitorVisibleChildrenAreLimitedByType) {
  const struct {
    const char* type;
    long limit;
  } table[] = {{"OmniSector", 1}, {"Hexagon", 6}, {"Hexagon120", 3}, {"hexagon", 36}, {"", 36}};
  const std::string refused =
      "VQTopoNode::monitor_visible_children, because max number of visible children is exceeded";
  for (const auto& row : table) {
    SCOPED_TRACE(row.type);
    N node;
    EXPECT_VQ_OK(node.set_type_name(row.type));
    Dns full;
    for (long i = 0; i < row.limit; ++i) {
      EXPECT_VQ_OK(node.add_monitor_visible_child({"testhost", i}));
      full.append({"testhost", i});
    }
    const VQTopoNodeDn extra("testhost", 100);
    expect_error(node.add_monitor_visible_child(extra), Code::cannot_set_attribute, refused);
    // A duplicate is a duplicate, even in a full list.
    EXPECT_VQ_ERROR(node.add_monitor_visible_child({"testhost", 0}), Code::already_exists);
    full.append(extra);
    N other;
    EXPECT_VQ_OK(other.set_type_name(row.type));
    expect_error(other.set_monitor_visible_children(full), Code::cannot_set_attribute, refused);
    Dns got;
    EXPECT_VQ_ERROR(other.get_monitor_visible_children(got), Code::attribute_not_set);
  }
}

TEST_F(TopoNodeTest, MaxVisibleChildrenIsKnownForMonitorTypesOnly) {
  const struct {
    const char* type;
    long max;  // 0: code 14 with the type name
  } table[] = {{"OmniSector", 1}, {"Hexagon", 6}, {"Hexagon120", 3},
               {"Circle", 36},    {"Router", 0},  {"", 0}};
  for (const auto& row : table) {
    VQTopoNodeRep rep;
    EXPECT_VQ_OK(rep.set_type_name(row.type));
    VQTopoNodeRepAccess::activate(rep, {N::monitor_max_visible_children});
    long max = -1;
    const VQStatus status = rep.get_monitor_max_visible_children(max);
    if (row.max == 0) {
      expect_error(status, Code::invalid_argument, row.type);
      EXPECT_EQ(max, -1);
    } else {
      EXPECT_VQ_OK(status);
      EXPECT_EQ(max, row.max) << row.type;
    }
  }
}

TEST_F(TopoNodeTest, HiddenChildrenAreAppendedToTheCallersList) {
  VQTopoNodeRep rep;
  VQTopoNodeRepAccess::children(rep) = {kA, kB, kC};
  EXPECT_VQ_OK(rep.set_monitor_visible_children({kB}));
  EXPECT_VQ_OK(rep.set_array_visible_children({kA, kC}));
  VQTopoNodeRepAccess::activate(rep, {N::monitor_hidden_children, N::array_hidden_children});
  const VQTopoNodeDn kept("other", 7);
  Dns hidden{kept};
  EXPECT_VQ_OK(rep.get_monitor_hidden_children(hidden));
  EXPECT_EQ(hidden, (Dns{kept, kA, kC}));
  hidden.clear();
  EXPECT_VQ_OK(rep.get_array_hidden_children(hidden));
  EXPECT_EQ(hidden, Dns{kB});
}

TEST_F(TopoNodeTest, CopiesAreDeep) {
  N source(kA);
  EXPECT_VQ_OK(source.set_name("a"));
  N copy(source);
  EXPECT_VQ_OK(copy.set_name("b"));
  copy.clear_all_attributes();
  std::string name;
  EXPECT_VQ_OK(source.get_name(name));
  EXPECT_EQ(name, "a");
  VQIntegerSet active;
  source.get_active_attributes(active);
  EXPECT_EQ(active.num_members(), 2);
  N& alias = source;
  source = alias;
  EXPECT_VQ_OK(source.get_name(name));
  copy = source;
  EXPECT_TRUE(copy == source);
  VQTopoNodeDn dn;
  EXPECT_VQ_ERROR(N().get_dn(dn), Code::attribute_not_set);
}

// Records the sets the _all_ forms pass on.
class RecordingRep : public VQTopoNodeRep {
 public:
  VQStatus create_with_some_attributes(const VQIntegerSet& attributes) override {
    passed = attributes;
    return VQStatus::success;
  }
  VQStatus load_some_attributes(const VQIntegerSet& attributes) override {
    passed = attributes;
    return VQStatus::success;
  }
  VQStatus store_some_attributes(const VQIntegerSet& attributes) override {
    passed = attributes;
    return VQStatus::success;
  }
  VQIntegerSet passed;
};

TEST_F(TopoNodeTest, AllFormsGoThroughTheSomeForms) {
  RecordingRep rep;
  EXPECT_VQ_OK(rep.set_dn(kA));
  EXPECT_VQ_OK(rep.set_name("a"));
  EXPECT_VQ_OK(rep.set_monitor_visible_children({kB}));
  VQIntegerSet expected(N::attribute_count);
  expected.add(N::name);
  EXPECT_VQ_OK(rep.create_with_all_attributes());
  EXPECT_EQ(rep.passed, expected);
  expected.add(N::monitor_visible_children);
  EXPECT_VQ_OK(rep.store_all_attributes());
  EXPECT_EQ(rep.passed, expected);
  EXPECT_VQ_OK(rep.load_all_attributes());
  EXPECT_EQ(rep.passed, VQIntegerSet(N::attribute_count, true));
}

TEST_F(TopoNodeTest, ServerOperationsNeedThePlatformObject) {
  N node(kA);
  EXPECT_VQ_OK(node.set_name("a"));
  EXPECT_VQ_OK(node.set_type_name("Router"));
  EXPECT_VQ_OK(node.set_parents({kB}));
  VQIntegerSet name(N::attribute_count);
  name.add(N::name);
  const char* const kMessage = "VQTopoPlatform not initialized";
  EXPECT_FALSE(node.exists());
  expect_error(node.load_some_attributes(name), Code::hvx_error, kMessage);
  expect_error(node.store_some_attributes(name), Code::hvx_error, kMessage);
  expect_error(node.create_with_all_attributes(), Code::hvx_error, kMessage);
  expect_error(node.destroy(), Code::hvx_error, kMessage);
}

}  // namespace
