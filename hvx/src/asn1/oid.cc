#include "hvx/oid.h"

#include <limits>
#include <ostream>

namespace hvx {

namespace {

constexpr std::uint64_t kMaxArc = std::numeric_limits<std::uint64_t>::max();

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The first two arcs share one subidentifier, 40 * first + second.
bool arcs_valid(const std::vector<std::uint64_t>& arcs) {
  if (arcs.size() < 2 || arcs[0] > 2) return false;
  if (arcs[0] < 2) return arcs[1] < 40;
  return arcs[1] <= kMaxArc - 80;
}

// Reads one arc at text[i...]: digits, no leading zero, no overflow.
bool read_arc(std::string_view text, std::size_t& i, std::uint64_t& arc) {
  const std::size_t start = i;
  arc = 0;
  while (i < text.size() && is_digit(text[i])) {
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (arc > (kMaxArc - digit) / 10) return false;
    arc = arc * 10 + digit;
    ++i;
  }
  if (i == start) return false;
  return i - start == 1 || text[start] != '0';
}

std::vector<std::uint64_t> parse_dotted(std::string_view text) {
  std::vector<std::uint64_t> arcs;
  std::size_t i = 0;
  while (true) {
    std::uint64_t arc;
    if (!read_arc(text, i, arc)) return {};
    arcs.push_back(arc);
    if (i == text.size()) return arcs;
    if (text[i] != '.') return {};
    ++i;
  }
}

std::vector<std::uint64_t> parse_braced(std::string_view text) {
  // text runs from just after '{' to just before '}'.
  std::vector<std::uint64_t> arcs;
  std::size_t i = 0;
  while (true) {
    while (i < text.size() && is_blank(text[i])) ++i;
    if (i == text.size()) return arcs;
    // Arcs need a blank between them; read_arc stops at the first non-digit.
    if (!arcs.empty() && !is_blank(text[i - 1])) return {};
    std::uint64_t arc;
    if (!read_arc(text, i, arc)) return {};
    arcs.push_back(arc);
  }
}

}  // namespace

Oid::Oid(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  std::vector<std::uint64_t> arcs;
  if (text.size() >= 2 && text.front() == '{' && text.back() == '}') {
    arcs = parse_braced(text.substr(1, text.size() - 2));
  } else {
    arcs = parse_dotted(text);
  }
  if (arcs_valid(arcs)) arcs_ = std::move(arcs);
}

Oid::Oid(std::vector<std::uint64_t> arcs) {
  if (arcs_valid(arcs)) arcs_ = std::move(arcs);
}

std::string Oid::format(bool braces) const {
  if (arcs_.empty()) return std::string();
  std::string text = braces ? "{ " : "";
  for (std::size_t i = 0; i < arcs_.size(); ++i) {
    if (i > 0) text.push_back(braces ? ' ' : '.');
    text += std::to_string(arcs_[i]);
  }
  if (braces) text += " }";
  return text;
}

bool Oid::from_ber(std::string_view contents, Oid& out) {
  if (contents.empty()) return false;
  std::vector<std::uint64_t> arcs;
  std::uint64_t value = 0;
  bool in_subidentifier = false;
  for (const char c : contents) {
    const auto byte = static_cast<unsigned char>(c);
    // A subidentifier starting with 0x80 is not in its fewest octets.
    if (!in_subidentifier && byte == 0x80) return false;
    if (value > (kMaxArc >> 7)) return false;
    value = (value << 7) | (byte & 0x7f);
    in_subidentifier = (byte & 0x80) != 0;
    if (in_subidentifier) continue;
    if (arcs.empty()) {
      const std::uint64_t first = value < 40 ? 0 : value < 80 ? 1 : 2;
      arcs.push_back(first);
      arcs.push_back(value - 40 * first);
    } else {
      arcs.push_back(value);
    }
    value = 0;
  }
  if (in_subidentifier) return false;
  out.arcs_ = std::move(arcs);
  return true;
}

namespace {

void append_subidentifier(std::string& out, std::uint64_t value) {
  char buffer[10];
  int n = 0;
  do {
    buffer[n++] = static_cast<char>(value & 0x7f);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<char>(buffer[--n] | 0x80));
  out.push_back(buffer[0]);
}

}  // namespace

void Oid::append_ber(std::string& out) const {
  if (arcs_.empty()) return;
  append_subidentifier(out, arcs_[0] * 40 + arcs_[1]);
  for (std::size_t i = 2; i < arcs_.size(); ++i) append_subidentifier(out, arcs_[i]);
}

std::string Oid::ber() const {
  std::string out;
  append_ber(out);
  return out;
}

std::ostream& operator<<(std::ostream& out, const Oid& oid) { return out << oid.format(); }

}  // namespace hvx

std::size_t std::hash<hvx::Oid>::operator()(const hvx::Oid& oid) const noexcept {
  std::size_t h = oid.size();
  for (const std::uint64_t arc : oid.arcs()) {
    h ^= std::hash<std::uint64_t>()(arc) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  }
  return h;
}
