#include "hvx/image.h"

#include <gtest/gtest.h>

#include <tuple>

#include "hvx/album.h"
#include "hvx/morf.h"
#include "platform_fixture.h"

namespace {

using hvx::DataUnit;
using hvx::ErrorCode;
using hvx::Image;

class ImageTest : public hvx_testing::PlatformTest {};

// A partial boot holds the attributes asked for; staged values are given back as staged;
// an object gone since cannot be stored or destroyed and leaves the image missing. Names may
// be full or relative.
TEST_F(ImageTest, CreateBootStoreDestroyRoundTrip) {
  Image type("topoTypeDBId=NULL/topoTypeId=\"Gateway\"", "topoType", platform_);
  ASSERT_TRUE(type.set_str("topoTypeDefaultLayer", "net") && type.create(Image()))
      << type.get_error_string();
  Image read("/systemId=name:\"L\"/topoTypeDBId=NULL/topoTypeId=\"Gateway\"", "topoType",
             platform_);
  ASSERT_TRUE(read.boot(hvx::DUArray{"topoTypeDefaultLayer"}));
  EXPECT_EQ(read.get_attr_names(), hvx::DUArray{"topoTypeDefaultLayer"});
  EXPECT_EQ(read.get_str("topoTypeDefaultLayer").str(), "net");
  ASSERT_TRUE(read.set_str("topoTypeDefaultLayer", "core"));
  EXPECT_EQ(read.get_set_str("topoTypeDefaultLayer").str(), "core");
  ASSERT_TRUE(type.destroy());
  EXPECT_FALSE(read.store());
  EXPECT_EQ(read.get_error_code(), ErrorCode::no_such_object_instance);
  EXPECT_FALSE(type.destroy());
  // Booting a name without an object succeeds and leaves the image missing.
  ASSERT_TRUE(read.boot());
  EXPECT_EQ(read.get_state(), Image::IMAGE_MISSING);
  EXPECT_FALSE(read.exists());
  EXPECT_STREQ(read.get_error_string(), "");
}

TEST_F(ImageTest, IncludeAndExcludeChangeSetMembers) {
  ASSERT_TRUE(make_type("Shelf"));
  Image type("topoTypeDBId=NULL/topoTypeId=\"Shelf\"", "topoType", platform_);
  auto change = [&](const char* members, int mode) {
    return type.set_str("topoTypeLegalChildren", members, mode) && type.store() && type.boot();
  };
  ASSERT_TRUE(change("{\"A\"}", hvx::INCLUDE) && change("{\"B\",\"A\"}", hvx::INCLUDE));
  EXPECT_EQ(type.get_raw("topoTypeLegalChildren").num_elements(), 2u);
  ASSERT_TRUE(change("{\"A\"}", hvx::EXCLUDE));
  const hvx::MorfArray children = type.get_raw("topoTypeLegalChildren").split_array();
  ASSERT_EQ(children.count(), 1u);
  EXPECT_EQ(children[0].get_str(0), "B");
}

// Each refusal of the server reaches the caller as false with a text naming the problem.
TEST_F(ImageTest, ServerRefusalsGiveClearErrors) {
  ASSERT_TRUE(make_type("Hubcap"));
  // attribute: staged with REPLACE when set
  const std::tuple<const char*, const char*, const char*, const char*, const char*, ErrorCode>
      cases[] = {
          {"duplicate", "topoTypeDBId=NULL/topoTypeId=\"Hubcap\"", "topoType", nullptr, nullptr,
           ErrorCode::duplicate_object_instance},
          {"missing superior", "subsystemId=\"Other\"/subsystemId=\"FdnTable\"", "vqFdn", nullptr,
           nullptr, ErrorCode::no_such_superior},
          {"unsettable", "topoTypeDBId=NULL/topoTypeId=\"X\"", "topoType", "topoTypeAllDerivedFrom",
           "{\"A\"}", ErrorCode::attribute_not_settable},
          {"attribute of another class", "topoTypeDBId=NULL/topoTypeId=\"Y\"", "topoType",
           "topoNodeName", "\"n\"", ErrorCode::no_such_attribute},
          {"name of another class", "topoTypeDBId=NULL/topoNodeId=3", "topoType", nullptr, nullptr,
           ErrorCode::class_instance_conflict},
      };
  for (const auto& [what, name, cls, attribute, value, expected] : cases) {
    SCOPED_TRACE(what);
    Image image(name, cls, platform_);
    ASSERT_TRUE(attribute == nullptr || image.set_str(attribute, value));
    EXPECT_FALSE(image.create(Image()));
    EXPECT_EQ(image.get_error_code(), expected) << image.get_error_string();
    EXPECT_STRNE(image.get_error_string(), "");
  }
}

TEST_F(ImageTest, SetStrRefusesValuesOfTheWrongSyntax) {
  Image type("topoTypeDBId=NULL/topoTypeId=\"Z\"", "topoType", platform_);
  EXPECT_FALSE(type.set_str("topoTypeDrawMethod", "{1,2}"));
  EXPECT_EQ(type.get_error_code(), ErrorCode::invalid_attribute_value);
  EXPECT_FALSE(type.set_str("noSuchAttributeAnywhere", "1"));
  EXPECT_EQ(type.get_error_code(), ErrorCode::no_such_attribute);
}

TEST_F(ImageTest, AlbumListsObjectsDirectlyBelowTheBaseWithRelativeNames) {
  ASSERT_TRUE(make_type("A") && make_type("B", "{\"A\"}"));
  hvx::Album album("topoTypeDBId=NULL/*", platform_);
  ASSERT_TRUE(album.set_derivation("topoTypeDBId=NULL/*") && album.set_prop("AUTOIMAGE", "YES"));
  EXPECT_FALSE(album.set_prop("AUTOIMAGE", "MAYBE"));
  ASSERT_TRUE(album.derive(hvx::DUArray{"topoTypeId", "topoTypeDerivedFrom"}));
  std::vector<std::string> names;
  for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) {
    Image& held = image;
    const std::string id = held.get_str("topoTypeId").str();
    // Besides the predefined types.
    if (id.size() == 1) names.push_back(held.get_objname().str() + " " + id);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"topoTypeDBId=NULL/topoTypeId=\"A\" A",
                                             "topoTypeDBId=NULL/topoTypeId=\"B\" B"}));
  EXPECT_FALSE(album.set_derivation("topoTypeDBId=NULL"));
}

}  // namespace
