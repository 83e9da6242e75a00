// Parses any text as a CMIP, SNMP proxy and RPC agent name. Parsing never fails; and the
// slash form of a parsed name parses back to a name with the same slash form, as long as
// the name is plain: neither its system nor its identifier holds the texts the parser looks
// for, and its identifier starts with no alternative the parser reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unordered_set>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"

namespace {

const char kHost[] = "fuzzhost";

bool holds_any(const std::string& s, std::initializer_list<const char*> markers) {
  for (const char* marker : markers) {
    if (s.find(marker) != std::string::npos) return true;
  }
  return false;
}

bool is_plain(const std::string& system, const std::string& unique) {
  return !system.empty() && system.back() != '/' &&
         !holds_any(system, {"\"", "misId", "systemId", "agentId", "//"}) &&
         !holds_any(unique, {"\"", "/", "misId", "systemId"}) && unique.rfind("id:", 0) != 0 &&
         unique.rfind("aet:", 0) != 0;
}

template <typename Name>
void check(const std::string& text) {
  const Name dn(text);
  std::ostringstream printed;
  printed << dn << std::hash<Name>()(dn);
  if (dn.is_null()) return;
  const std::string slash = dn.slash_form();
  if (is_plain(dn.system_name(), dn.unique_name()) && Name(slash).slash_form() != slash) {
    std::abort();
  }
}

}  // namespace

// The first byte picks the local system: named, so names can be local, or unset, so every
// system is remote.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) {
    unsetenv("VQ_LOGICAL_HOST");
  } else {
    setenv("VQ_LOGICAL_HOST", kHost, 1);
  }
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  check<VQCmipAgentDn>(text);
  check<VQSnmpAgentDn>(text);
  check<VQRpcAgentDn>(text);
  return 0;
}
