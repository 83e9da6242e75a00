#include "hvx/testing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "hvx/status.h"
#include "hvx/world.h"
#include "platform_fixture.h"
#include "server.h"
#include "support/asn1_values.h"

namespace {

using hvx::ErrorCode;
using hvx::Image;

using FaultTest = hvx_testing::PlatformTest;

TEST_F(FaultTest, PredicateFailsMatchingRequestsOnly) {
  install_plan().fail_requests_where(
      [](const hvx::Message& m) { return m.type() == hvx::Message::SET_REQUEST; },
      ErrorCode::access_denied);
  ASSERT_TRUE(make_type("R")) << last_error_;
  Image type("topoTypeDBId=NULL/topoTypeId=\"R\"", "topoType", platform_);
  EXPECT_FALSE(type.set_str("topoTypeDefaultLayer", "b") && type.store());
  EXPECT_EQ(type.get_error_code(), ErrorCode::access_denied) << type.get_error_string();
}

// A synchronous call waits its timeout on the virtual clock; a negative one (the library
// passes DEFAULT_TIMEOUT, -12345.0) waits the platform's default, 30 seconds unless set.
// A reply lost, damaged or later than that is a timeout, though the server did the work.
TEST_F(FaultTest, RepliesLaterThanTheTimeoutAreTimeouts) {
  enum Fault { kDrop, kDelay, kCorrupt };
  // default_timeout: nullptr when left alone
  const std::tuple<Fault, double, double, const char*, bool> cases[] = {
      {kDrop, 0, 5.0, nullptr, false},
      {kCorrupt, 0, 5.0, nullptr, false},
      {kDelay, 1000.0, 5.0, nullptr, false},
      {kDelay, 2.0, 5.0, nullptr, true},
      {kDelay, 29.0, hvx::DEFAULT_TIMEOUT, nullptr, true},
      {kDelay, 31.0, hvx::DEFAULT_TIMEOUT, nullptr, false},
      {kDelay, 31.0, -1.0, nullptr, false},
      {kDelay, 1e6, 2147483647.0, nullptr, true},
      {kDelay, 6.0, hvx::DEFAULT_TIMEOUT, "5", false},
      {kDelay, 50.0, hvx::DEFAULT_TIMEOUT, "60", true},
  };
  for (const auto& [fault, delay, timeout, default_timeout, answered] : cases) {
    SCOPED_TRACE(std::to_string(delay) + " " + std::to_string(timeout));
    world_->reset();
    platform_ = world_->connect();
    if (default_timeout != nullptr) {
      ASSERT_TRUE(platform_.set_prop("DEFAULT_TIMEOUT", default_timeout));
    }
    hvx::FaultPlan& plan = install_plan();
    if (fault == kDrop) plan.drop_reply(1);
    if (fault == kDelay) plan.delay_reply(1, delay);
    if (fault == kCorrupt) plan.corrupt_reply(1);
    Image type("topoTypeDBId=NULL/topoTypeId=\"Late\"", "topoType", platform_);
    EXPECT_EQ(type.create(Image(), timeout), answered) << type.get_error_string();
    EXPECT_EQ(type.get_error_code(), answered ? ErrorCode::none : ErrorCode::timeout);
    EXPECT_TRUE(exists("topoTypeDBId=NULL/topoTypeId=\"Late\""));
  }
  EXPECT_FALSE(platform_.set_prop("DEFAULT_TIMEOUT", "-1"));
  EXPECT_FALSE(platform_.set_prop("DEFAULT_TIMEOUT", "soon"));
}

TEST_F(FaultTest, NotificationsTwiceOrOutOfOrder) {
  install_plan().duplicate_notification(1).swap_notification(2);
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(make_type("A") && make_type("B") && make_type("C"));
  platform_.dispatch_recursive(true);
  EXPECT_EQ(recorder.summary(),
            (std::vector<std::string>{"objectCreation topoTypeDBId=NULL/topoTypeId=\"A\"",
                                      "objectCreation topoTypeDBId=NULL/topoTypeId=\"A\"",
                                      "objectCreation topoTypeDBId=NULL/topoTypeId=\"C\"",
                                      "objectCreation topoTypeDBId=NULL/topoTypeId=\"B\""}));
}

// The server-side tools refuse what they cannot do, with the code that says why, instead
// of changing something else.
constexpr const char* kAgent = "agentTableType=\"CMIP\"/agentId=id:\"X\"";

// What a CMIP agent entity needs to be made.
hvx::AttributeValues agent_values() {
  return {{"managedDNs", vq_testing::set({hvx::fdn2oi("/systemId=name:\"X\"")})},
          {"networkSAP", hvx::ber::octets("mis:X", hvx::TAG_GRAPHSTR)}};
}

class ServerToolsTest : public ::testing::Test {
 protected:
  std::shared_ptr<hvx::World> world_ = hvx::World::create("L");
};

TEST_F(ServerToolsTest, RefusalsCarryTheirCode) {
  hvx::World& w = *world_;
  const hvx::Asn1Value sap = hvx::ber::octets("mis:X", hvx::TAG_GRAPHSTR);
  const std::tuple<const char*, hvx::Status, ErrorCode> rows[] = {
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
  for (const auto& [what, status, code] : rows) {
    EXPECT_FALSE(status.ok()) << what;
    EXPECT_EQ(status.code(), code) << what << ": " << status;
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

// The server's revision, by which encoded answers are kept, moves on with every way an
// object can change, so that nothing kept outlives what it was made from.
TEST_F(ServerToolsTest, EveryChangeMovesTheRevisionOn) {
  hvx::World& w = *world_;
  const auto sap = [](const char* text) { return hvx::ber::octets(text, hvx::TAG_GRAPHSTR); };
  const std::function<hvx::Status()> changes[] = {
      [&] { return hvx::create_object(w, "L", "cmipAgentEntity", kAgent, agent_values()); },
      [&] {
        return hvx::replace_attributes(w, "L", kAgent, {{"networkSAP", sap("mis:Y")}});
      },
      [&] { return hvx::overwrite_attribute(w, "L", kAgent, "networkSAP", sap("mis:Z")); },
      [&] { return hvx::remove_object(w, "L", kAgent); },
  };
  for (const auto& change : changes) {
    const std::uint64_t before = w.server("L")->revision();
    ASSERT_TRUE(change().ok()) << "change " << &change - changes;
    EXPECT_GT(w.server("L")->revision(), before) << "change " << &change - changes;
  }
}

TEST(StatusTest, CodeNoneStillMakesAnError) {
  const hvx::Status status = hvx::Status::Failure(ErrorCode::none, "m");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.code(), ErrorCode::processing_failure);
  EXPECT_EQ(status.text(), "processingFailure: m");
  EXPECT_EQ(hvx::Status::OK().text(), "");
}

}  // namespace
