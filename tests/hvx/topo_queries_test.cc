// The topoNodeDB actions, called as the topology library calls them and their replies read
// as it reads them, on each server of the world.
#include <gtest/gtest.h>

#include <cstdlib>

#include "hvx/message.h"
#include "hvx/oid_registry.h"
#include "hvx/syntax.h"
#include "topo_fixture.h"

namespace {

using hvx::Asn1Tag;
using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Image;
using hvx::Message;
using hvx::Morf;
using hvx::Oid;

constexpr const char* kM1 = "/systemId=name:\"X\"/agentTableType=\"CMIP\"/agentId=id:\"m1\"";
constexpr const char* kM2 = "/systemId=name:\"X\"/agentTableType=\"CMIP\"/agentId=id:\"m2\"";
constexpr const char* kM3 = "/systemId=name:\"Y\"";

constexpr const char* kTopoOid = "1.3.6.1.4.1.7351.2.2.2.40.";

Oid attribute_oid(const char* name) {
  Oid oid;
  EXPECT_TRUE(hvx::OidNameRegistry::find_oid_by_name(name, oid)) << name;
  return oid;
}

Asn1Value constructed(Asn1Tag tag) {
  Asn1Value value;
  value.start_construct(tag);
  return value;
}
Asn1Value integer(long n) {
  Asn1Value value;
  value.encode_int(n);
  return value;
}
Asn1Value oid_value(const Oid& oid, Asn1Tag tag = hvx::TAG_OID) {
  Asn1Value value;
  value.encode_oid(oid, tag);
  return value;
}

// One exchange on the raw message service: every reply until the final one.
struct Exchange {
  hvx::MessageSAP* sap = nullptr;
  std::vector<Message> replies;
  bool done = false;

  static void on_reply(void* client, void* raw) {
    auto* exchange = static_cast<Exchange*>(client);
    Message* message = exchange->sap->decode(raw);
    if (message == nullptr) return;
    exchange->replies.push_back(*message);
    if (message->base_type() >= Message::RESULT && message->linked_id() == 0) exchange->done = true;
    delete message;
  }
};

class TopoQueriesTest : public hvx_testing::TopoTest {
 protected:
  // Three nodes on `system`: alpha (Router, m1), alpha (Host, m2), beta (Host, m1 and m3).
  std::vector<long> populate(const std::string& system) {
    const long view = make_node("net", "Network", {1}, system);
    const long a1 = make_node("alpha", "Router", {view}, system, {{"topoNodeMOSet", set({kM1})}});
    const long a2 = make_node("alpha", "Host", {view}, system, {{"topoNodeMOSet", set({kM2})}});
    const long b =
        make_node("beta", "Host", {view, 1}, system, {{"topoNodeMOSet", set({kM1, kM3})}});
    EXPECT_TRUE(view != 0 && a1 != 0 && a2 != 0 && b != 0) << last_error_;
    return {view, a1, a2, b};
  }
  static std::string set(std::initializer_list<const char*> items) {
    return braced(std::vector<std::string>(items.begin(), items.end()));
  }

  Image node_db(const std::string& system) {
    return Image(DataUnit(prefix(system) + "topoNodeDBId=NULL"), "", platform_);
  }

  // The node queries by name or type: the argument in quotes, parsed under the action's
  // parameter syntax; by managed object: its object instance.
  std::vector<long> find(const std::string& action, const std::string& argument,
                         const std::string& system) {
    Image db = node_db(system);
    Morf value(action == "topoNodeGetByMO" ? hvx::Syntax::of_type("CMIP-1.ObjectInstance")
                                           : db.get_param_syntax(DataUnit(action)));
    if (action == "topoNodeGetByMO") {
      EXPECT_TRUE(value.set_value(hvx::fdn2oi(argument)));
    } else {
      EXPECT_TRUE(value.set("\"" + argument + "\"")) << value.get_error_string();
    }
    std::vector<long> ids;
    const Morf reply = db.call_raw(DataUnit(action), value);
    EXPECT_STREQ(db.get_error_string(), "");
    for (const Morf& element : reply.split_array()) {
      ids.push_back(std::atol(element.get_str(0).c_str()));
    }
    return ids;
  }

  // getTopoNodesAttributes and setTopoNodesAttributes: { [1] { instances }, [2] { ... } }.
  Morf by_managed_objects(const std::string& action, std::initializer_list<const char*> objects,
                          const Asn1Value* attributes, const std::string& system = "L") {
    Image db = node_db(system);
    Asn1Value instances = constructed(hvx::TAG_SET);
    for (const char* object : objects) instances.add_component(hvx::fdn2oi(object));
    instances.make_explicit_tagged(Asn1Tag(Asn1Tag::CONTEXT, 1));
    Asn1Value argument = constructed(hvx::TAG_SEQ);
    argument.add_component(instances);
    if (attributes != nullptr) {
      Asn1Value tagged = *attributes;
      tagged.make_explicit_tagged(Asn1Tag(Asn1Tag::CONTEXT, 2));
      argument.add_component(tagged);
    }
    Morf value(db.get_param_syntax(DataUnit(action)));
    EXPECT_TRUE(value.set_value(argument)) << action;
    Morf reply = db.call_raw(DataUnit(action), value);
    last_error_ = db.get_error_string();
    return reply;
  }

  // A raw confirmed action on the node database of `system`, as the view-graph and
  // view-children fetches send it.
  Exchange raw_action(const std::string& system, const char* action_arc, const Asn1Value& info) {
    Message request(Message::ACTION_REQUEST);
    request.set_id(hvx::MessageSAP::new_id());
    request.set_object_class(
        oid_value(Oid(std::string(kTopoOid) + "3.2"), Asn1Tag(Asn1Tag::CONTEXT, 0)));
    Asn1Value instance = hvx::fdn2oi(prefix(system) + "topoNodeDBId=NULL");
    instance.set_tag(Asn1Tag(Asn1Tag::CONTEXT, 2));
    request.set_object_instance(instance);
    request.set_action_type(
        oid_value(Oid(std::string(kTopoOid) + action_arc), Asn1Tag(Asn1Tag::CONTEXT, 2)));
    request.set_action_info(info);
    Exchange exchange;
    exchange.sap = platform_.get_raw_sap();
    EXPECT_TRUE(
        exchange.sap->send(request, hvx::Callback(&Exchange::on_reply, &exchange), 2147483647.0));
    int passes = 0;
    while (!exchange.done && passes++ < 100) platform_.dispatch_recursive(true);
    EXPECT_TRUE(exchange.done);
    return exchange;
  }
};

// Attribute lists of replies: (attribute id, value) pairs by the attribute's short name.
std::map<std::string, Asn1Value> attributes_of(const Asn1Value& list) {
  std::map<std::string, Asn1Value> out;
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Oid oid;
    std::string name;
    EXPECT_TRUE(item.component(0).decode_oid(oid));
    EXPECT_TRUE(hvx::OidNameRegistry::find_name_by_oid(oid, name));
    out[hvx::get_shortname(name)] = item.component(1);
  }
  return out;
}

std::string text(const Asn1Value& value) {
  std::string out;
  value.decode_octets(out);
  return out;
}

TEST_F(TopoQueriesTest, NodesByNameTypeAndManagedObjectOnEverySystem) {
  for (const std::string system : {"L", "B", "C"}) {
    SCOPED_TRACE(system);
    const std::vector<long> n = populate(system);
    EXPECT_EQ(find("topoNodeGetByName", "alpha", system), (std::vector<long>{n[1], n[2]}));
    EXPECT_EQ(find("topoNodeGetByName", "Root", system), std::vector<long>{1});
    EXPECT_TRUE(find("topoNodeGetByName", "gamma", system).empty());
    EXPECT_EQ(find("topoNodeGetByType", "Host", system), (std::vector<long>{n[2], n[3]}));
    EXPECT_TRUE(find("topoNodeGetByType", "Device", system).empty());
    EXPECT_EQ(find("topoNodeGetByMO", kM1, system), (std::vector<long>{n[1], n[3]}));
    EXPECT_TRUE(find("topoNodeGetByMO", "/systemId=name:\"Z\"", system).empty());
    // Any of a set: "TopoNodeMOSet", each node once.
    Image db = node_db(system);
    Morf objects(hvx::Syntax::of_type("VQ-TOPO-ASN1.TopoNodeMOSet"));
    Asn1Value set = constructed(hvx::TAG_SET);
    for (const char* mo : {kM2, kM3, kM1}) set.add_component(hvx::fdn2oi(mo));
    ASSERT_TRUE(objects.set_value(set));
    std::vector<long> ids;
    for (const Morf& e : db.call_raw("topoNodeGetByMOSet", objects).split_array()) {
      ids.push_back(e.get_long());
    }
    EXPECT_EQ(ids, (std::vector<long>{n[1], n[2], n[3]}));
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

// {TRUE,{4,9}}: a pair per managed object of each listed node, the object read by oi2fdn.
TEST_F(TopoQueriesTest, ManagedObjectsByNodeList) {
  const std::vector<long> n = populate("C");
  const std::string list = "{" + std::to_string(n[3]) + "," + std::to_string(n[1]) + "}";
  std::vector<long> ids;
  std::vector<std::string> objects;
  for (const Morf& pair :
       call("topoGetNodeMODataByNodeList", "{TRUE," + list + "}", "C").split_array()) {
    const hvx::MorfArray parts = pair.split_array();
    ASSERT_EQ(parts.count(), 2u);
    ids.push_back(std::atol(parts[0].get_str(0).c_str()));
    objects.push_back(hvx::oi2fdn(parts[1].get_value()));
  }
  EXPECT_EQ(ids, (std::vector<long>{n[3], n[3], n[1]}));
  EXPECT_EQ(objects, (std::vector<std::string>{kM1, kM3, kM1}));
  ids.clear();
  for (const Morf& pair :
       call("topoGetNodeMODataByNodeList", "{FALSE," + list + "}", "C").split_array()) {
    EXPECT_EQ(pair.num_elements(), 1u);
    ids.push_back(pair.split_array()[0].get_long());
  }
  EXPECT_EQ(ids, (std::vector<long>{n[3], n[3], n[1]}));
  EXPECT_FALSE(call("topoGetNodeMODataByNodeList", "{TRUE,{1,999}}", "C").has_value());
  EXPECT_EQ(last_error_, "noSuchObjectInstance: topoGetNodeMODataByNodeList: there is no node 999");
}

TEST_F(TopoQueriesTest, NodeReportListsEveryNodeWithItsChildren) {
  const std::vector<long> n = populate("B");
  Image db(DataUnit(prefix("B") + "topoNodeDBId=NULL"), "topoNodeDB", platform_);
  Morf argument(db.get_param_syntax("topoGetNodeReport"));
  ASSERT_TRUE(argument.set("NULL"));
  const Morf reply = db.call_raw("topoGetNodeReport", argument);
  const Asn1Value report = reply.get_value();
  ASSERT_EQ(report.tag(), hvx::TAG_SET);
  std::map<long, std::pair<std::string, std::vector<long>>> seen;
  for (Asn1Value entry = report.first_component(); !entry.is_null();
       entry = entry.next_component()) {
    ASSERT_EQ(entry.tag(), hvx::TAG_SEQ);
    long id = 0;
    std::string name;
    std::string type;
    ASSERT_TRUE(entry.component(0).decode_int(id));
    ASSERT_TRUE(entry.component(1).decode_octets(name));
    ASSERT_TRUE(entry.component(2).decode_octets(type));
    std::vector<long> children;
    for (Asn1Value c = entry.component(3).first_component(); !c.is_null(); c = c.next_component()) {
      long child = 0;
      c.decode_int(child);
      children.push_back(child);
    }
    seen[id] = {name + "/" + type, children};
  }
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[1].first, "Root/Universe");
  EXPECT_EQ(seen[1].second, (std::vector<long>{n[0], n[3]}));
  EXPECT_EQ(seen[n[0]].second, (std::vector<long>{n[1], n[2], n[3]}));
  EXPECT_EQ(seen[n[2]].first, "alpha/Host");
}

TEST_F(TopoQueriesTest, AttributesOfTheNodesOfManagedObjects) {
  const std::vector<long> n = populate("L");
  ASSERT_TRUE(store(object("topoViewDBId=NULL/topoNodeId=" + std::to_string(n[0]) +
                           "/topoNodeId=" + std::to_string(n[1])),
                    "topoViewNodePosition", "{7,8,9}"));
  Asn1Value ids = constructed(hvx::TAG_SET);
  for (const char* name :
       {"topoNodeName", "topoNodeParents", "topoViewNodePosition", "topoViewBackgroundImage"}) {
    ids.add_component(oid_value(attribute_oid(name), Asn1Tag(Asn1Tag::CONTEXT, 0)));
  }
  const Morf reply = by_managed_objects("getTopoNodesAttributes", {kM1}, &ids);
  ASSERT_TRUE(reply.has_value()) << last_error_;
  const hvx::MorfArray nodes = reply.split_array();
  ASSERT_EQ(nodes.count(), 2u);
  long id = 0;
  ASSERT_TRUE(nodes[0].get_value().component(0).decode_int(id));
  EXPECT_EQ(id, n[1]);
  std::map<std::string, Asn1Value> values = attributes_of(nodes[0].get_value().component(1));
  EXPECT_EQ(text(values["topoNodeName"]), "alpha");
  EXPECT_EQ(values["topoViewNodePosition"].num_comps(), 3u);
  EXPECT_EQ(values.count("topoViewBackgroundImage"), 0u);  // not a view
  EXPECT_EQ(values.size(), 3u);
  // Every attribute when none is named; a view's own with it.
  const Morf all = by_managed_objects("getTopoNodesAttributes", {kM3}, nullptr);
  ASSERT_EQ(all.num_elements(), 1u);
  values = attributes_of(all.get_value().first_component().component(1));
  EXPECT_EQ(values.size(), 25u);  // 24 of the node, its place in its first parent
  EXPECT_TRUE(values.count("topoNodeSeverity"));

  Asn1Value unknown = constructed(hvx::TAG_SET);
  unknown.add_component(oid_value(Oid("1.2.3.4"), Asn1Tag(Asn1Tag::CONTEXT, 0)));
  EXPECT_FALSE(by_managed_objects("getTopoNodesAttributes", {kM1}, &unknown).has_value());
  EXPECT_EQ(last_error_,
            "noSuchAttribute: getTopoNodesAttributes: 1.2.3.4 is not an attribute of nodes");
  // Attributes named by a local number are not known here.
  Asn1Value local_form;
  local_form.encode_int(3, Asn1Tag(Asn1Tag::CONTEXT, 1));
  Asn1Value with_local = constructed(hvx::TAG_SET);
  with_local.add_component(local_form);
  EXPECT_FALSE(by_managed_objects("getTopoNodesAttributes", {kM1}, &with_local).has_value());
  EXPECT_EQ(last_error_,
            "invalidArgumentValue: getTopoNodesAttributes: attributes are named by object "
            "identifiers");
}

// Every node of the managed objects takes the values; a refusal of one changes none.
TEST_F(TopoQueriesTest, SettingAttributesOfTheNodesOfManagedObjects) {
  const std::vector<long> n = populate("B");
  auto attribute = [](const char* name, const Asn1Value* value) {
    Asn1Value pair = constructed(hvx::TAG_SEQ);
    pair.add_component(oid_value(attribute_oid(name), Asn1Tag(Asn1Tag::CONTEXT, 0)));
    if (value != nullptr) pair.add_component(*value);
    return pair;
  };
  Asn1Value layer;
  layer.encode_octets("core", hvx::TAG_GRAPHSTR);
  Asn1Value no;
  no.encode_boolean(false);
  Asn1Value list = constructed(hvx::TAG_SET);
  list.add_component(attribute("topoNodeLayer", &layer));
  list.add_component(attribute("topoNodePropagateUp", &no));
  Asn1Value empty;
  empty.encode_null();
  list.add_component(attribute("topoViewNodePosition", &empty));  // places: per view
  const Morf reply = by_managed_objects("setTopoNodesAttributes", {kM1}, &list, "B");
  ASSERT_TRUE(reply.has_value()) << last_error_;
  ASSERT_EQ(reply.num_elements(), 2u);
  std::map<std::string, Asn1Value> values =
      attributes_of(reply.get_value().first_component().component(1));
  EXPECT_EQ(text(values["topoNodeLayer"]), "core");
  long up = 1;
  EXPECT_TRUE(values["topoNodePropagateUp"].decode_int(up));
  EXPECT_EQ(up, 0);
  for (const long id : {n[1], n[3]}) {
    EXPECT_EQ(read(node(id, "B"), "topoNodeLayer").get_str(0), "core");
  }
  EXPECT_EQ(read(node(n[2], "B"), "topoNodeLayer").get_str(0), "devices");

  platform_.dispatch_recursive(false);
  hvx::EventRecorder recorder(platform_);
  // The first node would be its own parent: nothing changes for either.
  Asn1Value parents = constructed(hvx::TAG_SET);
  parents.add_component(integer(n[1]));
  Asn1Value refused = constructed(hvx::TAG_SET);
  refused.add_component(attribute("topoNodeLayer", &layer));
  refused.add_component(attribute("topoNodeParents", &parents));
  EXPECT_FALSE(by_managed_objects("setTopoNodesAttributes", {kM1}, &refused, "B").has_value());
  EXPECT_EQ(last_error_, "invalidAttributeValue: setTopoNodesAttributes: node " +
                             std::to_string(n[1]) +
                             ": topoNodeParents: a node cannot name itself here");
  Asn1Value children = constructed(hvx::TAG_SET);
  children.add_component(attribute("topoNodeChildren", &parents));
  EXPECT_FALSE(by_managed_objects("setTopoNodesAttributes", {kM1}, &children, "B").has_value());
  EXPECT_EQ(last_error_,
            "attributeNotSettable: setTopoNodesAttributes: topoNodeChildren is not settable");
  platform_.dispatch_recursive(false);
  EXPECT_TRUE(recorder.events().empty());
}

// topoGetViewGraph: every view with its parents and files, in linked replies and a final
// reply, each entry read by position.
TEST_F(TopoQueriesTest, ViewGraphInLinkedReplies) {
  std::vector<long> views;
  for (int i = 0; i < 120; ++i) views.push_back(make_node(numbered("v", i), "Network", {1}, "B"));
  const long inner = make_node("inner", "Subnetwork", {views[0], views[1]}, "B");
  make_node("device", "Host", {inner}, "B");
  ASSERT_TRUE(store(object("topoViewDBId=NULL/topoNodeId=" + std::to_string(inner), "B"),
                    "topoViewBackgroundImage", "map.gif"));
  Asn1Value none;
  none.encode_null();
  const Exchange exchange = raw_action("B", "9.4", none);
  ASSERT_EQ(exchange.replies.size(), 3u);  // 122 views: 100, 22, then the final reply
  std::map<long, std::vector<long>> parents;
  std::map<long, std::string> names;
  for (const Message& reply : exchange.replies) {
    ASSERT_EQ(reply.type(), Message::ACTION_RESULT);
    for (Asn1Value entry = reply.get_result_info().first_component(); !entry.is_null();
         entry = entry.next_component()) {
      ASSERT_EQ(entry.tag(), hvx::TAG_SEQ);
      ASSERT_EQ(entry.num_comps(), 7u);
      long id = 0;
      ASSERT_TRUE(entry.component(0).component(0).decode_int(id));
      names[id] = text(entry.component(0).component(1));
      for (Asn1Value p = entry.component(1).first_component(); !p.is_null();
           p = p.next_component()) {
        long parent = 0;
        p.component(0).decode_int(parent);
        parents[id].push_back(parent);
      }
      if (id == inner) {
        EXPECT_EQ(text(entry.component(2)), "map.gif");
        EXPECT_EQ(text(entry.component(4)), "Subnetwork");
      }
    }
  }
  EXPECT_NE(exchange.replies[0].linked_id(), 0);
  EXPECT_EQ(exchange.replies[2].linked_id(), 0);
  EXPECT_FALSE(exchange.replies[2].has(Message::INFO));
  EXPECT_EQ(names.size(), 122u);  // the views only
  EXPECT_EQ(names[1], "Root");
  EXPECT_TRUE(parents[1].empty());
  EXPECT_EQ(parents[inner], (std::vector<long>{views[0], views[1]}));
}

// topoNodeChildAttrsByView: the attributes of every child of a view, each with its place in
// that view.
TEST_F(TopoQueriesTest, ChildAttributesOfAViewInLinkedReplies) {
  const long view = make_node("v", "Network", {1}, "C");
  for (int i = 0; i < 150; ++i) make_node(numbered("h", i), "Host", {view}, "C");
  const long inner = make_node("inner", "Network", {view, 1}, "C");
  ASSERT_TRUE(store(object("topoViewDBId=NULL/topoNodeId=" + std::to_string(view) +
                               "/topoNodeId=" + std::to_string(inner),
                           "C"),
                    "topoViewNodePosition", "{1,2,3}"));
  Asn1Value info = constructed(hvx::TAG_SEQ);
  info.add_component(integer(view));
  Asn1Value ids = constructed(hvx::TAG_SET);
  for (const char* name : {"topoNodeName", "topoViewNodePosition", "topoViewMapConfigFile"}) {
    ids.add_component(oid_value(attribute_oid(name)));
  }
  info.add_component(ids);
  const Exchange exchange = raw_action("C", "9.9", info);
  ASSERT_EQ(exchange.replies.size(), 3u);
  std::vector<long> children;
  for (const Message& reply : exchange.replies) {
    for (Asn1Value entry = reply.get_result_info().first_component(); !entry.is_null();
         entry = entry.next_component()) {
      long id = 0;
      ASSERT_TRUE(entry.component(0).decode_int(id));
      children.push_back(id);
      std::map<std::string, Asn1Value> values = attributes_of(entry.component(1));
      if (id == inner) {
        EXPECT_EQ(text(values["topoNodeName"]), "inner");
        long x = 0;
        values["topoViewNodePosition"].component(0).decode_int(x);
        EXPECT_EQ(x, 1);
        EXPECT_EQ(values.size(), 3u);
      } else {
        EXPECT_EQ(values.size(), 2u);  // no view of its own
      }
    }
  }
  EXPECT_EQ(children.size(), 151u);
  EXPECT_EQ(children.back(), inner);
  // Only view_children asked for: an empty attribute set, one entry per child still.
  Asn1Value bare = constructed(hvx::TAG_SEQ);
  bare.add_component(integer(inner));
  bare.add_component(constructed(hvx::TAG_SET));
  EXPECT_EQ(raw_action("C", "9.9", bare).replies.size(), 1u);
}

// Bad requests get an error reply saying what is wrong, whatever the argument.
TEST_F(TopoQueriesTest, BadRequestsGetClearErrorReplies) {
  // A system the server does not know.
  Image elsewhere("/systemId=name:\"Nowhere\"/topoNodeDBId=NULL", "", platform_);
  EXPECT_FALSE(elsewhere.call("topoNodeGetByName", "\"Root\"").has_value());
  EXPECT_EQ(std::string(elsewhere.get_error_string()).rfind("noSuchObjectInstance", 0), 0u)
      << elsewhere.get_error_string();
  Asn1Value text_value;
  text_value.encode_octets("x", hvx::TAG_GRAPHSTR);
  Asn1Value no_view = constructed(hvx::TAG_SEQ);
  no_view.add_component(integer(555));
  no_view.add_component(constructed(hvx::TAG_SET));
  Asn1Value bad_attribute = constructed(hvx::TAG_SEQ);
  bad_attribute.add_component(integer(1));
  Asn1Value odd = constructed(hvx::TAG_SET);
  odd.add_component(oid_value(Oid("1.2.3")));
  bad_attribute.add_component(odd);
  const struct {
    const char* what;
    const char* arc;
    Asn1Value info;
    const char* text;
  } cases[] = {
      {"name of the wrong syntax", "9.1", integer(4),
       "invalidArgumentValue: \"VQ Topology\":topoNodeGetByName: the argument is not a "
       "GraphicString"},
      {"no name", "9.1", Asn1Value(),
       "invalidArgumentValue: topoNodeGetByName: the argument is a string"},
      {"no instance", "9.3", text_value,
       "invalidArgumentValue: \"VQ Topology\":topoNodeGetByMO: the argument is not a "
       "CMIP-1.ObjectInstance"},
      {"children of no view", "9.9", no_view,
       "noSuchObjectInstance: topoNodeChildAttrsByView: there is no node 555"},
      {"unknown attribute", "9.9", bad_attribute,
       "noSuchAttribute: topoNodeChildAttrsByView: 1.2.3 is not an attribute of nodes"},
      {"no argument", "9.7", Asn1Value(),
       "invalidArgumentValue: topoGetNodeMODataByNodeList: the argument is { BOOLEAN, SET OF "
       "INTEGER }"},
      {"no parts", "9.8", integer(1), "invalidArgumentValue"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Exchange exchange = raw_action("B", c.arc, c.info);
    ASSERT_EQ(exchange.replies.size(), 1u);
    EXPECT_EQ(exchange.replies[0].type(), Message::ERROR_REPLY);
    EXPECT_EQ(exchange.replies[0].error_string().rfind(c.text, 0), 0u)
        << exchange.replies[0].error_string() << " / " << c.text;
  }
}

}  // namespace
