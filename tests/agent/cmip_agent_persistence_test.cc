// CMIP agents created, loaded, stored and destroyed on the embedded server: every
// attribute round-trips, the selector and address forms, the refusals, and every request
// of each operation failed in turn.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "agent_world.h"
#include "dedavuz_api/cmip_agent.h"
#include "dedavuz_api/cmip_agent_rep.h"
#include "hvx/ber.h"
#include "hvx/image.h"

namespace {

using A = VQCmipAgent;
using Code = VQStatus::Code;
using Names = VQList<std::string>;
using vq_testing::printed;

VQIntegerSet set_of(std::initializer_list<long> members) {
  return vq_testing::set_of(A::attribute_count, members);
}

const VQCmipAgentDn kDn("L", "agt1");
const char* const kRelative = "agentTableType=\"CMIP\"/agentId=id:\"agt1\"";

class CmipAgentPersistenceTest : public agent_testing::AgentWorldTest {
 protected:
  // An agent with every attribute a creation needs.
  static A creatable() {
    A agent(kDn);
    EXPECT_VQ_ALL_OK(agent.set_administrative_state(VQAgent::locked),
                     agent.set_agent_address_info(""), agent.set_agent_address_tag(2),
                     agent.set_application_entity_title("t"), agent.set_presentation_selector("p"),
                     agent.set_session_selector("s"), agent.set_transport_selector("t"),
                     agent.set_network_sap("n"));
    return agent;
  }
};

std::string random_text(std::mt19937& random, bool selector) {
  // Selectors are written with backslash escapes decoded: no backslash in them.
  static const std::string kChars = "abcXYZ019 .:-{}\"\xe9";
  std::string text;
  for (int n = std::uniform_int_distribution<int>(0, 8)(random); n > 0; --n) {
    const char c = kChars[std::uniform_int_distribution<std::size_t>(0, kChars.size() - 1)(random)];
    if (!selector || c != '\xe9') text += c;
  }
  return text;
}

// A selector in hexadecimal with an unprintable byte, read back as given; or a text.
std::string random_selector(std::mt19937& random) {
  if (random() % 2 == 0) return std::string(1, 'x').append(random_text(random, true));
  std::string hex = "0x01";
  for (int n = std::uniform_int_distribution<int>(0, 4)(random); n > 0; --n) {
    char byte[3];
    std::snprintf(byte, sizeof byte, "%02x", std::uniform_int_distribution<int>(1, 255)(random));
    hex += byte;
  }
  return hex;
}

TEST_F(CmipAgentPersistenceTest, EveryAttributeRoundTrips) {
  std::mt19937 random(20261207);
  const char* const objects[] = {"/systemId=name:\"B\"",
                                 "/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=5",
                                 "/systemId=name:\"C\"/subsystemId=\"VQ-MIS\""};
  const auto number = [&] { return std::uniform_int_distribution<int>(-100000, 100000)(random); };
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    A agent(kDn);
    A loaded(kDn);  // read over what it read before
    // New values created, then new values stored: each time they read back as sent.
    for (const bool stored : {false, true}) {
      Names mos;
      for (const char* object : objects) {
        if (random() % 2 == 0) mos.append(object);
      }
      const std::string selectors[] = {random_selector(random), random_selector(random),
                                       random_selector(random)};
      ASSERT_VQ_ALL_OK(
          agent.set_mpa_address_info(random_text(random, false), number(), random() % 3 == 0),
          agent.set_administrative_state(static_cast<VQAgent::AdministrativeState>(random() % 3)),
          agent.set_agent_address_info("ignored"), agent.set_agent_address_tag(number()),
          agent.set_managed_objects(mos),
          agent.set_application_entity_title(random_text(random, false)),
          agent.set_presentation_selector(selectors[0]), agent.set_session_selector(selectors[1]),
          agent.set_transport_selector(selectors[2]),
          agent.set_network_sap(random_text(random, false)),
          agent.set_name_translation(random_text(random, false)),
          agent.set_application_entity_qualifier(random_text(random, false)),
          agent.set_application_entity_invoke_id(number()),
          agent.set_application_process_invoke_id(number()));
      ASSERT_VQ_OK(stored ? agent.store_all_attributes() : agent.create_with_all_attributes());
      // The address became the derived one; selectors in hexadecimal read back so.
      std::string address;
      ASSERT_VQ_OK(agent.get_agent_address_info(address));
      EXPECT_NE(address, "ignored");
      ASSERT_VQ_ALL_OK(agent.set_presentation_selector(selectors[0]),
                       agent.set_session_selector(selectors[1]),
                       agent.set_transport_selector(selectors[2]));
      ASSERT_VQ_OK(loaded.load_all_attributes());
      VQAgent::OperationalState operational = VQAgent::disabled;
      ASSERT_VQ_OK(loaded.get_operational_state(operational));
      EXPECT_EQ(operational, VQAgent::enabled);
      VQIntegerSet differing(A::attribute_count);
      EXPECT_FALSE(agent.diff_some_attributes(loaded, !set_of({A::operational_state}), differing))
          << printed(agent) << printed(loaded);
    }
    ASSERT_VQ_OK(agent.destroy());
  }
}

TEST_F(CmipAgentPersistenceTest, RefusalsNameWhatIsMissingOrNotAllowed) {
  A agent = creatable();
  EXPECT_VQ_ERROR_TEXT(agent.create_with_some_attributes(!set_of({A::network_sap})),
                       Code::missing_mandatory_attribute, "VQCmipAgent::network_sap, ");
  A nameless(kDn);
  nameless.clear_all_attributes();
  EXPECT_VQ_ERROR_TEXT(nameless.create_with_all_attributes(), Code::missing_mandatory_attribute,
                       "VQCmipAgent::administrative_state, dn, agent_address_info, "
                       "agent_address_tag, application_entity_title, presentation_selector, "
                       "session_selector, transport_selector, network_sap, ");
  EXPECT_VQ_ERROR_TEXT(agent.store_some_attributes(set_of({A::operational_state, A::dn})),
                       Code::attribute_not_storeable, "VQCmipAgent::operational_state, dn, ");
  EXPECT_VQ_ERROR_TEXT(A(kDn).load_all_attributes(), Code::object_does_not_exist,
                       "/systemId=name:\"L\"/agentTableType=\"CMIP\"/agentId=id:\"agt1\"");
  EXPECT_FALSE(agent.exists());
  // An agent the server does not hold can be neither stored nor destroyed.
  EXPECT_VQ_ERROR(agent.store_some_attributes(set_of({A::network_sap})), Code::hvx_error);
  EXPECT_VQ_ERROR(agent.destroy(), Code::hvx_error);
  EXPECT_FALSE(agent.exists());
  agent.clear_all_attributes();
  for (const VQStatus& status : {agent.destroy(), agent.load_all_attributes(),
                                 agent.store_some_attributes(set_of({A::operational_state}))}) {
    EXPECT_VQ_ERROR_TEXT(status, Code::missing_mandatory_attribute, "VQCmipAgent::dn");
  }
}

TEST_F(CmipAgentPersistenceTest, CreationEnablesAndStoresDeriveTheAddress) {
  A agent = creatable();
  ASSERT_VQ_OK(agent.set_administrative_state(VQAgent::unlocked));
  // The representation holds disabled: a creation sends enabled all the same.
  ASSERT_VQ_OK(agent.create_with_some_attributes(agent.get_mandatory_attributes(create) |
                                                 set_of({A::operational_state})));
  A loaded(kDn);
  ASSERT_VQ_OK(loaded.load_some_attributes(set_of({A::operational_state, A::agent_address_info})));
  EXPECT_EQ(printed(loaded),
            "                            dn: L:agt1\n"
            "             operational_state: \"enabled\"\n"
            "            agent_address_info: \"{p,s,t,n}\"\n");

  // A selector in hexadecimal goes as its bytes and stays as escapes; the address is
  // derived from what was staged, the network SAP as held.
  ASSERT_VQ_ALL_OK(agent.set_presentation_selector("0x0102"), agent.set_network_sap("sap"));
  ASSERT_VQ_OK(agent.store_some_attributes(set_of({A::presentation_selector})));
  std::string text;
  ASSERT_VQ_OK(agent.get_presentation_selector(text));
  EXPECT_EQ(text, "\\001\\002");
  ASSERT_VQ_OK(agent.get_agent_address_info(text));
  EXPECT_EQ(text, "{\x01\x02,,,sap}");
  ASSERT_VQ_OK(loaded.load_some_attributes(
      set_of({A::presentation_selector, A::agent_address_info, A::network_sap})));
  ASSERT_VQ_OK(loaded.get_presentation_selector(text));
  EXPECT_EQ(text, "0x0102");
  ASSERT_VQ_OK(loaded.get_network_sap(text));
  EXPECT_EQ(text, "n");
  ASSERT_VQ_OK(loaded.get_agent_address_info(text));
  EXPECT_EQ(text, "{p,s,t,n}");
  ASSERT_VQ_OK(agent.store_all_attributes());
  ASSERT_VQ_OK(loaded.load_some_attributes(set_of({A::agent_address_info})));
  ASSERT_VQ_OK(loaded.get_agent_address_info(text));
  EXPECT_EQ(text, "{\x01\x02,s,t,sap}");
}

TEST_F(CmipAgentPersistenceTest, MpaAddressesOfEitherFormAndMalformedOnes) {
  // The server holds [0] { host, port } for an address and [1] NULL for none.
  A agent = creatable();
  ASSERT_VQ_OK(agent.set_mpa_address_info("h", 7, false));
  ASSERT_VQ_OK(agent.create_with_all_attributes());
  hvx::Image image(hvx::DataUnit(kDn.slash_form()), "cmipAgentEntity", platform());
  ASSERT_TRUE(image.boot());
  EXPECT_EQ(image.get_str("mpaAddressInfo").str(), "address : {\"h\",7}");
  ASSERT_VQ_OK(agent.set_mpa_address_info("", 0, true));
  ASSERT_VQ_OK(agent.store_some_attributes(set_of({A::mpa_address_info})));
  ASSERT_TRUE(image.boot());
  EXPECT_EQ(image.get_str("mpaAddressInfo").str(), "noAddress : NULL");

  const hvx::Asn1Value malformed[] = {hvx::ber::integer(1),
                                      hvx::ber::explicit_tagged(hvx::ber::integer(1), 0),
                                      hvx::ber::explicit_tagged(hvx::ber::sequence(), 0)};
  for (const hvx::Asn1Value& value : malformed) {
    ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kRelative, "mpaAddressInfo", value).ok());
    A bad(kDn);
    EXPECT_VQ_ERROR_TEXT(
        bad.load_some_attributes(set_of({A::agent_address_tag, A::mpa_address_info})),
        Code::hvx_error, "VQCmipAgent::mpa_address");
    VQIntegerSet active;
    bad.get_active_attributes(active);
    EXPECT_EQ(active, set_of({A::dn}));
  }
}

TEST_F(CmipAgentPersistenceTest, SelectorTextForms) {
  const struct {
    const char* given;
    const char* hex;
    const char* octal;
  } cases[] = {
      {"\x01\x02", "0x0102", "\\001\\002"},
      {"\x01\xff\x10", "0x01ff10", "\\001\\377\\020"},
      {"", "0x", ""},
  };
  for (const auto& c : cases) {
    std::string text = c.given;
    translate_to_hex(text);
    EXPECT_EQ(text, c.hex);
    translate_to_octal(text);
    EXPECT_EQ(text, c.octal);
  }
  std::string odd = "0x123";
  translate_to_octal(odd);
  EXPECT_EQ(odd, "\\001\\043");
  std::string upper = "0xFfz1";
  translate_to_octal(upper);
  EXPECT_EQ(upper, "\\377\\000");
  std::string text(200, '\x01');
  translate_to_hex(text);
  EXPECT_EQ(text.size(), 2u + 2 * 126);

  // A server value with a byte that is not printable, or one after a zero byte.
  ASSERT_VQ_OK(creatable().create_with_all_attributes());
  for (const auto& [bytes, read] : {std::pair<std::string, std::string>("ab\x7f", "0x61627f"),
                                    {std::string("ab\0\x01", 4), "ab"},
                                    {"a b~", "a b~"}}) {
    ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kRelative, "sessionSelector",
                                         hvx::ber::octets(bytes))
                    .ok());
    A loaded(kDn);
    ASSERT_VQ_OK(loaded.load_some_attributes(set_of({A::session_selector})));
    std::string selector;
    ASSERT_VQ_OK(loaded.get_session_selector(selector));
    EXPECT_EQ(selector, read);
  }
}

TEST_F(CmipAgentPersistenceTest, AnImageTheServerSentLoadsWhole) {
  ASSERT_VQ_OK(creatable().create_with_all_attributes());
  hvx::Image image(hvx::DataUnit(kDn.slash_form()), "cmipAgentEntity", platform());
  ASSERT_TRUE(image.boot());
  VQCmipAgentRep rep(kDn);
  rep.clear_all_attributes();
  ASSERT_VQ_OK(rep.load_all_attributes_from_image(image));
  VQIntegerSet active;
  rep.get_active_attributes(active);
  EXPECT_EQ(active, VQIntegerSet(A::attribute_count, true));
  A loaded(kDn);
  ASSERT_VQ_OK(loaded.load_all_attributes());
  EXPECT_EQ(printed(rep), printed(loaded));
}

TEST_F(CmipAgentPersistenceTest, EachRequestRefusedInTurn) {
  vq_testing::expect_each_request_refused_cleanly<A>(
      creatable(), kDn, [](A& agent) { return agent.set_network_sap("changed"); });
}

}  // namespace
