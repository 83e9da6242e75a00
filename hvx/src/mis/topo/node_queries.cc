#include "topo/node_queries.h"

#include <functional>
#include <set>

#include "asn1_contents.h"
#include "hvx/ber.h"
#include "topo/database.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

ActionReply answer(Asn1Value info) {
  ActionReply reply;
  reply.info = std::move(info);
  return reply;
}

Asn1Value sorted_ids(const std::set<long>& ids) {
  Asn1Value set = ber::constructed(TAG_SET, static_cast<int>(ids.size()));
  for (const long id : ids) set.add_component(ber::integer(id));
  return set;
}

// Nodes by one key of an index: the name or type given as a string. `index` gives the
// nodes of a key of the graph.
template <typename Index>
ActionHandler by_text(const Database& database, std::string_view action, Index index) {
  const Database* db = &database;
  return [db, action, index](Server&, ManagedObject&, const Asn1Value& argument) {
    std::string key;
    if (argument.is_null() || argument.is_constructed() || !argument.decode_octets(key)) {
      return refuse_request(action, "the argument is a string");
    }
    return answer(sorted_ids(std::invoke(index, db->graph(), key)));
  };
}

ActionReply by_managed_object(const Database& database, const Asn1Value& argument) {
  const std::string key = name_key(argument);
  if (key.empty()) return refuse_request("topoNodeGetByMO", "the argument is an object instance");
  return answer(sorted_ids(database.graph().managing(key)));
}

ActionReply by_managed_object_set(const Database& database, const Asn1Value& argument) {
  if (argument.is_null() || !argument.is_constructed()) {
    return refuse_request("topoNodeGetByMOSet", "the argument is a set of object instances");
  }
  std::set<long> nodes;
  for (Asn1Value item = argument.first_component(); !item.is_null(); item = item.next_component()) {
    const std::string key = name_key(item);
    if (key.empty()) return refuse_request("topoNodeGetByMOSet", "an element is not a name");
    const std::set<long>& found = database.graph().managing(key);
    nodes.insert(found.begin(), found.end());
  }
  return answer(sorted_ids(nodes));
}

// One pair per managed object of each listed node, in the order of the list: the id, and
// the object itself when asked for.
ActionReply managed_objects_of(const Database& database, const Asn1Value& argument) {
  constexpr std::string_view kAction = "topoGetNodeMODataByNodeList";
  bool with_objects = false;
  std::vector<long> nodes;
  if (argument.is_null() || argument.num_comps() != 2 ||
      !argument.component(0).decode_boolean(with_objects) ||
      !read_ids(argument.component(1), nodes)) {
    return refuse_request(kAction, "the argument is { BOOLEAN, SET OF INTEGER }");
  }
  const Identifiers& ids = Identifiers::get();
  Asn1Value reply = ber::set();
  for (const long id : nodes) {
    const ManagedObject* node = database.server().find(ids.node(id));
    if (node == nullptr || database.graph().find(id) == nullptr) {
      return refuse_request(kAction, "there is no node " + std::to_string(id),
                            ErrorCode::no_such_object_instance);
    }
    const std::optional<Asn1Value> set = node->find(ids.node(kMoSet));
    if (!set) continue;
    for (Asn1Value item = set->first_component(); !item.is_null(); item = item.next_component()) {
      Asn1Value pair = ber::sequence();
      pair.add_component(ber::integer(id));
      if (with_objects) pair.add_component(item);
      reply.add_component(pair);
    }
  }
  return answer(reply);
}

// Written straight into its encoding: a report holds every node of the database, and a
// value tree of it would cost more than the walk itself.
ActionReply node_report(const Database& database) {
  std::string entries;
  std::string entry;
  std::string children;
  for (const auto& [id, node] : database.graph().nodes()) {
    entry.clear();
    append_integer_value(entry, id);
    append_ber_header(entry, kBerOctetString, node.name().size());
    entry += node.name();
    append_ber_header(entry, kBerOctetString, node.type().size());
    entry += node.type();
    children.clear();
    for (const long child : node.children()) append_integer_value(children, child);
    append_ber_header(entry, kBerSet, children.size());
    entry += children;
    append_ber_header(entries, kBerSequence, entry.size());
    entries += entry;
  }
  ActionReply reply;
  reply.info_encoded = set_of_encoded(entries);
  return reply;
}

}  // namespace

void append_integer_value(std::string& out, long value) {
  std::string contents;
  asn1_contents::append_integer(contents, value);
  append_ber_header(out, kBerInteger, contents.size());
  out += contents;
}

void append_ber_header(std::string& out, unsigned char tag, std::size_t length) {
  out.push_back(static_cast<char>(tag));
  ber::append_length(out, length);
}

DataUnit set_of_encoded(const std::string& entries) {
  std::string bytes;
  bytes.reserve(entries.size() + 6);
  append_ber_header(bytes, kBerSet, entries.size());
  bytes += entries;
  return DataUnit(std::move(bytes));
}

ActionReply refuse_request(std::string_view action, const std::string& why, ErrorCode code) {
  ActionReply reply;
  reply.outcome = Status::Failure(code, std::string(action) + ": " + why);
  return reply;
}

void register_node_queries(Database& database) {
  Server& server = database.server();
  const Database* db = &database;
  server.register_action("topoNodeDB", "topoNodeGetByName",
                         by_text(*db, "topoNodeGetByName", &NodeGraph::named));
  server.register_action("topoNodeDB", "topoNodeGetByType",
                         by_text(*db, "topoNodeGetByType", &NodeGraph::of_type));
  server.register_action("topoNodeDB", "topoNodeGetByMO",
                         [db](Server&, ManagedObject&, const Asn1Value& argument) {
                           return by_managed_object(*db, argument);
                         });
  server.register_action("topoNodeDB", "topoNodeGetByMOSet",
                         [db](Server&, ManagedObject&, const Asn1Value& argument) {
                           return by_managed_object_set(*db, argument);
                         });
  server.register_action("topoNodeDB", "topoGetNodeMODataByNodeList",
                         [db](Server&, ManagedObject&, const Asn1Value& argument) {
                           return managed_objects_of(*db, argument);
                         });
  server.register_action(
      "topoNodeDB", "topoGetNodeReport",
      [db](Server&, ManagedObject&, const Asn1Value&) { return node_report(*db); });
}

}  // namespace hvx::mis::topo
