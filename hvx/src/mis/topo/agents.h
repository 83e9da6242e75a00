// Agents: the CMIP agent entities, RPC agents and SNMP proxy agents of the agent tables.
// The server keeps every attribute the agent handles read and write; what a creation
// leaves out starts at a plain value (no MPA address, unlocked and enabled, empty texts and
// lists, zeros, the SNMP v1 protocol, the transport address 0.0.0.0:0).
#ifndef HVX_SRC_MIS_TOPO_AGENTS_H_
#define HVX_SRC_MIS_TOPO_AGENTS_H_

namespace hvx::mis {

class Server;

namespace topo {

void register_agents(Server& server);

}  // namespace topo
}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_TOPO_AGENTS_H_
