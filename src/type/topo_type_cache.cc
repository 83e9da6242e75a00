// The process-wide categories of the server's topology types, and type change
// notification.
#include <utility>

#include "core/callback_list.h"
#include "core/event_names.h"
#include "core/local_system.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/album.h"
#include "hvx/event.h"
#include "hvx/image.h"

bool VQTopoTypeRep::type_cache_is_initialized = false;
VQList<VQTopoTypeDn> VQTopoTypeRep::device_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::link_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::container_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::monitor_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::array_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::bus_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::other_types;
VQList<VQTopoTypeDn> VQTopoTypeRep::view_types;
VQList<VQTopoTypeRep::CallbackEntry> VQTopoTypeRep::callbacks;

namespace {

// The categories with their roots, in the order a type is tried against them.
const std::pair<const std::string*, VQList<VQTopoTypeDn>*> kCategories[] = {
    {&VQTopoTypeDn::device, &VQTopoTypeRep::device_types},
    {&VQTopoTypeDn::link, &VQTopoTypeRep::link_types},
    {&VQTopoTypeDn::container, &VQTopoTypeRep::container_types},
    {&VQTopoTypeDn::monitor, &VQTopoTypeRep::monitor_types},
    {&VQTopoTypeDn::array, &VQTopoTypeRep::array_types},
    {&VQTopoTypeDn::bus, &VQTopoTypeRep::bus_types},
};

VQStatus hvx_failure(const std::string& text) { return VQStatus(VQStatus::Code::hvx_error, text); }

bool in_category(const VQList<VQTopoTypeDn>& list, const std::string& type_name) {
  (void)VQTopoTypeRep::is_type_cache_initialized(true);
  return list.contains(VQTopoTypeDn(vq_local_system_name(), type_name));
}

}  // namespace

VQStatus VQTopoTypeRep::is_type_cache_initialized(bool fill) {
  if (!fill || type_cache_is_initialized) return VQStatus::success;
  hvx::Album album(hvx::DataUnit(VQ_LDN_TOPO_TYPE_DB), hvx::Platform::default_platform());
  if (!album.set_derivation(hvx::DataUnit(VQ_LDN_TOPO_TYPE_DB + "/*")) ||
      !album.set_prop(hvx::DataUnit("AUTOIMAGE"), hvx::DataUnit("YES"))) {
    return hvx_failure(album.get_error_string());
  }
  const hvx::DUArray attributes{hvx::DataUnit(VQ_TOPO_TYPE_ID),
                                hvx::DataUnit(VQ_TOPO_TYPE_ALL_DERIVED_FROM),
                                hvx::DataUnit(VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN)};
  if (!album.derive(attributes, hvx::DEFAULT_TIMEOUT)) {
    return hvx_failure(album.get_error_string());
  }
  bool any = false;
  for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) {
    if (image->get_state() == hvx::Image::ACCESS_DENIED) return hvx_failure("ACCESS_DENIED");
    cache_topo_type(image);
    any = true;
  }
  if (!any) return hvx_failure("No topology type is available");
  type_cache_is_initialized = true;
  return VQStatus::success;
}

void VQTopoTypeRep::cache_topo_type(hvx::Image& image) {
  const std::string id = image.get_str(hvx::DataUnit(VQ_TOPO_TYPE_ID), 0).str();
  const VQTopoTypeDn dn(vq_local_system_name(), id);
  VQList<std::string> ancestors;
  for (const hvx::Morf& element :
       image.get_raw(hvx::DataUnit(VQ_TOPO_TYPE_ALL_DERIVED_FROM)).split_array()) {
    ancestors.append(element.get_str(0));
  }
  if (image.get_raw(hvx::DataUnit(VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN)).num_elements() > 0) {
    view_types.append(dn);
  }
  for (const auto& [root, list] : kCategories) {
    if (*root == id || ancestors.contains(*root)) {
      list->append(dn);
      return;
    }
  }
  other_types.append(dn);
}

bool VQTopoTypeRep::is_container(const std::string& name) {
  return in_category(container_types, name);
}
bool VQTopoTypeRep::is_monitor(const std::string& name) { return in_category(monitor_types, name); }
bool VQTopoTypeRep::is_array(const std::string& name) { return in_category(array_types, name); }
bool VQTopoTypeRep::is_view(const std::string& name) { return in_category(view_types, name); }
bool VQTopoTypeRep::is_device(const std::string& name) { return in_category(device_types, name); }
bool VQTopoTypeRep::is_link(const std::string& name) { return in_category(link_types, name); }
bool VQTopoTypeRep::is_bus(const std::string& name) { return in_category(bus_types, name); }

VQStatus VQTopoTypeRep::get_all_types(VQList<VQTopoTypeDn>& types) {
  VQ_RETURN_IF_ERROR(is_type_cache_initialized(true));
  types.clear();
  for (const auto& category : kCategories) {
    for (const VQTopoTypeDn& dn : *category.second) types.append(dn);
  }
  for (const VQTopoTypeDn& dn : other_types) types.append(dn);
  return VQStatus::success;
}

void VQTopoTypeRep::register_callback(VQEventType event,
                                      void (*callback)(const VQTopoTypeCallbackData&),
                                      void* client_data) {
  const CallbackEntry entry{event, callback, client_data};
  callbacks.remove(entry);
  callbacks.append(entry);
}

void VQTopoTypeRep::unregister_callback(void (*callback)(const VQTopoTypeCallbackData&), void*) {
  vq_remove_first_callback(callbacks, callback);
}

void VQTopoTypeRep::raw_event_cb(hvx::CurrentEvent& event) {
  VQTopoTypeCallbackData data;
  (void)is_type_cache_initialized(true);
  static const std::string kTopoType = vq_topology_oid({40, 3, 4});
  if (!vq_event_class_is(event, kTopoType)) return;
  hvx::Image image = event.get_image(1);
  data.dn = VQTopoTypeDn(image.get_objname().str());
  if (data.dn.is_null()) return;
  const int type = vq_event_type_of(event);
  if (type < 0) return;
  data.event = static_cast<VQEventType>(type);

  if (data.event == object_creation) {
    const hvx::DUArray attributes{hvx::DataUnit(VQ_TOPO_TYPE_ALL_DERIVED_FROM),
                                  hvx::DataUnit(VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN)};
    if (!image.boot(attributes, hvx::DEFAULT_TIMEOUT) || !image.exists()) return;
    cache_topo_type(image);
  } else if (data.event == object_deletion) {
    bool removed = false;
    for (const auto& category : kCategories) {
      if ((removed = category.second->remove(data.dn))) break;
    }
    if (!removed) other_types.remove(data.dn);
    view_types.remove(data.dn);
  }

  vq_call_callbacks(callbacks, data);
}

bool VQTopoType::is_container(const std::string& name) { return VQTopoTypeRep::is_container(name); }
bool VQTopoType::is_monitor(const std::string& name) { return VQTopoTypeRep::is_monitor(name); }
bool VQTopoType::is_array(const std::string& name) { return VQTopoTypeRep::is_array(name); }
bool VQTopoType::is_view(const std::string& name) { return VQTopoTypeRep::is_view(name); }
bool VQTopoType::is_device(const std::string& name) { return VQTopoTypeRep::is_device(name); }
bool VQTopoType::is_link(const std::string& name) { return VQTopoTypeRep::is_link(name); }
bool VQTopoType::is_bus(const std::string& name) { return VQTopoTypeRep::is_bus(name); }

void VQTopoType::register_callback(VQEventType event,
                                   void (*callback)(const VQTopoTypeCallbackData&),
                                   void* client_data) {
  VQTopoTypeRep::register_callback(event, callback, client_data);
}

void VQTopoType::unregister_callback(void (*callback)(const VQTopoTypeCallbackData&),
                                     void* client_data) {
  VQTopoTypeRep::unregister_callback(callback, client_data);
}
