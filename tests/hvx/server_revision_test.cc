// The server's revision, by which encoded answers are kept: it moves on with every way an
// object can change, so that nothing kept outlives what it was made from.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "hvx/ber.h"
#include "hvx/names.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "server.h"

namespace {

constexpr const char* kAgent = "agentTableType=\"CMIP\"/agentId=id:\"X\"";

TEST(ServerRevision, MovesOnWithEveryChange) {
  const auto world = hvx::World::create("L");
  const hvx::mis::Server& server = *world->server("L");
  hvx::Asn1Value managed = hvx::ber::set();
  managed.add_component(hvx::fdn2oi("/systemId=name:\"X\""));
  const struct {
    const char* what;
    std::function<hvx::Status()> change;
  } steps[] = {
      {"create",
       [&] {
         return hvx::create_object(
             *world, "L", "cmipAgentEntity", kAgent,
             {{"managedDNs", managed},
              {"networkSAP", hvx::ber::octets("mis:X", hvx::TAG_GRAPHSTR)}});
       }},
      {"replace",
       [&] {
         return hvx::replace_attributes(
             *world, "L", kAgent, {{"networkSAP", hvx::ber::octets("mis:Y", hvx::TAG_GRAPHSTR)}});
       }},
      {"overwrite",
       [&] {
         return hvx::overwrite_attribute(*world, "L", kAgent, "networkSAP",
                                         hvx::ber::octets("mis:Z", hvx::TAG_GRAPHSTR));
       }},
      {"remove", [&] { return hvx::remove_object(*world, "L", kAgent); }},
  };
  for (const auto& step : steps) {
    const std::uint64_t before = server.revision();
    ASSERT_TRUE(step.change().ok()) << step.what;
    EXPECT_GT(server.revision(), before) << step.what;
  }
}

}  // namespace
