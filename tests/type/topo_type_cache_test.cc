#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/image.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "support/vq_test.h"

namespace {

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

  void make_type(const std::string& name, const std::string& bases) {
    hvx::Image type(hvx::DataUnit("topoTypeDBId=NULL/topoTypeId=\"" + name + "\""),
                    hvx::DataUnit("topoType"), platform());
    ASSERT_TRUE(type.set_str("topoTypeDerivedFrom", hvx::DataUnit(bases)));
    ASSERT_TRUE(type.create(hvx::Image())) << type.get_error_string();
  }

  static void drain() {
    while (hvx::dispatch_recursive(true)) {
    }
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
      {"Device", "device "},         {"Router", "device "},
      {"Server", "device "},         {"Link", "link "},
      {"Container", "container view "}, {"Subnetwork", "container view "},
      {"Monitor", "monitor view "},  {"Hexagon120", "monitor view "},
      {"Array", "array view "},      {"Bus", "bus view "},
      {"NoSuchType", ""},
  };
  for (const auto& [type, expected] : table) EXPECT_EQ(categories(type), expected) << type;
  EXPECT_TRUE(VQTopoTypeRep::type_cache_is_initialized);
}

TEST_F(TypeCacheTest, AllTypesListsEachTypeOnceInCategoryOrder) {
  make_type("Tap", "{\"Link\",\"Device\"}");  // the device test comes first
  VQList<VQTopoTypeDn> types;
  EXPECT_VQ_OK(VQTopoTypeRep::get_all_types(types));
  // Every type once, devices first, then links, containers, monitors, arrays, buses.
  const std::vector<std::string> ranks = {"device", "link", "container", "monitor", "array", "bus"};
  std::vector<std::string> names;
  std::size_t rank = 0;
  for (const VQTopoTypeDn& dn : types) {
    const std::string category = categories(dn.unique_name());
    const std::size_t mine = static_cast<std::size_t>(
        std::find(ranks.begin(), ranks.end(), category.substr(0, category.find(' '))) -
        ranks.begin());
    EXPECT_GE(mine, rank) << dn.unique_name() << " out of category order";
    rank = mine;
    names.push_back(dn.unique_name());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Array", "Bridge", "Bus", "Circle", "Container", "Device", "Hexagon",
                       "Hexagon120", "Host", "Hub", "Link", "Monitor", "Network", "OmniSector",
                       "Router", "Server", "Subnetwork", "Tap", "Universe"}));
  EXPECT_EQ(categories("Tap"), "device ");
}

TEST_F(TypeCacheTest, AFailedFillIsReportedAndTriedAgain) {
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->fail_request(1, hvx::ErrorCode::processing_failure, "refused");
  hvx::install_fault_plan(platform(), plan);
  VQList<VQTopoTypeDn> types{VQTopoTypeDn("L", "kept")};
  EXPECT_VQ_ERROR(VQTopoTypeRep::get_all_types(types), VQStatus::Code::hvx_error);
  EXPECT_EQ(types.entries(), 1u);
  EXPECT_VQ_OK(VQTopoTypeRep::get_all_types(types));
  EXPECT_GT(types.entries(), 1u);
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

  hvx::Image trunk(hvx::DataUnit("topoTypeDBId=NULL/topoTypeId=\"Trunk\""),
                   hvx::DataUnit("topoType"), platform());
  ASSERT_TRUE(trunk.destroy());
  drain();
  EXPECT_FALSE(VQTopoType::is_bus("Trunk"));
  EXPECT_FALSE(VQTopoType::is_view("Trunk"));
  EXPECT_EQ(heard, (std::vector<std::string>{"first 0 Trunk", "second 2 Bus", "first 2 Bus",
                                             "first 1 Trunk", "second 2 Bus", "first 2 Bus"}));

  // Unregistering takes the older entry of the function, whatever its datum.
  VQTopoType::register_callback(object_deletion, &second, nullptr);
  VQTopoType::unregister_callback(&second, nullptr);
  ASSERT_EQ(VQTopoTypeRep::callbacks.entries(), 2u);
  EXPECT_EQ(VQTopoTypeRep::callbacks[1].event, object_deletion);
}

}  // namespace
