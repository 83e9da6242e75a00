#include "dedavuz_api/string_dn.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <unordered_set>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"
#include "dedavuz_api/topo_type_dn.h"

namespace {

template <typename Name>
class StringDnTest : public ::testing::Test {};

using Names = ::testing::Types<VQTopoTypeDn, VQCmipAgentDn, VQSnmpAgentDn, VQRpcAgentDn>;
TYPED_TEST_SUITE(StringDnTest, Names);

TYPED_TEST(StringDnTest, NullValueEqualityOrderAndHash) {
  TypeParam dn;
  EXPECT_TRUE(dn.is_null());
  EXPECT_FALSE(TypeParam("", "a").is_null());
  EXPECT_FALSE(TypeParam("h", "").is_null());
  dn = TypeParam("h", "a");
  dn.make_null();
  EXPECT_EQ(dn, TypeParam());

  const TypeParam a("alpha", "x"), b("beta", "a"), c("alpha", "y");
  EXPECT_TRUE(a != c && a == TypeParam("alpha", "x"));
  EXPECT_TRUE(a < c && c < b && !(a < a));
  EXPECT_EQ((std::set<TypeParam>{b, c, a, a}).size(), 3u);
  EXPECT_EQ((std::unordered_set<TypeParam>{a, b, c, a}).size(), 3u);
  EXPECT_NE(TypeParam("ab", "c").hash(), TypeParam("a", "bc").hash());
}

}  // namespace
