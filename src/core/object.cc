#include "dedavuz_api/object.h"

VQObject::~VQObject() = default;

bool VQObject::exists() const { return rep_->exists(); }

VQStatus VQObject::create_with_all_attributes() { return rep_->create_with_all_attributes(); }

VQStatus VQObject::create_with_some_attributes(const VQIntegerSet& attributes) {
  return rep_->create_with_some_attributes(attributes);
}

VQStatus VQObject::destroy() { return rep_->destroy(); }

VQStatus VQObject::load_all_attributes() { return rep_->load_all_attributes(); }

VQStatus VQObject::load_some_attributes(const VQIntegerSet& attributes) {
  return rep_->load_some_attributes(attributes);
}

VQStatus VQObject::store_all_attributes() { return rep_->store_all_attributes(); }

VQStatus VQObject::store_some_attributes(const VQIntegerSet& attributes) {
  return rep_->store_some_attributes(attributes);
}

void VQObject::get_active_attributes(VQIntegerSet& attributes) const {
  rep_->get_active_attributes(attributes);
}

void VQObject::clear_all_attributes() { rep_->clear_all_attributes(); }

void VQObject::clear_some_attributes(const VQIntegerSet& attributes) {
  rep_->clear_some_attributes(attributes);
}
