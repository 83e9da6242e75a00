// Agents in the forms the agent handles write and read them, their notifications, the
// connection manager's registrations, the FDN table and connection-state reports.
#include <gtest/gtest.h>

#include <tuple>

#include "hvx/asn1.h"
#include "topo_fixture.h"

namespace {

using hvx::Asn1Tag;
using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Image;
using hvx::Morf;

constexpr const char* kCmipAgent = "/systemId=name:\"L\"/agentTableType=\"CMIP\"/agentId=\"agt1\"";

// What the platform object reads from a connection-state report: the system path from the
// misId components of the name and the value in the information, the agents listed, and
// the state.
struct ConnectionReport {
  std::string path;
  std::vector<std::string> agents;
  std::string state;
};

ConnectionReport read_report(const hvx::CurrentEvent& event, const std::string& local) {
  ConnectionReport report{local, {}, ""};
  const std::string name = event.get_objname().str();
  size_t start = 0;
  while (start <= name.size()) {
    const size_t end = std::min(name.find('/', start), name.size());
    std::string component = name.substr(start, end - start);
    if (component.find("misId") != std::string::npos) {
      component = component.substr(std::min<size_t>(7, component.size()));
      while (!component.empty() && component.back() == '"') component.pop_back();
      report.path += "/" + component;
    }
    start = end + 1;
  }
  const std::string info = event.get_info().str();
  const size_t list = info.find("agentList");
  if (list != std::string::npos) {
    std::string rest = info.substr(list);
    rest = rest.substr(std::min(rest.find('{') + 2, rest.size()));
    rest = rest.substr(0, rest.find('}'));
    for (size_t at = 0; at <= rest.size();) {
      const size_t comma = std::min(rest.find(',', at), rest.size());
      const std::string piece = rest.substr(at, comma - at);
      if (piece.find('"') != std::string::npos) {
        report.agents.push_back(
            piece.substr(piece.find('"') + 1, piece.rfind('"') - piece.find('"') - 1));
      }
      at = comma + 1;
    }
  }
  std::string body = info;
  while (!body.empty() && body.front() == '{') body.erase(0, 1);
  while (!body.empty() && body.back() == '}') body.pop_back();
  for (size_t at = 0; at <= body.size();) {
    const size_t comma = std::min(body.find(',', at), body.size());
    const std::string piece = body.substr(at, comma - at);
    if (piece.find(':') == std::string::npos) {
      if (piece.find("currentState") != std::string::npos) {
        report.state = piece.substr(piece.rfind(' ') + 1);
      }
    } else {
      std::string value = piece.substr(piece.rfind(':') + 2);
      while (!value.empty() && value.front() == '"') value.erase(0, 1);
      while (!value.empty() && value.back() == '"') value.pop_back();
      report.path = report.path.empty() ? value : report.path + "/" + value;
    }
    at = comma + 1;
  }
  return report;
}

class TopoAgentsTest : public hvx_testing::TopoTest {
 protected:
  // The reports of the connection class, as the platform object picks them out.
  static std::vector<hvx::CurrentEvent> reports(const hvx::EventRecorder& recorder) {
    std::vector<hvx::CurrentEvent> out;
    for (const hvx::CurrentEvent& event : recorder.events()) {
      hvx::Oid oid;
      if (event.get_message().get_object_class().decode_oid(oid) &&
          oid == hvx::Oid("1.3.6.1.4.1.7351.2.2.2.201.3.1") &&
          hvx::get_shortname(event.get_name().view()) == "connectionStateChange") {
        out.push_back(event);
      }
    }
    return out;
  }
};

// Each agent class: what a creation leaves out starts plain; what it gives is kept in the
// forms the agent handles write (value notation, format 0 texts, format 4 selectors).
TEST_F(TopoAgentsTest, AgentsStartPlainAndKeepWhatTheyAreGiven) {
  using Staged = std::vector<std::tuple<const char*, std::string, int>>;
  const std::string snmp = prefix("B") + "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/";
  const struct {
    std::string name;
    const char* cls;
    Staged staged;
    std::string held;  // format 1
  } cases[] = {
      {kCmipAgent,
       "cmipAgentEntity",
       {},
       "agentId=id : \"agt1\", mpaAddressInfo=noAddress : NULL, managedDNs={}, agentAddressTag=0, "
       "agentAddressInfo=\"\", applicationEntityTitle=\"\", presentationSelector=\"\", "
       "sessionSelector=\"\", transportSelector=\"\", networkSAP=\"\", nameXlatFlag=\"\", "
       "aeQualifier=\"\", apInvokeId=0, aeInvokeId=0, administrativeState=unlocked, "
       "operationalState=enabled"},
      {kCmipAgent,
       "\"VQ MPA\":cmipAgent",
       {},
       "agentId=id : \"agt1\", mpaAddressInfo=noAddress : NULL, managedDNs={}, agentAddressTag=0, "
       "agentAddressInfo=\"\", applicationEntityTitle=\"\", presentationSelector=\"\", "
       "sessionSelector=\"\", transportSelector=\"\", networkSAP=\"\", nameXlatFlag=\"\", "
       "aeQualifier=\"\", apInvokeId=0, aeInvokeId=0, administrativeState=unlocked, "
       "operationalState=enabled"},
      {kCmipAgent,
       "cmipAgentEntity",
       {{"administrativeState", "locked", 1},
        {"operationalState", "disabled", 1},
        {"managedDNs", "{/systemId=name:\"B\"}", 1},
        {"agentAddressTag", "3", 1},
        {"mpaAddressInfo", "address : {\"mpa-host\",5000}", 1},
        {"applicationEntityTitle", "title", 0},
        {"networkSAP", "mis:B", 0},
        {"presentationSelector", "\\001\\002", 4},
        {"sessionSelector", "s", 4},
        {"transportSelector", "t", 4},
        {"agentAddressInfo", "{\\001\\002,s,t,mis:B}", 4},
        {"nameXlatFlag", "x", 0},
        {"aeQualifier", "q", 0},
        {"apInvokeId", "7", 1},
        {"aeInvokeId", "8", 1}},
       "agentId=id : \"agt1\", mpaAddressInfo=address : {\"mpa-host\",5000}, "
       "managedDNs={/systemId=name:\"B\"}, agentAddressTag=3, "
       "agentAddressInfo=\"{\\001\\002,s,t,mis:B}\", applicationEntityTitle=\"title\", "
       "presentationSelector=\"\\001\\002\", sessionSelector=\"s\", transportSelector=\"t\", "
       "networkSAP=\"mis:B\", nameXlatFlag=\"x\", aeQualifier=\"q\", apInvokeId=7, aeInvokeId=8, "
       "administrativeState=locked, operationalState=disabled"},
      {snmp + "cmipsnmpProxyAgentId=\"s1\"",
       "cmipsnmpProxyAgent",
       {},
       "cmipsnmpProxyAgentId=\"s1\", adminState=unlocked, opState=enabled, systemTitle={ 0 0 }, "
       "snmpGetCommunityString=\"\", snmpSetCommunityString=\"\", "
       "transportAddress=\"\\000\\000\\000\\000\\000\\000\", supportedMIBs={}, "
       "managementProtocol={ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 1 }, accessControlEnforcement=1, "
       "accessControlMechanism=0, mpaAddressInfo=noAddress : NULL"},
      {snmp + "cmipsnmpProxyAgentId=\"s1\"",
       "cmipsnmpProxyAgent",
       {{"adminState", "locked", 1},
        {"opState", "disabled", 1},
        {"systemTitle", "{ 1 3 6 1 2 1 }", 1},
        {"snmpGetCommunityString", "public", 0},
        {"snmpSetCommunityString", "private", 0},
        {"transportAddress", std::string("\x0a\x01\x02\x03\x00\xa1", 6), 0},
        {"supportedMIBs", "{ps : \"a\",ps : \"b\"}", 1},
        {"managementProtocol", "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 2 }", 1},
        {"accessControlEnforcement", "3", 1},
        {"accessControlMechanism", "4", 1},
        {"mpaAddressInfo", "NULL", 1}},
       "cmipsnmpProxyAgentId=\"s1\", adminState=locked, opState=disabled, systemTitle={ 1 3 6 1 2 "
       "1 }, snmpGetCommunityString=\"public\", snmpSetCommunityString=\"private\", "
       "transportAddress=\"\\012\\001\\002\\003\\000\\241\", supportedMIBs={ps : \"a\",ps : "
       "\"b\"}, managementProtocol={ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 2 }, "
       "accessControlEnforcement=3, accessControlMechanism=4, mpaAddressInfo=noAddress : NULL"},
      {prefix("C") + "agentTableType=\"RPC\"/agentId=\"r1\"",
       "rpcAgent",
       {},
       "agentId=id : \"r1\", mpaAddressInfo=noAddress : NULL, managedDNs={}, agentAddressTag=0, "
       "agentAddressInfo=\"\", rpcGetCommunityString=\"\", rpcSetCommunityString=\"\", "
       "agentSet={}, administrativeState=unlocked, operationalState=enabled"},
      {prefix("C") + "agentTableType=\"RPC\"/agentId=\"r1\"",
       "rpcAgent",
       {{"administrativeState", "shuttingDown", 1},
        {"managedDNs", "{}", 1},
        {"agentAddressTag", "7", 1},
        {"agentAddressInfo", "", 0},
        {"rpcGetCommunityString", "g", 0},
        {"rpcSetCommunityString", "s", 0},
        {"agentSet", "{{\"inventory\",\"proxy-inventory\"},{\"billing\",\"proxy-billing\"}}", 1}},
       "agentId=id : \"r1\", mpaAddressInfo=noAddress : NULL, managedDNs={}, agentAddressTag=7, "
       "agentAddressInfo=\"\", rpcGetCommunityString=\"g\", rpcSetCommunityString=\"s\", "
       "agentSet={{\"inventory\",\"proxy-inventory\"},{\"billing\",\"proxy-billing\"}}, "
       "administrativeState=shuttingDown, operationalState=enabled"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + " " + std::to_string(c.staged.size()));
    Image agent(DataUnit(c.name), c.cls, platform_);
    for (const auto& [attribute, text, format] : c.staged) {
      ASSERT_TRUE(agent.set_str(attribute, DataUnit(text), hvx::REPLACE, format)) << attribute;
    }
    ASSERT_TRUE(agent.create(Image())) << agent.get_error_string();
    EXPECT_EQ(whole(Image(DataUnit(c.name), "", platform_), 1), c.held);
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
  ASSERT_TRUE(agent.set_str("agentAddressTag", "3"));
  ASSERT_TRUE(agent.store());
  ASSERT_TRUE(agent.destroy());
  platform_.dispatch_recursive(false);
  std::vector<std::string> seen;
  for (const hvx::CurrentEvent& event : recorder.events()) {
    hvx::Oid oid;
    ASSERT_TRUE(event.get_message().get_object_class().decode_oid(oid));
    EXPECT_EQ(oid, hvx::Oid("1.3.6.1.4.1.7351.2.2.2.10.3.3"));
    seen.push_back(hvx::get_shortname(event.get_name().view()) + " " + event.get_objname().str());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "objectCreation agentTableType=\"CMIP\"/agentId=id:\"agt1\"",
                      "attributeValueChange agentTableType=\"CMIP\"/agentId=id:\"agt1\"",
                      "objectDeletion agentTableType=\"CMIP\"/agentId=id:\"agt1\""}));
  Image created = recorder.events().front().get_image(1);
  EXPECT_EQ(created.get_str("networkSAP").str(), "mis:B");
  EXPECT_EQ(created.get_str("administrativeState").str(), "unlocked");
  EXPECT_EQ(recorder.events()[1].get_image(1).get_long("agentAddressTag"), 3);
}

// Registrations as the platform object makes them: the connection manager named with a
// blank before its last RDN, booted, then the action with {"system",number}.
TEST_F(TopoAgentsTest, ConnectionManagerKeepsRegistrations) {
  Image manager("/systemId=name:\"L\"/subsystemId=\"VQ-MIS\" /connectMgrId=\"ConnectMgr\"",
                "\"Connection Manager Document\":connectMgr", platform_);
  ASSERT_TRUE(manager.boot(120.0));
  ASSERT_TRUE(manager.exists());
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
  const struct {
    const char* action;
    std::string argument;
    std::string error;
  } refusals[] = {
      {"deregisterConnection", "{\"B\"," + number + "}",
       "invalidArgumentValue: deregisterConnection: application " + number +
           " is not registered for \"B\""},
      {"registerConnection", "{\"Nowhere\"," + number + "}",
       "invalidArgumentValue: registerConnection: no system \"Nowhere\" is reached from \"L\""},
      {"deregisterConnection", "{\"Nowhere\"," + number + "}",
       "invalidArgumentValue: deregisterConnection: no system \"Nowhere\" is reached from \"L\""},
      {"registerConnection", "{\"B\",0}",
       "invalidArgumentValue: registerConnection: application numbers are positive"},
  };
  for (const auto& r : refusals) {
    EXPECT_FALSE(manager.call(r.action, DataUnit(r.argument)).has_value()) << r.argument;
    EXPECT_EQ(std::string(manager.get_error_string()), r.error);
  }
  EXPECT_EQ(read_texts(manager, "registrations"),
            std::vector<std::string>{"{\"C\"," + number + "}"});
  // B keeps its own.
  Image on_b(DataUnit(prefix("B") + "subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\""), "",
             platform_);
  EXPECT_EQ(on_b.call("registerConnection", "{\"C\",9}").get_long(), 1);
  EXPECT_EQ(on_b.call("registerConnection", "{\"L\",9}").has_value(), false);
}

// The FDN tables list the linked systems with the agent through which each is reached, as
// discovery reads them, from the local server and from B.
TEST_F(TopoAgentsTest, FdnTablesLeadDiscoveryToEverySystem) {
  const struct {
    const char* system;
    const char* listed;
    std::string agent_table;
  } cases[] = {
      {"L", "B", "/systemId=name:\"L\"/agentTableType=\"CMIP\""},
      {"B", "C", "/serverTableType=\"mis\"/misId=\"B\"/agentTableType=\"CMIP\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.system);
    Image table(DataUnit(prefix(c.system) + "subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\""),
                "vqFdn", platform_);
    const Morf reply = table.call("vqListFdns", "NULL");
    ASSERT_EQ(reply.num_elements(), 1u) << table.get_error_string();
    const Asn1Value entry = reply.get_value().first_component();
    EXPECT_EQ(hvx::oi2fdn(entry.component(0)), "/systemId=name:\"" + std::string(c.listed) + "\"");
    std::string encoded;
    ASSERT_TRUE(entry.component(1).first_component().component(2).decode_octets(encoded));
    Asn1Value instance;
    ASSERT_TRUE(Asn1Value::decode(DataUnit(encoded), instance).ok());
    const std::string fdn = hvx::oi2fdn(instance);
    const std::string id = fdn.substr(fdn.find("agentId=id:") + 11);
    Image agent(DataUnit(c.agent_table + "/agentId=id:" + id), "", platform_);
    ASSERT_TRUE(agent.boot(hvx::DUArray{"networkSAP"}));
    ASSERT_TRUE(agent.exists());
    EXPECT_EQ(agent.get_str("networkSAP").str(), "mis:" + std::string(c.listed));
  }
}

// Connection-state reports, through the world and through a fault plan, read as the
// platform object reads them.
TEST_F(TopoAgentsTest, ConnectionStateReportsNameTheSystemAndItsAgents) {
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(world_->set_connected("B", false));
  ASSERT_TRUE(world_->set_connected("B", true));
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->disconnect_server(1, "C").reconnect_server(3, "C");
  hvx::install_fault_plan(platform_, plan);
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", "C"), std::vector<long>{});
  EXPECT_EQ(last_error_, "notConnected: C");
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", "B"), std::vector<long>{1});
  EXPECT_EQ(call_ids("topoNodeGetByName", "\"Root\"", "C"), std::vector<long>{1});
  platform_.dispatch_recursive(false);
  std::vector<std::string> seen;
  for (const hvx::CurrentEvent& event : reports(recorder)) {
    const ConnectionReport report = read_report(event, "L");
    std::string agents;
    for (const std::string& agent : report.agents) agents += " " + agent;
    seen.push_back(report.path + " " + report.state + agents);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"L/B notConnected C", "L/B connected C",
                                            "L/B/C notConnected", "L/B/C connected"}));
}

}  // namespace
