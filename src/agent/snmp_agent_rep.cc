#include "dedavuz_api/snmp_agent_rep.h"

#include <cstdio>
#include <ostream>
#include <string>

#include "agent/agent_server.h"
#include "agent/snmp_agent_rep_access.h"

namespace {

using Agent = VQSnmpAgent;
constexpr int kCount = Agent::attribute_count;

const VQAttributeTable<VQSnmpAgentRep>& table() { return VQSnmpAgentRepAccess::table(); }

}  // namespace

VQSnmpAgentRep::TransportAddress::TransportAddress(const std::string& text) {
  unsigned port = 161;
  const bool with_port = text.find(':') != std::string::npos;
  const int read = with_port ? std::sscanf(text.c_str(), "%u . %u . %u . %u : %u", &parts_[0],
                                           &parts_[1], &parts_[2], &parts_[3], &port)
                             : std::sscanf(text.c_str(), "%u . %u . %u . %u", &parts_[0],
                                           &parts_[1], &parts_[2], &parts_[3]);
  null_ = read != (with_port ? 5 : 4);
  port_ = static_cast<unsigned short>(port);
}

std::string VQSnmpAgentRep::TransportAddress::ascii_format() const {
  return std::to_string(parts_[0]) + "." + std::to_string(parts_[1]) + "." +
         std::to_string(parts_[2]) + "." + std::to_string(parts_[3]) + ":" + std::to_string(port_);
}

bool VQSnmpAgentRep::TransportAddress::operator==(const TransportAddress& other) const {
  if (null_ != other.null_) return false;
  if (null_) return true;
  for (int i = 0; i < 4; ++i) {
    if (parts_[i] != other.parts_[i]) return false;
  }
  return port_ == other.port_;
}

VQSnmpAgentRep::VQSnmpAgentRep(const VQSnmpAgentDn& dn) : dn_(dn), active_(kCount) {
  active_.add(Agent::dn);
}

VQStatus VQSnmpAgentRep::create_with_all_attributes() {
  return create_with_some_attributes(active_ & get_valid_attributes(create));
}

VQStatus VQSnmpAgentRep::load_all_attributes() {
  return load_some_attributes(get_valid_attributes(load));
}

VQStatus VQSnmpAgentRep::store_all_attributes() {
  return store_some_attributes(active_ & get_valid_attributes(store));
}

VQStatus VQSnmpAgentRep::load_all_defaults() {
  return load_some_defaults(get_valid_attributes(load));
}

VQStatus VQSnmpAgentRep::load_some_defaults(const VQIntegerSet&) { return VQStatus::success; }

void VQSnmpAgentRep::get_active_attributes(VQIntegerSet& attributes) const { attributes = active_; }

void VQSnmpAgentRep::clear_all_attributes() { active_ = false; }

void VQSnmpAgentRep::clear_some_attributes(const VQIntegerSet& attributes) {
  VQIntegerSetIterator it(attributes);
  while (it.next()) active_.remove(it.member());
}

template <typename T>
VQStatus VQSnmpAgentRep::get(Attribute attribute, const T& field, T& out) const {
  if (!active_.is_member(attribute)) return table().not_set(attribute);
  out = field;
  return VQStatus::success;
}

template <typename T>
VQStatus VQSnmpAgentRep::set(Attribute attribute, T& field, const T& value) {
  field = value;
  active_.add(attribute);
  return VQStatus::success;
}

VQStatus VQSnmpAgentRep::get_dn(VQSnmpAgentDn& dn) const { return get(Agent::dn, dn_, dn); }

VQStatus VQSnmpAgentRep::set_dn(const VQSnmpAgentDn& dn) { return set(Agent::dn, dn_, dn); }

VQStatus VQSnmpAgentRep::get_operational_state(VQAgent::OperationalState& state) const {
  return get(Agent::operational_state, operational_state_, state);
}

VQStatus VQSnmpAgentRep::get_administrative_state(VQAgent::AdministrativeState& state) const {
  return get(Agent::administrative_state, administrative_state_, state);
}

VQStatus VQSnmpAgentRep::set_administrative_state(const VQAgent::AdministrativeState& state) {
  return set(Agent::administrative_state, administrative_state_, state);
}

VQStatus VQSnmpAgentRep::get_transport_address(std::string& address) const {
  if (!active_.is_member(Agent::transport_address)) {
    return table().not_set(Agent::transport_address);
  }
  address = transport_address_.ascii_format();
  return VQStatus::success;
}

VQStatus VQSnmpAgentRep::set_transport_address(const std::string& address) {
  transport_address_ = TransportAddress(address);
  if (transport_address_.is_null()) {
    return VQStatus(VQStatus::Code::invalid_argument, table().qualified(Agent::transport_address));
  }
  active_.add(Agent::transport_address);
  return VQStatus::success;
}

VQStatus VQSnmpAgentRep::get_supported_mibs(VQList<std::string>& mibs) const {
  return get(Agent::supported_mibs, supported_mibs_, mibs);
}

VQStatus VQSnmpAgentRep::set_supported_mibs(const VQList<std::string>& mibs) {
  return set(Agent::supported_mibs, supported_mibs_, mibs);
}

VQStatus VQSnmpAgentRep::add_supported_mib(const std::string& mib) {
  if (!active_.is_member(Agent::supported_mibs)) {
    // An inactive list holds nothing that counts; the new MIB starts it afresh.
    supported_mibs_.clear();
    active_.add(Agent::supported_mibs);
  } else if (supported_mibs_.contains(mib)) {
    return VQStatus(VQStatus::Code::already_exists, mib);
  }
  supported_mibs_.append(mib);
  return VQStatus::success;
}

VQStatus VQSnmpAgentRep::remove_supported_mib(const std::string& mib) {
  if (!active_.is_member(Agent::supported_mibs)) return table().not_set(Agent::supported_mibs);
  if (supported_mibs_.remove_all(mib) == 0) return VQStatus(VQStatus::Code::does_not_exist, mib);
  return VQStatus::success;
}

VQStatus VQSnmpAgentRep::get_system_title(std::string& title) const {
  return get(VQSnmpAgent::system_title, system_title_, title);
}

VQStatus VQSnmpAgentRep::set_system_title(const std::string& title) {
  return set(VQSnmpAgent::system_title, system_title_, title);
}

VQStatus VQSnmpAgentRep::get_get_community_string(std::string& community) const {
  return get(VQSnmpAgent::get_community_string, get_community_string_, community);
}

VQStatus VQSnmpAgentRep::set_get_community_string(const std::string& community) {
  return set(VQSnmpAgent::get_community_string, get_community_string_, community);
}

VQStatus VQSnmpAgentRep::get_set_community_string(std::string& community) const {
  return get(VQSnmpAgent::set_community_string, set_community_string_, community);
}

VQStatus VQSnmpAgentRep::set_set_community_string(const std::string& community) {
  return set(VQSnmpAgent::set_community_string, set_community_string_, community);
}

VQStatus VQSnmpAgentRep::get_management_protocol(VQSnmpAgent::ManagementProtocol& protocol) const {
  return get(VQSnmpAgent::management_protocol, management_protocol_, protocol);
}

VQStatus VQSnmpAgentRep::set_management_protocol(VQSnmpAgent::ManagementProtocol protocol) {
  return set(VQSnmpAgent::management_protocol, management_protocol_, protocol);
}

VQStatus VQSnmpAgentRep::get_access_control_enforcement(
    VQSnmpAgent::AccessControlEnforcement& enforcement) const {
  return get(VQSnmpAgent::access_control_enforcement, access_control_enforcement_, enforcement);
}

VQStatus VQSnmpAgentRep::set_access_control_enforcement(
    VQSnmpAgent::AccessControlEnforcement enforcement) {
  return set(VQSnmpAgent::access_control_enforcement, access_control_enforcement_, enforcement);
}

VQStatus VQSnmpAgentRep::get_access_control_mechanism(
    VQSnmpAgent::AccessControlMechanism& mechanism) const {
  return get(VQSnmpAgent::access_control_mechanism, access_control_mechanism_, mechanism);
}

VQStatus VQSnmpAgentRep::set_access_control_mechanism(
    VQSnmpAgent::AccessControlMechanism mechanism) {
  return set(VQSnmpAgent::access_control_mechanism, access_control_mechanism_, mechanism);
}

bool VQSnmpAgentRep::compare_all_attributes(const VQSnmpAgentRep& other) const {
  return table().compare(*this, active_, other, other.active_, active_, nullptr);
}

bool VQSnmpAgentRep::compare_some_attributes(const VQSnmpAgentRep& other,
                                             const VQIntegerSet& attributes) const {
  return table().compare(*this, active_, other, other.active_, attributes, nullptr);
}

bool VQSnmpAgentRep::diff_all_attributes(const VQSnmpAgentRep& other,
                                         VQIntegerSet& differing) const {
  return diff_some_attributes(other, get_valid_attributes(load), differing);
}

bool VQSnmpAgentRep::diff_some_attributes(const VQSnmpAgentRep& other,
                                          const VQIntegerSet& attributes,
                                          VQIntegerSet& differing) const {
  return table().compare(*this, active_, other, other.active_, attributes, &differing);
}

const VQIntegerSet& VQSnmpAgentRep::get_valid_attributes(VQObjectOperation operation) {
  return table().valid(operation);
}

const VQIntegerSet& VQSnmpAgentRep::get_mandatory_attributes(VQObjectOperation operation) {
  static const VQIntegerSet none(kCount);
  static const VQIntegerSet sets[3] = {
      vq_set_of(kCount, {Agent::dn}),
      vq_set_of(kCount, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
      vq_set_of(kCount, {Agent::dn}),
  };
  return vq_by_operation(sets, operation, none);
}

const std::string& VQSnmpAgentRep::get_attribute_name(Attribute attribute) {
  return table().name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQSnmpAgentRep::TransportAddress& address) {
  if (address.is_null()) return os << "null";
  return os << address.ascii_format();
}

std::ostream& operator<<(std::ostream& os, const VQSnmpAgentRep& rep) {
  table().print(os, rep, rep.active_);
  return os;
}
