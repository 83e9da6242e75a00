#include "dedavuz_api/topo_node.h"

#include <ostream>
#include <utility>

#include "dedavuz_api/topo_node_rep.h"

VQTopoNode::VQTopoNode() : rep_(new VQTopoNodeRep) { VQObject::rep_ = rep_; }

VQTopoNode::VQTopoNode(const VQTopoNodeDn& dn) : rep_(new VQTopoNodeRep(dn)) {
  VQObject::rep_ = rep_;
}

VQTopoNode::VQTopoNode(const VQTopoNode& other) : VQObject(other) { *this = other; }

VQTopoNode& VQTopoNode::operator=(const VQTopoNode& other) {
  if (this == &other) return *this;
  vq_internal::assign_rep(rep_, other.rep_);
  VQObject::rep_ = rep_;
  return *this;
}

VQTopoNode::VQTopoNode(VQTopoNode&& other) noexcept : VQObject(other), rep_(other.rep_) {
  VQObject::rep_ = rep_;
  other.rep_ = nullptr;
  other.VQObject::rep_ = nullptr;
}

VQTopoNode& VQTopoNode::operator=(VQTopoNode&& other) noexcept {
  std::swap(rep_, other.rep_);
  VQObject::rep_ = rep_;
  other.VQObject::rep_ = other.rep_;
  return *this;
}

VQTopoNode::~VQTopoNode() { delete rep_; }

// The accessors forward to the representation.
#define VQ_NODE_GET(attribute, T) \
  VQStatus VQTopoNode::get_##attribute(T& value) const { return rep_->get_##attribute(value); }
#define VQ_NODE_SET(attribute, T) \
  VQStatus VQTopoNode::set_##attribute(VQNodeIn<T> value) { return rep_->set_##attribute(value); }
#define VQ_NODE_DN_LIST(attribute, one)                                                  \
  VQ_NODE_GET_SET(attribute, DnList)                                                     \
  VQStatus VQTopoNode::add_##one(const VQTopoNodeDn& dn) { return rep_->add_##one(dn); } \
  VQStatus VQTopoNode::remove_##one(const VQTopoNodeDn& dn) { return rep_->remove_##one(dn); }
#define VQ_NODE_CALL(function, parameters, arguments, ...) \
  VQStatus VQTopoNode::function parameters __VA_ARGS__ { return rep_->function arguments; }
#include "node/topo_node_accessors.def"

bool VQTopoNode::operator==(const VQTopoNode& other) const { return *rep_ == *other.rep_; }

bool VQTopoNode::operator!=(const VQTopoNode& other) const { return *rep_ != *other.rep_; }

bool VQTopoNode::compare_all_attributes(const VQTopoNode& other) const {
  return rep_->compare_all_attributes(*other.rep_);
}

bool VQTopoNode::compare_some_attributes(const VQTopoNode& other,
                                         const VQIntegerSet& attributes) const {
  return rep_->compare_some_attributes(*other.rep_, attributes);
}

bool VQTopoNode::diff_all_attributes(const VQTopoNode& other, VQIntegerSet& differing) const {
  return rep_->diff_all_attributes(*other.rep_, differing);
}

bool VQTopoNode::diff_some_attributes(const VQTopoNode& other, const VQIntegerSet& attributes,
                                      VQIntegerSet& differing) const {
  return rep_->diff_some_attributes(*other.rep_, attributes, differing);
}

const std::string& VQTopoNode::get_attribute_name(Attribute attribute) {
  return VQTopoNodeRep::get_attribute_name(attribute);
}

const VQIntegerSet& VQTopoNode::get_valid_attributes(VQObjectOperation operation,
                                                     AttributeType type) {
  return VQTopoNodeRep::get_valid_attributes(operation, type);
}

const VQIntegerSet& VQTopoNode::get_mandatory_attributes(VQObjectOperation operation) {
  return VQTopoNodeRep::get_mandatory_attributes(operation);
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode& node) { return os << *node.rep_; }
