// SNMP proxy agents: held locally (accessors, transport addresses, printing, comparison)
// and on the embedded server (the server's forms and refusals).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "agent_world.h"
#include "dedavuz_api/snmp_agent.h"
#include "dedavuz_api/snmp_agent_rep.h"
#include "hvx/ber.h"
#include "hvx/image.h"

namespace {

using S = VQSnmpAgent;
using Code = VQStatus::Code;
using Address = VQSnmpAgentRep::TransportAddress;
using vq_testing::printed;

const auto set_of = agent_testing::set_of<S>;

const VQSnmpAgentDn kDn("L", "s1");
const char* const kRelative = agent_testing::Kind<S>::relative;

S populated() { return agent_testing::Kind<S>::creatable(); }

TEST(SnmpAgentTest, NamesEnumerationsAndTransportAddresses) {
  EXPECT_EQ(agent_testing::attribute_names<S>(),
            "operational_state administrative_state dn system_title get_community_string "
            "set_community_string transport_address supported_mibs management_protocol "
            "access_control_enforcement access_control_mechanism Unknown");
  EXPECT_EQ(printed(S::snmp_v1) + printed(S::snmp_v2) + printed(S::agent) + printed(S::proxy) +
                printed(S::both) + printed(S::no_access_control) + printed(S::internet) +
                printed(S::iso) + printed(static_cast<S::AccessControlEnforcement>(0)),
            "snmp_v1snmp_v2agentproxybothno_access_controlinternetiso0");

  // Each text and the address held from it ("" when it is refused).
  const std::pair<const char*, const char*> cases[] = {{"10.1.2.3", "10.1.2.3:161"},
                                                       {"10.1.2.3:1161", "10.1.2.3:1161"},
                                                       {"10 . 1 . 2 . 3", "10.1.2.3:161"},
                                                       {" 10.1.2.3 : 162", "10.1.2.3:162"},
                                                       {"10.1.2", ""},
                                                       {"10.1.2.3:", ""},
                                                       {"host:161", ""},
                                                       {"", ""}};
  for (const auto& [text, address] : cases) {
    SCOPED_TRACE(text);
    S agent(kDn);
    std::string held = "kept";
    if (*address == '\0') {
      EXPECT_VQ_ERROR_TEXT(agent.set_transport_address(text), Code::invalid_argument,
                           "VQSnmpAgent::transport_address");
      EXPECT_VQ_ERROR(agent.get_transport_address(held), Code::attribute_not_set);
      EXPECT_EQ(held, "kept");
    } else {
      EXPECT_VQ_ALL_OK(agent.set_transport_address(text), agent.get_transport_address(held));
      EXPECT_EQ(held, address);
    }
  }
  EXPECT_EQ(printed(Address()), "null");
  EXPECT_EQ(Address(), Address("x"));
  EXPECT_NE(Address(), Address(0, 0, 0, 0, 0));
  EXPECT_NE(Address(1, 2, 3, 4, 5), Address(1, 2, 3, 4, 6));
}

TEST(SnmpAgentTest, SetsPrintingAndComparison) {
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

using SnmpAgentServerTest = agent_testing::AgentWorldTest;

TEST_F(SnmpAgentServerTest, ServerFormsAndRefusals) {
  S agent = populated();
  EXPECT_VQ_ERROR_TEXT(agent.create_with_some_attributes(set_of({1, 2, 3, 4, 5, 6, 7, 8})),
                       Code::missing_mandatory_attribute,
                       "VQSnmpAgent::access_control_enforcement, ");
  ASSERT_VQ_OK(agent.create_with_all_attributes());
  hvx::Image image = booted(kDn.slash_form(), "cmipsnmpProxyAgent");
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
  EXPECT_EQ(vq_testing::got(loaded, &S::get_transport_address), "10.1.2.3:161");
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
    ASSERT_VQ_ALL_OK(agent.destroy(), agent.create_with_all_attributes());
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

}  // namespace
