// Arbitrary bytes as a linked reply of a view's children. Read in place they give nodes
// or a refusal, never a crash, leak or hang; when the bytes are also a value, the nodes
// read in place must print as those the value gives through the attribute codecs.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/asn1.h"

namespace {

using Rep = VQTopoPlatformRep;

std::string printed(const VQList<VQTopoNode>& nodes) {
  std::ostringstream out;
  for (const VQTopoNode& node : nodes) out << node << "--\n";
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const VQTopoNodeDn view("L", 7);
  static const VQIntegerSet gdmo(VQTopoNodeRep::gdmo_attribute_count, true);
  static const VQIntegerSet active(VQTopoNode::attribute_count, true);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Rep::SeenIds seen;
  VQList<VQTopoNode> in_place;
  const VQStatus status = Rep::decode_view_children(bytes, view, gdmo, active, seen, in_place);
  if (!status && !in_place.is_empty()) __builtin_trap();
  hvx::Asn1Value value;
  if (!status || !hvx::Asn1Value::decode(hvx::DataUnit(bytes), value).ok()) return 0;
  Rep::SeenIds seen_through_value;
  VQList<VQTopoNode> through_value;
  Rep::decode_view_children(value, view, gdmo, active, seen_through_value, through_value);
  if (printed(in_place) != printed(through_value)) __builtin_trap();
  return 0;
}
