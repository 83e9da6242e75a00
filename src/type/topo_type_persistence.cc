// Moving a type to and from the server: existence, creation, destruction, load and store of
// its topoType object.
#include <string>

#include "core/server_image.h"
#include "dedavuz_api/mit_names.h"
#include "type/topo_type_rep_access.h"

namespace {

using Code = VQStatus::Code;
using Type = VQTopoType;

const VQAttributeTable<VQTopoTypeRep>& table() { return VQTopoTypeRepAccess::table(); }

VQStatus dn_not_set() { return VQStatus(Code::missing_mandatory_attribute, "VQTopoType::dn"); }

}  // namespace

VQStatus VQTopoTypeRep::open(hvx::Image& image) const {
  return vq_open_image(dn_.slash_form(), VQ_OC_TOPO_TYPE, image);
}

bool VQTopoTypeRep::exists() const {
  try {
    hvx::Image image;
    return open(image) && image.boot(kVQTimeout) && image.exists();
  } catch (const std::exception&) {
    return false;
  }
}

VQStatus VQTopoTypeRep::create_with_some_attributes(const VQIntegerSet& attributes) {
  return vq_guarded([&]() -> VQStatus {
    const VQIntegerSet missing = vq_outside(get_mandatory_attributes(create), attributes);
    if (missing.num_members() > 0) {
      return table().listed(Code::missing_mandatory_attribute, missing);
    }
    const VQIntegerSet not_creatable = vq_outside(attributes, get_valid_attributes(create));
    if (not_creatable.num_members() > 0) {
      return table().listed(Code::attribute_not_creatable, not_creatable);
    }
    hvx::Image image;
    VQ_RETURN_IF_ERROR(open(image));
    VQ_RETURN_IF_ERROR(set_some_attributes_in_image(image, attributes));
    if (!image.create(hvx::Image(), kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}

VQStatus VQTopoTypeRep::destroy() {
  return vq_guarded([&]() -> VQStatus {
    if (!active_.is_member(Type::dn)) return dn_not_set();
    hvx::Image image;
    VQ_RETURN_IF_ERROR(open(image));
    if (!image.destroy(kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}

VQStatus VQTopoTypeRep::load_some_attributes(const VQIntegerSet& attributes) {
  return vq_guarded([&]() -> VQStatus {
    if (!active_.is_member(Type::dn)) return dn_not_set();
    hvx::Image image;
    VQ_RETURN_IF_ERROR(open(image));
    VQIntegerSet gdmo(gdmo_attribute_count);
    map_interface_to_gdmo_attributes(attributes, gdmo);
    if (!vq_boot_for(image, gdmo, gdmo_attribute_names(), gdmo_attribute_count)) {
      return vq_platform_error(image);
    }
    if (!image.exists()) {
      return VQStatus(Code::object_does_not_exist, image.get_objname().str());
    }
    VQ_RETURN_IF_ERROR(get_some_attributes_in_image(image, gdmo));
    VQIntegerSetIterator it(attributes);
    while (it.next()) active_.add(it.member());
    return VQStatus::success;
  });
}

VQStatus VQTopoTypeRep::store_some_attributes(const VQIntegerSet& attributes) {
  return vq_guarded([&]() -> VQStatus {
    if (!active_.is_member(Type::dn)) return dn_not_set();
    const VQIntegerSet not_storeable = vq_outside(attributes, get_valid_attributes(store));
    if (not_storeable.num_members() > 0) {
      return table().listed(Code::attribute_not_storeable, not_storeable);
    }
    hvx::Image image;
    VQ_RETURN_IF_ERROR(open(image));
    VQ_RETURN_IF_ERROR(set_some_attributes_in_image(image, attributes));
    if (!image.store(kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}

VQStatus VQTopoTypeRep::get_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& gdmo) {
  if (gdmo.max_members() != gdmo_attribute_count) {
    return VQStatus(Code::invalid_argument, "VQIntegerSet wrong size");
  }
  VQIntegerSetIterator it(gdmo);
  while (it.next()) {
    hvx::Morf value = image.get_raw(vq_du(gdmo_attribute_names()[it.member()]));
    VQ_RETURN_IF_ERROR(get_attribute_from_morf(static_cast<GdmoAttribute>(it.member()), value));
  }
  return VQStatus::success;
}

VQStatus VQTopoTypeRep::get_attribute_from_morf(GdmoAttribute attribute, hvx::Morf& value) {
  if (attribute == topo_type_id) return VQStatus::success;
  const VQAttributeTable<VQTopoTypeRep>::Row* row = table().holder(0, attribute);
  if (row == nullptr || row->decode == nullptr) {
    return VQStatus(Code::decode_error, "VQTopoType::unknown_attribute");
  }
  return table().decode(*this, 0, attribute, value);
}

VQStatus VQTopoTypeRep::set_some_attributes_in_image(hvx::Image& image,
                                                     const VQIntegerSet& attributes) const {
  return table().encode_attributes(*this, attributes, image);
}

void VQTopoTypeRep::map_interface_to_gdmo_attributes(const VQIntegerSet& attributes,
                                                     VQIntegerSet& gdmo) {
  table().to_gdmo(load, 0, attributes, gdmo);
}

void VQTopoTypeRep::map_gdmo_to_interface_attributes(const VQIntegerSet& gdmo,
                                                     VQIntegerSet& attributes) {
  attributes = VQIntegerSet(Type::attribute_count);
  table().from_gdmo(0, gdmo, attributes);
}

bool VQTopoTypeRep::map_gdmo_name_to_enum(const std::string& name, GdmoAttribute& attribute) {
  for (int g = 0; g < gdmo_attribute_count; ++g) {
    if (gdmo_attribute_names()[g] == name) {
      attribute = static_cast<GdmoAttribute>(g);
      return true;
    }
  }
  attribute = static_cast<GdmoAttribute>(15);
  return false;
}

const std::string* VQTopoTypeRep::gdmo_attribute_names() {
  static const std::string names[gdmo_attribute_count] = {
      VQ_TOPO_TYPE_ID,           VQ_TOPO_TYPE_DERIVED_FROM,    VQ_TOPO_TYPE_ALL_DERIVED_FROM,
      VQ_TOPO_TYPE_BASE_OF,      VQ_TOPO_TYPE_ALL_BASE_OF,     VQ_TOPO_TYPE_MAX_VISIBLE_LEVEL,
      VQ_TOPO_TYPE_MAX_TOPO_LEVEL, VQ_TOPO_TYPE_LEGAL_ARCS,    VQ_TOPO_TYPE_ALL_LEGAL_ARCS,
      VQ_TOPO_TYPE_LEGAL_CHILDREN, VQ_TOPO_TYPE_ALL_LEGAL_CHILDREN, VQ_TOPO_TYPE_DRAW_METHOD,
      VQ_TOPO_TYPE_DEFAULT_LAYER, VQ_TOPO_TYPE_USER_DATA_ATTRS,
  };
  return names;
}
