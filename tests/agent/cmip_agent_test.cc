// A CMIP agent held locally: its accessor rules, comparison and printed form.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "agent_world.h"
#include "dedavuz_api/cmip_agent.h"
#include "dedavuz_api/cmip_agent_rep.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using A = VQCmipAgent;
using Code = VQStatus::Code;
using Names = VQList<std::string>;
using vq_testing::printed;

const auto set_of = agent_testing::set_of<A>;

const VQCmipAgentDn kDn("L", "agt1");
const char* const kB = "/systemId=name:\"B\"";

// Every attribute given a value, the operational state (never set locally) aside.
A populated() {
  A agent(kDn);
  EXPECT_VQ_ALL_OK(
      agent.set_mpa_address_info("mpa-host", 5000, false),
      agent.set_administrative_state(VQAgent::shuttingdown), agent.set_agent_address_info("{a}"),
      agent.set_agent_address_tag(3), agent.set_managed_objects({kB, "systemId=name:\"C\""}),
      agent.set_application_entity_title("title"), agent.set_presentation_selector("p"),
      agent.set_session_selector("s"), agent.set_transport_selector("t"),
      agent.set_network_sap("mis:B"), agent.set_name_translation("x"),
      agent.set_application_entity_qualifier("q"), agent.set_application_entity_invoke_id(7),
      agent.set_application_process_invoke_id(-8));
  return agent;
}

TEST(CmipAgentTest, NamesAndGettersOfUnsetAttributes) {
  EXPECT_EQ(agent_testing::attribute_names<A>(),
            "operational_state administrative_state dn mpa_address_info agent_address_info "
            "agent_address_tag managed_objects application_entity_title presentation_selector "
            "session_selector transport_selector network_sap name_translation "
            "application_entity_qualifier application_entity_invoke_id "
            "application_process_invoke_id Unknown");
  A agent = populated();
  agent.clear_all_attributes();
  std::string text = "kept";
  int number = 42;
  bool flag = false;
  VQAgent::OperationalState operational;
  VQAgent::AdministrativeState administrative;
  VQCmipAgentDn dn;
  Names list;
  const std::function<VQStatus()> getters[] = {
      [&] { return agent.get_operational_state(operational); },
      [&] { return agent.get_administrative_state(administrative); },
      [&] { return agent.get_dn(dn); },
      [&] { return agent.get_mpa_address_info(text, number, flag); },
      [&] { return agent.get_agent_address_info(text); },
      [&] { return agent.get_agent_address_tag(number); },
      [&] { return agent.get_managed_objects(list); },
      [&] { return agent.get_application_entity_title(text); },
      [&] { return agent.get_presentation_selector(text); },
      [&] { return agent.get_session_selector(text); },
      [&] { return agent.get_transport_selector(text); },
      [&] { return agent.get_network_sap(text); },
      [&] { return agent.get_name_translation(text); },
      [&] { return agent.get_application_entity_qualifier(text); },
      [&] { return agent.get_application_entity_invoke_id(number); },
      [&] { return agent.get_application_process_invoke_id(number); },
  };
  for (int n = 0; n < A::attribute_count; ++n) {
    EXPECT_VQ_ERROR_TEXT(getters[n](), Code::attribute_not_set,
                         "VQCmipAgent::" + A::get_attribute_name(static_cast<A::Attribute>(n)));
  }
  EXPECT_EQ(text + std::to_string(number), "kept42");
  EXPECT_TRUE(list.empty() && dn.is_null() && !flag);
}

TEST(CmipAgentTest, ANullMpaAddressKeepsHostAndPort) {
  A agent(kDn);
  std::string host = "mine";
  int port = 1;
  bool none = false;
  ASSERT_VQ_ALL_OK(agent.set_mpa_address_info("h", 5, false),
                   agent.set_mpa_address_info("other", 6, true),
                   agent.get_mpa_address_info(host, port, none));
  EXPECT_TRUE(none);
  EXPECT_EQ(host + std::to_string(port), "mine1");
  ASSERT_VQ_ALL_OK(agent.set_mpa_address_info("", 0, false),
                   agent.get_mpa_address_info(host, port, none));
  EXPECT_FALSE(none);
  EXPECT_EQ(host + std::to_string(port), "0");
  // The null address printed is NULL whatever it keeps.
  VQCmipAgentRep::MpaAddress a{true, "h", 5}, b{true, "g", 6};
  EXPECT_EQ(a, b);
  EXPECT_EQ(printed(a), "NULL");
  a.no_address = b.no_address = false;
  EXPECT_NE(a, b);
}

// Names are held in canonical form; a refused name ends a setting, keeping those before it
// and the activity as it was.
TEST(CmipAgentTest, ManagedObjectsAreKeptInCanonicalForm) {
  A agent(kDn);
  Names objects;
  ASSERT_VQ_OK(agent.add_managed_object("systemId=name:\"B\""));
  EXPECT_VQ_ERROR_TEXT(agent.add_managed_object(kB), Code::already_exists, kB);
  EXPECT_VQ_ERROR_TEXT(agent.add_managed_object("/nonsense=1"), Code::invalid_argument,
                       "/nonsense=1");
  EXPECT_EQ(vq_testing::got(agent, &A::get_managed_objects), Names{kB});
  agent.clear_all_attributes();
  EXPECT_VQ_ERROR(agent.set_managed_objects({"systemId=name:\"C\"", "=", kB}),
                  Code::invalid_argument);
  EXPECT_VQ_ERROR(agent.get_managed_objects(objects), Code::attribute_not_set);
}

TEST(CmipAgentTest, PrintsEachActiveAttributeInItsOrder) {
  EXPECT_EQ(printed(populated()),
            "                            dn: L:agt1\n"
            "              mpa_address_info: hostname: \"mpa-host\" port: 5000\n"
            "          administrative_state: \"shuttingdown\"\n"
            "            agent_address_info: \"{a}\"\n"
            "             agent_address_tag: 3\n"
            "               managed_objects: { /systemId=name:\"B\" /systemId=name:\"C\" }\n"
            "      application_entity_title: \"title\"\n"
            "         presentation_selector: \"p\"\n"
            "              session_selector: \"s\"\n"
            "            transport_selector: \"t\"\n"
            "                   network_sap: \"mis:B\"\n"
            "              name_translation: \"x\"\n"
            "  application_entity_qualifier: \"q\"\n"
            "  application_entity_invoke_id: \"7\n"
            " application_process_invoke_id: \"-8\n");
}

// One change per attribute, each found by a diff and by a comparison over it alone.
TEST(CmipAgentTest, ComparisonFindsEachDifferingAttribute) {
  const A base = populated();
  const std::pair<long, std::function<VQStatus(A&)>> changes[] = {
      {3, [](A& a) { return a.set_mpa_address_info("mpa-host", 5001, false); }},
      {1, [](A& a) { return a.set_administrative_state(VQAgent::locked); }},
      {2, [](A& a) { return a.set_dn(VQCmipAgentDn("L", "agt2")); }},
      {4, [](A& a) { return a.set_agent_address_info("{b}"); }},
      {5, [](A& a) { return a.set_agent_address_tag(4); }},
      {6, [](A& a) { return a.set_managed_objects({kB}); }},
      {7, [](A& a) { return a.set_application_entity_title("T"); }},
      {8, [](A& a) { return a.set_presentation_selector("P"); }},
      {9, [](A& a) { return a.set_session_selector("S"); }},
      {10, [](A& a) { return a.set_transport_selector("T"); }},
      {11, [](A& a) { return a.set_network_sap("n"); }},
      {12, [](A& a) { return a.set_name_translation("X"); }},
      {13, [](A& a) { return a.set_application_entity_qualifier("Q"); }},
      {14, [](A& a) { return a.set_application_entity_invoke_id(70); }},
      {15, [](A& a) { return a.set_application_process_invoke_id(80); }},
  };
  for (const auto& [number, change] : changes) {
    A changed = base;
    ASSERT_VQ_OK(change(changed));
    VQIntegerSet differing = set_of({0});
    EXPECT_TRUE(base.diff_all_attributes(changed, differing));
    EXPECT_EQ(differing, set_of({0, number})) << number;
    EXPECT_FALSE(base.compare_some_attributes(changed, set_of({number})));
    EXPECT_TRUE(base.compare_some_attributes(changed, !set_of({number})));
    EXPECT_NE(base, changed);
  }
  // Managed objects in another order are the same; the copy is deep.
  A reordered = base;
  ASSERT_VQ_OK(reordered.set_managed_objects({"systemId=name:\"C\"", kB}));
  EXPECT_EQ(base, reordered);
  reordered = reordered;
  EXPECT_EQ(base, reordered);
}

}  // namespace
