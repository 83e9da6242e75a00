#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "platform_world.h"

namespace {

const std::string kB = "/serverTableType=\"mis\"/misId=\"B\"";
const std::string kC = "/serverTableType=\"mis\"/misId=\"C\"";

TEST(SystemFdnTest, PathsSkipTheirFirstSystem) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"hostA", "/systemId=name:\"hostA\""},
      {"", "/systemId=name:\"\""},
      {"L/B/C", kB + kC + "\""},
      {"/L/B/C", kB + kC + "/systemId=name:\"C\""},
      // The first component is dropped whatever it is, and a repeated one is kept.
      {"B/B", kB + "\""},
      {"/B", "/systemId=name:\"B\""},
      {"B/", "\""},
      {"/", "/systemId=name:\"\""},
      {"L//B/", kB + "\""},
  };
  for (const auto& [input, fdn] : cases) {
    EXPECT_EQ(VQTopoPlatformRep::system_fdn(input), fdn) << input;
  }
}

// The database names compare against the local system, which is the default platform's
// before the platform object exists and the platform object's afterwards (the scheme of
// the names is the core's, tested there).
void expect_database_names(const std::string& local) {
  const std::string local_part = "/systemId=name:\"" + local + "\"";
  EXPECT_EQ(VQTopoPlatformRep::topo_node_db_fdn(local), local_part + "/topoNodeDBId=NULL");
  EXPECT_EQ(VQTopoPlatformRep::topo_node_db_fdn(local + "/B"), kB + "/topoNodeDBId=NULL");
  EXPECT_EQ(VQTopoPlatformRep::topo_node_db_fdn(local + "/" + local), "/topoNodeDBId=NULL");
  EXPECT_EQ(VQTopoPlatformRep::topo_type_db_fdn(local), local_part + "/topoTypeDBId=NULL");
  EXPECT_EQ(VQTopoPlatformRep::cmip_agent_table_fdn("/" + local + "/B"),
            kB + "/systemId=name:\"B\"/agentTableType=\"CMIP\"");
  EXPECT_EQ(VQTopoPlatformRep::fdn_table_fdn(local + "/B/C"),
            kB + kC + "/subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\"");
}

using DatabaseNamesTest = platform_testing::PlatformWorldTest;

TEST_F(DatabaseNamesTest, TheDefaultPlatformNamesTheLocalSystemUntilThePlatformObjectDoes) {
  expect_database_names("L");
  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", "/systemId=name:\"Lx\""));
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  ::testing::internal::GetCapturedStderr();
  // The default platform says Lx now too: set back, it tells the two sources apart.
  ASSERT_TRUE(platform().set_prop("PLATFORM_OBJNAME", "/systemId=name:\"L\""));
  expect_database_names("Lx");
}

TEST(IsNsapAMisTest, PlainNamesAndDottedAddresses) {
  const std::vector<std::tuple<std::string, std::string, bool>> cases = {
      // Without a colon nothing is a server.
      {"mis-B", "B", false},
      {"127.0.0.1", "localhost", false},
      // Without a dotted address before a colon, the name must appear.
      {"mis:B", "B", true},
      {"mis:B", "C", false},
      {"mis:Bravo", "B", true},
      {"mis:b", "B", false},
      {"a.b.c.d:localhost", "localhost", true},
      {"1.2.3:localhost", "localhost", true},
      {"1.2.3.4 :localhost", "localhost", true},
      {"mis:", "", true},
      // A dotted address before a colon: the system's resolved address must appear.
      {"127.0.0.1:5000", "localhost", true},
      {"x127.0.0.1:", "localhost", true},
      {"127.0.0.2:5000", "localhost", false},
      {"127.0.0.2:5000", "127.0.0.2", true},
      {"10.0.0.1:5 then 127.0.0.1", "localhost", true},
      {"...:", "localhost", false},
      {"...:127.0.0.1", "localhost", true},
      {"1.2.3.4:localhost", "localhost", false},
      // A name that does not resolve is no server.
      {"127.0.0.1:5000", "", false},
  };
  for (const auto& [nsap, system, is_mis] : cases) {
    EXPECT_EQ(VQTopoPlatformRep::is_nsap_a_mis(nsap, system), is_mis) << nsap << " " << system;
  }
}

// The dotted-address search stays linear on long addresses full of colons and digits.
TEST(IsNsapAMisTest, LongAddressesAreSearchedQuickly) {
  std::string nsap;
  for (int i = 0; i < 200000; ++i) nsap += "1.2.3:";
  EXPECT_TRUE(VQTopoPlatformRep::is_nsap_a_mis(nsap, "3"));
  EXPECT_FALSE(VQTopoPlatformRep::is_nsap_a_mis(std::string(400000, '9') + ":", "x"));
}

}  // namespace
