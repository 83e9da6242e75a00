// The server-side tools of hvx/testing.h refuse what they cannot do, with the code that
// says why, instead of changing something else.
#include <gtest/gtest.h>

#include <string>

#include "hvx/ber.h"
#include "hvx/names.h"
#include "hvx/status.h"
#include "hvx/testing.h"
#include "hvx/world.h"

namespace {

using hvx::ErrorCode;

constexpr const char* kAgent = "agentTableType=\"CMIP\"/agentId=id:\"X\"";

// What a CMIP agent entity needs to be made.
hvx::AttributeValues agent_values() {
  hvx::Asn1Value managed = hvx::ber::set();
  managed.add_component(hvx::fdn2oi("/systemId=name:\"X\""));
  return {{"managedDNs", managed}, {"networkSAP", hvx::ber::octets("mis:X", hvx::TAG_GRAPHSTR)}};
}

class ServerToolsTest : public ::testing::Test {
 protected:
  std::shared_ptr<hvx::World> world_ = hvx::World::create("L");
};

TEST_F(ServerToolsTest, RefusalsCarryTheirCode) {
  hvx::World& w = *world_;
  const hvx::Asn1Value sap = hvx::ber::octets("mis:X", hvx::TAG_GRAPHSTR);
  const struct {
    const char* what;
    hvx::Status status;
    ErrorCode code;
  } rows[] = {
      {"unknown system", hvx::create_object(w, "Z", "cmipAgentEntity", kAgent, agent_values()),
       ErrorCode::invalid_argument},
      {"malformed name",
       hvx::create_object(w, "L", "cmipAgentEntity", "agentTableType=", agent_values()),
       ErrorCode::invalid_argument},
      {"another system's name",
       hvx::create_object(w, "L", "cmipAgentEntity", "/systemId=name:\"X\"/" + std::string(kAgent),
                          agent_values()),
       ErrorCode::invalid_argument},
      {"unknown attribute",
       hvx::create_object(w, "L", "cmipAgentEntity", kAgent, {{"noSuch", sap}}),
       ErrorCode::no_such_attribute},
      {"missing object", hvx::remove_object(w, "L", kAgent), ErrorCode::no_such_object_instance},
      {"overwrite missing object", hvx::overwrite_attribute(w, "L", kAgent, "networkSAP", sap),
       ErrorCode::no_such_object_instance},
      {"replace unknown attribute",
       hvx::replace_attributes(w, "L", "subsystemId=\"VQ-MIS\"", {{"noSuch", sap}}),
       ErrorCode::no_such_attribute},
      {"unknown class", hvx::answer_action(w, "L", "noSuchClass", "vqListFdns", nullptr),
       ErrorCode::no_such_object_class},
      {"unknown action", hvx::answer_action(w, "L", "vqFdn", "noSuchAction", nullptr),
       ErrorCode::no_such_action},
  };
  for (const auto& row : rows) {
    EXPECT_FALSE(row.status.ok()) << row.what;
    EXPECT_EQ(row.status.code(), row.code) << row.what << ": " << row.status;
  }
  EXPECT_FALSE(hvx::object_exists(w, "L", kAgent));
  EXPECT_EQ(hvx::topology_node_count(w, "Z"), 0u);
}

TEST_F(ServerToolsTest, AbsoluteNamesStartWithTheSystem) {
  const hvx::Status made =
      hvx::create_object(*world_, "L", "cmipAgentEntity",
                         "/systemId=name:\"L\"/" + std::string(kAgent), agent_values());
  ASSERT_TRUE(made.ok()) << made;
  EXPECT_TRUE(hvx::object_exists(*world_, "L", kAgent));
  EXPECT_TRUE(hvx::remove_object(*world_, "L", kAgent).ok());
  EXPECT_FALSE(hvx::object_exists(*world_, "L", kAgent));
}

TEST(StatusTest, CodeNoneStillMakesAnError) {
  const hvx::Status status = hvx::Status::Failure(ErrorCode::none, "m");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.code(), ErrorCode::processing_failure);
  EXPECT_EQ(status.text(), "processingFailure: m");
  EXPECT_EQ(hvx::Status::OK().text(), "");
}

}  // namespace
