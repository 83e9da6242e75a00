// Agents in the forms the agent handles write and read them, their notifications, the
// connection manager's registrations, the FDN table and connection-state reports.
#include <gtest/gtest.h>

#include "hvx/asn1.h"
#include "topo_fixture.h"

namespace {

using hvx::Asn1Tag;
using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Image;
using hvx::Morf;

constexpr const char* kCmipAgent = "/systemId=name:\"L\"/agentTableType=\"CMIP\"/agentId=\"agt1\"";

Morf morf_of(const char* attribute, const Asn1Value& value) {
  Morf morf(std::string_view(attribute), hvx::Platform::def_platform);
  EXPECT_TRUE(morf.set_value(value)) << attribute;
  return morf;
}
Asn1Value enumerated(long n) {
  Asn1Value value;
  value.encode_enum(n);
  return value;
}

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

// Created as the CMIP agent handle creates one, read back as it loads one.
TEST_F(TopoAgentsTest, CmipAgentEntityAttributes) {
  hvx::EventRecorder recorder(platform_);
  Image agent(kCmipAgent, "cmipAgentEntity", platform_);
  ASSERT_TRUE(agent.set_raw("administrativeState", morf_of("administrativeState", enumerated(1))));
  Asn1Value managed;
  managed.start_construct(hvx::TAG_SET);
  managed.add_component(hvx::fdn2oi("/systemId=name:\"B\""));
  ASSERT_TRUE(agent.set_raw("managedDNs", morf_of("managedDNs", managed)));
  ASSERT_TRUE(agent.set_long("agentAddressTag", 3));
  ASSERT_TRUE(agent.set_str("applicationEntityTitle", "title", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.set_str("presentationSelector", "\\001\\002", hvx::REPLACE, 4));
  ASSERT_TRUE(agent.set_str("sessionSelector", "s", hvx::REPLACE, 4));
  ASSERT_TRUE(agent.set_str("transportSelector", "t", hvx::REPLACE, 4));
  ASSERT_TRUE(agent.set_str("networkSAP", "mis:B", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.set_str("agentAddressInfo", "{\\001\\002,s,t,mis:B}", hvx::REPLACE, 4));
  ASSERT_TRUE(agent.set_str("operationalState", "enabled", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.create(Image())) << agent.get_error_string();

  Image loaded(kCmipAgent, "cmipAgentEntity", platform_);
  ASSERT_TRUE(loaded.boot(
      hvx::DUArray{"agentId", "mpaAddressInfo", "administrativeState", "operationalState",
                   "managedDNs", "agentAddressTag", "agentAddressInfo", "applicationEntityTitle",
                   "presentationSelector", "sessionSelector", "transportSelector", "networkSAP",
                   "nameXlatFlag", "aeQualifier", "apInvokeId", "aeInvokeId"}));
  EXPECT_EQ(loaded.get_attr_names().size(), 16u);
  EXPECT_EQ(loaded.get_raw("operationalState").get_value().tag(), hvx::TAG_ENUM);
  EXPECT_EQ(loaded.get_long("operationalState"), 1);
  EXPECT_EQ(loaded.get_long("administrativeState"), 1);
  // No MPA address was given: [1] NULL.
  EXPECT_EQ(loaded.get_raw("mpaAddressInfo").get_value().tag(), Asn1Tag(Asn1Tag::CONTEXT, 1));
  const hvx::MorfArray dns = loaded.get_raw("managedDNs").split_array();
  ASSERT_EQ(dns.count(), 1u);
  EXPECT_EQ(hvx::oi2fdn(dns[0].get_value()), "/systemId=name:\"B\"");
  EXPECT_EQ(loaded.get_str("presentationSelector", 0).str(), std::string("\x01\x02"));
  EXPECT_EQ(loaded.get_str("agentAddressInfo", 0).str(), std::string("{\x01\x02,s,t,mis:B}"));
  EXPECT_EQ(loaded.get_long("agentAddressTag"), 3);
  EXPECT_EQ(loaded.get_str("nameXlatFlag", 0).str(), "");
  EXPECT_EQ(loaded.get_long("aeInvokeId"), 0);

  // An MPA address: [0] { host, port }.
  Asn1Value address;
  address.start_construct(hvx::TAG_SEQ);
  Asn1Value host;
  host.encode_octets("mpa-host", hvx::TAG_GRAPHSTR);
  Asn1Value port;
  port.encode_int(5000);
  address.add_component(host);
  address.add_component(port);
  address.make_explicit_tagged(Asn1Tag(Asn1Tag::CONTEXT, 0));
  ASSERT_TRUE(loaded.set_raw("mpaAddressInfo", morf_of("mpaAddressInfo", address)));
  ASSERT_TRUE(loaded.store()) << loaded.get_error_string();
  const Asn1Value read = this->read(Image(kCmipAgent, "", platform_), "mpaAddressInfo").get_value();
  ASSERT_EQ(read.tag(), Asn1Tag(Asn1Tag::CONTEXT, 0));
  long number = 0;
  EXPECT_TRUE(read.first_component().component(1).decode_int(number));
  EXPECT_EQ(number, 5000);

  ASSERT_TRUE(loaded.destroy());
  platform_.dispatch_recursive(false);
  // Creation and deletion are reported under the agent class, named as the local server
  // names them; the creation carries the agent's values, and its image boots.
  std::vector<std::string> seen;
  for (const hvx::CurrentEvent& event : recorder.events()) {
    hvx::Oid oid;
    if (!event.get_message().get_object_class().decode_oid(oid) ||
        oid != hvx::Oid("1.3.6.1.4.1.7351.2.2.2.10.3.3")) {
      continue;
    }
    seen.push_back(hvx::get_shortname(event.get_name().view()) + " " + event.get_objname().str());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "objectCreation agentTableType=\"CMIP\"/agentId=id:\"agt1\"",
                      "attributeValueChange agentTableType=\"CMIP\"/agentId=id:\"agt1\"",
                      "objectDeletion agentTableType=\"CMIP\"/agentId=id:\"agt1\""}));
  Image created = recorder.events().front().get_image(1);
  EXPECT_EQ(created.get_str("networkSAP").str(), "mis:B");
  EXPECT_TRUE(created.boot(hvx::DUArray{"agentId", "managedDNs", "networkSAP"}));
  EXPECT_FALSE(created.exists());  // deleted since
}

TEST_F(TopoAgentsTest, SnmpProxyAgentAttributes) {
  const std::string name = prefix("B") +
                           "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/"
                           "cmipsnmpProxyAgentId=\"s1\"";
  Image agent(DataUnit(name), "cmipsnmpProxyAgent", platform_);
  ASSERT_TRUE(agent.set_raw("adminState", morf_of("adminState", enumerated(0))));
  Asn1Value title;
  title.encode_oid(hvx::Oid("1.3.6.1.2.1"));
  ASSERT_TRUE(agent.set_raw("systemTitle", morf_of("systemTitle", title)));
  ASSERT_TRUE(agent.set_str("snmpGetCommunityString", "public", hvx::REPLACE, 0));
  const std::string address("\x0a\x01\x02\x03\x00\xa1", 6);
  ASSERT_TRUE(agent.set_str("transportAddress", DataUnit(address), hvx::REPLACE, 0));
  ASSERT_TRUE(agent.set_str("supportedMIBs", "{ps : \"a\",ps : \"b\"}", hvx::REPLACE, 0));
  ASSERT_TRUE(
      agent.set_str("managementProtocol", "{ 1 3 6 1 4 1 7351 2 2 2 9 2 4 3 2 }", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.set_long("accessControlEnforcement", 3));
  ASSERT_TRUE(agent.set_str("mpaAddressInfo", "NULL", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.set_str("opState", "enabled", hvx::REPLACE, 0));
  ASSERT_TRUE(agent.create(Image())) << agent.get_error_string();

  Image loaded(DataUnit(name), "cmipsnmpProxyAgent", platform_);
  ASSERT_TRUE(loaded.boot());
  EXPECT_EQ(loaded.get_str("transportAddress", 0).str(), address);
  EXPECT_EQ(loaded.get_long("adminState"), 0);
  EXPECT_EQ(loaded.get_long("opState"), 1);
  hvx::Oid oid;
  ASSERT_TRUE(loaded.get_raw("managementProtocol").get_value().decode_oid(oid));
  EXPECT_EQ(oid.format(), "1.3.6.1.4.1.7351.2.2.2.9.2.4.3.2");
  ASSERT_TRUE(loaded.get_raw("systemTitle").get_value().decode_oid(oid));
  EXPECT_EQ(oid.format(), "1.3.6.1.2.1");
  std::vector<std::string> mibs;
  for (const Morf& mib : loaded.get_raw("supportedMIBs").split_array())
    mibs.push_back(mib.get_str(0));
  EXPECT_EQ(mibs, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(loaded.get_long("accessControlEnforcement"), 3);
  EXPECT_EQ(loaded.get_long("accessControlMechanism"), 0);
  EXPECT_EQ(loaded.get_str("snmpSetCommunityString", 0).str(), "");
}

TEST_F(TopoAgentsTest, RpcAgentAttributes) {
  const std::string name = prefix("C") + "agentTableType=\"RPC\"/agentId=\"r1\"";
  Image agent(DataUnit(name), "rpcAgent", platform_);
  ASSERT_TRUE(agent.set_raw("administrativeState", morf_of("administrativeState", enumerated(2))));
  Asn1Value schemas;
  schemas.start_construct(hvx::TAG_SET);
  for (const char* schema : {"inventory", "billing"}) {
    Asn1Value entry;
    entry.start_construct(hvx::TAG_SEQ);
    Asn1Value text;
    text.encode_octets(schema);
    entry.add_component(text);
    text.encode_octets(std::string("proxy-") + schema);
    entry.add_component(text);
    schemas.add_component(entry);
  }
  ASSERT_TRUE(agent.set_raw("agentSet", morf_of("agentSet", schemas)));
  for (const auto& [attribute, text] :
       std::vector<std::pair<const char*, const char*>>{{"operationalState", "enabled"},
                                                        {"mpaAddressInfo", "NULL"},
                                                        {"managedDNs", "{}"},
                                                        {"agentAddressInfo", ""},
                                                        {"agentAddressTag", "7"}}) {
    ASSERT_TRUE(agent.set_str(attribute, text, hvx::REPLACE, 0)) << attribute;
  }
  ASSERT_TRUE(agent.create(Image())) << agent.get_error_string();
  const Asn1Value set = read(Image(DataUnit(name), "rpcAgent", platform_), "agentSet").get_value();
  ASSERT_EQ(set.tag(), hvx::TAG_SET);
  ASSERT_EQ(set.num_comps(), 2u);
  std::string proxy;
  EXPECT_TRUE(set.component(1).component(1).decode_octets(proxy));
  EXPECT_EQ(proxy, "proxy-billing");
  EXPECT_EQ(read_long(Image(DataUnit(name), "", platform_), "administrativeState"), 2);
  EXPECT_EQ(read_long(Image(DataUnit(name), "", platform_), "agentAddressTag"), 7);
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
  std::vector<std::string> held;
  for (const Morf& entry : read(manager, "registrations").split_array()) {
    held.push_back(entry.get_str(0));
  }
  EXPECT_EQ(held, (std::vector<std::string>{"{\"B\"," + number + "}", "{\"C\"," + number + "}"}));
  EXPECT_EQ(call("deregisterConnection", "B"), 1);
  EXPECT_EQ(call("deregisterConnection", "B"), -1);
  EXPECT_EQ(last_error_, "invalidArgumentValue: deregisterConnection: application " + number +
                             " is not registered for \"B\"");
  EXPECT_EQ(call("registerConnection", "Nowhere"), -1);
  EXPECT_EQ(
      last_error_,
      "invalidArgumentValue: registerConnection: no system \"Nowhere\" is reached from \"L\"");
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
