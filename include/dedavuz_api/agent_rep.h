// VQAgentRep: moves the two state attributes of any agent between its representation and
// an image of its server object. In every agent class the operational state is attribute
// 0 and the administrative state attribute 1.
#ifndef DEDAVUZ_API_AGENT_REP_H_
#define DEDAVUZ_API_AGENT_REP_H_

#include "dedavuz_api/agent.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"

namespace hvx {
class Image;
}  // namespace hvx

class VQAgentRep {
 public:
  // `snmp` selects the SNMP proxy's names of the two states (opState, adminState) instead
  // of those of CMIP and RPC agents (operationalState, administrativeState).

  // Reads the selected states from a booted image. A value that is not ENUMERATED gives
  // code 9 "VQCmipAgent::operational_state" or "VQCmipAgent::administrative_state" (for
  // every kind of agent), leaving that state alone and the one read before it changed.
  static VQStatus get_some_attributes_in_image(bool snmp, hvx::Image& image,
                                               const VQIntegerSet& selection,
                                               VQAgent::OperationalState& operational,
                                               VQAgent::AdministrativeState& administrative);
  // Stages the selected states as ENUMERATED values (REPLACE); a value the image refuses
  // gives code 1 with its error text and stages nothing after it.
  static VQStatus set_some_attributes_in_image(bool snmp, hvx::Image& image,
                                               const VQIntegerSet& selection,
                                               VQAgent::OperationalState operational,
                                               VQAgent::AdministrativeState administrative);
};

#endif  // DEDAVUZ_API_AGENT_REP_H_
