#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/asn1.h"
#include "hvx/message.h"
#include "hvx/oid.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "support/vq_test.h"

namespace node_testing {
namespace {

// One line per callback call: "<tag> <event> <system>:<id> <active set>".
std::vector<std::string> heard;
std::vector<VQTopoNode> nodes;

void record(const VQTopoNodeCallbackData& data) {
  VQIntegerSet active;
  data.node.get_active_attributes(active);
  std::ostringstream line;
  line << static_cast<const char*>(data.client_data) << " " << data.event << " "
       << data.dn.system_name() << ":" << data.dn.unique_id() << " " << active;
  heard.push_back(line.str());
  nodes.push_back(data.node);
}
void record_too(const VQTopoNodeCallbackData& data) { record(data); }

void drain() {
  while (hvx::dispatch_recursive(true)) {
  }
}

class NodeEventsTest : public NodeWorldTest {
 protected:
  void SetUp() override {
    NodeWorldTest::SetUp();
    heard.clear();
    nodes.clear();
  }
};

TEST_F(NodeEventsTest, CallbacksHearTheirEventTypesWithTheDecodedNode) {
  static char all[] = "all", created[] = "new", deleted[] = "del";
  VQTopoNode::register_callback(all_events, &record, all);
  VQTopoNode::register_callback(object_creation, &record_too, created);
  VQTopoNode::register_callback(object_deletion, &record_too, deleted);
  const VQTopoNodeDn view = make("v", "Network", {root()});
  const VQTopoNodeDn host = make("h", "Host", {view});
  // A placement is read from the server when its event is delivered: drain while it is there.
  drain();
  VQTopoNode node(host);
  EXPECT_VQ_OK(node.set_name("renamed"));
  EXPECT_VQ_OK(node.store_some_attributes(attributes({VQTopoNode::name})));
  EXPECT_VQ_OK(node.destroy());
  drain();

  // Creations and deletions carry only the name; a placement in a view is heard as a
  // change of logical_locations (21), children of the view (9) as a change.
  const std::vector<std::string> expected = {
      "all 0 L:2 {}/36",  "new 0 L:2 {}/36",  "all 2 L:1 {9}/36", "all 2 L:2 {21}/36",
      "all 0 L:3 {}/36",  "new 0 L:3 {}/36",  "all 2 L:2 {9}/36", "all 2 L:3 {21}/36",
      "all 2 L:3 {1}/36", "all 1 L:3 {}/36",  "del 1 L:3 {}/36",  "all 2 L:2 {9}/36"};
  EXPECT_EQ(heard, expected);

  ASSERT_EQ(nodes.size(), expected.size());
  VQList<VQTopoNode::LocationInParent> locations;
  EXPECT_VQ_OK(nodes[7].get_logical_locations(locations));
  ASSERT_EQ(locations.entries(), 1u);
  EXPECT_EQ(locations[0].parent, view);
  std::string name;
  EXPECT_VQ_OK(nodes[8].get_name(name));
  EXPECT_EQ(name, "renamed");
  VQTopoNode::DnList children;
  EXPECT_VQ_OK(nodes[6].get_children(children));
  EXPECT_EQ(children, VQTopoNode::DnList{host});
}

TEST_F(NodeEventsTest, RemoteNodesAreNamedByTheRouteTheirEventsCameThrough) {
  static char tag[] = "r";
  VQTopoNode::register_callback(object_creation, &record, tag);
  make("remote", "Host", {VQTopoNodeDn("/L/B", 1)});
  drain();
  EXPECT_EQ(heard, std::vector<std::string>{"r 0 L/B:2 {}/36"});
}

TEST_F(NodeEventsTest, NothingIsDecodedBeforeAnyRegistration) {
  make("quiet", "Host", {root()});
  drain();
  static char tag[] = "late";
  VQTopoNode::register_callback(all_events, &record, tag);
  drain();
  EXPECT_TRUE(heard.empty());
}

// A notification about node `id` of the local server, as the server would send it.
hvx::Message node_event(const char* event_arc, const hvx::Asn1Value& info, long id,
                        bool topo_node_id_last = true) {
  hvx::Message event(hvx::Message::EVENT_REPORT);
  hvx::Asn1Value klass;
  (void)klass.encode_oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.40.3.1"),
                         hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0));
  event.set_object_class(klass);
  auto rdn = [](const char* oid, const hvx::Asn1Value& value) {
    hvx::Asn1Value id;
    (void)id.encode_oid(hvx::Oid(oid));
    hvx::Asn1Value pair;
    pair.start_construct(hvx::TAG_SEQ);
    pair.add_component(id);
    pair.add_component(value);
    hvx::Asn1Value set;
    set.start_construct(hvx::TAG_SET);
    set.add_component(pair);
    return set;
  };
  hvx::Asn1Value system, number, db;
  system.encode_octets("L", hvx::TAG_GRAPHSTR);
  number.encode_int(id);
  db.encode_null();
  hvx::Asn1Value instance;
  instance.start_construct(hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2));
  instance.add_component(rdn("2.9.3.2.7.4", system));
  instance.add_component(rdn("1.3.6.1.4.1.7351.2.2.2.40.7.5", db));
  instance.add_component(topo_node_id_last ? rdn("1.3.6.1.4.1.7351.2.2.2.40.7.9", number)
                                           : rdn("1.3.6.1.4.1.7351.2.2.2.40.7.5", number));
  event.set_object_instance(instance);
  hvx::Asn1Value type;
  (void)type.encode_oid(hvx::Oid(event_arc));
  event.set(hvx::Message::EVENT_TYPE, type);
  if (info) event.set(hvx::Message::INFO, info);
  return event;
}

// attributeValueChange information holding one change of `attribute` to `value`.
hvx::Asn1Value change(const char* attribute, const hvx::Asn1Value& value) {
  hvx::Asn1Value id, old_value;
  (void)id.encode_oid(hvx::Oid(attribute));
  old_value.encode_null();
  hvx::Asn1Value entry;
  entry.start_construct(hvx::TAG_SEQ);
  entry.add_component(id);
  entry.add_component(old_value);
  entry.add_component(value);
  hvx::Asn1Value list, ids, info, source;
  list.start_construct(hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 3));
  list.add_component(entry);
  ids.start_construct(hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2));
  source.encode_enum(0, hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 1));
  info.start_construct(hvx::TAG_SEQ);
  info.add_component(source);
  info.add_component(ids);
  info.add_component(list);
  return info;
}

TEST_F(NodeEventsTest, MalformedEventsAreDroppedWithTheirDiagnostic) {
  static char tag[] = "m";
  VQTopoNode::register_callback(all_events, &record, tag);
  const char* avc = "2.9.3.2.10.1";
  const char* display_status = "1.3.6.1.4.1.7351.2.2.2.40.7.7";
  hvx::Asn1Value number, good_name;
  number.encode_int(7);
  good_name.encode_octets("fine", hvx::TAG_GRAPHSTR);

  testing::internal::CaptureStderr();
  hvx::inject_pdu(platform(), node_event(avc, change(display_status, number), 5).encode());
  hvx::inject_pdu(platform(), node_event(avc, hvx::Asn1Value(), 5, false).encode());
  hvx::inject_pdu(platform(), node_event("2.9.3.2.10.99", hvx::Asn1Value(), 5).encode());
  hvx::inject_pdu(platform(), hvx::DataUnit("not a message"));
  hvx::inject_pdu(platform(),
                  node_event(avc, change("1.3.6.1.4.1.7351.2.2.2.40.7.12", good_name), 5).encode());
  drain();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "dropped event: VQTopoNode::display_statuses\ntopo_node: wrong oi\n");
  // Only the well-formed change is heard.
  EXPECT_EQ(heard, std::vector<std::string>{"m 2 L:5 {1}/36"});
}

}  // namespace
}  // namespace node_testing
