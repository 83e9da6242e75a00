// CMIP agents created, loaded, stored and destroyed on the embedded server: the selector
// and address forms, and the refusals.
#include <gtest/gtest.h>

#include <string>

#include "agent_world.h"
#include "dedavuz_api/cmip_agent.h"
#include "dedavuz_api/cmip_agent_rep.h"
#include "hvx/ber.h"
#include "hvx/image.h"

namespace {

using A = VQCmipAgent;
using Code = VQStatus::Code;
using vq_testing::got;
using vq_testing::printed;

const auto set_of = agent_testing::set_of<A>;

const VQCmipAgentDn kDn("L", "agt1");
const char* const kRelative = agent_testing::Kind<A>::relative;

class CmipAgentPersistenceTest : public agent_testing::AgentWorldTest {
 protected:
  static A creatable() { return agent_testing::Kind<A>::creatable(); }
};

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
  ASSERT_VQ_ALL_OK(agent.set_presentation_selector("0x0102"), agent.set_network_sap("sap"),
                   agent.store_some_attributes(set_of({A::presentation_selector})));
  EXPECT_EQ(got(agent, &A::get_presentation_selector), "\\001\\002");
  EXPECT_EQ(got(agent, &A::get_agent_address_info), "{\x01\x02,,,sap}");
  ASSERT_VQ_OK(loaded.load_some_attributes(
      set_of({A::presentation_selector, A::agent_address_info, A::network_sap})));
  EXPECT_EQ(got(loaded, &A::get_presentation_selector), "0x0102");
  EXPECT_EQ(got(loaded, &A::get_network_sap), "n");
  EXPECT_EQ(got(loaded, &A::get_agent_address_info), "{p,s,t,n}");
  ASSERT_VQ_ALL_OK(agent.store_all_attributes(),
                   loaded.load_some_attributes(set_of({A::agent_address_info})));
  EXPECT_EQ(got(loaded, &A::get_agent_address_info), "{\x01\x02,s,t,sap}");
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
    EXPECT_EQ(vq_testing::active_of(bad), set_of({A::dn}));
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
    EXPECT_EQ(got(loaded, &A::get_session_selector), read);
  }
}

TEST_F(CmipAgentPersistenceTest, AnImageTheServerSentLoadsWhole) {
  ASSERT_VQ_OK(creatable().create_with_all_attributes());
  hvx::Image image(hvx::DataUnit(kDn.slash_form()), "cmipAgentEntity", platform());
  ASSERT_TRUE(image.boot());
  VQCmipAgentRep rep(kDn);
  rep.clear_all_attributes();
  ASSERT_VQ_OK(rep.load_all_attributes_from_image(image));
  EXPECT_EQ(vq_testing::active_of(rep), VQIntegerSet(A::attribute_count, true));
  A loaded(kDn);
  ASSERT_VQ_OK(loaded.load_all_attributes());
  EXPECT_EQ(printed(rep), printed(loaded));
}

}  // namespace
