#include "core/name_scan.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "dedavuz_api/mit_names.h"

namespace {

TEST(NameScanTest, MatchesSscanfOnNameFormats) {
  const struct {
    std::string text;
    std::string format;
    int items;
    std::vector<std::string> strings;
    std::vector<long> numbers;
  } table[] = {
      {"topoNodeDBId=NULL/topoNodeId=42", VQ_DN_TOPO_NODE_LDN_SCANF, 1, {}, {42}},
      {"topoNodeDBId=NULL/topoNodeId= \t-7x", VQ_DN_TOPO_NODE_LDN_SCANF, 1, {}, {-7}},
      {"topoNodeDBId=NULL/topoNodeId=+", VQ_DN_TOPO_NODE_LDN_SCANF, 0, {}, {}},
      // A skipped scan set still needs one character.
      {"topoNodeDBId/topoNodeId=5", VQ_DN_TOPO_NODE_LDN_SCANF, 0, {}, {}},
      {"topoNodeDBId=NULL/topoNodeId=99999999999", VQ_DN_TOPO_NODE_LDN_SCANF, 1, {}, {INT_MAX}},
      {"topoNodeDBId=NULL/topoNodeId=-99999999999", VQ_DN_TOPO_NODE_LDN_SCANF, 1, {}, {INT_MIN}},
      {"/systemId=\"\xc3\xb4\"/topoViewDBId=/topoNodeId=3",
       VQ_DN_TOPO_VIEW_SCANF,
       2,
       {"\xc3\xb4"},
       {3}},
      {"/systemId=name:\"h\"/topoViewDBId=NULL/topoNodeId=x", VQ_DN_TOPO_VIEW_SCANF, 1, {"h"}, {}},
      {"/systemId=name:\"\"/topoViewDBId=NULL/topoNodeId=3", VQ_DN_TOPO_VIEW_SCANF, 0, {}, {}},
      {"topoTypeDBId=NULL/topoTypeId=\"Router\"", VQ_DN_TOPO_TYPE_LDN_SCANF, 1, {"Router"}, {}},
      {"topoTypeDBId=NULL/topoTypeId=\"Router", VQ_DN_TOPO_TYPE_LDN_SCANF, 1, {"Router"}, {}},
      {"   5-", " %ld%[-]", 2, {"-"}, {5}},
      {"abc", "%s", 0, {}, {}},
      {"abc", "%[^", 0, {}, {}},
      {"abc", "abc%", 0, {}, {}},
  };
  for (const auto& row : table) {
    const VQScanResult result = vq_scan(row.text, row.format);
    EXPECT_EQ(result.items, row.items) << row.text << " with " << row.format;
    EXPECT_EQ(result.strings, row.strings) << row.text;
    EXPECT_EQ(result.numbers, row.numbers) << row.text;
  }
}

TEST(NameScanTest, AtoiReadsLeadingNumber) {
  const std::tuple<const char*, long> table[] = {
      {"7", 7}, {"  -3z", -3}, {"x1", 0}, {"", 0}, {"+", 0}, {"99999999999", INT_MAX}, {"=5", 0}};
  for (const auto& [text, value] : table) EXPECT_EQ(vq_atoi(text), value) << text;
}

}  // namespace
