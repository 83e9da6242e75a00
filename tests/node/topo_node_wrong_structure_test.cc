// Values of the wrong structure put straight into the server's objects, past its checks:
// a load reports the attribute's own error, and the rest of the selection stays inactive.
#include <gtest/gtest.h>

#include <string>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_rep.h"
#include "hvx/ber.h"
#include "hvx/testing.h"
#include "node_world.h"
#include "support/vq_test.h"

namespace {

using node_testing::attributes;
using node_testing::NodeWorldTest;
using Code = VQStatus::Code;
using N = VQTopoNode;
using hvx::Asn1Value;

class WrongStructureTest : public NodeWorldTest {
 protected:
  // Replaces an attribute of the object `name` (a full name on L) behind the server's back.
  void poke(const std::string& name, const char* attribute, const Asn1Value& value) {
    const hvx::Status poked = hvx::overwrite_attribute(*world_, "L", name, attribute, value);
    ASSERT_TRUE(poked.ok()) << name << ": " << poked;
  }
};

Asn1Value integer(long n) {
  Asn1Value value;
  value.encode_int(n);
  return value;
}

TEST_F(WrongStructureTest, EachAttributeGivesItsOwnError) {
  const VQTopoNodeDn view = make("v", "Network", {root()});
  const std::string node = view.slash_form();
  const std::string view_object = VQTopoNodeRep::topo_view_dn_slash_form(view);
  const std::string position = VQTopoNodeRep::topo_view_node_dn_slash_form(root(), view);
  const struct {
    std::string object;
    const char* attribute;
    int loaded;
    Code code;
    const char* message;
  } table[] = {
      {node, "topoNodeGeoLocation", N::geographical_location, Code::hvx_error,
       "VQTopoNode::geographical_location"},
      {node, "topoNodeMonitor", N::monitor_rotation, Code::decode_error,
       "VQTopoNode::monitor_rotation"},
      {node, "topoNodeUserData", N::user_data, Code::decode_error, "VQTopoNode::user_data"},
      {node, "topoNodeArrayCellSize", N::array_cell_size, Code::hvx_error,
       "VQTopoNode::array_cell_size"},
      {view_object, "topoViewMapInitialGeoArea", N::view_default_geo_area, Code::hvx_error,
       "VQTopoNode::default_geo_area"},
      {position, "topoViewNodePosition", N::logical_locations, Code::hvx_error,
       "VQTopoNode::logical_locations"},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.attribute);
    poke(row.object, row.attribute, integer(5));
    N loaded(view);
    const VQStatus status = loaded.load_some_attributes(attributes({N::name, row.loaded}));
    EXPECT_VQ_ERROR(status, row.code);
    EXPECT_EQ(status.message(), row.message);
    VQIntegerSet active;
    loaded.get_active_attributes(active);
    EXPECT_EQ(active, attributes({N::dn}));
  }
}

}  // namespace
