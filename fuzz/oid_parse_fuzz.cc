// Parses arbitrary text as an object identifier, and arbitrary bytes as its BER contents;
// whatever is accepted must print and encode back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hvx/oid.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const hvx::Oid parsed(text);
  if (parsed.valid()) {
    check(hvx::Oid(parsed.format()) == parsed);
    check(hvx::Oid(parsed.format(true)) == parsed);
    hvx::Oid back;
    check(hvx::Oid::from_ber(parsed.ber(), back) && back == parsed);
  } else {
    check(parsed.format().empty() && parsed == hvx::Oid());
  }
  hvx::Oid decoded;
  if (hvx::Oid::from_ber(text, decoded)) {
    // Subidentifiers in their fewest octets make the contents canonical.
    check(decoded.valid() && decoded.ber() == text);
    check(hvx::Oid(decoded.format()) == decoded);
  }
  return 0;
}
