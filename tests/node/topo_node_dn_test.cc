#include "dedavuz_api/topo_node_dn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <unordered_set>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node_rep.h"
#include "support/helpers.h"

namespace {

using vq_testing::printed;

TEST(TopoNodeDnTest, NullValue) {
  VQTopoNodeDn dn;
  EXPECT_TRUE(dn.is_null());
  EXPECT_FALSE(VQTopoNodeDn("", 0).is_null());
  dn = VQTopoNodeDn("h", 7);
  dn.make_null();
  EXPECT_EQ(dn, VQTopoNodeDn());
}

TEST(TopoNodeDnTest, EqualityHashOrderAndSystemNames) {
  const VQTopoNodeDn a("alpha", 7), b("beta", 7), c("alpha", 8);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.hash(), b.hash());
  EXPECT_EQ(a.hash(c), 8u);
  EXPECT_TRUE(a < c && c < b);
  EXPECT_EQ((std::set<VQTopoNodeDn>{b, c, a, a}).size(), 3u);
  EXPECT_EQ((std::unordered_set<VQTopoNodeDn>{a, b, a}).size(), 2u);
  // A system given as a full name is converted.
  EXPECT_EQ(VQTopoNodeDn("/systemId=name:\"hostA\"", 1).system_name(), "hostA");
  EXPECT_EQ(VQTopoNodeDn("a/b", 1).system_name(), "a/b");
}

TEST(TopoNodeDnTest, ParsesNameTexts) {
  const std::string longest(100000, '/');
  const std::tuple<std::string, const char*> table[] = {
      {"topoNodeDBId=NULL/topoNodeId=42", "testhost:42"},
      {"", "NULL"},
      {"/systemId=name:\"X\"/topoNodeDBId=NULL/topoNodeId=7", "/testhost:7"},
      {"/systemId=name:\"X\"/topoNodeDBId=NULL", "NULL"},
      {"/systemId=name:\"X\"/topoNodeId=abc", "/testhost:0"},
      {"/systemId=name:\"X\"/xtopoNodeId=5", "/testhost:0"},
      {"/systemId=name:\"X\"/topoNodeId=4294967297", "/testhost:2147483647"},
      {longest + "misId=\"B\"" + longest + "topoNodeId=9", "testhost/B:9"},
  };
  for (const auto& [text, shown] : table) {
    EXPECT_EQ(printed(VQTopoNodeDn(text)), shown) << text.substr(0, 80);
  }
}

// Names from the local server come back as "/" and the local name; names through a server
// table keep their text.
TEST(TopoNodeDnTest, ServerNamesKeepTheirSlashForm) {
  const VQTopoNodeDn local("/systemId=name:\"elsewhere\"/topoNodeDBId=NULL/topoNodeId=7");
  EXPECT_EQ(local, VQTopoNodeDn("/testhost", 7));
  EXPECT_EQ(local.slash_form(), "/systemId=name:\"testhost\"/topoNodeDBId=NULL/topoNodeId=7");
  const std::string remote = "/serverTableType=\"mis\"/misId=\"B\"/topoNodeDBId=NULL/topoNodeId=7";
  EXPECT_EQ(VQTopoNodeDn(remote).slash_form(), remote);
}

TEST(TopoNodeDnTest, WithoutLocalNameEverySystemIsRemote) {
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(printed(VQTopoNodeDn("topoNodeDBId=NULL/topoNodeId=42")), ":42");
  EXPECT_EQ(VQTopoNodeDn("testhost", 1).slash_form(),
            "/serverTableType=\"mis\"/misId=\"testhost\"/topoNodeDBId=NULL/topoNodeId=1");
  EXPECT_EQ(VQTopoNodeDn("", 1).slash_form(), "/systemId=name:\"\"/topoNodeDBId=NULL/topoNodeId=1");
}

TEST(TopoNodeRepTest, ViewSlashForms) {
  const VQTopoNodeDn node("x", 9);
  const std::tuple<VQTopoNodeDn, const char*> table[] = {
      {{"testhost", 5}, "/systemId=name:\"testhost\"/topoViewDBId=NULL/topoNodeId=5"},
      {{"/testhost/B", 5},
       "/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"/topoViewDBId=NULL/topoNodeId=5"},
  };
  for (const auto& [view, slash] : table) {
    EXPECT_EQ(VQTopoNodeRep::topo_view_dn_slash_form(view), slash);
    EXPECT_EQ(VQTopoNodeRep::topo_view_node_dn_slash_form(view, node),
              std::string(slash) + "/topoNodeId=9");
  }
}

TEST(TopoNodeRepTest, ParsesViewAndViewNodeNames) {
  const std::tuple<const char*, VQTopoNodeDn, VQTopoNodeDn> table[] = {
      {"topoViewDBId=NULL/topoNodeId=5", {"testhost", 5}, {}},
      {"topoViewDBId=NULL/topoNodeId=5/topoNodeId=9", {"testhost", 5}, {"testhost", 9}},
      {"/systemId=name:\"hostA\"/topoViewDBId=NULL/topoNodeId=5", {"hostA", 5}, {}},
      {"/systemId=name:\"hostA\"/topoViewDBId=NULL/topoNodeId=5/topoNodeId=9",
       {"hostA", 5},
       {"hostA", 9}},
      {"/serverTableType=\"mis\"/misId=\"B\"/topoViewDBId=NULL/topoNodeId=5", {}, {}},
      {"/systemId=name:\"hostA\"/topoViewDBId=NULL/topoNodeId=", {}, {}},
      {"/systemId=name:\"hostA\"/topoNodeDBId=NULL/topoNodeId=5", {}, {}},
      {"/systemId=name:\"hostA", {}, {}},
      {"topoViewDBId", {}, {}},
  };
  for (const auto& [text, view, view_node] : table) {
    EXPECT_EQ(VQTopoNodeRep::topo_view_dn(text), view) << text;
    EXPECT_EQ(VQTopoNodeRep::topo_view_node_dn(text), view_node) << text;
  }
}

// Built by a static initialiser, before main: the name constants must already exist.
const VQTopoNodeDn kBuiltEarly("/systemId=name:\"early\"", 3);
const std::string kFragmentSeenEarly = VQ_DN_TOPO_NODE_PART2;

TEST(StaticNamesTest, NameConstantsExistBeforeOtherStaticObjects) {
  EXPECT_EQ(kFragmentSeenEarly, "\"/topoNodeDBId=NULL/topoNodeId=");
  EXPECT_EQ(kBuiltEarly.system_name(), "early");
  EXPECT_EQ(kBuiltEarly.unique_id(), 3);
}

}  // namespace
