// Fills what only a load from the server would set in a node representation.
#ifndef DEDAVUZ_TESTS_NODE_TOPO_NODE_REP_PEER_H_
#define DEDAVUZ_TESTS_NODE_TOPO_NODE_REP_PEER_H_

#include <initializer_list>

#include "dedavuz_api/topo_node_rep.h"

class VQTopoNodeRepPeer {
 public:
  static void activate(VQTopoNodeRep& rep, std::initializer_list<int> attributes) {
    for (const int n : attributes) rep.active_.add(n);
  }
  static VQTopoNodeRep::DnList& children(VQTopoNodeRep& rep) { return rep.children_; }
  static VQTopoNodeRep::DnList& view_children(VQTopoNodeRep& rep) { return rep.view_children_; }
  static VQList<std::string>& topology_pathnames(VQTopoNodeRep& rep) {
    return rep.topology_pathnames_;
  }
  static VQList<VQCmipAgentDn>& cmip_agents(VQTopoNodeRep& rep) { return rep.cmip_agents_; }
  static VQList<VQSnmpAgentDn>& snmp_agents(VQTopoNodeRep& rep) { return rep.snmp_agents_; }
  static VQList<VQRpcAgentDn>& rpc_agents(VQTopoNodeRep& rep) { return rep.rpc_agents_; }
  static VQTopoNode::Severity& severity(VQTopoNodeRep& rep) { return rep.severity_; }
  static VQTopoNode::Severity& propagated_severity(VQTopoNodeRep& rep) {
    return rep.propagated_severity_;
  }
  static VQTopoNodeRep::DnList& monitor_visible_children(VQTopoNodeRep& rep) {
    return rep.monitor_visible_children_;
  }
  static VQList<std::string>& managed_objects(VQTopoNodeRep& rep) { return rep.managed_objects_; }
};

#endif  // DEDAVUZ_TESTS_NODE_TOPO_NODE_REP_PEER_H_
