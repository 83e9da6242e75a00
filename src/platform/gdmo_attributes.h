// The server attributes a node is spread over, as the bulk node queries name them: each
// one's identifier (and the contents octets that carry it), syntax and class.
#ifndef DEDAVUZ_PLATFORM_GDMO_ATTRIBUTES_H_
#define DEDAVUZ_PLATFORM_GDMO_ATTRIBUTES_H_

#include <array>
#include <string>
#include <string_view>

#include "dedavuz_api/topo_node_rep.h"
#include "hvx/oid.h"
#include "hvx/syntax.h"

struct VQGdmoAttribute {
  hvx::Oid oid;
  std::string oid_contents;
  hvx::Syntax syntax;
  VQTopoNodeRep::GdmoObjectClass object_class = VQTopoNodeRep::topo_node;
};

using VQGdmoAttributes = std::array<VQGdmoAttribute, VQTopoNodeRep::gdmo_attribute_count>;

const VQGdmoAttributes& vq_gdmo_attributes();

// The server attribute whose identifier has these contents octets; -1 for none.
int vq_gdmo_index(std::string_view oid_contents);

// The same for many look-ups: all identifiers are one arc below the same prefix, so the
// last octet picks the one candidate, whose octets are then compared.
struct VQGdmoCandidate {
  int g = -1;
  std::string_view contents;
};
using VQGdmoCandidates = std::array<VQGdmoCandidate, 128>;
const VQGdmoCandidates& vq_gdmo_candidates();

inline int vq_gdmo_index(const VQGdmoCandidates& candidates, std::string_view oid_contents) {
  if (oid_contents.empty() || (oid_contents.back() & 0x80) != 0) return -1;
  const VQGdmoCandidate& candidate =
      candidates[static_cast<unsigned char>(oid_contents.back())];
  return candidate.g >= 0 && candidate.contents == oid_contents ? candidate.g : -1;
}

#endif  // DEDAVUZ_PLATFORM_GDMO_ATTRIBUTES_H_
