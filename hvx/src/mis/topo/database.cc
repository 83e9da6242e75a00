#include "topo/database.h"

#include <algorithm>
#include <memory>
#include <set>

#include "hvx/ber.h"
#include "schema.h"
#include "topo/agents.h"
#include "topo/connection_manager.h"
#include "topo/node_attributes.h"
#include "topo/node_queries.h"
#include "topo/predefined_types.h"
#include "topo/values.h"
#include "topo/view_graph.h"

namespace hvx::mis::topo {

namespace {

const Identifiers& ids() { return Identifiers::get(); }

bool same_name(const dn::Rdns& a, const dn::Rdns& b) { return dn::key(a) == dn::key(b); }

// Whether `name` is `base` and one RDN more.
bool directly_below(const dn::Rdns& name, const dn::Rdns& base) {
  return name.size() == base.size() + 1 && same_name(dn::Rdns(name.begin(), name.end() - 1), base);
}

// Whether the last RDN of `name` is an assertion of `attribute`.
bool named_by(const dn::Rdns& name, const Oid& attribute) {
  Oid naming;
  Asn1Value value;
  return !name.empty() && dn::first_assertion(name.back(), naming, value) && naming == attribute;
}

long id_of(const dn::Rdns& name) {
  Oid attribute;
  Asn1Value value;
  long id = 0;
  if (name.empty() || !dn::first_assertion(name.back(), attribute, value)) return 0;
  value.decode_int(id);
  return id;
}

std::string type_id_of(const dn::Rdns& name) {
  return name.empty() ? std::string() : dn::string_value(name.back());
}

ManagedObject make_object(std::string_view class_name, const dn::Rdns& name) {
  ManagedObject object;
  object.info = Schema::get().find_class(class_name);
  object.name = name;
  Oid attribute;
  Asn1Value value;
  if (!name.empty() && dn::first_assertion(name.back(), attribute, value)) {
    object.attributes[attribute] = value;
  }
  return object;
}

template <typename Attribute>
void fill_missing(ManagedObject& object,
                  const std::vector<std::pair<Attribute, Asn1Value>>& defaults,
                  const Oid& (Identifiers::*oid)(Attribute) const) {
  for (const auto& [attribute, value] : defaults) {
    object.attributes.try_emplace((ids().*oid)(attribute), value);
  }
}

bool contains(const std::vector<long>& list, long id) {
  return std::find(list.begin(), list.end(), id) != list.end();
}

std::string node_text(long id) { return "node " + std::to_string(id); }

std::vector<std::string> texts(const std::map<Oid, Asn1Value>& values, const Oid& attribute) {
  std::vector<std::string> out;
  const auto it = values.find(attribute);
  if (it != values.end()) read_texts(it->second, out);
  return out;
}

}  // namespace

void Database::install(Server& server) {
  auto owned = std::unique_ptr<Database>(new Database(server));
  Database& database = *owned;
  server.add_extension(std::string(kExtension), std::move(owned));
  database.register_hooks();
  database.file_base_objects();
  register_node_queries(database);
  register_node_attribute_actions(database);
  register_view_graph(database);
  register_agents(server);
  register_connection_manager(server);
}

Database* Database::of(const Server& server) {
  return dynamic_cast<Database*>(server.extension(kExtension));
}

Database::Database(Server& server) : server_(server) {
  const std::pair<NodeAttribute, std::string_view> node_defaults[] = {
      {kMoSet, "{}"},
      {kParents, "{}"},
      {kPeers, "{}"},
      {kPropagatePeers, "{}"},
      {kManaged, "TRUE"},
      {kState, "0"},
      {kPropagateUp, "1"},
      {kDisplayStatus, "{}"},
      {kGeoLocation, "NULL"},
      {kMonitor, "NULL"},
      {kUserData, "{}"},
      {kArrayVisibleChildren, "{}"},
      {kArrayOrientation, "0"},
      {kArrayNumColumns, "0"},
      {kArrayCellSize, "{0,25}"},
      {kBusPoints, "{}"},
      {kBackgroundImage, "\"\""},
      {kMapConfigFile, "\"\""},
      {kInitialGeoArea, "NULL"},
      {kConfigData, "{}"},
      {kPosition, "{0,0,0}"},
  };
  for (const auto& [attribute, text] : node_defaults) {
    const Asn1Value value = notation_value(ids().node_name(attribute), text);
    if (ids().is_view_attribute(attribute) || attribute == kPosition) {
      view_defaults_.emplace_back(attribute, value);
    } else {
      node_defaults_.emplace_back(attribute, value);
    }
  }
  const std::pair<TypeAttribute, std::string_view> type_defaults[] = {
      {kDerivedFrom, "{}"},    {kLegalArcs, "{}"},     {kLegalChildren, "{}"},
      {kMaxVisibleLevel, "0"}, {kMaxTopoLevel, "0"},   {kDrawMethod, "circle"},
      {kDefaultLayer, "\"\""}, {kUserDataAttrs, "{}"},
  };
  for (const auto& [attribute, text] : type_defaults) {
    type_defaults_.emplace_back(attribute, notation_value(ids().type_name(attribute), text));
  }
}

void Database::restart(Server&) {
  graph_.clear();
  types_.clear();
  alarms_.clear();
  alarms_by_object_.clear();
  next_id_ = 1;
  file_base_objects();
}

// --- Hooks -------------------------------------------------------------------------------

void Database::register_hooks() {
  ClassHooks node;
  node.before_create = [this](Server&, ManagedObject& o) { return before_node_create(o); };
  node.after_create = [this](Server&, const ManagedObject& o) { after_node_create(o); };
  node.before_set = [this](Server&, const ManagedObject& o, const std::vector<Change>& c) {
    return before_node_set(o, c);
  };
  node.after_set = [this](Server&, const ManagedObject& o, const std::vector<Change>& c) {
    after_node_set(o, c);
  };
  node.after_delete = [this](Server&, const ManagedObject& o) { after_node_delete(o); };
  server_.register_hooks("topoNode", std::move(node));

  // View and placement objects follow the nodes; applications only change their values.
  for (const std::string_view kind : {"topoView", "topoViewNode"}) {
    const std::string what = std::string(kind) + " objects follow " +
                             (kind == "topoView" ? "the types of nodes" : "the parents of nodes");
    ClassHooks follower;
    follower.before_create = [this, what](Server&, ManagedObject& o) {
      if (internal_ == 0) return Outcome::Fail(ErrorCode::processing_failure, what);
      fill_missing(o, view_defaults_, &Identifiers::node);
      return Outcome::Ok();
    };
    follower.before_delete = [this, what](Server&, const ManagedObject&) {
      if (internal_ == 0) return Outcome::Fail(ErrorCode::processing_failure, what);
      return Outcome::Ok();
    };
    server_.register_hooks(kind, std::move(follower));
  }

  ClassHooks type;
  type.before_create = [this](Server&, ManagedObject& o) { return before_type_create(o); };
  type.after_create = [this](Server&, const ManagedObject& o) { after_type_create(o); };
  type.before_set = [this](Server&, const ManagedObject& o, const std::vector<Change>& c) {
    return before_type_set(o, c);
  };
  type.after_set = [this](Server&, const ManagedObject& o, const std::vector<Change>& c) {
    after_type_set(o, c);
  };
  type.before_delete = [this](Server&, const ManagedObject& o) { return before_type_delete(o); };
  type.after_delete = [this](Server&, const ManagedObject& o) { after_type_delete(o); };
  server_.register_hooks("topoType", std::move(type));

  for (const std::string_view permanent :
       {"topoNodeDB", "topoViewDB", "topoTypeDB", "agentTable", "internetClass"}) {
    ClassHooks hooks;
    hooks.before_delete = [](Server&, const ManagedObject& o) {
      return Outcome::Fail(ErrorCode::processing_failure,
                           dn::format(o.name, false) + " is kept for the server's life");
    };
    server_.register_hooks(permanent, std::move(hooks));
  }
}

void Database::file_base_objects() {
  const Identifiers& id = ids();
  server_.file(make_object("topoNodeDB", id.node_db()));
  server_.file(make_object("topoViewDB", id.view_db()));
  server_.file(make_object("topoTypeDB", id.type_db()));
  const std::pair<std::string_view, std::string_view> tables[] = {
      {"agentTable", R"(agentTableType="CMIP")"},
      {"agentTable", R"(agentTableType="RPC")"},
      {"internetClass", "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}"},
  };
  for (const auto& [class_name, text] : tables) {
    dn::Rdns name;
    if (dn::from_text(text, name)) server_.file(make_object(class_name, name));
  }

  for (const PredefinedType& predefined : predefined_types()) {
    std::vector<std::string> bases;
    if (!predefined.base.empty()) bases.emplace_back(predefined.base);
    std::vector<std::string> legal;
    read_texts(notation_value(id.type_name(kLegalChildren), predefined.legal_children), legal);
    types_.put(std::string(predefined.id), std::move(bases), std::move(legal), {});
  }
  for (const PredefinedType& predefined : predefined_types()) {
    const std::string type_id(predefined.id);
    ManagedObject object = make_object("topoType", id.type(type_id));
    const TypeTree::Type& type = *types_.find(type_id);
    object.attributes[id.type(kDerivedFrom)] = text_set(type.bases);
    object.attributes[id.type(kLegalChildren)] = text_set(type.legal_children);
    object.attributes[id.type(kDrawMethod)] = ber::enumerated(predefined.draw_method);
    object.attributes[id.type(kDefaultLayer)] = graphic(predefined.layer);
    complete_type(type_id, types_, object);
    server_.file(std::move(object));
  }

  const long root = next_id_++;
  ManagedObject object = make_object("topoNode", id.node(root));
  object.attributes[id.node(kName)] = graphic(kRootName);
  object.attributes[id.node(kType)] = graphic(kRootType);
  complete_node(root, object);
  graph_.insert(root, graph_node(object));
  server_.file(std::move(object));
  if (graph_.find(root)->view) {
    ManagedObject view = make_object("topoView", id.view(root));
    fill_missing(view, view_defaults_, &Identifiers::node);
    server_.file(std::move(view));
  }
}

// --- Nodes -------------------------------------------------------------------------------

Outcome Database::check_node(long id, const std::map<Oid, Asn1Value>& values,
                             const std::vector<bool>& changed) const {
  auto value = [&values](NodeAttribute attribute) -> const Asn1Value* {
    const auto it = values.find(ids().node(attribute));
    return it == values.end() ? nullptr : &it->second;
  };
  auto refuse = [](NodeAttribute attribute, ErrorCode code, const std::string& why) {
    return Outcome::Fail(code, ids().node_name(attribute) + ": " + why);
  };
  auto id_list = [&value](NodeAttribute attribute) {
    std::vector<long> list;
    if (const Asn1Value* v = value(attribute)) read_ids(*v, list);
    return list;
  };
  const NodeGraph::Node* current = graph_.find(id);

  if (changed[kName] && value(kName) == nullptr) {
    return refuse(kName, ErrorCode::missing_attribute_value, "a node needs a name");
  }
  if (changed[kType]) {
    const Asn1Value* type = value(kType);
    if (type == nullptr) {
      return refuse(kType, ErrorCode::missing_attribute_value, "a node needs a type");
    }
    const std::string name = text_of(*type);
    if (types_.find(name) == nullptr) {
      return refuse(kType, ErrorCode::invalid_attribute_value,
                    "there is no topology type \"" + name + "\"");
    }
    if (current != nullptr && !current->children.empty() && !types_.is_view(name)) {
      return refuse(kType, ErrorCode::invalid_attribute_value,
                    node_text(id) + " has children and \"" + name + "\" is not a view type");
    }
  }
  for (const NodeAttribute attribute : {kParents, kPeers, kPropagatePeers}) {
    if (!changed[attribute]) continue;
    const std::vector<long> list = id_list(attribute);
    long twice = 0;
    if (has_duplicate(list, twice)) {
      return refuse(attribute, ErrorCode::invalid_attribute_value,
                    node_text(twice) + " is listed twice");
    }
    for (const long other : list) {
      if (other == id) {
        return refuse(attribute, ErrorCode::invalid_attribute_value,
                      "a node cannot name itself here");
      }
      const NodeGraph::Node* node = graph_.find(other);
      if (node == nullptr) {
        return refuse(attribute, ErrorCode::invalid_attribute_value,
                      "there is no " + node_text(other) + " in this database");
      }
      if (attribute != kParents) continue;
      if (!node->view) {
        return refuse(attribute, ErrorCode::invalid_attribute_value,
                      node_text(other) + " is not a view");
      }
      if (current != nullptr && graph_.reaches_up(other, id)) {
        return refuse(
            attribute, ErrorCode::invalid_attribute_value,
            node_text(other) + " is below " + node_text(id) + ": the parents would make a cycle");
      }
    }
  }
  if (changed[kMoSet]) {
    if (const Asn1Value* set = value(kMoSet)) {
      for (Asn1Value item = set->first_component(); !item.is_null(); item = item.next_component()) {
        if (name_key(item).empty()) {
          return refuse(kMoSet, ErrorCode::invalid_attribute_value, "not a distinguished name");
        }
      }
    }
  }
  // Visible children are among the node's children.
  std::vector<long> visible;
  if (changed[kArrayVisibleChildren]) visible = id_list(kArrayVisibleChildren);
  const Asn1Value* monitor = changed[kMonitor] ? value(kMonitor) : nullptr;
  if (monitor != nullptr && monitor->tag() == TAG_SEQ) {
    std::vector<long> watched;
    read_ids(monitor->component(1), watched);
    visible.insert(visible.end(), watched.begin(), watched.end());
  }
  if (!visible.empty()) {
    const std::set<long> children =
        current == nullptr ? std::set<long>()
                           : std::set<long>(current->children.begin(), current->children.end());
    for (const long child : visible) {
      if (children.count(child) == 0) {
        return refuse(changed[kArrayVisibleChildren] ? kArrayVisibleChildren : kMonitor,
                      ErrorCode::invalid_attribute_value,
                      node_text(child) + " is not a child of " + node_text(id));
      }
    }
  }
  return Outcome::Ok();
}

void Database::complete_node(long id, ManagedObject& object) const {
  const Identifiers& i = ids();
  fill_missing(object, node_defaults_, &Identifiers::node);
  if (object.find(i.node(kLayer)) == nullptr) {
    // A node starts on its type's default layer.
    const ManagedObject* type = server_.find(i.type(text_of(*object.find(i.node(kType)))));
    const Asn1Value* layer = type == nullptr ? nullptr : type->find(i.type(kDefaultLayer));
    object.attributes[i.node(kLayer)] = layer != nullptr ? *layer : graphic("");
  }
  object.attributes[i.node(kChildren)] = ber::set();
  const NodeGraph::Node node = graph_node(object);
  const int severity = severity_of(node.managed_objects);
  int propagated = severity;
  for (const long peer : node.propagate_peers) {
    const NodeGraph::Node* source = graph_.find(peer);
    if (source != nullptr && source->propagate_up && peer != id) {
      propagated = worse(propagated, source->propagated);
    }
  }
  object.attributes[i.node(kSeverity)] = ber::integer(severity);
  object.attributes[i.node(kPropagatedSeverity)] = ber::integer(propagated);
  bool managed = true;
  object.find(i.node(kManaged))->decode_boolean(managed);
  Asn1Value is_managed;
  is_managed.encode_boolean(managed && !node.managed_objects.empty());
  object.attributes[i.node(kIsManaged)] = is_managed;
}

NodeGraph::Node Database::graph_node(const ManagedObject& object) const {
  const Identifiers& i = ids();
  auto get = [&object, &i](NodeAttribute attribute) {
    const Asn1Value* value = object.find(i.node(attribute));
    return value == nullptr ? Asn1Value() : *value;
  };
  NodeGraph::Node node;
  node.name = text_of(get(kName));
  node.type = text_of(get(kType));
  node.view = types_.is_view(node.type);
  read_ids(get(kParents), node.parents);
  read_ids(get(kPeers), node.peers);
  read_ids(get(kPropagatePeers), node.propagate_peers);
  const Asn1Value managed_objects = get(kMoSet);
  for (Asn1Value item = managed_objects.first_component(); !item.is_null();
       item = item.next_component()) {
    node.managed_objects.push_back(name_key(item));
  }
  long number = 1;
  get(kPropagateUp).decode_int(number);
  node.propagate_up = number != 0;
  number = kCleared;
  get(kSeverity).decode_int(number);
  node.severity = static_cast<int>(number);
  number = kCleared;
  get(kPropagatedSeverity).decode_int(number);
  node.propagated = static_cast<int>(number);
  return node;
}

Outcome Database::before_node_create(ManagedObject& object) {
  const Identifiers& i = ids();
  long id = 0;
  if (same_name(object.name, i.node_db())) {
    // Named by the server: the next id, unless the creator gave one.
    id = next_id_;
    if (const Asn1Value* given = object.find(i.node(kNodeId))) {
      if (!given->decode_int(id) || id <= 0) {
        return Outcome::Fail(ErrorCode::invalid_attribute_value,
                             "topoNodeId: a node id is a positive integer");
      }
    }
    object.name.push_back(dn::rdn(i.node(kNodeId), ber::integer(id)));
  } else if (!directly_below(object.name, i.node_db()) || !named_by(object.name, i.node(kNodeId)) ||
             (id = id_of(object.name)) <= 0) {
    return Outcome::Fail(ErrorCode::class_instance_conflict,
                         "topoNode objects are named topoNodeDBId=NULL/topoNodeId=<positive id>");
  }
  if (graph_.find(id) != nullptr) {
    return Outcome::Fail(ErrorCode::duplicate_object_instance, dn::format(object.name, false));
  }
  const Outcome checked =
      check_node(id, object.attributes, std::vector<bool>(kNodeAttributeCount, true));
  if (!checked.ok()) return checked;
  complete_node(id, object);
  return Outcome::Ok();
}

void Database::after_node_create(const ManagedObject& object) {
  const long id = id_of(object.name);
  graph_.insert(id, graph_node(object));
  next_id_ = std::max(next_id_, id + 1);
  Internal internal(internal_);
  const NodeGraph::Node node = *graph_.find(id);
  if (node.view) create_view(id);
  for (const long parent : node.parents) {
    add_child(parent, id);
    create_view_node(parent, id);
  }
  propagate({}, {id});
}

Outcome Database::before_node_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0) return Outcome::Ok();
  std::map<Oid, Asn1Value> values = object.attributes;
  std::vector<bool> changed(kNodeAttributeCount, false);
  for (const Change& change : changes) {
    values[change.attribute] = change.new_value;
    const NodeAttribute attribute = ids().node_attribute(change.attribute);
    if (attribute < kNodeAttributeCount) changed[attribute] = true;
  }
  return check_node(id_of(object.name), values, changed);
}

Outcome Database::check_node_change(long id, const std::vector<Modification>& modifications) const {
  const ManagedObject* object = server_.find(ids().node(id));
  if (object == nullptr || graph_.find(id) == nullptr) {
    return Outcome::Fail(ErrorCode::no_such_object_instance, node_text(id));
  }
  std::map<Oid, Asn1Value> values = object->attributes;
  std::vector<bool> changed(kNodeAttributeCount, false);
  for (const Modification& modification : modifications) {
    values[modification.attribute] = modification.value;
    const NodeAttribute attribute = ids().node_attribute(modification.attribute);
    if (attribute < kNodeAttributeCount) changed[attribute] = true;
  }
  return check_node(id, values, changed);
}

void Database::after_node_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0) return;
  Internal internal(internal_);
  const long id = id_of(object.name);
  const NodeGraph::Node* found = graph_.find(id);
  if (found == nullptr) return;
  const NodeGraph::Node before = *found;
  std::vector<long> lowered;
  std::vector<long> raised;
  bool managed_changed = false;
  for (const Change& change : changes) {
    switch (ids().node_attribute(change.attribute)) {
      case kName:
        graph_.set_name(id, text_of(change.new_value));
        break;
      case kType: {
        const std::string type = text_of(change.new_value);
        const bool view = types_.is_view(type);
        const bool was_view = graph_.find(id)->view;
        graph_.set_type(id, type, view);
        if (view && !was_view) create_view(id);
        if (!view && was_view) delete_view(id);
        break;
      }
      case kMoSet: {
        std::vector<std::string> keys;
        for (Asn1Value item = change.new_value.first_component(); !item.is_null();
             item = item.next_component()) {
          keys.push_back(name_key(item));
        }
        graph_.set_managed_objects(id, std::move(keys));
        update_severity(id, lowered, raised);
        managed_changed = true;
        break;
      }
      case kManaged:
        managed_changed = true;
        break;
      case kParents: {
        std::vector<long> parents;
        read_ids(change.new_value, parents);
        const std::vector<long> old = graph_.find(id)->parents;
        graph_.set_parents(id, parents);
        for (const long parent : old) {
          if (contains(parents, parent)) continue;
          write_children(parent);
          delete_view_node(parent, id);
          drop_visible_child(parent, id);
          lowered.push_back(parent);
        }
        for (const long parent : parents) {
          if (contains(old, parent)) continue;
          add_child(parent, id);
          create_view_node(parent, id);
          raised.push_back(id);
        }
        break;
      }
      case kPeers: {
        std::vector<long> peers;
        read_ids(change.new_value, peers);
        graph_.set_peers(id, peers);
        break;
      }
      case kPropagatePeers: {
        std::vector<long> peers;
        read_ids(change.new_value, peers);
        const std::vector<long> old = graph_.find(id)->propagate_peers;
        graph_.set_propagate_peers(id, peers);
        for (const long peer : old) {
          if (!contains(peers, peer)) lowered.push_back(id);
        }
        for (const long peer : peers) {
          if (!contains(old, peer)) raised.push_back(peer);
        }
        break;
      }
      case kPropagateUp: {
        long number = 1;
        change.new_value.decode_int(number);
        const bool up = number != 0;
        const NodeGraph::Node& now = *graph_.find(id);
        if (now.propagate_up && !up) {
          // Whatever it flowed into may fall.
          lowered.insert(lowered.end(), before.parents.begin(), before.parents.end());
          lowered.insert(lowered.end(), now.parents.begin(), now.parents.end());
          const std::set<long>& listing = graph_.listing_as_propagate_peer(id);
          lowered.insert(lowered.end(), listing.begin(), listing.end());
        }
        const bool rose = !now.propagate_up && up;
        graph_.set_propagate_up(id, up);
        if (rose) raised.push_back(id);
        break;
      }
      default:
        break;
    }
  }
  if (managed_changed) write_is_managed(id);
  propagate(lowered, raised);
}

// The children of a deleted node stay, without it as a parent (those it was the only
// parent of become roots); every reference to it goes.
void Database::after_node_delete(const ManagedObject& object) {
  const long id = id_of(object.name);
  const NodeGraph::Node* found = graph_.find(id);
  if (found == nullptr) return;
  Internal internal(internal_);
  const NodeGraph::Node node = *found;
  const std::set<long> peer_of = graph_.listing_as_peer(id);
  const std::set<long> propagate_peer_of = graph_.listing_as_propagate_peer(id);
  graph_.erase(id);
  for (const long child : node.children) {
    write_ids(child, kParents, graph_.find(child)->parents);
    delete_view_node(id, child);
  }
  if (node.view) delete_view(id);
  std::vector<long> lowered;
  for (const long parent : node.parents) {
    write_children(parent);
    delete_view_node(parent, id);
    drop_visible_child(parent, id);
    lowered.push_back(parent);
  }
  for (const long other : peer_of) write_ids(other, kPeers, graph_.find(other)->peers);
  for (const long other : propagate_peer_of) {
    write_ids(other, kPropagatePeers, graph_.find(other)->propagate_peers);
    lowered.push_back(other);
  }
  propagate(lowered, {});
}

// --- Types -------------------------------------------------------------------------------

Outcome Database::next_types(const std::string& id, const std::map<Oid, Asn1Value>& values,
                             TypeTree& next) const {
  const Identifiers& i = ids();
  next = types_;
  next.put(id, texts(values, i.type(kDerivedFrom)), texts(values, i.type(kLegalChildren)),
           texts(values, i.type(kLegalArcs)));
  const std::string fault = next.fault();
  if (!fault.empty()) {
    return Outcome::Fail(ErrorCode::invalid_attribute_value,
                         i.type_name(kDerivedFrom) + ": " + fault);
  }
  return check_view_types(next);
}

Outcome Database::check_view_types(const TypeTree& next) const {
  for (const auto& [id, type] : types_.types()) {
    if (!types_.is_view(id) || next.is_view(id)) continue;
    for (const long node : graph_.of_type(id)) {
      if (!graph_.find(node)->children.empty()) {
        return Outcome::Fail(ErrorCode::invalid_attribute_value,
                             ids().type_name(kLegalChildren) + ": \"" + id +
                                 "\" would no longer be a view type, and " + node_text(node) +
                                 " of that type has children");
      }
    }
  }
  return Outcome::Ok();
}

void Database::complete_type(const std::string& id, const TypeTree& tree,
                             ManagedObject& object) const {
  const Identifiers& i = ids();
  fill_missing(object, type_defaults_, &Identifiers::type);
  const TypeTree::Type* type = tree.find(id);
  if (type == nullptr) return;
  object.attributes[i.type(kAllDerivedFrom)] = text_set(type->all_bases);
  object.attributes[i.type(kBaseOf)] = text_set(type->sub_types);
  object.attributes[i.type(kAllBaseOf)] = text_set(type->all_sub_types);
  object.attributes[i.type(kAllLegalArcs)] = text_set(type->all_legal_arcs);
  object.attributes[i.type(kAllLegalChildren)] = text_set(type->all_legal_children);
}

Outcome Database::before_type_create(ManagedObject& object) {
  const Identifiers& i = ids();
  if (same_name(object.name, i.type_db())) {
    const Asn1Value* given = object.find(i.type(kTypeId));
    if (given == nullptr) {
      return Outcome::Fail(ErrorCode::missing_attribute_value, "topoTypeId: a type needs an id");
    }
    object.name.push_back(dn::rdn(i.type(kTypeId), *given));
  } else if (!directly_below(object.name, i.type_db()) || !named_by(object.name, i.type(kTypeId))) {
    return Outcome::Fail(ErrorCode::class_instance_conflict,
                         "topoType objects are named topoTypeDBId=NULL/topoTypeId=\"<id>\"");
  }
  const std::string id = type_id_of(object.name);
  if (id.empty()) {
    return Outcome::Fail(ErrorCode::invalid_attribute_value, "topoTypeId: a type needs an id");
  }
  if (types_.find(id) != nullptr) {
    return Outcome::Fail(ErrorCode::duplicate_object_instance, dn::format(object.name, false));
  }
  TypeTree next;
  const Outcome checked = next_types(id, object.attributes, next);
  if (!checked.ok()) return checked;
  complete_type(id, next, object);
  return Outcome::Ok();
}

void Database::after_type_create(const ManagedObject& object) {
  TypeTree next;
  next_types(type_id_of(object.name), object.attributes, next);
  Internal internal(internal_);
  adopt_types(std::move(next));
}

namespace {

bool touches_derivation(const std::vector<Change>& changes) {
  for (const Change& change : changes) {
    const TypeAttribute attribute = Identifiers::get().type_attribute(change.attribute);
    if (attribute == kDerivedFrom || attribute == kLegalChildren || attribute == kLegalArcs) {
      return true;
    }
  }
  return false;
}

std::map<Oid, Asn1Value> changed_values(const ManagedObject& object,
                                        const std::vector<Change>& changes) {
  std::map<Oid, Asn1Value> values = object.attributes;
  for (const Change& change : changes) values[change.attribute] = change.new_value;
  return values;
}

}  // namespace

Outcome Database::before_type_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0 || !touches_derivation(changes)) return Outcome::Ok();
  TypeTree next;
  return next_types(type_id_of(object.name), changed_values(object, changes), next);
}

void Database::after_type_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0 || !touches_derivation(changes)) return;
  TypeTree next;
  next_types(type_id_of(object.name), object.attributes, next);
  Internal internal(internal_);
  adopt_types(std::move(next));
}

Outcome Database::before_type_delete(const ManagedObject& object) const {
  const std::string id = type_id_of(object.name);
  const std::set<long>& nodes = graph_.of_type(id);
  if (!nodes.empty()) {
    return Outcome::Fail(ErrorCode::processing_failure,
                         "type \"" + id + "\" is the type of " + node_text(*nodes.begin()));
  }
  const TypeTree::Type* type = types_.find(id);
  if (type != nullptr && !type->sub_types.empty()) {
    return Outcome::Fail(ErrorCode::processing_failure,
                         "type \"" + id + "\" is the base of \"" + type->sub_types.front() + "\"");
  }
  return Outcome::Ok();
}

void Database::after_type_delete(const ManagedObject& object) {
  TypeTree next = types_;
  next.erase(type_id_of(object.name));
  Internal internal(internal_);
  adopt_types(std::move(next));
}

void Database::adopt_types(TypeTree next) {
  const Identifiers& i = ids();
  const TypeTree old = std::move(types_);
  types_ = std::move(next);
  for (const auto& [id, type] : types_.types()) {
    const TypeTree::Type* before = old.find(id);
    if (before == nullptr) continue;
    std::vector<Modification> modifications;
    auto follow = [&](TypeAttribute attribute, const std::vector<std::string>& now,
                      const std::vector<std::string>& was) {
      if (now != was) {
        modifications.push_back({ModifyMode::replace, i.type(attribute), text_set(now)});
      }
    };
    follow(kAllDerivedFrom, type.all_bases, before->all_bases);
    follow(kBaseOf, type.sub_types, before->sub_types);
    follow(kAllBaseOf, type.all_sub_types, before->all_sub_types);
    follow(kAllLegalArcs, type.all_legal_arcs, before->all_legal_arcs);
    follow(kAllLegalChildren, type.all_legal_children, before->all_legal_children);
    if (!modifications.empty()) server_.modify(i.type(id), modifications, false);
  }
  for (const auto& [id, type] : types_.types()) {
    const bool view = types_.is_view(id);
    if (old.is_view(id) == view) continue;
    const std::set<long> nodes = graph_.of_type(id);
    for (const long node : nodes) {
      graph_.set_view(node, view);
      if (view) {
        create_view(node);
      } else {
        delete_view(node);
      }
    }
  }
}

// --- Derived changes ---------------------------------------------------------------------

void Database::modify(const dn::Rdns& name, const Oid& attribute, const Asn1Value& value) {
  server_.modify(name, {{ModifyMode::replace, attribute, value}}, false);
}

void Database::create_view(long id) { server_.create("topoView", ids().view(id), {}, {}); }

void Database::delete_view(long id) { server_.remove(ids().view(id)); }

void Database::create_view_node(long view, long id) {
  server_.create("topoViewNode", ids().view_node(view, id), {}, {});
}

void Database::delete_view_node(long view, long id) { server_.remove(ids().view_node(view, id)); }

// A child joins at the end: the list grows by one, without being built again.
void Database::add_child(long parent, long child) {
  const dn::Rdns name = ids().node(parent);
  const ManagedObject* object = server_.find(name);
  if (object == nullptr) return;
  const Asn1Value* children = object->find(ids().node(kChildren));
  Asn1Value next = children != nullptr ? *children : ber::set();
  next.add_component(ber::integer(child));
  modify(name, ids().node(kChildren), next);
}

void Database::write_children(long parent) {
  if (const NodeGraph::Node* node = graph_.find(parent)) {
    write_ids(parent, kChildren, node->children);
  }
}

void Database::write_ids(long id, NodeAttribute attribute, const std::vector<long>& list) {
  modify(ids().node(id), ids().node(attribute), id_set(list));
}

void Database::drop_visible_child(long parent, long child) {
  const Identifiers& i = ids();
  const ManagedObject* object = server_.find(i.node(parent));
  if (object == nullptr) return;
  std::vector<long> visible;
  const Asn1Value* array = object->find(i.node(kArrayVisibleChildren));
  if (array != nullptr && read_ids(*array, visible) && contains(visible, child)) {
    std::erase(visible, child);
    write_ids(parent, kArrayVisibleChildren, visible);
  }
  object = server_.find(i.node(parent));
  const Asn1Value* monitor = object->find(i.node(kMonitor));
  if (monitor != nullptr && monitor->tag() == TAG_SEQ && read_ids(monitor->component(1), visible) &&
      contains(visible, child)) {
    std::erase(visible, child);
    Asn1Value next = ber::sequence();
    next.add_component(monitor->component(0));
    next.add_component(id_set(visible));
    modify(i.node(parent), i.node(kMonitor), next);
  }
}

void Database::write_is_managed(long id) {
  const Identifiers& i = ids();
  const ManagedObject* object = server_.find(i.node(id));
  if (object == nullptr) return;
  bool managed = true;
  if (const Asn1Value* value = object->find(i.node(kManaged))) value->decode_boolean(managed);
  const Asn1Value* set = object->find(i.node(kMoSet));
  Asn1Value is_managed;
  is_managed.encode_boolean(managed && set != nullptr && set->num_comps() > 0);
  const Asn1Value* current = object->find(i.node(kIsManaged));
  if (current == nullptr || !(*current == is_managed))
    modify(i.node(id), i.node(kIsManaged), is_managed);
}

int Database::severity_of(const std::vector<std::string>& managed_objects) const {
  int severity = kCleared;
  for (const std::string& key : managed_objects) {
    const auto it = alarms_by_object_.find(key);
    if (it == alarms_by_object_.end()) continue;
    for (const auto& [alarm, raised] : it->second) severity = worse(severity, raised);
  }
  return severity;
}

void Database::update_severity(long id, std::vector<long>& lowered, std::vector<long>& raised) {
  const NodeGraph::Node* node = graph_.find(id);
  if (node == nullptr) return;
  const int severity = severity_of(node->managed_objects);
  const int old = node->severity;
  if (severity == old) return;
  graph_.set_severity(id, severity);
  modify(ids().node(id), ids().node(kSeverity), ber::integer(severity));
  if (worse(old, severity) == severity) {
    raised.push_back(id);
  } else {
    lowered.push_back(id);
  }
}

void Database::propagate(const std::vector<long>& lowered, const std::vector<long>& raised) {
  for (const long id : graph_.propagate(lowered, raised)) {
    modify(ids().node(id), ids().node(kPropagatedSeverity),
           ber::integer(graph_.find(id)->propagated));
  }
}

// --- Alarms ------------------------------------------------------------------------------

Outcome Database::raise_alarm(const Asn1Value& managed_object, int severity, long& alarm) {
  const std::string key = name_key(managed_object);
  if (key.empty()) return Outcome::Fail(ErrorCode::invalid_argument, "not a distinguished name");
  if (!is_severity(severity) || severity == kCleared) {
    return Outcome::Fail(ErrorCode::invalid_argument,
                         "perceived severity " + std::to_string(severity) + " is not an alarm's");
  }
  alarm = next_alarm_++;
  alarms_[alarm] = {key, severity};
  alarms_by_object_[key][alarm] = severity;
  Internal internal(internal_);
  std::vector<long> lowered;
  std::vector<long> raised;
  const std::set<long> nodes = graph_.managing(key);
  for (const long id : nodes) update_severity(id, lowered, raised);
  propagate(lowered, raised);
  return Outcome::Ok();
}

Outcome Database::clear_alarm(long alarm) {
  const auto it = alarms_.find(alarm);
  if (it == alarms_.end()) {
    return Outcome::Fail(ErrorCode::invalid_argument, "no alarm " + std::to_string(alarm));
  }
  const std::string key = it->second.first;
  alarms_.erase(it);
  auto& on_object = alarms_by_object_[key];
  on_object.erase(alarm);
  if (on_object.empty()) alarms_by_object_.erase(key);
  Internal internal(internal_);
  std::vector<long> lowered;
  std::vector<long> raised;
  const std::set<long> nodes = graph_.managing(key);
  for (const long id : nodes) update_severity(id, lowered, raised);
  propagate(lowered, raised);
  return Outcome::Ok();
}

}  // namespace hvx::mis::topo
