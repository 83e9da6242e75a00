// Decodes arbitrary bytes; whatever decodes must re-encode to DER that decodes to an equal
// value and re-encodes to the same bytes, and every reader must cope with every node.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "hvx/asn1.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// Visits every node with every reader and counts them.
std::size_t exercise(const hvx::Asn1Value& root) {
  std::size_t count = 0;
  std::vector<hvx::Asn1Value> pending = {root};
  while (!pending.empty()) {
    const hvx::Asn1Value value = pending.back();
    pending.pop_back();
    ++count;
    long l;
    unsigned long u;
    double d;
    bool b;
    hvx::Oid oid;
    hvx::DataUnit octets;
    if (value.decode_int(l)) {
      hvx::Asn1Value again;
      again.encode_int(l);
      long back;
      check(again.decode_int(back) && back == l);
    }
    (void)value.decode_unsigned(u);
    (void)value.decode_real(d);
    (void)value.decode_boolean(b);
    (void)value.decode_null();
    if (value.decode_oid(oid)) check(hvx::Oid(oid.format()) == oid);
    if (value.decode_octets(octets)) check(octets == value.contents());
    std::size_t components = 0;
    for (hvx::Asn1Value c = value.first_component(); c; c = c.next_component()) {
      pending.push_back(c);
      ++components;
    }
    check(components == value.num_comps());
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const hvx::DataUnit input(data, size);
  hvx::Asn1Value value;
  std::size_t consumed = 0;
  if (!hvx::Asn1Value::decode(input, value, &consumed).ok()) return 0;
  check(consumed > 0 && consumed <= size);

  // The walking reader sees exactly the nodes the tree holds.
  hvx::Asn1Reader reader(input.view(), /*one_value=*/true);
  std::size_t walked = 0;
  while (reader.next()) ++walked;
  check(reader.status().ok() && reader.position() == consumed);
  check(exercise(value) == walked);

  const hvx::DataUnit der = value.encode();
  check(der.size() == value.encoded_size());
  hvx::Asn1Value again;
  check(hvx::Asn1Value::decode(der, again).ok());
  check(again == value);
  check(again.encode() == der);

  std::ostringstream printed;
  printed << value;
  return 0;
}
