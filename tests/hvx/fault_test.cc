#include "hvx/testing.h"

#include <gtest/gtest.h>

#include "hvx/image.h"
#include "platform_fixture.h"

namespace {

using hvx::ErrorCode;
using hvx::Image;

class FaultTest : public hvx_testing::PlatformTest {
 protected:
  // A scenario of several requests; false at the first failure.
  bool scenario() {
    Image type("topoTypeDBId=NULL/topoTypeId=\"R\"", "topoType", platform_);
    if (!type.set_str("topoTypeDefaultLayer", "a") || !type.create(Image())) return fail(type);
    if (!type.set_str("topoTypeDefaultLayer", "b") || !type.store()) return fail(type);
    if (!type.boot() || type.get_str("topoTypeDefaultLayer").str() != "b") return fail(type);
    if (!type.destroy()) return fail(type);
    return true;
  }
  bool fail(const Image& image) {
    last_error_ = image.get_error_string();
    return false;
  }
  std::string last_error_;
};

TEST_F(FaultTest, FailingEachRequestInTurnGivesAClearErrorAndChangesNothing) {
  auto counting = std::make_shared<hvx::FaultPlan>();
  hvx::install_fault_plan(platform_, counting);
  ASSERT_TRUE(scenario());
  const int requests = counting->requests_seen();
  ASSERT_EQ(requests, 4);
  for (int k = 1; k <= requests; ++k) {
    SCOPED_TRACE(k);
    world_->reset();
    auto plan = std::make_shared<hvx::FaultPlan>();
    plan->fail_request(k, ErrorCode::processing_failure, "disk full");
    hvx::install_fault_plan(platform_, plan);
    EXPECT_FALSE(scenario());
    EXPECT_EQ(last_error_, "processingFailure: disk full");
    // The failed request never reached the server: the scenario runs again from there.
    hvx::remove_fault_plan(platform_);
    world_->reset();
    EXPECT_TRUE(scenario()) << last_error_;
  }
}

TEST_F(FaultTest, PredicateFailsMatchingRequestsOnly) {
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->fail_requests_where(
      [](const hvx::Message& m) { return m.type() == hvx::Message::SET_REQUEST; },
      ErrorCode::access_denied);
  hvx::install_fault_plan(platform_, plan);
  EXPECT_FALSE(scenario());
  EXPECT_EQ(last_error_.rfind("accessDenied", 0), 0u) << last_error_;
}

TEST_F(FaultTest, LostLateAndDamagedRepliesTimeOutAtOnce) {
  for (int which = 0; which < 3; ++which) {
    SCOPED_TRACE(which);
    world_->reset();
    auto plan = std::make_shared<hvx::FaultPlan>();
    if (which == 0) plan->drop_reply(1);
    if (which == 1) plan->delay_reply(1, 1000.0);
    if (which == 2) plan->corrupt_reply(1);
    hvx::install_fault_plan(platform_, plan);
    Image type("topoTypeDBId=NULL/topoTypeId=\"Late\"", "topoType", platform_);
    EXPECT_FALSE(type.create(Image(), 5.0));
    EXPECT_EQ(type.get_error_code(), ErrorCode::timeout);
    // The server did run the request: the object is there.
    EXPECT_TRUE(type.boot());
    EXPECT_TRUE(type.exists());
    hvx::remove_fault_plan(platform_);
  }
}

TEST_F(FaultTest, ShortDelayIsWaitedFor) {
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->delay_reply(1, 2.0);
  hvx::install_fault_plan(platform_, plan);
  Image type("topoTypeDBId=NULL/topoTypeId=\"Late\"", "topoType", platform_);
  EXPECT_TRUE(type.create(Image(), 5.0)) << type.get_error_string();
}

TEST_F(FaultTest, NotificationsTwiceOrOutOfOrder) {
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->duplicate_notification(1).swap_notification(2);
  hvx::install_fault_plan(platform_, plan);
  hvx::EventRecorder recorder(platform_);
  ASSERT_TRUE(make_type("A"));
  ASSERT_TRUE(make_type("B"));
  ASSERT_TRUE(make_type("C"));
  platform_.dispatch_recursive(true);
  EXPECT_EQ(recorder.summary(),
            (std::vector<std::string>{"objectCreation topoTypeDBId=NULL/topoTypeId=\"A\"",
                                      "objectCreation topoTypeDBId=NULL/topoTypeId=\"A\"",
                                      "objectCreation topoTypeDBId=NULL/topoTypeId=\"C\"",
                                      "objectCreation topoTypeDBId=NULL/topoTypeId=\"B\""}));
}

}  // namespace
