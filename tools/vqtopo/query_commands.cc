#include "query_commands.h"

#include <algorithm>
#include <ostream>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "node_json.h"
#include "progress.h"
#include "severity.h"

namespace {

using Json = nlohmann::ordered_json;

std::string position_text(const VQTopoNode::Location& at) {
  return "(" + std::to_string(at.x) + ", " + std::to_string(at.y) + ")";
}

// What a walk down the tree carries: the nodes above the current one, so that a cycle in
// the graph ends the walk instead of the process, and a count for the progress line.
struct TreeWalk {
  std::vector<VQTopoNodeDn> path;
  std::size_t read = 0;
  Progress progress{"reading the tree"};
};

// One node and, below it, its children.
Outcome tree_node(const VQTopoNodeDn& dn, const VQTopoNodeDn* parent, TreeWalk& walk, bool json,
                  Json& node_json, std::ostream& out) {
  std::vector<VQTopoNodeDn>& path = walk.path;
  NodeInfo info;
  VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
  walk.progress.step(++walk.read);
  VQTopoNode::Location at;
  const bool placed = parent != nullptr && info.position_in(*parent, at);
  if (json) {
    node_json = summary_json(info);
    if (placed) node_json["position"] = {{"x", at.x}, {"y", at.y}};
    node_json["children"] = Json::array();
  } else {
    out << std::string(2 * path.size(), ' ') << info.name << " [" << info.type << "] #"
        << dn.unique_id();
    if (placed) out << " at " << position_text(at);
    out << ' ' << severity::name(info.shown_severity()) << '\n';
  }
  if (std::find(path.begin(), path.end(), dn) != path.end()) return {};
  path.push_back(dn);
  for (const VQTopoNodeDn& child : info.children) {
    Json child_json;
    VT_RETURN_IF_FAILED(tree_node(child, &dn, walk, json, child_json, out));
    if (json) node_json["children"].push_back(std::move(child_json));
  }
  path.pop_back();
  return {};
}

Outcome named_list(const std::vector<VQTopoNodeDn>& dns, const NodeInfo* placed_in, Json& json,
                   std::string& text) {
  json = Json::array();
  for (const VQTopoNodeDn& dn : dns) {
    std::string name;
    VT_RETURN_IF_FAILED(read_name(dn, name));
    Json entry = dn_json(dn);
    entry["name"] = name;
    if (!text.empty()) text += ", ";
    text += name + " #" + std::to_string(dn.unique_id());
    VQTopoNode::Location at;
    if (placed_in != nullptr && placed_in->position_in(dn, at)) {
      entry["position"] = {{"x", at.x}, {"y", at.y}};
      text += " at " + position_text(at);
    }
    json.push_back(std::move(entry));
  }
  return {};
}

Outcome show_json(const NodeInfo& info, const VQList<std::string>& paths, Json& json) {
  json = summary_json(info);
  std::string unused;
  VT_RETURN_IF_FAILED(named_list(info.parents, &info, json["parents"], unused));
  VT_RETURN_IF_FAILED(named_list(info.children, nullptr, json["children"], unused));
  VT_RETURN_IF_FAILED(named_list(info.links, nullptr, json["links"], unused));
  json["managed_objects"] = info.managed_objects;
  json["display_statuses"] = statuses_json(info.statuses);
  json["background"] = info.background;
  json["map_config"] = info.map_config;
  json["paths"] = std::vector<std::string>(paths.begin(), paths.end());
  return {};
}

template <typename T, typename F>
std::string joined(const T& items, F text_of) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : ", ") + text_of(item);
  return text;
}

Outcome show_text(const NodeInfo& info, const VQList<std::string>& paths, std::ostream& out) {
  Json unused;
  std::string parents, children, links;
  VT_RETURN_IF_FAILED(named_list(info.parents, &info, unused, parents));
  VT_RETURN_IF_FAILED(named_list(info.children, nullptr, unused, children));
  VT_RETURN_IF_FAILED(named_list(info.links, nullptr, unused, links));
  const auto same = [](const std::string& s) { return s; };
  out << "name:                " << info.name << '\n'
      << "node:                " << dn_text(info.dn) << '\n'
      << "type:                " << info.type << '\n'
      << "severity:            " << severity::name(info.severity) << '\n'
      << "propagated severity: " << severity::name(info.propagated) << '\n'
      << "parents:             " << parents << '\n'
      << "children:            " << children << '\n'
      << "links:               " << links << '\n'
      << "managed objects:     " << joined(info.managed_objects, same) << '\n'
      << "display statuses:    "
      << joined(info.statuses,
                [](const VQTopoNode::DisplayStatus& s) {
                  return s.label + " = " + std::to_string(s.value);
                })
      << '\n';
  if (!info.background.empty()) out << "background:          " << info.background << '\n';
  if (!info.map_config.empty()) out << "map configuration:   " << info.map_config << '\n';
  for (const std::string& path : paths) out << "path:                " << path << '\n';
  return {};
}

Outcome print_found(const VQList<VQTopoNodeDn>& found, const std::string& what, bool json,
                    std::ostream& out) {
  if (found.is_empty()) return Outcome::not_found("no node " + what);
  Json list = Json::array();
  for (const VQTopoNodeDn& dn : found) {
    NodeInfo info;
    VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
    if (json) {
      list.push_back(summary_json(info));
    } else {
      out << '#' << dn.unique_id() << ' ' << info.name << " [" << info.type << "] "
          << severity::name(info.shown_severity()) << '\n';
    }
  }
  if (json) out << list.dump(2) << '\n';
  return {};
}

}  // namespace

Outcome run_tree(const Session& session, const std::string& view, bool json, std::ostream& out) {
  VQList<VQTopoNodeDn> tops;
  if (view.empty()) {
    VT_RETURN_IF_ERROR(VQTopoPlatform::instance()->find_root_nodes(tops, {session.system()}),
                       "finding the root views");
  } else {
    VQTopoNodeDn dn;
    VT_RETURN_IF_FAILED(session.resolve(view, dn));
    tops.append(dn);
  }
  Json trees = Json::array();
  TreeWalk walk;
  for (const VQTopoNodeDn& top : tops) {
    Json tree;
    VT_RETURN_IF_FAILED(tree_node(top, nullptr, walk, json, tree, out));
    if (json) trees.push_back(std::move(tree));
  }
  if (json) out << trees.dump(2) << '\n';
  return {};
}

Outcome run_show(const Session& session, const std::string& node, bool json, std::ostream& out) {
  VQTopoNodeDn dn;
  VT_RETURN_IF_FAILED(session.resolve(node, dn));
  NodeInfo info;
  VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
  VQTopoNode paths_node(dn);
  VQIntegerSet wanted(VQTopoNode::attribute_count);
  wanted.add(VQTopoNode::topology_pathnames);
  VQList<std::string> paths;
  VT_RETURN_IF_ERROR(paths_node.load_some_attributes(wanted), "reading the paths of " + node);
  VT_RETURN_IF_ERROR(paths_node.get_topology_pathnames(paths), "reading the paths of " + node);
  if (!json) return show_text(info, paths, out);
  Json document;
  VT_RETURN_IF_FAILED(show_json(info, paths, document));
  out << document.dump(2) << '\n';
  return {};
}

Outcome run_find(const Session& session, const FindQuery& query, bool json, std::ostream& out) {
  const int given = !query.name.empty() + !query.type.empty() + !query.managed_object.empty();
  if (given != 1) return Outcome::usage("find takes exactly one of --name, --type and --mo");
  const VQTopoPlatform& platform = *VQTopoPlatform::instance();
  const VQList<std::string> systems{session.system()};
  VQList<VQTopoNodeDn> found;
  if (!query.name.empty()) {
    VT_RETURN_IF_ERROR(platform.find_nodes_by_name(query.name, found, systems), "find");
    return print_found(found, "named \"" + query.name + "\"", json, out);
  }
  if (!query.type.empty()) {
    VT_RETURN_IF_ERROR(platform.find_nodes_by_type(query.type, found, systems), "find");
    return print_found(found, "of type \"" + query.type + "\"", json, out);
  }
  const VQStatus status =
      platform.find_nodes_by_managed_object(query.managed_object, found, systems);
  if (status.code() == VQStatus::Code::encode_error) {
    return Outcome::usage("not a managed object name: " + query.managed_object);
  }
  VT_RETURN_IF_ERROR(status, "find");
  return print_found(found, "managing " + query.managed_object, json, out);
}

Outcome run_report(const Session& session, const std::string& system, bool json,
                   std::ostream& out) {
  const VQTopoPlatform& platform = *VQTopoPlatform::instance();
  const std::string asked = system.empty() ? session.system() : system;
  const VQList<std::string> known = platform.system_names();
  if (!known.contains(asked)) return Outcome::not_found("no system named \"" + asked + "\"");
  VQList<VQTopoNodeReport> reports;
  VT_RETURN_IF_ERROR(platform.gen_node_report(asked, reports), "reporting on " + asked);
  Json list = Json::array();
  for (const VQTopoNodeReport& report : reports) {
    std::vector<long> children;
    for (const VQTopoNodeDn& child : report.children()) children.push_back(child.unique_id());
    if (json) {
      list.push_back({{"id", report.id()},
                      {"name", report.name()},
                      {"type", report.type_name()},
                      {"children", children}});
      continue;
    }
    out << '#' << report.id() << ' ' << report.name() << " [" << report.type_name() << ']';
    if (!children.empty()) {
      out << " children:";
      for (const long child : children) out << " #" << child;
    }
    out << '\n';
  }
  if (json) out << list.dump(2) << '\n';
  return {};
}
