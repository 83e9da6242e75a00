// Parses any text (after a first byte that picks the local system) as a type name. Parsing
// never fails; and the slash form of a parsed plain name parses back to a name with the same
// slash form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "dedavuz_api/topo_type_dn.h"
#include "name_fuzz.h"

namespace {

bool is_plain(const VQTopoTypeDn& dn, const std::string& local) {
  return is_plain_system(dn.system_name(), local, {"\"", "misId", "systemId", "topoTypeId"}) &&
         !holds_any(dn.unique_name(), {"\"", "/", "misId", "systemId"});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string local = use_local_system(data[0]);
  const VQTopoTypeDn dn(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  std::ostringstream printed;
  printed << dn << dn.hash();
  if (dn.is_null()) return 0;
  const std::string slash = dn.slash_form();
  if (is_plain(dn, local) && VQTopoTypeDn(slash).slash_form() != slash) std::abort();
  return 0;
}
