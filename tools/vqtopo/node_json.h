// The JSON forms of nodes and node names that every --json output shares.
#ifndef VQTOPO_NODE_JSON_H_
#define VQTOPO_NODE_JSON_H_

#include <nlohmann/json.hpp>

#include "node_info.h"

// {"system", "id"}
nlohmann::ordered_json dn_json(const VQTopoNodeDn& dn);
// {"system", "id", "name", "type", "severity", "propagated_severity"}
nlohmann::ordered_json summary_json(const NodeInfo& info);
// [{"label", "value"}, ...]
nlohmann::ordered_json statuses_json(const std::vector<VQTopoNode::DisplayStatus>& statuses);

#endif  // VQTOPO_NODE_JSON_H_
