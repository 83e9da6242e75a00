// Reading the texts of agent names: what the CMIP, SNMP proxy and RPC agent name classes
// share. Their slash forms go through the one system slash-form scheme (core/system_path.h).
#ifndef DEDAVUZ_AGENT_AGENT_DN_TEXT_H_
#define DEDAVUZ_AGENT_AGENT_DN_TEXT_H_

#include <string>
#include <string_view>

#include "dedavuz_api/agent_dn.h"

// The alternatives in which a table writes its agents' identifiers.
enum class VQAgentIdForms {
  // The value as written.
  plain,
  // Also the identifier alternative, id:"x".
  id,
  // Also an application-entity title, aet:{1 2 3}, given back braced.
  id_or_aet,
};

struct VQAgentNameText {
  std::string system;
  std::string unique;
};

// True when `text` is a full name (it begins with "/") that holds the table component a
// table's PART2 fragment starts with (agentTableType="CMIP" for "\"/agentTableType=...").
bool vq_names_agent_table(std::string_view text, std::string_view table_part2);

// Reads a full name: the system path that its server-table and systemId components give,
// and the value after `attribute` "=" in its last component, without surrounding quotes
// and read in `forms`. Both empty when the last component holds no such value.
VQAgentNameText vq_read_agent_fdn(std::string_view text, std::string_view attribute,
                                  VQAgentIdForms forms);

// Fills `dn` from what `read` gives. A text that cannot be read gives the null name, as
// does running out of memory: parsing never fails.
template <typename Name, typename Read>
void vq_read_agent_dn(VQAgentDn<Name>& dn, Read read) {
  try {
    const VQAgentNameText text = read();
    dn.system_name(text.system);
    dn.unique_name(text.unique);
  } catch (...) {
    dn.make_null();
  }
}

#endif  // DEDAVUZ_AGENT_AGENT_DN_TEXT_H_
