// Parses any text as a type name. Parsing never fails; and the slash form of a parsed name
// parses back to a name with the same slash form, as long as the name is plain: its system
// holds none of the texts the parser looks for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dedavuz_api/topo_type_dn.h"

namespace {

const char kHost[] = "fuzzhost";

bool is_plain(const VQTopoTypeDn& dn) {
  const std::string& system = dn.system_name();
  for (const char* marker : {"\"", "misId", "systemId", "topoTypeId", "//"}) {
    if (system.find(marker) != std::string::npos) return false;
  }
  return !system.empty() && system.back() != '/' &&
         dn.unique_name().find_first_of("\"/") == std::string::npos;
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
  const VQTopoTypeDn dn(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  std::ostringstream printed;
  printed << dn << dn.hash();
  if (dn.is_null()) return 0;
  const std::string slash = dn.slash_form();
  if (is_plain(dn) && VQTopoTypeDn(slash).slash_form() != slash) std::abort();
  return 0;
}
