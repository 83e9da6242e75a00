#include "schema.h"

#include "hvx/syntax.h"

namespace hvx::mis {

const Schema& Schema::get() {
  static const Schema* const kSchema = new Schema();
  return *kSchema;
}

Schema::Schema() {
  const Catalogue& catalogue = Catalogue::get();
  for (const AttributeDef& def : catalogue.attributes()) {
    const Oid oid(def.oid);
    attributes_.emplace(oid, AttributeInfo{&def, oid});
  }
  for (const ClassDef& def : catalogue.classes()) {
    ClassInfo info;
    info.def = &def;
    info.oid = Oid(def.oid);
    if (const AttributeDef* naming = catalogue.find_attribute(def.naming)) {
      info.naming = Oid(naming->oid);
    }
    for (std::string_view name : def.attributes) {
      if (const AttributeDef* attribute = catalogue.find_attribute(name)) {
        info.attributes.emplace(Oid(attribute->oid), attribute);
      }
    }
    for (std::string_view name : def.actions) {
      if (const ActionDef* action = catalogue.find_action(name)) {
        info.actions.emplace(Oid(action->oid), action);
      }
    }
    classes_.emplace(info.oid, std::move(info));
  }
}

const ClassInfo* Schema::find_class(const Oid& oid) const {
  const auto it = classes_.find(oid);
  return it == classes_.end() ? nullptr : &it->second;
}

const ClassInfo* Schema::find_class(std::string_view name) const {
  const ClassDef* def = Catalogue::get().find_class(name);
  return def == nullptr ? nullptr : find_class(Oid(def->oid));
}

const AttributeInfo* Schema::find_attribute(const Oid& oid) const {
  const auto it = attributes_.find(oid);
  return it == attributes_.end() ? nullptr : &it->second;
}

const AttributeInfo* Schema::find_attribute(std::string_view name) const {
  const AttributeDef* def = Catalogue::get().find_attribute(name);
  return def == nullptr ? nullptr : find_attribute(Oid(def->oid));
}

const ActionDef* Schema::find_action(const Oid& oid) const {
  return Catalogue::get().find_action(oid);
}

const ActionDef* Schema::find_action(std::string_view name) const {
  return Catalogue::get().find_action(name);
}

const NotificationDef* Schema::find_notification(std::string_view name) const {
  return Catalogue::get().find_notification(name);
}

Oid Schema::oid_of(std::string_view name) const {
  const Catalogue& catalogue = Catalogue::get();
  if (const AttributeDef* def = catalogue.find_attribute(name)) return Oid(def->oid);
  if (const NotificationDef* def = catalogue.find_notification(name)) return Oid(def->oid);
  if (const ActionDef* def = catalogue.find_action(name)) return Oid(def->oid);
  if (const ClassDef* def = catalogue.find_class(name)) return Oid(def->oid);
  return Oid();
}

bool Schema::fits(std::string_view syntax, const Asn1Value& value) {
  const Syntax type = Syntax::parse(syntax);
  return type.valid() && type.check(value);
}

bool Schema::element_fits(std::string_view syntax, const Asn1Value& value) {
  const Syntax type = Syntax::parse(syntax);
  return type.valid() && type.element().valid() && type.element().check(value);
}

}  // namespace hvx::mis
