// Value notation parsed: recursive descent without backtracking over more than one token,
// so the time is linear in the text; nesting is limited to kMaxDepth.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "hvx/catalogue.h"
#include "hvx/names.h"
#include "syntax_node.h"
#include "value_notation.h"

namespace hvx::notation {

namespace {

using Kind = Syntax::Kind;
using Node = Syntax::Node;
using Member = Syntax::Member;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_alpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

const Syntax& any_syntax() {
  static const Syntax any = Syntax::parse("ANY");
  return any;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  const std::string& error() const { return error_; }

  bool at_end() {
    skip_blanks();
    return pos_ == text_.size();
  }
  bool fail_here(std::string_view what) {
    if (error_.empty()) {
      error_ = std::string(what) + " at offset " + std::to_string(pos_);
    }
    return false;
  }

  bool value(const Node& node, Asn1Value& out, int depth, bool nested) {
    if (depth > kMaxDepth) return fail_here("nesting too deep");
    skip_blanks();
    Asn1Value v;
    if (!untagged(node, v, depth, nested)) return false;
    if (node.tagging == Syntax::Tagging::implicit) v.set_tag(node.own_tag);
    if (node.tagging == Syntax::Tagging::explicit_) v.make_explicit_tagged(node.own_tag);
    out = v;
    return true;
  }

  // A slash-form name; nested names (inside braces) also end at "," and "}".
  bool name(Asn1Value& out, int depth, bool nested) {
    if (depth > kMaxDepth) return fail_here("nesting too deep");
    skip_blanks();
    Asn1Value sequence;
    sequence.start_construct(TAG_SEQ);
    if (accept('/')) {
      skip_blanks();
      if (at_name_end(nested)) {
        out = sequence;
        return true;
      }
    }
    while (true) {
      Asn1Value rdn;
      rdn.start_construct(TAG_SET);
      do {
        skip_blanks();
        Asn1Value assertion;
        if (!attribute_value_assertion(assertion, depth, nested)) return false;
        rdn.add_component(assertion);
        skip_blanks();
      } while (accept('+'));
      sequence.add_component(rdn);
      if (!accept('/')) break;
    }
    out = sequence;
    return true;
  }

 private:
  void skip_blanks() {
    while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
  }
  char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  char peek_at(std::size_t offset) const {
    return pos_ + offset < text_.size() ? text_[pos_ + offset] : '\0';
  }
  bool accept(char c) {
    if (peek() != c || pos_ >= text_.size()) return false;
    ++pos_;
    return true;
  }
  bool expect(char c) {
    skip_blanks();
    if (accept(c)) return true;
    return fail_here(std::string("expected '") + c + "'");
  }
  bool at_name_end(bool nested) {
    const char c = peek();
    return pos_ >= text_.size() || (nested && (c == ',' || c == '}'));
  }

  std::string_view identifier() {
    const std::size_t start = pos_;
    if (!is_alpha(peek())) return {};
    while (pos_ < text_.size() &&
           (is_alpha(text_[pos_]) || is_digit(text_[pos_]) || text_[pos_] == '-')) {
      ++pos_;
    }
    return text_.substr(start, pos_ - start);
  }

  // The identifier at the cursor, without moving it.
  std::string_view peek_identifier() {
    const std::size_t save = pos_;
    const std::string_view id = identifier();
    pos_ = save;
    return id;
  }

  bool parse_long(long& out) {
    const std::size_t start = pos_;
    if (peek() == '-') ++pos_;
    while (pos_ < text_.size() && is_digit(text_[pos_])) ++pos_;
    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    const auto result = std::from_chars(first, last, out);
    if (pos_ == start || result.ec != std::errc() || result.ptr != last) {
      pos_ = start;
      return fail_here("expected an integer that fits 64 bits");
    }
    return true;
  }

  bool parse_real(double& out) {
    const std::string_view id = peek_identifier();
    if (id == "PLUS-INFINITY" || id == "MINUS-INFINITY" || id == "NOT-A-NUMBER") {
      pos_ += id.size();
      out = id == "NOT-A-NUMBER" ? std::nan("") : (id[0] == 'P' ? HUGE_VAL : -HUGE_VAL);
      return true;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() &&
           (is_digit(text_[pos_]) || text_[pos_] == '.' || text_[pos_] == 'e' ||
            text_[pos_] == 'E' || text_[pos_] == '-' || text_[pos_] == '+')) {
      ++pos_;
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    const auto result = std::from_chars(first, last, out);
    if (pos_ == start || result.ec != std::errc() || result.ptr != last) {
      pos_ = start;
      return fail_here("expected a real number");
    }
    return true;
  }

  // "..." with \", \\ and \ooo escapes, or 'hex'H.
  bool parse_bytes(std::string& out) {
    if (accept('\'')) {
      std::string bytes;
      int high = -1;
      while (pos_ < text_.size() && text_[pos_] != '\'') {
        const char c = text_[pos_];
        int digit = -1;
        if (is_digit(c)) digit = c - '0';
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0 && !is_space(c)) return fail_here("expected a hexadecimal digit");
        ++pos_;
        if (digit < 0) continue;
        if (high < 0) {
          high = digit;
        } else {
          bytes += static_cast<char>(high * 16 + digit);
          high = -1;
        }
      }
      if (high >= 0) return fail_here("odd number of hexadecimal digits");
      if (!accept('\'') || !accept('H')) return fail_here("expected 'H");
      out = std::move(bytes);
      return true;
    }
    if (!accept('"')) return fail_here("expected a quoted string");
    std::string bytes;
    while (true) {
      if (pos_ >= text_.size()) return fail_here("unterminated string");
      const char c = text_[pos_++];
      if (c == '"') break;
      if (c != '\\') {
        bytes += c;
        continue;
      }
      if (pos_ >= text_.size()) return fail_here("unterminated string");
      if (text_[pos_] >= '0' && text_[pos_] <= '7') {
        unsigned byte = 0;
        for (int i = 0; i < 3 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7';
             ++i) {
          byte = byte * 8 + static_cast<unsigned>(text_[pos_++] - '0');
        }
        if (byte > 255) return fail_here("octal escape above \\377");
        bytes += static_cast<char>(byte);
      } else {
        bytes += text_[pos_++];
      }
    }
    out = std::move(bytes);
    return true;
  }

  bool parse_oid(Asn1Value& out) {
    if (!expect('{')) return false;
    std::vector<std::uint64_t> arcs;
    while (true) {
      skip_blanks();
      if (accept('}')) break;
      const std::size_t start = pos_;
      while (pos_ < text_.size() && is_digit(text_[pos_])) ++pos_;
      std::uint64_t arc = 0;
      const auto result = std::from_chars(text_.data() + start, text_.data() + pos_, arc);
      if (pos_ == start || result.ec != std::errc()) return fail_here("expected an arc");
      if (arcs.size() >= 1024) return fail_here("too many arcs");
      arcs.push_back(arc);
    }
    const Oid oid(std::move(arcs));
    if (!oid.valid() || !out.encode_oid(oid)) return fail_here("invalid object identifier");
    return true;
  }

  // Whether a value of the syntax can begin at the cursor: decides a CHOICE written
  // without its alternative by one look at the next token.
  bool may_start(const Node& node, int depth) {
    if (depth > kMaxDepth) return false;
    const char c = peek();
    switch (node.kind) {
      case Kind::integer:
        return is_digit(c) || (c == '-' && is_digit(peek_at(1)));
      case Kind::real:
        return is_digit(c) || c == '-' || c == '.' || peek_identifier() == "PLUS-INFINITY" ||
               peek_identifier() == "MINUS-INFINITY" || peek_identifier() == "NOT-A-NUMBER";
      case Kind::enumerated: {
        if (is_digit(c) || (c == '-' && is_digit(peek_at(1)))) return true;
        const std::string_view id = peek_identifier();
        for (const Syntax::NamedNumber& named : node.named) {
          if (named.name == id) return true;
        }
        return false;
      }
      case Kind::boolean:
        return peek_identifier() == "TRUE" || peek_identifier() == "FALSE";
      case Kind::null:
        return peek_identifier() == "NULL";
      case Kind::string:
        return c == '"' || c == '\'';
      case Kind::any:
        return c == '\'';
      case Kind::object_identifier:
      case Kind::sequence:
      case Kind::sequence_of:
      case Kind::set_of:
        return c == '{';
      case Kind::distinguished_name:
        return c == '/';
      case Kind::choice: {
        const std::string_view id = peek_identifier();
        for (const Member& alternative : node.members) {
          if (alternative.name == id || may_start(*alternative.type.node(), depth + 1)) {
            return true;
          }
        }
        return false;
      }
      default:
        return false;
    }
  }

  bool untagged(const Node& node, Asn1Value& out, int depth, bool nested) {
    switch (node.kind) {
      case Kind::integer: {
        long n = 0;
        if (!parse_long(n)) return false;
        out.encode_int(n);
        return true;
      }
      case Kind::enumerated: {
        const std::string_view id = identifier();
        if (!id.empty()) {
          for (const Syntax::NamedNumber& named : node.named) {
            if (named.name == id) {
              out.encode_enum(named.value);
              return true;
            }
          }
          pos_ -= id.size();
          return fail_here("unknown enumerated name");
        }
        long n = 0;
        if (!parse_long(n)) return false;
        out.encode_enum(n);
        return true;
      }
      case Kind::real: {
        double d;
        if (!parse_real(d)) return false;
        out.encode_real(d);
        return true;
      }
      case Kind::boolean: {
        const std::string_view id = identifier();
        if (id != "TRUE" && id != "FALSE") {
          pos_ -= id.size();
          return fail_here("expected TRUE or FALSE");
        }
        out.encode_boolean(id == "TRUE");
        return true;
      }
      case Kind::null: {
        const std::string_view id = identifier();
        if (id != "NULL") {
          pos_ -= id.size();
          return fail_here("expected NULL");
        }
        out.encode_null();
        return true;
      }
      case Kind::string: {
        std::string bytes;
        if (!parse_bytes(bytes)) return false;
        out.encode_octets(std::string_view(bytes), node.universal);
        return true;
      }
      case Kind::object_identifier:
        return parse_oid(out);
      case Kind::sequence:
        return parse_sequence(node, out, depth);
      case Kind::sequence_of:
      case Kind::set_of: {
        if (!expect('{')) return false;
        out.start_construct(node.universal);
        skip_blanks();
        if (accept('}')) return true;
        do {
          Asn1Value element;
          if (!value(*node.element.node(), element, depth + 1, true)) return false;
          out.add_component(element);
          skip_blanks();
        } while (accept(','));
        return expect('}');
      }
      case Kind::choice:
        return parse_choice(node, out, depth, nested);
      case Kind::any: {
        std::string bytes;
        if (!parse_bytes(bytes)) return false;
        const Status status = Asn1Value::decode(DataUnit(std::move(bytes)), out);
        if (!status.ok()) return fail_here("bad encoding: " + status.message());
        return true;
      }
      case Kind::distinguished_name:
        return name(out, depth + 1, nested);
      default:
        return fail_here("invalid syntax");
    }
  }

  bool parse_choice(const Node& node, Asn1Value& out, int depth, bool nested) {
    const std::size_t start = pos_;
    const std::string_view id = identifier();
    if (!id.empty()) {
      skip_blanks();
      if (accept(':')) {
        for (const Member& alternative : node.members) {
          if (alternative.name == id) {
            return value(*alternative.type.node(), out, depth + 1, nested);
          }
        }
        pos_ = start;
        return fail_here("unknown alternative");
      }
    }
    pos_ = start;
    for (const Member& alternative : node.members) {
      if (may_start(*alternative.type.node(), depth + 1)) {
        return value(*alternative.type.node(), out, depth + 1, nested);
      }
    }
    return fail_here("no alternative takes this value");
  }

  bool parse_sequence(const Node& node, Asn1Value& out, int depth) {
    if (!expect('{')) return false;
    std::vector<Asn1Value> values(node.members.size());
    std::size_t next = 0;
    skip_blanks();
    if (!accept('}')) {
      do {
        skip_blanks();
        // "name value" names the member; a bare value goes to the next member.
        const std::size_t start = pos_;
        const std::string_view id = identifier();
        skip_blanks();
        const char after = peek();
        bool named = false;
        if (!id.empty() && after != ',' && after != '}' && after != ':' && after != '\0') {
          for (std::size_t i = next; i < node.members.size(); ++i) {
            if (node.members[i].name == id) {
              next = i;
              named = true;
              break;
            }
          }
        }
        if (!named) pos_ = start;
        if (next >= node.members.size()) return fail_here("more values than members");
        if (!value(*node.members[next].type.node(), values[next], depth + 1, true)) return false;
        ++next;
        skip_blanks();
      } while (accept(','));
      if (!expect('}')) return false;
    }
    out.start_construct(TAG_SEQ);
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i].is_null()) {
        if (!node.members[i].optional) return fail_here("missing member " + node.members[i].name);
        continue;
      }
      out.add_component(values[i]);
    }
    return true;
  }

  // A string value written without quotes, for an attribute whose syntax takes strings.
  static const Node* raw_string_target(const Node& node) {
    if (node.kind == Kind::string) return &node;
    if (node.kind == Kind::choice) {
      for (const Member& alternative : node.members) {
        if (alternative.type.kind() == Kind::string) return alternative.type.node();
      }
    }
    return nullptr;
  }

  bool attribute_value_assertion(Asn1Value& out, int depth, bool nested) {
    Oid oid;
    Syntax syntax;
    if (!assertion_attribute(oid, syntax)) return false;
    if (!expect('=')) return false;
    skip_blanks();

    const std::size_t value_start = pos_;
    Asn1Value value;
    bool ok = this->value(*syntax.node(), value, depth + 1, nested);
    if (ok) {
      skip_blanks();
      const char c = peek();
      ok = at_name_end(nested) || c == '/' || c == '+';
      if (!ok) fail_here("unexpected text after the value");
    }
    if (!ok && !unquoted_value(*syntax.node(), value_start, nested, value)) return false;
    Asn1Value oid_value;
    oid_value.encode_oid(oid);
    out.start_construct(TAG_SEQ);
    out.add_component(oid_value);
    out.add_component(value);
    return true;
  }

  // The attribute of an assertion: a name, possibly document-qualified, or a dotted
  // identifier (whose values are read as ANY).
  bool assertion_attribute(Oid& oid, Syntax& syntax) {
    const std::size_t start = pos_;
    if (accept('"')) {
      while (pos_ < text_.size() && text_[pos_] != '"') ++pos_;
      if (!accept('"') || !accept(':')) return fail_here("expected a qualified name");
    }
    while (pos_ < text_.size() &&
           (is_alpha(text_[pos_]) || is_digit(text_[pos_]) || text_[pos_] == '-' ||
            text_[pos_] == '.' || text_[pos_] == '_')) {
      ++pos_;
    }
    const std::string_view attribute = text_.substr(start, pos_ - start);
    if (attribute.empty()) return fail_here("expected an attribute name");
    if (is_digit(attribute[0])) {
      oid = Oid(attribute);
      syntax = any_syntax();
    } else if (const AttributeDef* def = Catalogue::get().find_attribute(attribute)) {
      oid = Oid(def->oid);
      syntax = Syntax::of_attribute(def->name);
    }
    if (!oid.valid() || !syntax.valid()) {
      pos_ = start;
      return fail_here("unknown attribute");
    }
    return true;
  }

  // Unquoted text up to the next RDN, as the string `outer` holds. Only where it holds no
  // quote or brace: the failed attempt then cannot have read past it, which keeps parsing
  // linear.
  bool unquoted_value(const Node& outer, std::size_t value_start, bool nested, Asn1Value& value) {
    const Node* target = raw_string_target(outer);
    if (target == nullptr) return false;
    std::size_t end = value_start;
    while (end < text_.size() && text_[end] != '/' && text_[end] != '+' &&
           !(nested && (text_[end] == ',' || text_[end] == '}'))) {
      if (text_[end] == '"' || text_[end] == '\'' || text_[end] == '{') return false;
      ++end;
    }
    pos_ = end;
    while (end > value_start && is_space(text_[end - 1])) --end;
    if (end == value_start) return false;
    error_.clear();
    value.encode_octets(text_.substr(value_start, end - value_start), target->universal);
    if (target->tagging == Syntax::Tagging::implicit) value.set_tag(target->own_tag);
    if (target->tagging == Syntax::Tagging::explicit_) value.make_explicit_tagged(target->own_tag);
    if (&outer != target && outer.tagging != Syntax::Tagging::none) {
      value.make_explicit_tagged(outer.own_tag);  // a tagged CHOICE is always explicit
    }
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

bool parse(const Syntax& syntax, std::string_view text, Asn1Value& out, std::string& error) {
  if (!syntax.valid()) {
    error = "no syntax";
    return false;
  }
  Parser parser(text);
  Asn1Value value;
  if (!parser.value(*syntax.node(), value, 0, false)) {
    error = parser.error();
    return false;
  }
  if (!parser.at_end()) {
    parser.fail_here("unexpected text after the value");
    error = parser.error();
    return false;
  }
  out = value;
  return true;
}

bool parse_name(std::string_view text, Asn1Value& out, std::string& error) {
  Parser parser(text);
  Asn1Value value;
  if (!parser.name(value, 0, false)) {
    error = parser.error();
    return false;
  }
  if (!parser.at_end()) {
    parser.fail_here("unexpected text after the name");
    error = parser.error();
    return false;
  }
  out = value;
  return true;
}

std::string decode_octal_escapes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7') {
      unsigned byte = 0;
      std::size_t j = i + 1;
      for (; j < text.size() && j < i + 4 && text[j] >= '0' && text[j] <= '7'; ++j) {
        byte = byte * 8 + static_cast<unsigned>(text[j] - '0');
      }
      out += static_cast<char>(byte & 0xff);
      i = j - 1;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace hvx::notation
