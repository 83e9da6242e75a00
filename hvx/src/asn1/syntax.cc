#include "hvx/syntax.h"

#include <cctype>
#include <map>
#include <ostream>
#include <sstream>
#include <vector>

#include "hvx/catalogue.h"
#include "syntax_node.h"

namespace hvx {

namespace {

const std::string kEmpty;

// Type notation of the catalogue's tables: words (keywords, identifiers, numbers, module-
// qualified references) and the punctuation { } [ ] ( ) ,.
class TypeParser {
 public:
  TypeParser(std::string_view text, int depth) : text_(text), depth_(depth) {}

  Syntax parse_all() {
    Syntax type = parse_type();
    if (!type.valid() || !peek().empty()) return Syntax();
    return type;
  }

 private:
  static bool is_word_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
  }

  std::string_view peek() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    if (pos_ >= text_.size()) return {};
    if (!is_word_char(text_[pos_])) return text_.substr(pos_, 1);
    std::size_t end = pos_;
    while (end < text_.size() && is_word_char(text_[end])) ++end;
    return text_.substr(pos_, end - pos_);
  }
  std::string_view next() {
    std::string_view token = peek();
    pos_ += token.size();
    return token;
  }
  bool accept(std::string_view token) {
    if (peek() != token) return false;
    next();
    return true;
  }
  static bool parse_number(std::string_view word, long& out) {
    bool negative = !word.empty() && word[0] == '-';
    if (negative) word.remove_prefix(1);
    if (word.empty() || word.size() > 18) return false;
    long value = 0;
    for (char c : word) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
      value = value * 10 + (c - '0');
    }
    out = negative ? -value : value;
    return true;
  }

  Syntax parse_type() {
    if (depth_ > 32) return Syntax();
    Tagging tagging = Tagging::none;
    Asn1Tag tag;
    if (accept("[")) {
      unsigned tag_class = Asn1Tag::CONTEXT;
      if (accept("UNIVERSAL")) {
        tag_class = Asn1Tag::UNIVERSAL;
      } else if (accept("APPLICATION")) {
        tag_class = Asn1Tag::APPLICATION;
      } else if (accept("PRIVATE")) {
        tag_class = Asn1Tag::PRIVATE;
      }
      long number = 0;
      if (!parse_number(next(), number) || number < 0 || !accept("]")) return Syntax();
      tag = Asn1Tag(tag_class, static_cast<std::uint32_t>(number));
      tagging = Tagging::explicit_;
      if (accept("IMPLICIT")) {
        tagging = Tagging::implicit;
      } else {
        accept("EXPLICIT");
      }
    }
    Syntax base = parse_base();
    if (!base.valid() || tagging == Tagging::none) return base;
    auto node = std::make_shared<Syntax::Node>(*base.node());
    // A CHOICE or ANY has no tag of its own to replace: its tags are always explicit.
    if (node->kind == Kind::choice || node->kind == Kind::any) tagging = Tagging::explicit_;
    node->tagging = tagging;
    node->own_tag = tag;
    node->name.clear();
    return Syntax(std::move(node));
  }

  using Kind = Syntax::Kind;
  using Tagging = Syntax::Tagging;

  static Syntax primitive(Kind kind, Asn1Tag universal) {
    auto node = std::make_shared<Syntax::Node>();
    node->kind = kind;
    node->universal = universal;
    return Syntax(std::move(node));
  }

  Syntax parse_base() {
    const std::string_view word = next();
    if (word == "INTEGER") return primitive(Kind::integer, TAG_INT);
    if (word == "REAL") return primitive(Kind::real, TAG_REAL);
    if (word == "BOOLEAN") return primitive(Kind::boolean, TAG_BOOL);
    if (word == "NULL") return primitive(Kind::null, TAG_NULL);
    if (word == "OCTET") return accept("STRING") ? primitive(Kind::string, TAG_OCTSTR) : Syntax();
    if (word == "OBJECT") {
      return accept("IDENTIFIER") ? primitive(Kind::object_identifier, TAG_OID) : Syntax();
    }
    static const std::map<std::string_view, Asn1Tag> kStrings = {
        {"GraphicString", TAG_GRAPHSTR},  {"PrintableString", TAG_PRINTSTR},
        {"IA5String", TAG_IA5STR},        {"VisibleString", TAG_VISIBLESTR},
        {"UTF8String", TAG_UTF8STR},      {"NumericString", TAG_NUMSTR},
        {"GeneralString", TAG_GENERALSTR}};
    if (auto it = kStrings.find(word); it != kStrings.end()) {
      return primitive(Kind::string, it->second);
    }
    if (word == "DistinguishedName") return primitive(Kind::distinguished_name, TAG_SEQ);
    if (word == "ANY") {
      if (accept("DEFINED")) {
        if (!accept("BY") || next().empty()) return Syntax();
      }
      return primitive(Kind::any, Asn1Tag());
    }
    if (word == "ENUMERATED") return parse_enumerated();
    if (word == "SEQUENCE" || word == "SET") {
      const bool is_sequence = word == "SEQUENCE";
      if (accept("OF")) {
        Syntax element = parse_type();
        if (!element.valid()) return Syntax();
        auto node = std::make_shared<Syntax::Node>();
        node->kind = is_sequence ? Kind::sequence_of : Kind::set_of;
        node->universal = is_sequence ? TAG_SEQ : TAG_SET;
        node->element = element;
        return Syntax(std::move(node));
      }
      if (!is_sequence) return Syntax();  // SET with members is not used
      return parse_members(Kind::sequence, TAG_SEQ);
    }
    if (word == "CHOICE") return parse_members(Kind::choice, Asn1Tag());
    if (word.find('.') != std::string_view::npos) return resolve(word);
    return Syntax();
  }

  Syntax parse_enumerated() {
    auto node = std::make_shared<Syntax::Node>();
    node->kind = Kind::enumerated;
    node->universal = TAG_ENUM;
    if (!accept("{")) return Syntax();
    do {
      const std::string_view name = next();
      long value = 0;
      if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0])) || !accept("(") ||
          !parse_number(next(), value) || !accept(")")) {
        return Syntax();
      }
      node->named.push_back({std::string(name), value});
    } while (accept(","));
    if (!accept("}")) return Syntax();
    return Syntax(std::move(node));
  }

  Syntax parse_members(Kind kind, Asn1Tag universal) {
    auto node = std::make_shared<Syntax::Node>();
    node->kind = kind;
    node->universal = universal;
    if (!accept("{")) return Syntax();
    if (kind == Kind::sequence && accept("}")) return Syntax(std::move(node));
    do {
      const std::string_view name = next();
      if (name.empty() || !std::islower(static_cast<unsigned char>(name[0]))) return Syntax();
      Syntax type = parse_type();
      if (!type.valid()) return Syntax();
      const bool optional = kind == Kind::sequence && accept("OPTIONAL");
      node->members.push_back({std::string(name), type, optional});
    } while (accept(","));
    if (!accept("}")) return Syntax();
    return Syntax(std::move(node));
  }

  Syntax resolve(std::string_view reference) {
    const TypeDef* def = Catalogue::get().find_type(reference);
    if (def == nullptr) return Syntax();
    return named_type(*def, depth_ + 1);
  }

 public:
  // A catalogue type, parsed once and kept for the life of the process.
  static Syntax named_type(const TypeDef& def, int depth) {
    static std::map<std::string_view, Syntax> cache;
    if (auto it = cache.find(def.name); it != cache.end()) return it->second;
    Syntax parsed = TypeParser(def.definition, depth).parse_all();
    if (!parsed.valid()) return Syntax();
    auto node = std::make_shared<Syntax::Node>(*parsed.node());
    node->name = std::string(def.name);
    Syntax named(std::move(node));
    cache.emplace(def.name, named);
    return named;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int depth_;
};

bool accepts_untagged(const Syntax::Node& node, Asn1Tag tag, int depth);

// The tags a value of the syntax may start with.
bool accepts_tag(const Syntax::Node& node, Asn1Tag tag, int depth) {
  if (depth > 64) return false;
  if (node.tagging != Syntax::Tagging::none) return tag == node.own_tag;
  return accepts_untagged(node, tag, depth);
}

bool accepts_untagged(const Syntax::Node& node, Asn1Tag tag, int depth) {
  switch (node.kind) {
    case Syntax::Kind::choice:
      for (const Syntax::Member& alternative : node.members) {
        if (accepts_tag(*alternative.type.node(), tag, depth + 1)) return true;
      }
      return false;
    case Syntax::Kind::any:
      return true;
    case Syntax::Kind::string:
      return tag.is_universal() && is_octet_string_type(tag);
    default:
      return tag == node.universal;
  }
}

bool check_value(const Syntax::Node& node, const Asn1Value& value, int depth);

bool check_name(const Asn1Value& value) {
  if (!value.is_constructed()) return false;
  for (Asn1Value rdn = value.first_component(); !rdn.is_null(); rdn = rdn.next_component()) {
    if (rdn.tag() != TAG_SET || !rdn.is_constructed() || rdn.num_comps() == 0) return false;
    for (Asn1Value ava = rdn.first_component(); !ava.is_null(); ava = ava.next_component()) {
      Oid oid;
      if (ava.tag() != TAG_SEQ || ava.num_comps() != 2 || !ava.first_component().decode_oid(oid)) {
        return false;
      }
    }
  }
  return true;
}

// The value's contents, its tag already accepted.
bool check_contents(const Syntax::Node& node, const Asn1Value& value, int depth) {
  switch (node.kind) {
    case Syntax::Kind::integer: {
      long n;
      return value.decode_int(n);
    }
    case Syntax::Kind::enumerated: {
      long n;
      return value.decode_enum(n);
    }
    case Syntax::Kind::real: {
      double d;
      return value.decode_real(d);
    }
    case Syntax::Kind::boolean: {
      bool b;
      return value.decode_boolean(b);
    }
    case Syntax::Kind::null:
      return value.decode_null();
    case Syntax::Kind::string:
      return !value.is_constructed();
    case Syntax::Kind::object_identifier: {
      Oid oid;
      return value.decode_oid(oid);
    }
    case Syntax::Kind::sequence: {
      if (!value.is_constructed()) return false;
      Asn1Value component = value.first_component();
      for (const Syntax::Member& member : node.members) {
        const Syntax::Node& type = *member.type.node();
        if (!component.is_null() && accepts_tag(type, component.tag(), depth + 1)) {
          if (!check_value(type, component, depth + 1)) return false;
          component = component.next_component();
        } else if (!member.optional) {
          return false;
        }
      }
      return component.is_null();
    }
    case Syntax::Kind::sequence_of:
    case Syntax::Kind::set_of: {
      if (!value.is_constructed()) return false;
      const Syntax::Node& element = *node.element.node();
      for (Asn1Value c = value.first_component(); !c.is_null(); c = c.next_component()) {
        if (!check_value(element, c, depth + 1)) return false;
      }
      return true;
    }
    case Syntax::Kind::distinguished_name:
      return check_name(value);
    default:
      return false;
  }
}

bool check_untagged(const Syntax::Node& node, const Asn1Value& value, int depth);

bool check_value(const Syntax::Node& node, const Asn1Value& value, int depth) {
  if (depth > 64 || value.is_null()) return false;
  switch (node.tagging) {
    case Syntax::Tagging::explicit_:
      if (value.tag() != node.own_tag || !value.is_constructed() || value.num_comps() != 1) {
        return false;
      }
      return check_untagged(node, value.first_component(), depth + 1);
    case Syntax::Tagging::implicit:
      return value.tag() == node.own_tag && check_contents(node, value, depth);
    case Syntax::Tagging::none:
      break;
  }
  return check_untagged(node, value, depth);
}

bool check_untagged(const Syntax::Node& node, const Asn1Value& value, int depth) {
  if (value.is_null()) return false;
  if (node.kind == Syntax::Kind::any) return true;
  if (node.kind == Syntax::Kind::choice) {
    for (const Syntax::Member& alternative : node.members) {
      if (accepts_tag(*alternative.type.node(), value.tag(), depth + 1)) {
        return check_value(*alternative.type.node(), value, depth + 1);
      }
    }
    return false;
  }
  return accepts_untagged(node, value.tag(), depth) && check_contents(node, value, depth);
}

void print_type(std::ostream& out, const Syntax::Node& node, bool top) {
  if (!top && !node.name.empty()) {
    out << node.name;
    return;
  }
  if (node.tagging != Syntax::Tagging::none) {
    out << node.own_tag
        << (node.tagging == Syntax::Tagging::implicit ? " IMPLICIT " : " EXPLICIT ");
  }
  switch (node.kind) {
    case Syntax::Kind::invalid:
      out << "<invalid>";
      return;
    case Syntax::Kind::integer:
      out << "INTEGER";
      return;
    case Syntax::Kind::real:
      out << "REAL";
      return;
    case Syntax::Kind::boolean:
      out << "BOOLEAN";
      return;
    case Syntax::Kind::null:
      out << "NULL";
      return;
    case Syntax::Kind::string:
      if (node.universal == TAG_GRAPHSTR) {
        out << "GraphicString";
      } else if (node.universal == TAG_PRINTSTR) {
        out << "PrintableString";
      } else if (node.universal == TAG_IA5STR) {
        out << "IA5String";
      } else if (node.universal == TAG_VISIBLESTR) {
        out << "VisibleString";
      } else if (node.universal == TAG_UTF8STR) {
        out << "UTF8String";
      } else if (node.universal == TAG_NUMSTR) {
        out << "NumericString";
      } else if (node.universal == TAG_GENERALSTR) {
        out << "GeneralString";
      } else {
        out << "OCTET STRING";
      }
      return;
    case Syntax::Kind::object_identifier:
      out << "OBJECT IDENTIFIER";
      return;
    case Syntax::Kind::any:
      out << "ANY";
      return;
    case Syntax::Kind::distinguished_name:
      out << "DistinguishedName";
      return;
    case Syntax::Kind::enumerated: {
      out << "ENUMERATED {";
      const char* separator = " ";
      for (const Syntax::NamedNumber& named : node.named) {
        out << separator << named.name << "(" << named.value << ")";
        separator = ", ";
      }
      out << " }";
      return;
    }
    case Syntax::Kind::sequence_of:
    case Syntax::Kind::set_of:
      out << (node.kind == Syntax::Kind::set_of ? "SET OF " : "SEQUENCE OF ");
      print_type(out, *node.element.node(), false);
      return;
    case Syntax::Kind::sequence:
    case Syntax::Kind::choice: {
      out << (node.kind == Syntax::Kind::choice ? "CHOICE {" : "SEQUENCE {");
      const char* separator = " ";
      for (const Syntax::Member& member : node.members) {
        out << separator << member.name << " ";
        print_type(out, *member.type.node(), false);
        if (member.optional) out << " OPTIONAL";
        separator = ", ";
      }
      out << (node.members.empty() ? "}" : " }");
      return;
    }
  }
}

}  // namespace

bool syntax_accepts_tag(const Syntax::Node& node, Asn1Tag tag) { return accepts_tag(node, tag, 0); }
bool syntax_accepts_universal_tag(const Syntax::Node& node, Asn1Tag tag) {
  return accepts_untagged(node, tag, 0);
}

Syntax Syntax::parse(std::string_view notation) {
  try {
    return TypeParser(notation, 0).parse_all();
  } catch (const std::exception&) {
    return Syntax();
  }
}

Syntax Syntax::of_type(std::string_view type_name) {
  const TypeDef* def = Catalogue::get().find_type(type_name);
  if (def == nullptr) return Syntax();
  try {
    return TypeParser::named_type(*def, 0);
  } catch (const std::exception&) {
    return Syntax();
  }
}

Syntax Syntax::of_attribute(std::string_view attribute) {
  const AttributeDef* def = Catalogue::get().find_attribute(attribute);
  return def == nullptr ? Syntax() : parse(def->syntax);
}

Syntax Syntax::of_action_argument(std::string_view action) {
  const ActionDef* def = Catalogue::get().find_action(action);
  return def == nullptr ? Syntax() : parse(def->argument);
}

Syntax Syntax::of_action_reply(std::string_view action) {
  const ActionDef* def = Catalogue::get().find_action(action);
  return def == nullptr ? Syntax() : parse(def->reply);
}

Syntax Syntax::of_notification(std::string_view notification) {
  const NotificationDef* def = Catalogue::get().find_notification(notification);
  return def == nullptr ? Syntax() : parse(def->info);
}

Syntax::Kind Syntax::kind() const { return node_ ? node_->kind : Kind::invalid; }
const std::string& Syntax::name() const { return node_ ? node_->name : kEmpty; }
Syntax::Tagging Syntax::tagging() const { return node_ ? node_->tagging : Tagging::none; }

Asn1Tag Syntax::tag() const {
  if (!node_) return Asn1Tag();
  return node_->tagging == Tagging::none ? node_->universal : node_->own_tag;
}

Asn1Tag Syntax::universal_tag() const { return node_ ? node_->universal : Asn1Tag(); }

std::span<const Syntax::Member> Syntax::members() const {
  if (!node_) return {};
  return node_->members;
}

const Syntax::Member* Syntax::member(std::string_view name) const {
  for (const Member& m : members()) {
    if (m.name == name) return &m;
  }
  return nullptr;
}

Syntax Syntax::element() const { return node_ ? node_->element : Syntax(); }

std::span<const Syntax::NamedNumber> Syntax::named_numbers() const {
  if (!node_) return {};
  return node_->named;
}

bool Syntax::check(const Asn1Value& value) const {
  return node_ != nullptr && check_value(*node_, value, 0);
}

bool Syntax::operator==(const Syntax& other) const {
  if (node_ == other.node_) return true;
  if (!node_ || !other.node_) return false;
  const Node& a = *node_;
  const Node& b = *other.node_;
  return a.kind == b.kind && a.name == b.name && a.tagging == b.tagging && a.own_tag == b.own_tag &&
         a.universal == b.universal && a.members == b.members && a.element == b.element &&
         a.named == b.named;
}

std::ostream& operator<<(std::ostream& out, const Syntax& syntax) {
  if (!syntax.valid()) return out << "<invalid>";
  if (!syntax.name().empty()) return out << syntax.name();
  std::ostringstream text;
  print_type(text, *syntax.node(), true);
  return out << text.str();
}

}  // namespace hvx
