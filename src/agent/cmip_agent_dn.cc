#include "dedavuz_api/cmip_agent_dn.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "agent/agent_dn_text.h"
#include "core/local_system.h"
#include "core/name_scan.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

VQCmipAgentDn::VQCmipAgentDn(const std::string& text) {
  vq_fill_dn(*this, [&]() -> VQDnParts {
    if (vq_names_agent_table(text, VQ_DN_CMIP_AGENT_TABLE_PART2)) {
      return vq_read_agent_fdn(text, VQ_CMIP_AGENT_ID, VQAgentIdForms::id_or_aet);
    }
    // Relative to the local agent table. The scan has no buffer to overrun, so identifiers
    // of any length are read.
    VQScanResult scan = vq_scan(text, VQ_DN_CMIP_AGENT_LDN_SCANF);
    if (scan.items != 1) return {};
    return {vq_local_system_name(), std::move(scan.strings[0])};
  });
}

std::string VQCmipAgentDn::slash_form() const {
  const std::string local = vq_platform_system_name();
  std::string_view id = unique_name();
  if (!id.empty() && id.front() == '{') {
    // A title is written bare, after its alternative.
    return vq_slash_form(system_name(), local, VQ_DN_CMIP_AGENT_PART2_AET, id);
  }
  if (system_name() == local) {
    const std::size_t slash = id.rfind('/');
    if (slash != std::string_view::npos) id.remove_prefix(slash + 1);
  }
  return vq_slash_form(system_name(), local, VQ_DN_CMIP_AGENT_PART2, std::string(id) + '"');
}
