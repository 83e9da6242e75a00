// The representation of a Syntax, shared by the sources that walk types.
#ifndef HVX_SRC_ASN1_SYNTAX_NODE_H_
#define HVX_SRC_ASN1_SYNTAX_NODE_H_

#include <string>
#include <vector>

#include "hvx/syntax.h"

namespace hvx {

struct Syntax::Node {
  Kind kind = Kind::invalid;
  std::string name;  // of a named type
  Tagging tagging = Tagging::none;
  Asn1Tag own_tag;    // when tagged
  Asn1Tag universal;  // the kind's tag; none for CHOICE and ANY
  std::vector<Member> members;
  Syntax element;
  std::vector<NamedNumber> named;
};

// Whether a value with this tag can be a value of the syntax: its own tag when tagged, the
// tag of any alternative of a CHOICE, any tag for ANY, any character-string tag for strings.
bool syntax_accepts_tag(const Syntax::Node& node, Asn1Tag tag);
// The same, ignoring the syntax's own tag: whether tag is the universal tag of its kind.
bool syntax_accepts_universal_tag(const Syntax::Node& node, Asn1Tag tag);

}  // namespace hvx

#endif  // HVX_SRC_ASN1_SYNTAX_NODE_H_
