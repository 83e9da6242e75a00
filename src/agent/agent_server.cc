#include "agent/agent_server.h"

#include <exception>

bool vq_agent_exists(const VQAgentObject& object) {
  try {
    hvx::Image image;
    return vq_open_image(object.name, object.object_class, image) && image.boot(kVQTimeout) &&
           image.exists();
  } catch (const std::exception&) {
    return false;
  }
}

VQStatus vq_agent_create(const VQAgentObject& object, const VQImageStep& stage) {
  return vq_guarded([&]() -> VQStatus {
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(object.name, object.object_class, image));
    VQ_RETURN_IF_ERROR(stage(image));
    if (!image.create(hvx::Image(), kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}

VQStatus vq_agent_destroy(const VQAgentObject& object) {
  return vq_guarded([&]() -> VQStatus {
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(object.name, object.object_class, image));
    if (!image.destroy(kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}

VQStatus vq_agent_load(const VQAgentObject& object, const VQIntegerSet& gdmo,
                       const std::string* names, int count, const VQImageStep& decode) {
  return vq_guarded([&]() -> VQStatus {
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(object.name, object.object_class, image));
    if (!vq_boot_for(image, gdmo, names, count)) return vq_platform_error(image);
    if (!image.exists())
      return VQStatus(VQStatus::Code::object_does_not_exist, image.get_objname().str());
    return decode(image);
  });
}

VQStatus vq_agent_store(const VQAgentObject& object, const VQImageStep& stage) {
  return vq_guarded([&]() -> VQStatus {
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(object.name, object.object_class, image));
    VQ_RETURN_IF_ERROR(stage(image));
    if (!image.store(kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}
