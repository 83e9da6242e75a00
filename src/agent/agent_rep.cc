#include "dedavuz_api/agent_rep.h"

#include <string>

#include "core/attribute_codecs.h"
#include "dedavuz_api/mit_names.h"
#include "hvx/image.h"

namespace {

using Code = VQStatus::Code;

struct StateNames {
  const std::string& operational;
  const std::string& administrative;
};

StateNames names(bool snmp) {
  if (snmp) return {VQ_SNMP_AGENT_OPERATIONAL_STATE, VQ_SNMP_AGENT_ADMINISTRATIVE_STATE};
  return {VQ_CMIP_AGENT_OPERATIONAL_STATE, VQ_CMIP_AGENT_ADMINISTRATIVE_STATE};
}

// The ENUMERATED value of `attribute`; code 9 with `error` for any other value.
template <typename State>
VQStatus read_state(hvx::Image& image, const std::string& attribute, const char* error,
                    State& out) {
  const hvx::Morf morf = image.get_raw(vq_du(attribute));
  const hvx::Asn1Value& value = morf.get_value();
  long number = 0;
  if (value.is_null() || value.tag() != hvx::TAG_ENUM || !value.decode_enum(number)) {
    return VQStatus(Code::decode_error, error);
  }
  out = static_cast<State>(number);
  return VQStatus::success;
}

VQStatus write_state(hvx::Image& image, const std::string& attribute, long state) {
  hvx::Morf morf(attribute, hvx::Platform::def_platform);
  if (!morf.set_value(hvx::ber::enumerated(state)) ||
      !image.set_raw(vq_du(attribute), morf, hvx::REPLACE)) {
    return VQStatus(Code::hvx_error, image.get_error_string());
  }
  return VQStatus::success;
}

}  // namespace

VQStatus VQAgentRep::get_some_attributes_in_image(bool snmp, hvx::Image& image,
                                                  const VQIntegerSet& selection,
                                                  VQAgent::OperationalState& operational,
                                                  VQAgent::AdministrativeState& administrative) {
  const StateNames name = names(snmp);
  if (selection.is_member(0)) {
    VQ_RETURN_IF_ERROR(
        read_state(image, name.operational, "VQCmipAgent::operational_state", operational));
  }
  if (selection.is_member(1)) {
    VQ_RETURN_IF_ERROR(read_state(image, name.administrative, "VQCmipAgent::administrative_state",
                                  administrative));
  }
  return VQStatus::success;
}

VQStatus VQAgentRep::set_some_attributes_in_image(bool snmp, hvx::Image& image,
                                                  const VQIntegerSet& selection,
                                                  VQAgent::OperationalState operational,
                                                  VQAgent::AdministrativeState administrative) {
  const StateNames name = names(snmp);
  if (selection.is_member(0)) VQ_RETURN_IF_ERROR(write_state(image, name.operational, operational));
  if (selection.is_member(1)) {
    VQ_RETURN_IF_ERROR(write_state(image, name.administrative, administrative));
  }
  return VQStatus::success;
}
