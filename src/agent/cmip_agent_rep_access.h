// The way into a CMIP agent representation's fields: its attribute table and the values
// of its own forms.
#ifndef DEDAVUZ_AGENT_CMIP_AGENT_REP_ACCESS_H_
#define DEDAVUZ_AGENT_CMIP_AGENT_REP_ACCESS_H_

#include <string>
#include <vector>

#include "core/attribute_table.h"
#include "dedavuz_api/cmip_agent_rep.h"

struct VQCmipAgentRepAccess {
  using Rep = VQCmipAgentRep;
  using Row = VQAttributeRow<Rep>;

  static const VQAttributeTable<Rep>& table();

  static VQStatus decode_mpa_address(Rep& rep, const hvx::Morf& value, const std::string& error);
  static VQStatus encode_mpa_address(const Rep& rep, hvx::Image& image,
                                     const std::string& attribute, const std::string&);
  static VQStatus decode_managed_objects(Rep& rep, const hvx::Morf& value, const std::string&);
  static VQStatus managed_objects_value(const Rep& rep, hvx::Asn1Value& out,
                                        const std::string& error);

 private:
  static std::vector<Row> rows();
};

#endif  // DEDAVUZ_AGENT_CMIP_AGENT_REP_ACCESS_H_
