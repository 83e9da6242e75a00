#include "core/local_system.h"

#include <cstdlib>

#include "core/system_path.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/platform.h"

namespace {

// The length of "/systemId=name:\"", in front of the system's name in PLATFORM_OBJNAME.
constexpr std::size_t kSystemIdPrefix = 16;

}  // namespace

std::string vq_local_system_name() {
  if (const VQTopoPlatform* platform = VQTopoPlatform::instance()) {
    return platform->local_system_name();
  }
  const char* host = std::getenv("VQ_LOGICAL_HOST");
  return host == nullptr ? std::string() : std::string(host);
}

std::string vq_fdn_system_str(std::string_view fdn) {
  if (const VQTopoPlatform* platform = VQTopoPlatform::instance()) {
    return platform->fdn_system_str(std::string(fdn));
  }
  return vq_fdn_system_name(fdn, vq_local_system_name());
}

std::string vq_platform_system_name() {
  const std::string objname = hvx::Platform::default_platform().get_prop("PLATFORM_OBJNAME").str();
  std::string name = objname.size() > kSystemIdPrefix ? objname.substr(kSystemIdPrefix) : "";
  while (!name.empty() && name.back() == '"') name.pop_back();
  return name;
}

std::string vq_view_local_system_name() {
  if (VQTopoPlatform::instance() != nullptr) return vq_local_system_name();
  return std::string(vq_strip_quotes(vq_platform_system_name()));
}
