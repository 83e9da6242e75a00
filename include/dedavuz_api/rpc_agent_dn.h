// VQRpcAgentDn: the name of an RPC agent, the system that holds it and its identifier in
// that system's RPC agent table. Its slash form addresses the agent's server object.
#ifndef DEDAVUZ_API_RPC_AGENT_DN_H_
#define DEDAVUZ_API_RPC_AGENT_DN_H_

#include <cstddef>
#include <functional>
#include <string>

#include "dedavuz_api/string_dn.h"

class VQRpcAgentDn : public VQStringDn<VQRpcAgentDn> {
 public:
  // The null name: both strings empty.
  VQRpcAgentDn() = default;
  VQRpcAgentDn(const std::string& system_name, const std::string& unique_name)
      : VQStringDn(system_name, unique_name) {}
  // Parses a full name naming the RPC agent table, as the server sends it; there is no
  // relative form. agentId=id:"x" gives the identifier x. Text that names no agent gives
  // the null name.
  explicit VQRpcAgentDn(const std::string& text);

  // The full name of the agent's object, seen from the local system.
  std::string slash_form() const;
};

template <>
struct std::hash<VQRpcAgentDn> {
  std::size_t operator()(const VQRpcAgentDn& dn) const noexcept { return dn.hash(); }
};

#endif  // DEDAVUZ_API_RPC_AGENT_DN_H_
