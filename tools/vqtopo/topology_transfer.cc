#include "topology_transfer.h"

#include <algorithm>
#include <map>
#include <set>

#include "dedavuz_api/topo_platform.h"

#include "node_info.h"
#include "progress.h"

namespace {

using Node = VQTopoNode;

// The subtree in document order: depth first, children sorted by name and then id.
Outcome collect(const VQTopoNodeDn& dn, std::map<VQTopoNodeDn, std::size_t>& index,
                std::vector<NodeInfo>& infos, Progress& progress) {
  NodeInfo info;
  VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
  index.emplace(dn, infos.size());
  progress.step(infos.size() + 1);
  std::vector<std::pair<std::string, VQTopoNodeDn>> children;
  for (const VQTopoNodeDn& child : info.children) {
    if (index.count(child) != 0) continue;
    std::string name;
    VT_RETURN_IF_FAILED(read_name(child, name));
    children.emplace_back(name, child);
  }
  std::sort(children.begin(), children.end());
  infos.push_back(std::move(info));
  for (const auto& [name, child] : children) {
    // A child reached twice through the same parent is taken once.
    if (index.count(child) == 0) VT_RETURN_IF_FAILED(collect(child, index, infos, progress));
  }
  return {};
}

std::vector<std::size_t> inside(const std::vector<VQTopoNodeDn>& dns,
                                const std::map<VQTopoNodeDn, std::size_t>& index) {
  std::vector<std::size_t> refs;
  for (const VQTopoNodeDn& dn : dns) {
    const auto it = index.find(dn);
    if (it != index.end()) refs.push_back(it->second);
  }
  std::sort(refs.begin(), refs.end());
  return refs;
}

template <typename T>
VQList<T> to_list(const std::vector<T>& items) {
  VQList<T> list;
  for (const T& item : items) list.append(item);
  return list;
}

VQIntegerSet selection(std::initializer_list<int> attributes) {
  VQIntegerSet set(Node::attribute_count);
  for (const int attribute : attributes) set.add(attribute);
  return set;
}

// Import failures caused by the document (a managed object the server cannot take, say)
// are the user's to fix; the rest are the server's.
Outcome import_failure(const VQStatus& status, const std::string& what) {
  Outcome outcome = Outcome::from_status(status, what);
  if (status.code() == VQStatus::Code::invalid_argument ||
      status.code() == VQStatus::Code::encode_error) {
    return Outcome::usage(outcome.message());
  }
  return outcome;
}

Outcome create_node(const TopologyDocument::Entry& entry, const std::vector<VQTopoNodeDn>& made,
               const VQTopoNodeDn& root, VQTopoNodeDn& dn) {
  Node node;
  const std::string what = "importing \"" + entry.name + "\"";
  Node::DnList parents;
  VQList<Node::LocationInParent> positions;
  for (const std::size_t parent : entry.parents) parents.append(made[parent]);
  for (const TopologyDocument::Position& position : entry.positions) {
    positions.append({made[position.parent], position.location});
  }
  if (parents.is_empty()) {
    parents.append(root);
    positions.append({root, {0, 0, 0}});
  }
  VQIntegerSet attributes =
      selection({Node::name, Node::type_name, Node::parents, Node::logical_locations});
  VQStatus status = node.set_name(entry.name);
  if (status) status = node.set_type_name(entry.type);
  if (status) status = node.set_parents(parents);
  if (status) status = node.set_logical_locations(positions);
  if (status && !entry.managed_objects.empty()) {
    status = node.set_managed_objects(to_list(entry.managed_objects));
    attributes.add(Node::managed_objects);
  }
  if (status && !entry.statuses.empty()) {
    status = node.set_display_statuses(to_list(entry.statuses));
    attributes.add(Node::display_statuses);
  }
  if (status && !entry.background.empty()) {
    status = node.set_view_background_image_filename(entry.background);
    attributes.add(Node::view_background_image_filename);
  }
  if (status && !entry.map_config.empty()) {
    status = node.set_view_map_config_filename(entry.map_config);
    attributes.add(Node::view_map_config_filename);
  }
  if (status) status = node.create_with_some_attributes(attributes);
  if (status) status = node.get_dn(dn);
  return status ? Outcome{} : import_failure(status, what);
}

// The root view already exists: it only takes the view settings.
Outcome update_root(const TopologyDocument::Entry& entry, const VQTopoNodeDn& root) {
  Node node(root);
  VQStatus status = node.set_view_background_image_filename(entry.background);
  if (status) status = node.set_view_map_config_filename(entry.map_config);
  if (status) {
    status = node.store_some_attributes(
        selection({Node::view_background_image_filename, Node::view_map_config_filename}));
  }
  return status ? Outcome{} : import_failure(status, "importing the root view");
}

// Every type the document names must exist before anything is made: a type refused half
// way through would leave half a view behind.
Outcome check_types(const TopologyDocument& document) {
  VQList<VQTopoTypeDn> types;
  VT_RETURN_IF_ERROR(VQTopoPlatform::instance()->find_all_types(types), "reading the types");
  std::set<std::string> known;
  for (const VQTopoTypeDn& type : types) known.insert(type.unique_name());
  for (std::size_t i = document.top_is_root ? 1 : 0; i < document.nodes.size(); ++i) {
    const TopologyDocument::Entry& entry = document.nodes[i];
    if (known.count(entry.type) == 0) {
      return Outcome::usage("nodes[" + std::to_string(i) + "] (\"" + entry.name +
                            "\"): the server has no topology type \"" + entry.type + "\"");
    }
  }
  return {};
}

}  // namespace

Outcome read_document(const VQTopoNodeDn& view, TopologyDocument& document) {
  std::map<VQTopoNodeDn, std::size_t> index;
  std::vector<NodeInfo> infos;
  Progress progress("reading nodes");
  VT_RETURN_IF_FAILED(collect(view, index, infos, progress));
  document = TopologyDocument{};
  document.top_is_root = infos.front().parents.empty();
  for (std::size_t i = 0; i < infos.size(); ++i) {
    const NodeInfo& info = infos[i];
    TopologyDocument::Entry entry;
    entry.name = info.name;
    entry.type = info.type;
    if (i > 0) {
      entry.parents = inside(info.parents, index);
      for (const std::size_t parent : entry.parents) {
        Node::Location at;
        if (info.position_in(infos[parent].dn, at)) entry.positions.push_back({parent, at});
      }
    }
    entry.links = inside(info.links, index);
    entry.managed_objects = info.managed_objects;
    entry.statuses = info.statuses;
    entry.background = info.background;
    entry.map_config = info.map_config;
    document.nodes.push_back(std::move(entry));
  }
  return {};
}

Outcome write_document(const Session& session, const TopologyDocument& document,
                       VQTopoNodeDn& top) {
  VT_RETURN_IF_FAILED(check_types(document));
  const VQTopoNodeDn root = session.root();
  std::vector<VQTopoNodeDn> made(document.nodes.size());
  Progress progress("importing nodes");
  std::size_t done = 0;
  for (const std::size_t i : document.creation_order()) {
    const TopologyDocument::Entry& entry = document.nodes[i];
    if (i == 0 && document.top_is_root) {
      made[i] = root;
      VT_RETURN_IF_FAILED(update_root(entry, root));
    } else {
      VT_RETURN_IF_FAILED(create_node(entry, made, root, made[i]));
    }
    progress.step(++done);
  }
  // Links last: both ends must exist.
  for (std::size_t i = 0; i < document.nodes.size(); ++i) {
    if (document.nodes[i].links.empty()) continue;
    Node::DnList links;
    for (const std::size_t other : document.nodes[i].links) links.append(made[other]);
    Node node(made[i]);
    VQStatus status = node.set_links(links);
    if (status) status = node.store_some_attributes(selection({Node::links}));
    if (!status) return import_failure(status, "linking \"" + document.nodes[i].name + "\"");
  }
  top = made.front();
  return {};
}
