#include "dedavuz_api/snmp_agent_dn.h"

#include "agent/agent_dn_text.h"
#include "core/local_system.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

VQSnmpAgentDn::VQSnmpAgentDn(const std::string& text) {
  vq_fill_dn(*this, [&]() -> VQDnParts {
    if (text.empty() || text.front() != '/') return {};
    return vq_read_agent_fdn(text, VQ_SNMP_AGENT_ID, VQAgentIdForms::plain);
  });
}

std::string VQSnmpAgentDn::slash_form() const {
  return vq_slash_form(system_name(), vq_platform_system_name(), VQ_DN_SNMP_AGENT_PART2,
                       unique_name() + '"');
}
