#include "dedavuz_api/snmp_agent.h"

#include <cstddef>
#include <ostream>

#include "dedavuz_api/snmp_agent_rep.h"

VQSnmpAgent::VQSnmpAgent(const VQSnmpAgentDn& dn) : rep_(new VQSnmpAgentRep(dn)) {
  VQObject::rep_ = rep_;
}

VQSnmpAgent::VQSnmpAgent(const VQSnmpAgent& other) : VQObject(other) { *this = other; }

VQSnmpAgent& VQSnmpAgent::operator=(const VQSnmpAgent& other) {
  if (this == &other) return *this;
  vq_internal::assign_rep(rep_, other.rep_);
  VQObject::rep_ = rep_;
  return *this;
}

VQSnmpAgent::~VQSnmpAgent() { delete rep_; }

VQStatus VQSnmpAgent::get_dn(VQSnmpAgentDn& dn) const { return rep_->get_dn(dn); }
VQStatus VQSnmpAgent::set_dn(const VQSnmpAgentDn& dn) { return rep_->set_dn(dn); }
VQStatus VQSnmpAgent::get_operational_state(VQAgent::OperationalState& state) const {
  return rep_->get_operational_state(state);
}
VQStatus VQSnmpAgent::get_administrative_state(VQAgent::AdministrativeState& state) const {
  return rep_->get_administrative_state(state);
}
VQStatus VQSnmpAgent::set_administrative_state(const VQAgent::AdministrativeState& state) {
  return rep_->set_administrative_state(state);
}
VQStatus VQSnmpAgent::get_system_title(std::string& title) const {
  return rep_->get_system_title(title);
}
VQStatus VQSnmpAgent::set_system_title(const std::string& title) {
  return rep_->set_system_title(title);
}
VQStatus VQSnmpAgent::get_get_community_string(std::string& community) const {
  return rep_->get_get_community_string(community);
}
VQStatus VQSnmpAgent::set_get_community_string(const std::string& community) {
  return rep_->set_get_community_string(community);
}
VQStatus VQSnmpAgent::get_set_community_string(std::string& community) const {
  return rep_->get_set_community_string(community);
}
VQStatus VQSnmpAgent::set_set_community_string(const std::string& community) {
  return rep_->set_set_community_string(community);
}
VQStatus VQSnmpAgent::get_transport_address(std::string& address) const {
  return rep_->get_transport_address(address);
}
VQStatus VQSnmpAgent::set_transport_address(const std::string& address) {
  return rep_->set_transport_address(address);
}
VQStatus VQSnmpAgent::get_supported_mibs(VQList<std::string>& mibs) const {
  return rep_->get_supported_mibs(mibs);
}
VQStatus VQSnmpAgent::set_supported_mibs(const VQList<std::string>& mibs) {
  return rep_->set_supported_mibs(mibs);
}
VQStatus VQSnmpAgent::add_supported_mib(const std::string& mib) {
  return rep_->add_supported_mib(mib);
}
VQStatus VQSnmpAgent::remove_supported_mib(const std::string& mib) {
  return rep_->remove_supported_mib(mib);
}
VQStatus VQSnmpAgent::get_management_protocol(ManagementProtocol& protocol) const {
  return rep_->get_management_protocol(protocol);
}
VQStatus VQSnmpAgent::set_management_protocol(ManagementProtocol protocol) {
  return rep_->set_management_protocol(protocol);
}
VQStatus VQSnmpAgent::get_access_control_enforcement(AccessControlEnforcement& enforcement) const {
  return rep_->get_access_control_enforcement(enforcement);
}
VQStatus VQSnmpAgent::set_access_control_enforcement(AccessControlEnforcement enforcement) {
  return rep_->set_access_control_enforcement(enforcement);
}
VQStatus VQSnmpAgent::get_access_control_mechanism(AccessControlMechanism& mechanism) const {
  return rep_->get_access_control_mechanism(mechanism);
}
VQStatus VQSnmpAgent::set_access_control_mechanism(AccessControlMechanism mechanism) {
  return rep_->set_access_control_mechanism(mechanism);
}
bool VQSnmpAgent::operator==(const VQSnmpAgent& other) const { return *rep_ == *other.rep_; }

bool VQSnmpAgent::operator!=(const VQSnmpAgent& other) const { return *rep_ != *other.rep_; }

bool VQSnmpAgent::compare_all_attributes(const VQSnmpAgent& other) const {
  return rep_->compare_all_attributes(*other.rep_);
}

bool VQSnmpAgent::compare_some_attributes(const VQSnmpAgent& other,
                                          const VQIntegerSet& attributes) const {
  return rep_->compare_some_attributes(*other.rep_, attributes);
}

bool VQSnmpAgent::diff_all_attributes(const VQSnmpAgent& other, VQIntegerSet& differing) const {
  return rep_->diff_all_attributes(*other.rep_, differing);
}

bool VQSnmpAgent::diff_some_attributes(const VQSnmpAgent& other, const VQIntegerSet& attributes,
                                       VQIntegerSet& differing) const {
  return rep_->diff_some_attributes(*other.rep_, attributes, differing);
}

const VQIntegerSet& VQSnmpAgent::get_valid_attributes(VQObjectOperation operation) {
  return VQSnmpAgentRep::get_valid_attributes(operation);
}

const VQIntegerSet& VQSnmpAgent::get_mandatory_attributes(VQObjectOperation operation) {
  return VQSnmpAgentRep::get_mandatory_attributes(operation);
}

const std::string& VQSnmpAgent::get_attribute_name(Attribute attribute) {
  return VQSnmpAgentRep::get_attribute_name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQSnmpAgent& agent) { return os << *agent.rep_; }

namespace {

template <std::size_t N>
std::ostream& print_named(std::ostream& os, const char* const (&names)[N], int first, int value) {
  const int index = value - first;
  if (index < 0 || index >= static_cast<int>(N)) return os << value;
  return os << names[index];
}

}  // namespace

std::ostream& operator<<(std::ostream& os, VQSnmpAgent::ManagementProtocol protocol) {
  static const char* const kNames[] = {"snmp_v1", "snmp_v2"};
  return print_named(os, kNames, 0, protocol);
}

std::ostream& operator<<(std::ostream& os, VQSnmpAgent::AccessControlEnforcement enforcement) {
  static const char* const kNames[] = {"agent", "proxy", "both"};
  return print_named(os, kNames, 1, enforcement);
}

std::ostream& operator<<(std::ostream& os, VQSnmpAgent::AccessControlMechanism mechanism) {
  static const char* const kNames[] = {"no_access_control", "internet", "iso"};
  return print_named(os, kNames, 0, mechanism);
}
