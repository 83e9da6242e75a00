#include "dedavuz_api/rpc_agent.h"

#include <ostream>

#include "dedavuz_api/rpc_agent_rep.h"

VQRpcAgent::VQRpcAgent(const VQRpcAgentDn& dn) : rep_(new VQRpcAgentRep(dn)) {
  VQObject::rep_ = rep_;
}

VQRpcAgent::VQRpcAgent(const VQRpcAgent& other) : VQObject(other) { *this = other; }

VQRpcAgent& VQRpcAgent::operator=(const VQRpcAgent& other) {
  if (this == &other) return *this;
  vq_internal::assign_rep(rep_, other.rep_);
  VQObject::rep_ = rep_;
  return *this;
}

VQRpcAgent::~VQRpcAgent() { delete rep_; }

VQStatus VQRpcAgent::get_dn(VQRpcAgentDn& dn) const { return rep_->get_dn(dn); }
VQStatus VQRpcAgent::set_dn(const VQRpcAgentDn& dn) { return rep_->set_dn(dn); }
VQStatus VQRpcAgent::get_operational_state(VQAgent::OperationalState& state) const {
  return rep_->get_operational_state(state);
}
VQStatus VQRpcAgent::get_administrative_state(VQAgent::AdministrativeState& state) const {
  return rep_->get_administrative_state(state);
}
VQStatus VQRpcAgent::set_administrative_state(const VQAgent::AdministrativeState& state) {
  return rep_->set_administrative_state(state);
}
VQStatus VQRpcAgent::get_get_community_string(std::string& community) const {
  return rep_->get_get_community_string(community);
}
VQStatus VQRpcAgent::set_get_community_string(const std::string& community) {
  return rep_->set_get_community_string(community);
}
VQStatus VQRpcAgent::get_set_community_string(std::string& community) const {
  return rep_->get_set_community_string(community);
}
VQStatus VQRpcAgent::set_set_community_string(const std::string& community) {
  return rep_->set_set_community_string(community);
}
VQStatus VQRpcAgent::get_schemas(VQList<Schema>& schemas) const {
  return rep_->get_schemas(schemas);
}
VQStatus VQRpcAgent::set_schemas(const VQList<Schema>& schemas) {
  return rep_->set_schemas(schemas);
}
VQStatus VQRpcAgent::add_schema(const Schema& schema) { return rep_->add_schema(schema); }
VQStatus VQRpcAgent::remove_schema(const Schema& schema) { return rep_->remove_schema(schema); }
bool VQRpcAgent::operator==(const VQRpcAgent& other) const { return *rep_ == *other.rep_; }

bool VQRpcAgent::operator!=(const VQRpcAgent& other) const { return *rep_ != *other.rep_; }

bool VQRpcAgent::compare_all_attributes(const VQRpcAgent& other) const {
  return rep_->compare_all_attributes(*other.rep_);
}

bool VQRpcAgent::compare_some_attributes(const VQRpcAgent& other,
                                         const VQIntegerSet& attributes) const {
  return rep_->compare_some_attributes(*other.rep_, attributes);
}

bool VQRpcAgent::diff_all_attributes(const VQRpcAgent& other, VQIntegerSet& differing) const {
  return rep_->diff_all_attributes(*other.rep_, differing);
}

bool VQRpcAgent::diff_some_attributes(const VQRpcAgent& other, const VQIntegerSet& attributes,
                                      VQIntegerSet& differing) const {
  return rep_->diff_some_attributes(*other.rep_, attributes, differing);
}

const VQIntegerSet& VQRpcAgent::get_valid_attributes(VQObjectOperation operation) {
  return VQRpcAgentRep::get_valid_attributes(operation);
}

const VQIntegerSet& VQRpcAgent::get_mandatory_attributes(VQObjectOperation operation) {
  return VQRpcAgentRep::get_mandatory_attributes(operation);
}

const std::string& VQRpcAgent::get_attribute_name(Attribute attribute) {
  return VQRpcAgentRep::get_attribute_name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQRpcAgent& agent) { return os << *agent.rep_; }

std::ostream& operator<<(std::ostream& os, const VQRpcAgent::Schema& schema) {
  return os << "name: " << schema.name << " proxy_hostname: " << schema.proxy_hostname;
}
