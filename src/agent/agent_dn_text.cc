#include "agent/agent_dn_text.h"

#include <cstddef>
#include <utility>

#include "core/local_system.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

namespace {

// The alternative names the platform writes before an identifier's value; the title's is
// read off the name fragment that renders it ("...agentId=aet:").
constexpr std::string_view kIdAlternative = "id:\"";

std::string_view aet_alternative() {
  static const std::string aet = [] {
    const std::string_view part = VQ_DN_CMIP_AGENT_PART2_AET;
    return std::string(part.substr(part.rfind('=') + 1)) + '{';
  }();
  return aet;
}

// Peels alternatives off `value` until what remains is the identifier itself; each peel
// shortens the value, so this stays linear.
std::string_view read_alternative(std::string_view value, VQAgentIdForms forms) {
  if (forms == VQAgentIdForms::plain) return value;
  while (true) {
    if (forms == VQAgentIdForms::id_or_aet && value.starts_with(aet_alternative())) {
      // Keep the brace: it marks the identifier as a title.
      return value.substr(aet_alternative().size() - 1);
    }
    if (!value.starts_with(kIdAlternative)) return value;
    value = vq_strip_quotes(value.substr(kIdAlternative.size() - 1));
  }
}

}  // namespace

bool vq_names_agent_table(std::string_view text, std::string_view table_part2) {
  if (text.empty() || text.front() != '/') return false;
  // The fragment is the closing quote, "/", the table component and perhaps more.
  const std::string_view table = table_part2.substr(2, table_part2.find('/', 2) - 2);
  return text.find(table) != std::string_view::npos;
}

VQDnParts vq_read_agent_fdn(std::string_view text, std::string_view attribute,
                            VQAgentIdForms forms) {
  VQParsedSystem parsed =
      vq_parse_system(text, vq_platform_system_name(), /*strip_leading_quotes=*/false);
  const std::string key = std::string(attribute) + '=';
  const std::size_t at = parsed.last.find(key);
  if (at == std::string_view::npos) return {};
  const std::string_view value = vq_strip_quotes(parsed.last.substr(at + key.size()));
  return {std::move(parsed.system), std::string(read_alternative(value, forms))};
}
