// Morf: a value with its syntax, read and written as ASN.1 values or as text (value
// notation); MorfArray: the elements of a list value.
#ifndef HVX_MORF_H_
#define HVX_MORF_H_

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/syntax.h"

namespace hvx {

class MorfArray;

// Text formats of get_str and set_str.
//   0  strings (and a CHOICE whose chosen alternative is a string) as their raw bytes,
//      every other value in value notation: 7, enabled, NULL, {}, { 1 3 6 1 },
//      {TRUE,{4,9}}, {ps : "a",ps : "b"}, /systemId=name:"h"
//   1  value notation for every value, strings quoted: "a\"b\001"
//   2  value notation with every SEQUENCE member named and blanks after "{" and ",":
//      { currentState connected, agentList { "A1", "A2" } }
//   4  as 0, with backslash-octal escapes decoded (\101 is A)
class Morf {
 public:
  Morf() = default;  // no syntax
  explicit Morf(const Syntax& syntax) : syntax_(syntax) {}
  // The syntax of a catalogue attribute, or else of a named type.
  explicit Morf(std::string_view attribute_or_type);
  Morf(const Syntax& syntax, const Asn1Value& value);

  // True when the syntax is not valid.
  bool operator!() const { return !syntax_.valid(); }
  const Syntax& syntax() const { return syntax_; }
  // Whether a value is held.
  bool has_value() const { return !value_.is_null(); }

  // Parses value notation (formats 1 and 2 read the same); false, with the value
  // unchanged and the error string set, when the text is not a value of the syntax.
  bool set(std::string_view text);
  // Text in a format above: format 0 takes a string type's text as its raw bytes and
  // value notation otherwise; 4 decodes backslash-octal escapes first, then as 0.
  bool set_str(std::string_view text, int format = 0);
  // False, value unchanged, when value is null or not a value of the syntax.
  bool set_value(const Asn1Value& value);
  // Drops the value.
  void clear();

  // Null when no value is held.
  const Asn1Value& get_value() const { return value_; }
  // "" when no value is held.
  std::string get_str(int format = 0) const;
  // INTEGER, ENUMERATED (also as a CHOICE's chosen alternative), BOOLEAN as 0 or 1; 0 and
  // the error string set otherwise.
  long get_long() const;

  // The elements of a SET OF or SEQUENCE OF (also as a CHOICE's chosen alternative), or the
  // present members of a SEQUENCE, each with its syntax; empty for other values.
  MorfArray split_array() const;
  // Components of the value (elements of a list, present members of a SEQUENCE); 0 for
  // primitive values and when no value is held.
  std::size_t num_elements() const;
  // A member of a SEQUENCE or an alternative of a CHOICE, by name: its syntax, and its
  // value when present (chosen). Not valid when the syntax has no such member.
  Morf extract(std::string_view member) const;
  // Makes this Morf the named member, as extract does; false (unchanged) when there is
  // no such member.
  bool set_memname(std::string_view member);

  // The last failure's text; "" when nothing failed.
  const std::string& get_error_string() const { return error_; }

  // Same syntax and equal values.
  bool operator==(const Morf& other) const;
  bool operator!=(const Morf& other) const { return !(*this == other); }

 private:
  Syntax syntax_;
  Asn1Value value_;
  mutable std::string error_;
};

// get_str(1); "<no value>" when none is held.
std::ostream& operator<<(std::ostream& out, const Morf& morf);

class MorfArray {
 public:
  MorfArray() = default;
  explicit MorfArray(std::vector<Morf> elements) : elements_(std::move(elements)) {}

  std::size_t count() const { return elements_.size(); }
  std::size_t length() const { return elements_.size(); }
  const Morf& operator[](std::size_t i) const { return elements_[i]; }
  Morf& operator[](std::size_t i) { return elements_[i]; }
  std::vector<Morf>::const_iterator begin() const { return elements_.begin(); }
  std::vector<Morf>::const_iterator end() const { return elements_.end(); }

  bool operator==(const MorfArray& other) const = default;

 private:
  std::vector<Morf> elements_;
};

}  // namespace hvx

#endif  // HVX_MORF_H_
