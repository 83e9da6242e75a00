// VQCmipAgentDn: the name of a CMIP agent, the system that holds it and its identifier in
// that system's CMIP agent table. Its slash form addresses the agent's server object.
#ifndef DEDAVUZ_API_CMIP_AGENT_DN_H_
#define DEDAVUZ_API_CMIP_AGENT_DN_H_

#include <cstddef>
#include <functional>
#include <string>

#include "dedavuz_api/string_dn.h"

class VQCmipAgentDn : public VQStringDn<VQCmipAgentDn> {
 public:
  // The null name: both strings empty.
  VQCmipAgentDn() = default;
  // An identifier that starts with "{" is an application-entity title, {1 2 3}.
  VQCmipAgentDn(const std::string& system_name, const std::string& unique_name)
      : VQStringDn(system_name, unique_name) {}
  // Parses a name as the server sends it: relative to the local CMIP agent table (whose
  // identifier may be of any length), or a full name naming the table. In a full name the
  // identifier's alternative is read: agentId=id:"x" gives x and agentId=aet:{1 2 3} gives
  // {1 2 3}, so that the slash form of a name the server sent is that text again (with
  // id:"x" written as "x"). Text that names no agent gives the null name.
  explicit VQCmipAgentDn(const std::string& text);

  // The full name of the agent's object, seen from the local system. A local identifier
  // loses any path before its last "/".
  std::string slash_form() const;
};

template <>
struct std::hash<VQCmipAgentDn> {
  std::size_t operator()(const VQCmipAgentDn& dn) const noexcept { return dn.hash(); }
};

#endif  // DEDAVUZ_API_CMIP_AGENT_DN_H_
