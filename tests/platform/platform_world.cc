#include "platform_world.h"

#include <map>

#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/oid.h"
#include "hvx/oid_registry.h"

namespace platform_testing {

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// An FDN-table entry as a linked server's is listed: the system's name, then the route
// through the CMIP agent entity that leads to it.
hvx::Asn1Value fdn_entry(const std::string& system) {
  namespace ber = hvx::ber;
  hvx::Asn1Value route = ber::sequence();
  route.add_component(ber::octets(system, hvx::TAG_GRAPHSTR));
  route.add_component(ber::octets("mis:" + system, hvx::TAG_GRAPHSTR));
  route.add_component(ber::octets(
      hvx::fdn2oi("agentTableType=\"CMIP\"/agentId=id:" + quoted(system)).encode().view()));
  hvx::Asn1Value routes = ber::sequence();
  routes.add_component(route);
  hvx::Asn1Value entry = ber::sequence();
  entry.add_component(hvx::fdn2oi("/systemId=name:" + quoted(system)));
  entry.add_component(routes);
  return entry;
}

}  // namespace

void PlatformWorldTest::SetUp() {
  world_ = hvx::World::create("L");
  ASSERT_TRUE(world_->add_server("B"));
  ASSERT_TRUE(world_->add_server("C"));
  ASSERT_TRUE(world_->link("L", "B"));
  ASSERT_TRUE(world_->link("B", "C"));
  hvx::Platform::default_platform() = world_->connect();
}

void PlatformWorldTest::name_in_fdn_table(const std::string& holder, const std::string& named) {
  static std::map<std::string, std::vector<std::string>> extra;
  extra[holder].push_back(named);
  const std::weak_ptr<hvx::World> world = world_;
  ASSERT_TRUE(hvx::answer_action(*world_, holder, "vqFdn", "vqListFdns",
                                 [world](const std::string& system, const hvx::Asn1Value&) {
                                   hvx::Asn1Value info = hvx::ber::set();
                                   std::vector<std::string> listed;
                                   if (const auto w = world.lock())
                                     listed = w->linked_under(system);
                                   for (const std::string& name : extra[system]) {
                                     listed.push_back(name);
                                   }
                                   for (const std::string& name : listed) {
                                     info.add_component(fdn_entry(name));
                                   }
                                   return info;
                                 })
                  .ok());

  const std::string table = "agentTableType=\"CMIP\"";
  if (!hvx::object_exists(*world_, holder, table)) {
    ASSERT_TRUE(hvx::create_object(*world_, holder, "agentTable", table).ok());
  }
  const std::string agent = table + "/agentId=id:" + quoted(named);
  if (hvx::object_exists(*world_, holder, agent)) return;
  hvx::Asn1Value managed = hvx::ber::set();
  managed.add_component(hvx::fdn2oi("/systemId=name:" + quoted(named)));
  const hvx::Status made =
      hvx::create_object(*world_, holder, "cmipAgentEntity", agent,
                         {{"managedDNs", managed},
                          {"networkSAP", hvx::ber::octets("mis:" + named, hvx::TAG_GRAPHSTR)}});
  ASSERT_TRUE(made.ok()) << made;
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
