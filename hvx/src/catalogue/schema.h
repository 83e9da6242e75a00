// Schema: the catalogue indexed for the server and the client by object identifier, with
// the value checks of attribute and action syntaxes.
#ifndef HVX_SRC_CATALOGUE_SCHEMA_H_
#define HVX_SRC_CATALOGUE_SCHEMA_H_

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "hvx/asn1.h"
#include "hvx/catalogue.h"
#include "hvx/oid.h"

namespace hvx::mis {

struct AttributeInfo {
  const AttributeDef* def = nullptr;
  Oid oid;
};

struct ClassInfo {
  const ClassDef* def = nullptr;
  Oid oid;
  Oid naming;                                     // the naming attribute
  std::map<Oid, const AttributeDef*> attributes;  // those an object of the class may hold
  std::map<Oid, const ActionDef*> actions;
};

class Schema {
 public:
  static const Schema& get();

  const ClassInfo* find_class(const Oid& oid) const;
  // Qualified or unambiguous short name.
  const ClassInfo* find_class(std::string_view name) const;
  const AttributeInfo* find_attribute(const Oid& oid) const;
  const AttributeInfo* find_attribute(std::string_view name) const;
  const ActionDef* find_action(const Oid& oid) const;
  const ActionDef* find_action(std::string_view name) const;
  const NotificationDef* find_notification(std::string_view name) const;

  // Identifiers the server and the client need by name; invalid when the catalogue lacks
  // one.
  Oid oid_of(std::string_view name) const;

  // Whether `value` is a value of the ASN.1 type `syntax` (type notation or a type name).
  static bool fits(std::string_view syntax, const Asn1Value& value);
  // Whether `value` is one element of the SET OF / SEQUENCE OF type `syntax`.
  static bool element_fits(std::string_view syntax, const Asn1Value& value);

 private:
  Schema();
  std::map<Oid, ClassInfo> classes_;
  std::map<Oid, AttributeInfo> attributes_;
};

}  // namespace hvx::mis

#endif  // HVX_SRC_CATALOGUE_SCHEMA_H_
