// RPC agents: held locally (schemas, printing, comparison) and on the embedded server
// (what a creation adds, refusals).
#include <gtest/gtest.h>

#include <string>

#include "agent_world.h"
#include "dedavuz_api/rpc_agent.h"
#include "hvx/ber.h"
#include "hvx/image.h"
#include "support/asn1_values.h"

namespace {

using R = VQRpcAgent;
using Code = VQStatus::Code;
using Schemas = VQList<R::Schema>;
using vq_testing::printed;

const auto set_of = agent_testing::set_of<R>;

const VQRpcAgentDn kDn("L", "r1");
const char* const kRelative = agent_testing::Kind<R>::relative;

R populated() { return agent_testing::Kind<R>::creatable(); }

TEST(RpcAgentTest, SchemasNamesAndPrinting) {
  EXPECT_EQ(agent_testing::attribute_names<R>(),
            "operational_state administrative_state dn get_community_string "
            "set_community_string schemas Unknown");
  EXPECT_EQ(R::get_valid_attributes(store), set_of({1, 3, 4, 5}));
  EXPECT_EQ(R::get_mandatory_attributes(create), set_of({1, 2, 5}));

  // A schema is its name and host together; removal takes the equal one only.
  R agent(kDn);
  Schemas schemas;
  ASSERT_VQ_ALL_OK(agent.add_schema({"a", "h"}), agent.add_schema({"a", "other"}),
                   agent.remove_schema({"a", "h"}), agent.get_schemas(schemas));
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
  for (const hvx::Asn1Value& value : {vq_testing::set({hvx::ber::integer(1)}),
                                      hvx::ber::integer(1)}) {
    ASSERT_TRUE(hvx::overwrite_attribute(*world_, "L", kRelative, "agentSet", value).ok());
    R loaded = populated();
    ASSERT_VQ_OK(loaded.load_some_attributes(set_of({R::schemas})));
    Schemas schemas;
    ASSERT_VQ_OK(loaded.get_schemas(schemas));
    EXPECT_TRUE(schemas.empty());
  }
}

}  // namespace
