// Moves topology documents between a server and their JSON form: reads a view with
// everything below it, and rebuilds a document's nodes in a server.
#ifndef VQTOPO_TOPOLOGY_TRANSFER_H_
#define VQTOPO_TOPOLOGY_TRANSFER_H_

#include "dedavuz_api/topo_node_dn.h"
#include "outcome.h"
#include "session.h"
#include "topology_document.h"

// Nodes are taken depth first with children by name (then id), so that the document does
// not depend on the order in which a server happens to list them. Parents, positions and
// links that lead out of the view's subtree are left out.
Outcome read_document(const VQTopoNodeDn& view, TopologyDocument& document);

// Makes the document's nodes on the session's system, every node after its parents: its
// first node under the root view at (0, 0), or as the root view itself when it was one.
// `top` names what the first node became.
Outcome write_document(const Session& session, const TopologyDocument& document,
                       VQTopoNodeDn& top);

#endif  // VQTOPO_TOPOLOGY_TRANSFER_H_
