// The CMIP agent attribute table: for each of the sixteen attributes how it prints and
// compares, which operations take it, and how the server's cmipAgentEntity object carries
// it; and the text forms of the selectors.
#include <cctype>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "agent/agent_codecs.h"
#include "agent/cmip_agent_rep_access.h"
#include "dedavuz_api/mit_names.h"
#include "hvx/names.h"

namespace {

using Code = VQStatus::Code;
using Agent = VQCmipAgent;
using Rep = VQCmipAgentRep;
using hvx::Asn1Value;

int class_of(int) { return 0; }

bool printable(unsigned char c) { return c < 128 && std::isprint(c); }

// A selector with a byte that is not printable is read in hexadecimal.
template <auto F>
VQStatus decode_selector(Rep& rep, const hvx::Morf& value, const std::string&) {
  std::string text = vq_c_text(value.get_str(0));
  for (const char c : text) {
    if (!printable(static_cast<unsigned char>(c))) {
      translate_to_hex(text);
      break;
    }
  }
  rep.*F = text;
  return VQStatus::success;
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

}  // namespace

void translate_to_hex(std::string& text) {
  // The hexadecimal form must fit 256 characters with "0x" and a terminator.
  constexpr std::size_t kMaxBytes = 126;
  static const char kDigits[] = "0123456789abcdef";
  const std::string bytes = vq_c_text(text).substr(0, kMaxBytes);
  std::string hex = "0x";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0xf];
  }
  text = hex;
}

void translate_to_octal(std::string& text) {
  if (text.size() > 1) text[1] = '0';
  std::string octal;
  // Pairs of digits from the end; the replaced "x" completes an odd count.
  for (std::size_t p = text.size(); p > 2; p -= 2) {
    // Leading hexadecimal digits only, as a number scan reads them.
    int number = 0;
    for (std::size_t i = p - 2; i < p && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
      number = number * 16 + hex_value(text[i]);
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\%03o", number);
    octal.insert(0, escaped);
  }
  text = octal;
}

// [0] { host, port } for an address, [1] NULL for none.
VQStatus VQCmipAgentRepAccess::decode_mpa_address(Rep& rep, const hvx::Morf& value,
                                                  const std::string&) {
  const Asn1Value& v = value.get_value();
  const hvx::Asn1Tag tag = v.tag();
  if (!v.is_null() && tag == hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 1)) {
    rep.mpa_address_.no_address = true;
    return VQStatus::success;
  }
  const Asn1Value address = v.first_component();
  std::string hostname;
  long port = 0;
  if (v.is_null() || tag != hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0) ||
      !vq_is(address, hvx::TAG_SEQ) || !address.first_component().decode_octets(hostname) ||
      !address.first_component().next_component().decode_int(port)) {
    return VQStatus(Code::hvx_error, "VQCmipAgent::mpa_address");
  }
  rep.mpa_address_ = {false, hostname, static_cast<int>(port)};
  return VQStatus::success;
}

VQStatus VQCmipAgentRepAccess::encode_mpa_address(const Rep& rep, hvx::Image& image,
                                                  const std::string& attribute,
                                                  const std::string&) {
  const Rep::MpaAddress& mpa = rep.mpa_address_;
  Asn1Value value;
  if (mpa.no_address) {
    value = hvx::ber::explicit_tagged(hvx::ber::null_value(), 1);
  } else {
    Asn1Value address = hvx::ber::sequence();
    address.add_component(vq_text(mpa.hostname));
    address.add_component(hvx::ber::integer(mpa.port));
    value = hvx::ber::explicit_tagged(address, 0);
  }
  return vq_staged(vq_write_value(image, attribute, value), image);
}

VQStatus VQCmipAgentRepAccess::decode_managed_objects(Rep& rep, const hvx::Morf& value,
                                                      const std::string&) {
  rep.managed_objects_.clear();
  for (const hvx::Morf& element : value.split_array()) {
    rep.managed_objects_.append(hvx::oi2fdn(element.get_value()));
  }
  return VQStatus::success;
}

VQStatus VQCmipAgentRepAccess::managed_objects_value(const Rep& rep, Asn1Value& out,
                                                     const std::string& error) {
  out = hvx::ber::set();
  for (const std::string& object : rep.managed_objects_) {
    if (!out.add_component(hvx::fdn2oi(object))) return VQStatus(Code::encode_error, error);
  }
  return VQStatus::success;
}

std::vector<VQCmipAgentRepAccess::Row> VQCmipAgentRepAccess::rows() {
  constexpr int kQ = kVQQuotedWidth;
  // clang-format off
  return {
    {.number = Agent::dn, .name = "dn", .print = vq_print_value<&Rep::dn_>, .equal = vq_equal<&Rep::dn_>,
     .creatable = true, .gdmo = Rep::agent_id},
    {.number = Agent::mpa_address_info, .name = "mpa_address_info",
     .print = vq_print_value<&Rep::mpa_address_>, .equal = vq_equal<&Rep::mpa_address_>,
     .creatable = true, .storeable = true, .gdmo = Rep::mpa_address_info,
     .decode = decode_mpa_address, .encode = encode_mpa_address},
    // The states move through the agents' shared state code.
    {.number = Agent::operational_state, .name = "operational_state", .label = "operational_state: \"",
     .print = vq_print_quoted<&Rep::operational_state_>, .equal = vq_equal<&Rep::operational_state_>,
     .creatable = true, .gdmo = Rep::operational_state, .width = kQ},
    {.number = Agent::administrative_state, .name = "administrative_state",
     .label = "administrative_state: \"", .print = vq_print_quoted<&Rep::administrative_state_>,
     .equal = vq_equal<&Rep::administrative_state_>, .creatable = true, .storeable = true,
     .gdmo = Rep::administrative_state, .width = kQ},
    // Staged last, as derived from the selectors and network SAP.
    {.number = Agent::agent_address_info, .name = "agent_address_info",
     .label = "agent_address_info: \"", .print = vq_print_quoted<&Rep::agent_address_info_>,
     .equal = vq_equal<&Rep::agent_address_info_>, .creatable = true, .storeable = true,
     .gdmo = Rep::agent_address_info, .decode = vq_decode_text<&Rep::agent_address_info_>,
     .encode = vq_encode_text<&Rep::agent_address_info_, 4>, .width = kQ},
    {.number = Agent::agent_address_tag, .name = "agent_address_tag",
     .print = vq_print_value<&Rep::agent_address_tag_>, .equal = vq_equal<&Rep::agent_address_tag_>,
     .creatable = true, .storeable = true, .gdmo = Rep::agent_address_tag,
     .decode = vq_decode_long<&Rep::agent_address_tag_>, .encode = vq_encode_number<&Rep::agent_address_tag_>},
    {.number = Agent::managed_objects, .name = "managed_objects",
     .print = vq_print_list<&Rep::managed_objects_>, .equal = vq_equal<&Rep::managed_objects_>,
     .creatable = true, .storeable = true, .gdmo = Rep::managed_dns,
     .decode = decode_managed_objects, .value = managed_objects_value},
    {.number = Agent::application_entity_title, .name = "application_entity_title",
     .label = "application_entity_title: \"", .print = vq_print_quoted<&Rep::application_entity_title_>,
     .equal = vq_equal<&Rep::application_entity_title_>, .creatable = true, .storeable = true,
     .gdmo = Rep::application_entity_title, .decode = vq_decode_text<&Rep::application_entity_title_>,
     .encode = vq_encode_text<&Rep::application_entity_title_, 0>, .width = kQ},
    {.number = Agent::presentation_selector, .name = "presentation_selector",
     .label = "presentation_selector: \"", .print = vq_print_quoted<&Rep::presentation_selector_>,
     .equal = vq_equal<&Rep::presentation_selector_>, .creatable = true, .storeable = true,
     .gdmo = Rep::presentation_selector, .decode = decode_selector<&Rep::presentation_selector_>,
     .encode = vq_encode_text<&Rep::presentation_selector_, 4>, .width = kQ},
    {.number = Agent::session_selector, .name = "session_selector",
     .label = "session_selector: \"", .print = vq_print_quoted<&Rep::session_selector_>,
     .equal = vq_equal<&Rep::session_selector_>, .creatable = true, .storeable = true,
     .gdmo = Rep::session_selector, .decode = decode_selector<&Rep::session_selector_>,
     .encode = vq_encode_text<&Rep::session_selector_, 4>, .width = kQ},
    {.number = Agent::transport_selector, .name = "transport_selector",
     .label = "transport_selector: \"", .print = vq_print_quoted<&Rep::transport_selector_>,
     .equal = vq_equal<&Rep::transport_selector_>, .creatable = true, .storeable = true,
     .gdmo = Rep::transport_selector, .decode = decode_selector<&Rep::transport_selector_>,
     .encode = vq_encode_text<&Rep::transport_selector_, 4>, .width = kQ},
    {.number = Agent::network_sap, .name = "network_sap", .label = "network_sap: \"",
     .print = vq_print_quoted<&Rep::network_sap_>, .equal = vq_equal<&Rep::network_sap_>,
     .creatable = true, .storeable = true, .gdmo = Rep::network_sap,
     .decode = vq_decode_text<&Rep::network_sap_>, .encode = vq_encode_text<&Rep::network_sap_, 0>,
     .width = kQ},
    {.number = Agent::name_translation, .name = "name_translation", .label = "name_translation: \"",
     .print = vq_print_quoted<&Rep::name_translation_>, .equal = vq_equal<&Rep::name_translation_>,
     .creatable = true, .storeable = true, .gdmo = Rep::name_xlat_flag,
     .decode = vq_decode_text<&Rep::name_translation_>,
     .encode = vq_encode_text<&Rep::name_translation_, 0>, .width = kQ},
    {.number = Agent::application_entity_qualifier, .name = "application_entity_qualifier",
     .label = "application_entity_qualifier: \"",
     .print = vq_print_quoted<&Rep::application_entity_qualifier_>,
     .equal = vq_equal<&Rep::application_entity_qualifier_>, .creatable = true, .storeable = true,
     .gdmo = Rep::ae_qualifier, .decode = vq_decode_text<&Rep::application_entity_qualifier_>,
     .encode = vq_encode_text<&Rep::application_entity_qualifier_, 0>, .width = kQ},
    // The invoke ids open a quote and leave it open.
    {.number = Agent::application_entity_invoke_id, .name = "application_entity_invoke_id",
     .label = "application_entity_invoke_id: \"",
     .print = vq_print_value<&Rep::application_entity_invoke_id_>,
     .equal = vq_equal<&Rep::application_entity_invoke_id_>, .creatable = true, .storeable = true,
     .gdmo = Rep::ae_invoke_id, .decode = vq_decode_long<&Rep::application_entity_invoke_id_>,
     .encode = vq_encode_number<&Rep::application_entity_invoke_id_>, .width = kQ},
    {.number = Agent::application_process_invoke_id, .name = "application_process_invoke_id",
     .label = "application_process_invoke_id: \"",
     .print = vq_print_value<&Rep::application_process_invoke_id_>,
     .equal = vq_equal<&Rep::application_process_invoke_id_>, .creatable = true, .storeable = true,
     .gdmo = Rep::ap_invoke_id, .decode = vq_decode_long<&Rep::application_process_invoke_id_>,
     .encode = vq_encode_number<&Rep::application_process_invoke_id_>, .width = kQ},
  };
  // clang-format on
}

const VQAttributeTable<VQCmipAgentRep>& VQCmipAgentRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQCmipAgent::", rows(), 1, Rep::gdmo_attribute_names(),
                                           Rep::gdmo_attribute_count, class_of);
  return table;
}

const std::string* VQCmipAgentRep::gdmo_attribute_names() {
  static const std::string names[gdmo_attribute_count] = {
      VQ_CMIP_AGENT_ID,
      VQ_CMIP_AGENT_MPA_ADDRESS_INFO,
      VQ_CMIP_AGENT_ADMINISTRATIVE_STATE,
      VQ_CMIP_AGENT_OPERATIONAL_STATE,
      VQ_CMIP_AGENT_MANAGED_DNS,
      VQ_CMIP_AGENT_AGENT_ADDRESS_TAG,
      VQ_CMIP_AGENT_AGENT_ADDRESS_INFO,
      VQ_CMIP_AGENT_APPLICATION_ENTITY_TITLE,
      VQ_CMIP_AGENT_PRESENTATION_SELECTOR,
      VQ_CMIP_AGENT_SESSION_SELECTOR,
      VQ_CMIP_AGENT_TRANSPORT_SELECTOR,
      VQ_CMIP_AGENT_NETWORK_SAP,
      VQ_CMIP_AGENT_NAME_TRANSLATION,
      VQ_CMIP_AGENT_APPLICATION_ENTITY_QUALIFIER,
      VQ_CMIP_AGENT_APPLICATION_PROCESS_INVOKE_ID,
      VQ_CMIP_AGENT_APPLICATION_ENTITY_INVOKE_ID,
  };
  return names;
}
