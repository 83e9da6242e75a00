// The topoNodeDB action topoGetViewGraph: every view of the database with its parents, its
// background image and map file, answered in linked replies.
#ifndef HVX_SRC_MIS_TOPO_VIEW_GRAPH_H_
#define HVX_SRC_MIS_TOPO_VIEW_GRAPH_H_

namespace hvx::mis::topo {

class Database;

void register_view_graph(Database& database);

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_VIEW_GRAPH_H_
