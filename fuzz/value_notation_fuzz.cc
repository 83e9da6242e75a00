// Value notation under a few syntaxes: whatever parses must print, and the print must
// parse back to the same value. The first byte picks the syntax, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hvx/morf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const char* const kSyntaxes[] = {
      "supportedMIBs",
      "topoNodeMOSet",
      "topoNodeUserData",
      "topoNodeDisplayStatus",
      "mpaAddressInfo",
      "agentId",
      "topoNodeGeoLocation",
      "VQ-TOPO-ASN1.ViewGraph",
      "VQ-MIS-ASN1.FdnList",
      "administrativeState",
      "managementProtocol",
      "topoNodeName",
      "VQ-TOPO-ASN1.NodeMODataRequest",
      "VQ-TOPO-ASN1.SetNodesAttributesRequest",
      "Attribute-ASN1Module.AttributeValueChangeInfo",
      "topoViewMapInitialGeoArea",
  };
  if (size == 0) return 0;
  const std::size_t count = sizeof kSyntaxes / sizeof kSyntaxes[0];
  hvx::Morf morf(kSyntaxes[data[0] % count]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (!morf.set(text)) return 0;
  if (!morf.syntax().check(morf.get_value())) std::abort();
  for (int format : {1, 2}) {
    hvx::Morf again(morf.syntax());
    if (!again.set(morf.get_str(format)) || again != morf) std::abort();
  }
  morf.get_str(0);
  morf.get_str(4);
  morf.split_array();
  morf.get_long();
  return 0;
}
