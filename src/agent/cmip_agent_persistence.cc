// Moving a CMIP agent to and from the server: existence, creation, destruction, load and
// store of its cmipAgentEntity object.
#include <string>
#include <utility>

#include "agent/agent_codecs.h"
#include "agent/agent_server.h"
#include "agent/cmip_agent_rep_access.h"
#include "dedavuz_api/agent_rep.h"
#include "dedavuz_api/mit_names.h"

namespace {

using Agent = VQCmipAgent;
using Rep = VQCmipAgentRep;

const VQAttributeTable<Rep>& table() { return VQCmipAgentRepAccess::table(); }

VQStatus dn_not_set() {
  return VQStatus(VQStatus::Code::missing_mandatory_attribute, "VQCmipAgent::dn");
}

}  // namespace

bool VQCmipAgentRep::exists() const {
  return vq_agent_exists({dn_.slash_form(), VQ_OC_CMIP_AGENT});
}

VQStatus VQCmipAgentRep::create_with_some_attributes(const VQIntegerSet& attributes) {
  VQ_RETURN_IF_ERROR(vq_agent_check_create(table(), get_mandatory_attributes(create), attributes));
  return vq_agent_create({dn_.slash_form(), VQ_OC_CMIP_AGENT}, [&](hvx::Image& image) {
    VQ_RETURN_IF_ERROR(set_some_attributes_in_image(image, attributes));
    // A new agent is enabled, whatever the representation holds.
    return vq_stage_text(image, VQ_CMIP_AGENT_OPERATIONAL_STATE, "enabled");
  });
}

VQStatus VQCmipAgentRep::destroy() {
  if (!active_.is_member(Agent::dn)) return dn_not_set();
  return vq_agent_destroy({dn_.slash_form(), VQ_OC_CMIP_AGENT});
}

VQStatus VQCmipAgentRep::load_some_attributes(const VQIntegerSet& attributes) {
  if (!active_.is_member(Agent::dn)) return dn_not_set();
  VQIntegerSet gdmo(gdmo_attribute_count);
  map_interface_to_gdmo_attributes(attributes, gdmo);
  return vq_agent_load({dn_.slash_form(), VQ_OC_CMIP_AGENT}, gdmo, gdmo_attribute_names(),
                       gdmo_attribute_count, [&](hvx::Image& image) {
                         VQ_RETURN_IF_ERROR(get_some_attributes_in_image(image, attributes));
                         active_ |= attributes;
                         return VQStatus::success;
                       });
}

VQStatus VQCmipAgentRep::store_some_attributes(const VQIntegerSet& attributes) {
  if (!active_.is_member(Agent::dn)) return dn_not_set();
  VQ_RETURN_IF_ERROR(vq_agent_check_store(table(), attributes));
  return vq_agent_store({dn_.slash_form(), VQ_OC_CMIP_AGENT}, [&](hvx::Image& image) {
    return set_some_attributes_in_image(image, attributes);
  });
}

VQStatus VQCmipAgentRep::load_all_attributes_from_image(hvx::Image& image) {
  const VQIntegerSet held =
      vq_agent_held(table(), image, gdmo_attribute_names(), gdmo_attribute_count);
  VQ_RETURN_IF_ERROR(get_some_attributes_in_image(image, held));
  active_ |= held;
  return VQStatus::success;
}

VQStatus VQCmipAgentRep::get_some_attributes_in_image(hvx::Image& image,
                                                      const VQIntegerSet& attributes) {
  VQ_RETURN_IF_ERROR(VQAgentRep::get_some_attributes_in_image(
      false, image, attributes, operational_state_, administrative_state_));
  return vq_agent_decode(table(), *this, image, attributes, gdmo_attribute_names());
}

VQStatus VQCmipAgentRep::set_some_attributes_in_image(hvx::Image& image,
                                                      const VQIntegerSet& attributes) {
  VQ_RETURN_IF_ERROR(VQAgentRep::set_some_attributes_in_image(
      false, image, attributes, operational_state_, administrative_state_));
  // Selectors given in hexadecimal are sent, and kept, as the bytes they stand for.
  const std::pair<Attribute, std::string*> selectors[] = {
      {Agent::presentation_selector, &presentation_selector_},
      {Agent::session_selector, &session_selector_},
      {Agent::transport_selector, &transport_selector_},
  };
  for (const auto& [attribute, field] : selectors) {
    if (attributes.is_member(attribute) && field->starts_with("0x")) translate_to_octal(*field);
  }
  VQIntegerSet others = attributes;
  others.remove(Agent::agent_address_info);
  VQ_RETURN_IF_ERROR(table().encode_attributes(*this, others, image));
  const auto staged = [&](const std::string& attribute) {
    return image.get_set_str(vq_du(attribute), 0).str();
  };
  // Built by appending: concatenating a literal and temporaries trips a false warning of
  // the optimiser.
  std::string info(1, '{');
  info.append(staged(VQ_CMIP_AGENT_PRESENTATION_SELECTOR)).push_back(',');
  info.append(staged(VQ_CMIP_AGENT_SESSION_SELECTOR)).push_back(',');
  info.append(staged(VQ_CMIP_AGENT_TRANSPORT_SELECTOR)).push_back(',');
  info.append(network_sap_).push_back('}');
  agent_address_info_ = std::move(info);
  if (!attributes.is_member(Agent::agent_address_info)) return VQStatus::success;
  return table().encode_row(*this, *table().row(Agent::agent_address_info), image);
}

void VQCmipAgentRep::map_interface_to_gdmo_attributes(const VQIntegerSet& attributes,
                                                      VQIntegerSet& gdmo) const {
  table().to_gdmo(load, 0, attributes, gdmo);
}
