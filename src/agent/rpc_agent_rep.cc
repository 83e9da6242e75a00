#include "dedavuz_api/rpc_agent_rep.h"

#include <ostream>
#include <string>

#include "agent/agent_server.h"
#include "agent/rpc_agent_rep_access.h"

namespace {

using Agent = VQRpcAgent;
constexpr int kCount = Agent::attribute_count;

const VQAttributeTable<VQRpcAgentRep>& table() { return VQRpcAgentRepAccess::table(); }

}  // namespace

VQRpcAgentRep::VQRpcAgentRep(const VQRpcAgentDn& dn) : dn_(dn), active_(kCount) {
  active_.add(Agent::dn);
}

VQStatus VQRpcAgentRep::create_with_all_attributes() {
  return create_with_some_attributes(active_ & get_valid_attributes(create));
}

VQStatus VQRpcAgentRep::load_all_attributes() {
  return load_some_attributes(get_valid_attributes(load));
}

VQStatus VQRpcAgentRep::store_all_attributes() {
  return store_some_attributes(active_ & get_valid_attributes(store));
}

VQStatus VQRpcAgentRep::load_all_defaults() {
  return load_some_defaults(get_valid_attributes(load));
}

VQStatus VQRpcAgentRep::load_some_defaults(const VQIntegerSet&) { return VQStatus::success; }

void VQRpcAgentRep::get_active_attributes(VQIntegerSet& attributes) const { attributes = active_; }

void VQRpcAgentRep::clear_all_attributes() { active_ = false; }

void VQRpcAgentRep::clear_some_attributes(const VQIntegerSet& attributes) {
  VQIntegerSetIterator it(attributes);
  while (it.next()) active_.remove(it.member());
}

template <typename T>
VQStatus VQRpcAgentRep::get(Attribute attribute, const T& field, T& out) const {
  if (!active_.is_member(attribute)) return table().not_set(attribute);
  out = field;
  return VQStatus::success;
}

template <typename T>
VQStatus VQRpcAgentRep::set(Attribute attribute, T& field, const T& value) {
  field = value;
  active_.add(attribute);
  return VQStatus::success;
}

VQStatus VQRpcAgentRep::get_dn(VQRpcAgentDn& dn) const { return get(Agent::dn, dn_, dn); }

VQStatus VQRpcAgentRep::set_dn(const VQRpcAgentDn& dn) { return set(Agent::dn, dn_, dn); }

VQStatus VQRpcAgentRep::get_operational_state(VQAgent::OperationalState& state) const {
  return get(Agent::operational_state, operational_state_, state);
}

VQStatus VQRpcAgentRep::get_administrative_state(VQAgent::AdministrativeState& state) const {
  return get(Agent::administrative_state, administrative_state_, state);
}

VQStatus VQRpcAgentRep::set_administrative_state(const VQAgent::AdministrativeState& state) {
  return set(Agent::administrative_state, administrative_state_, state);
}

VQStatus VQRpcAgentRep::get_get_community_string(std::string& community) const {
  return get(VQRpcAgent::get_community_string, get_community_string_, community);
}

VQStatus VQRpcAgentRep::set_get_community_string(const std::string& community) {
  return set(VQRpcAgent::get_community_string, get_community_string_, community);
}

VQStatus VQRpcAgentRep::get_set_community_string(std::string& community) const {
  return get(VQRpcAgent::set_community_string, set_community_string_, community);
}

VQStatus VQRpcAgentRep::set_set_community_string(const std::string& community) {
  return set(VQRpcAgent::set_community_string, set_community_string_, community);
}

VQStatus VQRpcAgentRep::get_schemas(VQList<Schema>& schemas) const {
  return get(Agent::schemas, schemas_, schemas);
}

VQStatus VQRpcAgentRep::set_schemas(const VQList<Schema>& schemas) {
  return set(Agent::schemas, schemas_, schemas);
}

VQStatus VQRpcAgentRep::add_schema(const Schema& schema) {
  if (!active_.is_member(Agent::schemas)) {
    // An inactive list holds nothing that counts; the new schema starts it afresh.
    schemas_.clear();
    active_.add(Agent::schemas);
  } else if (schemas_.contains(schema)) {
    return VQStatus(VQStatus::Code::already_exists, schema.name);
  }
  schemas_.append(schema);
  return VQStatus::success;
}

VQStatus VQRpcAgentRep::remove_schema(const Schema& schema) {
  if (!active_.is_member(Agent::schemas)) return table().not_set(Agent::schemas);
  if (schemas_.remove_all(schema) == 0) {
    return VQStatus(VQStatus::Code::does_not_exist, schema.name);
  }
  return VQStatus::success;
}

bool VQRpcAgentRep::compare_all_attributes(const VQRpcAgentRep& other) const {
  return table().compare(*this, active_, other, other.active_, active_, nullptr);
}

bool VQRpcAgentRep::compare_some_attributes(const VQRpcAgentRep& other,
                                            const VQIntegerSet& attributes) const {
  return table().compare(*this, active_, other, other.active_, attributes, nullptr);
}

bool VQRpcAgentRep::diff_all_attributes(const VQRpcAgentRep& other, VQIntegerSet& differing) const {
  return diff_some_attributes(other, get_valid_attributes(load), differing);
}

bool VQRpcAgentRep::diff_some_attributes(const VQRpcAgentRep& other, const VQIntegerSet& attributes,
                                         VQIntegerSet& differing) const {
  return table().compare(*this, active_, other, other.active_, attributes, &differing);
}

const VQIntegerSet& VQRpcAgentRep::get_valid_attributes(VQObjectOperation operation) {
  return table().valid(operation);
}

const VQIntegerSet& VQRpcAgentRep::get_mandatory_attributes(VQObjectOperation operation) {
  static const VQIntegerSet none(kCount);
  static const VQIntegerSet sets[3] = {
      vq_set_of(kCount, {Agent::dn}),
      vq_set_of(kCount, {Agent::administrative_state, Agent::dn, Agent::schemas}),
      vq_set_of(kCount, {Agent::dn}),
  };
  return vq_by_operation(sets, operation, none);
}

const std::string& VQRpcAgentRep::get_attribute_name(Attribute attribute) {
  return table().name(attribute);
}

std::ostream& operator<<(std::ostream& os, const VQRpcAgentRep& rep) {
  table().print(os, rep, rep.active_);
  return os;
}
