// Reads any bytes as a vqtopo topology document. Reading never fails on its own account:
// it gives a document or a usage message. A document it gives is one an import can follow
// (every node after its parents) and writes out to text that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "topology_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TopologyDocument document;
  const Outcome outcome = TopologyDocument::from_json(text, document);
  if (!outcome) {
    if (outcome.code() != ExitCode::usage || outcome.message().empty()) std::abort();
    return 0;
  }
  if (document.creation_order().size() != document.nodes.size()) std::abort();
  TopologyDocument again;
  if (!TopologyDocument::from_json(document.to_json(), again) || !(again == document)) {
    std::abort();
  }
  return 0;
}
