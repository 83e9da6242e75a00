// Value notation: the text form of ASN.1 values under their syntax, printed and parsed.
// Morf and name conversion share it; a distinguished name is written in its slash form.
#ifndef HVX_SRC_ASN1_VALUE_NOTATION_H_
#define HVX_SRC_ASN1_VALUE_NOTATION_H_

#include <string>
#include <string_view>

#include "hvx/asn1.h"
#include "hvx/syntax.h"

namespace hvx::notation {

// Values nested deeper than this are refused, in print and in text.
inline constexpr int kMaxDepth = 64;

enum class Form {
  // {a,b}, alt : value, { 1 3 6 1 }; SEQUENCE members named only when one is absent.
  compact,
  // { name a, name b }: every SEQUENCE member named, blanks after "{" and ",".
  named,
  // The values of a slash-form name: alt:value, {1 3 6 1}.
  in_name,
};

struct Style {
  Form form = Form::compact;
  // A string, or a CHOICE whose chosen alternative is one, as its raw bytes.
  bool raw_string = false;
};

// Appends the notation of value; false (out then holds a partial text) when the value is
// not one of the syntax.
bool print(const Syntax& syntax, const Asn1Value& value, const Style& style, std::string& out);

// Parses the whole text (blanks allowed around it). On failure out is unchanged and error
// says what is wrong and at which offset.
bool parse(const Syntax& syntax, std::string_view text, Asn1Value& out, std::string& error);

// A distinguished name from its slash form, the whole text; relative names (no leading
// "/") give the same sequence.
bool parse_name(std::string_view text, Asn1Value& out, std::string& error);
// The slash form of a distinguished name; false when the value is not one.
bool print_name(const Asn1Value& value, std::string& out);

// Replaces each backslash followed by one to three octal digits by that byte; other
// backslashes stay.
std::string decode_octal_escapes(std::string_view text);

}  // namespace hvx::notation

#endif  // HVX_SRC_ASN1_VALUE_NOTATION_H_
