// Reading the texts of agent names: what the CMIP, SNMP proxy and RPC agent name classes
// share. Their slash forms go through the one system slash-form scheme (core/system_path.h).
#ifndef DEDAVUZ_AGENT_AGENT_DN_TEXT_H_
#define DEDAVUZ_AGENT_AGENT_DN_TEXT_H_

#include <string>
#include <string_view>

#include "core/string_dn_parts.h"

// The alternatives in which a table writes its agents' identifiers.
enum class VQAgentIdForms {
  // The value as written.
  plain,
  // Also the identifier alternative, id:"x".
  id,
  // Also an application-entity title, aet:{1 2 3}, given back braced.
  id_or_aet,
};

// True when `text` is a full name (it begins with "/") that holds the table component a
// table's PART2 fragment starts with (agentTableType="CMIP" for "\"/agentTableType=...").
bool vq_names_agent_table(std::string_view text, std::string_view table_part2);

// Reads a full name: the system path that its server-table and systemId components give,
// and the value after `attribute` "=" in its last component, without surrounding quotes
// and read in `forms`. Both empty when the last component holds no such value.
VQDnParts vq_read_agent_fdn(std::string_view text, std::string_view attribute,
                            VQAgentIdForms forms);

#endif  // DEDAVUZ_AGENT_AGENT_DN_TEXT_H_
