#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <vector>

#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "support/helpers.h"

namespace {

using N = VQTopoNode;
using Rep = VQTopoNodeRep;

VQIntegerSet set_of(std::initializer_list<long> members, long capacity = N::attribute_count) {
  return vq_testing::set_of(capacity, members);
}

TEST(TopoNodeCatalogueTest, ValidAndMandatoryAttributesAndUnknownNumbers) {
  const VQIntegerSet general =
      set_of({0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
  const VQIntegerSet creatable_general = set_of({1, 3, 4, 8, 11, 12, 13, 14, 17, 18, 19, 20, 21});
  const VQIntegerSet none(N::attribute_count);
  const std::tuple<VQObjectOperation, int, VQIntegerSet> table[] = {
      {load, 0, VQIntegerSet(N::attribute_count, true)},
      {load, 1, general},
      {load, 2, set_of({9, 10, 22, 23, 24, 25})},
      {load, 3, set_of({26, 27, 28, 29})},
      {load, 4, none},
      {load, 5, none},
      {load, 6, set_of({30, 31, 32, 33, 34})},
      {load, 7, set_of({35})},
      {create, 0, creatable_general | set_of({22, 23, 24, 25, 26, 30, 32, 33, 34, 35})},
      {create, 1, creatable_general},
      {create, 2, set_of({22, 23, 24, 25})},
      {create, 3, set_of({26})},
      {create, 6, set_of({30, 32, 33, 34})},
      {create, 7, set_of({35})},
      {store, 0, creatable_general | set_of({22, 23, 24, 25, 26, 27, 30, 32, 33, 34, 35})},
      {store, 1, creatable_general},
      {store, 2, set_of({22, 23, 24, 25})},
      {store, 3, set_of({26, 27})},
      {store, 5, none},
      {store, 6, set_of({30, 32, 33, 34})},
      {create, 8, none},
      {load, -1, none},
  };
  for (const auto& [operation, group, expected] : table) {
    const VQIntegerSet& got =
        N::get_valid_attributes(operation, static_cast<N::AttributeType>(group));
    EXPECT_EQ(got, expected) << "operation " << operation << " group " << group;
    // Built once: the same set every time.
    EXPECT_EQ(&got, &N::get_valid_attributes(operation, static_cast<N::AttributeType>(group)));
  }
  EXPECT_EQ(N::get_mandatory_attributes(create), set_of({1, 3, 8}));
  EXPECT_EQ(N::get_mandatory_attributes(load), set_of({0}));
  EXPECT_EQ(N::get_mandatory_attributes(store), set_of({0}));
  for (const int number : {36, -1, 1000}) {
    EXPECT_EQ(N::get_attribute_name(static_cast<N::Attribute>(number)), "Unknown");
  }
}

// The topoNode attributes each interface attribute maps to alone, for a load and a store.
TEST(TopoNodeCatalogueTest, InterfaceToTopoNodeAttributes) {
  const std::vector<int> none;
  // Each attribute, what a load maps it to and what a store (and a create) maps it to.
  const std::tuple<int, std::vector<int>, std::vector<int>> table[] = {
      {0, {0}, {0}},       {1, {1}, {1}},    {2, {1, 4}, {1, 4}}, {3, {2}, {2}},
      {4, {3}, {3}},       {5, {3}, none},   {6, {3}, none},      {7, {3}, none},
      {8, {4}, {4}},       {9, {5}, {5}},    {10, none, none},    {11, {6}, {6}},
      {12, {7}, {7}},      {13, {13}, {13}}, {14, {10}, {10}},    {15, {11}, {11}},
      {16, {12}, {12}},    {17, {14}, {14}}, {18, {15}, {15}},    {19, {16}, {16}},
      {20, {18}, {18}},    {21, {4}, none},  {22, {2}, none},     {23, {2}, none},
      {24, {2}, none},     {25, {2}, none},  {26, {17}, {17}},    {27, {5, 17}, {17}},
      {28, {5, 17}, {17}}, {29, {2}, none},  {30, {5, 19}, {19}}, {31, {5, 19}, {19}},
      {32, {20}, {20}},    {33, {21}, {21}}, {34, {22}, {22}},    {35, {23}, {23}},
  };
  const auto gdmo = [](const std::vector<int>& members) {
    VQIntegerSet set(Rep::gdmo_attribute_count);
    for (const int m : members) set.add(m);
    return set;
  };
  for (const auto& [attribute, loaded, stored] : table) {
    SCOPED_TRACE(attribute);
    VQIntegerSet out(N::attribute_count, true);  // emptied and resized
    Rep::map_interface_to_gdmo_attributes(load, Rep::topo_node, set_of({attribute}), out);
    EXPECT_EQ(out, gdmo(loaded));
    Rep::map_interface_to_gdmo_attributes(store, Rep::topo_node, set_of({attribute}), out);
    EXPECT_EQ(out, gdmo(stored));
    Rep::map_interface_to_gdmo_attributes(create, Rep::topo_node, set_of({attribute}), out);
    EXPECT_EQ(out, gdmo(stored));
  }
}

TEST(TopoNodeCatalogueTest, InterfaceToViewAndViewNodeAttributes) {
  const VQIntegerSet all(N::attribute_count, true);
  VQIntegerSet out;
  Rep::map_interface_to_gdmo_attributes(load, Rep::topo_view, all, out);
  EXPECT_EQ(out, set_of({25, 26, 27, 28}, Rep::gdmo_attribute_count));
  Rep::map_interface_to_gdmo_attributes(store, Rep::topo_view_node, all, out);
  EXPECT_EQ(out, set_of({24}, Rep::gdmo_attribute_count));
  Rep::map_interface_to_gdmo_attributes(load, Rep::topo_view_node, set_of({4, 8}), out);
  EXPECT_EQ(out.num_members(), 0);
  Rep::map_interface_to_gdmo_attributes(load, static_cast<Rep::GdmoObjectClass>(3), all, out);
  EXPECT_EQ(out, VQIntegerSet(Rep::gdmo_attribute_count));
}

TEST(TopoNodeCatalogueTest, GdmoToInterfaceAttributes) {
  const VQIntegerSet all(Rep::gdmo_attribute_count, true);
  VQIntegerSet out;
  Rep::map_gdmo_to_interface_attributes(Rep::topo_node, all, out);
  EXPECT_EQ(out, set_of({0,  1,  3,  4,  8,  9,  11, 12, 13, 14, 15, 16,
                         17, 18, 19, 20, 26, 27, 30, 32, 33, 34, 35}));
  Rep::map_gdmo_to_interface_attributes(Rep::topo_view_node, all, out);
  EXPECT_EQ(out, set_of({21}));
  Rep::map_gdmo_to_interface_attributes(Rep::topo_view, all, out);
  EXPECT_EQ(out, set_of({22, 23, 24, 25}));
  // Whether a node is managed has no attribute here; a view attribute is not a node's.
  Rep::map_gdmo_to_interface_attributes(Rep::topo_node,
                                        set_of({8, 9, 25}, Rep::gdmo_attribute_count), out);
  EXPECT_EQ(out, VQIntegerSet(N::attribute_count));
}

TEST(TopoNodeCatalogueTest, GdmoNamesByClass) {
  for (int g = 0; g < Rep::gdmo_attribute_count; ++g) {
    const Rep::GdmoObjectClass owner = g < 24    ? Rep::topo_node
                                       : g == 24 ? Rep::topo_view_node
                                                 : Rep::topo_view;
    for (const Rep::GdmoObjectClass object_class :
         {Rep::topo_node, Rep::topo_view_node, Rep::topo_view}) {
      Rep::GdmoAttribute found = Rep::topo_view_config_data;
      const bool known = object_class == owner && g != 8 && g != 9;
      EXPECT_EQ(Rep::map_gdmo_name_to_enum(object_class, TOPO_NODE_GDMO_ATTRIBUTE_NAMES[g], found),
                known)
          << TOPO_NODE_GDMO_ATTRIBUTE_NAMES[g] << " in class " << object_class;
      if (known) {
        EXPECT_EQ(found, g);
      }
    }
  }
  Rep::GdmoAttribute found = Rep::topo_node_state;
  EXPECT_FALSE(Rep::map_gdmo_name_to_enum(Rep::topo_node, "\"VQ Topology\":topoNodeName", found));
  EXPECT_FALSE(Rep::map_gdmo_name_to_enum(Rep::topo_node, "", found));
  // A class that is none of the three answers yes without an answer.
  EXPECT_TRUE(Rep::map_gdmo_name_to_enum(static_cast<Rep::GdmoObjectClass>(7), "x", found));
  EXPECT_EQ(found, Rep::topo_node_state);
}

}  // namespace
