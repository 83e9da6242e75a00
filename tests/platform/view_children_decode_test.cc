// Reading the children of a view from the reply's bytes: the nodes must be those the
// reply's value gives through the attribute codecs; bytes out of shape are refused whole.
// The server keeps each view's answer between exchanges, and must not serve a stale one.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/ber.h"
#include "hvx/names.h"
#include "hvx/testing.h"
#include "platform_world.h"
#include "support/asn1_values.h"
#include "support/helpers.h"

namespace {

using node_testing::make;

using platform_testing::QueryWorldTest;
using Node = VQTopoNode;
using Nodes = VQList<VQTopoNode>;
using Rep = VQTopoPlatformRep;
using hvx::Asn1Value;
namespace ber = hvx::ber;
using vq_testing::real;
using vq_testing::seq;
using vq_testing::set;

const VQTopoNodeDn kView("L", 7);

VQIntegerSet every_gdmo() { return VQIntegerSet(VQTopoNodeRep::gdmo_attribute_count, true); }
VQIntegerSet every_attribute() { return VQIntegerSet(Node::attribute_count, true); }

// SEQUENCE { [0] identifier of server attribute ...40.7.<arc>, value }.
Asn1Value attribute(int arc, const Asn1Value& value) {
  Asn1Value id;
  id.encode_oid(hvx::Oid(vq_testing::numbered("1.3.6.1.4.1.7351.2.2.2.40.7.", arc)),
                hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0));
  return seq({id, value});
}

Asn1Value child(long id, std::initializer_list<Asn1Value> attributes) {
  return seq({ber::integer(id), set(attributes)});
}

Asn1Value text(const char* s, hvx::Asn1Tag tag = hvx::TAG_GRAPHSTR) { return ber::octets(s, tag); }
Asn1Value integer(long n) { return ber::integer(n); }

std::string printed(const Nodes& nodes) {
  std::ostringstream out;
  for (const Node& node : nodes) out << node << "--\n";
  return out.str();
}

// Attribute arcs: 12 name, 21 type, 13 parents, 3 children, 14 peers, 20 state, 16
// propagate up, 7 display status, 8 geo location, 10 layer, 46 monitor, 44 user data, 63
// cell size, 64 bus points, 41 position, 40 geo area, 65 view config data, 11 managed
// objects, 61 orientation, 62 columns, 9 node id.
struct Reply {
  const char* label;
  Asn1Value children;
};

std::vector<Reply> replies() {
  const Asn1Value null = ber::null_value();
  return {
      {"plain_forms",
       set({child(5, {attribute(12, text("n\xff")), attribute(21, text("Router")),
                      attribute(13, set({integer(1), integer(-3), integer(0)})),
                      attribute(3, set({})), attribute(14, set({integer(9)})),
                      attribute(20, integer(-70000)), attribute(16, integer(0)),
                      attribute(7, set({seq({text("up"), integer(-1)}),
                                        seq({text(""), integer(2)})})),
                      attribute(8, null), attribute(10, text("layer")),
                      attribute(46, seq({integer(-390), set({integer(4)})})),
                      attribute(44, set({})), attribute(63, seq({integer(40), integer(7)})),
                      attribute(64, seq({seq({integer(1), integer(-2), integer(3)})})),
                      attribute(41, seq({integer(-1), integer(2), integer(-3)})),
                      attribute(40, null), attribute(65, set({seq({text("k"), text("v")})})),
                      attribute(11, set({})), attribute(61, integer(1)),
                      attribute(62, integer(3))}),
            child(6,
                  {attribute(46, null), attribute(16, integer(2)), attribute(9, integer(77))})})},
      // Forms the server does not store, each left to the codecs.
      {"other_forms",
       set({child(5, {attribute(12, text("printable", hvx::TAG_PRINTSTR)),
                      attribute(13, set({integer(1), ber::enumerated(2)})),
                      attribute(20, ber::enumerated(4)),
                      attribute(8, seq({real(1.5), real(-2.25)})),
                      attribute(40, seq({real(0.5), real(1), real(2)})),
                      attribute(63, seq({integer(-1), integer(7)})),
                      attribute(46, seq({integer(1), set({}), null})),
                      attribute(41, seq({integer(1), integer(2)})),
                      attribute(7, set({seq({integer(1), integer(2)})})),
                      attribute(11, set({hvx::fdn2oi("/systemId=name:\"L\"")})),
                      attribute(21, integer(3)), attribute(64, null)})})},
      {"numbers_at_their_limits",
       set({child(-1, {attribute(20, integer(-9223372036854775807L - 1)),
                       attribute(62, integer(9223372036854775807L)),
                       attribute(63, seq({integer(0), integer(9223372036854775807L)})),
                       attribute(13, set({integer(-9223372036854775807L - 1)}))}),
            child(0, {attribute(120, integer(1))}),
            child(0, {attribute(12, text("second zero"))})})},
  };
}

void PrintTo(const Reply& reply, std::ostream* out) { *out << reply.label; }

class ViewChildrenBytesTest : public ::testing::TestWithParam<Reply> {};

TEST_P(ViewChildrenBytesTest, GiveTheNodesTheirValueGives) {
  const Asn1Value& children = GetParam().children;
  const std::string bytes = children.encode().str();
  Rep::SeenIds seen_in_place;
  Rep::SeenIds seen_through_value;
  Nodes in_place{Node()};
  Nodes through_value{Node()};
  ASSERT_VQ_OK(Rep::decode_view_children(bytes, kView, every_gdmo(), every_attribute(),
                                         seen_in_place, in_place));
  Rep::decode_view_children(children, kView, every_gdmo(), every_attribute(), seen_through_value,
                            through_value);
  EXPECT_GT(in_place.entries(), 1u);
  EXPECT_EQ(printed(in_place), printed(through_value));
  for (std::size_t i = 0; i < in_place.entries(); ++i) {
    VQList<Node::UserDatum> a;
    VQList<Node::UserDatum> b;
    EXPECT_EQ(static_cast<bool>(in_place[i].get_user_data(a)),
              static_cast<bool>(through_value[i].get_user_data(b)));
    EXPECT_EQ(a.entries(), b.entries());
  }
  // Only what was asked is decoded.
  Rep::SeenIds seen;
  Nodes names_only;
  VQIntegerSet name(VQTopoNodeRep::gdmo_attribute_count);
  name.add(VQTopoNodeRep::topo_node_name);
  ASSERT_VQ_OK(
      Rep::decode_view_children(bytes, kView, name, every_attribute(), seen, names_only));
  EXPECT_EQ(vq_testing::got(names_only.first(), &Node::get_state), 0);
}

INSTANTIATE_TEST_SUITE_P(Replies, ViewChildrenBytesTest, ::testing::ValuesIn(replies()),
                         [](const auto& info) { return std::string(info.param.label); });

// Each shape the bytes must have, broken once; the offset is where the broken value starts.
TEST(ViewChildrenBytes, OutOfShapeIsRefusedWhole) {
  const Asn1Value second = child(2, {attribute(20, integer(3))});
  const std::string good = set({child(1, {attribute(12, text("a"))}), second}).encode().str();
  const std::string second_child = second.encode().str();
  const std::size_t at_second = good.size() - second_child.size();
  const auto with_second = [&](const Asn1Value& replaced) {
    std::string bytes = replaced.encode().str();
    std::string out = good.substr(0, at_second) + bytes;
    out[1] = static_cast<char>(out.size() - 2);
    return out;
  };
  const std::tuple<const char*, std::string, std::size_t> cases[] = {
      {"empty", "", 0},
      {"truncated", good.substr(0, good.size() - 1), 0},
      {"trailing", good + std::string(1, '\0'), 0},
      {"not_a_set", "\x30" + good.substr(1), 0},
      {"indefinite", "\x31\x80" + good.substr(2) + std::string(2, '\0'), 0},
      {"child_not_a_sequence", with_second(set({integer(2), ber::set()})), at_second},
      {"child_id_enumerated", with_second(seq({ber::enumerated(2), ber::set()})), at_second},
      {"child_id_nine_octets",
       with_second(seq({ber::retagged(text("\x01\x02\x03\x04\x05\x06\x07\x08\x09"), hvx::TAG_INT),
                        ber::set()})),
       at_second},
      {"child_without_attributes", with_second(seq({integer(2)})), at_second},
      {"attribute_not_a_sequence", with_second(seq({integer(2), set({integer(1)})})),
       at_second + 7},
      {"attribute_identifier_constructed",
       with_second(seq({integer(2), set({seq({ber::sequence(), integer(1)})})})), at_second + 7},
      {"attribute_without_value", with_second(seq({integer(2), set({seq({integer(1)})})})),
       at_second + 7},
  };
  for (const auto& [label, bytes, offset] : cases) {
    SCOPED_TRACE(label);
    Rep::SeenIds seen;
    Nodes nodes;
    const VQStatus status =
        Rep::decode_view_children(bytes, kView, every_gdmo(), every_attribute(), seen, nodes);
    EXPECT_VQ_ERROR(status, VQStatus::Code::decode_error);
    EXPECT_NE(status.message().find(vq_testing::numbered("at offset ", offset)), std::string::npos)
        << status.message();
    EXPECT_TRUE(nodes.is_empty());
    // Nothing was taken as seen either.
    EXPECT_TRUE(seen.insert(1));
  }
}

TEST(ViewChildrenBytes, SeenIdsTakeEachIdOnce) {
  Rep::SeenIds seen;
  std::vector<long> ids = {0, -1, 1, 9223372036854775807L, -9223372036854775807L - 1};
  // Ids one table size apart land on the same slots before mixing.
  for (long k = 1; k <= 3000; ++k) ids.push_back(k * 4096);
  for (const long id : ids) EXPECT_TRUE(seen.insert(id)) << id;
  for (const long id : ids) EXPECT_FALSE(seen.insert(id)) << id;
  EXPECT_TRUE(seen.insert(4097));
}

// The server keeps each view's encoded answer between exchanges: every change made between
// two of them must show in the second.
class KeptChildrenTest : public QueryWorldTest {
 protected:
  void SetUp() override {
    QueryWorldTest::SetUp();
    view_ = make("v", "Network", {nodes_[0].root});
    other_ = make("w", "Network", {nodes_[0].root});
    for (const char* name : {"a", "b"}) {
      children_.push_back(make(name, "Host", {view_}));
      Node node(children_.back());
      ASSERT_VQ_ALL_OK(node.set_state(10), node.store_some_attributes(selection({Node::state})));
    }
    make("c", "Host", {other_});
  }

  // The states (or names) of the children of `view`, in order.
  std::vector<std::string> read(const VQTopoNodeDn& view, long attribute) {
    Nodes nodes;
    EXPECT_VQ_OK(topo_->load_nodes_in_view(view, selection({attribute}), nodes));
    std::vector<std::string> values;
    for (const Node& node : nodes) {
      values.push_back(attribute == Node::name
                           ? vq_testing::got(node, &Node::get_name)
                           : std::to_string(vq_testing::got(node, &Node::get_state)));
    }
    return values;
  }

  using Values = std::vector<std::string>;
  VQTopoNodeDn view_;
  VQTopoNodeDn other_;
  std::vector<VQTopoNodeDn> children_;
};

TEST_F(KeptChildrenTest, AChangeBetweenTwoExchangesIsSeen) {
  // Each request has its own answer: another selection, another view.
  EXPECT_EQ(read(view_, Node::state), (Values{"10", "10"}));
  EXPECT_EQ(read(view_, Node::name), (Values{"a", "b"}));
  EXPECT_EQ(read(other_, Node::name), (Values{"c"}));
  EXPECT_EQ(read(view_, Node::state), (Values{"10", "10"}));
  // Behind the server's back: no notification, no hook.
  ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L",
                                       "topoNodeDBId=NULL/topoNodeId=" +
                                           std::to_string(children_[1].unique_id()),
                                       "topoNodeState", hvx::ber::integer(7))
                  .ok());
  EXPECT_EQ(read(view_, Node::state), (Values{"10", "7"}));
  // A node elsewhere changes: the answer for this view is made again, and is the same.
  make("d", "Host", {other_});
  EXPECT_EQ(read(view_, Node::state), (Values{"10", "7"}));
  ASSERT_VQ_OK(Node(children_[0]).destroy());
  EXPECT_EQ(read(view_, Node::state), (Values{"7"}));
}

// Places are kept per view between exchanges: a child placed, moved or taken out of a view
// whose places were read must show so in the next exchange.
TEST_F(KeptChildrenTest, PlacesFollowTheirChildren) {
  const auto places = [this](const VQTopoNodeDn& view) {
    Nodes nodes;
    EXPECT_VQ_OK(topo_->load_nodes_in_view(view, selection({Node::logical_locations}), nodes));
    std::vector<VQList<Node::LocationInParent>> out;
    for (const Node& node : nodes) {
      out.emplace_back();
      EXPECT_VQ_OK(node.get_logical_locations(out.back()));
    }
    return out;
  };
  EXPECT_EQ(places(other_).size(), 1u);
  Node a(children_[0]);
  ASSERT_VQ_ALL_OK(a.set_parents({view_, other_}),
                   a.store_some_attributes(selection({Node::parents})));
  auto in_other = places(other_);
  ASSERT_EQ(in_other.size(), 2u);
  ASSERT_EQ(in_other[1].entries(), 1u);
  EXPECT_EQ(in_other[1].first().parent, other_);

  ASSERT_VQ_ALL_OK(a.set_logical_locations({{view_, {1, 2, 3}}, {other_, {5, -6, 7}}}),
                   a.store_some_attributes(selection({Node::logical_locations})));
  in_other = places(other_);
  ASSERT_EQ(in_other.size(), 2u);
  EXPECT_EQ(in_other[1], (VQList<Node::LocationInParent>{{other_, {5, -6, 7}}}));

  ASSERT_VQ_ALL_OK(a.set_parents({view_}), a.store_some_attributes(selection({Node::parents})));
  EXPECT_EQ(places(other_).size(), 1u);
  EXPECT_EQ(places(view_).front(), (VQList<Node::LocationInParent>{{view_, {1, 2, 3}}}));
}

}  // namespace
