// OidNameRegistry: attribute, class, action and notification names to object identifiers
// and back, over the catalogue.
#ifndef HVX_OID_REGISTRY_H_
#define HVX_OID_REGISTRY_H_

#include <string>
#include <string_view>

#include "hvx/oid.h"

namespace hvx {

class OidNameRegistry {
 public:
  // The process's registry: the catalogue's, unless another (or none) was installed.
  // While none is installed both look-ups fail.
  static bool find_oid_by_name(std::string_view name, Oid& oid);
  static bool find_name_by_oid(const Oid& oid, std::string& name);

  // Installs the registry the static look-ups use; nullptr installs none. The registry
  // must outlive its installation. Returns the one installed before.
  static const OidNameRegistry* install(const OidNameRegistry* registry);
  static const OidNameRegistry* installed();
  // The registry over the catalogue, installed at start.
  static const OidNameRegistry& catalogue_registry();

  virtual ~OidNameRegistry() = default;

  // The qualified name ("\"VQ Topology\":topoNodeName"), or the short name when only one
  // entry bears it. False (oid unchanged) otherwise.
  virtual bool oid_of(std::string_view name, Oid& oid) const;
  // The qualified name; false (name unchanged) for an identifier not registered.
  virtual bool name_of(const Oid& oid, std::string& name) const;
};

}  // namespace hvx

#endif  // HVX_OID_REGISTRY_H_
