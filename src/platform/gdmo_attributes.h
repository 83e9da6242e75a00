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

#endif  // DEDAVUZ_PLATFORM_GDMO_ATTRIBUTES_H_
