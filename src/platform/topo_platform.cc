#include "dedavuz_api/topo_platform.h"

#include <exception>

#include "dedavuz_api/topo_platform_rep.h"

VQTopoPlatform* VQTopoPlatform::the_topo_platform = nullptr;
bool VQTopoPlatform::valid_flag = false;

bool VQTopoPlatform::initialize(hvx::Platform& platform, bool view_graph_cached) {
  return initialize(platform, view_graph_cached, false);
}

bool VQTopoPlatform::initialize(hvx::Platform& platform, bool view_graph_cached, bool hold_events) {
  if (the_topo_platform != nullptr) return true;
  try {
    the_topo_platform = new VQTopoPlatform(platform, view_graph_cached);
  } catch (const std::exception&) {
    the_topo_platform = nullptr;
    valid_flag = false;
  }
  if (!valid_flag) {
    delete the_topo_platform;
    the_topo_platform = nullptr;
  }
  VQTopoPlatformRep::hold_events(hold_events);
  return valid_flag;
}

VQTopoPlatform* VQTopoPlatform::instance() { return the_topo_platform; }

VQTopoPlatform::VQTopoPlatform(hvx::Platform& platform, bool view_graph_cached) {
  valid_flag = VQTopoPlatformRep::initialize(platform, view_graph_cached);
  if (valid_flag) rep_ = VQTopoPlatformRep::instance();
}

VQTopoPlatform::~VQTopoPlatform() = default;

const std::string& VQTopoPlatform::local_system_name() const {
  static const std::string kNone;
  return rep_ == nullptr ? kNone : rep_->local_system_name();
}

std::string VQTopoPlatform::system_fdn_str(const std::string& system) const {
  return rep_ == nullptr ? std::string() : rep_->system_fdn_str(system);
}

std::string VQTopoPlatform::fdn_system_str(const std::string& fdn) const {
  return rep_ == nullptr ? std::string() : rep_->fdn_system_str(fdn);
}

VQList<std::string> VQTopoPlatform::system_names() const {
  return rep_ == nullptr ? VQList<std::string>() : rep_->system_names();
}

hvx::Platform& VQTopoPlatform::platform() {
  return rep_ == nullptr ? hvx::Platform::default_platform() : rep_->platform();
}

void VQTopoPlatform::register_mis_connection_callback(MisConnectionCallback callback,
                                                      void* client_data) {
  VQTopoPlatformRep::register_mis_connection_callback(callback, client_data);
}

void VQTopoPlatform::unregister_mis_connection_callback(MisConnectionCallback callback) {
  VQTopoPlatformRep::unregister_mis_connection_callback(callback);
}

void VQTopoPlatform::hold_events(bool hold) { VQTopoPlatformRep::hold_events(hold); }
