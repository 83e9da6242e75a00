#include "node_json.h"

#include "severity.h"

nlohmann::ordered_json dn_json(const VQTopoNodeDn& dn) {
  return {{"system", dn.system_name()}, {"id", dn.unique_id()}};
}

nlohmann::ordered_json summary_json(const NodeInfo& info) {
  nlohmann::ordered_json json = dn_json(info.dn);
  json["name"] = info.name;
  json["type"] = info.type;
  json["severity"] = severity::name(info.severity);
  json["propagated_severity"] = severity::name(info.propagated);
  return json;
}

nlohmann::ordered_json statuses_json(const std::vector<VQTopoNode::DisplayStatus>& statuses) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const VQTopoNode::DisplayStatus& status : statuses) {
    out.push_back({{"label", status.label}, {"value", status.value}});
  }
  return out;
}
