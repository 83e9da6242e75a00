#include "topo/agents.h"

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "hvx/ber.h"
#include "schema.h"
#include "server.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

struct Default {
  std::string_view attribute;
  std::string_view notation;
};

constexpr Default kCmipDefaults[] = {
    {"mpaAddressInfo", "NULL"},
    {"administrativeState", "unlocked"},
    {"operationalState", "enabled"},
    {"managedDNs", "{}"},
    {"agentAddressTag", "0"},
    {"agentAddressInfo", "\"\""},
    {"applicationEntityTitle", "\"\""},
    {"presentationSelector", "\"\""},
    {"sessionSelector", "\"\""},
    {"transportSelector", "\"\""},
    {"networkSAP", "\"\""},
    {"nameXlatFlag", "\"\""},
    {"aeQualifier", "\"\""},
    {"apInvokeId", "0"},
    {"aeInvokeId", "0"},
};

constexpr Default kRpcDefaults[] = {
    {"mpaAddressInfo", "NULL"},
    {"administrativeState", "unlocked"},
    {"operationalState", "enabled"},
    {"managedDNs", "{}"},
    {"agentAddressTag", "0"},
    {"agentAddressInfo", "\"\""},
    {"rpcGetCommunityString", "\"\""},
    {"rpcSetCommunityString", "\"\""},
    {"agentSet", "{}"},
};

constexpr Default kSnmpDefaults[] = {
    {"mpaAddressInfo", "NULL"},
    {"adminState", "unlocked"},
    {"opState", "enabled"},
    {"systemTitle", "{ 0 0 }"},
    {"snmpGetCommunityString", "\"\""},
    {"snmpSetCommunityString", "\"\""},
    {"supportedMIBs", "{}"},
    {"managementProtocol", "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 1 }"},
    {"accessControlEnforcement", "1"},
    {"accessControlMechanism", "0"},
};

using Values = std::vector<std::pair<Oid, Asn1Value>>;

Values resolve(std::span<const Default> defaults) {
  Values values;
  for (const Default& d : defaults) {
    values.emplace_back(Schema::get().oid_of(d.attribute), notation_value(d.attribute, d.notation));
  }
  return values;
}

ClassHooks filling(std::shared_ptr<const Values> values) {
  ClassHooks hooks;
  hooks.before_create = [values](Server&, ManagedObject& object) {
    for (const auto& [attribute, value] : *values) {
      if (!value.is_null()) object.attributes.try_emplace(attribute, value);
    }
    return Status::OK();
  };
  return hooks;
}

}  // namespace

void register_agents(Server& server) {
  const auto cmip = std::make_shared<const Values>(resolve(kCmipDefaults));
  server.register_hooks(R"("VQ CMIPAGENT ENTITY":cmipAgentEntity)", filling(cmip));
  server.register_hooks(R"("VQ MPA":cmipAgent)", filling(cmip));
  server.register_hooks(R"("VQ RPC AGENT":rpcAgent)",
                        filling(std::make_shared<const Values>(resolve(kRpcDefaults))));
  // The transport address is six bytes: the address, then the port, high byte first.
  Values snmp = resolve(kSnmpDefaults);
  snmp.emplace_back(Schema::get().oid_of("transportAddress"), ber::octets(std::string(6, '\0')));
  server.register_hooks(R"("VQ CMIPSNMP PROXY":cmipsnmpProxyAgent)",
                        filling(std::make_shared<const Values>(std::move(snmp))));
}

}  // namespace hvx::mis::topo
