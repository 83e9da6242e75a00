#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node.h"

namespace {

template <typename T>
std::string printed(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

TEST(TopoNodeValuesTest, PrintedForms) {
  using N = VQTopoNode;
  EXPECT_EQ(printed(N::ArrayCellSize()), "width: 0 height: 25");
  EXPECT_EQ(printed(N::Location(1, 2, 3)), "x: 1 y: 2 z: 3");
  EXPECT_EQ(printed(N::LocationInParent({"h", 4}, {1, -2, 3})),
            "parent: h:4location: x: 1 y: -2 z: 3");
  EXPECT_EQ(printed(N::LocationInParent()), "parent: NULLlocation: x: 0 y: 0 z: 0");
  EXPECT_EQ(printed(N::DisplayStatus("up", 1)), "label: \"up\" value: 1");
  EXPECT_EQ(printed(N::GeoLocation{1.5, -2}), "longitude: 1.5 latitude: -2");
  EXPECT_EQ(printed(N::ViewConfigDatum("a", "b c")), "name: \"a\" value: b c");
  EXPECT_EQ(printed(N::horizontal), "array_orientation: horizontal");
  EXPECT_EQ(printed(N::vertical), "array_orientation: vertical");
  EXPECT_EQ(printed(static_cast<N::ArrayOrientation>(7)), "array_orientation: vertical");
  const char* const severities[] = {"indeterminate", "critical", "major",
                                    "minor",         "warning",  "cleared"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(printed(static_cast<N::Severity>(i)), severities[i]);
  EXPECT_EQ(printed(static_cast<N::Severity>(9)), "9");
  EXPECT_EQ(printed(N::UserDatum("\"VQ Topology\":topoNodeLayer", hvx::Morf("topoNodeLayer"))),
            "attribute name: \"\"VQ Topology\":topoNodeLayer\" value: <opaque>");
  EXPECT_EQ(printed(N::UserDatum()), "attribute name: \"\" value: <opaque>");
}

TEST(TopoNodeValuesTest, Equality) {
  using N = VQTopoNode;
  EXPECT_NE(N::DisplayStatus("x", 1), N::DisplayStatus("x", 2));
  EXPECT_NE(N::LocationInParent({"h", 4}, {}), N::LocationInParent({"h", 5}, {}));
  EXPECT_EQ(N::LocationInParent({"h", 4}, {1, 2, 3}), N::LocationInParent({"h", 4}, {1, 2, 3}));
  EXPECT_TRUE(N::GeoLocation({1, 2}) != N::GeoLocation({1, 2.5}));
  EXPECT_TRUE(N::ArrayCellSize({3, 4}) != N::ArrayCellSize());
  EXPECT_NE(N::ViewConfigDatum("a", "b"), N::ViewConfigDatum("a", "c"));
  // Lists of statuses are searched by label, whatever the value.
  VQList<N::DisplayStatus> statuses{{"x", 1}, {"y", 2}};
  EXPECT_FALSE(statuses.contains(N::DisplayStatus("x", 2)));
  const auto* found = statuses.find_if([](const N::DisplayStatus& s) { return s.label == "x"; });
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->value, 1);
}

}  // namespace
