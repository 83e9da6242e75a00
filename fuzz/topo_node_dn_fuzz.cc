// Parses any text as a node name, a view name, a view-node name and a system given as a
// full name. Parsing never fails; and once a name has been through one slash form and
// parse, its slash form is stable (a degenerate path such as "L/L" settles on the first
// step), as long as its system holds none of the texts the parser looks for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/system_path.h"
#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_node_rep.h"

namespace {

const char kHost[] = "fuzzhost";

// `local` is the local system's name, empty when unset.
bool is_plain_system(const std::string& system) {
  for (const char* marker : {"\"", "misId", "systemId", "topoNodeId", "//"}) {
    if (system.find(marker) != std::string::npos) return false;
  }
  return !system.empty() && system.back() != '/';
}

void check_round_trip(const VQTopoNodeDn& dn, const std::string& local) {
  const std::string slash = VQTopoNodeDn(dn.slash_form()).slash_form();
  if (is_plain_system(dn.system_name()) && VQTopoNodeDn(slash).slash_form() != slash) {
    std::abort();
  }
  // The per-view forms of a local name parse back to it.
  if (!local.empty() && dn.system_name() == local &&
      (VQTopoNodeRep::topo_view_dn(VQTopoNodeRep::topo_view_dn_slash_form(dn)) != dn ||
       VQTopoNodeRep::topo_view_node_dn(VQTopoNodeRep::topo_view_node_dn_slash_form(dn, dn)) !=
           dn)) {
    std::abort();
  }
  std::ostringstream printed;
  printed << dn << dn.hash();
}

}  // namespace

// The first byte picks the local system: named, so names can be local, or unset, so every
// system is remote.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string local = data[0] & 1 ? "" : kHost;
  if (local.empty()) {
    unsetenv("VQ_LOGICAL_HOST");
  } else {
    setenv("VQ_LOGICAL_HOST", kHost, 1);
  }
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  check_round_trip(VQTopoNodeDn(text), local);
  check_round_trip(VQTopoNodeRep::topo_view_dn(text), local);
  check_round_trip(VQTopoNodeRep::topo_view_node_dn(text), local);
  // A system given as a full name is read like one; other system texts are taken as given.
  if (vq_is_fdn_text(text)) check_round_trip(VQTopoNodeDn(text, 7), local);
  return 0;
}
