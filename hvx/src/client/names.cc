#include "hvx/names.h"

#include <exception>

#include "value_notation.h"

namespace hvx {

Asn1Value fdn2oi(std::string_view text) {
  try {
    Asn1Value value;
    std::string error;
    if (!notation::parse_name(text, value, error)) return Asn1Value();
    return value;
  } catch (const std::exception&) {
    return Asn1Value();
  }
}

std::string oi2fdn(const Asn1Value& value) {
  try {
    std::string text;
    if (!notation::print_name(value, text)) return std::string();
    return text;
  } catch (const std::exception&) {
    return std::string();
  }
}

std::string get_shortname(std::string_view name) {
  if (name.empty() || name[0] != '"') return std::string(name);
  const std::size_t close = name.find('"', 1);
  if (close == std::string_view::npos || close + 1 >= name.size() || name[close + 1] != ':') {
    return std::string(name);
  }
  return std::string(name.substr(close + 2));
}

}  // namespace hvx
