// Name conversion: slash-form distinguished names to and from their ASN.1 form, and the
// short form of document-qualified names.
#ifndef HVX_NAMES_H_
#define HVX_NAMES_H_

#include <string>
#include <string_view>

#include "hvx/asn1.h"

namespace hvx {

// Parses a slash-form name ("/systemId=name:\"h\"/topoNodeDBId=NULL/topoNodeId=7", or a
// relative one without the leading "/") into its RDN sequence: SEQUENCE OF RDN, each RDN a
// SET OF SEQUENCE { attribute OBJECT IDENTIFIER, value in the naming attribute's syntax }.
// Null when the text is malformed or names an attribute the catalogue does not know.
Asn1Value fdn2oi(std::string_view text);

// The canonical slash form of an RDN sequence: "/" before every RDN, attributes by short
// name, values in value notation (a CHOICE with its alternative, as in agentId=id:"a1").
// "/" for the empty sequence; "" when the value is not an RDN sequence.
std::string oi2fdn(const Asn1Value& value);

// "topoNodeName" from "\"VQ Topology\":topoNodeName": the text after the document name (a
// quoted text that may hold "/", ":" and blanks) and its ":"; a name without a document is
// returned as it is.
std::string get_shortname(std::string_view name);

}  // namespace hvx

#endif  // HVX_NAMES_H_
