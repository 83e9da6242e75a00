// The way into an SNMP agent representation's fields: its attribute table and the values
// of its own forms.
#ifndef DEDAVUZ_AGENT_SNMP_AGENT_REP_ACCESS_H_
#define DEDAVUZ_AGENT_SNMP_AGENT_REP_ACCESS_H_

#include <string>
#include <vector>

#include "core/attribute_table.h"
#include "dedavuz_api/snmp_agent_rep.h"

struct VQSnmpAgentRepAccess {
  using Rep = VQSnmpAgentRep;
  using Row = VQAttributeRow<Rep>;

  static const VQAttributeTable<Rep>& table();

  static VQStatus decode_system_title(Rep& rep, const hvx::Morf& value, const std::string& error);
  static VQStatus system_title_value(const Rep& rep, hvx::Asn1Value& out, const std::string&);
  static VQStatus decode_transport_address(Rep& rep, const hvx::Morf& value,
                                           const std::string& error);
  static VQStatus encode_transport_address(const Rep& rep, hvx::Image& image,
                                           const std::string& attribute, const std::string&);
  static VQStatus decode_supported_mibs(Rep& rep, const hvx::Morf& value, const std::string&);
  static VQStatus encode_supported_mibs(const Rep& rep, hvx::Image& image,
                                        const std::string& attribute, const std::string&);
  static VQStatus decode_management_protocol(Rep& rep, const hvx::Morf& value,
                                             const std::string& error);
  static VQStatus encode_management_protocol(const Rep& rep, hvx::Image& image,
                                             const std::string& attribute,
                                             const std::string& error);

 private:
  static std::vector<Row> rows();
};

#endif  // DEDAVUZ_AGENT_SNMP_AGENT_REP_ACCESS_H_
