#include "dedavuz_api/rpc_agent_dn.h"

#include "agent/agent_dn_text.h"
#include "core/local_system.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

VQRpcAgentDn::VQRpcAgentDn(const std::string& text) {
  vq_fill_dn(*this, [&]() -> VQDnParts {
    if (!vq_names_agent_table(text, VQ_DN_RPC_AGENT_PART2)) return {};
    return vq_read_agent_fdn(text, VQ_RPC_AGENT_ID, VQAgentIdForms::id);
  });
}

std::string VQRpcAgentDn::slash_form() const {
  return vq_slash_form(system_name(), vq_platform_system_name(), VQ_DN_RPC_AGENT_PART2,
                       unique_name() + '"');
}
