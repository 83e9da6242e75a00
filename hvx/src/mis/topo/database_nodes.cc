// The topology database's nodes: what a node must be to be created or changed, the
// attributes the server completes, and what a change does to the graph and the views.
#include <algorithm>
#include <set>

#include "hvx/ber.h"
#include "schema.h"
#include "topo/database.h"
#include "topo/database_support.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

// The node id an RDN names; 0 when it names none.
long id_of(const Asn1Value& rdn) {
  Oid attribute;
  Asn1Value value;
  long id = 0;
  if (!dn::first_assertion(rdn, attribute, value)) return 0;
  value.decode_int(id);
  return id;
}

long id_of(const ManagedObject& node) { return id_of(node.last_rdn()); }

}  // namespace

namespace {

std::optional<Asn1Value> value_of(const ObjectValues& values, NodeAttribute attribute) {
  return values.get(ids().node(attribute));
}

std::vector<long> id_list(const ObjectValues& values, NodeAttribute attribute) {
  std::vector<long> list;
  if (const std::optional<Asn1Value> v = value_of(values, attribute)) read_ids(*v, list);
  return list;
}

Status refuse(NodeAttribute attribute, ErrorCode code, const std::string& why) {
  return Status::Failure(code, ids().node_name(attribute) + ": " + why);
}

Status invalid(NodeAttribute attribute, const std::string& why) {
  return refuse(attribute, ErrorCode::invalid_attribute_value, why);
}

}  // namespace

Status Database::check_node(long id, const ObjectValues& values,
                            const std::vector<bool>& changed) const {
  const NodeGraph::Node* current = graph_.find(id);
  if (changed[kName] && !values.contains(ids().node(kName))) {
    return refuse(kName, ErrorCode::missing_attribute_value, "a node needs a name");
  }
  if (changed[kType]) {
    const std::optional<Asn1Value> type = value_of(values, kType);
    if (!type) {
      return refuse(kType, ErrorCode::missing_attribute_value, "a node needs a type");
    }
    const std::string name = text_of(*type);
    if (types_.find(name) == nullptr) {
      return invalid(kType, "there is no topology type \"" + name + "\"");
    }
    if (current != nullptr && !current->children().empty() && !types_.is_view(name)) {
      return invalid(kType,
                     node_text(id) + " has children and \"" + name + "\" is not a view type");
    }
  }
  for (const NodeAttribute attribute : {kParents, kPeers, kPropagatePeers}) {
    if (!changed[attribute]) continue;
    const Status listed = check_node_list(id, attribute, id_list(values, attribute));
    if (!listed.ok()) return listed;
  }
  if (changed[kMoSet]) {
    if (const std::optional<Asn1Value> set = value_of(values, kMoSet)) {
      for (Asn1Value item = set->first_component(); !item.is_null(); item = item.next_component()) {
        if (name_key(item).empty()) return invalid(kMoSet, "not a distinguished name");
      }
    }
  }
  return check_visible_children(id, values, changed);
}

// Parents, peers and propagate-peers: other nodes of this database, each once; parents are
// views not below the node.
Status Database::check_node_list(long id, NodeAttribute attribute,
                                 const std::vector<long>& list) const {
  long twice = 0;
  if (has_duplicate(list, twice)) return invalid(attribute, node_text(twice) + " is listed twice");
  for (const long other : list) {
    if (other == id) return invalid(attribute, "a node cannot name itself here");
    const NodeGraph::Node* node = graph_.find(other);
    if (node == nullptr) {
      return invalid(attribute, "there is no " + node_text(other) + " in this database");
    }
    if (attribute != kParents) continue;
    if (!node->view()) return invalid(attribute, node_text(other) + " is not a view");
    if (graph_.find(id) != nullptr && graph_.reaches_up(other, id)) {
      return invalid(attribute, node_text(other) + " is below " + node_text(id) +
                                    ": the parents would make a cycle");
    }
  }
  return Status::OK();
}

// Visible children (listed, or watched by the monitor) are among the node's children.
Status Database::check_visible_children(long id, const ObjectValues& values,
                                        const std::vector<bool>& changed) const {
  std::vector<long> visible;
  if (changed[kArrayVisibleChildren]) visible = id_list(values, kArrayVisibleChildren);
  const std::optional<Asn1Value> monitor = changed[kMonitor] ? value_of(values, kMonitor) : std::nullopt;
  if (monitor && monitor->tag() == TAG_SEQ) {
    std::vector<long> watched;
    read_ids(monitor->component(1), watched);
    visible.insert(visible.end(), watched.begin(), watched.end());
  }
  if (visible.empty()) return Status::OK();
  const NodeGraph::Node* current = graph_.find(id);
  const std::set<long> children =
      current == nullptr ? std::set<long>()
                         : std::set<long>(current->children().begin(), current->children().end());
  for (const long child : visible) {
    if (children.count(child) == 0) {
      return invalid(changed[kArrayVisibleChildren] ? kArrayVisibleChildren : kMonitor,
                     node_text(child) + " is not a child of " + node_text(id));
    }
  }
  return Status::OK();
}

void Database::complete_node(long id, ManagedObject& object) const {
  const Identifiers& i = ids();
  fill_missing(object, node_defaults_, &Identifiers::node);
  if (!object.attributes.contains(i.node(kLayer))) {
    // A node starts on its type's default layer.
    const ManagedObject* type = server_.find(i.type(text_of(*object.find(i.node(kType)))));
    const std::optional<Asn1Value> layer =
        type == nullptr ? std::nullopt : type->find(i.type(kDefaultLayer));
    object.attributes.set(i.node(kLayer), layer ? *layer : graphic(""));
  }
  object.attributes.set(i.node(kChildren), shared_.no_children);
  const NodeGraph::Node node = graph_node(object);
  const int severity = severity_of(node.managed_objects());
  int propagated = severity;
  for (const long peer : node.propagate_peers()) {
    const NodeGraph::Node* source = graph_.find(peer);
    if (source != nullptr && source->propagate_up() && peer != id) {
      propagated = worse(propagated, source->propagated());
    }
  }
  object.attributes.set(i.node(kSeverity), shared_.severity(severity));
  object.attributes.set(i.node(kPropagatedSeverity), shared_.severity(propagated));
  bool managed = true;
  object.find(i.node(kManaged))->decode_boolean(managed);
  object.attributes.set(i.node(kIsManaged), shared_.boolean(managed && !node.managed_objects().empty()));
}

NodeGraph::Node Database::graph_node(const ManagedObject& object) const {
  const Identifiers& i = ids();
  auto get = [&object, &i](NodeAttribute attribute) {
    const std::optional<Asn1Value> value = object.find(i.node(attribute));
    return value.value_or(Asn1Value());
  };
  NodeGraph::Node node;
  node.set_name(text_of(get(kName)));
  node.set_type(text_of(get(kType)));
  node.set_view(types_.is_view(node.type()));
  std::vector<long> ids;
  read_ids(get(kParents), ids);
  node.set_parents(ids);
  ids.clear();
  read_ids(get(kPeers), ids);
  node.set_peers(std::move(ids));
  ids.clear();
  read_ids(get(kPropagatePeers), ids);
  node.set_propagate_peers(std::move(ids));
  std::vector<std::string> keys;
  const Asn1Value managed_objects = get(kMoSet);
  for (Asn1Value item = managed_objects.first_component(); !item.is_null();
       item = item.next_component()) {
    keys.push_back(name_key(item));
  }
  node.set_managed_objects(std::move(keys));
  long number = 1;
  get(kPropagateUp).decode_int(number);
  node.set_propagate_up(number != 0);
  number = kCleared;
  get(kSeverity).decode_int(number);
  node.set_severity(static_cast<int>(number));
  number = kCleared;
  get(kPropagatedSeverity).decode_int(number);
  node.set_propagated(static_cast<int>(number));
  return node;
}

Status Database::before_node_create(ManagedObject& object) {
  const Identifiers& i = ids();
  long id = 0;
  dn::Rdns name = object.name();
  if (same_name(name, i.node_db())) {
    // Named by the server: the next id, unless the creator gave one.
    id = next_id_;
    if (const std::optional<Asn1Value> given = object.find(i.node(kNodeId))) {
      if (!given->decode_int(id) || id <= 0) {
        return Status::InvalidAttributeValue("topoNodeId: a node id is a positive integer");
      }
    }
    name.push_back(dn::rdn(i.node(kNodeId), ber::integer(id)));
    object.set_name(name);
  } else if (!directly_below(name, i.node_db()) || !named_by(name, i.node(kNodeId)) ||
             (id = id_of(name.back())) <= 0) {
    return Status::ClassInstanceConflict(
        "topoNode objects are named topoNodeDBId=NULL/topoNodeId=<positive id>");
  }
  if (graph_.find(id) != nullptr) {
    return Status::DuplicateObjectInstance(dn::format(name, false));
  }
  const Status checked =
      check_node(id, object.attributes, std::vector<bool>(kNodeAttributeCount, true));
  if (!checked.ok()) return checked;
  complete_node(id, object);
  return Status::OK();
}

void Database::after_node_create(const ManagedObject& object) {
  const long id = id_of(object);
  graph_.insert(id, graph_node(object));
  next_id_ = std::max(next_id_, id + 1);
  Internal internal(internal_);
  const NodeGraph::Node node = *graph_.find(id);
  if (node.view()) create_view(id);
  for (const long parent : node.parents()) {
    add_child(parent, id);
    create_view_node(parent, id);
  }
  propagate({}, {id});
}

Status Database::before_node_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0) return Status::OK();
  ObjectValues values = object.attributes;
  std::vector<bool> changed(kNodeAttributeCount, false);
  for (const Change& change : changes) {
    values.set(change.attribute, change.new_value);
    const NodeAttribute attribute = ids().node_attribute(change.attribute);
    if (attribute < kNodeAttributeCount) changed[attribute] = true;
  }
  return check_node(id_of(object), values, changed);
}

Status Database::check_node_change(long id, const std::vector<Modification>& modifications) const {
  const ManagedObject* object = server_.find(ids().node(id));
  if (object == nullptr || graph_.find(id) == nullptr) {
    return Status::NoSuchObjectInstance(node_text(id));
  }
  ObjectValues values = object->attributes;
  std::vector<bool> changed(kNodeAttributeCount, false);
  for (const Modification& modification : modifications) {
    values.set(modification.attribute, modification.value);
    const NodeAttribute attribute = ids().node_attribute(modification.attribute);
    if (attribute < kNodeAttributeCount) changed[attribute] = true;
  }
  return check_node(id, values, changed);
}

void Database::after_node_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0) return;
  Internal internal(internal_);
  const long id = id_of(object);
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
        const bool was_view = graph_.find(id)->view();
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
        const std::span<const long> held = graph_.find(id)->parents();
        const std::vector<long> old(held.begin(), held.end());
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
        const std::vector<long> old = graph_.find(id)->propagate_peers();
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
        if (now.propagate_up() && !up) {
          // Whatever it flowed into may fall.
          lowered.insert(lowered.end(), before.parents().begin(), before.parents().end());
          lowered.insert(lowered.end(), now.parents().begin(), now.parents().end());
          const std::set<long>& listing = graph_.listing_as_propagate_peer(id);
          lowered.insert(lowered.end(), listing.begin(), listing.end());
        }
        const bool rose = !now.propagate_up() && up;
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

void Database::forget_objects(const ManagedObject& node) {
  const long id = id_of(node);
  node_objects_.erase(id);
  view_objects_.erase(id);
}

// The children of a deleted node stay, without it as a parent (those it was the only
// parent of become roots); every reference to it goes.
void Database::after_node_delete(const ManagedObject& object) {
  const long id = id_of(object);
  const NodeGraph::Node* found = graph_.find(id);
  if (found == nullptr) return;
  Internal internal(internal_);
  const NodeGraph::Node node = *found;
  const std::set<long> peer_of = graph_.listing_as_peer(id);
  const std::set<long> propagate_peer_of = graph_.listing_as_propagate_peer(id);
  graph_.erase(id);
  for (const long child : node.children()) {
    const std::span<const long> parents = graph_.find(child)->parents();
    write_ids(child, kParents, std::vector<long>(parents.begin(), parents.end()));
    delete_view_node(id, child);
  }
  if (node.view()) delete_view(id);
  std::vector<long> lowered;
  for (const long parent : node.parents()) {
    write_children(parent);
    delete_view_node(parent, id);
    drop_visible_child(parent, id);
    lowered.push_back(parent);
  }
  for (const long other : peer_of) write_ids(other, kPeers, graph_.find(other)->peers());
  for (const long other : propagate_peer_of) {
    write_ids(other, kPropagatePeers, graph_.find(other)->propagate_peers());
    lowered.push_back(other);
  }
  propagate(lowered, {});
}

}  // namespace hvx::mis::topo
