#include "dedavuz_api/topo_node_dn.h"

#include <ostream>
#include <string_view>

#include "core/local_system.h"
#include "core/name_scan.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

VQTopoNodeDn::VQTopoNodeDn() = default;

VQTopoNodeDn::VQTopoNodeDn(const std::string& system, long id)
    : system_name_(vq_is_fdn_text(system) ? vq_fdn_system_str(system) : system), unique_id_(id) {}

VQTopoNodeDn::VQTopoNodeDn(const std::string& text) {
  // Allocation is all that can throw here; a name that cannot be built is the null name.
  try {
    if (text.empty() || text.front() != '/') {
      const VQScanResult scan = vq_scan(text, VQ_DN_TOPO_NODE_LDN_SCANF);
      if (scan.items == 1) {
        system_name_ = vq_local_system_name();
        unique_id_ = scan.numbers[0];
      }
      return;
    }
    const std::string id_key = VQ_TOPO_NODE_ID + "=";
    VQParsedSystem parsed = vq_parse_system(text, vq_local_system_name());
    if (parsed.last.find(id_key) == std::string_view::npos) return;
    // The id follows the key's length from the start of the component, as the server
    // writes it; a component with anything before the key reads as 0.
    unique_id_ = vq_atoi(parsed.last.substr(id_key.size()));
    system_name_ = std::move(parsed.system);
  } catch (...) {
    make_null();
  }
}

void VQTopoNodeDn::make_null() {
  system_name_.clear();
  unique_id_ = -1;
}

bool VQTopoNodeDn::is_null() const { return system_name_.empty() && unique_id_ == -1; }

std::string VQTopoNodeDn::slash_form() const {
  return vq_slash_form(system_name_, vq_local_system_name(), VQ_DN_TOPO_NODE_PART2,
                       std::to_string(unique_id_));
}

bool VQTopoNodeDn::operator<(const VQTopoNodeDn& other) const {
  if (system_name_ != other.system_name_) return system_name_ < other.system_name_;
  return unique_id_ < other.unique_id_;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNodeDn& dn) {
  if (dn.is_null()) return os << "NULL";
  return os << dn.system_name() << ':' << dn.unique_id();
}
