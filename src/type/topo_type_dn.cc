#include "dedavuz_api/topo_type_dn.h"

#include <string_view>
#include <utility>

#include "core/local_system.h"
#include "core/name_scan.h"
#include "core/string_dn_parts.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

VQTopoTypeDn::VQTopoTypeDn(const std::string& text) {
  vq_fill_dn(*this, [&]() -> VQDnParts {
    if (text.empty() || text.front() != '/') {
      // The scan has no buffer to overrun, so identifiers of any length are read.
      VQScanResult scan = vq_scan(text, VQ_DN_TOPO_TYPE_LDN_SCANF);
      if (scan.items != 1) return {};
      return {vq_local_system_name(), std::move(scan.strings[0])};
    }
    const std::string key = VQ_TOPO_TYPE_ID + "=";
    VQParsedSystem parsed =
        vq_parse_system(text, vq_platform_system_name(), /*strip_leading_quotes=*/false);
    if (parsed.last.find(key) == std::string_view::npos) return {};
    // The identifier follows the key's length from the start of the component, as the
    // server writes it.
    return {std::move(parsed.system), std::string(vq_strip_quotes(parsed.last.substr(key.size())))};
  });
}

std::string VQTopoTypeDn::slash_form() const {
  return vq_slash_form(system_name(), vq_platform_system_name(), VQ_DN_TOPO_TYPE_PART2,
                       unique_name() + '"');
}
