// VQAgent: the scope of the two standard state attributes every management agent carries,
// its operational and its administrative state.
#ifndef DEDAVUZ_API_AGENT_H_
#define DEDAVUZ_API_AGENT_H_

#include <iosfwd>

class VQAgent {
 public:
  // The underlying type is fixed, so that any number a server sends can be held.
  enum OperationalState : int { disabled = 0, enabled = 1 };
  enum AdministrativeState : int { locked = 0, unlocked = 1, shuttingdown = 2 };
};

// "disabled", "enabled"; "locked", "unlocked", "shuttingdown". A value outside its
// enumeration prints as its number.
std::ostream& operator<<(std::ostream& os, const VQAgent::OperationalState& state);
std::ostream& operator<<(std::ostream& os, const VQAgent::AdministrativeState& state);

#endif  // DEDAVUZ_API_AGENT_H_
