// The way into an RPC agent representation's fields: its attribute table.
#ifndef DEDAVUZ_AGENT_RPC_AGENT_REP_ACCESS_H_
#define DEDAVUZ_AGENT_RPC_AGENT_REP_ACCESS_H_

#include <vector>

#include "core/attribute_table.h"
#include "dedavuz_api/rpc_agent_rep.h"

struct VQRpcAgentRepAccess {
  using Rep = VQRpcAgentRep;
  using Row = VQAttributeRow<Rep>;

  static const VQAttributeTable<Rep>& table();

 private:
  static std::vector<Row> rows();
};

#endif  // DEDAVUZ_AGENT_RPC_AGENT_REP_ACCESS_H_
