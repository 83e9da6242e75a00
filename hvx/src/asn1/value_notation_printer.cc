// Value notation printed: the text of a value under its syntax, in the form a style asks for.
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

// The values of a SEQUENCE matched to its members, in member order; absent optional
// members have a null value. False when the components do not fit the members.
bool match_members(const Node& node, const Asn1Value& value, std::vector<Asn1Value>& values) {
  values.assign(node.members.size(), Asn1Value());
  Asn1Value component = value.first_component();
  for (std::size_t i = 0; i < node.members.size(); ++i) {
    const Member& member = node.members[i];
    if (!component.is_null() && syntax_accepts_tag(*member.type.node(), component.tag())) {
      values[i] = component;
      component = component.next_component();
    } else if (!member.optional) {
      return false;
    }
  }
  return component.is_null();
}

const Member* chosen_alternative(const Node& node, Asn1Tag tag) {
  for (const Member& alternative : node.members) {
    if (syntax_accepts_tag(*alternative.type.node(), tag)) return &alternative;
  }
  return nullptr;
}

// The attribute an RDN names, and the text it is written with: the short name when the
// catalogue knows it by that name alone.
const AttributeDef* name_attribute(const Oid& oid, std::string& written) {
  const Catalogue& catalogue = Catalogue::get();
  const AttributeDef* def = catalogue.find_attribute(oid);
  if (def == nullptr) return nullptr;
  written = get_shortname(def->name);
  if (catalogue.find_attribute(written) != def) written = std::string(def->name);
  return def;
}

void append_quoted(std::string_view bytes, std::string& out) {
  out += '"';
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      out += '\\';
      out += static_cast<char>('0' + (byte >> 6));
      out += static_cast<char>('0' + ((byte >> 3) & 7));
      out += static_cast<char>('0' + (byte & 7));
    } else {
      out += c;
    }
  }
  out += '"';
}

void append_hex(std::string_view bytes, std::string& out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += '\'';
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
  }
  out += "'H";
}

// The shortest text that reads back as the same double; always with a point or exponent.
void append_real(double value, std::string& out) {
  if (std::isnan(value)) {
    out += "NOT-A-NUMBER";
    return;
  }
  if (std::isinf(value)) {
    out += value > 0 ? "PLUS-INFINITY" : "MINUS-INFINITY";
    return;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  const std::string_view text(buffer, result.ptr - buffer);
  out += text;
  if (text.find_first_of(".e") == std::string_view::npos) out += ".0";
}

void append_oid(const Oid& oid, Form form, std::string& out) {
  out += form == Form::in_name ? "{" : "{ ";
  for (std::size_t i = 0; i < oid.size(); ++i) {
    if (i > 0) out += ' ';
    out += std::to_string(oid[i]);
  }
  out += form == Form::in_name ? "}" : " }";
}

class Printer {
 public:
  Printer(const Style& style, std::string& out) : style_(style), out_(out) {}

  bool value(const Node& node, const Asn1Value& value, int depth, bool top) {
    if (depth > kMaxDepth || value.is_null()) return false;
    switch (node.tagging) {
      case Syntax::Tagging::explicit_:
        if (value.tag() != node.own_tag || !value.is_constructed() || value.num_comps() != 1) {
          return false;
        }
        return untagged(node, value.first_component(), depth, top);
      case Syntax::Tagging::implicit:
        if (value.tag() != node.own_tag) return false;
        return contents(node, value, depth, top);
      case Syntax::Tagging::none:
        break;
    }
    return untagged(node, value, depth, top);
  }

  bool name(const Asn1Value& value, int depth) {
    if (depth > kMaxDepth || value.tag() != TAG_SEQ || !value.is_constructed()) return false;
    if (value.num_comps() == 0) {
      out_ += '/';
      return true;
    }
    for (Asn1Value rdn = value.first_component(); !rdn.is_null(); rdn = rdn.next_component()) {
      if (rdn.tag() != TAG_SET || !rdn.is_constructed() || rdn.num_comps() == 0) return false;
      out_ += '/';
      bool first = true;
      for (Asn1Value ava = rdn.first_component(); !ava.is_null(); ava = ava.next_component()) {
        if (ava.tag() != TAG_SEQ || ava.num_comps() != 2) return false;
        Oid oid;
        if (!ava.first_component().decode_oid(oid)) return false;
        if (!first) out_ += '+';
        first = false;
        if (!assertion(oid, ava.first_component().next_component(), depth)) return false;
      }
    }
    return true;
  }

 private:
  bool assertion(const Oid& oid, const Asn1Value& value, int depth) {
    std::string written;
    const AttributeDef* def = name_attribute(oid, written);
    if (def != nullptr) {
      const Syntax syntax = Syntax::of_attribute(def->name);
      if (syntax.check(value)) {
        out_ += written;
        out_ += '=';
        Printer inner(Style{Form::in_name, false}, out_);
        return inner.value(*syntax.node(), value, depth + 1, false);
      }
    }
    // Unknown attribute, or a value its syntax does not allow: still printable, as the
    // identifier and the value's encoding.
    out_ += oid.format();
    out_ += '=';
    std::string ber;
    value.encode_to(ber);
    append_hex(ber, out_);
    return true;
  }

  // Whether the value, through explicit tags and chosen alternatives, is a string.
  static bool chosen_string(const Node& node, const Asn1Value& value, int depth) {
    if (depth > kMaxDepth || value.is_null()) return false;
    if (node.tagging == Syntax::Tagging::explicit_) {
      if (value.tag() != node.own_tag) return false;
      Node untagged_node = node;
      untagged_node.tagging = Syntax::Tagging::none;
      return chosen_string(untagged_node, value.first_component(), depth + 1);
    }
    if (node.kind == Kind::choice) {
      const Member* alternative = chosen_alternative(node, value.tag());
      return alternative != nullptr && chosen_string(*alternative->type.node(), value, depth + 1);
    }
    return node.kind == Kind::string;
  }

  bool untagged(const Node& node, const Asn1Value& value, int depth, bool top) {
    if (node.kind == Kind::choice) {
      const Member* alternative = chosen_alternative(node, value.tag());
      if (alternative == nullptr) return false;
      // A string alternative taken raw goes without its label.
      if (!(top && style_.raw_string && chosen_string(*alternative->type.node(), value, depth))) {
        out_ += alternative->name;
        out_ += style_.form == Form::in_name ? ":" : " : ";
      }
      return this->value(*alternative->type.node(), value, depth + 1, top);
    }
    if (node.kind == Kind::any) {
      std::string ber;
      value.encode_to(ber);
      append_hex(ber, out_);
      return true;
    }
    if (!syntax_accepts_universal_tag(node, value.tag())) return false;
    return contents(node, value, depth, top);
  }

  void open() { out_ += style_.form == Form::named ? "{ " : "{"; }
  void separate() { out_ += style_.form == Form::named ? ", " : ","; }
  void close() { out_ += style_.form == Form::named ? " }" : "}"; }

  bool contents(const Node& node, const Asn1Value& value, int depth, bool top) {
    switch (node.kind) {
      case Kind::integer: {
        long n;
        if (!value.decode_int(n)) return false;
        out_ += std::to_string(n);
        return true;
      }
      case Kind::enumerated: {
        long n;
        if (!value.decode_enum(n)) return false;
        for (const Syntax::NamedNumber& named : node.named) {
          if (named.value == n) {
            out_ += named.name;
            return true;
          }
        }
        out_ += std::to_string(n);
        return true;
      }
      case Kind::real: {
        double d;
        if (!value.decode_real(d)) return false;
        append_real(d, out_);
        return true;
      }
      case Kind::boolean: {
        bool b;
        if (!value.decode_boolean(b)) return false;
        out_ += b ? "TRUE" : "FALSE";
        return true;
      }
      case Kind::null:
        if (!value.decode_null()) return false;
        out_ += "NULL";
        return true;
      case Kind::string: {
        if (value.is_constructed()) return false;
        const DataUnit bytes = value.contents();
        if (top && style_.raw_string) {
          out_ += bytes.view();
        } else {
          append_quoted(bytes.view(), out_);
        }
        return true;
      }
      case Kind::object_identifier: {
        Oid oid;
        if (!value.decode_oid(oid)) return false;
        append_oid(oid, style_.form, out_);
        return true;
      }
      case Kind::sequence: {
        if (!value.is_constructed()) return false;
        std::vector<Asn1Value> values;
        if (!match_members(node, value, values)) return false;
        bool named = style_.form == Form::named;
        for (const Asn1Value& v : values) named = named || v.is_null();
        if (value.num_comps() == 0) {
          out_ += "{}";
          return true;
        }
        open();
        bool first = true;
        for (std::size_t i = 0; i < values.size(); ++i) {
          if (values[i].is_null()) continue;
          if (!first) separate();
          first = false;
          if (named) {
            out_ += node.members[i].name;
            out_ += ' ';
          }
          if (!this->value(*node.members[i].type.node(), values[i], depth + 1, false)) {
            return false;
          }
        }
        close();
        return true;
      }
      case Kind::sequence_of:
      case Kind::set_of: {
        if (!value.is_constructed()) return false;
        if (value.num_comps() == 0) {
          out_ += "{}";
          return true;
        }
        open();
        bool first = true;
        for (Asn1Value c = value.first_component(); !c.is_null(); c = c.next_component()) {
          if (!first) separate();
          first = false;
          if (!this->value(*node.element.node(), c, depth + 1, false)) return false;
        }
        close();
        return true;
      }
      case Kind::distinguished_name:
        return name(value, depth + 1);
      default:
        return false;
    }
  }

  const Style style_;
  std::string& out_;
};

}  // namespace

bool print(const Syntax& syntax, const Asn1Value& value, const Style& style, std::string& out) {
  if (!syntax.valid()) return false;
  Printer printer(style, out);
  return printer.value(*syntax.node(), value, 0, true);
}

bool print_name(const Asn1Value& value, std::string& out) {
  Style style{Form::in_name, false};
  Printer printer(style, out);
  return printer.name(value, 0);
}

}  // namespace hvx::notation
