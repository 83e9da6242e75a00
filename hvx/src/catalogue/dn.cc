#include "dn.h"

#include <algorithm>

#include "hvx/ber.h"
#include "hvx/names.h"

namespace hvx::dn {

namespace {

bool valid_assertion(const Asn1Value& ava) {
  Oid attribute;
  return ava.tag() == TAG_SEQ && ava.num_comps() == 2 &&
         ava.first_component().decode_oid(attribute);
}

bool valid_rdn(const Asn1Value& rdn) {
  if (!(rdn.tag() == TAG_SET) || rdn.num_comps() == 0) return false;
  for (Asn1Value ava = rdn.first_component(); !ava.is_null(); ava = ava.next_component()) {
    if (!valid_assertion(ava)) return false;
  }
  return true;
}

// A value's bytes with every octet-string type folded onto OCTET STRING, so that a name
// spelled with a GraphicString and one with an OCTET STRING file under the same key.
void canonical_bytes(const Asn1Value& value, std::string& out) {
  if (!value.is_constructed() && is_octet_string_type(value.tag())) {
    std::string text;
    value.decode_octets(text);
    ber::octets(text).encode_to(out);
    return;
  }
  value.encode_to(out);
}

}  // namespace

bool parse(const Asn1Value& instance, Rdns& out) {
  if (instance.is_null() || !instance.is_constructed()) return false;
  Rdns rdns;
  rdns.reserve(instance.num_comps());
  for (Asn1Value rdn = instance.first_component(); !rdn.is_null(); rdn = rdn.next_component()) {
    if (!valid_rdn(rdn)) return false;
    rdns.push_back(rdn);
  }
  out = std::move(rdns);
  return true;
}

Asn1Value instance(const Rdns& rdns) {
  Asn1Value value = ber::constructed(Asn1Tag(Asn1Tag::CONTEXT, 2));
  for (const Asn1Value& rdn : rdns) value.add_component(rdn);
  return value;
}

Asn1Value rdn(const Oid& attribute, const Asn1Value& value) {
  Asn1Value ava = ber::sequence();
  ava.add_component(ber::oid(attribute));
  ava.add_component(value);
  Asn1Value set = ber::set();
  set.add_component(ava);
  return set;
}

bool first_assertion(const Asn1Value& rdn, Oid& attribute, Asn1Value& value) {
  const Asn1Value ava = rdn.first_component();
  if (ava.is_null() || ava.num_comps() != 2 || !ava.first_component().decode_oid(attribute)) {
    return false;
  }
  value = ava.first_component().next_component();
  return true;
}

std::string string_value(const Asn1Value& rdn) {
  Oid attribute;
  Asn1Value value;
  if (!first_assertion(rdn, attribute, value)) return "";
  // A CHOICE alternative may arrive explicitly tagged: look through one wrapper.
  if (value.is_constructed() && value.num_comps() == 1) value = value.first_component();
  std::string text;
  if (!value.is_constructed() && value.decode_octets(text)) return text;
  return "";
}

std::string key(const Asn1Value& rdn) {
  std::vector<std::string> assertions;
  for (Asn1Value ava = rdn.first_component(); !ava.is_null(); ava = ava.next_component()) {
    std::string bytes;
    ava.first_component().encode_to(bytes);
    canonical_bytes(ava.first_component().next_component(), bytes);
    assertions.push_back(std::move(bytes));
  }
  std::sort(assertions.begin(), assertions.end());
  std::string out;
  for (const std::string& assertion : assertions) {
    out += std::to_string(assertion.size());
    out += ':';
    out += assertion;
  }
  return out;
}

std::vector<std::string> key(const Rdns& rdns) {
  std::vector<std::string> keys;
  keys.reserve(rdns.size());
  for (const Asn1Value& rdn : rdns) keys.push_back(key(rdn));
  return keys;
}

std::string format(const Rdns& rdns, bool leading_slash) {
  if (rdns.empty()) return leading_slash ? "/" : "";
  Asn1Value sequence = ber::sequence();
  for (const Asn1Value& rdn : rdns) sequence.add_component(rdn);
  std::string text = oi2fdn(sequence);
  if (!leading_slash && !text.empty() && text.front() == '/') text.erase(0, 1);
  if (leading_slash && (text.empty() || text.front() != '/')) text = "/" + text;
  return text;
}

bool from_text(std::string_view text, Rdns& out) {
  const Asn1Value value = fdn2oi(text);
  if (value.is_null()) return false;
  return parse(value, out);
}

}  // namespace hvx::dn
