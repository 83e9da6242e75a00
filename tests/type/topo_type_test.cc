#include "dedavuz_api/topo_type.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "dedavuz_api/topo_type_rep.h"
#include "support/vq_test.h"

// Fills what only a load from the server would.
class VQTopoTypeRepPeer {
 public:
  static void load(VQTopoTypeRep& rep, const VQList<std::string>& bases,
                   const VQList<std::string>& subs, const VQList<std::string>& children) {
    rep.all_base_types_ = bases;
    rep.sub_types_ = subs;
    rep.legal_children_ = children;
    for (const int n :
         {VQTopoType::all_base_types, VQTopoType::sub_types, VQTopoType::legal_children}) {
      rep.active_.add(n);
    }
  }
};

namespace {

using Names = VQList<std::string>;
using Code = VQStatus::Code;

const std::string kNodeName = "\"VQ Topology\":topoNodeName";
const std::string kNodeType = "\"VQ Topology\":topoNodeType";

VQIntegerSet set_of(std::initializer_list<long> members, long capacity = 8) {
  VQIntegerSet set(capacity);
  for (const long m : members) set.add(m);
  return set;
}

template <typename T>
std::string printed(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// The label right-aligned in 32 columns.
std::string label(const std::string& text) { return std::string(32 - text.size(), ' ') + text; }

// A type with every settable attribute set.
VQTopoType router() {
  VQTopoType type(VQTopoTypeDn("testhost", "Router"));
  EXPECT_VQ_OK(type.set_base_type("Device"));
  EXPECT_VQ_OK(type.set_layer_name("routers"));
  EXPECT_VQ_OK(type.set_draw_method(VQTopoType::hexagon));
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeName"));
  return type;
}

TEST(TopoTypeTest, GettersOfUnsetAttributesNameThem) {
  const VQTopoType type;
  VQTopoTypeDn dn;
  std::string text;
  Names names;
  VQTopoType::DrawMethod method;
  const std::pair<std::function<VQStatus()>, const char*> getters[] = {
      {[&] { return type.get_dn(dn); }, "VQTopoType::dn"},
      {[&] { return type.get_base_type(text); }, "VQTopoType::base_type"},
      {[&] { return type.get_all_base_types(names); }, "VQTopoType::all_base_types"},
      {[&] { return type.get_sub_types(names); }, "VQTopoType::sub_types"},
      {[&] { return type.get_legal_children(names); }, "VQTopoType::legal_children"},
      {[&] { return type.get_layer_name(text); }, "VQTopoType::layer_name"},
      {[&] { return type.get_draw_method(method); }, "VQTopoType::draw_method"},
      {[&] { return type.get_user_data_attribute_names(names); },
       "VQTopoType::user_data_attribute_names"},
  };
  for (const auto& [get, message] : getters) {
    const VQStatus status = get();
    EXPECT_VQ_ERROR(status, Code::attribute_not_set);
    EXPECT_EQ(status.message(), message);
  }
  EXPECT_TRUE(dn.is_null());
  EXPECT_EQ(text, "");
}

TEST(TopoTypeTest, SettersStoreAndActivate) {
  VQTopoType type(VQTopoTypeDn("testhost", "Router"));
  VQTopoTypeDn dn;
  EXPECT_VQ_OK(type.get_dn(dn));
  EXPECT_EQ(dn, VQTopoTypeDn("testhost", "Router"));
  std::string text;
  EXPECT_VQ_ERROR(type.get_base_type(text), Code::attribute_not_set);

  type = router();
  EXPECT_VQ_OK(type.get_base_type(text));
  EXPECT_EQ(text, "Device");
  EXPECT_VQ_OK(type.get_layer_name(text));
  EXPECT_EQ(text, "routers");
  // No value is checked.
  EXPECT_VQ_OK(type.set_draw_method(static_cast<VQTopoType::DrawMethod>(42)));
  VQTopoType::DrawMethod method;
  EXPECT_VQ_OK(type.get_draw_method(method));
  EXPECT_EQ(method, 42);
  VQIntegerSet active;
  type.get_active_attributes(active);
  EXPECT_EQ(active, set_of({0, 1, 5, 6, 7}));
}

TEST(TopoTypeTest, LegalChildrenGrowOnlyOnceLoaded) {
  VQTopoType type;
  EXPECT_VQ_ERROR(type.add_legal_child("Host"), Code::attribute_not_set);
  Names children;
  EXPECT_VQ_ERROR(type.get_legal_children(children), Code::attribute_not_set);

  VQTopoTypeRep rep;
  VQTopoTypeRepPeer::load(rep, {}, {}, {"Host"});
  EXPECT_VQ_OK(rep.add_legal_child("Host"));
  EXPECT_VQ_OK(rep.add_legal_child("hub"));
  EXPECT_VQ_OK(rep.get_legal_children(children));
  EXPECT_EQ(printed(children), "{ Host Host hub }\n");
}

TEST(TopoTypeTest, UserDataNamesAreCanonical) {
  VQTopoType type;
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeName"));
  Names names;
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names, Names{kNodeName});

  // Duplicates are found by the name as given.
  VQStatus status = type.add_user_data_attribute_name(kNodeName);
  EXPECT_VQ_ERROR(status, Code::already_exists);
  EXPECT_EQ(status.message(), kNodeName);
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeName"));
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names.entries(), 2u);

  status = type.add_user_data_attribute_name("noSuchAttribute");
  EXPECT_VQ_ERROR(status, Code::attribute_not_registered);
  EXPECT_EQ(status.message(), "noSuchAttribute");
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names.entries(), 2u);

  // An inactive list starts afresh.
  type.clear_some_attributes(set_of({VQTopoType::user_data_attribute_names}));
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeType"));
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names, Names{kNodeType});
}

TEST(TopoTypeTest, SettingUserDataNamesStopsAtTheFirstUnknownName) {
  VQTopoType type;
  EXPECT_VQ_ERROR(type.set_user_data_attribute_names({"topoNodeName", "bogus", "topoNodeType"}),
                  Code::attribute_not_registered);
  Names names;
  EXPECT_VQ_ERROR(type.get_user_data_attribute_names(names), Code::attribute_not_set);

  EXPECT_VQ_OK(type.set_user_data_attribute_names({"topoNodeType"}));
  EXPECT_VQ_ERROR(type.set_user_data_attribute_names({"topoNodeName", "bogus"}),
                  Code::attribute_not_registered);
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names, Names{kNodeName});

  EXPECT_VQ_OK(type.set_user_data_attribute_names({}));
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_TRUE(names.is_empty());
}

TEST(TopoTypeTest, RemovingUserDataNames) {
  VQTopoType type;
  VQStatus status = type.remove_user_data_attribute_name("topoNodeName");
  EXPECT_VQ_ERROR(status, Code::attribute_not_set);
  EXPECT_EQ(status.message(), "VQTopoType::user_data_attribute_names");

  EXPECT_VQ_OK(type.set_user_data_attribute_names({"topoNodeName", "topoNodeType", kNodeName}));
  EXPECT_VQ_ERROR(type.remove_user_data_attribute_name("bogus"), Code::attribute_not_registered);
  EXPECT_VQ_OK(type.remove_user_data_attribute_name("topoNodeName"));
  Names names;
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names.entries(), 2u);
  EXPECT_VQ_OK(type.remove_user_data_attribute_name(kNodeName));
  status = type.remove_user_data_attribute_name("topoNodeName");
  EXPECT_VQ_ERROR(status, Code::does_not_exist);
  EXPECT_EQ(status.message(), "topoNodeName");
  EXPECT_VQ_OK(type.get_user_data_attribute_names(names));
  EXPECT_EQ(names, Names{kNodeType});
}

TEST(TopoTypeTest, ComparisonWalksTheLeftSideOnly) {
  const VQTopoType loaded = router();
  const VQTopoType named(VQTopoTypeDn("testhost", "Router"));
  EXPECT_TRUE(named == loaded);
  EXPECT_FALSE(loaded == named);
  EXPECT_TRUE(loaded != named);

  VQTopoType relayered = loaded;
  EXPECT_VQ_OK(relayered.set_layer_name("elsewhere"));
  EXPECT_TRUE(loaded == relayered && relayered == loaded);

  VQTopoType redrawn = loaded;
  EXPECT_VQ_OK(redrawn.set_draw_method(VQTopoType::pie));
  EXPECT_FALSE(loaded == redrawn);
  EXPECT_TRUE(loaded.compare_some_attributes(redrawn, set_of({0, 1, 5, 7})));
  // Numbers beyond the eight never differ.
  EXPECT_TRUE(loaded.compare_some_attributes(redrawn, set_of({9}, 12)));
}

TEST(TopoTypeTest, DiffAddsToWhatTheSetHolds) {
  const VQTopoType loaded = router();
  VQTopoType other(VQTopoTypeDn("testhost", "Hub"));
  EXPECT_VQ_OK(other.set_layer_name("hubs"));
  EXPECT_VQ_OK(other.set_base_type("Device"));

  VQIntegerSet differing(8);
  EXPECT_TRUE(loaded.diff_all_attributes(other, differing));
  // The name differs; draw method and user data are active on one side only; the layer,
  // active on both, never differs.
  EXPECT_EQ(differing, set_of({0, 6, 7}));

  VQIntegerSet none(8);
  EXPECT_FALSE(loaded.diff_all_attributes(loaded, none));
  VQIntegerSet held = set_of({3});
  EXPECT_TRUE(loaded.diff_all_attributes(loaded, held));
  EXPECT_EQ(held, set_of({3}));

  VQIntegerSet some(8);
  EXPECT_TRUE(other.diff_some_attributes(loaded, set_of({1, 5, 6}), some));
  EXPECT_EQ(some, set_of({6}));
  // The layer active on one side only does differ.
  VQIntegerSet layer(8);
  EXPECT_TRUE(VQTopoType().diff_some_attributes(other, set_of({5}), layer));
}

TEST(TopoTypeTest, AttributeNamesAndOperationSets) {
  const char* const names[] = {"dn",
                               "base_type",
                               "all_base_types",
                               "sub_types",
                               "legal_children",
                               "layer_name",
                               "draw_method",
                               "user_data_attribute_names",
                               "Unknown"};
  for (int n = 0; n < 9; ++n) {
    EXPECT_EQ(VQTopoType::get_attribute_name(static_cast<VQTopoType::Attribute>(n)), names[n]);
  }
  EXPECT_EQ(VQTopoType::get_attribute_name(static_cast<VQTopoType::Attribute>(-1)), "Unknown");

  EXPECT_EQ(VQTopoType::get_valid_attributes(load), VQIntegerSet(8, true));
  EXPECT_EQ(VQTopoType::get_valid_attributes(create), set_of({0, 1, 4, 5, 6, 7}));
  EXPECT_EQ(VQTopoType::get_valid_attributes(store), set_of({4, 5, 6, 7}));
  EXPECT_EQ(VQTopoType::get_mandatory_attributes(load), set_of({0}));
  EXPECT_EQ(VQTopoType::get_mandatory_attributes(create), set_of({0, 1, 5}));
  EXPECT_EQ(VQTopoType::get_mandatory_attributes(store), set_of({0}));
  EXPECT_EQ(&VQTopoType::get_valid_attributes(store), &VQTopoType::get_valid_attributes(store));
}

TEST(TopoTypeTest, ServerOperationsAreNotBuiltYet) {
  VQTopoType type = router();
  EXPECT_FALSE(type.exists());
  const std::pair<std::function<VQStatus()>, const char*> operations[] = {
      {[&] { return type.create_with_all_attributes(); }, "create_with_some_attributes"},
      {[&] { return type.create_with_some_attributes(set_of({0})); },
       "create_with_some_attributes"},
      {[&] { return type.load_all_attributes(); }, "load_some_attributes"},
      {[&] { return type.load_some_attributes(set_of({0})); }, "load_some_attributes"},
      {[&] { return type.store_all_attributes(); }, "store_some_attributes"},
      {[&] { return type.store_some_attributes(set_of({4})); }, "store_some_attributes"},
      {[&] { return type.destroy(); }, "destroy"},
  };
  for (const auto& [operation, name] : operations) {
    const VQStatus status = operation();
    EXPECT_VQ_ERROR(status, Code::not_implemented);
    EXPECT_EQ(status.message(), std::string("VQTopoType::") + name);
  }
  VQTopoTypeRep rep(VQTopoTypeDn("testhost", "Router"));
  EXPECT_VQ_OK(rep.load_all_defaults());
  VQIntegerSet active;
  rep.get_active_attributes(active);
  EXPECT_EQ(active, set_of({0}));
}

TEST(TopoTypeTest, CopiesAreDeep) {
  VQTopoType source = router();
  VQTopoType copy(source);
  EXPECT_VQ_OK(copy.set_base_type("Link"));
  copy.clear_some_attributes(set_of({VQTopoType::draw_method}));
  std::string base;
  EXPECT_VQ_OK(source.get_base_type(base));
  EXPECT_EQ(base, "Device");
  VQTopoType::DrawMethod method;
  EXPECT_VQ_OK(source.get_draw_method(method));

  VQTopoType& alias = source;
  source = alias;
  EXPECT_VQ_OK(source.get_base_type(base));
  source.clear_all_attributes();
  EXPECT_VQ_ERROR(source.get_base_type(base), Code::attribute_not_set);
  EXPECT_VQ_OK(copy.get_base_type(base));
}

TEST(TopoTypeTest, PrintsActiveAttributesInOrder) {
  EXPECT_EQ(printed(VQTopoType()), "");
  EXPECT_EQ(printed(VQTopoType(VQTopoTypeDn("testhost", "Router"))),
            "                            dn: testhost:Router\n");
  EXPECT_EQ(printed(router()),
            label("dn: ") + "testhost:Router\n" + label("base_type: \"") + "Device\"\n" +
                label("layer_name: \"") + "routers\"\n" + label("draw_method: \"") + "hexagon\"\n" +
                label("user_data_attribute_names: ") + "{ " + kNodeName + " }\n");

  VQTopoTypeRep rep;
  VQTopoTypeRepPeer::load(rep, {"Device"}, {}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
  EXPECT_EQ(printed(rep), label("all_base_types") + "{ Device }\n" + label("sub_types") + "{ }\n" +
                              label("legal_children: ") + "{ 1 2 3 4 5 6 7 8 9 \n10 }\n");
}

TEST(TopoTypeTest, DrawMethodNames) {
  const char* const names[] = {"circle", "square", "rectangle", "triangle",   "hexagon",
                               "line",   "pie",    "hexagon60", "hexagon120", "omnisector"};
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(printed(static_cast<VQTopoType::DrawMethod>(n)), names[n]);
  }
  EXPECT_EQ(printed(static_cast<VQTopoType::DrawMethod>(10)), "10");
  EXPECT_EQ(printed(static_cast<VQTopoType::DrawMethod>(-1)), "-1");
}

}  // namespace
