#include "topo/node_attributes.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "hvx/ber.h"
#include "schema.h"
#include "topo/database.h"
#include "topo/node_queries.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

const Identifiers& ids() { return Identifiers::get(); }

const Asn1Tag kGlobalForm(Asn1Tag::CONTEXT, 0);
const Asn1Tag kLocalForm(Asn1Tag::CONTEXT, 1);

// Attribute identifiers of a request, each a node, view or placement attribute; each
// once, in the order given.
bool read_attribute_ids(const Asn1Value& list, std::string_view action,
                        std::vector<NodeAttribute>& out, ActionReply& refusal) {
  if (!list.is_constructed()) {
    refusal = refuse_request(action, "the attribute identifiers are a set");
    return false;
  }
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Oid oid;
    if (item.tag() == kLocalForm || !item.decode_oid(oid)) {
      refusal = refuse_request(action, "attributes are named by object identifiers");
      return false;
    }
    const NodeAttribute attribute = ids().node_attribute(oid);
    if (attribute == kNodeAttributeCount) {
      refusal = refuse_request(action, oid.format() + " is not an attribute of nodes",
                               ErrorCode::no_such_attribute);
      return false;
    }
    if (std::find(out.begin(), out.end(), attribute) == out.end()) out.push_back(attribute);
  }
  return true;
}

std::vector<NodeAttribute> every_attribute() {
  std::vector<NodeAttribute> all;
  for (int a = 0; a < kNodeAttributeCount; ++a) all.push_back(static_cast<NodeAttribute>(a));
  return all;
}

// The selected attributes of one node: its own, its view's when it is a view, and its
// place in `view` (in its first parent when `view` is 0). What it does not have is left out.
Asn1Value attributes_of(const Database& database, long id, const std::vector<NodeAttribute>& wanted,
                        long view) {
  const Server& server = database.server();
  const ManagedObject* node = database.node_object(id);
  const NodeGraph::Node* graph_node = database.graph().find(id);
  Asn1Value list = ber::constructed(TAG_SET, static_cast<int>(wanted.size() * 4));
  if (node == nullptr || graph_node == nullptr) return list;
  const ManagedObject* view_object = nullptr;
  bool view_looked_up = false;
  for (const NodeAttribute attribute : wanted) {
    const Oid& oid = ids().node(attribute);
    std::optional<Asn1Value> value;
    if (attribute == kPosition) {
      long in = view;
      if (in == 0 && !graph_node->parents().empty()) in = graph_node->parents().front();
      const ManagedObject* placement = in > 0 ? server.find(ids().view_node(in, id)) : nullptr;
      if (placement != nullptr) value = placement->find(oid);
    } else if (ids().is_view_attribute(attribute)) {
      if (!view_looked_up) {
        view_object = database.view_object(id);
        view_looked_up = true;
      }
      if (view_object != nullptr) value = view_object->find(oid);
    } else {
      value = node->find(oid);
    }
    if (!value) continue;
    Asn1Value entry = ber::sequence();
    entry.add_component(ber::oid(oid, kGlobalForm));
    entry.add_component(*value);
    list.add_component(entry);
  }
  return list;
}

Asn1Value node_entry(long id, const Asn1Value& attributes) {
  Asn1Value entry = ber::sequence();
  entry.add_component(ber::integer(id));
  entry.add_component(attributes);
  return entry;
}

// SEQUENCE { [1] EXPLICIT managed objects, [2] EXPLICIT attributes OPTIONAL }.
bool split_request(const Asn1Value& argument, Asn1Value& objects, Asn1Value& attributes) {
  if (argument.is_null() || !argument.is_constructed()) return false;
  for (Asn1Value part = argument.first_component(); !part.is_null(); part = part.next_component()) {
    unsigned number = 0;
    Asn1Value inner;
    if (!ber::explicit_content(part, number, inner)) return false;
    if (number == 1) {
      objects = inner;
    } else if (number == 2) {
      attributes = inner;
    } else {
      return false;
    }
  }
  return objects.is_constructed();
}

bool nodes_managing(const Database& database, const Asn1Value& objects, std::set<long>& out) {
  for (Asn1Value item = objects.first_component(); !item.is_null(); item = item.next_component()) {
    const std::string key = name_key(item);
    if (key.empty()) return false;
    const std::set<long>& found = database.graph().managing(key);
    out.insert(found.begin(), found.end());
  }
  return true;
}

ActionReply get_attributes(const Database& database, const Asn1Value& argument) {
  constexpr std::string_view kAction = "getTopoNodesAttributes";
  Asn1Value objects;
  Asn1Value list;
  if (!split_request(argument, objects, list)) {
    return refuse_request(kAction, "the argument is { [1] managed objects, [2] attributes }");
  }
  std::vector<NodeAttribute> wanted;
  ActionReply refusal;
  if (list.is_null()) {
    wanted = every_attribute();
  } else if (!read_attribute_ids(list, kAction, wanted, refusal)) {
    return refusal;
  }
  std::set<long> nodes;
  if (!nodes_managing(database, objects, nodes)) {
    return refuse_request(kAction, "a managed object is not a distinguished name");
  }
  ActionReply reply;
  reply.info = ber::set();
  for (const long id : nodes) {
    reply.info.add_component(node_entry(id, attributes_of(database, id, wanted, 0)));
  }
  return reply;
}

constexpr std::string_view kSetAction = "setTopoNodesAttributes";

// What a setTopoNodesAttributes request gives, sorted into changes of the nodes and of
// their views, and the attributes written.
struct NewValues {
  std::vector<Modification> node_changes;
  std::vector<Modification> view_changes;
  std::vector<NodeAttribute> written;
};

bool refuse(ActionReply& refusal, const std::string& why,
            ErrorCode code = ErrorCode::invalid_argument) {
  refusal = refuse_request(kSetAction, why, code);
  return false;
}

// The given values, each checked; false (with `refusal` set) at the first bad one.
bool read_new_values(const Asn1Value& list, NewValues& out, ActionReply& refusal) {
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Oid oid;
    const Asn1Value identifier = item.first_component();
    if (!item.is_constructed() || identifier.tag() == kLocalForm || !identifier.decode_oid(oid)) {
      return refuse(refusal, "each attribute is { object identifier, value }");
    }
    const NodeAttribute attribute = ids().node_attribute(oid);
    if (attribute == kNodeAttributeCount) {
      return refuse(refusal, oid.format() + " is not an attribute of nodes",
                    ErrorCode::no_such_attribute);
    }
    if (attribute == kPosition) continue;
    const std::string& name = ids().node_name(attribute);
    Asn1Value value = item.component(1);
    if (value.is_null()) return refuse(refusal, name + " has no value");
    const AttributeInfo* info = Schema::get().find_attribute(oid);
    if (info == nullptr || !info->def->settable) {
      return refuse(refusal, name + " is not settable", ErrorCode::attribute_not_settable);
    }
    bool flag = false;
    if (attribute == kPropagateUp && value.decode_boolean(flag)) value = ber::integer(flag ? 1 : 0);
    if (!Schema::fits(info->def->syntax, value)) {
      return refuse(refusal, name + ": the value does not fit its syntax",
                    ErrorCode::invalid_attribute_value);
    }
    auto& changes = ids().is_view_attribute(attribute) ? out.view_changes : out.node_changes;
    std::erase_if(changes, [&oid](const Modification& m) { return m.attribute == oid; });
    changes.push_back({ModifyMode::replace, oid, value});
    if (std::find(out.written.begin(), out.written.end(), attribute) == out.written.end()) {
      out.written.push_back(attribute);
    }
  }
  return true;
}

// Every node that refers to the managed objects takes the values; all of them are checked
// before any is changed, so a refusal changes nothing. Places in views are set per view,
// not here: a value for topoViewNodePosition is passed over.
ActionReply set_attributes(Database& database, const Asn1Value& argument) {
  Asn1Value objects;
  Asn1Value list;
  if (!split_request(argument, objects, list)) {
    return refuse_request(kSetAction, "the argument is { [1] managed objects, [2] attributes }");
  }
  NewValues given;
  ActionReply refusal;
  if (!read_new_values(list, given, refusal)) return refusal;
  const std::vector<Modification>& node_changes = given.node_changes;
  const std::vector<Modification>& view_changes = given.view_changes;
  std::set<long> nodes;
  if (!nodes_managing(database, objects, nodes)) {
    return refuse_request(kSetAction, "a managed object is not a distinguished name");
  }
  for (const long id : nodes) {
    const Status checked = database.check_node_change(id, node_changes);
    if (!checked.ok()) {
      return refuse_request(kSetAction, "node " + std::to_string(id) + ": " + checked.message(),
                            checked.code());
    }
  }
  Server& server = database.server();
  for (const long id : nodes) {
    if (!node_changes.empty()) {
      const Status outcome = server.modify(ids().node(id), node_changes);
      if (!outcome.ok()) return refuse_request(kSetAction, outcome.message(), outcome.code());
    }
    if (!view_changes.empty() && database.graph().find(id)->view()) {
      server.modify(ids().view(id), view_changes).IgnoreError();
    }
  }
  ActionReply reply;
  reply.info = ber::set();
  for (const long id : nodes) {
    reply.info.add_component(node_entry(id, attributes_of(database, id, given.written, 0)));
  }
  return reply;
}

// The attributes a view's children are asked for, prepared once per request: each with its
// last arc and the object that holds it. Node, view and placement attributes are all one
// arc below the same prefix.
struct Wanted {
  explicit Wanted(const std::vector<NodeAttribute>& asked) {
    for (std::size_t i = 0; i < asked.size(); ++i) {
      arcs.push_back(ids().node(asked[i]).arcs().back());
      of_view.push_back(ids().is_view_attribute(asked[i]));
      wants_view = wants_view || of_view.back();
      if (asked[i] == kPosition) position = static_cast<int>(i);
    }
  }

  std::vector<std::uint64_t> arcs;
  std::vector<bool> of_view;
  bool wants_view = false;
  int position = -1;
};

// { id, SET OF { identifier, value } } of one child of a view, appended to `out` as BER.
// The entries are copied from the objects' kept encodings: a reply for every child of a
// large view is built without a tree per value.
void append_child(const Database& database, long view, long id, const Wanted& wanted,
                  std::string& scratch, std::string& out) {
  scratch.clear();
  const NodeGraph::Node* graph_node = database.graph().find(id);
  const EncodedObjects::Encoded* own =
      graph_node != nullptr ? database.encoded_node(id) : nullptr;
  if (own != nullptr) {
    const EncodedObjects::Encoded* of_view =
        wanted.wants_view && graph_node->view() ? database.encoded_view(id) : nullptr;
    const EncodedObjects::Encoded* place =
        wanted.position >= 0 ? database.encoded_place(view, id) : nullptr;
    for (std::size_t i = 0; i < wanted.arcs.size(); ++i) {
      if (static_cast<int>(i) == wanted.position) {
        if (place != nullptr) scratch += place->entry(wanted.arcs[i]);
      } else if (!wanted.of_view[i]) {
        scratch += own->entry(wanted.arcs[i]);
      } else if (of_view != nullptr) {
        scratch += of_view->entry(wanted.arcs[i]);
      }
    }
  }
  std::string number;
  ber::integer(id).encode_to(number);
  std::string set;
  append_ber_header(set, kBerSet, scratch.size());
  append_ber_header(out, kBerSequence, number.size() + set.size() + scratch.size());
  out += number;
  out += set;
  out += scratch;
}

ActionReply children_attributes(const Database& database, const Asn1Value& argument) {
  constexpr std::string_view kAction = "topoNodeChildAttrsByView";
  long view_id = 0;
  if (argument.is_null() || argument.num_comps() != 2 ||
      !argument.component(0).decode_int(view_id)) {
    return refuse_request(kAction, "the argument is { view id, attribute identifiers }");
  }
  std::vector<NodeAttribute> asked;
  ActionReply reply;
  if (!read_attribute_ids(argument.component(1), kAction, asked, reply)) return reply;
  const NodeGraph::Node* view = database.graph().find(view_id);
  if (view == nullptr) {
    return refuse_request(kAction, "there is no node " + std::to_string(view_id),
                          ErrorCode::no_such_object_instance);
  }
  // A view shown by many clients is asked for again and again while nothing changes.
  KeptReplies::Key key{view_id, std::vector<int>(asked.begin(), asked.end())};
  const std::uint64_t revision = database.server().revision();
  if (const std::vector<DataUnit>* kept = database.children_replies().find(key, revision)) {
    reply.linked_encoded = *kept;
    return reply;
  }
  const Wanted wanted(asked);
  std::string scratch;
  reply_in_parts(
      view->children(),
      [&](long child, std::string& part) {
        append_child(database, view_id, child, wanted, scratch, part);
      },
      reply);
  database.children_replies().keep(std::move(key), revision, reply.linked_encoded);
  return reply;
}

}  // namespace

void register_node_attribute_actions(Database& database) {
  Server& server = database.server();
  Database* db = &database;
  server.register_action("topoNodeDB", "getTopoNodesAttributes",
                         [db](Server&, ManagedObject&, const Asn1Value& argument) {
                           return get_attributes(*db, argument);
                         });
  server.register_action("topoNodeDB", "setTopoNodesAttributes",
                         [db](Server&, ManagedObject&, const Asn1Value& argument) {
                           return set_attributes(*db, argument);
                         });
  server.register_action("topoNodeDB", "topoNodeChildAttrsByView",
                         [db](Server&, ManagedObject&, const Asn1Value& argument) {
                           return children_attributes(*db, argument);
                         });
}

}  // namespace hvx::mis::topo
