#include "topo/database.h"

#include <algorithm>
#include <memory>
#include <set>

#include "hvx/ber.h"
#include "schema.h"
#include "topo/agents.h"
#include "topo/connection_manager.h"
#include "topo/database_support.h"
#include "topo/node_attributes.h"
#include "topo/node_queries.h"
#include "topo/predefined_types.h"
#include "topo/values.h"
#include "topo/view_graph.h"

namespace hvx::mis::topo {

namespace {

ManagedObject make_object(std::string_view class_name, const dn::Rdns& name) {
  ManagedObject object;
  object.info = Schema::get().find_class(class_name);
  object.set_name(name);
  Oid attribute;
  Asn1Value value;
  if (!name.empty() && dn::first_assertion(name.back(), attribute, value)) {
    object.attributes.set(attribute, value);
  }
  return object;
}

// Node, view and placement attributes all lie one arc below this.
std::vector<std::uint64_t> attribute_prefix() {
  const std::vector<std::uint64_t>& arcs = ids().node(kNodeId).arcs();
  return std::vector<std::uint64_t>(arcs.begin(), arcs.end() - 1);
}

Asn1Value encoded_boolean(bool value) {
  Asn1Value encoded;
  encoded.encode_boolean(value);
  return encoded;
}

}  // namespace

Database::SharedValues::SharedValues()
    : no_children(ber::set()), yes(encoded_boolean(true)), no(encoded_boolean(false)) {
  for (int value = 0; value <= kCleared; ++value) severities[value] = ber::integer(value);
}

Asn1Value Database::SharedValues::severity(int value) const {
  return is_severity(value) ? severities[value] : ber::integer(value);
}

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

Database::Database(Server& server) : server_(server), encoded_(attribute_prefix()) {
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
  node_objects_.clear();
  view_objects_.clear();
  encoded_.clear();
  places_.clear();
  children_replies_.clear();
  graph_.clear();
  types_.clear();
  alarms_.clear();
  alarms_by_object_.clear();
  next_id_ = 1;
  file_base_objects();
}

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
  // What is kept of an object goes before the object leaves the tree.
  node.before_delete = [this](Server&, const ManagedObject& o) {
    forget_objects(o);
    return Status::OK();
  };
  node.after_delete = [this](Server&, const ManagedObject& o) { after_node_delete(o); };
  server_.register_hooks("topoNode", std::move(node));

  // View and placement objects follow the nodes; applications only change their values.
  for (const std::string_view kind : {"topoView", "topoViewNode"}) {
    const std::string what = std::string(kind) + " objects follow " +
                             (kind == "topoView" ? "the types of nodes" : "the parents of nodes");
    ClassHooks follower;
    follower.before_create = [this, what](Server&, ManagedObject& o) {
      if (internal_ == 0) return Status::ProcessingFailure(what);
      fill_missing(o, view_defaults_, &Identifiers::node);
      return Status::OK();
    };
    follower.before_delete = [this, what](Server&, const ManagedObject&) {
      if (internal_ == 0) return Status::ProcessingFailure(what);
      return Status::OK();
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
      return Status::ProcessingFailure(dn::format(o.name(), false) +
                                       " is kept for the server's life");
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
    object.attributes.set(id.type(kDerivedFrom), text_set(type.bases));
    object.attributes.set(id.type(kLegalChildren), text_set(type.legal_children));
    object.attributes.set(id.type(kDrawMethod), ber::enumerated(predefined.draw_method));
    object.attributes.set(id.type(kDefaultLayer), graphic(predefined.layer));
    complete_type(type_id, types_, object);
    server_.file(std::move(object));
  }

  const long root = next_id_++;
  ManagedObject object = make_object("topoNode", id.node(root));
  object.attributes.set(id.node(kName), graphic(kRootName));
  object.attributes.set(id.node(kType), graphic(kRootType));
  complete_node(root, object);
  graph_.insert(root, graph_node(object));
  server_.file(std::move(object));
  if (graph_.find(root)->view()) {
    ManagedObject view = make_object("topoView", id.view(root));
    fill_missing(view, view_defaults_, &Identifiers::node);
    server_.file(std::move(view));
  }
}

void Database::modify(const dn::Rdns& name, const Oid& attribute, const Asn1Value& value) {
  server_.modify(name, {{ModifyMode::replace, attribute, value}}, false).IgnoreError();
}

void Database::create_view(long id) {
  server_.create("topoView", ids().view(id), {}, {}).IgnoreError();
}

void Database::delete_view(long id) {
  view_objects_.erase(id);
  places_.erase(id);
  server_.remove(ids().view(id)).IgnoreError();
}

Database::Kept* Database::kept(std::unordered_map<long, Kept>& objects, long id,
                               bool of_view) const {
  auto known = objects.find(id);
  if (known == objects.end()) {
    const ManagedObject* found = server_.find(of_view ? ids().view(id) : ids().node(id));
    if (found == nullptr) return nullptr;
    known = objects.emplace(id, Kept{found, {}}).first;
  }
  return &known->second;
}

const EncodedObjects::Encoded* Database::encoded(Kept* kept) const {
  if (kept == nullptr) return nullptr;
  encoded_.refresh(*kept->object, kept->encoded);
  return &kept->encoded;
}

const ManagedObject* Database::node_object(long id) const {
  const Kept* node = kept(node_objects_, id, false);
  return node != nullptr ? node->object : nullptr;
}

const ManagedObject* Database::view_object(long id) const {
  const Kept* view = kept(view_objects_, id, true);
  return view != nullptr ? view->object : nullptr;
}

const EncodedObjects::Encoded* Database::encoded_node(long id) const {
  return encoded(kept(node_objects_, id, false));
}

const EncodedObjects::Encoded* Database::encoded_view(long id) const {
  return encoded(kept(view_objects_, id, true));
}

const EncodedObjects::Encoded* Database::encoded_place(long view, long id) const {
  auto known = places_.find(view);
  if (known == places_.end()) {
    std::unordered_map<long, Kept> found;
    for (const ManagedObject* place : server_.children(ids().view(view))) {
      const std::optional<Asn1Value> child = place->find(ids().node(kNodeId));
      long n = 0;
      if (child && child->decode_int(n)) found.emplace(n, Kept{place, {}});
    }
    known = places_.emplace(view, std::move(found)).first;
  }
  const auto place = known->second.find(id);
  return place == known->second.end() ? nullptr : encoded(&place->second);
}

// A place is made for every node in every parent: its name shares the naming components
// of the two nodes' own names rather than holding copies of them.
void Database::create_view_node(long view, long id) {
  places_.erase(view);
  dn::Rdns name = ids().view_node(view, id);
  const ManagedObject* parent = server_.find(ids().node(view));
  const ManagedObject* child = server_.find(ids().node(id));
  if (parent != nullptr && child != nullptr && name.size() >= 2) {
    name[name.size() - 2] = parent->last_rdn();
    name.back() = child->last_rdn();
  }
  server_.create("topoViewNode", std::move(name), {}, {}).IgnoreError();
}

void Database::delete_view_node(long view, long id) {
  places_.erase(view);
  const dn::Rdns name = ids().view_node(view, id);
  if (const ManagedObject* place = server_.find(name)) encoded_.forget(*place);
  server_.remove(name).IgnoreError();
}

// topoNodeChildren follows the children's topoNodeParents, so it changes in place, without
// a notification of its own: a listener learns the same from each child's creation and
// parents change, while the parent's whole list in every creation would make creating n
// children under one view cost n squared. A child joins at the end of the held list.
void Database::add_child(long parent, long child) {
  ManagedObject* object = server_.find(ids().node(parent));
  if (object == nullptr) return;
  const Oid& children = ids().node(kChildren);
  if (!object->attributes.append_component(children, ber::integer(child))) {
    Asn1Value set = ber::set();
    set.add_component(ber::integer(child));
    object->attributes.set(children, set);
  }
  server_.touch(*object);
}

void Database::write_children(long parent) {
  const NodeGraph::Node* node = graph_.find(parent);
  ManagedObject* object = server_.find(ids().node(parent));
  if (node == nullptr || object == nullptr) return;
  object->attributes.set(ids().node(kChildren), id_set(node->children()));
  server_.touch(*object);
}

void Database::write_ids(long id, NodeAttribute attribute, const std::vector<long>& list) {
  modify(ids().node(id), ids().node(attribute), id_set(list));
}

void Database::drop_visible_child(long parent, long child) {
  const Identifiers& i = ids();
  const ManagedObject* object = server_.find(i.node(parent));
  if (object == nullptr) return;
  std::vector<long> visible;
  const std::optional<Asn1Value> array = object->find(i.node(kArrayVisibleChildren));
  if (array && read_ids(*array, visible) && contains(visible, child)) {
    std::erase(visible, child);
    write_ids(parent, kArrayVisibleChildren, visible);
  }
  object = server_.find(i.node(parent));
  const std::optional<Asn1Value> monitor = object->find(i.node(kMonitor));
  if (monitor && monitor->tag() == TAG_SEQ && read_ids(monitor->component(1), visible) &&
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
  if (const std::optional<Asn1Value> value = object->find(i.node(kManaged))) value->decode_boolean(managed);
  const std::optional<Asn1Value> set = object->find(i.node(kMoSet));
  const Asn1Value& is_managed = shared_.boolean(managed && set && set->num_comps() > 0);
  const std::optional<Asn1Value> current = object->find(i.node(kIsManaged));
  if (!current || !(*current == is_managed))
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
  const int severity = severity_of(node->managed_objects());
  const int old = node->severity();
  if (severity == old) return;
  graph_.set_severity(id, severity);
  modify(ids().node(id), ids().node(kSeverity), shared_.severity(severity));
  if (worse(old, severity) == severity) {
    raised.push_back(id);
  } else {
    lowered.push_back(id);
  }
}

void Database::propagate(const std::vector<long>& lowered, const std::vector<long>& raised) {
  for (const long id : graph_.propagate(lowered, raised)) {
    modify(ids().node(id), ids().node(kPropagatedSeverity),
           shared_.severity(graph_.find(id)->propagated()));
  }
}

Status Database::raise_alarm(const Asn1Value& managed_object, int severity, long& alarm) {
  const std::string key = name_key(managed_object);
  if (key.empty()) return Status::InvalidArgument("not a distinguished name");
  if (!is_severity(severity) || severity == kCleared) {
    return Status::InvalidArgument("perceived severity " + std::to_string(severity) +
                                   " is not an alarm's");
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
  return Status::OK();
}

Status Database::clear_alarm(long alarm) {
  const auto it = alarms_.find(alarm);
  if (it == alarms_.end()) {
    return Status::InvalidArgument("no alarm " + std::to_string(alarm));
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
  return Status::OK();
}

}  // namespace hvx::mis::topo
