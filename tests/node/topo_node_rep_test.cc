#include "dedavuz_api/topo_node_rep.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TopoNodeRepTest, ViewSlashForms) {
  const VQTopoNodeDn node("x", 9);
  const struct {
    VQTopoNodeDn view;
    const char* slash;
  } table[] = {
      {{"testhost", 5}, "/systemId=name:\"testhost\"/topoViewDBId=NULL/topoNodeId=5"},
      {{"testhost/B", 5}, "/serverTableType=\"mis\"/misId=\"B\"/topoViewDBId=NULL/topoNodeId=5"},
      {{"/testhost/B", 5},
       "/serverTableType=\"mis\"/misId=\"B\"/systemId=name:\"B\"/topoViewDBId=NULL/topoNodeId=5"},
  };
  for (const auto& row : table) {
    EXPECT_EQ(VQTopoNodeRep::topo_view_dn_slash_form(row.view), row.slash);
    EXPECT_EQ(VQTopoNodeRep::topo_view_node_dn_slash_form(row.view, node),
              std::string(row.slash) + "/topoNodeId=9");
  }
}

TEST(TopoNodeRepTest, ParsesViewAndViewNodeNames) {
  const struct {
    const char* text;
    VQTopoNodeDn view;
    VQTopoNodeDn view_node;
  } table[] = {
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
  for (const auto& row : table) {
    EXPECT_EQ(VQTopoNodeRep::topo_view_dn(row.text), row.view) << row.text;
    EXPECT_EQ(VQTopoNodeRep::topo_view_node_dn(row.text), row.view_node) << row.text;
  }
}

}  // namespace
