// The JSON document of export and import: what it writes it reads back unchanged, and any
// other text is refused with a message that says where it is wrong.
#include <string>

#include <gtest/gtest.h>

#include "topology_document.h"

namespace {

TopologyDocument campus_like() {
  TopologyDocument document;
  document.top_is_root = true;
  document.nodes.resize(4);
  document.nodes[0] = {"Campus", "Network", {}, {}, {}, {}, {}, "campus.png", "campus.map"};
  document.nodes[1] = {"North", "Container", {0}, {{0, {120, -40, 0}}}, {}, {}, {}, "n.png", ""};
  document.nodes[2] = {"South", "Container", {0}, {{0, {120, 260, 1}}}, {}, {}, {}, "", ""};
  document.nodes[3] = {"core \"router\"", "Router", {1, 2}, {{1, {300, 20, 0}}, {2, {5, 6, 7}}},
                       {0, 2}, {"/systemId=name:\"x\"/subsystemId=\"core\""},
                       {{"interfaces up", 4}, {"down", -2147483647L - 1}}, "", ""};
  return document;
}

TEST(TopologyDocument, ReadsBackWhatItWrites) {
  const TopologyDocument written = campus_like();
  TopologyDocument read;
  ASSERT_TRUE(TopologyDocument::from_json(written.to_json(), read));
  EXPECT_EQ(read, written);
  EXPECT_EQ(read.to_json(), written.to_json());
}

TEST(TopologyDocument, CreationOrderPutsEveryParentFirst) {
  TopologyDocument document = campus_like();
  // The shared child listed before one of its parents.
  std::swap(document.nodes[2], document.nodes[3]);
  document.nodes[2].parents = {1, 3};
  document.nodes[2].positions = {};
  const std::vector<std::size_t> order = document.creation_order();
  ASSERT_EQ(order.size(), 4u);
  const auto at = [&](std::size_t node) { return std::find(order.begin(), order.end(), node); };
  EXPECT_LT(at(3), at(2));
  EXPECT_LT(at(1), at(2));
}

struct BadCase {
  const char* name;
  std::string text;
  const char* message;
};

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

std::string with_nodes(const std::string& nodes) {
  return R"({"format":"vqtopo-view","version":1,"nodes":)" + nodes + "}";
}

const std::string view = R"({"name":"v","type":"Network"})";

class BadDocument : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadDocument, IsRefusedAsUsage) {
  TopologyDocument document;
  document.nodes.resize(1);
  const Outcome outcome = TopologyDocument::from_json(GetParam().text, document);
  EXPECT_EQ(outcome.code(), ExitCode::usage);
  EXPECT_NE(outcome.message().find(GetParam().message), std::string::npos) << outcome.message();
  EXPECT_EQ(document.nodes.size(), 1u) << "a refused document leaves the old one";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadDocument,
    ::testing::Values(
        BadCase{"empty", "", "not a JSON document"},
        BadCase{"array", "[1]", "not a JSON object"},
        BadCase{"other_format", R"({"format":"x","version":1,"nodes":[]})", "not a vqtopo-view"},
        BadCase{"other_version", R"({"format":"vqtopo-view","version":2})", "version"},
        BadCase{"no_nodes", with_nodes("[]"), "non-empty array"},
        BadCase{"root_flag", R"({"format":"vqtopo-view","version":1,"top_is_root":1,"nodes":[)" +
                                 view + "]}",
                "top_is_root"},
        BadCase{"node_not_object", with_nodes("[3]"), "nodes[0]: expected an object"},
        BadCase{"no_name", with_nodes(R"([{"type":"Network"}])"), "nodes[0]: missing \"name\""},
        BadCase{"name_number", with_nodes(R"([{"name":1,"type":"N"}])"), "nodes[0].name"},
        BadCase{"parents_object", with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":{}}])"),
                "nodes[1].parents: expected an array"},
        BadCase{"negative_ref", with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[-1]}])"),
                "nodes[1].parents[0]"},
        BadCase{"ref_past_end", with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[2]}])"),
                "nodes[1].parents[0]: expected the index of a node"},
        BadCase{"link_past_end", with_nodes(R"([{"name":"v","type":"N","links":[1]}])"),
                "nodes[0].links[0]"},
        BadCase{"position_not_parent",
                with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[0],)"
                           R"("positions":[{"parent":1,"x":0,"y":0,"z":0}]}])"),
                "not a parent"},
        BadCase{"coordinate_too_big",
                with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[0],)"
                           R"("positions":[{"parent":0,"x":2147483648,"y":0,"z":0}]}])"),
                "positions[0].x: number out of range"},
        BadCase{"coordinate_fraction",
                with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[0],)"
                           R"("positions":[{"parent":0,"x":1.5,"y":0,"z":0}]}])"),
                "expected an integer"},
        BadCase{"status_without_label",
                with_nodes(R"([{"name":"v","type":"N","display_statuses":[{"value":1}]}])"),
                "display_statuses[0]: missing \"label\""},
        BadCase{"view_with_parent", with_nodes(R"([{"name":"v","type":"N","parents":[0]}])"),
                "the view has parents"},
        BadCase{"orphan", with_nodes("[" + view + R"(,{"name":"a","type":"R"}])"),
                "a node without parents"},
        BadCase{"parent_twice", with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[0,0]}])"),
                "given twice"},
        BadCase{"cycle", with_nodes("[" + view + R"(,{"name":"a","type":"R","parents":[2]},)"
                                    R"({"name":"b","type":"R","parents":[1]}])"),
                "cycle"},
        BadCase{"deep_nesting", std::string(100000, '[') + std::string(100000, ']'),
                "not a JSON object"}),
    [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

}  // namespace
