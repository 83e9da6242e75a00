// Types created, loaded, stored and destroyed on the embedded server, and the request of
// each operation failed, dropped or damaged in turn.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_rep.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "support/request_faults.h"
#include "support/vq_test.h"
#include "type/topo_type_rep_access.h"

namespace {

using Code = VQStatus::Code;
using T = VQTopoType;
using Names = VQList<std::string>;
using vq_testing::printed;

VQIntegerSet set_of(std::initializer_list<long> members) {
  return vq_testing::set_of(T::attribute_count, members);
}

class TypePersistenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    hvx::Platform::default_platform() = world_->connect();
    ASSERT_TRUE(VQTopoPlatform::initialize(hvx::Platform::default_platform(), false));
    EXPECT_VQ_ALL_OK(cable_.set_base_type("Link"), cable_.set_layer_name("cables \xe9"),
                     cable_.set_draw_method(T::pie),
                     cable_.set_user_data_attribute_names({"topoNodeLayer"}));
  }

  // Everything but the name, read back through a fresh handle.
  std::string on_server() {
    T loaded(VQTopoTypeDn("L", "Cable"));
    EXPECT_VQ_OK(loaded.load_all_attributes());
    loaded.clear_some_attributes(set_of({T::dn}));
    return printed(loaded);
  }

  std::shared_ptr<hvx::World> world_;
  T cable_{VQTopoTypeDn("L", "Cable")};
};

TEST_F(TypePersistenceTest, CreatedTypeLoadsBackEqual) {
  EXPECT_FALSE(cable_.exists());
  EXPECT_VQ_ERROR_TEXT(T(VQTopoTypeDn("L", "Cable")).create_with_all_attributes(),
                       Code::missing_mandatory_attribute, "VQTopoType::base_type, layer_name, ");
  ASSERT_VQ_OK(cable_.create_with_all_attributes());
  EXPECT_TRUE(cable_.exists());
  EXPECT_EQ(on_server(),
            "                    base_type: \"Link\"\n"
            "                  all_base_types{ Link }\n"
            "                       sub_types{ }\n"
            "                legal_children: { }\n"
            "                   layer_name: \"cables \xe9\"\n"
            "                  draw_method: \"pie\"\n"
            "     user_data_attribute_names: { \"VQ Topology\":topoNodeLayer }\n");
  EXPECT_VQ_ERROR_TEXT(cable_.store_some_attributes(set_of({T::dn})), Code::attribute_not_storeable,
                       "VQTopoType::dn, ");
  // Predefined types hold the server's values.
  T host(VQTopoTypeDn("L", "Host"));
  ASSERT_VQ_OK(host.load_some_attributes(set_of({T::base_type, T::draw_method})));
  EXPECT_EQ(printed(host),
            "                            dn: L:Host\n"
            "                    base_type: \"Device\"\n"
            "                  draw_method: \"circle\"\n");
}

TEST_F(TypePersistenceTest, StoredLegalChildrenAreAddedToTheServers) {
  ASSERT_VQ_OK(cable_.create_with_all_attributes());
  for (const char* child : {"Hub", "Router"}) {
    VQTopoTypeRep rep(VQTopoTypeDn("L", "Cable"));
    VQTopoTypeRepAccess::load(rep, {}, {child});
    ASSERT_VQ_OK(rep.store_some_attributes(set_of({T::legal_children})));
  }
  T loaded(VQTopoTypeDn("L", "Cable"));
  ASSERT_VQ_OK(loaded.load_some_attributes(set_of({T::legal_children})));
  EXPECT_EQ(vq_testing::got(loaded, &T::get_legal_children), (Names{"Hub", "Router"}));
}

TEST_F(TypePersistenceTest, EachRequestRefusedInTurn) {
  vq_testing::expect_each_request_refused_cleanly<T>(
      cable_, VQTopoTypeDn("L", "Cable"), [](T& type) { return type.set_layer_name("changed"); });
}

}  // namespace
