// The topoNodeDB actions that answer node ids or summaries: nodes by name, by type, by
// managed object and by a set of managed objects; the managed objects of listed nodes; the
// node report. Each is a lookup in one of the database's indexes.
#ifndef HVX_SRC_MIS_TOPO_NODE_QUERIES_H_
#define HVX_SRC_MIS_TOPO_NODE_QUERIES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "hvx/error.h"
#include "server.h"

namespace hvx::mis::topo {

class Database;

void register_node_queries(Database& database);

// Entries per linked reply of the answers that come in parts.
inline constexpr std::size_t kEntriesPerReply = 100;

// The refusal of a bad request: "<action>: <why>".
ActionReply refuse_request(std::string_view action, const std::string& why,
                           ErrorCode code = ErrorCode::invalid_argument);

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_NODE_QUERIES_H_
