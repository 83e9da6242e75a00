// VQRpcAgent: an RPC agent of a server's RPC agent table: its states, community strings
// and the RPC schemas it serves, each through a proxy host. A handle over its own
// VQRpcAgentRep, copied deeply.
#ifndef DEDAVUZ_API_RPC_AGENT_H_
#define DEDAVUZ_API_RPC_AGENT_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/agent.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object.h"
#include "dedavuz_api/rpc_agent_dn.h"

class VQRpcAgentRep;

class VQRpcAgent : public VQObject {
 public:
  // The attribute numbers; get_attribute_name answers "Unknown" beyond 5.
  enum Attribute : int {
    operational_state = 0,
    administrative_state = 1,
    dn = 2,
    get_community_string = 3,
    set_community_string = 4,
    schemas = 5,
  };
  static constexpr int attribute_count = 6;

  // An RPC schema the agent serves and the host that proxies it.
  struct Schema {
    Schema() = default;
    Schema(const std::string& name, const std::string& proxy_hostname)
        : name(name), proxy_hostname(proxy_hostname) {}
    bool operator==(const Schema& other) const = default;

    std::string name;
    std::string proxy_hostname;
  };

  // An agent whose name is set and active.
  explicit VQRpcAgent(const VQRpcAgentDn& dn);
  VQRpcAgent(const VQRpcAgent& other);
  VQRpcAgent& operator=(const VQRpcAgent& other);
  ~VQRpcAgent() override;

  // Getters fail with code 5 and "VQRpcAgent::<attribute>" while their attribute is not
  // active, leaving the argument alone; setters store and activate.
  VQStatus get_dn(VQRpcAgentDn& dn) const;
  VQStatus set_dn(const VQRpcAgentDn& dn);
  // Read from the server only; a creation makes it enabled.
  VQStatus get_operational_state(VQAgent::OperationalState& state) const;
  VQStatus get_administrative_state(VQAgent::AdministrativeState& state) const;
  VQStatus set_administrative_state(const VQAgent::AdministrativeState& state);
  VQStatus get_get_community_string(std::string& community) const;
  VQStatus set_get_community_string(const std::string& community);
  VQStatus get_set_community_string(std::string& community) const;
  VQStatus set_set_community_string(const std::string& community);
  VQStatus get_schemas(VQList<Schema>& schemas) const;
  VQStatus set_schemas(const VQList<Schema>& schemas);
  // Code 13 with the schema's name when the active list holds an equal schema; an
  // inactive list starts afresh.
  VQStatus add_schema(const Schema& schema);
  // Removes every equal schema; code 12 with the schema's name when none.
  VQStatus remove_schema(const Schema& schema);

  // Equal when every attribute active in this agent is active and equal in `other`; only
  // this side's attributes are looked at. Schemas compare regardless of order.
  bool operator==(const VQRpcAgent& other) const;
  bool operator!=(const VQRpcAgent& other) const;
  bool compare_all_attributes(const VQRpcAgent& other) const;
  bool compare_some_attributes(const VQRpcAgent& other, const VQIntegerSet& attributes) const;
  // Add the attributes that differ (over all six, or over `attributes`) to `differing`,
  // which is not emptied first; true when it is then non-empty.
  bool diff_all_attributes(const VQRpcAgent& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQRpcAgent& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;

  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQRpcAgent& agent);

  VQRpcAgentRep* rep_ = nullptr;
};

// One line per active attribute.
std::ostream& operator<<(std::ostream& os, const VQRpcAgent& agent);
// name: <name> proxy_hostname: <host>
std::ostream& operator<<(std::ostream& os, const VQRpcAgent::Schema& schema);

#endif  // DEDAVUZ_API_RPC_AGENT_H_
