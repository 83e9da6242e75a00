// A fresh world with a local server "L" and one platform connected to it, and the raw
// message exchanges the tests make. Every server holds its topology databases (with the
// predefined types and the root view) from its start.
#ifndef DEDAVUZ_TESTS_HVX_PLATFORM_FIXTURE_H_
#define DEDAVUZ_TESTS_HVX_PLATFORM_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "hvx/platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"

namespace hvx_testing {

// A confirmed action (arc under the topology branch, "9.4") of the node database named `db`,
// as the view fetches send it.
inline hvx::Message node_db_action(const std::string& db, const std::string& arc,
                                   const hvx::Asn1Value& info = hvx::Asn1Value()) {
  const std::string topology = "1.3.6.1.4.1.7351.2.2.2.40.";
  hvx::Message request(hvx::Message::ACTION_REQUEST);
  request.set_id(hvx::MessageSAP::new_id());
  const auto context = [](unsigned n) { return hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, n); };
  request.set_object_class(hvx::ber::oid(hvx::Oid(topology + "3.2"), context(0)));
  request.set_object_instance(hvx::ber::retagged(hvx::fdn2oi(db), context(2)));
  request.set_action_type(hvx::ber::oid(hvx::Oid(topology + arc), context(2)));
  request.set_action_info(info);
  return request;
}

// One confirmed request on the raw message service and every reply to it. Keep the exchange
// alive while replies may still come.
struct Exchange {
  std::vector<hvx::Message> replies;
  bool done = false;
  hvx::MessageSAP* sap = nullptr;

  // Sends `request` and dispatches until the final reply, at most `passes` times.
  bool run(hvx::Platform& platform, const hvx::Message& request, double timeout = 2147483647.0,
           int passes = 100) {
    sap = platform.get_raw_sap();
    if (!sap->send(request, hvx::Callback(&on_reply, this), timeout)) return false;
    EXPECT_TRUE(replies.empty()) << "delivered outside dispatching";
    while (!done && passes-- > 0) platform.dispatch_recursive(true);
    return done;
  }
  static void on_reply(void* client, void* raw) {
    auto* exchange = static_cast<Exchange*>(client);
    const std::unique_ptr<hvx::Message> message(exchange->sap->decode(raw));
    ASSERT_NE(message, nullptr);
    exchange->replies.push_back(*message);
    if (message->is_final_reply()) exchange->done = true;
  }
};

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    platform_ = world_->connect();
  }

  // Keeps the image's refusal in last_error_; 0 (false).
  int refused(const hvx::Image& image) {
    last_error_ = image.get_error_string();
    return 0;
  }
  // Creates type `name` with the bases and legal children given in value notation.
  bool make_type(const std::string& name, const std::string& bases = "{}",
                 const std::string& legal = "{}") {
    hvx::Image type(hvx::DataUnit("topoTypeDBId=NULL/topoTypeId=\"" + name + "\""), "topoType",
                    platform_);
    return (type.set_str("topoTypeDerivedFrom", hvx::DataUnit(bases)) &&
            type.set_str("topoTypeLegalChildren", hvx::DataUnit(legal)) &&
            type.create(hvx::Image())) ||
           refused(type);
  }
  // A fresh fault plan, installed on the platform.
  hvx::FaultPlan& install_plan() {
    auto plan = std::make_shared<hvx::FaultPlan>();
    hvx::install_fault_plan(platform_, plan);
    return *plan;
  }
  bool exists(const std::string& name) {
    hvx::Image image(hvx::DataUnit(name), "", platform_);
    return image.boot() && image.exists();
  }

  std::shared_ptr<hvx::World> world_;
  hvx::Platform platform_;
  std::string last_error_;
};

}  // namespace hvx_testing

#endif  // DEDAVUZ_TESTS_HVX_PLATFORM_FIXTURE_H_
