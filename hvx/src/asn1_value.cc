#include <ostream>

#include "hvx/asn1.h"

namespace hvx {

struct Asn1Value::Tree {};

void Asn1Value::start_construct(Asn1Tag, int) {}
bool Asn1Value::add_component(const Asn1Value&) { return false; }
void Asn1Value::make_explicit_tagged(Asn1Tag) {}
void Asn1Value::set_tag(Asn1Tag) {}
void Asn1Value::encode_octets(const DataUnit&, Asn1Tag) {}
void Asn1Value::encode_octets(std::string_view, Asn1Tag) {}
void Asn1Value::encode_octets(const char*, Asn1Tag) {}
void Asn1Value::encode_int(long, Asn1Tag) {}
void Asn1Value::encode_unsigned(unsigned long, Asn1Tag) {}
void Asn1Value::encode_enum(long, Asn1Tag) {}
void Asn1Value::encode_real(double, Asn1Tag) {}
void Asn1Value::encode_null(Asn1Tag) {}
void Asn1Value::encode_boolean(bool, Asn1Tag) {}
bool Asn1Value::encode_oid(const Oid&, Asn1Tag) { return false; }
Asn1Tag Asn1Value::tag() const { return Asn1Tag(); }
bool Asn1Value::is_constructed() const { return false; }
std::size_t Asn1Value::num_comps() const { return 0; }
Asn1Value Asn1Value::first_component() const { return Asn1Value(); }
Asn1Value Asn1Value::next_component() const { return Asn1Value(); }
Asn1Value Asn1Value::component(std::size_t) const { return Asn1Value(); }
Asn1Value Asn1Value::tagged_component(Asn1Tag) const { return Asn1Value(); }
DataUnit Asn1Value::contents() const { return DataUnit(); }
bool Asn1Value::decode_octets(DataUnit&) const { return false; }
bool Asn1Value::decode_octets(std::string&) const { return false; }
bool Asn1Value::decode_int(long&) const { return false; }
bool Asn1Value::decode_unsigned(unsigned long&) const { return false; }
bool Asn1Value::decode_enum(long&) const { return false; }
bool Asn1Value::decode_real(double&) const { return false; }
bool Asn1Value::decode_null() const { return false; }
bool Asn1Value::decode_boolean(bool&) const { return false; }
bool Asn1Value::decode_oid(Oid&) const { return false; }
Status Asn1Value::decode(const DataUnit&, Asn1Value&, std::size_t*) {
  return Status::Error("not yet implemented");
}
DataUnit Asn1Value::encode() const { return DataUnit(); }
void Asn1Value::encode_to(std::string&) const {}
std::size_t Asn1Value::encoded_size() const { return 0; }
bool Asn1Value::operator==(const Asn1Value& other) const { return is_null() == other.is_null(); }
std::ostream& operator<<(std::ostream& out, const Asn1Value&) { return out << "<null>"; }

}  // namespace hvx
