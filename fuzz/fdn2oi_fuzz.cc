// Slash-form names: whatever fdn2oi accepts, oi2fdn must print, and the print must give
// the same value again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "hvx/names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const hvx::Asn1Value value = hvx::fdn2oi(text);
  if (value.is_null()) return 0;
  const std::string canonical = hvx::oi2fdn(value);
  if (canonical.empty()) std::abort();
  const hvx::Asn1Value again = hvx::fdn2oi(canonical);
  if (again.is_null() || !(again == value)) std::abort();
  if (hvx::oi2fdn(again) != canonical) std::abort();
  return 0;
}
