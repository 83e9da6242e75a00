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
  EXPECT_VQ_ERROR_TEXT(vq_get_canonical_attribute_name("noSuchAttribute", canonical),
                       VQStatus::Code::attribute_not_registered, "noSuchAttribute");
  EXPECT_EQ(canonical, "untouched");
}

// A registry that knows names but cannot name identifiers back.
class OneWayRegistry : public hvx::OidNameRegistry {
 public:
  bool name_of(const hvx::Oid&, std::string&) const override { return false; }
};

// Without a registry the name is unknown; with one that cannot name the identifier back,
// the message is empty.
TEST(CanonicalNamesTest, RegistriesThatCannotAnswerGiveCode11) {
  const OneWayRegistry one_way;
  const std::pair<const hvx::OidNameRegistry*, const char*> table[] = {{nullptr, "topoNodeName"},
                                                                        {&one_way, ""}};
  for (const auto& [registry, message] : table) {
    const hvx::OidNameRegistry* previous = hvx::OidNameRegistry::install(registry);
    std::string canonical = "untouched";
    const VQStatus status = vq_get_canonical_attribute_name("topoNodeName", canonical);
    hvx::OidNameRegistry::install(previous);
    EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::attribute_not_registered, message);
    EXPECT_EQ(canonical, "untouched");
  }
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
      EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::invalid_argument, dn);
      EXPECT_EQ(canonical, "untouched");
    } else {
      EXPECT_VQ_OK(status);
      EXPECT_EQ(canonical, expected);
    }
  }
}

}  // namespace
