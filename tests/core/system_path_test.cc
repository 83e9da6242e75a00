#include "core/system_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "core/local_system.h"
#include "dedavuz_api/mit_names.h"

namespace {

TEST(SystemPathTest, SlashFormOfEachSystemShape) {
  const std::string& node = VQ_DN_TOPO_NODE_PART2;
  const struct {
    const char* system;
    const char* local;
    const std::string& fragment;
    const char* id;
    const char* expected;
  } table[] = {
      {"L", "L", node, "7", "/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"L/B", "L", node, "7",
       "/serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"B", "L", node, "7", "/serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"B/L/C", "L", node, "1",
       "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\"/misId=\"C\""
       "/topoNodeDBId=NULL/topoNodeId=1"},
      {"/L/B", "L", node, "7",
       "/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"/L", "L", node, "7", "/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=7"},
      // Paths that are not the local name but hold no other system keep only the fragment;
      // a rooted path names its last component.
      {"L/L", "L", node, "7", "/topoNodeDBId=NULL/topoNodeId=7"},
      {"", "L", node, "-1", "/topoNodeDBId=NULL/topoNodeId=-1"},
      {"/", "L", node, "7", "/systemId=name:\"\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"/L/B/L", "L", node, "7",
       "/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"B", "", node, "7", "/serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=7"},
      {"", "", node, "7", "/systemId=name:\"\"/topoNodeDBId=NULL/topoNodeId=7"},
      // The database, table and agent names take the same scheme.
      {"L", "L", VQ_DN_TOPO_NODE_DB_PART2, "", "/systemId=name:\"L\"/topoNodeDBId=NULL"},
      {"/L/B", "L", VQ_DN_FDN_TABLE_PART2, "",
       "/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"/subsystemId=\"VQ-MIS\""
       "/subsystemId=\"FdnTable\""},
      {"L/B", "L", VQ_DN_CMIP_AGENT_PART2, "agt1\"",
       "/serverTableType=\"mis\"/misId=\"B\"/agentTableType=\"CMIP\"/agentId=\"agt1\""},
  };
  for (const auto& row : table) {
    EXPECT_EQ(vq_slash_form(row.system, row.local, row.fragment, row.id), row.expected)
        << row.system << " from " << row.local;
  }
  EXPECT_EQ(vq_system_part("L/B", "L").form, VQSystemPart::remote);
  EXPECT_EQ(vq_system_part("/B", "L").form, VQSystemPart::rooted);
  EXPECT_EQ(vq_system_part("L/L", "L").form, VQSystemPart::remote);
  EXPECT_EQ(vq_system_part("L", "L").form, VQSystemPart::local);
}

TEST(SystemPathTest, ParseReadsServerTablesBehindLocalName) {
  const std::tuple<const char*, const char*, const char*, const char*> table[] = {
      {"/systemId=name:\"X\"/topoNodeDBId=NULL/topoNodeId=7", "L", "/L", "topoNodeId=7"},
      {"/serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=7", "L", "L/B",
       "topoNodeId=7"},
      {"/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"/x", "L", "/L/B", "x"},
      // Every component holding the key adds "/" and what follows its first 7 characters;
      // "systemId" anywhere in the text roots the path.
      {"/misId=\"\"/misId=\"\"B\"\"/misId/x//", "L", "L//B/", "x"},
      {"/misId=\"xsystemIdx\"/misId=\"B\"", "L", "/L/xsystemIdx/B", "misId=\"B\""},
      {"/misId=\"amisId\"/systemId=name:\"amisId\"/x", "L", "/L/amisId/d=name:\"amisId", "x"},
      {"/topoNodeDBId=systemId/x", "L", "/L", "x"},
      {"/misId=\"B\"/misId=\"C\"", "", "/B/C", "misId=\"C\""},
      {"/systemId=name:\"X\"", "", "/", "systemId=name:\"X\""},
      {"///", "L", "L", ""},
  };
  for (const auto& [text, local, system, last] : table) {
    const VQParsedSystem parsed = vq_parse_system(text, local);
    EXPECT_EQ(parsed.system, system) << text;
    EXPECT_EQ(parsed.last, last) << text;
  }
}

TEST(SystemPathTest, FdnSystemNameInvertsSystemFdns) {
  const std::tuple<const char*, const char*> table[] = {
      {"/systemId=name:\"hostA\"", "hostA"},
      {"/serverTableType=\"mis\"/misId=\"B\"\"", "L/B"},
      {"/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"", "/L/B"},
      {"/systemId=name:\"L\"/topoNodeDBId=NULL", "L"},
      {"/serverTableType", ""},
      {"/systemId=name", ""},
  };
  for (const auto& [fdn, system] : table) EXPECT_EQ(vq_fdn_system_name(fdn, "L"), system) << fdn;
  EXPECT_TRUE(vq_is_fdn_text("/systemId=name:\"L\""));
  EXPECT_TRUE(vq_is_fdn_text("a/serverTableType"));
  EXPECT_FALSE(vq_is_fdn_text("systemId/L/B"));
}

TEST(LocalSystemTest, FollowsEnvironmentAtEveryCall) {
  EXPECT_EQ(vq_local_system_name(), "testhost");
  EXPECT_EQ(vq_fdn_system_str("/serverTableType=\"mis\"/misId=\"B\"\""), "testhost/B");
  setenv("VQ_LOGICAL_HOST", "other", 1);
  EXPECT_EQ(vq_local_system_name(), "other");
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(vq_local_system_name(), "");
  EXPECT_EQ(vq_fdn_system_str("/serverTableType=\"mis\"/misId=\"B\"\""), "/B");
}

}  // namespace
