// A fresh world with a local server "L" and one platform connected to it. Every server
// holds its topology databases (with the predefined types and the root view) from its start.
#ifndef DEDAVUZ_TESTS_HVX_PLATFORM_FIXTURE_H_
#define DEDAVUZ_TESTS_HVX_PLATFORM_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hvx/image.h"
#include "hvx/platform.h"
#include "hvx/world.h"

namespace hvx_testing {

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world_ = hvx::World::create("L");
    platform_ = world_->connect();
  }

  // Creates a type named `name` whose base is `base`.
  bool make_type(const std::string& name, const std::string& base = "",
                 const std::string& prefix = "") {
    hvx::Image type(hvx::DataUnit(prefix + "topoTypeDBId=NULL/topoTypeId=\"" + name + "\""),
                    "topoType", platform_);
    if (!base.empty() && !type.set_str("topoTypeDerivedFrom", hvx::DataUnit("{\"" + base + "\"}")))
      return false;
    return type.create(hvx::Image());
  }

  std::shared_ptr<hvx::World> world_;
  hvx::Platform platform_;
};

}  // namespace hvx_testing

#endif  // DEDAVUZ_TESTS_HVX_PLATFORM_FIXTURE_H_
