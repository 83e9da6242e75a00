// The agents' two states: their printed texts, and the shared code that moves them
// between a representation and an image under each agent kind's attribute names.
#include <gtest/gtest.h>

#include <string>

#include "agent_world.h"
#include "dedavuz_api/agent_rep.h"
#include "hvx/ber.h"
#include "hvx/image.h"

namespace {

using vq_testing::printed;
using vq_testing::set_of;

TEST(AgentStateTest, PrintsEachStateByItsText) {
  EXPECT_EQ(printed(VQAgent::disabled) + printed(VQAgent::enabled), "disabledenabled");
  // The administrative states' texts are in each agent kind's printed form.
  EXPECT_EQ(printed(static_cast<VQAgent::AdministrativeState>(3)), "3");
  EXPECT_EQ(printed(static_cast<VQAgent::OperationalState>(-1)), "-1");
}

// An agent of each set of state names (RPC agents share the CMIP agent's).
struct Kind {
  bool snmp;
  const char* object_class;
  const char* name;
  const char* operational;
  const char* administrative;
};
const Kind kKinds[] = {
    {false, "cmipAgentEntity", "agentTableType=\"CMIP\"/agentId=id:\"a1\"", "operationalState",
     "administrativeState"},
    {true, "cmipsnmpProxyAgent",
     "internetClassId={1 3 6 1 4 1 7351 2 2 2 9 2 4 1 0}/cmipsnmpProxyAgentId=\"s1\"", "opState",
     "adminState"},
};

class AgentStateImageTest : public agent_testing::AgentWorldTest {
 protected:
  static hvx::Image booted(const Kind& kind) {
    return AgentWorldTest::booted("/systemId=name:\"L\"/" + std::string(kind.name),
                                  kind.object_class);
  }
};

TEST_F(AgentStateImageTest, EachKindReadsAndStagesItsOwnStateNames) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.object_class);
    ASSERT_TRUE(hvx::create_object(*world_, "L", kind.object_class, kind.name,
                                   {{kind.operational, hvx::ber::enumerated(0)},
                                    {kind.administrative, hvx::ber::enumerated(2)}})
                    .ok());
    hvx::Image image = booted(kind);
    VQAgent::OperationalState operational = VQAgent::enabled;
    VQAgent::AdministrativeState administrative = VQAgent::locked;
    EXPECT_VQ_OK(VQAgentRep::get_some_attributes_in_image(kind.snmp, image, set_of(2, {}),
                                                          operational, administrative));
    EXPECT_EQ(operational, VQAgent::enabled);
    EXPECT_VQ_OK(VQAgentRep::get_some_attributes_in_image(kind.snmp, image, set_of(2, {0, 1}),
                                                          operational, administrative));
    EXPECT_EQ(operational, VQAgent::disabled);
    EXPECT_EQ(administrative, VQAgent::shuttingdown);
    // A number outside the enumeration is held, and printed, as it came.
    ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kind.name, kind.administrative,
                                         hvx::ber::enumerated(7))
                    .ok());
    hvx::Image odd = booted(kind);
    EXPECT_VQ_OK(VQAgentRep::get_some_attributes_in_image(kind.snmp, odd, set_of(2, {1}),
                                                          operational, administrative));
    EXPECT_EQ(printed(administrative), "7");

    EXPECT_VQ_OK(VQAgentRep::set_some_attributes_in_image(kind.snmp, image, set_of(2, {}),
                                                          VQAgent::enabled, VQAgent::unlocked));
    EXPECT_EQ(image.get_set_str(kind.operational).str(), "");
    EXPECT_VQ_OK(VQAgentRep::set_some_attributes_in_image(kind.snmp, image, set_of(2, {0, 1}),
                                                          VQAgent::enabled, VQAgent::unlocked));
    EXPECT_EQ(image.get_set_str(kind.operational).str(), "enabled");
    EXPECT_EQ(image.get_set_str(kind.administrative).str(), "unlocked");
  }
}

// A state the server holds as an INTEGER is refused under the CMIP agent's name for every
// kind; the operational state read before an administrative one fails is kept.
TEST_F(AgentStateImageTest, StatesThatAreNotEnumeratedAreDecodeErrors) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(kind.object_class);
    ASSERT_TRUE(hvx::create_object(*world_, "L", kind.object_class, kind.name).ok());
    for (const bool operational_bad : {true, false}) {
      ASSERT_TRUE(
          hvx::overwrite_attribute(*world_, "L", kind.name, kind.operational,
                                   operational_bad ? hvx::ber::integer(0) : hvx::ber::enumerated(0))
              .ok());
      ASSERT_TRUE(
          hvx::overwrite_attribute(*world_, "L", kind.name, kind.administrative,
                                   operational_bad ? hvx::ber::enumerated(0) : hvx::ber::integer(0))
              .ok());
      hvx::Image image = booted(kind);
      VQAgent::OperationalState operational = VQAgent::enabled;
      VQAgent::AdministrativeState administrative = VQAgent::unlocked;
      EXPECT_VQ_ERROR_TEXT(
          VQAgentRep::get_some_attributes_in_image(kind.snmp, image, set_of(2, {0, 1}), operational,
                                                   administrative),
          VQStatus::Code::decode_error,
          operational_bad ? "VQCmipAgent::operational_state" : "VQCmipAgent::administrative_state");
      EXPECT_EQ(operational, operational_bad ? VQAgent::enabled : VQAgent::disabled);
      EXPECT_EQ(administrative, VQAgent::unlocked);
    }
  }
}

}  // namespace
