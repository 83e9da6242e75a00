// What every handle's server operations share: the image of one object on the platform
// object's connection, booting it for a selection of server attributes, and statuses.
#ifndef DEDAVUZ_CORE_SERVER_IMAGE_H_
#define DEDAVUZ_CORE_SERVER_IMAGE_H_

#include <exception>
#include <string>

#include "core/attribute_codecs.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/image.h"
#include "hvx/platform.h"

// The platform's value for "its default timeout".
inline constexpr double kVQTimeout = hvx::DEFAULT_TIMEOUT;

// Runs an operation that reports through its status: whatever the standard library throws
// (running out of memory) becomes a status too.
template <typename F>
VQStatus vq_guarded(F&& operation) {
  try {
    return operation();
  } catch (const std::exception& e) {
    return VQStatus(VQStatus::Code::unknown, e.what());
  }
}

inline VQStatus vq_platform_error(const hvx::Image& image) {
  return VQStatus(VQStatus::Code::hvx_error, image.get_error_string());
}

// An image of `name` on the platform object's connection; code 1 before initialize.
inline VQStatus vq_open_image(const std::string& name, const std::string& object_class,
                              hvx::Image& image) {
  VQTopoPlatform* platform = VQTopoPlatform::instance();
  if (platform == nullptr) {
    return VQStatus(VQStatus::Code::hvx_error, "VQTopoPlatform not initialized");
  }
  image = hvx::Image(vq_du(name), vq_du(object_class), platform->platform());
  return VQStatus::success;
}

// Boots `image` for exactly the members of `gdmo` below `count`, in ascending order, named
// by `names`.
inline bool vq_boot_for(hvx::Image& image, const VQIntegerSet& gdmo, const std::string* names,
                        long count) {
  hvx::DUArray units;
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    if (it.member() < count) units.push_back(vq_du(names[it.member()]));
  }
  return image.boot(units, kVQTimeout);
}

// The members of `attributes` outside `valid`.
inline VQIntegerSet vq_outside(const VQIntegerSet& attributes, const VQIntegerSet& valid) {
  VQIntegerSet result(attributes.max_members());
  VQIntegerSetIterator it(attributes);
  while (it.next()) {
    if (!valid.is_member(it.member())) result.add(it.member());
  }
  return result;
}

#endif  // DEDAVUZ_CORE_SERVER_IMAGE_H_
