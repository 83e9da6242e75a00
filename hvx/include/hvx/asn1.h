// Asn1Value: an ASN.1 value as a tree of primitive and constructed values, built in code
// or decoded from BER, and encoded back to DER-form bytes.
#ifndef HVX_ASN1_H_
#define HVX_ASN1_H_

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "hvx/asn1_reader.h"
#include "hvx/asn1_tag.h"
#include "hvx/data_unit.h"
#include "hvx/oid.h"
#include "hvx/status.h"

namespace hvx {

// A value is null (absent), primitive (a tag and contents octets) or constructed (a tag
// and components in order). Copies are cheap and independent: they share the tree until
// one of them is modified. A component taken from a value (first_component, component)
// views the same tree and knows its next sibling; modifying it makes it a value of its
// own, with no siblings.
//
// The decode_ readers return false, leaving their argument unchanged, when the value is
// not primitive, its contents do not hold a value of that kind, or the value does not fit
// the argument. A universal tag must be the kind's own (INTEGER or ENUMERATED for the
// integer readers, OCTET STRING or a character-string type for octets); any other class
// of tag is taken as an implicit retag and accepted.
class Asn1Value {
 public:
  Asn1Value() = default;  // null

  bool is_null() const { return tree_ == nullptr; }
  bool operator!() const { return is_null(); }
  explicit operator bool() const { return !is_null(); }

  // Building. Each encode_ call replaces the whole value with a primitive one.

  // Makes this an empty constructed value; capacity_hint is the expected number of nodes.
  void start_construct(Asn1Tag tag, int capacity_hint = 0);
  // Appends a copy of component; false (and no change) when this is not constructed or
  // component is null. Components keep the order they are added in, SET and SET OF
  // included: the sender's order can carry meaning, so it is never re-sorted.
  bool add_component(const Asn1Value& component);
  // Wraps the value in a constructed value of the given tag (explicit tagging); nothing
  // for a null value. Copies the value once, like add_component.
  void make_explicit_tagged(Asn1Tag tag);
  // Changes the tag, keeping form and contents (implicit tagging); nothing when null.
  void set_tag(Asn1Tag tag);

  // Contents of 2 GiB or more make the value null.
  void encode_octets(const DataUnit& bytes, Asn1Tag tag = TAG_OCTSTR);
  void encode_octets(std::string_view bytes, Asn1Tag tag = TAG_OCTSTR);
  void encode_octets(const char* text, Asn1Tag tag = TAG_OCTSTR);
  void encode_int(long value, Asn1Tag tag = TAG_INT);
  void encode_unsigned(unsigned long value, Asn1Tag tag = TAG_INT);
  void encode_enum(long value, Asn1Tag tag = TAG_ENUM);
  // Base 2; infinities, NaN and -0.0 as the special values.
  void encode_real(double value, Asn1Tag tag = TAG_REAL);
  void encode_null(Asn1Tag tag = TAG_NULL);
  void encode_boolean(bool value, Asn1Tag tag = TAG_BOOL);
  // False (and no change) for an invalid Oid.
  bool encode_oid(const Oid& oid, Asn1Tag tag = TAG_OID);

  // Reading.

  // Universal 0 for a null value.
  Asn1Tag tag() const;
  bool is_constructed() const;
  // Number of components; 0 when primitive or null.
  std::size_t num_comps() const;
  // Null when there is none.
  Asn1Value first_component() const;
  // The next sibling of a component; null at the end or for a value that is not a
  // component.
  Asn1Value next_component() const;
  // The i-th component (from 0), null when out of range; walks from the first, so loops
  // should use first_component/next_component.
  Asn1Value component(std::size_t i) const;
  // The first component with that tag; null when none.
  Asn1Value tagged_component(Asn1Tag tag) const;
  // The contents octets of a primitive value (sharing the decoded input when there was
  // one); empty otherwise.
  DataUnit contents() const;

  bool decode_octets(DataUnit& out) const;
  bool decode_octets(std::string& out) const;
  bool decode_int(long& out) const;
  bool decode_unsigned(unsigned long& out) const;
  bool decode_enum(long& out) const;
  // Base 2, 8 and 16 are exact or refused (a value a double cannot hold exactly is false);
  // base 10 (NR1, NR2, NR3) is rounded to the nearest double.
  bool decode_real(double& out) const;
  bool decode_null() const;
  bool decode_boolean(bool& out) const;
  bool decode_oid(Oid& out) const;

  // Whole values.

  // Decodes one value from BER (definite or indefinite lengths; nesting up to
  // Asn1Reader::kMaxDepth). With consumed, the value may be followed by other bytes and
  // *consumed gets its length; without, trailing bytes are an error. Inputs of 2 GiB or
  // more are refused. On error out is left
  // unchanged and the message says what is wrong and at which byte offset.
  static Status decode(const DataUnit& ber, Asn1Value& out, std::size_t* consumed = nullptr);
  // DER form: definite minimal lengths; contents as held. Empty for a null value.
  DataUnit encode() const;
  // Appends the encoding to out.
  void encode_to(std::string& out) const;
  std::size_t encoded_size() const;

  // Same tag, form, contents and components (recursively).
  bool operator==(const Asn1Value& other) const;

  struct Tree;  // private representation, named here for the source's helpers

 private:
  friend std::ostream& operator<<(std::ostream& out, const Asn1Value& value);

  Asn1Value(std::shared_ptr<Tree> tree, std::uint32_t index)
      : tree_(std::move(tree)), index_(index) {}

  // Makes this the unshared root of its own tree, copying what it views if needed.
  Tree& own_root();
  void set_primitive(Asn1Tag tag, std::string&& contents);
  // The contents of a primitive value whose tag suits the kind (see above); false else.
  bool primitive_contents(bool (*tag_fits)(Asn1Tag), std::string_view& contents) const;

  std::shared_ptr<Tree> tree_;
  std::uint32_t index_ = 0;
};

// A readable debug form, e.g. SEQUENCE { INTEGER 5, OCTET STRING "ab", [0] { NULL } };
// "<null>" for a null value.
std::ostream& operator<<(std::ostream& out, const Asn1Value& value);

}  // namespace hvx

#endif  // HVX_ASN1_H_
