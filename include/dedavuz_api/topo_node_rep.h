// VQTopoNodeRep: the representation behind a topology node handle. For now it offers the
// names of a view node's per-view server objects, topoView and topoViewNode.
#ifndef DEDAVUZ_API_TOPO_NODE_REP_H_
#define DEDAVUZ_API_TOPO_NODE_REP_H_

#include <string>

#include "dedavuz_api/topo_node_dn.h"

class VQTopoNodeRep {
 public:
  // The full name of the topoView object of the view node `view`.
  static std::string topo_view_dn_slash_form(const VQTopoNodeDn& view);
  // The full name of the topoViewNode object that places `node` in `view`.
  static std::string topo_view_node_dn_slash_form(const VQTopoNodeDn& view,
                                                  const VQTopoNodeDn& node);
  // Parse those names, relative to the view database or starting with the systemId
  // component; the view-node form gives the placed node's id. Anything else gives the
  // null name.
  static VQTopoNodeDn topo_view_dn(const std::string& text);
  static VQTopoNodeDn topo_view_node_dn(const std::string& text);
};

#endif  // DEDAVUZ_API_TOPO_NODE_REP_H_
