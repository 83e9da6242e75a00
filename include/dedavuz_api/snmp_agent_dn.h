// VQSnmpAgentDn: the name of an SNMP proxy agent, the system that holds it and its
// identifier there. Its slash form addresses the agent's server object.
#ifndef DEDAVUZ_API_SNMP_AGENT_DN_H_
#define DEDAVUZ_API_SNMP_AGENT_DN_H_

#include <cstddef>
#include <functional>
#include <string>

#include "dedavuz_api/string_dn.h"

class VQSnmpAgentDn : public VQStringDn<VQSnmpAgentDn> {
 public:
  // The null name: both strings empty.
  VQSnmpAgentDn() = default;
  VQSnmpAgentDn(const std::string& system_name, const std::string& unique_name)
      : VQStringDn(system_name, unique_name) {}
  // Parses a full name as the server sends it; there is no relative form. Text that names
  // no agent gives the null name.
  explicit VQSnmpAgentDn(const std::string& text);

  // The full name of the agent's object, seen from the local system.
  std::string slash_form() const;
};

template <>
struct std::hash<VQSnmpAgentDn> {
  std::size_t operator()(const VQSnmpAgentDn& dn) const noexcept { return dn.hash(); }
};

#endif  // DEDAVUZ_API_SNMP_AGENT_DN_H_
