// The library's discovery over servers of three processes linked in a chain finds the same
// world as over linked servers of one process.
#include "daemon_fixture.h"
#include "dedavuz_api/topo_node_dn.h"
#include "dedavuz_api/topo_platform.h"
#include "hvx/platform.h"

namespace daemon_testing {
namespace {

TEST(DiscoveryTest, TheLibraryFindsEveryLinkedProcess) {
  TempDir dir;
  RunningDaemon c(unix_options(dir, "C"));
  RunningDaemon b(unix_options(dir, "B", {{"C", c.address()}}));
  RunningDaemon a(unix_options(dir, "A", {{"B", b.address()}}));

  hvx::Platform::default_platform() = hvx::Platform::connect_to_server(a.address());
  ASSERT_FALSE(hvx::Platform::default_platform().has_error());
  ASSERT_TRUE(VQTopoPlatform::initialize(hvx::Platform::default_platform(), false));
  hvx::Platform::default_platform().dispatch_recursive(false);
  const VQList<std::string> systems = VQTopoPlatform::instance()->system_names();
  EXPECT_EQ(std::vector<std::string>(systems.begin(), systems.end()),
            (std::vector<std::string>{"A", "/A/B", "/A/B/C"}));
  VQList<VQTopoNodeDn> roots;
  ASSERT_TRUE(VQTopoPlatform::instance()->find_root_nodes(roots, {}));
  std::vector<std::string> found;
  for (const VQTopoNodeDn& root : roots) found.push_back(root.system_name());
  EXPECT_EQ(found, (std::vector<std::string>{"A", "/A/B", "/A/B/C"}));
}

}  // namespace
}  // namespace daemon_testing
