#include "hvx/morf.h"

#include <exception>
#include <ostream>
#include <sstream>

#include "hvx/data_unit.h"
#include "syntax_node.h"
#include "value_notation.h"

namespace hvx {

namespace {

// The one way a Morf takes a new value: `make` builds it, or answers false with the error
// set; the Morf keeps its old value then. An exception (out of memory) becomes the error:
// nothing is thrown to the application.
template <typename Make>
bool take(Asn1Value& slot, std::string& error, Make make) {
  try {
    Asn1Value value;
    if (!make(value, error)) return false;
    slot = std::move(value);
    error.clear();
    return true;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
}

// The value inside an explicit tag.
Asn1Value untag(const Syntax::Node& node, const Asn1Value& value) {
  return node.tagging == Syntax::Tagging::explicit_ ? value.first_component() : value;
}

// Past explicit tags and chosen CHOICE alternatives: the syntax node that describes the
// value's contents, and the value at that level.
const Syntax::Node* resolve(const Syntax& syntax, Asn1Value& value) {
  const Syntax::Node* node = syntax.node();
  for (int depth = 0; node != nullptr && !value.is_null() && depth < 64; ++depth) {
    value = untag(*node, value);
    if (node->kind != Syntax::Kind::choice) return value.is_null() ? nullptr : node;
    const Syntax::Node* chosen = nullptr;
    for (const Syntax::Member& alternative : node->members) {
      if (syntax_accepts_tag(*alternative.type.node(), value.tag())) {
        chosen = alternative.type.node();
        break;
      }
    }
    node = chosen;
  }
  return nullptr;
}

void apply_tag(const Syntax::Node& node, Asn1Value& value) {
  if (node.tagging == Syntax::Tagging::implicit) value.set_tag(node.own_tag);
  if (node.tagging == Syntax::Tagging::explicit_) value.make_explicit_tagged(node.own_tag);
}

notation::Style style_of(int format) {
  switch (format) {
    case 1:
      return {notation::Form::compact, false};
    case 2:
      return {notation::Form::named, false};
    default:
      return {notation::Form::compact, true};
  }
}

}  // namespace

Morf::Morf(std::string_view attribute_or_type) : syntax_(Syntax::of_attribute(attribute_or_type)) {
  if (!syntax_.valid()) syntax_ = Syntax::of_type(attribute_or_type);
  if (!syntax_.valid()) error_ = "unknown attribute or type: " + std::string(attribute_or_type);
}

Morf::Morf(std::string_view attribute_or_type, Platform&) : Morf(attribute_or_type) {}

Morf::Morf(const DataUnit& attribute_or_type, Platform& platform)
    : Morf(attribute_or_type.view(), platform) {}

Morf::Morf(const Syntax& syntax, const Asn1Value& value) : syntax_(syntax) { set_value(value); }

bool Morf::set(std::string_view text) {
  return take(value_, error_, [&](Asn1Value& value, std::string& error) {
    return notation::parse(syntax_, text, value, error);
  });
}

bool Morf::set_str(std::string_view text, int format) {
  if (format == 4) return set_str(notation::decode_octal_escapes(text), 0);
  if (format != 0 || syntax_.kind() != Syntax::Kind::string) return set(text);
  return take(value_, error_, [&](Asn1Value& value, std::string&) {
    value.encode_octets(text, syntax_.universal_tag());
    apply_tag(*syntax_.node(), value);
    return true;
  });
}

bool Morf::set_value(const Asn1Value& value) {
  return take(value_, error_, [&](Asn1Value& taken, std::string& error) {
    if (!syntax_.check(value)) {
      error = syntax_.valid() ? "value is not of the syntax" : "no syntax";
      return false;
    }
    taken = value;
    return true;
  });
}

void Morf::clear() { value_ = Asn1Value(); }

std::string Morf::get_str(int format) const {
  if (value_.is_null()) return std::string();
  try {
    std::string text;
    if (!notation::print(syntax_, value_, style_of(format), text)) {
      error_ = "value is not of the syntax";
      return std::string();
    }
    return format == 4 ? notation::decode_octal_escapes(text) : text;
  } catch (const std::exception& e) {
    error_ = e.what();
    return std::string();
  }
}

long Morf::get_long() const {
  Asn1Value value = value_;
  const Syntax::Node* node = resolve(syntax_, value);
  long n = 0;
  bool b = false;
  if (node != nullptr) {
    switch (node->kind) {
      case Syntax::Kind::integer:
        if (value.decode_int(n)) return n;
        break;
      case Syntax::Kind::enumerated:
        if (value.decode_enum(n)) return n;
        break;
      case Syntax::Kind::boolean:
        if (value.decode_boolean(b)) return b ? 1 : 0;
        break;
      default:
        break;
    }
  }
  error_ = "not an integer value";
  return 0;
}

MorfArray Morf::split_array() const {
  Asn1Value value = value_;
  const Syntax::Node* node = resolve(syntax_, value);
  if (node == nullptr) return MorfArray();
  std::vector<Morf> elements;
  try {
    if (node->kind == Syntax::Kind::sequence_of || node->kind == Syntax::Kind::set_of) {
      for (Asn1Value c = value.first_component(); !c.is_null(); c = c.next_component()) {
        elements.emplace_back(node->element, c);
      }
    } else if (node->kind == Syntax::Kind::sequence) {
      for (const Syntax::Member& member : node->members) {
        Morf m = extract(member.name);
        if (m.has_value()) elements.push_back(std::move(m));
      }
    }
  } catch (const std::exception& e) {
    error_ = e.what();
    return MorfArray();
  }
  return MorfArray(std::move(elements));
}

std::size_t Morf::num_elements() const {
  Asn1Value value = value_;
  const Syntax::Node* node = resolve(syntax_, value);
  if (node == nullptr || !value.is_constructed()) return 0;
  return value.num_comps();
}

Morf Morf::extract(std::string_view member) const {
  const Syntax::Node* node = syntax_.node();
  if (node == nullptr) return Morf();
  Asn1Value value = value_.is_null() ? value_ : untag(*node, value_);
  if (node->kind == Syntax::Kind::choice) {
    const Syntax::Member* alternative = syntax_.member(member);
    if (alternative != nullptr) {
      Morf result(alternative->type);
      if (!value.is_null() && syntax_accepts_tag(*alternative->type.node(), value.tag())) {
        result.set_value(value);
      }
      return result;
    }
    value = value_;
    node = resolve(syntax_, value);
    if (node == nullptr) return Morf();
  }
  if (node->kind != Syntax::Kind::sequence) return Morf();
  for (const Syntax::Member& m : node->members) {
    if (m.name != member) continue;
    Morf result(m.type);
    if (value.is_null()) return result;
    // Members match components in order, as a SEQUENCE is checked.
    Asn1Value component = value.first_component();
    for (const Syntax::Member& candidate : node->members) {
      const bool present =
          !component.is_null() && syntax_accepts_tag(*candidate.type.node(), component.tag());
      if (&candidate == &m) {
        if (present) result.set_value(component);
        return result;
      }
      if (present) component = component.next_component();
    }
    return result;
  }
  return Morf();
}

bool Morf::set_memname(std::string_view member) {
  Morf narrowed = extract(member);
  if (!narrowed) {
    error_ = "no member " + std::string(member);
    return false;
  }
  *this = std::move(narrowed);
  return true;
}

bool Morf::operator==(const Morf& other) const {
  return syntax_ == other.syntax_ && value_.is_null() == other.value_.is_null() &&
         (value_.is_null() || value_ == other.value_);
}

std::ostream& operator<<(std::ostream& out, const Morf& morf) {
  if (!morf.has_value()) return out << "<no value>";
  return out << morf.get_str(1);
}

}  // namespace hvx
