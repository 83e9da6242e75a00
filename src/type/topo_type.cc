#include "dedavuz_api/topo_type.h"

#include <cstdint>
#include <iterator>
#include <ostream>

#include "dedavuz_api/topo_type_rep.h"

VQTopoType::VQTopoType() : rep_(new VQTopoTypeRep) { VQObject::rep_ = rep_; }

VQTopoType::VQTopoType(const VQTopoTypeDn& dn) : rep_(new VQTopoTypeRep(dn)) {
  VQObject::rep_ = rep_;
}

VQTopoType::VQTopoType(const VQTopoType& other) : VQObject(other) { *this = other; }

VQTopoType& VQTopoType::operator=(const VQTopoType& other) {
  if (this == &other) return *this;
  vq_internal::assign_rep(rep_, other.rep_);
  VQObject::rep_ = rep_;
  return *this;
}

VQTopoType::~VQTopoType() { delete rep_; }

VQStatus VQTopoType::get_dn(VQTopoTypeDn& dn) const { return rep_->get_dn(dn); }
VQStatus VQTopoType::set_dn(const VQTopoTypeDn& dn) { return rep_->set_dn(dn); }

VQStatus VQTopoType::get_base_type(std::string& type) const { return rep_->get_base_type(type); }
VQStatus VQTopoType::set_base_type(const std::string& type) { return rep_->set_base_type(type); }

VQStatus VQTopoType::get_all_base_types(VQList<std::string>& types) const {
  return rep_->get_all_base_types(types);
}

VQStatus VQTopoType::get_sub_types(VQList<std::string>& types) const {
  return rep_->get_sub_types(types);
}

VQStatus VQTopoType::get_legal_children(VQList<std::string>& types) const {
  return rep_->get_legal_children(types);
}

VQStatus VQTopoType::add_legal_child(const std::string& type) {
  return rep_->add_legal_child(type);
}

VQStatus VQTopoType::get_layer_name(std::string& layer) const {
  return rep_->get_layer_name(layer);
}

VQStatus VQTopoType::set_layer_name(const std::string& layer) {
  return rep_->set_layer_name(layer);
}

VQStatus VQTopoType::get_draw_method(DrawMethod& method) const {
  return rep_->get_draw_method(method);
}

VQStatus VQTopoType::set_draw_method(DrawMethod method) { return rep_->set_draw_method(method); }

VQStatus VQTopoType::get_user_data_attribute_names(VQList<std::string>& names) const {
  return rep_->get_user_data_attribute_names(names);
}

VQStatus VQTopoType::set_user_data_attribute_names(const VQList<std::string>& names) {
  return rep_->set_user_data_attribute_names(names);
}

VQStatus VQTopoType::add_user_data_attribute_name(const std::string& name) {
  return rep_->add_user_data_attribute_name(name);
}

VQStatus VQTopoType::remove_user_data_attribute_name(const std::string& name) {
  return rep_->remove_user_data_attribute_name(name);
}

bool VQTopoType::operator==(const VQTopoType& other) const { return *rep_ == *other.rep_; }

bool VQTopoType::operator!=(const VQTopoType& other) const { return *rep_ != *other.rep_; }

bool VQTopoType::compare_all_attributes(const VQTopoType& other) const {
  return rep_->compare_all_attributes(*other.rep_);
}

bool VQTopoType::compare_some_attributes(const VQTopoType& other,
                                         const VQIntegerSet& attributes) const {
  return rep_->compare_some_attributes(*other.rep_, attributes);
}

bool VQTopoType::diff_all_attributes(const VQTopoType& other, VQIntegerSet& differing) const {
  return rep_->diff_all_attributes(*other.rep_, differing);
}

bool VQTopoType::diff_some_attributes(const VQTopoType& other, const VQIntegerSet& attributes,
                                      VQIntegerSet& differing) const {
  return rep_->diff_some_attributes(*other.rep_, attributes, differing);
}

const VQIntegerSet& VQTopoType::get_valid_attributes(VQObjectOperation operation) {
  return VQTopoTypeRep::get_valid_attributes(operation);
}

const VQIntegerSet& VQTopoType::get_mandatory_attributes(VQObjectOperation operation) {
  return VQTopoTypeRep::get_mandatory_attributes(operation);
}

const std::string& VQTopoType::get_attribute_name(Attribute attribute) {
  return VQTopoTypeRep::get_attribute_name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQTopoType& type) { return os << *type.rep_; }

std::ostream& operator<<(std::ostream& os, VQTopoType::DrawMethod method) {
  static const char* const names[] = {"circle", "square", "rectangle", "triangle",   "hexagon",
                                      "line",   "pie",    "hexagon60", "hexagon120", "omnisector"};
  const auto index = static_cast<std::int32_t>(method);
  if (index < 0 || index >= static_cast<std::int32_t>(std::size(names))) return os << index;
  return os << names[index];
}
