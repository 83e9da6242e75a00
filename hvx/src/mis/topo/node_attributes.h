// The topoNodeDB actions that read and write selected attributes of many nodes at once: of
// every node that refers to given managed objects (getTopoNodesAttributes,
// setTopoNodesAttributes), and of every child of a view, answered in linked replies
// (topoNodeChildAttrsByView).
#ifndef HVX_SRC_MIS_TOPO_NODE_ATTRIBUTES_H_
#define HVX_SRC_MIS_TOPO_NODE_ATTRIBUTES_H_

namespace hvx::mis::topo {

class Database;

void register_node_attribute_actions(Database& database);

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_NODE_ATTRIBUTES_H_
