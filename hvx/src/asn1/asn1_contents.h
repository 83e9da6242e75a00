// The contents octets of INTEGER and REAL values, to and from C++ numbers.
#ifndef HVX_SRC_ASN1_CONTENTS_H_
#define HVX_SRC_ASN1_CONTENTS_H_

#include <string>
#include <string_view>

namespace hvx::asn1_contents {

// Minimal two's complement, at least one octet.
void append_integer(std::string& out, long value);
void append_unsigned(std::string& out, unsigned long value);
// False when the contents are empty or the value does not fit (negative, for unsigned).
// Redundant leading sign octets are tolerated.
bool read_integer(std::string_view contents, long& value);
bool read_unsigned(std::string_view contents, unsigned long& value);

// Base 2 with an odd mantissa and a minimal exponent; nothing for +0.0; one special octet
// for infinities, NaN and -0.0.
void append_real(std::string& out, double value);
// Binary forms exactly or not at all; decimal forms rounded to nearest.
bool read_real(std::string_view contents, double& value);

}  // namespace hvx::asn1_contents

#endif  // HVX_SRC_ASN1_CONTENTS_H_
