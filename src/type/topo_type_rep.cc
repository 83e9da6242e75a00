#include "dedavuz_api/topo_type_rep.h"

#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <string_view>
#include <utility>

#include "dedavuz_api/mit_names.h"
#include "type/topo_type_rep_access.h"

namespace {

constexpr int kCount = VQTopoType::attribute_count;

const VQAttributeTable<VQTopoTypeRep>& table() { return VQTopoTypeRepAccess::table(); }

VQIntegerSet set_of(std::initializer_list<int> members) {
  VQIntegerSet set(kCount);
  for (const int member : members) set.add(member);
  return set;
}

// The set for `operation` out of a table indexed by it; an operation beyond the three
// selects nothing.
const VQIntegerSet& by_operation(const VQIntegerSet (&sets)[3], VQObjectOperation operation) {
  static const VQIntegerSet none(kCount);
  const int index = static_cast<int>(operation);
  return index >= 0 && index < 3 ? sets[index] : none;
}
}  // namespace

VQTopoTypeRep::VQTopoTypeRep() : active_(kCount) {}

VQTopoTypeRep::VQTopoTypeRep(const VQTopoTypeDn& dn) : dn_(dn), active_(kCount) {
  active_.add(VQTopoType::dn);
}

VQStatus VQTopoTypeRep::create_with_all_attributes() {
  return create_with_some_attributes(active_ & get_valid_attributes(create));
}

VQStatus VQTopoTypeRep::load_all_attributes() {
  return load_some_attributes(get_valid_attributes(load));
}

VQStatus VQTopoTypeRep::store_all_attributes() {
  return store_some_attributes(active_ & get_valid_attributes(store));
}

VQStatus VQTopoTypeRep::load_all_defaults() {
  return load_some_defaults(get_valid_attributes(load));
}

VQStatus VQTopoTypeRep::load_some_defaults(const VQIntegerSet&) { return VQStatus::success; }

void VQTopoTypeRep::get_active_attributes(VQIntegerSet& attributes) const { attributes = active_; }

void VQTopoTypeRep::clear_all_attributes() { active_ = false; }

void VQTopoTypeRep::clear_some_attributes(const VQIntegerSet& attributes) {
  // Member by member, so that a set of another capacity clears only its own members.
  VQIntegerSetIterator it(attributes);
  while (it.next()) active_.remove(it.member());
}

VQStatus VQTopoTypeRep::not_set(Attribute attribute) { return table().not_set(attribute); }

template <typename T>
VQStatus VQTopoTypeRep::get(Attribute attribute, const T& field, T& out) const {
  if (!active_.is_member(attribute)) return not_set(attribute);
  out = field;
  return VQStatus::success;
}

template <typename T>
VQStatus VQTopoTypeRep::set(Attribute attribute, T& field, const T& value) {
  field = value;
  active_.add(attribute);
  return VQStatus::success;
}

VQStatus VQTopoTypeRep::get_dn(VQTopoTypeDn& dn) const { return get(VQTopoType::dn, dn_, dn); }

VQStatus VQTopoTypeRep::set_dn(const VQTopoTypeDn& dn) { return set(VQTopoType::dn, dn_, dn); }

VQStatus VQTopoTypeRep::get_base_type(std::string& type) const {
  return get(VQTopoType::base_type, base_type_, type);
}

VQStatus VQTopoTypeRep::set_base_type(const std::string& type) {
  return set(VQTopoType::base_type, base_type_, type);
}

VQStatus VQTopoTypeRep::get_all_base_types(VQList<std::string>& types) const {
  return get(VQTopoType::all_base_types, all_base_types_, types);
}

VQStatus VQTopoTypeRep::get_sub_types(VQList<std::string>& types) const {
  return get(VQTopoType::sub_types, sub_types_, types);
}

VQStatus VQTopoTypeRep::get_legal_children(VQList<std::string>& types) const {
  return get(VQTopoType::legal_children, legal_children_, types);
}

VQStatus VQTopoTypeRep::add_legal_child(const std::string& type) {
  if (!active_.is_member(VQTopoType::legal_children)) return not_set(VQTopoType::legal_children);
  legal_children_.append(type);
  return VQStatus::success;
}

VQStatus VQTopoTypeRep::get_layer_name(std::string& layer) const {
  return get(VQTopoType::layer_name, layer_name_, layer);
}

VQStatus VQTopoTypeRep::set_layer_name(const std::string& layer) {
  return set(VQTopoType::layer_name, layer_name_, layer);
}

VQStatus VQTopoTypeRep::get_draw_method(DrawMethod& method) const {
  return get(VQTopoType::draw_method, draw_method_, method);
}

VQStatus VQTopoTypeRep::set_draw_method(DrawMethod method) {
  return set(VQTopoType::draw_method, draw_method_, method);
}

VQStatus VQTopoTypeRep::get_user_data_attribute_names(VQList<std::string>& names) const {
  return get(VQTopoType::user_data_attribute_names, user_data_attribute_names_, names);
}

VQStatus VQTopoTypeRep::set_user_data_attribute_names(const VQList<std::string>& names) {
  user_data_attribute_names_.clear();
  for (const std::string& name : names) {
    std::string canonical;
    VQ_RETURN_IF_ERROR(vq_get_canonical_attribute_name(name, canonical));
    user_data_attribute_names_.append(std::move(canonical));
  }
  active_.add(VQTopoType::user_data_attribute_names);
  return VQStatus::success;
}

VQStatus VQTopoTypeRep::add_user_data_attribute_name(const std::string& name) {
  const bool active = active_.is_member(VQTopoType::user_data_attribute_names);
  if (active && user_data_attribute_names_.contains(name)) {
    return VQStatus(VQStatus::Code::already_exists, name);
  }
  std::string canonical;
  VQ_RETURN_IF_ERROR(vq_get_canonical_attribute_name(name, canonical));
  // An inactive list holds nothing that counts; the new name starts it afresh.
  if (!active) user_data_attribute_names_.clear();
  user_data_attribute_names_.append(std::move(canonical));
  active_.add(VQTopoType::user_data_attribute_names);
  return VQStatus::success;
}

VQStatus VQTopoTypeRep::remove_user_data_attribute_name(const std::string& name) {
  if (!active_.is_member(VQTopoType::user_data_attribute_names)) {
    return not_set(VQTopoType::user_data_attribute_names);
  }
  std::string canonical;
  VQ_RETURN_IF_ERROR(vq_get_canonical_attribute_name(name, canonical));
  if (!user_data_attribute_names_.remove(canonical)) {
    return VQStatus(VQStatus::Code::does_not_exist, name);
  }
  return VQStatus::success;
}

bool VQTopoTypeRep::internal_compare_some_attributes(const VQTopoTypeRep& other,
                                                     const VQIntegerSet& attributes,
                                                     VQIntegerSet* differing) const {
  return table().compare(*this, active_, other, other.active_, attributes, differing);
}

bool VQTopoTypeRep::compare_all_attributes(const VQTopoTypeRep& other) const {
  return internal_compare_some_attributes(other, active_, nullptr);
}

bool VQTopoTypeRep::compare_some_attributes(const VQTopoTypeRep& other,
                                            const VQIntegerSet& attributes) const {
  return internal_compare_some_attributes(other, attributes, nullptr);
}

bool VQTopoTypeRep::diff_all_attributes(const VQTopoTypeRep& other, VQIntegerSet& differing) const {
  return internal_compare_some_attributes(other, get_valid_attributes(load), &differing);
}

bool VQTopoTypeRep::diff_some_attributes(const VQTopoTypeRep& other, const VQIntegerSet& attributes,
                                         VQIntegerSet& differing) const {
  return internal_compare_some_attributes(other, attributes, &differing);
}

const VQIntegerSet& VQTopoTypeRep::get_valid_attributes(VQObjectOperation operation) {
  return table().valid(operation);
}

const VQIntegerSet& VQTopoTypeRep::get_mandatory_attributes(VQObjectOperation operation) {
  static const VQIntegerSet sets[3] = {
      set_of({VQTopoType::dn}),
      set_of({VQTopoType::dn, VQTopoType::base_type, VQTopoType::layer_name}),
      set_of({VQTopoType::dn}),
  };
  return by_operation(sets, operation);
}

const std::string& VQTopoTypeRep::get_attribute_name(Attribute attribute) {
  return table().name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQTopoTypeRep& rep) {
  table().print(os, rep, rep.active_);
  return os;
}
