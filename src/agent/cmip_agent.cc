#include "dedavuz_api/cmip_agent.h"

#include <ostream>

#include "dedavuz_api/cmip_agent_rep.h"

VQCmipAgent::VQCmipAgent(const VQCmipAgentDn& dn) : rep_(new VQCmipAgentRep(dn)) {
  VQObject::rep_ = rep_;
}

VQCmipAgent::VQCmipAgent(const VQCmipAgent& other) : VQObject(other) { *this = other; }

VQCmipAgent& VQCmipAgent::operator=(const VQCmipAgent& other) {
  if (this == &other) return *this;
  vq_internal::assign_rep(rep_, other.rep_);
  VQObject::rep_ = rep_;
  return *this;
}

VQCmipAgent::~VQCmipAgent() { delete rep_; }

VQStatus VQCmipAgent::get_dn(VQCmipAgentDn& dn) const { return rep_->get_dn(dn); }

VQStatus VQCmipAgent::set_dn(const VQCmipAgentDn& dn) { return rep_->set_dn(dn); }

VQStatus VQCmipAgent::get_mpa_address_info(std::string& hostname, int& port,
                                           bool& no_address) const {
  return rep_->get_mpa_address_info(hostname, port, no_address);
}

VQStatus VQCmipAgent::set_mpa_address_info(const std::string& hostname, int port, bool no_address) {
  return rep_->set_mpa_address_info(hostname, port, no_address);
}

VQStatus VQCmipAgent::get_operational_state(VQAgent::OperationalState& state) const {
  return rep_->get_operational_state(state);
}

VQStatus VQCmipAgent::get_administrative_state(VQAgent::AdministrativeState& state) const {
  return rep_->get_administrative_state(state);
}

VQStatus VQCmipAgent::set_administrative_state(const VQAgent::AdministrativeState& state) {
  return rep_->set_administrative_state(state);
}

VQStatus VQCmipAgent::get_managed_objects(VQList<std::string>& objects) const {
  return rep_->get_managed_objects(objects);
}

VQStatus VQCmipAgent::set_managed_objects(const VQList<std::string>& objects) {
  return rep_->set_managed_objects(objects);
}

VQStatus VQCmipAgent::add_managed_object(const std::string& object) {
  return rep_->add_managed_object(object);
}

VQStatus VQCmipAgent::remove_managed_object(const std::string& object) {
  return rep_->remove_managed_object(object);
}

VQStatus VQCmipAgent::get_agent_address_info(std::string& info) const {
  return rep_->get_agent_address_info(info);
}

VQStatus VQCmipAgent::set_agent_address_info(const std::string& info) {
  return rep_->set_agent_address_info(info);
}

VQStatus VQCmipAgent::get_agent_address_tag(int& tag) const {
  return rep_->get_agent_address_tag(tag);
}

VQStatus VQCmipAgent::set_agent_address_tag(int tag) { return rep_->set_agent_address_tag(tag); }

VQStatus VQCmipAgent::get_application_entity_title(std::string& title) const {
  return rep_->get_application_entity_title(title);
}

VQStatus VQCmipAgent::set_application_entity_title(const std::string& title) {
  return rep_->set_application_entity_title(title);
}

VQStatus VQCmipAgent::get_presentation_selector(std::string& selector) const {
  return rep_->get_presentation_selector(selector);
}

VQStatus VQCmipAgent::set_presentation_selector(const std::string& selector) {
  return rep_->set_presentation_selector(selector);
}

VQStatus VQCmipAgent::get_session_selector(std::string& selector) const {
  return rep_->get_session_selector(selector);
}

VQStatus VQCmipAgent::set_session_selector(const std::string& selector) {
  return rep_->set_session_selector(selector);
}

VQStatus VQCmipAgent::get_transport_selector(std::string& selector) const {
  return rep_->get_transport_selector(selector);
}

VQStatus VQCmipAgent::set_transport_selector(const std::string& selector) {
  return rep_->set_transport_selector(selector);
}

VQStatus VQCmipAgent::get_network_sap(std::string& sap) const { return rep_->get_network_sap(sap); }

VQStatus VQCmipAgent::set_network_sap(const std::string& sap) { return rep_->set_network_sap(sap); }

VQStatus VQCmipAgent::get_name_translation(std::string& flag) const {
  return rep_->get_name_translation(flag);
}

VQStatus VQCmipAgent::set_name_translation(const std::string& flag) {
  return rep_->set_name_translation(flag);
}

VQStatus VQCmipAgent::get_application_entity_qualifier(std::string& qualifier) const {
  return rep_->get_application_entity_qualifier(qualifier);
}

VQStatus VQCmipAgent::set_application_entity_qualifier(const std::string& qualifier) {
  return rep_->set_application_entity_qualifier(qualifier);
}

VQStatus VQCmipAgent::get_application_entity_invoke_id(int& id) const {
  return rep_->get_application_entity_invoke_id(id);
}

VQStatus VQCmipAgent::set_application_entity_invoke_id(int id) {
  return rep_->set_application_entity_invoke_id(id);
}

VQStatus VQCmipAgent::get_application_process_invoke_id(int& id) const {
  return rep_->get_application_process_invoke_id(id);
}

VQStatus VQCmipAgent::set_application_process_invoke_id(int id) {
  return rep_->set_application_process_invoke_id(id);
}

bool VQCmipAgent::operator==(const VQCmipAgent& other) const { return *rep_ == *other.rep_; }

bool VQCmipAgent::operator!=(const VQCmipAgent& other) const { return *rep_ != *other.rep_; }

bool VQCmipAgent::compare_all_attributes(const VQCmipAgent& other) const {
  return rep_->compare_all_attributes(*other.rep_);
}

bool VQCmipAgent::compare_some_attributes(const VQCmipAgent& other,
                                          const VQIntegerSet& attributes) const {
  return rep_->compare_some_attributes(*other.rep_, attributes);
}

bool VQCmipAgent::diff_all_attributes(const VQCmipAgent& other, VQIntegerSet& differing) const {
  return rep_->diff_all_attributes(*other.rep_, differing);
}

bool VQCmipAgent::diff_some_attributes(const VQCmipAgent& other, const VQIntegerSet& attributes,
                                       VQIntegerSet& differing) const {
  return rep_->diff_some_attributes(*other.rep_, attributes, differing);
}

const VQIntegerSet& VQCmipAgent::get_valid_attributes(VQObjectOperation operation) {
  return VQCmipAgentRep::get_valid_attributes(operation);
}

const VQIntegerSet& VQCmipAgent::get_mandatory_attributes(VQObjectOperation operation) {
  return VQCmipAgentRep::get_mandatory_attributes(operation);
}

const std::string& VQCmipAgent::get_attribute_name(Attribute attribute) {
  return VQCmipAgentRep::get_attribute_name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQCmipAgent& agent) { return os << *agent.rep_; }
