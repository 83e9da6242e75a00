// The RPC agent attribute table: for each of the six attributes how it prints and
// compares, which operations take it, and how the server's rpcAgent object carries it.
#include <string>
#include <vector>

#include "agent/agent_codecs.h"
#include "agent/rpc_agent_rep_access.h"
#include "dedavuz_api/mit_names.h"

namespace {

using Agent = VQRpcAgent;
using Rep = VQRpcAgentRep;
using Schema = VQRpcAgent::Schema;
using hvx::Asn1Value;

int class_of(int) { return 0; }

// A schema as SEQUENCE { name OCTET STRING, proxy host name OCTET STRING }.
struct SchemaCodec {
  static Asn1Value encode(const Schema& schema) {
    Asn1Value value = hvx::ber::sequence();
    value.add_component(hvx::ber::octets(schema.name));
    value.add_component(hvx::ber::octets(schema.proxy_hostname));
    return value;
  }
  static bool decode(const Asn1Value& value, Schema& out) {
    Schema schema;
    if (!vq_is(value, hvx::TAG_SEQ) || !value.first_component().decode_octets(schema.name) ||
        !value.first_component().next_component().decode_octets(schema.proxy_hostname)) {
      return false;
    }
    out = schema;
    return true;
  }
};

}  // namespace

std::vector<VQRpcAgentRepAccess::Row> VQRpcAgentRepAccess::rows() {
  constexpr int kQ = kVQQuotedWidth;
  // clang-format off
  return {
    {.number = Agent::dn, .name = "dn", .print = vq_print_value<&Rep::dn_>, .equal = vq_equal<&Rep::dn_>,
     .creatable = true, .gdmo = Rep::agent_id},
    // The states move through the agents' shared state code.
    {.number = Agent::operational_state, .name = "operational_state", .label = "operational_state: \"",
     .print = vq_print_quoted<&Rep::operational_state_>, .equal = vq_equal<&Rep::operational_state_>,
     .creatable = true, .gdmo = Rep::operational_state, .width = kQ},
    {.number = Agent::administrative_state, .name = "administrative_state",
     .label = "administrative_state: \"", .print = vq_print_quoted<&Rep::administrative_state_>,
     .equal = vq_equal<&Rep::administrative_state_>, .creatable = true, .storeable = true,
     .gdmo = Rep::administrative_state, .width = kQ},
    {.number = Agent::get_community_string, .name = "get_community_string",
     .label = "get_community_string: \"", .print = vq_print_quoted<&Rep::get_community_string_>,
     .equal = vq_equal<&Rep::get_community_string_>, .creatable = true, .storeable = true,
     .gdmo = Rep::rpc_get_community_string, .decode = vq_decode_text<&Rep::get_community_string_>,
     .encode = vq_encode_text<&Rep::get_community_string_, 0>, .width = kQ},
    {.number = Agent::set_community_string, .name = "set_community_string",
     .label = "set_community_string: \"", .print = vq_print_quoted<&Rep::set_community_string_>,
     .equal = vq_equal<&Rep::set_community_string_>, .creatable = true, .storeable = true,
     .gdmo = Rep::rpc_set_community_string, .decode = vq_decode_text<&Rep::set_community_string_>,
     .encode = vq_encode_text<&Rep::set_community_string_, 0>, .width = kQ},
    {.number = Agent::schemas, .name = "schemas", .print = vq_print_list<&Rep::schemas_>,
     .equal = vq_equal<&Rep::schemas_>, .creatable = true, .storeable = true, .gdmo = Rep::agent_set,
     .decode = vq_decode_list<&Rep::schemas_, hvx::TAG_SET, SchemaCodec>,
     .value = vq_list_value<&Rep::schemas_, hvx::TAG_SET, SchemaCodec>},
  };
  // clang-format on
}

const VQAttributeTable<VQRpcAgentRep>& VQRpcAgentRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQRpcAgent::", rows(), 1, Rep::gdmo_attribute_names(),
                                           Rep::gdmo_attribute_count, class_of);
  return table;
}

const std::string* VQRpcAgentRep::gdmo_attribute_names() {
  static const std::string names[gdmo_attribute_count] = {
      VQ_RPC_AGENT_ID,
      VQ_RPC_AGENT_MPA_ADDRESS_INFO,
      VQ_RPC_AGENT_ADMINISTRATIVE_STATE,
      VQ_RPC_AGENT_OPERATIONAL_STATE,
      VQ_RPC_AGENT_MANAGED_DNS,
      VQ_RPC_AGENT_AGENT_ADDRESS_TAG,
      VQ_RPC_AGENT_AGENT_ADDRESS_INFO,
      VQ_RPC_AGENT_GET_COMMUNITY_STRING,
      VQ_RPC_AGENT_SET_COMMUNITY_STRING,
      VQ_RPC_AGENT_AGENT_SET,
  };
  return names;
}
