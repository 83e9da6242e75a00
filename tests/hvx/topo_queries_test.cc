// The topoNodeDB actions, called as the topology library calls them and their replies read
// as it reads them, on each server of the world; and the error replies to bad requests.
#include <gtest/gtest.h>

#include <cstring>
#include <list>
#include <map>
#include <tuple>

#include "hvx/ber.h"
#include "hvx/message.h"
#include "hvx/oid_registry.h"
#include "support/printed.h"
#include "topo_fixture.h"

namespace {

using hvx::Asn1Tag;
using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Image;
using hvx::Message;
using hvx::Morf;
using hvx::Oid;
using hvx_testing::Exchange;
using vq_testing::seq;
using vq_testing::set;

constexpr const char* kM1 = "/systemId=name:\"X\"/agentTableType=\"CMIP\"/agentId=id:\"m1\"";
constexpr const char* kM2 = "/systemId=name:\"X\"/agentTableType=\"CMIP\"/agentId=id:\"m2\"";
constexpr const char* kM3 = "/systemId=name:\"Y\"";

constexpr Asn1Tag kContext0(Asn1Tag::CONTEXT, 0);

Asn1Value attribute_id(const char* name, Asn1Tag tag = kContext0) {
  Oid oid;
  EXPECT_TRUE(hvx::OidNameRegistry::find_oid_by_name(name, oid)) << name;
  return hvx::ber::oid(oid, tag);
}

class TopoQueriesTest : public hvx_testing::TopoTest {
 protected:
  // Three nodes on `system`: alpha (Router, m1), alpha (Host, m2), beta (Host, m1 and m3).
  std::vector<long> populate(const std::string& system) {
    const long view = make_node("net", "Network", {1}, system);
    const long a1 =
        make_node("alpha", "Router", {view}, system, {{"topoNodeMOSet", braced({kM1})}});
    const long a2 = make_node("alpha", "Host", {view}, system, {{"topoNodeMOSet", braced({kM2})}});
    const long b =
        make_node("beta", "Host", {view, 1}, system, {{"topoNodeMOSet", braced({kM1, kM3})}});
    EXPECT_TRUE(view != 0 && a1 != 0 && a2 != 0 && b != 0) << last_error_;
    return {view, a1, a2, b};
  }

  // An action of the node database with its argument as a value, as call_raw sends it.
  Morf call_value(const std::string& action, const Asn1Value& argument,
                  const std::string& system = "L") {
    Image db(DataUnit(prefix(system) + "topoNodeDBId=NULL"), "", platform_);
    Morf value(db.get_param_syntax(DataUnit(action)));
    EXPECT_TRUE(value.set_value(argument)) << action;
    Morf reply = db.call_raw(DataUnit(action), value);
    last_error_ = db.get_error_string();
    return reply;
  }
  // The node queries by name or type: the argument in quotes; by managed object: its
  // object instance.
  std::vector<long> find(const std::string& action, const std::string& argument,
                         const std::string& system) {
    if (action == "topoNodeGetByMO") {
      return reply_ids(call_value(action, hvx::fdn2oi(argument), system));
    }
    return call_ids(action, "\"" + argument + "\"", system);
  }

  // The argument of getTopoNodesAttributes and setTopoNodesAttributes:
  // { [1] { instances }, [2] { attributes } }.
  static Asn1Value by_objects(std::initializer_list<const char*> objects, const Asn1Value& list) {
    Asn1Value instances = set({});
    for (const char* object : objects) instances.add_component(hvx::fdn2oi(object));
    return seq({hvx::ber::explicit_tagged(instances, 1), hvx::ber::explicit_tagged(list, 2)});
  }
  Morf set_for_m1(const Asn1Value& list) {
    return call_value("setTopoNodesAttributes", by_objects({kM1}, list), "B");
  }

  // A raw confirmed action on the node database of `system`, as the view-graph and
  // view-children fetches send it.
  const Exchange& raw_action(const std::string& system, const char* arc, const Asn1Value& info) {
    exchange_.emplace_back();
    EXPECT_TRUE(exchange_.back().run(
        platform_, hvx_testing::node_db_action(prefix(system) + "topoNodeDBId=NULL", arc, info)));
    return exchange_.back();
  }
  std::list<Exchange> exchange_;  // each kept while replies may come
};

TEST_F(TopoQueriesTest, NodesByNameTypeAndManagedObjectOnEverySystem) {
  for (const std::string system : {"L", "B", "C"}) {
    SCOPED_TRACE(system);
    const std::vector<long> n = populate(system);
    EXPECT_EQ(find("topoNodeGetByName", "alpha", system), (std::vector<long>{n[1], n[2]}));
    EXPECT_TRUE(find("topoNodeGetByName", "gamma", system).empty());
    EXPECT_EQ(find("topoNodeGetByType", "Host", system), (std::vector<long>{n[2], n[3]}));
    EXPECT_TRUE(find("topoNodeGetByType", "Device", system).empty());
    EXPECT_EQ(find("topoNodeGetByMO", kM1, system), (std::vector<long>{n[1], n[3]}));
    EXPECT_TRUE(find("topoNodeGetByMO", "/systemId=name:\"Z\"", system).empty());
    // Any of a set, each node once.
    const Asn1Value any = set({hvx::fdn2oi(kM2), hvx::fdn2oi(kM3), hvx::fdn2oi(kM1)});
    EXPECT_EQ(reply_ids(call_value("topoNodeGetByMOSet", any, system)),
              (std::vector<long>{n[1], n[2], n[3]}));
  }
  // Renaming and retyping move a node between index entries.
  const std::vector<long> n = find("topoNodeGetByName", "beta", "L");
  ASSERT_EQ(n.size(), 1u);
  ASSERT_TRUE(store_node(n[0], "topoNodeName", "alpha"));
  ASSERT_TRUE(store_node(n[0], "topoNodeType", "Router"));
  EXPECT_EQ(find("topoNodeGetByName", "alpha", "L").size(), 3u);
  EXPECT_TRUE(find("topoNodeGetByName", "beta", "L").empty());
  EXPECT_EQ(find("topoNodeGetByType", "Router", "L").size(), 2u);
  ASSERT_TRUE(node(n[0]).destroy());
  EXPECT_EQ(find("topoNodeGetByMO", kM3, "L"), std::vector<long>{});
}

TEST_F(TopoQueriesTest, NodeReportListsEveryNodeWithItsChildren) {
  ASSERT_EQ(populate("B"), (std::vector<long>{2, 3, 4, 5}));
  std::vector<std::string> seen;
  for (const Morf& entry : call("topoGetNodeReport", "NULL", "B").split_array()) {
    seen.push_back(entry.get_str(1));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "{1,\"Root\",\"Universe\",{2,5}}", "{2,\"net\",\"Network\",{3,4,5}}",
                      "{3,\"alpha\",\"Router\",{}}", "{4,\"alpha\",\"Host\",{}}",
                      "{5,\"beta\",\"Host\",{}}"}));
}

// Every node of the managed objects takes the values; a refusal of one changes none.
TEST_F(TopoQueriesTest, SettingAttributesOfTheNodesOfManagedObjects) {
  const std::vector<long> n = populate("B");
  auto pair = [](const char* name, const Asn1Value& value) {
    return seq({attribute_id(name), value});
  };
  const Asn1Value layer = hvx::ber::octets("core", hvx::TAG_GRAPHSTR);
  Asn1Value no;
  no.encode_boolean(false);
  const Asn1Value list =
      set({pair("topoNodeLayer", layer), pair("topoNodePropagateUp", no),
           pair("topoViewNodePosition", hvx::ber::null_value())});  // places: per view, passed over
  const Morf reply = set_for_m1(list);
  ASSERT_TRUE(reply.has_value()) << last_error_;
  ASSERT_EQ(reply.num_elements(), 2u);
  // topoNodeLayer (.40.7.10) and topoNodePropagateUp (.40.7.16) with their new values.
  EXPECT_EQ(vq_testing::printed(reply.get_value().first_component().component(1)),
            "SET { SEQUENCE { [0] '2B06010401B93702020228070A'H, GraphicString \"core\" }, "
            "SEQUENCE { [0] '2B06010401B937020202280710'H, INTEGER 0 } }");
  for (const long id : {n[1], n[3]}) {
    EXPECT_EQ(read(node(id, "B"), "topoNodeLayer").get_str(0), "core");
  }
  EXPECT_EQ(read(node(n[2], "B"), "topoNodeLayer").get_str(0), "devices");

  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  // The first node would be its own parent: nothing changes for either.
  const Asn1Value parents = set({hvx::ber::integer(n[1])});
  const Asn1Value refused = set({pair("topoNodeLayer", layer), pair("topoNodeParents", parents)});
  EXPECT_FALSE(set_for_m1(refused).has_value());
  EXPECT_EQ(last_error_, "invalidAttributeValue: setTopoNodesAttributes: node " +
                             std::to_string(n[1]) +
                             ": topoNodeParents: a node cannot name itself here");
  const Asn1Value children = set({pair("topoNodeChildren", parents)});
  EXPECT_FALSE(set_for_m1(children).has_value());
  EXPECT_EQ(last_error_,
            "attributeNotSettable: setTopoNodesAttributes: topoNodeChildren is not settable");
  platform_.dispatch_recursive(false);
  EXPECT_TRUE(recorder.events().empty());
  EXPECT_EQ(read(node(n[1], "B"), "topoNodeLayer").get_str(0), "core");
}

// topoGetViewGraph: every view with its parents and files, in linked replies and a final
// reply, each entry read by position.
TEST_F(TopoQueriesTest, ViewGraphInLinkedReplies) {
  std::vector<long> views;
  for (int i = 0; i < 210; ++i)
    views.push_back(make_node(std::string(1, 'v').append(std::to_string(i)), "Network", {1}, "B"));
  const long inner = make_node("inner", "Subnetwork", {views[0], views[1]}, "B");
  make_node("device", "Host", {inner}, "B");
  ASSERT_TRUE(store(object("topoViewDBId=NULL/topoNodeId=" + std::to_string(inner), "B"),
                    "topoViewBackgroundImage", "map.gif"));
  const Exchange& exchange = raw_action("B", "9.4", hvx::ber::null_value());
  std::map<long, std::string> entries;
  std::vector<size_t> sizes;  // of each reply
  for (const Message& reply : exchange.replies) {
    ASSERT_EQ(reply.type(), Message::ACTION_RESULT);
    sizes.push_back(reply.get_result_info().num_comps());
    for (Asn1Value entry = reply.get_result_info().first_component(); !entry.is_null();
         entry = entry.next_component()) {
      entries[long_of(entry.component(0).component(0))] = vq_testing::printed(entry);
    }
  }
  EXPECT_EQ(sizes, (std::vector<size_t>{100, 100, 12, 0}));  // 212 views, then the final reply
  EXPECT_NE(exchange.replies[0].linked_id(), 0);
  EXPECT_EQ(exchange.replies[3].linked_id(), 0);
  EXPECT_FALSE(exchange.replies[3].has(Message::INFO));
  EXPECT_EQ(entries.size(), 212u);  // the views only
  EXPECT_EQ(entries[1],
            "SEQUENCE { SEQUENCE { INTEGER 1, OCTET STRING \"Root\" }, SET { }, OCTET STRING \"\", "
            "OCTET STRING \"\", OCTET STRING \"Universe\", INTEGER 5, INTEGER 5 }");
  // Views v0 and v1 are nodes 2 and 3, after the root; inner is the 212th node.
  EXPECT_EQ(
      entries[inner],
      "SEQUENCE { SEQUENCE { INTEGER 212, OCTET STRING \"inner\" }, SET { SEQUENCE { INTEGER 2, "
      "OCTET STRING \"v0\" }, SEQUENCE { INTEGER 3, OCTET STRING \"v1\" } }, OCTET STRING "
      "\"map.gif\", OCTET STRING \"\", OCTET STRING \"Subnetwork\", INTEGER 5, INTEGER 5 }");
}

// Bad requests get an error reply naming the action and what is wrong, whatever the
// argument.
TEST_F(TopoQueriesTest, BadRequestsGetClearErrorReplies) {
  using hvx::ber::integer;
  const Asn1Value odd = set({hvx::ber::oid(Oid("1.2.3"))});
  Asn1Value yes;
  yes.encode_boolean(true);
  const std::tuple<const char*, Asn1Value, const char*> cases[] = {
      {"9.1", integer(4),
       "invalidArgumentValue: \"VQ Topology\":topoNodeGetByName: the argument is not a "
       "GraphicString"},
      {"9.1", Asn1Value(), "invalidArgumentValue: topoNodeGetByName: the argument is a string"},
      {"9.9", seq({integer(555), set({})}),
       "noSuchObjectInstance: topoNodeChildAttrsByView: there is no node 555"},
      {"9.9", seq({integer(1), odd}),
       "noSuchAttribute: topoNodeChildAttrsByView: 1.2.3 is not an attribute of nodes"},
      {"9.7", seq({yes, set({integer(1), integer(999)})}),
       "noSuchObjectInstance: topoGetNodeMODataByNodeList: there is no node 999"},
      {"9.7", Asn1Value(),
       "invalidArgumentValue: topoGetNodeMODataByNodeList: the argument is { BOOLEAN, SET OF "
       "INTEGER }"},
      {"9.8", by_objects({}, set({hvx::ber::oid(Oid("1.2.3.4"), kContext0)})),
       "noSuchAttribute: getTopoNodesAttributes: 1.2.3.4 is not an attribute of nodes"},
      {"9.8", by_objects({}, set({integer(3, Asn1Tag(Asn1Tag::CONTEXT, 1))})),
       "invalidArgumentValue: getTopoNodesAttributes: attributes are named by object "
       "identifiers"},
      {"9.99", Asn1Value(), "noSuchAction: 1.3.6.1.4.1.7351.2.2.2.40.9.99"},
  };
  for (const auto& [arc, info, text] : cases) {
    SCOPED_TRACE(arc);
    const Exchange& exchange = raw_action("B", arc, info);
    ASSERT_EQ(exchange.replies.size(), 1u);
    EXPECT_EQ(exchange.replies[0].type(), Message::ERROR_REPLY);
    EXPECT_EQ(exchange.replies[0].error_string().substr(0, std::strlen(text)), text);
  }
  Image elsewhere("/systemId=name:\"Nowhere\"/topoNodeDBId=NULL", "", platform_);
  EXPECT_FALSE(elsewhere.call("topoNodeGetByName", "\"Root\"").has_value());
  EXPECT_STREQ(elsewhere.get_error_string(),
               "noSuchObjectInstance: /systemId=name:\"Nowhere\"/topoNodeDBId=NULL");
}

}  // namespace
