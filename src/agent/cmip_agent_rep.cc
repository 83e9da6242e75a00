#include "dedavuz_api/cmip_agent_rep.h"

#include <ostream>
#include <string>
#include <utility>

#include "agent/agent_server.h"
#include "agent/cmip_agent_rep_access.h"
#include "dedavuz_api/mit_names.h"

namespace {

using Agent = VQCmipAgent;
constexpr int kCount = Agent::attribute_count;

const VQAttributeTable<VQCmipAgentRep>& table() { return VQCmipAgentRepAccess::table(); }

}  // namespace

VQCmipAgentRep::VQCmipAgentRep(const VQCmipAgentDn& dn) : dn_(dn), active_(kCount) {
  active_.add(Agent::dn);
}

VQStatus VQCmipAgentRep::create_with_all_attributes() {
  return create_with_some_attributes(active_ & get_valid_attributes(create));
}

VQStatus VQCmipAgentRep::load_all_attributes() {
  return load_some_attributes(get_valid_attributes(load));
}

VQStatus VQCmipAgentRep::store_all_attributes() {
  return store_some_attributes(active_ & get_valid_attributes(store));
}

VQStatus VQCmipAgentRep::load_all_defaults() {
  return load_some_defaults(get_valid_attributes(load));
}

VQStatus VQCmipAgentRep::load_some_defaults(const VQIntegerSet&) { return VQStatus::success; }

void VQCmipAgentRep::get_active_attributes(VQIntegerSet& attributes) const { attributes = active_; }

void VQCmipAgentRep::clear_all_attributes() { active_ = false; }

void VQCmipAgentRep::clear_some_attributes(const VQIntegerSet& attributes) {
  VQIntegerSetIterator it(attributes);
  while (it.next()) active_.remove(it.member());
}

template <typename T>
VQStatus VQCmipAgentRep::get(Attribute attribute, const T& field, T& out) const {
  if (!active_.is_member(attribute)) return table().not_set(attribute);
  out = field;
  return VQStatus::success;
}

template <typename T>
VQStatus VQCmipAgentRep::set(Attribute attribute, T& field, const T& value) {
  field = value;
  active_.add(attribute);
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::get_dn(VQCmipAgentDn& dn) const { return get(Agent::dn, dn_, dn); }

VQStatus VQCmipAgentRep::set_dn(const VQCmipAgentDn& dn) { return set(Agent::dn, dn_, dn); }

VQStatus VQCmipAgentRep::get_mpa_address_info(std::string& hostname, int& port,
                                              bool& no_address) const {
  if (!active_.is_member(Agent::mpa_address_info)) return table().not_set(Agent::mpa_address_info);
  no_address = mpa_address_.no_address;
  if (!no_address) {
    hostname = mpa_address_.hostname;
    port = mpa_address_.port;
  }
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::set_mpa_address_info(const std::string& hostname, int port,
                                              bool no_address) {
  mpa_address_.no_address = no_address;
  if (!no_address) {
    mpa_address_.hostname = hostname;
    mpa_address_.port = port;
  }
  active_.add(Agent::mpa_address_info);
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::get_operational_state(VQAgent::OperationalState& state) const {
  return get(Agent::operational_state, operational_state_, state);
}

VQStatus VQCmipAgentRep::get_administrative_state(VQAgent::AdministrativeState& state) const {
  return get(Agent::administrative_state, administrative_state_, state);
}

VQStatus VQCmipAgentRep::set_administrative_state(const VQAgent::AdministrativeState& state) {
  return set(Agent::administrative_state, administrative_state_, state);
}

VQStatus VQCmipAgentRep::get_managed_objects(VQList<std::string>& objects) const {
  return get(Agent::managed_objects, managed_objects_, objects);
}

VQStatus VQCmipAgentRep::set_managed_objects(const VQList<std::string>& objects) {
  managed_objects_.clear();
  for (const std::string& object : objects) {
    std::string canonical;
    VQ_RETURN_IF_ERROR(vq_get_canonical_dn(object, canonical));
    managed_objects_.append(std::move(canonical));
  }
  active_.add(Agent::managed_objects);
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::add_managed_object(const std::string& object) {
  if (!active_.is_member(Agent::managed_objects)) {
    // An inactive list holds nothing that counts; the new object starts it afresh.
    managed_objects_.clear();
    active_.add(Agent::managed_objects);
  } else if (managed_objects_.contains(object)) {
    return VQStatus(VQStatus::Code::already_exists, object);
  }
  std::string canonical;
  VQ_RETURN_IF_ERROR(vq_get_canonical_dn(object, canonical));
  managed_objects_.append(std::move(canonical));
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::remove_managed_object(const std::string& object) {
  if (!active_.is_member(Agent::managed_objects)) return table().not_set(Agent::managed_objects);
  std::string canonical;
  VQ_RETURN_IF_ERROR(vq_get_canonical_dn(object, canonical));
  if (managed_objects_.remove_all(canonical) == 0) {
    return VQStatus(VQStatus::Code::does_not_exist, object);
  }
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::get_agent_address_info(std::string& info) const {
  return get(VQCmipAgent::agent_address_info, agent_address_info_, info);
}

VQStatus VQCmipAgentRep::set_agent_address_info(const std::string& info) {
  return set(VQCmipAgent::agent_address_info, agent_address_info_, info);
}

VQStatus VQCmipAgentRep::get_application_entity_title(std::string& title) const {
  return get(VQCmipAgent::application_entity_title, application_entity_title_, title);
}

VQStatus VQCmipAgentRep::set_application_entity_title(const std::string& title) {
  return set(VQCmipAgent::application_entity_title, application_entity_title_, title);
}

VQStatus VQCmipAgentRep::get_presentation_selector(std::string& selector) const {
  return get(VQCmipAgent::presentation_selector, presentation_selector_, selector);
}

VQStatus VQCmipAgentRep::set_presentation_selector(const std::string& selector) {
  return set(VQCmipAgent::presentation_selector, presentation_selector_, selector);
}

VQStatus VQCmipAgentRep::get_session_selector(std::string& selector) const {
  return get(VQCmipAgent::session_selector, session_selector_, selector);
}

VQStatus VQCmipAgentRep::set_session_selector(const std::string& selector) {
  return set(VQCmipAgent::session_selector, session_selector_, selector);
}

VQStatus VQCmipAgentRep::get_transport_selector(std::string& selector) const {
  return get(VQCmipAgent::transport_selector, transport_selector_, selector);
}

VQStatus VQCmipAgentRep::set_transport_selector(const std::string& selector) {
  return set(VQCmipAgent::transport_selector, transport_selector_, selector);
}

VQStatus VQCmipAgentRep::get_network_sap(std::string& sap) const {
  return get(VQCmipAgent::network_sap, network_sap_, sap);
}

VQStatus VQCmipAgentRep::set_network_sap(const std::string& sap) {
  return set(VQCmipAgent::network_sap, network_sap_, sap);
}

VQStatus VQCmipAgentRep::get_name_translation(std::string& flag) const {
  return get(VQCmipAgent::name_translation, name_translation_, flag);
}

VQStatus VQCmipAgentRep::set_name_translation(const std::string& flag) {
  return set(VQCmipAgent::name_translation, name_translation_, flag);
}

VQStatus VQCmipAgentRep::get_application_entity_qualifier(std::string& qualifier) const {
  return get(VQCmipAgent::application_entity_qualifier, application_entity_qualifier_, qualifier);
}

VQStatus VQCmipAgentRep::set_application_entity_qualifier(const std::string& qualifier) {
  return set(VQCmipAgent::application_entity_qualifier, application_entity_qualifier_, qualifier);
}

VQStatus VQCmipAgentRep::get_agent_address_tag(int& tag) const {
  return get(VQCmipAgent::agent_address_tag, agent_address_tag_, tag);
}

VQStatus VQCmipAgentRep::set_agent_address_tag(int tag) {
  return set(VQCmipAgent::agent_address_tag, agent_address_tag_, tag);
}

VQStatus VQCmipAgentRep::get_application_entity_invoke_id(int& id) const {
  return get(VQCmipAgent::application_entity_invoke_id, application_entity_invoke_id_, id);
}

VQStatus VQCmipAgentRep::set_application_entity_invoke_id(int id) {
  return set(VQCmipAgent::application_entity_invoke_id, application_entity_invoke_id_, id);
}

VQStatus VQCmipAgentRep::get_application_process_invoke_id(int& id) const {
  return get(VQCmipAgent::application_process_invoke_id, application_process_invoke_id_, id);
}

VQStatus VQCmipAgentRep::set_application_process_invoke_id(int id) {
  return set(VQCmipAgent::application_process_invoke_id, application_process_invoke_id_, id);
}

bool VQCmipAgentRep::compare_all_attributes(const VQCmipAgentRep& other) const {
  return table().compare(*this, active_, other, other.active_, active_, nullptr);
}

bool VQCmipAgentRep::compare_some_attributes(const VQCmipAgentRep& other,
                                             const VQIntegerSet& attributes) const {
  return table().compare(*this, active_, other, other.active_, attributes, nullptr);
}

bool VQCmipAgentRep::diff_all_attributes(const VQCmipAgentRep& other,
                                         VQIntegerSet& differing) const {
  return diff_some_attributes(other, get_valid_attributes(load), differing);
}

bool VQCmipAgentRep::diff_some_attributes(const VQCmipAgentRep& other,
                                          const VQIntegerSet& attributes,
                                          VQIntegerSet& differing) const {
  return table().compare(*this, active_, other, other.active_, attributes, &differing);
}

const VQIntegerSet& VQCmipAgentRep::get_valid_attributes(VQObjectOperation operation) {
  return table().valid(operation);
}

const VQIntegerSet& VQCmipAgentRep::get_mandatory_attributes(VQObjectOperation operation) {
  static const VQIntegerSet none(kCount);
  static const VQIntegerSet sets[3] = {
      vq_set_of(kCount, {Agent::dn}),
      vq_set_of(kCount, {Agent::administrative_state, Agent::dn, Agent::agent_address_info,
                         Agent::agent_address_tag, Agent::application_entity_title,
                         Agent::presentation_selector, Agent::session_selector,
                         Agent::transport_selector, Agent::network_sap}),
      vq_set_of(kCount, {Agent::dn}),
  };
  return vq_by_operation(sets, operation, none);
}

const std::string& VQCmipAgentRep::get_attribute_name(Attribute attribute) {
  return table().name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQCmipAgentRep::MpaAddress& address) {
  if (address.no_address) return os << "NULL";
  return os << "hostname: \"" << address.hostname << "\" port: " << address.port;
}

std::ostream& operator<<(std::ostream& os, const VQCmipAgentRep& rep) {
  table().print(os, rep, rep.active_);
  return os;
}
