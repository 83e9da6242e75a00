#include "dedavuz_api/topo_type.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "dedavuz_api/topo_type_rep.h"
#include "hvx/asn1.h"
#include "hvx/ber.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/syntax.h"
#include "support/helpers.h"
#include "support/vq_test.h"
#include "type/topo_type_rep_access.h"

namespace {

using Names = VQList<std::string>;
using Code = VQStatus::Code;

const std::string kNodeName = "\"VQ Topology\":topoNodeName";
const std::string kNodeType = "\"VQ Topology\":topoNodeType";

VQIntegerSet set_of(std::initializer_list<long> members, long capacity = 8) {
  return vq_testing::set_of(capacity, members);
}
using vq_testing::printed;

Names names_of(const VQTopoType& type) {
  return vq_testing::got(type, &VQTopoType::get_user_data_attribute_names);
}

// A type with every settable attribute set.
VQTopoType router() {
  VQTopoType type(VQTopoTypeDn("testhost", "Router"));
  EXPECT_VQ_ALL_OK(type.set_base_type("Device"), type.set_layer_name("routers"),
                   type.set_draw_method(VQTopoType::hexagon),
                   type.add_user_data_attribute_name("topoNodeName"));
  return type;
}

TEST(TopoTypeTest, GettersOfUnsetAttributesNameThem) {
  VQTopoType type;
  VQTopoTypeDn dn;
  std::string text;
  Names names;
  VQTopoType::DrawMethod method;
  const std::pair<VQStatus, const char*> table[] = {
      {type.get_dn(dn), "VQTopoType::dn"},
      {type.get_base_type(text), "VQTopoType::base_type"},
      {type.get_all_base_types(names), "VQTopoType::all_base_types"},
      {type.get_sub_types(names), "VQTopoType::sub_types"},
      {type.get_legal_children(names), "VQTopoType::legal_children"},
      {type.add_legal_child("Host"), "VQTopoType::legal_children"},
      {type.get_layer_name(text), "VQTopoType::layer_name"},
      {type.get_draw_method(method), "VQTopoType::draw_method"},
      {type.get_user_data_attribute_names(names), "VQTopoType::user_data_attribute_names"}};
  for (const auto& [status, message] : table) {
    EXPECT_VQ_ERROR_TEXT(status, Code::attribute_not_set, message);
  }
  EXPECT_TRUE(dn.is_null());
}

TEST(TopoTypeTest, SettersStoreAndActivate) {
  using vq_testing::got;
  EXPECT_EQ(got(VQTopoType(VQTopoTypeDn("testhost", "Router")), &VQTopoType::get_dn),
            VQTopoTypeDn("testhost", "Router"));
  VQTopoType type = router();
  EXPECT_EQ(got(type, &VQTopoType::get_layer_name), "routers");
  // No value is checked.
  EXPECT_VQ_OK(type.set_draw_method(static_cast<VQTopoType::DrawMethod>(42)));
  EXPECT_EQ(got(type, &VQTopoType::get_draw_method), 42);

  VQTopoTypeRep rep;
  VQTopoTypeRepAccess::load(rep, {}, {"Host"});
  EXPECT_VQ_OK(rep.add_legal_child("Host"));
  EXPECT_EQ(printed(got(rep, &VQTopoTypeRep::get_legal_children)), "{ Host Host }\n");
}

TEST(TopoTypeTest, UserDataNamesAreCanonical) {
  VQTopoType type;
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeName"));
  EXPECT_EQ(names_of(type), Names{kNodeName});
  // Duplicates are found by the name as given.
  EXPECT_VQ_ERROR_TEXT(type.add_user_data_attribute_name(kNodeName), Code::already_exists,
                       kNodeName.c_str());
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeName"));
  for (const VQStatus& status :
       {type.add_user_data_attribute_name("bogus"), type.remove_user_data_attribute_name("bogus"),
        type.set_user_data_attribute_names({"topoNodeType", "bogus"})}) {
    EXPECT_VQ_ERROR_TEXT(status, Code::attribute_not_registered, "bogus");
  }
  // The failed set kept what it had made so far.
  EXPECT_EQ(names_of(type), Names{kNodeType});

  // An inactive list starts afresh; a failed set leaves it inactive.
  type.clear_all_attributes();
  EXPECT_VQ_ERROR(type.set_user_data_attribute_names({"bogus"}), Code::attribute_not_registered);
  Names unset;
  EXPECT_VQ_ERROR(type.get_user_data_attribute_names(unset), Code::attribute_not_set);
  EXPECT_VQ_OK(type.add_user_data_attribute_name("topoNodeName"));
  EXPECT_EQ(names_of(type), Names{kNodeName});
}

TEST(TopoTypeTest, RemovingUserDataNames) {
  VQTopoType type;
  EXPECT_VQ_ERROR_TEXT(type.remove_user_data_attribute_name("topoNodeName"),
                       Code::attribute_not_set, "VQTopoType::user_data_attribute_names");
  EXPECT_VQ_ALL_OK(type.set_user_data_attribute_names({"topoNodeName", "topoNodeType", kNodeName}),
                   type.remove_user_data_attribute_name("topoNodeName"),
                   type.remove_user_data_attribute_name(kNodeName));
  EXPECT_VQ_ERROR_TEXT(type.remove_user_data_attribute_name("topoNodeName"), Code::does_not_exist,
                       "topoNodeName");
  EXPECT_EQ(names_of(type), Names{kNodeType});
}

// The walk over the active attributes is the node's; here what the type's own rows decide.
TEST(TopoTypeTest, ComparisonCountsEveryAttributeButTheLayer) {
  const VQTopoType loaded = router();
  const VQTopoType named(VQTopoTypeDn("testhost", "Router"));
  EXPECT_TRUE(named == loaded);
  EXPECT_TRUE(loaded != named);
  VQTopoType hub(VQTopoTypeDn("testhost", "Hub"));
  EXPECT_VQ_ALL_OK(hub.set_layer_name("hubs"), hub.set_base_type("Device"),
                   hub.set_draw_method(VQTopoType::pie),
                   hub.add_user_data_attribute_name("topoNodeType"));
  VQIntegerSet differing(8);
  EXPECT_TRUE(loaded.diff_all_attributes(hub, differing));
  EXPECT_EQ(differing, set_of({0, 6, 7}));
  // Numbers beyond the eight never differ.
  EXPECT_TRUE(loaded.compare_some_attributes(hub, set_of({1, 5, 9}, 12)));
}

TEST(TopoTypeTest, AttributeNamesAndOperationSets) {
  std::string all;
  for (int n = -1; n <= 8; ++n) {
    all += VQTopoType::get_attribute_name(static_cast<VQTopoType::Attribute>(n)) + " ";
  }
  EXPECT_EQ(all,
            "Unknown dn base_type all_base_types sub_types legal_children layer_name draw_method "
            "user_data_attribute_names Unknown ");
  EXPECT_EQ(VQTopoType::get_valid_attributes(load), VQIntegerSet(8, true));
  EXPECT_EQ(VQTopoType::get_valid_attributes(create), set_of({0, 1, 4, 5, 6, 7}));
  EXPECT_EQ(VQTopoType::get_valid_attributes(store), set_of({4, 5, 6, 7}));
  EXPECT_EQ(VQTopoType::get_mandatory_attributes(load), set_of({0}));
  EXPECT_EQ(VQTopoType::get_mandatory_attributes(create), set_of({0, 1, 5}));
  EXPECT_EQ(VQTopoType::get_mandatory_attributes(store), set_of({0}));
  EXPECT_EQ(&VQTopoType::get_valid_attributes(store), &VQTopoType::get_valid_attributes(store));
}

TEST(TopoTypeTest, ServerOperationsNeedThePlatformObject) {
  VQTopoType type = router();
  EXPECT_FALSE(type.exists());
  const char* const kMessage = "VQTopoPlatform not initialized";
  for (const VQStatus& status : {type.create_with_all_attributes(), type.load_all_attributes(),
                                 type.store_all_attributes(), type.destroy()}) {
    EXPECT_VQ_ERROR_TEXT(status, Code::hvx_error, kMessage);
  }
  VQTopoTypeRep rep(VQTopoTypeDn("testhost", "Router"));
  EXPECT_VQ_OK(rep.load_all_defaults());
  EXPECT_EQ(vq_testing::active_of(rep), set_of({0}));
}

hvx::Morf any(const hvx::Asn1Value& value) { return hvx::Morf(hvx::Syntax::parse("ANY"), value); }

TEST(TopoTypeTest, ServerAttributesAndTheirRefusedValues) {
  using Rep = VQTopoTypeRep;
  const hvx::Asn1Value number = hvx::ber::integer(5);
  hvx::Asn1Value unknown_oid = hvx::ber::set();
  unknown_oid.add_component(hvx::ber::oid(hvx::Oid("1.2.3.4"), hvx::Asn1Tag(2, 0)));
  const std::tuple<int, const hvx::Asn1Value&, Code, const char*> table[] = {
      {Rep::topo_type_all_base_of, number, Code::decode_error, "VQTopoType::unknown_attribute"},
      {14, number, Code::decode_error, "VQTopoType::unknown_attribute"},
      {Rep::topo_type_draw_method, number, Code::decode_error, "VQTopoType::draw_method"},
      {Rep::topo_type_user_data_attrs, number, Code::decode_error,
       "VQTopoType::user_data_attribute_names"},
      {Rep::topo_type_user_data_attrs, unknown_oid, Code::attribute_not_registered, "1.2.3.4"},
  };
  Rep rep;
  for (const auto& [attribute, sent, code, message] : table) {
    hvx::Morf value = any(sent);
    EXPECT_VQ_ERROR_TEXT(
        rep.get_attribute_from_morf(static_cast<Rep::GdmoAttribute>(attribute), value), code,
        message);
  }
  hvx::Image image;
  EXPECT_VQ_ERROR_TEXT(rep.get_some_attributes_in_image(image, set_of({})), Code::invalid_argument,
                       "VQIntegerSet wrong size");

  VQIntegerSet interface(3);
  Rep::map_gdmo_to_interface_attributes(set_of({4, 11, 12}, Rep::gdmo_attribute_count), interface);
  EXPECT_EQ(interface, set_of({5, 6}));
  Rep::GdmoAttribute found = Rep::topo_type_id;
  EXPECT_TRUE(Rep::map_gdmo_name_to_enum("topoTypeDefaultLayer", found));
  EXPECT_EQ(found, Rep::topo_type_default_layer);
  EXPECT_FALSE(Rep::map_gdmo_name_to_enum("topoTypeDrawmethod", found));
  EXPECT_EQ(found, 15);
}

// (That copies are deep is in the comparison test, which changes a copy.) A set smaller
// than the active set clears its own members and nothing else.
TEST(TopoTypeTest, SelfAssignmentKeepsTheValuesAndClearingTakesOnlyTheSetsMembers) {
  VQTopoType type = router();
  VQTopoType& alias = type;
  type = alias;
  EXPECT_EQ(vq_testing::got(type, &VQTopoType::get_base_type), "Device");
  type.clear_some_attributes(set_of({1}, 2));
  EXPECT_EQ(vq_testing::active_of(type), set_of({0, 5, 6, 7}));
}

TEST(TopoTypeTest, PrintsActiveAttributesWithRightAlignedLabels) {
  EXPECT_EQ(printed(VQTopoType()), "");
  const std::string blanks(32, ' ');
  auto label = [&](const std::string& text) { return blanks.substr(text.size()) + text; };
  EXPECT_EQ(printed(router()),
            "                            dn: testhost:Router\n" + label("base_type: \"") +
                "Device\"\n" + label("layer_name: \"") + "routers\"\n" + label("draw_method: \"") +
                "hexagon\"\n" + label("user_data_attribute_names: ") + "{ " + kNodeName + " }\n");
  VQTopoTypeRep rep;
  VQTopoTypeRepAccess::load(rep, {"Device"}, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
  EXPECT_EQ(printed(rep), label("all_base_types") + "{ Device }\n" + label("sub_types") + "{ }\n" +
                              label("legal_children: ") + "{ 1 2 3 4 5 6 7 8 9 \n10 }\n");

  std::string methods;
  for (int n = -1; n <= 10; ++n) methods += printed(static_cast<VQTopoType::DrawMethod>(n)) + " ";
  EXPECT_EQ(methods,
            "-1 circle square rectangle triangle hexagon line pie hexagon60 hexagon120 omnisector "
            "10 ");
}

TEST(TopoTypeDnTest, ParsesNameTexts) {
  const std::string long_id(100000, 'R');
  const std::pair<std::string, std::string> table[] = {
      {"", "NULL"},
      {"Router", "NULL"},
      {R"(topoTypeDBId=NULL/topoTypeId="Router")", "testhost:Router"},
      {"topoTypeDBId=NULL/topoTypeId=\"" + long_id + "\"", "testhost:" + long_id},
      {R"(topoTypeDBId=NULL/topoTypeId=Router)", "NULL"},
      {R"(topoTypeDBId=NULL/topoTypeId="")", "NULL"},
      // Read once the identifier is, whether or not its closing quote follows.
      {R"(topoTypeDBId=NULL/topoTypeId="Router)", "testhost:Router"},
      {R"(/systemId=name:"alpha"/topoTypeDBId=NULL)", "NULL"},
      {R"(/systemId=name:"X"/topoTypeDBId=NULL/topoTypeId="Router")", "/testhost:Router"},
      {R"(/serverTableType="mis"/misId="beta"/topoTypeDBId=NULL/topoTypeId="Router")",
       "testhost/beta:Router"},
      {R"(/topoTypeId=Router/)", "testhost:Router"},
      // The identifier is what follows the key's length, and loses its quotes at both ends;
      // a server-table value loses only its trailing ones.
      {R"(/xtopoTypeId="Router")", "testhost:=\"Router"},
      {R"(/misId=""b""/topoTypeId=""R"")", "testhost/\"b:R"},
  };
  for (const auto& [text, expected] : table) {
    EXPECT_EQ(printed(VQTopoTypeDn(text)), expected) << text.substr(0, 80);
  }
}

TEST(TopoTypeDnTest, SlashFormsRoundTrip) {
  const std::pair<const char*, const char*> table[] = {
      {"testhost", R"(/systemId=name:"testhost"/topoTypeDBId=NULL/topoTypeId="Router")"},
      {"/testhost/beta",
       R"(/serverTableType="mis"/misId="beta"/systemId=name:"beta"/topoTypeDBId=NULL/topoTypeId="Router")"},
  };
  for (const auto& [system, slash] : table) {
    EXPECT_EQ(VQTopoTypeDn(system, "Router").slash_form(), slash);
    EXPECT_EQ(VQTopoTypeDn(std::string(slash)).slash_form(), slash);
  }
  // The local system's name comes back rooted: same slash form, yet a different name.
  const VQTopoTypeDn local("testhost", "Router");
  const VQTopoTypeDn parsed(local.slash_form());
  EXPECT_EQ(parsed.system_name(), "/testhost");
  EXPECT_NE(parsed, local);
}

TEST(TopoTypeDnTest, WithoutLocalNameEverySystemIsRemote) {
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(printed(VQTopoTypeDn(R"(topoTypeDBId=NULL/topoTypeId="Hub")")), ":Hub");
  EXPECT_EQ(VQTopoTypeDn("testhost", "Hub").slash_form(),
            R"(/serverTableType="mis"/misId="testhost"/topoTypeDBId=NULL/topoTypeId="Hub")");
}

}  // namespace
