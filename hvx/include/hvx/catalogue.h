// The catalogue: every managed-object class, attribute, action, notification and named
// ASN.1 type the platform knows, with its document-qualified name and object identifier.
// The identifier registry, syntaxes, value notation, name conversion and the server all
// read this one read-only view.
#ifndef HVX_CATALOGUE_H_
#define HVX_CATALOGUE_H_

#include <span>
#include <string_view>

#include "hvx/oid.h"

namespace hvx {

// Syntaxes are ASN.1 type notation: a reference to a named type ("CMIP-1.ObjectInstance")
// or a type written out ("SET OF INTEGER").
struct AttributeDef {
  std::string_view name;  // qualified: "VQ Topology":topoNodeName
  std::string_view oid;   // dotted
  std::string_view syntax;
  bool settable;
  bool set_valued;  // INCLUDE and EXCLUDE apply to its elements
};

struct ActionDef {
  std::string_view name;
  std::string_view oid;
  std::string_view argument;
  std::string_view reply;
};

struct NotificationDef {
  std::string_view name;
  std::string_view oid;
  std::string_view info;
};

struct ClassDef {
  std::string_view name;
  std::string_view oid;
  std::string_view naming;                      // qualified name of the naming attribute
  std::span<const std::string_view> superiors;  // classes it may be named under
  std::span<const std::string_view> attributes;
  std::span<const std::string_view> actions;
  std::span<const std::string_view> notifications;
};

// A named type of an ASN.1 module: "CMIP-1.ObjectInstance" and its definition.
struct TypeDef {
  std::string_view name;
  std::string_view definition;
};

class Catalogue {
 public:
  // The process's catalogue, indexed on first use.
  static const Catalogue& get();

  std::span<const ClassDef> classes() const;
  std::span<const AttributeDef> attributes() const;
  std::span<const ActionDef> actions() const;
  std::span<const NotificationDef> notifications() const;
  std::span<const TypeDef> types() const;

  // By qualified name, or by short name when only one entry of that kind bears it;
  // nullptr otherwise.
  const ClassDef* find_class(std::string_view name) const;
  const AttributeDef* find_attribute(std::string_view name) const;
  const ActionDef* find_action(std::string_view name) const;
  const NotificationDef* find_notification(std::string_view name) const;
  // By module-qualified name ("VQ-TOPO-ASN1.TopoNodeMOSet"), or by the bare type name when
  // only one module defines it.
  const TypeDef* find_type(std::string_view name) const;

  const ClassDef* find_class(const Oid& oid) const;
  const AttributeDef* find_attribute(const Oid& oid) const;
  const ActionDef* find_action(const Oid& oid) const;
  const NotificationDef* find_notification(const Oid& oid) const;

  struct Index;

 private:
  Catalogue();
  const Index* index_;
};

}  // namespace hvx

#endif  // HVX_CATALOGUE_H_
