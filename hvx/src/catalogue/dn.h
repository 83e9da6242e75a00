// Distinguished names as RDN sequences: checking what arrives, building what leaves, and
// the canonical key under which a server files an object.
#ifndef HVX_SRC_CATALOGUE_DN_H_
#define HVX_SRC_CATALOGUE_DN_H_

#include <string>
#include <string_view>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/oid.h"

namespace hvx::dn {

// The RDNs of a name, each a SET OF SEQUENCE { attribute OBJECT IDENTIFIER, value }.
using Rdns = std::vector<Asn1Value>;

// The RDNs of an object instance (any constructed value whose components are RDNs, such as
// [2] IMPLICIT SEQUENCE OF RDN or a plain SEQUENCE OF). False when malformed.
bool parse(const Asn1Value& instance, Rdns& out);
// [2] IMPLICIT SEQUENCE OF RDN, the form names travel in.
Asn1Value instance(const Rdns& rdns);

Asn1Value rdn(const Oid& attribute, const Asn1Value& value);
// The first assertion of an RDN; false when it has none or is malformed.
bool first_assertion(const Asn1Value& rdn, Oid& attribute, Asn1Value& value);
// The text of a string-valued RDN (or of a CHOICE holding a string); "" otherwise.
std::string string_value(const Asn1Value& rdn);

// Equal for equal names in any spelling: assertions sorted, string types folded together.
std::string key(const Asn1Value& rdn);
std::vector<std::string> key(const Rdns& rdns);

// Slash form: "/a=1/b=2" when `leading_slash`, "a=1/b=2" otherwise; "/" or "" for no RDNs.
std::string format(const Rdns& rdns, bool leading_slash);

// Parses slash-form text (absolute or relative). False when malformed or unknown.
bool from_text(std::string_view text, Rdns& out);

}  // namespace hvx::dn

#endif  // HVX_SRC_CATALOGUE_DN_H_
