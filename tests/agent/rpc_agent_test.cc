// RPC agents: held locally (schemas, printing, comparison) and on the embedded server
// (every attribute round-trips, what a creation adds, refusals, every request refused in
// turn).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "agent_world.h"
#include "dedavuz_api/rpc_agent.h"
#include "hvx/ber.h"
#include "hvx/image.h"

namespace {

using R = VQRpcAgent;
using Code = VQStatus::Code;
using Schemas = VQList<R::Schema>;
using vq_testing::printed;

VQIntegerSet set_of(std::initializer_list<long> members) {
  return vq_testing::set_of(R::attribute_count, members);
}

const VQRpcAgentDn kDn("L", "r1");
const char* const kRelative = "agentTableType=\"RPC\"/agentId=id:\"r1\"";

R populated() {
  R agent(kDn);
  EXPECT_VQ_ALL_OK(agent.set_administrative_state(VQAgent::locked),
                   agent.set_get_community_string("g"), agent.set_set_community_string("s"),
                   agent.set_schemas({{"inventory", "proxy-a"}, {"billing", "proxy-b"}}));
  return agent;
}

TEST(RpcAgentTest, SchemasNamesAndPrinting) {
  EXPECT_EQ(agent_testing::attribute_names<R>(),
            "operational_state administrative_state dn get_community_string "
            "set_community_string schemas Unknown");
  EXPECT_EQ(R::get_valid_attributes(store), set_of({1, 3, 4, 5}));
  EXPECT_EQ(R::get_mandatory_attributes(create), set_of({1, 2, 5}));

  R agent(kDn);
  EXPECT_VQ_ERROR_TEXT(agent.remove_schema({"a", "h"}), Code::attribute_not_set,
                       "VQRpcAgent::schemas");
  ASSERT_VQ_OK(agent.add_schema({"a", "h"}));
  ASSERT_VQ_OK(agent.add_schema({"a", "other"}));
  EXPECT_VQ_ERROR_TEXT(agent.add_schema({"a", "h"}), Code::already_exists, "a");
  EXPECT_VQ_ERROR_TEXT(agent.remove_schema({"b", "h"}), Code::does_not_exist, "b");
  ASSERT_VQ_OK(agent.remove_schema({"a", "h"}));
  R cleared = agent;
  cleared.clear_all_attributes();
  Schemas schemas;
  EXPECT_VQ_ERROR(cleared.get_schemas(schemas), Code::attribute_not_set);
  ASSERT_VQ_OK(cleared.add_schema({"z", "h"}));
  ASSERT_VQ_OK(cleared.get_schemas(schemas));
  EXPECT_EQ(schemas, (Schemas{{"z", "h"}}));
  ASSERT_VQ_OK(agent.get_schemas(schemas));
  EXPECT_EQ(schemas, (Schemas{{"a", "other"}}));

  EXPECT_EQ(printed(populated()),
            "                            dn: L:r1\n"
            "          administrative_state: \"locked\"\n"
            "          get_community_string: \"g\"\n"
            "          set_community_string: \"s\"\n"
            "                       schemas: { name: inventory proxy_hostname: proxy-a "
            "name: billing proxy_hostname: proxy-b }\n");
  R reordered = populated();
  ASSERT_VQ_OK(reordered.set_schemas({{"billing", "proxy-b"}, {"inventory", "proxy-a"}}));
  EXPECT_EQ(populated(), reordered);
  ASSERT_VQ_OK(reordered.set_schemas({{"billing", "proxy-b"}, {"inventory", "proxy-c"}}));
  VQIntegerSet differing(R::attribute_count);
  EXPECT_TRUE(populated().diff_all_attributes(reordered, differing));
  EXPECT_EQ(differing, set_of({R::schemas}));
}

class RpcAgentServerTest : public agent_testing::AgentWorldTest {};

TEST_F(RpcAgentServerTest, EveryAttributeRoundTrips) {
  std::mt19937 random(5);
  const auto text = [&] {
    return std::string(1, 't').append(std::to_string(random() % 1000)).append(" \xe9\"");
  };
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    R agent(kDn);
    R loaded(kDn);  // read over what it read before
    // New values created, then new values stored: each time they read back as sent.
    for (const bool stored : {false, true}) {
      Schemas schemas;
      for (int n = static_cast<int>(random() % 4); n > 0; --n) schemas.append({text(), text()});
      ASSERT_VQ_ALL_OK(
          agent.set_administrative_state(static_cast<VQAgent::AdministrativeState>(random() % 3)),
          agent.set_get_community_string(text()), agent.set_set_community_string(text()),
          agent.set_schemas(schemas));
      ASSERT_VQ_OK(stored ? agent.store_all_attributes() : agent.create_with_all_attributes());
      ASSERT_VQ_OK(loaded.load_all_attributes());
      VQIntegerSet differing(R::attribute_count);
      EXPECT_FALSE(agent.diff_some_attributes(loaded, !set_of({R::operational_state}), differing))
          << printed(agent) << printed(loaded);
    }
    ASSERT_VQ_OK(agent.destroy());
  }
}

TEST_F(RpcAgentServerTest, CreationAddsTheCmipAddressesAndRefusalsNameTheAttribute) {
  R agent = populated();
  EXPECT_VQ_ERROR_TEXT(agent.create_with_some_attributes(set_of({1, 2, 3, 4})),
                       Code::missing_mandatory_attribute, "VQRpcAgent::schemas, ");
  ASSERT_VQ_OK(agent.create_with_some_attributes(set_of({1, 2, 5})));
  hvx::Image image(hvx::DataUnit(kDn.slash_form()), "rpcAgent", platform());
  ASSERT_TRUE(image.boot());
  EXPECT_EQ(image.get_long("agentAddressTag"), 7);
  EXPECT_EQ(image.get_str("managedDNs").str(), "{}");
  EXPECT_EQ(image.get_str("operationalState").str(), "enabled");
  EXPECT_EQ(image.get_str("mpaAddressInfo").str(), "noAddress : NULL");
  EXPECT_VQ_ERROR_TEXT(agent.store_some_attributes(set_of({R::dn, R::schemas})),
                       Code::attribute_not_storeable, "VQRpcAgent::dn, ");

  // A value the platform cannot read as schemas (not a set, or a set of other things)
  // holds none.
  hvx::Asn1Value numbers = hvx::ber::set();
  numbers.add_component(hvx::ber::integer(1));
  for (const hvx::Asn1Value& value : {numbers, hvx::ber::integer(1)}) {
    ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kRelative, "agentSet", value).ok());
    R loaded = populated();
    ASSERT_VQ_OK(loaded.load_some_attributes(set_of({R::schemas})));
    Schemas schemas;
    ASSERT_VQ_OK(loaded.get_schemas(schemas));
    EXPECT_TRUE(schemas.empty());
  }
}

TEST_F(RpcAgentServerTest, EachRequestRefusedInTurn) {
  vq_testing::expect_each_request_refused_cleanly<R>(
      populated(), kDn, [](R& agent) { return agent.set_set_community_string("changed"); });
}

}  // namespace
