#include "hvx/oid_registry.h"

#include "hvx/catalogue.h"

namespace hvx {

namespace {

const OidNameRegistry*& installed_registry() {
  static const OidNameRegistry* registry = &OidNameRegistry::catalogue_registry();
  return registry;
}

// An entry of any kind that the catalogue registers under a name or an identifier.
template <typename Key>
const std::string_view* find_entry(const Key& key, std::string_view* oid) {
  const Catalogue& catalogue = Catalogue::get();
  if (const AttributeDef* def = catalogue.find_attribute(key)) {
    *oid = def->oid;
    return &def->name;
  }
  if (const ClassDef* def = catalogue.find_class(key)) {
    *oid = def->oid;
    return &def->name;
  }
  if (const ActionDef* def = catalogue.find_action(key)) {
    *oid = def->oid;
    return &def->name;
  }
  if (const NotificationDef* def = catalogue.find_notification(key)) {
    *oid = def->oid;
    return &def->name;
  }
  return nullptr;
}

}  // namespace

bool OidNameRegistry::find_oid_by_name(std::string_view name, Oid& oid) {
  const OidNameRegistry* registry = installed_registry();
  return registry != nullptr && registry->oid_of(name, oid);
}

bool OidNameRegistry::find_name_by_oid(const Oid& oid, std::string& name) {
  const OidNameRegistry* registry = installed_registry();
  return registry != nullptr && registry->name_of(oid, name);
}

const OidNameRegistry* OidNameRegistry::install(const OidNameRegistry* registry) {
  const OidNameRegistry* previous = installed_registry();
  installed_registry() = registry;
  return previous;
}

const OidNameRegistry* OidNameRegistry::installed() { return installed_registry(); }

const OidNameRegistry& OidNameRegistry::catalogue_registry() {
  static const OidNameRegistry registry;
  return registry;
}

bool OidNameRegistry::oid_of(std::string_view name, Oid& oid) const {
  std::string_view dotted;
  if (find_entry(name, &dotted) == nullptr) return false;
  Oid found(dotted);
  if (!found.valid()) return false;
  oid = std::move(found);
  return true;
}

bool OidNameRegistry::name_of(const Oid& oid, std::string& name) const {
  std::string_view dotted;
  const std::string_view* found = find_entry(oid, &dotted);
  if (found == nullptr) return false;
  name = std::string(*found);
  return true;
}

}  // namespace hvx
