// A world of one server, L, with the platform object initialised over it; and, per agent
// kind, an agent that can be created there and the name it goes by.
#ifndef DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
#define DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dedavuz_api/cmip_agent.h"
#include "dedavuz_api/rpc_agent.h"
#include "dedavuz_api/snmp_agent.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "support/request_faults.h"
#include "support/vq_test.h"

namespace agent_testing {

// The names of an agent class's attributes and of the number after the last, by blanks.
template <typename Agent>
std::string attribute_names() {
  std::string names;
  for (int n = 0; n <= Agent::attribute_count; ++n) {
    names += (n ? " " : "") + Agent::get_attribute_name(static_cast<typename Agent::Attribute>(n));
  }
  return names;
}

template <typename Agent>
VQIntegerSet set_of(std::initializer_list<long> members) {
  return vq_testing::set_of(Agent::attribute_count, members);
}

template <typename Agent>
struct Kind;

template <>
struct Kind<VQCmipAgent> {
  static VQCmipAgentDn dn() { return {"L", "agt1"}; }
  static constexpr const char* relative = "agentTableType=\"CMIP\"/agentId=id:\"agt1\"";
  static VQCmipAgent creatable() {
    VQCmipAgent agent(dn());
    EXPECT_VQ_ALL_OK(agent.set_administrative_state(VQAgent::locked),
                     agent.set_agent_address_info(""), agent.set_agent_address_tag(2),
                     agent.set_application_entity_title("t"), agent.set_presentation_selector("p"),
                     agent.set_session_selector("s"), agent.set_transport_selector("t"),
                     agent.set_network_sap("n"));
    return agent;
  }
};

template <>
struct Kind<VQSnmpAgent> {
  static VQSnmpAgentDn dn() { return {"L", "s1"}; }
  static constexpr const char* relative =
      "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId=\"s1\"";
  static VQSnmpAgent creatable() {
    VQSnmpAgent agent(dn());
    EXPECT_VQ_ALL_OK(
        agent.set_administrative_state(VQAgent::unlocked), agent.set_system_title("1.3.6.1.2.1"),
        agent.set_get_community_string("public"), agent.set_set_community_string("private"),
        agent.set_transport_address("10.1.2.3:1161"), agent.set_supported_mibs({"mib-2", "host"}),
        agent.set_management_protocol(VQSnmpAgent::snmp_v2),
        agent.set_access_control_enforcement(VQSnmpAgent::both),
        agent.set_access_control_mechanism(VQSnmpAgent::internet));
    return agent;
  }
};

template <>
struct Kind<VQRpcAgent> {
  static VQRpcAgentDn dn() { return {"L", "r1"}; }
  static constexpr const char* relative = "agentTableType=\"RPC\"/agentId=id:\"r1\"";
  static VQRpcAgent creatable() {
    VQRpcAgent agent(dn());
    EXPECT_VQ_ALL_OK(agent.set_administrative_state(VQAgent::locked),
                     agent.set_get_community_string("g"), agent.set_set_community_string("s"),
                     agent.set_schemas({{"inventory", "proxy-a"}, {"billing", "proxy-b"}}));
    return agent;
  }
};

class AgentWorldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    platform() = world_->connect();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  }
  static hvx::Platform& platform() { return hvx::Platform::default_platform(); }

  std::shared_ptr<hvx::World> world_;
};

}  // namespace agent_testing

#endif  // DEDAVUZ_TESTS_AGENT_AGENT_WORLD_H_
