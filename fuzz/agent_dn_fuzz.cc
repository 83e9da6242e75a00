// Parses any text (after a first byte that picks the local system) as a CMIP, SNMP proxy and
// RPC agent name. Parsing never fails; and the slash form of a parsed plain name parses back
// to a name with the same slash form. A plain identifier, besides, starts with no
// alternative the parser reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"
#include "name_fuzz.h"

namespace {

bool is_plain(const std::string& system, const std::string& unique, const std::string& local) {
  return is_plain_system(system, local, {"\"", "misId", "systemId", "agentId"}) &&
         !holds_any(unique, {"\"", "/", "misId", "systemId"}) && unique.rfind("id:", 0) != 0 &&
         unique.rfind("aet:", 0) != 0;
}

template <typename Name>
void check(const std::string& text, const std::string& local) {
  const Name dn(text);
  std::ostringstream printed;
  printed << dn << std::hash<Name>()(dn);
  if (dn.is_null()) return;
  const std::string slash = dn.slash_form();
  if (is_plain(dn.system_name(), dn.unique_name(), local) && Name(slash).slash_form() != slash) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string local = use_local_system(data[0]);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  check<VQCmipAgentDn>(text, local);
  check<VQSnmpAgentDn>(text, local);
  check<VQRpcAgentDn>(text, local);
  return 0;
}
