#include "dedavuz_api/topo_node.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dedavuz_api/topo_node_rep.h"
#include "node/topo_node_rep_access.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using N = VQTopoNode;
using Code = VQStatus::Code;
using Dns = VQList<VQTopoNodeDn>;
using Strings = VQList<std::string>;
using vq_testing::got;

VQIntegerSet attributes_of(std::initializer_list<long> members) {
  return vq_testing::set_of(N::attribute_count, members);
}

// Names are built per test: the name constants they read are not there before main.
class TopoNodeTest : public ::testing::Test {
 protected:
  const VQTopoNodeDn kA{"testhost", 1};
  const VQTopoNodeDn kB{"testhost", 2};
  const VQTopoNodeDn kC{"testhost/remote", 3};
};

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
  VQList<N::DisplayStatus> statuses;
  const std::pair<VQStatus, const char*> table[] = {
      {node.get_name(text), "VQTopoNode::name"},
      {node.get_parents(dns), "VQTopoNode::parents"},
      {node.get_severity(severity), "VQTopoNode::severity"},
      {node.get_geographical_location(geo, flag), "VQTopoNode::geographical_location"},
      {node.get_view_default_geo_area(geo, extent, flag), "VQTopoNode::view_default_geo_area"},
      {node.get_display_status("x", number), "VQTopoNode::display_status"},
      {node.get_display_statuses(statuses), "VQTopoNode::display_status"},
      {node.get_user_datum("x", morf), "VQTopoNode::user_data"},
      {node.get_view_config_datum("x", text), "VQTopoNode::view_config_data"},
      {node.get_logical_location(kA, location), "VQTopoNode::logical_locations"},
      {node.get_monitor_hidden_children(dns), "VQTopoNode::monitor_hidden_children"},
      {node.get_monitor_max_visible_children(number), "VQTopoNode::monitor_max_visible_children"},
      {node.get_array_hidden_children(dns), "VQTopoNode::array_hidden_children"},
  };
  for (const auto& [status, message] : table) {
    EXPECT_VQ_ERROR_TEXT(status, Code::attribute_not_set, message);
  }
  EXPECT_TRUE(dns.is_empty());
}

TEST_F(TopoNodeTest, SettersActivateAndGettersCopyOut) {
  N node(kA);
  EXPECT_VQ_ALL_OK(node.set_name("a"), node.set_parents({kA, kB}));
  Dns parents{kC};
  EXPECT_VQ_OK(node.get_parents(parents));
  EXPECT_EQ(parents.entries(), 2u);  // replaced, not appended to
  // The severity is the server's: setting it stores and activates nothing.
  EXPECT_VQ_OK(node.set_severity(N::critical));
  N::Severity severity = N::major;
  EXPECT_VQ_ERROR(node.get_severity(severity), Code::attribute_not_set);
  EXPECT_EQ(severity, N::major);
  EXPECT_EQ(vq_testing::active_of(node).num_members(), 3);
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
  EXPECT_VQ_ALL_OK(node.set_geographical_location(stored, false),
                   node.get_geographical_location(geo, absent));
  EXPECT_FALSE(absent);
  EXPECT_EQ(geo, stored);

  double extent = -1;
  EXPECT_VQ_ALL_OK(node.set_view_default_geo_area(stored, 7.5, false),
                   node.set_view_default_geo_area(untouched, 1.0, true),
                   node.get_view_default_geo_area(geo, extent, absent));
  EXPECT_TRUE(absent);
  EXPECT_EQ(extent, -1);
  // An absent setting keeps what was stored before.
  EXPECT_VQ_ALL_OK(node.set_view_default_geo_area(untouched, 1.0, false),
                   node.get_view_default_geo_area(geo, extent, absent));
  EXPECT_EQ(extent, 1.0);

  long rotation = 99;
  EXPECT_VQ_ALL_OK(node.set_monitor_rotation(45, true),
                   node.get_monitor_rotation(rotation, absent));
  EXPECT_TRUE(absent);
  EXPECT_EQ(rotation, 99);
}

TEST_F(TopoNodeTest, NameListsAddAndRemove) {
  N node;
  // Stale entries of an inactive list are discarded by the first add.
  EXPECT_VQ_OK(node.set_parents({kB, kC}));
  node.clear_some_attributes(attributes_of({N::parents}));
  EXPECT_VQ_OK(node.add_parent(kA));
  EXPECT_VQ_ERROR_TEXT(node.add_parent(kA), Code::already_exists, kA.slash_form());
  EXPECT_EQ(got(node, &N::get_parents), Dns{kA});

  EXPECT_VQ_ERROR_TEXT(node.remove_link(kA), Code::attribute_not_set, "VQTopoNode::links");
  EXPECT_VQ_OK(node.set_links({kA, kC, kA}));
  EXPECT_VQ_ERROR_TEXT(node.remove_link(kB), Code::does_not_exist, kB.slash_form());
  EXPECT_VQ_OK(node.remove_link(kA));  // every equal entry goes
  EXPECT_EQ(got(node, &N::get_links), Dns{kC});
}

TEST_F(TopoNodeTest, KeyedListsAddReplaceAndRemove) {
  N node;
  // A new label joins an active list.
  EXPECT_VQ_ALL_OK(node.add_display_status("x", 1), node.add_display_status("x", 2),
                   node.add_display_status("z", 3));
  EXPECT_EQ(got(node, &N::get_display_statuses), (VQList<N::DisplayStatus>{{"x", 2}, {"z", 3}}));
  long value = 0;
  EXPECT_VQ_ERROR_TEXT(node.get_display_status("y", value), Code::key_not_found, "y");

  // Only the first entry with the key is replaced; a removal takes all of them.
  EXPECT_VQ_ALL_OK(node.set_view_config_data({{"k", "1"}, {"j", "2"}, {"k", "3"}}),
                   node.add_view_config_datum({"k", "4"}));
  EXPECT_EQ(got(node, &N::get_view_config_data),
            (VQList<N::ViewConfigDatum>{{"k", "4"}, {"j", "2"}, {"k", "3"}}));
  EXPECT_VQ_OK(node.remove_view_config_datum("k"));
  EXPECT_VQ_ERROR_TEXT(node.remove_view_config_datum("k"), Code::key_not_found, "k");
  EXPECT_EQ(got(node, &N::get_view_config_data).entries(), 1u);

  hvx::Morf id("topoNodeId");
  ASSERT_TRUE(id.set_str("12"));
  hvx::Morf datum;
  EXPECT_VQ_ALL_OK(node.add_user_datum("topoNodeId", id), node.get_user_datum("topoNodeId", datum));
  EXPECT_EQ(datum.get_long(), 12);
  EXPECT_VQ_ERROR_TEXT(node.remove_user_datum("other"), Code::key_not_found, "other");
}

TEST_F(TopoNodeTest, LogicalLocationsMoveOnlyWithinKnownParents) {
  N node;
  EXPECT_VQ_OK(node.set_logical_locations({{kB, {9, 9, 9}}}));
  node.clear_all_attributes();
  EXPECT_VQ_OK(node.set_logical_location(kA, {1, 2, 3}));  // starts afresh
  EXPECT_VQ_OK(node.set_logical_location(kA, {4, 5, 6}));
  EXPECT_VQ_ERROR_TEXT(node.set_logical_location(kC, {0, 0, 0}), Code::key_not_found,
                       kC.slash_form());
  EXPECT_EQ(got(node, &N::get_logical_locations),
            VQList<N::LocationInParent>{N::LocationInParent(kA, {4, 5, 6})});
  N::Location location;
  EXPECT_VQ_ERROR_TEXT(node.get_logical_location(kB, location), Code::key_not_found,
                       kB.slash_form());
}

TEST_F(TopoNodeTest, ManagedObjectsAreCanonicalWhenSetAsAList) {
  const std::string plain = R"(/systemId="A")";
  const std::string canonical = R"(/systemId=name:"A")";
  const std::string other = R"(/systemId=name:"B")";
  const std::string malformed = R"(/systemId="A"/x)";
  N node;
  EXPECT_VQ_OK(node.set_managed_objects({plain, other}));
  EXPECT_EQ(got(node, &N::get_managed_objects), (Strings{canonical, other}));

  // A failure keeps what was converted so far, and the attribute's activity as it was.
  EXPECT_VQ_ERROR_TEXT(node.set_managed_objects({other, malformed, plain}), Code::invalid_argument,
                       malformed);
  EXPECT_EQ(got(node, &N::get_managed_objects), Strings{other});
  N fresh;
  EXPECT_VQ_ERROR(fresh.set_managed_objects({malformed}), Code::invalid_argument);
  EXPECT_VQ_ERROR(fresh.add_managed_object(malformed), Code::invalid_argument);
  Strings none;
  EXPECT_VQ_ERROR(fresh.get_managed_objects(none), Code::attribute_not_set);

  // Adding keeps the name as given; removing looks for its canonical form.
  EXPECT_VQ_ERROR_TEXT(node.add_managed_object(malformed), Code::invalid_argument, malformed);
  EXPECT_VQ_OK(node.add_managed_object(plain));
  EXPECT_VQ_ERROR_TEXT(node.add_managed_object(plain), Code::already_exists, plain);
  EXPECT_EQ(got(node, &N::get_managed_objects), (Strings{other, plain}));
  EXPECT_VQ_ERROR_TEXT(node.remove_managed_object(plain), Code::does_not_exist, plain);
  EXPECT_VQ_ERROR_TEXT(node.remove_managed_object(malformed), Code::invalid_argument, malformed);
  EXPECT_VQ_OK(node.remove_managed_object(R"(/systemId="B")"));
  EXPECT_EQ(got(node, &N::get_managed_objects), Strings{plain});
  EXPECT_VQ_ERROR_TEXT(fresh.remove_managed_object(plain), Code::attribute_not_set,
                       "VQTopoNode::managed_objects");
}

// The type bounds the visible children of a monitor; only monitor types know the bound.
TEST_F(TopoNodeTest, MonitorVisibleChildrenAreLimitedByType) {
  // Each type, the children it takes and the bound it reports (0: code 14 with its name).
  const std::tuple<const char*, long, long> table[] = {
      {"OmniSector", 1, 1}, {"Hexagon", 6, 6}, {"Hexagon120", 3, 3}, {"Circle", 36, 36},
      {"hexagon", 36, 0},   {"Router", 36, 0}, {"", 36, 0}};
  const std::string refused =
      "VQTopoNode::monitor_visible_children, because max number of visible children is exceeded";
  for (const auto& [type, limit, bound] : table) {
    SCOPED_TRACE(type);
    N node;
    EXPECT_VQ_OK(node.set_type_name(type));
    Dns full;
    for (long i = 0; i < limit; ++i) {
      EXPECT_VQ_OK(node.add_monitor_visible_child({"testhost", i}));
      full.append({"testhost", i});
    }
    const VQTopoNodeDn extra("testhost", 100);
    EXPECT_VQ_ERROR_TEXT(node.add_monitor_visible_child(extra), Code::cannot_set_attribute,
                         refused);
    // A duplicate is a duplicate, even in a full list.
    EXPECT_VQ_ERROR(node.add_monitor_visible_child({"testhost", 0}), Code::already_exists);
    full.append(extra);
    N other;
    EXPECT_VQ_OK(other.set_type_name(type));
    EXPECT_VQ_ERROR_TEXT(other.set_monitor_visible_children(full), Code::cannot_set_attribute,
                         refused);
    EXPECT_VQ_ERROR(other.get_monitor_visible_children(full), Code::attribute_not_set);

    VQTopoNodeRep rep;
    EXPECT_VQ_OK(rep.set_type_name(type));
    VQTopoNodeRepAccess::activate(rep, {N::monitor_max_visible_children});
    long max = -1;
    const VQStatus status = rep.get_monitor_max_visible_children(max);
    if (bound == 0) {
      EXPECT_VQ_ERROR_TEXT(status, Code::invalid_argument, type);
      EXPECT_EQ(max, -1);
    } else {
      EXPECT_VQ_OK(status);
      EXPECT_EQ(max, bound);
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
  EXPECT_EQ(got(source, &N::get_name), "a");
  EXPECT_EQ(vq_testing::active_of(source).num_members(), 2);
  N& alias = source;
  source = alias;
  EXPECT_EQ(got(source, &N::get_name), "a");
  copy = source;
  EXPECT_TRUE(copy == source);
  EXPECT_VQ_OK(copy.set_links({kB}));
  EXPECT_TRUE(source == copy);  // compared over the left side's active attributes
  EXPECT_TRUE(copy != source);
  VQIntegerSet differing(N::attribute_count);
  EXPECT_TRUE(copy.diff_all_attributes(source, differing));
  EXPECT_EQ(differing, attributes_of({N::links}));
  EXPECT_FALSE(copy.compare_some_attributes(source, differing));
  VQTopoNodeDn dn;
  EXPECT_VQ_ERROR(N().get_dn(dn), Code::attribute_not_set);
}

// Records the sets the _all_ forms pass on.
class RecordingRep : public VQTopoNodeRep {
 public:
  VQStatus create_with_some_attributes(const VQIntegerSet& set) override { return record(set); }
  VQStatus load_some_attributes(const VQIntegerSet& set) override { return record(set); }
  VQStatus store_some_attributes(const VQIntegerSet& set) override { return record(set); }
  VQStatus record(const VQIntegerSet& set) {
    passed = set;
    return VQStatus::success;
  }
  VQIntegerSet passed;
};

TEST_F(TopoNodeTest, AllFormsGoThroughTheSomeForms) {
  RecordingRep rep;
  EXPECT_VQ_ALL_OK(rep.set_dn(kA), rep.set_name("a"), rep.set_monitor_visible_children({kB}),
                   rep.create_with_all_attributes());
  EXPECT_EQ(rep.passed, attributes_of({N::name}));
  EXPECT_VQ_OK(rep.store_all_attributes());
  EXPECT_EQ(rep.passed, attributes_of({N::name, N::monitor_visible_children}));
  EXPECT_VQ_OK(rep.load_all_attributes());
  EXPECT_EQ(rep.passed, VQIntegerSet(N::attribute_count, true));
}

TEST_F(TopoNodeTest, ServerOperationsNeedThePlatformObject) {
  N node(kA);
  EXPECT_VQ_ALL_OK(node.set_name("a"), node.set_type_name("Router"), node.set_parents({kB}));
  const VQIntegerSet name = attributes_of({N::name});
  const char* const kMessage = "VQTopoPlatform not initialized";
  EXPECT_FALSE(node.exists());
  EXPECT_VQ_ERROR_TEXT(node.load_some_attributes(name), Code::hvx_error, kMessage);
  EXPECT_VQ_ERROR_TEXT(node.store_some_attributes(name), Code::hvx_error, kMessage);
  EXPECT_VQ_ERROR_TEXT(node.create_with_all_attributes(), Code::hvx_error, kMessage);
  EXPECT_VQ_ERROR_TEXT(node.destroy(), Code::hvx_error, kMessage);
}

void first(const VQTopoNodeCallbackData&) {}
void second(const VQTopoNodeCallbackData&) {}

TEST(TopoNodeCallbacksTest, RegistrationKeepsOneEntryPerEventAndCallback) {
  EXPECT_FALSE(VQTopoNodeRep::is_callbacks_initialized);
  int a = 0;
  int b = 0;
  VQTopoNode::register_callback(object_creation, &first, &a);
  EXPECT_TRUE(VQTopoNodeRep::is_callbacks_initialized);
  VQTopoNode::register_callback(object_deletion, &second, nullptr);
  VQTopoNode::register_callback(object_creation, &first, &b);  // replaces, moves last
  ASSERT_EQ(VQTopoNodeRep::callbacks.entries(), 2u);
  EXPECT_EQ(VQTopoNodeRep::callbacks[0].callback, &second);
  EXPECT_EQ(VQTopoNodeRep::callbacks[1].client_data, &b);

  VQTopoNode::register_callback(attribute_value_change, &first, nullptr);
  EXPECT_EQ(VQTopoNodeRep::callbacks.entries(), 3u);
  // Only the first registration of `first` goes, whatever its event.
  VQTopoNode::unregister_callback(&first, nullptr);
  ASSERT_EQ(VQTopoNodeRep::callbacks.entries(), 2u);
  EXPECT_EQ(VQTopoNodeRep::callbacks[1].event, attribute_value_change);
  VQTopoNode::unregister_callback(all_events, &first);
  VQTopoNode::unregister_callback(&first, nullptr);  // none left: nothing happens
  ASSERT_EQ(VQTopoNodeRep::callbacks.entries(), 1u);
  VQTopoNode::unregister_callback(&second, nullptr);
  EXPECT_TRUE(VQTopoNodeRep::callbacks.is_empty());
  EXPECT_TRUE(VQTopoNodeRep::is_callbacks_initialized);  // never cleared
}

}  // namespace
