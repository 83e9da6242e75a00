// Agents in the forms the agent handles write and read them, their notifications, the
// connection manager's registrations, the FDN table and connection-state reports.
#include <gtest/gtest.h>

#include <tuple>

#include "topo_fixture.h"

namespace {

using hvx::DataUnit;
using hvx::Image;
using hvx::Morf;

constexpr const char* kCmipAgent = "/systemId=name:\"L\"/agentTableType=\"CMIP\"/agentId=\"agt1\"";

using TopoAgentsTest = hvx_testing::TopoTest;

// Each agent class: what a creation leaves out starts plain. (That what it gives is kept,
// the agent handles' round trips show.)
TEST_F(TopoAgentsTest, AgentsStartPlain) {
  const std::string plain_cmip =
      "agentId=id : \"agt1\", mpaAddressInfo=noAddress : NULL, managedDNs={}, agentAddressTag=0, "
      "agentAddressInfo=\"\", applicationEntityTitle=\"\", presentationSelector=\"\", "
      "sessionSelector=\"\", transportSelector=\"\", networkSAP=\"\", nameXlatFlag=\"\", "
      "aeQualifier=\"\", apInvokeId=0, aeInvokeId=0, administrativeState=unlocked, "
      "operationalState=enabled";
  const std::string snmp = prefix("B") + "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/";
  // held: format 1
  const std::tuple<std::string, const char*, std::string> cases[] = {
      {kCmipAgent, "cmipAgentEntity", plain_cmip},
      {kCmipAgent, "\"VQ MPA\":cmipAgent", plain_cmip},
      {snmp + "cmipsnmpProxyAgentId=\"s1\"", "cmipsnmpProxyAgent",
       "cmipsnmpProxyAgentId=\"s1\", adminState=unlocked, opState=enabled, systemTitle={ 0 0 }, "
       "snmpGetCommunityString=\"\", snmpSetCommunityString=\"\", "
       "transportAddress=\"\\000\\000\\000\\000\\000\\000\", supportedMIBs={}, "
       "managementProtocol={ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 1 }, accessControlEnforcement=1, "
       "accessControlMechanism=0, mpaAddressInfo=noAddress : NULL"},
      {prefix("C") + "agentTableType=\"RPC\"/agentId=\"r1\"", "rpcAgent",
       "agentId=id : \"r1\", mpaAddressInfo=noAddress : NULL, managedDNs={}, agentAddressTag=0, "
       "agentAddressInfo=\"\", rpcGetCommunityString=\"\", rpcSetCommunityString=\"\", "
       "agentSet={}, administrativeState=unlocked, operationalState=enabled"},
  };
  for (const auto& [name, cls, held] : cases) {
    SCOPED_TRACE(name);
    Image agent(DataUnit(name), cls, platform_);
    ASSERT_TRUE(agent.create(Image())) << agent.get_error_string();
    EXPECT_EQ(whole(Image(DataUnit(name), "", platform_), 1), held);
    ASSERT_TRUE(agent.destroy());
  }
}

// Creation and deletion are reported under the agent class, named as the local server
// names them; the creation carries the agent's values.
TEST_F(TopoAgentsTest, AgentChangesAreNotifiedUnderTheAgentClass) {
  hvx::EventRecorder recorder(platform_);
  Image agent(kCmipAgent, "cmipAgentEntity", platform_);
  ASSERT_TRUE(agent.set_str("networkSAP", "mis:B", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.create(Image())) << agent.get_error_string();
  ASSERT_TRUE(agent.set_str("agentAddressTag", "3") && agent.store() && agent.destroy());
  platform_.dispatch_recursive(false);
  for (const hvx::CurrentEvent& event : recorder.events()) {
    hvx::Oid oid;
    ASSERT_TRUE(event.get_message().get_object_class().decode_oid(oid));
    EXPECT_EQ(oid, hvx::Oid("1.3.6.1.4.1.7351.2.2.2.10.3.3"));
  }
  EXPECT_EQ(
      recorder.summary(),
      (std::vector<std::string>{"objectCreation agentTableType=\"CMIP\"/agentId=id:\"agt1\"",
                                "attributeValueChange agentTableType=\"CMIP\"/agentId=id:\"agt1\"",
                                "objectDeletion agentTableType=\"CMIP\"/agentId=id:\"agt1\""}));
  Image created = recorder.events().front().get_image(1);
  EXPECT_EQ(created.get_str("networkSAP").str(), "mis:B");
  EXPECT_EQ(recorder.events()[1].get_image(1).get_long("agentAddressTag"), 3);
}

// Registrations as the platform object makes them: the connection manager named with a
// blank before its last RDN, booted, then the action with {"system",number}.
TEST_F(TopoAgentsTest, ConnectionManagerKeepsRegistrations) {
  Image manager("/systemId=name:\"L\"/subsystemId=\"VQ-MIS\" /connectMgrId=\"ConnectMgr\"",
                "\"Connection Manager Document\":connectMgr", platform_);
  ASSERT_TRUE(manager.boot(120.0) && manager.exists());
  const std::string application = platform_.get_prop("APPLICATION_OBJNAME").str();
  const std::string number = application.substr(application.rfind('=') + 1);
  auto call = [&](const char* action, const std::string& system) {
    const Morf reply = manager.call(action, DataUnit("{\"" + system + "\"," + number + "}"));
    last_error_ = manager.get_error_string();
    return reply.has_value() ? reply.get_long() : -1;
  };
  EXPECT_EQ(call("registerConnection", "B"), 1);
  EXPECT_EQ(call("registerConnection", "B"), 1);
  EXPECT_EQ(call("registerConnection", "C"), 2);
  EXPECT_EQ(read_texts(manager, "registrations"),
            (std::vector<std::string>{"{\"B\"," + number + "}", "{\"C\"," + number + "}"}));
  EXPECT_EQ(call("deregisterConnection", "B"), 1);
  // Refusals, with the texts the registration reports: what is not held, a system the
  // server does not reach, a number below 1, an argument of another form.
  const std::tuple<const char*, std::string, std::string> refusals[] = {
      {"deregisterConnection", "{\"B\"," + number + "}",
       "invalidArgumentValue: deregisterConnection: application " + number +
           " is not registered for \"B\""},
      {"registerConnection", "{\"Nowhere\"," + number + "}",
       "invalidArgumentValue: registerConnection: no system \"Nowhere\" is reached from \"L\""},
      {"registerConnection", "{\"B\",0}",
       "invalidArgumentValue: registerConnection: application numbers are positive"},
  };
  for (const auto& [action, argument, error] : refusals) {
    EXPECT_FALSE(manager.call(action, DataUnit(argument)).has_value()) << argument;
    EXPECT_EQ(std::string(manager.get_error_string()), error);
  }
  EXPECT_EQ(read_texts(manager, "registrations"),
            std::vector<std::string>{"{\"C\"," + number + "}"});
  // B keeps its own.
  Image on_b(DataUnit(prefix("B") + "subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\""), "",
             platform_);
  EXPECT_EQ(on_b.call("registerConnection", "{\"C\",9}").get_long(), 1);
  EXPECT_EQ(on_b.call("registerConnection", "{\"L\",9}").has_value(), false);
}

// Connection-state reports of a server a fault plan disconnects, under the connection
// class, as the platform object reads them (the world's own are WorldTest's).
TEST_F(TopoAgentsTest, ConnectionStateReportsNameTheSystemAndItsAgents) {
  hvx::EventRecorder recorder(platform_);
  install_plan().disconnect_server(1, "C").reconnect_server(3, "C");
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", "C"), std::vector<long>{});
  EXPECT_EQ(last_error_, "notConnected: C");
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", "B"), std::vector<long>{1});
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", "C"), std::vector<long>{1});
  platform_.dispatch_recursive(false);
  // The reports of the connection class as the platform object picks them out, name and
  // information as printed: it reads the system path from the misId values, then the
  // state and the agents.
  std::vector<std::string> reports;
  for (const hvx::CurrentEvent& event : recorder.events()) {
    hvx::Oid oid;
    if (event.get_message().get_object_class().decode_oid(oid) &&
        oid == hvx::Oid("1.3.6.1.4.1.7351.2.2.2.201.3.1") &&
        hvx::get_shortname(event.get_name().view()) == "connectionStateChange") {
      reports.push_back(event.get_objname().str() + " " + event.get_info().str());
    }
  }
  EXPECT_EQ(reports, (std::vector<std::string>{
                         "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\" "
                         "{misId : \"C\",currentState notConnected,agentList { }}",
                         "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\" "
                         "{misId : \"C\",currentState connected,agentList { }}"}));
}

}  // namespace
