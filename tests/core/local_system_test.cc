#include "core/local_system.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(LocalSystemTest, FollowsEnvironmentAtEveryCall) {
  EXPECT_EQ(vq_local_system_name(), "testhost");
  EXPECT_EQ(vq_fdn_system_str("/serverTableType=\"mis\"/misId=\"B\"\""), "testhost/B");
  setenv("VQ_LOGICAL_HOST", "other", 1);
  EXPECT_EQ(vq_local_system_name(), "other");
  unsetenv("VQ_LOGICAL_HOST");
  EXPECT_EQ(vq_local_system_name(), "");
  EXPECT_EQ(vq_fdn_system_str("/serverTableType=\"mis\"/misId=\"B\"\""), "/B");
}

}  // namespace
