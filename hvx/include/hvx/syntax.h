// Syntax: an ASN.1 type, the syntax of an attribute, an action's argument or reply, or a
// notification's information; looked up in the catalogue or written in type notation.
#ifndef HVX_SYNTAX_H_
#define HVX_SYNTAX_H_

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "hvx/asn1.h"
#include "hvx/asn1_tag.h"

namespace hvx {

class Syntax {
 public:
  enum class Kind : std::uint8_t {
    invalid,
    integer,
    enumerated,
    real,
    boolean,
    null,
    string,  // OCTET STRING and the character-string types: plain octets
    object_identifier,
    sequence,
    sequence_of,
    set_of,
    choice,
    any,
    // A distinguished name (object instance): SEQUENCE OF RDN, each RDN a SET OF
    // SEQUENCE { attribute OBJECT IDENTIFIER, value }. Written as its slash form.
    distinguished_name,
  };
  enum class Tagging : std::uint8_t { none, implicit, explicit_ };

  struct Member;  // a member of a SEQUENCE or an alternative of a CHOICE
  struct NamedNumber {
    std::string name;
    long value;
    bool operator==(const NamedNumber& other) const = default;
  };

  Syntax() = default;  // not valid

  // From ASN.1 type notation ("SET OF INTEGER", "[0] IMPLICIT OBJECT IDENTIFIER",
  // "CMIP-1.ObjectInstance"); type references resolve through the catalogue. Not valid
  // when the text does not parse or names an unknown type.
  static Syntax parse(std::string_view notation);
  // A named type of the catalogue, by module-qualified name or unambiguous bare name.
  static Syntax of_type(std::string_view type_name);
  // The syntax of a catalogue attribute, by qualified or unambiguous short name.
  static Syntax of_attribute(std::string_view attribute);
  static Syntax of_action_argument(std::string_view action);
  static Syntax of_action_reply(std::string_view action);
  static Syntax of_notification(std::string_view notification);

  bool valid() const { return node_ != nullptr; }
  bool operator!() const { return !valid(); }

  Kind kind() const;
  // The type's module-qualified name when it is a named type, else "".
  const std::string& name() const;
  Tagging tagging() const;
  // The tag a value of this syntax carries: its own tag when tagged, else the universal tag
  // of its kind. Asn1Tag() (none) for an untagged CHOICE or ANY, and when not valid.
  Asn1Tag tag() const;
  // The universal tag of its kind (for strings: OCTET STRING, GraphicString, ...).
  Asn1Tag universal_tag() const;
  bool is_string() const { return kind() == Kind::string; }

  // SEQUENCE members and CHOICE alternatives, in order; empty for other kinds.
  std::span<const Member> members() const;
  const Member* member(std::string_view name) const;
  // The element type of SEQUENCE OF and SET OF; not valid for other kinds.
  Syntax element() const;
  // ENUMERATED names, in order.
  std::span<const NamedNumber> named_numbers() const;

  // Whether value is a value of this syntax: tags, structure and primitive contents.
  bool check(const Asn1Value& value) const;

  // Same structure, tags and names.
  bool operator==(const Syntax& other) const;
  bool operator!=(const Syntax& other) const { return !(*this == other); }

  struct Node;  // private representation, public for the source's helpers
  explicit Syntax(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
  const Node* node() const { return node_.get(); }

 private:
  std::shared_ptr<const Node> node_;
};

struct Syntax::Member {
  std::string name;
  Syntax type;
  bool optional = false;
  bool operator==(const Member& other) const = default;
};

// Type notation: the name of a named type, the written-out type otherwise; "<invalid>".
std::ostream& operator<<(std::ostream& out, const Syntax& syntax);

}  // namespace hvx

#endif  // HVX_SYNTAX_H_
