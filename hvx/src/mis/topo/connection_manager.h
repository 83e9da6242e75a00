// The connection manager's actions: registerConnection and deregisterConnection keep, in
// the object's registrations attribute, which application (by number) works with which
// system. Only systems this server reaches through its links (or itself) can be named, by
// name or by a route of system names from this server ("L/B/C", "/L/B/C").
#ifndef HVX_SRC_MIS_TOPO_CONNECTION_MANAGER_H_
#define HVX_SRC_MIS_TOPO_CONNECTION_MANAGER_H_

namespace hvx::mis {

class Server;

namespace topo {

void register_connection_manager(Server& server);

}  // namespace topo
}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_TOPO_CONNECTION_MANAGER_H_
