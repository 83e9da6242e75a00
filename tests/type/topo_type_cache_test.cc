#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/image.h"
#include "hvx/world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace {

using vq_testing::drain;

std::vector<std::string> heard;

void first(const VQTopoTypeCallbackData& data) {
  heard.push_back("first " + std::to_string(data.event) + " " + data.dn.unique_name());
}
void second(const VQTopoTypeCallbackData& data) {
  heard.push_back("second " + std::to_string(data.event) + " " + data.dn.unique_name());
}

class TypeCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    hvx::Platform::default_platform() = world_->connect();
    heard.clear();
  }

  hvx::Platform& platform() { return hvx::Platform::default_platform(); }

  hvx::Image type_image(const std::string& name) {
    return hvx::Image(hvx::DataUnit("topoTypeDBId=NULL/topoTypeId=\"" + name + "\""),
                      hvx::DataUnit("topoType"), platform());
  }
  void make_type(const std::string& name, const std::string& bases) {
    hvx::Image type = type_image(name);
    ASSERT_TRUE(type.set_str("topoTypeDerivedFrom", hvx::DataUnit(bases)));
    ASSERT_TRUE(type.create(hvx::Image())) << type.get_error_string();
  }

  std::shared_ptr<hvx::World> world_;
};

// The seven tests of one type name, as a string of the categories that answer true.
std::string categories(const std::string& type) {
  std::string out;
  if (VQTopoType::is_device(type)) out += "device ";
  if (VQTopoType::is_link(type)) out += "link ";
  if (VQTopoType::is_container(type)) out += "container ";
  if (VQTopoType::is_monitor(type)) out += "monitor ";
  if (VQTopoType::is_array(type)) out += "array ";
  if (VQTopoType::is_bus(type)) out += "bus ";
  if (VQTopoType::is_view(type)) out += "view ";
  return out;
}

TEST_F(TypeCacheTest, PredefinedTypesFallIntoTheirCategories) {
  const std::pair<const char*, const char*> table[] = {
      {"Device", "device "},
      {"Router", "device "},
      {"Link", "link "},
      {"Container", "container view "},
      {"Subnetwork", "container view "},
      {"Monitor", "monitor view "},
      {"Hexagon120", "monitor view "},
      {"Array", "array view "},
      {"Bus", "bus view "},
      {"NoSuchType", ""},
  };
  for (const auto& [type, expected] : table) EXPECT_EQ(categories(type), expected) << type;
  EXPECT_TRUE(VQTopoTypeRep::type_cache_is_initialized);
}

// The full order of the predefined types is checked through the platform object's query.
TEST_F(TypeCacheTest, ATypeOfTwoCategoriesIsListedOnceUnderTheFirst) {
  make_type("Tap", "{\"Link\",\"Device\"}");  // the device test comes first
  VQList<VQTopoTypeDn> types;
  EXPECT_VQ_OK(VQTopoTypeRep::get_all_types(types));
  std::vector<std::string> names;
  for (const VQTopoTypeDn& dn : types) names.push_back(dn.unique_name());
  EXPECT_EQ(names.size(), 19u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "Tap"), 1);
  EXPECT_LT(std::find(names.begin(), names.end(), "Tap"),
            std::find(names.begin(), names.end(), "Link"));
  EXPECT_EQ(categories("Tap"), "device ");
}

TEST_F(TypeCacheTest, EventsKeepTheCacheAndReachTheCallbacksByEvent) {
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  static int datum = 0;
  VQTopoType::register_callback(object_creation, &first, nullptr);
  VQTopoType::register_callback(attribute_value_change, &second, &datum);
  VQTopoType::register_callback(all_events, &first, nullptr);  // same function and datum
  ASSERT_EQ(VQTopoTypeRep::callbacks.entries(), 2u);
  EXPECT_FALSE(VQTopoType::is_bus("Trunk"));
  make_type("Trunk", "{\"Bus\"}");
  drain();
  EXPECT_TRUE(VQTopoType::is_bus("Trunk"));
  EXPECT_TRUE(VQTopoType::is_view("Trunk"));  // inherits the bus's legal children

  ASSERT_TRUE(type_image("Trunk").destroy());
  drain();
  EXPECT_FALSE(VQTopoType::is_bus("Trunk"));
  EXPECT_FALSE(VQTopoType::is_view("Trunk"));
  EXPECT_EQ(heard, (std::vector<std::string>{"first 0 Trunk", "second 2 Bus", "first 2 Bus",
                                             "first 1 Trunk", "second 2 Bus", "first 2 Bus"}));

  // A type of no category is filed among the others, and leaves them when deleted.
  make_type("Loose", "{}");
  drain();
  const VQTopoTypeDn loose(VQTopoPlatform::instance()->local_system_name(), "Loose");
  EXPECT_TRUE(VQTopoTypeRep::other_types.contains(loose));
  ASSERT_TRUE(type_image("Loose").destroy());
  drain();
  EXPECT_FALSE(VQTopoTypeRep::other_types.contains(loose));

  // Unregistering takes the older entry of the function, whatever its datum.
  VQTopoType::register_callback(object_deletion, &second, nullptr);
  VQTopoType::unregister_callback(&second, nullptr);
  ASSERT_EQ(VQTopoTypeRep::callbacks.entries(), 2u);
  EXPECT_EQ(VQTopoTypeRep::callbacks[1].event, object_deletion);
}

}  // namespace
