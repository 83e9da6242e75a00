#include "dedavuz_api/agent.h"

#include <cstddef>
#include <ostream>

namespace {

template <std::size_t N>
std::ostream& print_state(std::ostream& os, const char* const (&texts)[N], int value) {
  if (value < 0 || value >= static_cast<int>(N)) return os << value;
  return os << texts[value];
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const VQAgent::OperationalState& state) {
  static const char* const kTexts[] = {"disabled", "enabled"};
  return print_state(os, kTexts, state);
}

std::ostream& operator<<(std::ostream& os, const VQAgent::AdministrativeState& state) {
  static const char* const kTexts[] = {"locked", "unlocked", "shuttingdown"};
  return print_state(os, kTexts, state);
}
