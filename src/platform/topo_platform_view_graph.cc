// The view graph cache: each system's views fetched in one exchange, kept current from node
// events, answering parents, view children, names, files and path names without the server.
#include <exception>
#include <memory>
#include <string>

#include "core/system_path.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "dedavuz_api/topo_type.h"
#include "platform/node_db_request.h"

namespace {

using Code = VQStatus::Code;
using Rep = VQTopoPlatformRep;
using ViewNode = Rep::ViewGraph::Node;
using hvx::Asn1Value;

const hvx::Oid kViewGraphAction("1.3.6.1.4.1.7351.2.2.2.40.9.4");

constexpr char kParents[] = "VQTopoPlatform::get_view_graph_node_parents";
constexpr char kViewChildren[] = "VQTopoPlatform::get_view_graph_node_view_children";
constexpr char kName[] = "VQTopoPlatform::get_view_graph_node_name";
constexpr char kBackground[] = "VQTopoPlatform::get_view_graph_background_file_name";
constexpr char kNode[] = "VQTopoPlatform::get_view_graph_node";
constexpr char kPathnames[] = "VQTopoPlatform::view_topology_pathnames";

// { INTEGER id, OCTET STRING name }; the name is read only when asked for.
bool read_reference(const Asn1Value& reference, long& id, std::string* name) {
  if (!reference.is_constructed()) return false;
  const Asn1Value first = reference.first_component();
  if (!first.decode_int(id)) return false;
  return name == nullptr || first.next_component().decode_octets(*name);
}

// The optional tail of an entry: background, map file, extra name and two numbers, each
// read when present.
bool read_view_attributes(Asn1Value value, Rep::ViewInfo& info) {
  info.has_view_attributes = true;
  for (std::string* text : {&info.background_file_name, &info.map_file_name, &info.extra_name}) {
    if (value.is_null()) return true;
    if (!value.decode_octets(*text)) return false;
    value = value.next_component();
  }
  for (int* number : {&info.extra_number_1, &info.extra_number_2}) {
    if (value.is_null()) return true;
    long read = 0;
    if (!value.decode_int(read)) return false;
    *number = static_cast<int>(read);
    value = value.next_component();
  }
  return true;
}

bool on_system(const VQTopoNodeDn& key, const Rep::ViewInfo&, void* system) {
  return key.system_name() == *static_cast<const std::string*>(system);
}

}  // namespace

// --- Fetching.

VQStatus Rep::add_view_graph(const std::string& system) {
  try {
    Asn1Value null;
    null.encode_null();
    const hvx::Message request = vq_node_db_action_request(system, kViewGraphAction, null);
    auto context = std::make_unique<VQTopoPlatformRepContext>();
    context->system_name = system;
    context->rep = this;
    if (!platform_.get_raw_sap()->send(request, hvx::Callback(&add_view_graph_cb, context.get()),
                                       kVQRawTimeout)) {
      return VQStatus::success;
    }
    fetches_.push_back(context.release());
    ++pending_view_graph_requests;
  } catch (const std::exception&) {
    // A request that could not be made is not waited for.
  }
  return VQStatus::success;
}

void Rep::wait_for_view_graphs() {
  while (pending_view_graph_requests > 0) platform_.dispatch_recursive(true);
}

void Rep::add_view_graph_cb(void* client, void* raw) {
  auto* context = static_cast<VQTopoPlatformRepContext*>(client);
  Rep& rep = *context->rep;
  const std::unique_ptr<hvx::Message> message(rep.platform_.get_raw_sap()->decode(raw));
  if (message == nullptr) return;
  if (message->type() == hvx::Message::ACTION_RESULT && !context->dropped) {
    const Asn1Value& entries = message->get_result_info();
    for (Asn1Value entry = entries.is_constructed() ? entries.first_component() : Asn1Value();
         !entry.is_null(); entry = entry.next_component()) {
      // A malformed entry ends this reply; the entries before it stay.
      if (!rep.add_view_entry(context->system_name, entry)) break;
    }
  }
  const int base = message->base_type();
  if ((base != hvx::Message::RESULT && base != hvx::Message::ERROR) || message->linked_id() != 0) {
    return;
  }
  std::erase(rep.fetches_, context);
  --pending_view_graph_requests;
  const std::unique_ptr<VQTopoPlatformRepContext> done(context);
  // What changed while the reply was on its way is applied over it, in arrival order.
  if (!done->dropped) {
    for (const VQTopoNodeCallbackData& event : done->deferred) rep.view_event_cb(event);
  }
}

bool Rep::add_view_entry(const std::string& system, const Asn1Value& entry) {
  if (entry.tag() != hvx::TAG_SEQ || !entry.is_constructed()) return false;
  ViewInfo info;
  long id = 0;
  const Asn1Value view = entry.first_component();
  if (!read_reference(view, id, &info.name)) return false;
  const Asn1Value parent_list = view.next_component();
  if (!parent_list.is_constructed()) return false;
  VQList<VQTopoNodeDn> parents;
  for (Asn1Value parent = parent_list.first_component(); !parent.is_null();
       parent = parent.next_component()) {
    long parent_id = 0;
    if (!read_reference(parent, parent_id, nullptr)) return false;
    parents.append(VQTopoNodeDn(system, parent_id));
  }
  const Asn1Value tail = parent_list.next_component();
  if (!tail.is_null() && !read_view_attributes(tail, info)) return false;

  const VQTopoNodeDn key(system, id);
  if (!view_graph_.add_node(key, info, parents, {})) {
    view_graph_.add_in_nodes(key, parents);
    view_graph_.set_node_data(key, info);
  }
  // A system fetched again lists its roots once.
  if (info.name == "Root" && !root_nodes_.contains(key)) root_nodes_.append(key);
  return true;
}

VQStatus Rep::remove_view_graph(const std::string& system) {
  for (VQTopoPlatformRepContext* fetch : fetches_) {
    if (fetch->system_name == system) fetch->dropped = true;
  }
  std::string name = system;
  view_graph_.remove_node(&on_system, &name);
  return VQStatus::success;
}

// --- Following node events.

void Rep::register_view_event_callbacks() {
  VQTopoNodeRep::initialize_callbacks(platform_);
  VQTopoNode::register_callback(static_cast<VQEventType>(3), &view_event_cb_wrapper, this);
}

void Rep::view_event_cb_wrapper(const VQTopoNodeCallbackData& data) {
  static_cast<Rep*>(data.client_data)->view_event_cb(data);
}

void Rep::view_event_cb(const VQTopoNodeCallbackData& data) {
  const VQTopoNodeDn dn = view_key(data.dn);
  // A fetch of the node's system is on its way: the event waits for it, or the fetched
  // views would undo it.
  for (VQTopoPlatformRepContext* fetch : fetches_) {
    if (!fetch->dropped && fetch->system_name == dn.system_name()) {
      fetch->deferred.push_back(data);
      return;
    }
  }
  switch (data.event) {
    case object_creation:
      view_created(dn);
      break;
    case object_deletion:
      view_graph_.remove_node(dn);
      break;
    case attribute_value_change:
      view_changed(dn, data.node);
      break;
    default:
      break;
  }
}

void Rep::view_created(const VQTopoNodeDn& dn) {
  VQTopoNode node(dn);
  VQIntegerSet wanted(VQTopoNode::attribute_count);
  for (const int attribute : {VQTopoNode::name, VQTopoNode::type_name, VQTopoNode::parents}) {
    wanted.add(attribute);
  }
  if (!node.load_some_attributes(wanted)) return;
  const VQTopoNodeRep& loaded = *node.rep_;
  if (!VQTopoType::is_view(loaded.type_name_)) return;
  ViewInfo info;
  info.name = loaded.name_;
  VQList<VQTopoNodeDn> parents;
  for (const VQTopoNodeDn& parent : loaded.parents_) parents.append(view_key(parent));
  if (!view_graph_.add_node(dn, info, parents, {})) view_graph_.set_node_data(dn, info);
}

void Rep::view_changed(const VQTopoNodeDn& dn, const VQTopoNode& node) {
  const VQTopoNodeRep& changed = *node.rep_;
  VQIntegerSetIterator it(changed.active_);
  while (it.next()) {
    const int attribute = it.member();
    const bool name = attribute == VQTopoNode::name;
    const bool parents = attribute == VQTopoNode::parents;
    const bool background = attribute == VQTopoNode::view_background_image_filename;
    const bool map_file = attribute == VQTopoNode::view_map_config_filename;
    if (!name && !parents && !background && !map_file) continue;
    const ViewNode* view = view_graph_.find_node(dn);
    if (view == nullptr) {
      if (name || parents) return;
      continue;
    }
    ViewInfo info = view->data;
    if (name && info.name != changed.name_) {
      info.name = changed.name_;
      view_graph_.set_node_data(dn, info);
    } else if (parents) {
      VQList<VQTopoNodeDn> now;
      for (const VQTopoNodeDn& parent : changed.parents_) now.append(view_key(parent));
      VQList<VQTopoNodeDn> before;
      ViewGraph::keys_of(view->in_nodes, before);
      VQList<VQTopoNodeDn> added;
      VQList<VQTopoNodeDn> removed;
      for (const VQTopoNodeDn& parent : now) {
        if (!before.contains(parent)) added.append(parent);
      }
      for (const VQTopoNodeDn& parent : before) {
        if (!now.contains(parent)) removed.append(parent);
      }
      view_graph_.add_in_nodes(dn, added);
      view_graph_.remove_in_nodes(dn, removed);
    } else if ((background || map_file) && info.has_view_attributes) {
      // The files the graph answers follow the server's, as the name does; a view whose
      // files were never sent keeps asking the server.
      (background ? info.background_file_name : info.map_file_name) =
          background ? changed.view_background_image_filename_ : changed.view_map_config_filename_;
      view_graph_.set_node_data(dn, info);
    }
  }
}

VQTopoNodeDn Rep::view_key(const VQTopoNodeDn& dn) const {
  const std::string known = known_system_name(dn.system_name());
  if (known.empty() || known == dn.system_name()) return dn;
  return VQTopoNodeDn(known, dn.unique_id());
}

// --- Answers.

const ViewNode* Rep::find_view(const VQTopoNodeDn& view) const {
  const ViewNode* node = view_graph_.find_node(view);
  if (node != nullptr || view.system_name().empty()) return node;
  return view_graph_.find_node(
      VQTopoNodeDn(vq_toggled_slash(view.system_name()), view.unique_id()));
}

VQStatus Rep::find_view(const VQTopoNodeDn& view, const char* operation,
                        const ViewNode*& node) const {
  if (!view_graph_cached_) return VQStatus(Code::view_graph_not_cached, operation);
  node = find_view(view);
  if (node == nullptr) return VQStatus(Code::invalid_argument, operation);
  return VQStatus::success;
}

VQStatus Rep::get_view_graph_node_parents(const VQTopoNodeDn& view,
                                          VQList<VQTopoNodeDn>& parents) const {
  parents.clear();
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kParents, node));
  ViewGraph::keys_of(node->in_nodes, parents);
  return VQStatus::success;
}

VQStatus Rep::get_view_graph_node_view_children(const VQTopoNodeDn& view,
                                                VQList<VQTopoNodeDn>& children) const {
  children.clear();
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kViewChildren, node));
  ViewGraph::keys_of(node->out_nodes, children);
  return VQStatus::success;
}

VQStatus Rep::get_view_graph_node_info(const VQTopoNodeDn& view, ViewInfo& info) const {
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kName, node));
  if (node->data.name.empty()) return VQStatus(Code::invalid_argument, kName);
  info = node->data;
  return VQStatus::success;
}

VQStatus Rep::get_view_graph_node_name(const VQTopoNodeDn& view, std::string& name) const {
  // The lookup every view question starts with: kept to one probe and no status copy.
  const ViewNode* node = view_graph_cached_ ? find_view(view) : nullptr;
  if (node == nullptr || node->data.name.empty()) {
    return VQStatus(view_graph_cached_ ? Code::invalid_argument : Code::view_graph_not_cached,
                    kName);
  }
  name = node->data.name;
  return VQStatus();
}

VQStatus Rep::get_view_graph_background_file_name(const VQTopoNodeDn& view,
                                                  std::string& name) const {
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kBackground, node));
  if (!node->data.has_view_attributes) return VQStatus(Code::invalid_argument, kBackground);
  name = node->data.background_file_name;
  return VQStatus::success;
}

VQStatus Rep::get_view_graph_map_file_name(const VQTopoNodeDn& view, std::string& name) const {
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kName, node));
  if (!node->data.has_view_attributes) return VQStatus(Code::invalid_argument, kName);
  name = node->data.map_file_name;
  return VQStatus::success;
}

VQStatus Rep::get_view_graph_node(const VQTopoNodeDn& view, std::string& name,
                                  VQList<VQTopoNodeDn>& view_children,
                                  VQList<VQTopoNodeDn>& parents) const {
  view_children.clear();
  parents.clear();
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kNode, node));
  name = node->data.name;
  ViewGraph::keys_of(node->out_nodes, view_children);
  ViewGraph::keys_of(node->in_nodes, parents);
  return VQStatus::success;
}

// --- Path names.

VQStatus Rep::view_topology_pathnames(const VQTopoNodeDn& view, VQList<std::string>& paths) const {
  paths.clear();
  const ViewNode* node = nullptr;
  VQ_RETURN_IF_ERROR(find_view(view, kPathnames, node));
  return pathnames_above(*node, paths, 0);
}

VQStatus Rep::pathnames_above(const ViewNode& node, VQList<std::string>& paths,
                              std::size_t depth) const {
  // A route longer than the graph has views runs in a circle: the server sent a cycle.
  if (depth > view_graph_.size()) return VQStatus(Code::invalid_argument, kPathnames);
  std::string piece(1, '/');
  piece += node.data.name;
  if (paths.is_empty()) {
    paths.append(piece);
  } else {
    for (std::string& path : paths) path.insert(0, piece);
  }
  if (node.in_nodes.empty()) return VQStatus::success;
  VQList<std::string> collected;
  for (const ViewNode* parent : node.in_nodes) {
    VQList<std::string> through = paths;
    VQ_RETURN_IF_ERROR(pathnames_above(*parent, through, depth + 1));
    for (std::string& path : through) collected.append(std::move(path));
  }
  paths = std::move(collected);
  return VQStatus::success;
}

VQStatus Rep::topology_pathnames(const VQTopoNodeDn& view, const std::string& leaf,
                                 VQList<std::string>& paths) const {
  VQ_RETURN_IF_ERROR(view_topology_pathnames(view, paths));
  for (std::string& path : paths) path.append(1, '/').append(leaf);
  return VQStatus::success;
}
