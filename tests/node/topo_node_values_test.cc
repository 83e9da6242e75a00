#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "dedavuz_api/topo_node.h"

namespace {

template <typename T>
std::string printed(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// What the printed node does not show: defaults, values outside the enumerations, user data.
TEST(TopoNodeValuesTest, PrintedForms) {
  using N = VQTopoNode;
  EXPECT_EQ(printed(N::ArrayCellSize()), "width: 0 height: 25");
  EXPECT_EQ(printed(N::LocationInParent()), "parent: NULLlocation: x: 0 y: 0 z: 0");
  EXPECT_EQ(printed(N::GeoLocation{1.5, -2}), "longitude: 1.5 latitude: -2");
  EXPECT_EQ(printed(N::horizontal), "array_orientation: horizontal");
  EXPECT_EQ(printed(static_cast<N::ArrayOrientation>(7)), "array_orientation: vertical");
  const char* const severities[] = {"indeterminate", "critical", "major",
                                    "minor",         "warning",  "cleared"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(printed(static_cast<N::Severity>(i)), severities[i]);
  EXPECT_EQ(printed(static_cast<N::Severity>(9)), "9");
  EXPECT_EQ(printed(N::UserDatum("\"VQ Topology\":topoNodeLayer", hvx::Morf("topoNodeLayer"))),
            "attribute name: \"\"VQ Topology\":topoNodeLayer\" value: <opaque>");
  EXPECT_EQ(printed(N::UserDatum()), "attribute name: \"\" value: <opaque>");
}

}  // namespace
