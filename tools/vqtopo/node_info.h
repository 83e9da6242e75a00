// NodeInfo: what vqtopo shows of a node, read from the server in one load.
#ifndef VQTOPO_NODE_INFO_H_
#define VQTOPO_NODE_INFO_H_

#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "outcome.h"

struct NodeInfo {
  using Severity = VQTopoNode::Severity;

  VQTopoNodeDn dn;
  std::string name;
  std::string type;
  std::vector<VQTopoNodeDn> parents;
  std::vector<VQTopoNodeDn> children;
  std::vector<VQTopoNodeDn> links;
  std::vector<VQTopoNode::LocationInParent> positions;
  std::vector<std::string> managed_objects;
  std::vector<VQTopoNode::DisplayStatus> statuses;
  std::string background;  // empty for a node that is not a view
  std::string map_config;
  Severity severity = VQTopoNode::cleared;
  Severity propagated = VQTopoNode::cleared;

  static Outcome read(const VQTopoNodeDn& dn, NodeInfo& info);

  // The worse of the node's own and propagated severities: what it is drawn with.
  Severity shown_severity() const;
  // The node's position in `parent`; false when it has none there.
  bool position_in(const VQTopoNodeDn& parent, VQTopoNode::Location& location) const;
};

// Only the node's name.
Outcome read_name(const VQTopoNodeDn& dn, std::string& name);

// "system:id", the form users give back to vqtopo.
std::string dn_text(const VQTopoNodeDn& dn);

#endif  // VQTOPO_NODE_INFO_H_
