#include "dedavuz_api/topo_type_rep.h"

#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <string_view>
#include <utility>

#include "core/compare_walk.h"
#include "core/entry_label.h"
#include "dedavuz_api/mit_names.h"

namespace {

constexpr int kCount = VQTopoType::attribute_count;

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

VQStatus not_built(const char* operation) {
  return VQStatus(VQStatus::Code::not_implemented, std::string("VQTopoType::") + operation);
}


}  // namespace

VQTopoTypeRep::VQTopoTypeRep() : active_(kCount) {}

VQTopoTypeRep::VQTopoTypeRep(const VQTopoTypeDn& dn) : dn_(dn), active_(kCount) {
  active_.add(VQTopoType::dn);
}

bool VQTopoTypeRep::exists() const { return false; }

VQStatus VQTopoTypeRep::create_with_all_attributes() {
  return create_with_some_attributes(active_ & get_valid_attributes(create));
}

VQStatus VQTopoTypeRep::create_with_some_attributes(const VQIntegerSet&) {
  return not_built("create_with_some_attributes");
}

VQStatus VQTopoTypeRep::destroy() { return not_built("destroy"); }

VQStatus VQTopoTypeRep::load_all_attributes() {
  return load_some_attributes(get_valid_attributes(load));
}

VQStatus VQTopoTypeRep::load_some_attributes(const VQIntegerSet&) {
  return not_built("load_some_attributes");
}

VQStatus VQTopoTypeRep::store_all_attributes() {
  return store_some_attributes(active_ & get_valid_attributes(store));
}

VQStatus VQTopoTypeRep::store_some_attributes(const VQIntegerSet&) {
  return not_built("store_some_attributes");
}

VQStatus VQTopoTypeRep::load_all_defaults() {
  return load_some_defaults(get_valid_attributes(load));
}

VQStatus VQTopoTypeRep::load_some_defaults(const VQIntegerSet&) { return VQStatus::success; }

void VQTopoTypeRep::get_active_attributes(VQIntegerSet& attributes) const { attributes = active_; }

void VQTopoTypeRep::clear_all_attributes() { active_ = false; }

void VQTopoTypeRep::clear_some_attributes(const VQIntegerSet& attributes) {
  active_ &= !attributes;
}

VQStatus VQTopoTypeRep::not_set(Attribute attribute) {
  return VQStatus(VQStatus::Code::attribute_not_set,
                  "VQTopoType::" + get_attribute_name(attribute));
}

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

bool VQTopoTypeRep::differs(const VQTopoTypeRep& other, long attribute) const {
  const bool mine = active_.is_member(attribute);
  if (mine != other.active_.is_member(attribute)) return true;
  if (!mine) return false;
  switch (attribute) {
    case VQTopoType::dn:
      return dn_ != other.dn_;
    case VQTopoType::base_type:
      return base_type_ != other.base_type_;
    case VQTopoType::all_base_types:
      return all_base_types_ != other.all_base_types_;
    case VQTopoType::sub_types:
      return sub_types_ != other.sub_types_;
    case VQTopoType::legal_children:
      return legal_children_ != other.legal_children_;
    case VQTopoType::draw_method:
      return draw_method_ != other.draw_method_;
    case VQTopoType::user_data_attribute_names:
      return user_data_attribute_names_ != other.user_data_attribute_names_;
    default:
      // The layer is a display preference and takes no part.
      return false;
  }
}

bool VQTopoTypeRep::internal_compare_some_attributes(const VQTopoTypeRep& other,
                                                     const VQIntegerSet& attributes,
                                                     VQIntegerSet* differing) const {
  return vq_compare_walk(attributes, differing,
                         [&](long attribute) { return differs(other, attribute); });
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
  // All base types and sub types are the server's to compute; the name and base type are
  // fixed at creation.
  static const VQIntegerSet sets[3] = {
      VQIntegerSet(kCount, true),
      set_of({VQTopoType::dn, VQTopoType::base_type, VQTopoType::legal_children,
              VQTopoType::layer_name, VQTopoType::draw_method,
              VQTopoType::user_data_attribute_names}),
      set_of({VQTopoType::legal_children, VQTopoType::layer_name, VQTopoType::draw_method,
              VQTopoType::user_data_attribute_names}),
  };
  return by_operation(sets, operation);
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
  static const std::string names[kCount + 1] = {
      "dn",
      "base_type",
      "all_base_types",
      "sub_types",
      "legal_children",
      "layer_name",
      "draw_method",
      "user_data_attribute_names",
      "Unknown",
  };
  const int index = static_cast<int>(attribute);
  return names[index >= 0 && index < kCount ? index : kCount];
}

std::ostream& operator<<(std::ostream& os, const VQTopoTypeRep& rep) {
  // Two list labels carry no ": ".
  static const char* const labels[kCount] = {
      "dn: ",
      "base_type: \"",
      "all_base_types",
      "sub_types",
      "legal_children: ",
      "layer_name: \"",
      "draw_method: \"",
      "user_data_attribute_names: ",
  };
  for (int n = 0; n < kCount; ++n) {
    if (!rep.active_.is_member(n)) continue;
    const std::string label = vq_entry_label(labels[n]);
    switch (n) {
      case VQTopoType::dn:
        os << label << rep.dn_ << '\n';
        break;
      case VQTopoType::base_type:
        os << label << rep.base_type_ << "\"\n";
        break;
      case VQTopoType::all_base_types:
        rep.all_base_types_.print(os, label);
        break;
      case VQTopoType::sub_types:
        rep.sub_types_.print(os, label);
        break;
      case VQTopoType::legal_children:
        rep.legal_children_.print(os, label);
        break;
      case VQTopoType::layer_name:
        os << label << rep.layer_name_ << "\"\n";
        break;
      case VQTopoType::draw_method:
        os << label << rep.draw_method_ << "\"\n";
        break;
      default:
        rep.user_data_attribute_names_.print(os, label);
        break;
    }
  }
  return os;
}
