// The SNMP agent attribute table: for each of the eleven attributes how it prints and
// compares, which operations take it, and how the server's cmipsnmpProxyAgent object
// carries it.
#include <ostream>
#include <string>
#include <vector>

#include "agent/agent_codecs.h"
#include "agent/snmp_agent_rep_access.h"
#include "dedavuz_api/mit_names.h"
#include "hvx/oid.h"

namespace {

using Code = VQStatus::Code;
using Agent = VQSnmpAgent;
using Rep = VQSnmpAgentRep;
using hvx::Asn1Value;

int class_of(int) { return 0; }

// An integer the server holds, refused with code 9 outside First to Last.
template <auto F, int First, int Last>
VQStatus decode_ranged(Rep& rep, const hvx::Morf& value, const std::string& error) {
  const long number = value.get_long();
  if (number < First || number > Last) return VQStatus(Code::decode_error, error);
  rep.*F = static_cast<VQTypeOf<F>>(number);
  return VQStatus::success;
}

// The dotted form of an OBJECT IDENTIFIER value; false for another value.
bool dotted(const hvx::Morf& value, std::string& out) {
  hvx::Oid oid;
  if (!value.get_value().decode_oid(oid)) return false;
  out = oid.format();
  return true;
}

}  // namespace

VQStatus VQSnmpAgentRepAccess::decode_system_title(Rep& rep, const hvx::Morf& value,
                                                   const std::string& error) {
  if (!dotted(value, rep.system_title_)) return VQStatus(Code::decode_error, error);
  return VQStatus::success;
}

// Null, and so refused with code 10, for a text that is not an identifier.
VQStatus VQSnmpAgentRepAccess::system_title_value(const Rep& rep, Asn1Value& out,
                                                  const std::string&) {
  out = hvx::ber::oid(hvx::Oid(rep.system_title_));
  return VQStatus::success;
}

// Six bytes: the address, then the port, high byte first.
VQStatus VQSnmpAgentRepAccess::decode_transport_address(Rep& rep, const hvx::Morf& value,
                                                        const std::string& error) {
  const std::string bytes = value.get_str(0);
  if (bytes.size() < 6) return VQStatus(Code::decode_error, error);
  const auto byte = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  rep.transport_address_ = Rep::TransportAddress(
      byte(0), byte(1), byte(2), byte(3), static_cast<unsigned short>(byte(4) * 256 + byte(5)));
  return VQStatus::success;
}

VQStatus VQSnmpAgentRepAccess::encode_transport_address(const Rep& rep, hvx::Image& image,
                                                        const std::string& attribute,
                                                        const std::string&) {
  const Rep::TransportAddress& address = rep.transport_address_;
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(address.part(i) & 0xff);
  bytes += static_cast<char>(address.port() >> 8);
  bytes += static_cast<char>(address.port() & 0xff);
  return vq_staged(image.set_str(vq_du(attribute), vq_du(bytes), hvx::REPLACE, 0), image);
}

VQStatus VQSnmpAgentRepAccess::decode_supported_mibs(Rep& rep, const hvx::Morf& value,
                                                     const std::string&) {
  rep.supported_mibs_.clear();
  for (const hvx::Morf& element : value.split_array()) {
    rep.supported_mibs_.append(vq_c_text(element.get_str(0)));
  }
  return VQStatus::success;
}

// Value notation: {ps : "a",ps : "b"}.
VQStatus VQSnmpAgentRepAccess::encode_supported_mibs(const Rep& rep, hvx::Image& image,
                                                     const std::string& attribute,
                                                     const std::string&) {
  std::string text = "{";
  for (const std::string& mib : rep.supported_mibs_) {
    if (text.size() > 1) text += ",";
    text += "ps : \"" + mib + "\"";
  }
  text += "}";
  return vq_staged(image.set_str(vq_du(attribute), vq_du(text), hvx::REPLACE, 0), image);
}

VQStatus VQSnmpAgentRepAccess::decode_management_protocol(Rep& rep, const hvx::Morf& value,
                                                          const std::string& error) {
  std::string oid;
  if (dotted(value, oid) && oid == VQ_OID_DOT_SNMP_V1) {
    rep.management_protocol_ = Agent::snmp_v1;
  } else if (dotted(value, oid) && oid == VQ_OID_DOT_SNMP_V2) {
    rep.management_protocol_ = Agent::snmp_v2;
  } else {
    return VQStatus(Code::decode_error, error);
  }
  return VQStatus::success;
}

VQStatus VQSnmpAgentRepAccess::encode_management_protocol(const Rep& rep, hvx::Image& image,
                                                          const std::string& attribute,
                                                          const std::string& error) {
  const std::string* oid = nullptr;
  if (rep.management_protocol_ == Agent::snmp_v1) oid = &VQ_OID_DU_SNMP_V1;
  if (rep.management_protocol_ == Agent::snmp_v2) oid = &VQ_OID_DU_SNMP_V2;
  if (oid == nullptr) return VQStatus(Code::encode_error, error);
  return vq_staged(image.set_str(vq_du(attribute), vq_du(*oid), hvx::REPLACE, 0), image);
}

std::vector<VQSnmpAgentRepAccess::Row> VQSnmpAgentRepAccess::rows() {
  constexpr int kQ = kVQQuotedWidth;
  // clang-format off
  return {
    {.number = Agent::dn, .name = "dn", .print = vq_print_value<&Rep::dn_>, .equal = vq_equal<&Rep::dn_>,
     .creatable = true, .gdmo = Rep::cmipsnmp_proxy_agent_id},
    // The states move through the agents' shared state code.
    {.number = Agent::operational_state, .name = "operational_state", .label = "operational_state: \"",
     .print = vq_print_quoted<&Rep::operational_state_>, .equal = vq_equal<&Rep::operational_state_>,
     .creatable = true, .gdmo = Rep::op_state, .width = kQ},
    {.number = Agent::administrative_state, .name = "administrative_state",
     .label = "administrative_state: \"", .print = vq_print_quoted<&Rep::administrative_state_>,
     .equal = vq_equal<&Rep::administrative_state_>, .creatable = true, .storeable = true,
     .gdmo = Rep::admin_state, .width = kQ},
    {.number = Agent::system_title, .name = "system_title", .label = "system_title: \"",
     .print = vq_print_quoted<&Rep::system_title_>, .equal = vq_equal<&Rep::system_title_>,
     .creatable = true, .gdmo = Rep::system_title, .decode = decode_system_title,
     .value = system_title_value, .width = kQ},
    {.number = Agent::get_community_string, .name = "get_community_string",
     .label = "get_community_string: \"", .print = vq_print_quoted<&Rep::get_community_string_>,
     .equal = vq_equal<&Rep::get_community_string_>, .creatable = true, .storeable = true,
     .gdmo = Rep::snmp_get_community_string, .decode = vq_decode_text<&Rep::get_community_string_>,
     .encode = vq_encode_text<&Rep::get_community_string_, 0>, .width = kQ},
    {.number = Agent::set_community_string, .name = "set_community_string",
     .label = "set_community_string: \"", .print = vq_print_quoted<&Rep::set_community_string_>,
     .equal = vq_equal<&Rep::set_community_string_>, .creatable = true, .storeable = true,
     .gdmo = Rep::snmp_set_community_string, .decode = vq_decode_text<&Rep::set_community_string_>,
     .encode = vq_encode_text<&Rep::set_community_string_, 0>, .width = kQ},
    {.number = Agent::transport_address, .name = "transport_address", .label = "transport_address: \"",
     .print = vq_print_quoted<&Rep::transport_address_>, .equal = vq_equal<&Rep::transport_address_>,
     .creatable = true, .storeable = true, .gdmo = Rep::transport_address,
     .decode = decode_transport_address, .encode = encode_transport_address, .width = kQ},
    {.number = Agent::supported_mibs, .name = "supported_mibs",
     .print = vq_print_list<&Rep::supported_mibs_>, .equal = vq_equal<&Rep::supported_mibs_>,
     .creatable = true, .storeable = true, .gdmo = Rep::supported_mibs,
     .decode = decode_supported_mibs, .encode = encode_supported_mibs},
    {.number = Agent::management_protocol, .name = "management_protocol",
     .label = "management_protocol: \"", .print = vq_print_quoted<&Rep::management_protocol_>,
     .equal = vq_equal<&Rep::management_protocol_>, .creatable = true, .storeable = true,
     .gdmo = Rep::management_protocol, .decode = decode_management_protocol,
     .encode = encode_management_protocol, .width = kQ},
    {.number = Agent::access_control_enforcement, .name = "access_control_enforcement",
     .label = "access_control_enforcement: \"", .print = vq_print_quoted<&Rep::access_control_enforcement_>,
     .equal = vq_equal<&Rep::access_control_enforcement_>, .creatable = true,
     .gdmo = Rep::access_control_enforcement, .decode = decode_ranged<&Rep::access_control_enforcement_, 1, 3>,
     .encode = vq_encode_number<&Rep::access_control_enforcement_>, .width = kQ},
    {.number = Agent::access_control_mechanism, .name = "access_control_mechanism",
     .label = "access_control_mechanism: \"", .print = vq_print_quoted<&Rep::access_control_mechanism_>,
     .equal = vq_equal<&Rep::access_control_mechanism_>, .creatable = true,
     .gdmo = Rep::access_control_mechanism, .decode = decode_ranged<&Rep::access_control_mechanism_, 0, 2>,
     .encode = vq_encode_number<&Rep::access_control_mechanism_>, .width = kQ},
  };
  // clang-format on
}

const VQAttributeTable<VQSnmpAgentRep>& VQSnmpAgentRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQSnmpAgent::", rows(), 1, Rep::gdmo_attribute_names(),
                                           Rep::gdmo_attribute_count, class_of);
  return table;
}

const std::string* VQSnmpAgentRep::gdmo_attribute_names() {
  static const std::string names[gdmo_attribute_count] = {
      VQ_SNMP_AGENT_ID,
      VQ_SNMP_AGENT_MPA_ADDRESS_INFO,
      VQ_SNMP_AGENT_ADMINISTRATIVE_STATE,
      VQ_SNMP_AGENT_OPERATIONAL_STATE,
      VQ_SNMP_AGENT_SYSTEM_TITLE,
      VQ_SNMP_AGENT_GET_COMMUNITY_STRING,
      VQ_SNMP_AGENT_SET_COMMUNITY_STRING,
      VQ_SNMP_AGENT_TRANSPORT_ADDRESS,
      VQ_SNMP_AGENT_SUPPORTED_MIBS,
      VQ_SNMP_AGENT_MANAGEMENT_PROTOCOL,
      VQ_SNMP_AGENT_ACCESS_CONTROL_ENFORCEMENT,
      VQ_SNMP_AGENT_ACCESS_CONTROL_MECHANISM,
  };
  return names;
}
