#include "platform_world.h"

#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/oid.h"
#include "hvx/oid_registry.h"
#include "support/asn1_values.h"

namespace platform_testing {

hvx::Asn1Value fdn_entry(const std::string& fdn, const std::string& route_instance) {
  using vq_testing::seq;
  const hvx::Asn1Value route =
      seq({hvx::ber::octets("x", hvx::TAG_GRAPHSTR), hvx::ber::octets("mis:x", hvx::TAG_GRAPHSTR),
           hvx::ber::octets(route_instance)});
  return seq({hvx::fdn2oi(fdn), route_instance.empty() ? seq({}) : seq({route})});
}

void PlatformWorldTest::SetUp() {
  world_ = hvx::World::create("L");
  ASSERT_TRUE(world_->add_server("B"));
  ASSERT_TRUE(world_->add_server("C"));
  ASSERT_TRUE(world_->link("L", "B"));
  ASSERT_TRUE(world_->link("B", "C"));
  hvx::Platform::default_platform() = world_->connect();
}

std::vector<std::string> PlatformWorldTest::registrations() {
  hvx::Image manager("/systemId=name:\"L\"/subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\"",
                     "connectMgr", platform());
  std::vector<std::string> systems;
  if (!manager.boot(hvx::DUArray{"registrations"}) || !manager.exists()) return systems;
  for (const hvx::Morf& entry : manager.get_raw("registrations").split_array()) {
    systems.push_back(entry.extract("systemName").get_str(0));
  }
  return systems;
}

void PlatformWorldTest::record_requests() {
  plan_ = std::make_shared<hvx::FaultPlan>();
  const std::shared_ptr<std::vector<std::string>> sent = sent_;
  plan_->fail_requests_where(
      [sent](const hvx::Message& request) {
        hvx::Oid action;
        std::string name;
        if (request.type() != hvx::Message::ACTION_REQUEST ||
            !request.get_action_type().decode_oid(action) ||
            !hvx::OidNameRegistry::find_name_by_oid(action, name)) {
          return false;
        }
        name = hvx::get_shortname(name);
        std::string system;
        long number = 0;
        const hvx::Asn1Value& info = request.get_action_info();
        if ((name == "registerConnection" || name == "deregisterConnection") &&
            info.component(0).decode_octets(system) && info.component(1).decode_int(number)) {
          sent->push_back(name + " " + system + " " + std::to_string(number));
        }
        return false;
      },
      hvx::ErrorCode::processing_failure);
  hvx::install_fault_plan(platform(), plan_);
}

std::string PlatformWorldTest::application_number() {
  const std::string name = platform().get_prop("APPLICATION_OBJNAME").str();
  return name.substr(name.rfind('=') + 1);
}

std::vector<std::string> to_vector(const VQList<std::string>& list) {
  return std::vector<std::string>(list.begin(), list.end());
}

}  // namespace platform_testing
