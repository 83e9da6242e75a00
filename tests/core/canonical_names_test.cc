#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/mit_names.h"
#include "hvx/oid_registry.h"
#include "support/vq_test.h"

namespace {

TEST(CanonicalNamesTest, AttributeNamesComeBackQualified) {
  for (const char* name : {"topoNodeName", "\"VQ Topology\":topoNodeName"}) {
    std::string canonical;
    EXPECT_VQ_OK(vq_get_canonical_attribute_name(name, canonical));
    EXPECT_EQ(canonical, "\"VQ Topology\":topoNodeName");
  }
  std::string canonical;
  EXPECT_VQ_OK(vq_get_canonical_attribute_name("systemId", canonical));
  EXPECT_EQ(canonical, "\"Rec. X.721 | ISO/IEC 10165-2 : 1992\":systemId");
}

TEST(CanonicalNamesTest, UnknownAttributeIsCode11AndLeavesTheOutputAlone) {
  std::string canonical = "untouched";
  const VQStatus status = vq_get_canonical_attribute_name("noSuchAttribute", canonical);
  EXPECT_VQ_ERROR(status, VQStatus::Code::attribute_not_registered);
  EXPECT_EQ(status.message(), "noSuchAttribute");
  EXPECT_EQ(canonical, "untouched");
}

TEST(CanonicalNamesTest, WithoutARegistryEveryNameIsCode11) {
  const hvx::OidNameRegistry* previous = hvx::OidNameRegistry::install(nullptr);
  std::string canonical = "untouched";
  const VQStatus status = vq_get_canonical_attribute_name("topoNodeName", canonical);
  hvx::OidNameRegistry::install(previous);
  EXPECT_VQ_ERROR(status, VQStatus::Code::attribute_not_registered);
  EXPECT_EQ(status.message(), "topoNodeName");
  EXPECT_EQ(canonical, "untouched");
}

// A registry that knows names but cannot name identifiers back.
class OneWayRegistry : public hvx::OidNameRegistry {
 public:
  bool name_of(const hvx::Oid&, std::string&) const override { return false; }
};

TEST(CanonicalNamesTest, IdentifierWithoutANameIsCode11WithAnEmptyMessage) {
  const OneWayRegistry one_way;
  const hvx::OidNameRegistry* previous = hvx::OidNameRegistry::install(&one_way);
  std::string canonical = "untouched";
  const VQStatus status = vq_get_canonical_attribute_name("topoNodeName", canonical);
  hvx::OidNameRegistry::install(previous);
  EXPECT_VQ_ERROR(status, VQStatus::Code::attribute_not_registered);
  EXPECT_EQ(status.message(), "");
  EXPECT_EQ(canonical, "untouched");
}

TEST(CanonicalNamesTest, DistinguishedNames) {
  const std::pair<const char*, const char*> kNames[] = {
      {R"(/systemId="A"/x)", nullptr},
      {R"(/systemId=name:"A")", R"(/systemId=name:"A")"},
      {R"(/systemId="A" /agentTableType=CMIP/agentId="a1")",
       R"(/systemId=name:"A"/agentTableType="CMIP"/agentId=id:"a1")"},
      {"topoNodeDBId=NULL/topoNodeId=42", "/topoNodeDBId=NULL/topoNodeId=42"},
  };
  for (const auto& [dn, expected] : kNames) {
    std::string canonical = "untouched";
    const VQStatus status = vq_get_canonical_dn(dn, canonical);
    if (expected == nullptr) {
      EXPECT_VQ_ERROR(status, VQStatus::Code::invalid_argument);
      EXPECT_EQ(status.message(), dn);
      EXPECT_EQ(canonical, "untouched");
    } else {
      EXPECT_VQ_OK(status);
      EXPECT_EQ(canonical, expected);
    }
  }
}

}  // namespace
