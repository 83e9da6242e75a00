// What the three agent kinds share on the embedded server: every attribute round-trips,
// the list attribute adds and removes entries alike, and every request of each operation
// failed in turn leaves things clean.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "agent_world.h"

namespace agent_testing {
namespace {

using Code = VQStatus::Code;
using Names = VQList<std::string>;
using vq_testing::printed;

// Any text, with a byte outside ASCII unless it is for a selector (the server would send
// such a selector back in hexadecimal).
std::string random_text(std::mt19937& random, bool selector = false) {
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

int random_number(std::mt19937& random) { return static_cast<int>(random() % 200001) - 100000; }

VQAgent::AdministrativeState random_state(std::mt19937& random) {
  return static_cast<VQAgent::AdministrativeState>(random() % 3);
}

// New values for every attribute a creation sends; what is returned stages again what the
// send rewrote on the handle (selectors in hexadecimal come back as escapes).
std::function<void(VQCmipAgent&)> randomize(VQCmipAgent& agent, std::mt19937& random) {
  const char* const objects[] = {"/systemId=name:\"B\"",
                                 "/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=5",
                                 "/systemId=name:\"C\"/subsystemId=\"VQ-MIS\""};
  Names mos;
  for (const char* object : objects) {
    if (random() % 2 == 0) mos.append(object);
  }
  const std::string p = random_selector(random), s = random_selector(random),
                    t = random_selector(random);
  EXPECT_VQ_ALL_OK(
      agent.set_mpa_address_info(random_text(random), random_number(random), random() % 3 == 0),
      agent.set_administrative_state(random_state(random)), agent.set_agent_address_info("x"),
      agent.set_agent_address_tag(random_number(random)), agent.set_managed_objects(mos),
      agent.set_application_entity_title(random_text(random)), agent.set_presentation_selector(p),
      agent.set_session_selector(s), agent.set_transport_selector(t),
      agent.set_network_sap(random_text(random)), agent.set_name_translation(random_text(random)),
      agent.set_application_entity_qualifier(random_text(random)),
      agent.set_application_entity_invoke_id(random_number(random)),
      agent.set_application_process_invoke_id(random_number(random)));
  return [p, s, t](VQCmipAgent& sent) {
    EXPECT_VQ_ALL_OK(sent.set_presentation_selector(p), sent.set_session_selector(s),
                     sent.set_transport_selector(t));
  };
}

std::function<void(VQSnmpAgent&)> randomize(VQSnmpAgent& agent, std::mt19937& random) {
  const auto pick = [&](int n) { return static_cast<int>(random() % n); };
  Names mibs;
  for (int n = pick(4); n > 0; --n) mibs.append("mib" + std::to_string(pick(100)));
  EXPECT_VQ_ALL_OK(
      agent.set_administrative_state(random_state(random)),
      agent.set_system_title("1.3." + std::to_string(pick(1000)) + ".7"),
      agent.set_get_community_string(random_text(random)),
      agent.set_set_community_string(random_text(random)),
      agent.set_transport_address(std::to_string(pick(256)) + ".0.255." +
                                  std::to_string(pick(256)) + ":" + std::to_string(pick(65536))),
      agent.set_supported_mibs(mibs),
      agent.set_management_protocol(static_cast<VQSnmpAgent::ManagementProtocol>(pick(2))),
      agent.set_access_control_enforcement(
          static_cast<VQSnmpAgent::AccessControlEnforcement>(1 + pick(3))),
      agent.set_access_control_mechanism(
          static_cast<VQSnmpAgent::AccessControlMechanism>(pick(3))));
  return {};
}

std::function<void(VQRpcAgent&)> randomize(VQRpcAgent& agent, std::mt19937& random) {
  VQList<VQRpcAgent::Schema> schemas;
  for (int n = static_cast<int>(random() % 4); n > 0; --n) {
    schemas.append({random_text(random), random_text(random)});
  }
  EXPECT_VQ_ALL_OK(agent.set_administrative_state(random_state(random)),
                   agent.set_get_community_string(random_text(random)),
                   agent.set_set_community_string(random_text(random)), agent.set_schemas(schemas));
  return {};
}

// Something new for a store.
VQStatus change(VQCmipAgent& agent) { return agent.set_network_sap("changed"); }
VQStatus change(VQSnmpAgent& agent) { return agent.set_supported_mibs({"changed"}); }
VQStatus change(VQRpcAgent& agent) { return agent.set_set_community_string("changed"); }

// The kind's list attribute, and its two entries numbered 0 and 1 added and removed.
const char* const kObjects[] = {"/systemId=name:\"B\"", "systemId=name:\"C\""};
VQStatus add_entry(VQCmipAgent& a, int i) { return a.add_managed_object(kObjects[i]); }
VQStatus remove_entry(VQCmipAgent& a, int i) { return a.remove_managed_object(kObjects[i]); }
VQStatus add_entry(VQSnmpAgent& a, int i) { return a.add_supported_mib(i ? "b" : "a"); }
VQStatus remove_entry(VQSnmpAgent& a, int i) { return a.remove_supported_mib(i ? "b" : "a"); }
VQStatus add_entry(VQRpcAgent& a, int i) { return a.add_schema({i ? "b" : "a", "h"}); }
VQStatus remove_entry(VQRpcAgent& a, int i) { return a.remove_schema({i ? "b" : "a", "h"}); }
const char* entry_name(const VQCmipAgent&, int i) { return kObjects[i]; }
const char* entry_name(const VQSnmpAgent&, int i) { return i ? "b" : "a"; }
const char* entry_name(const VQRpcAgent&, int i) { return i ? "b" : "a"; }
const char* list_name(const VQCmipAgent&) { return "VQCmipAgent::managed_objects"; }
const char* list_name(const VQSnmpAgent&) { return "VQSnmpAgent::supported_mibs"; }
const char* list_name(const VQRpcAgent&) { return "VQRpcAgent::schemas"; }

template <typename Agent>
class AgentKindTest : public AgentWorldTest {};

using Kinds = ::testing::Types<VQCmipAgent, VQSnmpAgent, VQRpcAgent>;
TYPED_TEST_SUITE(AgentKindTest, Kinds);

TYPED_TEST(AgentKindTest, EveryAttributeRoundTrips) {
  using A = TypeParam;
  std::mt19937 random(20261207);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE(round);
    A agent(Kind<A>::dn());
    A loaded(Kind<A>::dn());  // read over what it read before
    // New values created, then new values stored: what each sent reads back.
    for (const bool stored : {false, true}) {
      const auto restage = randomize(agent, random);
      ASSERT_VQ_OK(stored ? agent.store_all_attributes() : agent.create_with_all_attributes());
      if (restage) restage(agent);
      ASSERT_VQ_OK(loaded.load_all_attributes());
      VQAgent::OperationalState operational = VQAgent::disabled;
      ASSERT_VQ_OK(loaded.get_operational_state(operational));
      EXPECT_EQ(operational, VQAgent::enabled);
      const VQIntegerSet sent =
          stored ? A::get_valid_attributes(store) : !set_of<A>({A::operational_state});
      VQIntegerSet differing(A::attribute_count);
      EXPECT_FALSE(agent.diff_some_attributes(loaded, sent, differing))
          << printed(agent) << printed(loaded);
    }
    ASSERT_VQ_OK(agent.destroy());
  }
}

// Each step is refused if the one before did not do its part.
TYPED_TEST(AgentKindTest, TheListAttributeAddsAndRemovesOneEntryAtATime) {
  TypeParam agent(Kind<TypeParam>::dn());
  EXPECT_VQ_ERROR_TEXT(remove_entry(agent, 0), Code::attribute_not_set, list_name(agent));
  ASSERT_VQ_OK(add_entry(agent, 0));  // the first entry starts the list
  EXPECT_VQ_ERROR_TEXT(add_entry(agent, 0), Code::already_exists, entry_name(agent, 0));
  EXPECT_VQ_ERROR_TEXT(remove_entry(agent, 1), Code::does_not_exist, entry_name(agent, 1));
  ASSERT_VQ_ALL_OK(remove_entry(agent, 0), add_entry(agent, 0), add_entry(agent, 1));
  // A cleared list starts afresh, and is active again.
  agent.clear_all_attributes();
  ASSERT_VQ_ALL_OK(add_entry(agent, 0), add_entry(agent, 1), remove_entry(agent, 0));
}

TYPED_TEST(AgentKindTest, EachRequestRefusedInTurn) {
  using A = TypeParam;
  vq_testing::expect_each_request_refused_cleanly<A>(Kind<A>::creatable(), Kind<A>::dn(),
                                                     [](A& agent) { return change(agent); });
}

}  // namespace
}  // namespace agent_testing
