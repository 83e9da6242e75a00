#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/asn1.h"
#include "hvx/ber.h"
#include "hvx/message.h"
#include "hvx/oid.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "support/asn1_values.h"
#include "support/helpers.h"
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

using vq_testing::drain;

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
  EXPECT_VQ_ALL_OK(
      node.set_name("renamed"), node.set_parents({view, root()}),
      node.store_some_attributes(attributes({VQTopoNode::name, VQTopoNode::parents})));
  drain();
  EXPECT_VQ_OK(node.destroy());
  drain();

  // Creations and deletions carry only the name; a placement in a view is heard as a
  // change of logical_locations (21); a view's children follow from its children's
  // parents (8) and are not heard of.
  const std::vector<std::string> expected = {
      "all 0 L:2 {}/36", "new 0 L:2 {}/36",   "all 2 L:2 {21}/36",  "all 0 L:3 {}/36",
      "new 0 L:3 {}/36", "all 2 L:3 {21}/36", "all 2 L:3 {1 8}/36", "all 2 L:3 {21}/36",
      "all 1 L:3 {}/36", "del 1 L:3 {}/36"};
  EXPECT_EQ(heard, expected);

  ASSERT_EQ(nodes.size(), expected.size());
  using vq_testing::got;
  const auto locations = got(nodes[5], &VQTopoNode::get_logical_locations);
  ASSERT_EQ(locations.entries(), 1u);
  EXPECT_EQ(locations[0].parent, view);
  EXPECT_EQ(got(nodes[6], &VQTopoNode::get_name), "renamed");
  EXPECT_EQ(got(nodes[6], &VQTopoNode::get_parents), (VQTopoNode::DnList{view, root()}));
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

namespace ber = hvx::ber;
using vq_testing::with;

hvx::Asn1Value rdn(const char* oid, const hvx::Asn1Value& value) {
  return with(ber::set(), {with(ber::sequence(), {ber::oid(hvx::Oid(oid)), value})});
}

// A notification about node `id` of the local server, as the server would send it.
hvx::Message node_event(const char* event_arc, const hvx::Asn1Value& info, long id,
                        bool topo_node_id_last = true) {
  hvx::Message event(hvx::Message::EVENT_REPORT);
  event.set_object_class(
      ber::oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.40.3.1"), hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0)));
  const char* db = "1.3.6.1.4.1.7351.2.2.2.40.7.5";
  event.set_object_instance(
      with(ber::constructed(hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2)),
           {rdn("2.9.3.2.7.4", ber::octets("L", hvx::TAG_GRAPHSTR)), rdn(db, ber::null_value()),
            rdn(topo_node_id_last ? "1.3.6.1.4.1.7351.2.2.2.40.7.9" : db, ber::integer(id))}));
  event.set(hvx::Message::EVENT_TYPE, ber::oid(hvx::Oid(event_arc)));
  if (info) event.set(hvx::Message::INFO, info);
  return event;
}

// attributeValueChange information holding one change of `attribute` to `value`.
hvx::Asn1Value change(const char* attribute, const hvx::Asn1Value& value) {
  const auto context = [](unsigned n) { return hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, n); };
  hvx::Asn1Value source;
  source.encode_enum(0, context(1));
  const hvx::Asn1Value entry =
      with(ber::sequence(), {ber::oid(hvx::Oid(attribute)), ber::null_value(), value});
  return with(ber::sequence(),
              {source, ber::constructed(context(2)), with(ber::constructed(context(3)), {entry})});
}

TEST_F(NodeEventsTest, MalformedEventsAreDroppedWithTheirDiagnostic) {
  static char tag[] = "m";
  VQTopoNode::register_callback(all_events, &record, tag);
  const char* avc = "2.9.3.2.10.1";
  const char* display_status = "1.3.6.1.4.1.7351.2.2.2.40.7.7";
  const hvx::Asn1Value number = ber::integer(7);
  const hvx::Asn1Value good_name = ber::octets("fine", hvx::TAG_GRAPHSTR);

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
