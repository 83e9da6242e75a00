// The topology database's types: the derivation tree a type change would make, the checks
// it must pass, and the derived attributes the server keeps on every type.
#include <map>
#include <string>
#include <vector>

#include "hvx/ber.h"
#include "schema.h"
#include "topo/database.h"
#include "topo/database_support.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

// The type id an RDN names; "" when it names none.
std::string type_id_of(const Asn1Value& rdn) { return dn::string_value(rdn); }

std::vector<std::string> texts(const ObjectValues& values, const Oid& attribute) {
  std::vector<std::string> out;
  const auto it = values.find(attribute);
  if (it != values.end()) read_texts(it->second, out);
  return out;
}

bool touches_derivation(const std::vector<Change>& changes) {
  for (const Change& change : changes) {
    const TypeAttribute attribute = Identifiers::get().type_attribute(change.attribute);
    if (attribute == kDerivedFrom || attribute == kLegalChildren || attribute == kLegalArcs) {
      return true;
    }
  }
  return false;
}

ObjectValues changed_values(const ManagedObject& object,
                                        const std::vector<Change>& changes) {
  ObjectValues values = object.attributes;
  for (const Change& change : changes) values.set(change.attribute, change.new_value);
  return values;
}

}  // namespace

Status Database::next_types(const std::string& id, const ObjectValues& values,
                            TypeTree& next) const {
  const Identifiers& i = ids();
  next = types_;
  next.put(id, texts(values, i.type(kDerivedFrom)), texts(values, i.type(kLegalChildren)),
           texts(values, i.type(kLegalArcs)));
  const std::string fault = next.fault();
  if (!fault.empty()) {
    return Status::InvalidAttributeValue(i.type_name(kDerivedFrom) + ": " + fault);
  }
  return check_view_types(next);
}

Status Database::check_view_types(const TypeTree& next) const {
  for (const auto& [id, type] : types_.types()) {
    if (!types_.is_view(id) || next.is_view(id)) continue;
    for (const long node : graph_.of_type(id)) {
      if (!graph_.find(node)->children().empty()) {
        return Status::InvalidAttributeValue(ids().type_name(kLegalChildren) + ": \"" + id +
                                             "\" would no longer be a view type, and " +
                                             node_text(node) + " of that type has children");
      }
    }
  }
  return Status::OK();
}

void Database::complete_type(const std::string& id, const TypeTree& tree,
                             ManagedObject& object) const {
  const Identifiers& i = ids();
  fill_missing(object, type_defaults_, &Identifiers::type);
  const TypeTree::Type* type = tree.find(id);
  if (type == nullptr) return;
  object.attributes.set(i.type(kAllDerivedFrom), text_set(type->all_bases));
  object.attributes.set(i.type(kBaseOf), text_set(type->sub_types));
  object.attributes.set(i.type(kAllBaseOf), text_set(type->all_sub_types));
  object.attributes.set(i.type(kAllLegalArcs), text_set(type->all_legal_arcs));
  object.attributes.set(i.type(kAllLegalChildren), text_set(type->all_legal_children));
}

Status Database::before_type_create(ManagedObject& object) {
  const Identifiers& i = ids();
  dn::Rdns name = object.name();
  if (same_name(name, i.type_db())) {
    const std::optional<Asn1Value> given = object.find(i.type(kTypeId));
    if (!given) {
      return Status::MissingAttributeValue("topoTypeId: a type needs an id");
    }
    name.push_back(dn::rdn(i.type(kTypeId), *given));
    object.set_name(name);
  } else if (!directly_below(name, i.type_db()) || !named_by(name, i.type(kTypeId))) {
    return Status::ClassInstanceConflict(
        "topoType objects are named topoTypeDBId=NULL/topoTypeId=\"<id>\"");
  }
  const std::string id = type_id_of(name.back());
  if (id.empty()) {
    return Status::InvalidAttributeValue("topoTypeId: a type needs an id");
  }
  if (types_.find(id) != nullptr) {
    return Status::DuplicateObjectInstance(dn::format(name, false));
  }
  TypeTree next;
  const Status checked = next_types(id, object.attributes, next);
  if (!checked.ok()) return checked;
  complete_type(id, next, object);
  return Status::OK();
}

void Database::after_type_create(const ManagedObject& object) {
  TypeTree next;
  next_types(type_id_of(object.last_rdn()), object.attributes, next).IgnoreError();
  Internal internal(internal_);
  adopt_types(std::move(next));
}

Status Database::before_type_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0 || !touches_derivation(changes)) return Status::OK();
  TypeTree next;
  return next_types(type_id_of(object.last_rdn()), changed_values(object, changes), next);
}

void Database::after_type_set(const ManagedObject& object, const std::vector<Change>& changes) {
  if (internal_ != 0 || !touches_derivation(changes)) return;
  TypeTree next;
  next_types(type_id_of(object.last_rdn()), object.attributes, next).IgnoreError();
  Internal internal(internal_);
  adopt_types(std::move(next));
}

Status Database::before_type_delete(const ManagedObject& object) const {
  const std::string id = type_id_of(object.last_rdn());
  if (const long node = graph_.first_of_type(id); node != 0) {
    return Status::ProcessingFailure("type \"" + id + "\" is the type of " + node_text(node));
  }
  const TypeTree::Type* type = types_.find(id);
  if (type != nullptr && !type->sub_types.empty()) {
    return Status::ProcessingFailure("type \"" + id + "\" is the base of \"" +
                                     type->sub_types.front() + "\"");
  }
  return Status::OK();
}

void Database::after_type_delete(const ManagedObject& object) {
  TypeTree next = types_;
  next.erase(type_id_of(object.last_rdn()));
  Internal internal(internal_);
  adopt_types(std::move(next));
}

void Database::adopt_types(TypeTree next) {
  const Identifiers& i = ids();
  const TypeTree old = std::move(types_);
  types_ = std::move(next);
  for (const auto& [id, type] : types_.types()) {
    const TypeTree::Type* before = old.find(id);
    if (before == nullptr) continue;
    std::vector<Modification> modifications;
    auto follow = [&](TypeAttribute attribute, const std::vector<std::string>& now,
                      const std::vector<std::string>& was) {
      if (now != was) {
        modifications.push_back({ModifyMode::replace, i.type(attribute), text_set(now)});
      }
    };
    follow(kAllDerivedFrom, type.all_bases, before->all_bases);
    follow(kBaseOf, type.sub_types, before->sub_types);
    follow(kAllBaseOf, type.all_sub_types, before->all_sub_types);
    follow(kAllLegalArcs, type.all_legal_arcs, before->all_legal_arcs);
    follow(kAllLegalChildren, type.all_legal_children, before->all_legal_children);
    if (!modifications.empty()) server_.modify(i.type(id), modifications, false).IgnoreError();
  }
  for (const auto& [id, type] : types_.types()) {
    const bool view = types_.is_view(id);
    if (old.is_view(id) == view) continue;
    const std::set<long> nodes = graph_.of_type(id);
    for (const long node : nodes) {
      graph_.set_view(node, view);
      if (view) {
        create_view(node);
      } else {
        delete_view(node);
      }
    }
  }
}

}  // namespace hvx::mis::topo
