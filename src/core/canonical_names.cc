// Canonical forms of attribute names and distinguished names, through the platform's
// identifier registry and name conversion.
#include <exception>

#include "dedavuz_api/mit_names.h"
#include "hvx/names.h"
#include "hvx/oid.h"
#include "hvx/oid_registry.h"

VQStatus vq_get_canonical_attribute_name(const std::string& name, std::string& canonical) {
  try {
    hvx::Oid oid;
    if (!hvx::OidNameRegistry::find_oid_by_name(name, oid)) {
      return VQStatus(VQStatus::Code::attribute_not_registered, name);
    }
    std::string registered;
    if (!hvx::OidNameRegistry::find_name_by_oid(oid, registered)) {
      return VQStatus(VQStatus::Code::attribute_not_registered, registered);
    }
    canonical = registered;
    return VQStatus::success;
  } catch (const std::exception& e) {
    return VQStatus(VQStatus::Code::hvx_error, e.what());
  }
}

VQStatus vq_get_canonical_dn(const std::string& dn, std::string& canonical) {
  try {
    const hvx::Asn1Value value = hvx::fdn2oi(dn);
    if (value.is_null()) return VQStatus(VQStatus::Code::invalid_argument, dn);
    canonical = hvx::oi2fdn(value);
    return VQStatus::success;
  } catch (const std::exception& e) {
    return VQStatus(VQStatus::Code::hvx_error, e.what());
  }
}
