#include "core/local_system.h"

#include <cstdlib>

#include "core/system_path.h"

// Both answers come from here until the platform object exists; then its local system name
// and its table of system names take over in these two functions.

std::string vq_local_system_name() {
  const char* host = std::getenv("VQ_LOGICAL_HOST");
  return host == nullptr ? std::string() : std::string(host);
}

std::string vq_fdn_system_str(std::string_view fdn) {
  return vq_fdn_system_name(fdn, vq_local_system_name());
}

// The platform's PLATFORM_OBJNAME, less its systemId prefix and trailing quotes, takes over
// here once the platform client exists; until then it names the same system.
std::string vq_platform_system_name() { return vq_local_system_name(); }
