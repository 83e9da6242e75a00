// SNMP proxy agents: held locally (accessors, transport addresses, printing, comparison)
// and on the embedded server (every attribute round-trips, the server's forms, refusals,
// every request refused in turn).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "agent_world.h"
#include "dedavuz_api/snmp_agent.h"
#include "dedavuz_api/snmp_agent_rep.h"
#include "hvx/ber.h"
#include "hvx/image.h"

namespace {

using S = VQSnmpAgent;
using Code = VQStatus::Code;
using Names = VQList<std::string>;
using Address = VQSnmpAgentRep::TransportAddress;
using vq_testing::printed;

VQIntegerSet set_of(std::initializer_list<long> members) {
  return vq_testing::set_of(S::attribute_count, members);
}

const VQSnmpAgentDn kDn("L", "s1");
const char* const kRelative =
    "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId=\"s1\"";

S populated() {
  S agent(kDn);
  EXPECT_VQ_ALL_OK(
      agent.set_administrative_state(VQAgent::unlocked), agent.set_system_title("1.3.6.1.2.1"),
      agent.set_get_community_string("public"), agent.set_set_community_string("private"),
      agent.set_transport_address("10.1.2.3:1161"), agent.set_supported_mibs({"mib-2", "host"}),
      agent.set_management_protocol(S::snmp_v2), agent.set_access_control_enforcement(S::both),
      agent.set_access_control_mechanism(S::internet));
  return agent;
}

TEST(SnmpAgentTest, NamesEnumerationsAndTransportAddresses) {
  EXPECT_EQ(agent_testing::attribute_names<S>(),
            "operational_state administrative_state dn system_title get_community_string "
            "set_community_string transport_address supported_mibs management_protocol "
            "access_control_enforcement access_control_mechanism Unknown");
  EXPECT_EQ(printed(S::snmp_v1) + printed(S::snmp_v2) + printed(S::agent) + printed(S::proxy) +
                printed(S::both) + printed(S::no_access_control) + printed(S::internet) +
                printed(S::iso) + printed(static_cast<S::AccessControlEnforcement>(0)),
            "snmp_v1snmp_v2agentproxybothno_access_controlinternetiso0");

  const struct {
    const char* text;
    const char* held;  // "" when refused
  } cases[] = {{"10.1.2.3", "10.1.2.3:161"},
               {"10.1.2.3:1161", "10.1.2.3:1161"},
               {"10 . 1 . 2 . 3", "10.1.2.3:161"},
               {" 10.1.2.3 : 162", "10.1.2.3:162"},
               {"10.1.2", ""},
               {"10.1.2.3:", ""},
               {"host:161", ""},
               {"", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    S agent(kDn);
    std::string held = "kept";
    if (*c.held == '\0') {
      EXPECT_VQ_ERROR_TEXT(agent.set_transport_address(c.text), Code::invalid_argument,
                           "VQSnmpAgent::transport_address");
      EXPECT_VQ_ERROR(agent.get_transport_address(held), Code::attribute_not_set);
      EXPECT_EQ(held, "kept");
      EXPECT_TRUE(Address(c.text).is_null());
    } else {
      EXPECT_VQ_OK(agent.set_transport_address(c.text));
      EXPECT_VQ_OK(agent.get_transport_address(held));
      EXPECT_EQ(held, c.held);
      EXPECT_EQ(printed(Address(c.text)), c.held);
    }
  }
  EXPECT_EQ(printed(Address()), "null");
  EXPECT_EQ(Address(), Address("x"));
  EXPECT_NE(Address(), Address(0, 0, 0, 0, 0));
  EXPECT_NE(Address(1, 2, 3, 4, 5), Address(1, 2, 3, 4, 6));
}

TEST(SnmpAgentTest, ListsSetsAndPrinting) {
  S agent(kDn);
  Names mibs;
  EXPECT_VQ_ERROR_TEXT(agent.remove_supported_mib("a"), Code::attribute_not_set,
                       "VQSnmpAgent::supported_mibs");
  ASSERT_VQ_OK(agent.add_supported_mib("a"));
  EXPECT_VQ_ERROR_TEXT(agent.add_supported_mib("a"), Code::already_exists, "a");
  EXPECT_VQ_ERROR_TEXT(agent.remove_supported_mib("b"), Code::does_not_exist, "b");
  ASSERT_VQ_OK(agent.remove_supported_mib("a"));
  ASSERT_VQ_OK(agent.get_supported_mibs(mibs));
  EXPECT_TRUE(mibs.empty());
  ASSERT_VQ_OK(agent.set_supported_mibs({"x"}));
  agent.clear_all_attributes();
  EXPECT_VQ_ERROR(agent.get_supported_mibs(mibs), Code::attribute_not_set);
  ASSERT_VQ_OK(agent.add_supported_mib("a"));
  ASSERT_VQ_OK(agent.get_supported_mibs(mibs));
  EXPECT_EQ(mibs, Names{"a"});

  EXPECT_EQ(S::get_valid_attributes(create), VQIntegerSet(S::attribute_count, true));
  EXPECT_EQ(S::get_valid_attributes(store), set_of({1, 4, 5, 6, 7, 8}));
  EXPECT_EQ(S::get_mandatory_attributes(create), set_of({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(S::get_mandatory_attributes(store), set_of({S::dn}));

  EXPECT_EQ(printed(populated()),
            "                            dn: L:s1\n"
            "          administrative_state: \"unlocked\"\n"
            "                  system_title: \"1.3.6.1.2.1\"\n"
            "          get_community_string: \"public\"\n"
            "          set_community_string: \"private\"\n"
            "             transport_address: \"10.1.2.3:1161\"\n"
            "                supported_mibs: { mib-2 host }\n"
            "           management_protocol: \"snmp_v2\"\n"
            "    access_control_enforcement: \"both\"\n"
            "      access_control_mechanism: \"internet\"\n");

  S other = populated();
  ASSERT_VQ_OK(other.set_supported_mibs({"host", "mib-2"}));
  EXPECT_EQ(populated(), other);
  ASSERT_VQ_OK(other.set_transport_address("10.1.2.3"));
  VQIntegerSet differing(S::attribute_count);
  EXPECT_TRUE(populated().diff_all_attributes(other, differing));
  EXPECT_EQ(differing, set_of({S::transport_address}));
}

class SnmpAgentServerTest : public agent_testing::AgentWorldTest {
 protected:
  hvx::Image booted() {
    hvx::Image image(hvx::DataUnit(kDn.slash_form()), "cmipsnmpProxyAgent", platform());
    EXPECT_TRUE(image.boot()) << image.get_error_string();
    return image;
  }
};

TEST_F(SnmpAgentServerTest, EveryAttributeRoundTrips) {
  std::mt19937 random(7351);
  const auto pick = [&](int n) { return static_cast<int>(random() % n); };
  const auto text = [&] { return std::string("c") + std::to_string(random()) + "\xe9 \"x"; };
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    S agent(kDn);
    S loaded(kDn);  // read over what it read before
    // New values created, then new values stored: what each sent reads back.
    for (const bool stored : {false, true}) {
      Names mibs;
      for (int n = pick(4); n > 0; --n) mibs.append("mib" + std::to_string(random() % 100));
      ASSERT_VQ_ALL_OK(
          agent.set_administrative_state(static_cast<VQAgent::AdministrativeState>(pick(3))),
          agent.set_system_title("1.3." + std::to_string(random() % 1000) + ".7"),
          agent.set_get_community_string(text()), agent.set_set_community_string(text()),
          agent.set_transport_address(std::to_string(pick(256)) + ".0.255." +
                                      std::to_string(pick(256)) + ":" +
                                      std::to_string(pick(65536))),
          agent.set_supported_mibs(mibs),
          agent.set_management_protocol(static_cast<S::ManagementProtocol>(pick(2))),
          agent.set_access_control_enforcement(
              static_cast<S::AccessControlEnforcement>(1 + pick(3))),
          agent.set_access_control_mechanism(static_cast<S::AccessControlMechanism>(pick(3))));
      ASSERT_VQ_OK(stored ? agent.store_all_attributes() : agent.create_with_all_attributes());
      ASSERT_VQ_OK(loaded.load_all_attributes());
      VQIntegerSet differing(S::attribute_count);
      const VQIntegerSet sent =
          stored ? S::get_valid_attributes(store) : !set_of({S::operational_state});
      EXPECT_FALSE(agent.diff_some_attributes(loaded, sent, differing))
          << printed(agent) << printed(loaded);
      VQAgent::OperationalState operational = VQAgent::disabled;
      ASSERT_VQ_OK(loaded.get_operational_state(operational));
      EXPECT_EQ(operational, VQAgent::enabled);
    }
    ASSERT_VQ_OK(agent.destroy());
  }
}

TEST_F(SnmpAgentServerTest, ServerFormsAndRefusals) {
  S agent = populated();
  EXPECT_VQ_ERROR_TEXT(agent.create_with_some_attributes(set_of({1, 2, 3, 4, 5, 6, 7, 8})),
                       Code::missing_mandatory_attribute,
                       "VQSnmpAgent::access_control_enforcement, ");
  ASSERT_VQ_OK(agent.create_with_all_attributes());
  hvx::Image image = booted();
  EXPECT_EQ(image.get_str("supportedMIBs").str(), "{ps : \"mib-2\",ps : \"host\"}");
  EXPECT_EQ(image.get_str("mpaAddressInfo").str(), "noAddress : NULL");
  EXPECT_EQ(image.get_str("transportAddress").str(), std::string("\x0a\x01\x02\x03\x04\x89", 6));
  EXPECT_VQ_ERROR_TEXT(agent.store_some_attributes(set_of({S::system_title})),
                       Code::attribute_not_storeable, "VQSnmpAgent::system_title, ");
  EXPECT_VQ_ERROR_TEXT(S(VQSnmpAgentDn("L", "none")).load_all_attributes(),
                       Code::object_does_not_exist,
                       "/systemId=name:\"L\"/internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/"
                       "cmipsnmpProxyAgentId=\"none\"");

  // The six bytes of a transport address; values the handle does not know.
  ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kRelative, "transportAddress",
                                       hvx::ber::octets(std::string("\x0a\x01\x02\x03\x00\xa1", 6)))
                  .ok());
  S loaded(kDn);
  ASSERT_VQ_OK(loaded.load_some_attributes(set_of({S::transport_address})));
  std::string address;
  ASSERT_VQ_OK(loaded.get_transport_address(address));
  EXPECT_EQ(address, "10.1.2.3:161");
  const struct {
    const char* attribute;
    hvx::Asn1Value value;
    S::Attribute number;
  } bad[] = {
      {"accessControlEnforcement", hvx::ber::integer(0), S::access_control_enforcement},
      {"accessControlEnforcement", hvx::ber::integer(4), S::access_control_enforcement},
      {"accessControlMechanism", hvx::ber::integer(3), S::access_control_mechanism},
      {"accessControlMechanism", hvx::ber::integer(-1), S::access_control_mechanism},
      {"managementProtocol", hvx::ber::oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.9.2.4.3.3")),
       S::management_protocol},
      {"transportAddress", hvx::ber::octets("\x0a\x01\x02"), S::transport_address},
  };
  for (const auto& [attribute, value, number] : bad) {
    SCOPED_TRACE(attribute);
    ASSERT_VQ_OK(agent.destroy());
    ASSERT_VQ_OK(agent.create_with_all_attributes());
    ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kRelative, attribute, value).ok());
    S reader(kDn);
    EXPECT_VQ_ERROR_TEXT(reader.load_all_attributes(), Code::decode_error,
                         "VQSnmpAgent::" + S::get_attribute_name(number));
  }
  // A system title that is not an identifier cannot be sent.
  S odd(VQSnmpAgentDn("L", "s2"));
  ASSERT_VQ_OK(odd.set_system_title("not an oid"));
  EXPECT_VQ_ERROR_TEXT(odd.create_with_some_attributes(set_of({1, 2, 3, 4, 5, 6, 7, 8, 9})),
                       Code::encode_error, "VQSnmpAgent::system_title");
  EXPECT_FALSE(odd.exists());
}

TEST_F(SnmpAgentServerTest, EachRequestRefusedInTurn) {
  vq_testing::expect_each_request_refused_cleanly<S>(
      populated(), kDn, [](S& agent) { return agent.set_supported_mibs({"changed"}); });
}

}  // namespace
