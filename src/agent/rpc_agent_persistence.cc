// Moving an RPC agent to and from the server: existence, creation, destruction, load and
// store of its rpcAgent object.
#include <string>

#include "agent/agent_codecs.h"
#include "agent/agent_server.h"
#include "agent/rpc_agent_rep_access.h"
#include "dedavuz_api/agent_rep.h"
#include "dedavuz_api/mit_names.h"

namespace {

using Agent = VQRpcAgent;
using Rep = VQRpcAgentRep;

const VQAttributeTable<Rep>& table() { return VQRpcAgentRepAccess::table(); }

VQStatus dn_not_set() {
  return VQStatus(VQStatus::Code::missing_mandatory_attribute, "VQRpcAgent::dn");
}

}  // namespace

bool VQRpcAgentRep::exists() const { return vq_agent_exists({dn_.slash_form(), VQ_OC_RPC_AGENT}); }

VQStatus VQRpcAgentRep::create_with_some_attributes(const VQIntegerSet& attributes) {
  VQ_RETURN_IF_ERROR(vq_agent_check_create(table(), get_mandatory_attributes(create), attributes));
  return vq_agent_create({dn_.slash_form(), VQ_OC_RPC_AGENT}, [&](hvx::Image& image) {
    VQ_RETURN_IF_ERROR(set_some_attributes_in_image(image, attributes));
    // A new agent is enabled, whatever the representation holds, and carries none of the
    // CMIP agent's addresses.
    VQ_RETURN_IF_ERROR(vq_stage_text(image, VQ_RPC_AGENT_OPERATIONAL_STATE, "enabled"));
    VQ_RETURN_IF_ERROR(vq_stage_text(image, VQ_RPC_AGENT_MPA_ADDRESS_INFO, "NULL"));
    VQ_RETURN_IF_ERROR(vq_stage_text(image, VQ_RPC_AGENT_MANAGED_DNS, "{}"));
    VQ_RETURN_IF_ERROR(vq_stage_text(image, VQ_RPC_AGENT_AGENT_ADDRESS_INFO, ""));
    return vq_stage_text(image, VQ_RPC_AGENT_AGENT_ADDRESS_TAG, "7");
  });
}

VQStatus VQRpcAgentRep::destroy() {
  if (!active_.is_member(Agent::dn)) return dn_not_set();
  return vq_agent_destroy({dn_.slash_form(), VQ_OC_RPC_AGENT});
}

VQStatus VQRpcAgentRep::load_some_attributes(const VQIntegerSet& attributes) {
  if (!active_.is_member(Agent::dn)) return dn_not_set();
  VQIntegerSet gdmo(gdmo_attribute_count);
  map_interface_to_gdmo_attributes(attributes, gdmo);
  return vq_agent_load({dn_.slash_form(), VQ_OC_RPC_AGENT}, gdmo, gdmo_attribute_names(),
                       gdmo_attribute_count, [&](hvx::Image& image) {
                         VQ_RETURN_IF_ERROR(get_some_attributes_in_image(image, attributes));
                         active_ |= attributes;
                         return VQStatus::success;
                       });
}

VQStatus VQRpcAgentRep::store_some_attributes(const VQIntegerSet& attributes) {
  if (!active_.is_member(Agent::dn)) return dn_not_set();
  VQ_RETURN_IF_ERROR(vq_agent_check_store(table(), attributes));
  return vq_agent_store({dn_.slash_form(), VQ_OC_RPC_AGENT}, [&](hvx::Image& image) {
    return set_some_attributes_in_image(image, attributes);
  });
}

VQStatus VQRpcAgentRep::get_some_attributes_in_image(hvx::Image& image,
                                                     const VQIntegerSet& attributes) {
  VQ_RETURN_IF_ERROR(VQAgentRep::get_some_attributes_in_image(
      false, image, attributes, operational_state_, administrative_state_));
  return vq_agent_decode(table(), *this, image, attributes, gdmo_attribute_names());
}

VQStatus VQRpcAgentRep::set_some_attributes_in_image(hvx::Image& image,
                                                     const VQIntegerSet& attributes) const {
  VQ_RETURN_IF_ERROR(VQAgentRep::set_some_attributes_in_image(
      false, image, attributes, operational_state_, administrative_state_));
  return table().encode_attributes(*this, attributes, image);
}

void VQRpcAgentRep::map_interface_to_gdmo_attributes(const VQIntegerSet& attributes,
                                                     VQIntegerSet& gdmo) const {
  table().to_gdmo(load, 0, attributes, gdmo);
}
