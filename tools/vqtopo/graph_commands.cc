#include "graph_commands.h"

#include <algorithm>
#include <ostream>
#include <set>
#include <vector>

#include "node_json.h"
#include "severity.h"

namespace {

using Json = nlohmann::ordered_json;

// Explains one node's severity and recurses into the children that carry the same one.
// `seen` keeps a node shared by two branches, or a cycle, from being explained twice.
Outcome explain(const VQTopoNodeDn& dn, int depth, std::set<VQTopoNodeDn>& seen, bool json,
                Json& node_json, std::ostream& out) {
  NodeInfo info;
  VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
  const VQTopoNode::Severity shown = info.shown_severity();
  const bool alarmed = info.severity == shown && shown != VQTopoNode::cleared;
  const std::string indent(2 * depth, ' ');
  if (json) {
    node_json = summary_json(info);
    node_json["alarmed"] = alarmed;
    if (alarmed) node_json["managed_objects"] = info.managed_objects;
    node_json["children"] = Json::array();
  } else {
    out << indent << info.name << " #" << dn.unique_id() << ": " << severity::name(shown);
    if (shown == VQTopoNode::cleared) {
      out << ", nothing behind it\n";
    } else if (alarmed) {
      out << ", from alarms on its managed objects\n";
      for (const std::string& mo : info.managed_objects) out << indent << "  alarm on " << mo << '\n';
    } else {
      out << ", propagated from below\n";
    }
  }
  if (shown == VQTopoNode::cleared || !seen.insert(dn).second) return {};
  for (const VQTopoNodeDn& child_dn : info.children) {
    NodeInfo child;
    VT_RETURN_IF_FAILED(NodeInfo::read(child_dn, child));
    if (severity::rank(child.shown_severity()) != severity::rank(shown)) continue;
    Json child_json;
    VT_RETURN_IF_FAILED(explain(child_dn, depth + 1, seen, json, child_json, out));
    if (json) node_json["children"].push_back(std::move(child_json));
  }
  return {};
}

}  // namespace

Outcome run_neighbours(const Session& session, const std::string& node, int hops, bool json,
                       std::ostream& out) {
  if (hops < 1) return Outcome::usage("--hops must be at least 1");
  VQTopoNodeDn start;
  VT_RETURN_IF_FAILED(session.resolve(node, start));
  std::vector<VQTopoNodeDn> frontier{start};
  std::set<VQTopoNodeDn> seen{start};
  Json list = Json::array();
  for (int hop = 1; hop <= hops && !frontier.empty(); ++hop) {
    std::vector<VQTopoNodeDn> next;
    for (const VQTopoNodeDn& dn : frontier) {
      NodeInfo info;
      VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
      for (const VQTopoNodeDn& linked : info.links) {
        if (seen.insert(linked).second) next.push_back(linked);
      }
    }
    for (const VQTopoNodeDn& dn : next) {
      NodeInfo info;
      VT_RETURN_IF_FAILED(NodeInfo::read(dn, info));
      if (json) {
        Json entry{{"hops", hop}};
        entry.update(summary_json(info));
        list.push_back(std::move(entry));
      } else {
        out << hop << ' ' << info.name << " #" << dn.unique_id() << " [" << info.type << "] "
            << severity::name(info.shown_severity()) << '\n';
      }
    }
    frontier = std::move(next);
  }
  if (json) out << list.dump(2) << '\n';
  return {};
}

Outcome run_why(const Session& session, const std::string& node, bool json, std::ostream& out) {
  VQTopoNodeDn dn;
  VT_RETURN_IF_FAILED(session.resolve(node, dn));
  std::set<VQTopoNodeDn> seen;
  Json tree;
  VT_RETURN_IF_FAILED(explain(dn, 0, seen, json, tree, out));
  if (json) out << tree.dump(2) << '\n';
  return {};
}
