// The debug form of Asn1Value.
#include <iomanip>
#include <ostream>
#include <vector>

#include "asn1_contents.h"
#include "asn1_tree.h"
#include "hvx/asn1.h"

namespace hvx {

namespace {

void print_hex(std::ostream& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "'";
  for (const char c : bytes) {
    text.push_back(kHex[static_cast<unsigned char>(c) >> 4]);
    text.push_back(kHex[static_cast<unsigned char>(c) & 0xf]);
  }
  out << text << "'H";
}

bool printable(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7e) return false;
  }
  return true;
}

void print_contents(std::ostream& out, Asn1Tag tag, std::string_view contents) {
  if (tag == TAG_NULL && contents.empty()) return;
  out << ' ';
  if (tag == TAG_BOOL && contents.size() == 1) {
    out << (contents[0] != 0 ? "TRUE" : "FALSE");
    return;
  }
  if (tag == TAG_INT || tag == TAG_ENUM) {
    long value;
    if (asn1_contents::read_integer(contents, value)) {
      out << value;
      return;
    }
  }
  if (tag == TAG_REAL) {
    double value;
    if (asn1_contents::read_real(contents, value)) {
      const auto precision = out.precision(17);
      out << value;
      out.precision(precision);
      return;
    }
  }
  if (tag == TAG_OID) {
    Oid oid;
    if (Oid::from_ber(contents, oid)) {
      out << oid;
      return;
    }
  }
  if (is_octet_string_type(tag) && printable(contents)) {
    out << '"';
    for (const char c : contents) {
      if (c == '"' || c == '\\') out << '\\';
      out << c;
    }
    out << '"';
    return;
  }
  print_hex(out, contents);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Asn1Value& value) {
  if (value.is_null()) return out << "<null>";
  const Asn1Value::Tree& tree = *value.tree_;
  // Printed without recursion: built values can nest deeper than any stack.
  std::vector<std::uint32_t> open_ends;
  bool first_in_braces = true;
  for (std::uint32_t i = value.index_, end = tree.nodes[value.index_].end; i < end; ++i) {
    while (!open_ends.empty() && open_ends.back() <= i) {
      out << " }";
      open_ends.pop_back();
      first_in_braces = false;
    }
    if (!first_in_braces) out << ", ";
    const Asn1Node& node = tree.nodes[i];
    out << node.tag();
    if (!node.constructed) {
      print_contents(out, node.tag(), tree.contents(node));
      first_in_braces = false;
    } else if (node.count == 0) {
      out << " { }";
      first_in_braces = false;
    } else {
      out << " { ";
      open_ends.push_back(node.end);
      first_in_braces = true;
    }
  }
  for (std::size_t k = 0; k < open_ends.size(); ++k) out << " }";
  return out;
}

}  // namespace hvx
