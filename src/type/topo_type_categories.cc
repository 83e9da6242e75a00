// The process's cache of the local system's types by category, filled from the server's
// type database on first use.
#include <string>
#include <string_view>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/album.h"
#include "hvx/image.h"
#include "hvx/morf.h"

namespace {

using Code = VQStatus::Code;
using TypeList = VQList<VQTopoTypeDn>;

// The categories, in the order a type is filed and listed; the last one has no root.
struct Category {
  const std::string* root;
  TypeList types;
};

Category categories[] = {
    {&VQTopoTypeDn::device, {}},
    {&VQTopoTypeDn::link, {}},
    {&VQTopoTypeDn::container, {}},
    {&VQTopoTypeDn::monitor, {}},
    {&VQTopoTypeDn::array, {}},
    {&VQTopoTypeDn::bus, {}},
    {nullptr, {}},
};
TypeList view_types;
bool type_cache_is_initialized = false;

hvx::DataUnit du(const std::string& text) { return hvx::DataUnit(std::string_view(text)); }

std::string local_system() {
  const VQTopoPlatform* platform = VQTopoPlatform::instance();
  return platform == nullptr ? std::string() : platform->local_system_name();
}

}  // namespace

VQStatus VQTopoTypeRep::is_type_cache_initialized(bool fill) {
  if (!fill || type_cache_is_initialized) return VQStatus::success;
  VQTopoPlatform* platform = VQTopoPlatform::instance();
  if (platform == nullptr) return VQStatus(Code::hvx_error, "VQTopoPlatform not initialized");
  const std::string derivation = VQ_LDN_TOPO_TYPE_DB + "/*";
  hvx::Album album(du(derivation), platform->platform());
  if (!album.set_derivation(du(derivation)) || !album.set_prop("AUTOIMAGE", "YES") ||
      !album.derive(hvx::DUArray{du(VQ_TOPO_TYPE_ID), du(VQ_TOPO_TYPE_ALL_DERIVED_FROM),
                                 du(VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN)},
                    hvx::DEFAULT_TIMEOUT)) {
    return VQStatus(Code::hvx_error, album.get_error_string());
  }
  if (album.size() == 0) return VQStatus(Code::hvx_error, "No topology type is available");
  for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) {
    cache_topo_type(image.image());
  }
  type_cache_is_initialized = true;
  return VQStatus::success;
}

void VQTopoTypeRep::cache_topo_type(hvx::Image& image) {
  const std::string id = image.get_str(du(VQ_TOPO_TYPE_ID), 0).str();
  const VQTopoTypeDn dn(local_system(), id);
  if (image.get_raw(du(VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN)).num_elements() > 0) view_types.append(dn);
  VQList<std::string> ancestors;
  for (const hvx::Morf& ancestor : image.get_raw(du(VQ_TOPO_TYPE_ALL_DERIVED_FROM)).split_array()) {
    ancestors.append(ancestor.get_str(0));
  }
  for (Category& category : categories) {
    if (category.root == nullptr || *category.root == id || ancestors.contains(*category.root)) {
      category.types.append(dn);
      return;
    }
  }
}

bool VQTopoTypeRep::is_view(const std::string& type_name) {
  // A cache that cannot be filled answers from what it holds.
  const VQStatus ignored = is_type_cache_initialized(true);
  (void)ignored;
  return view_types.contains(VQTopoTypeDn(local_system(), type_name));
}

VQStatus VQTopoTypeRep::get_all_types(VQList<VQTopoTypeDn>& types) {
  VQ_RETURN_IF_ERROR(is_type_cache_initialized(true));
  types.clear();
  for (const Category& category : categories) {
    for (const VQTopoTypeDn& dn : category.types) types.append(dn);
  }
  return VQStatus::success;
}

bool VQTopoType::is_view(const std::string& type_name) { return VQTopoTypeRep::is_view(type_name); }
