#include "hvx/event.h"

#include <string>

#include "hvx/ber.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/syntax.h"
#include "platform_rep.h"
#include "schema.h"

namespace hvx {

namespace {

const Message& empty_message() {
  static const Message* const kEmpty = new Message();
  return *kEmpty;
}

// Value notation with member names, and blanks inside the braces of a list, so that the
// text can be searched for a member by its name.
void print(const Syntax& syntax, const Asn1Value& value, std::string& out) {
  switch (syntax.kind()) {
    case Syntax::Kind::sequence: {
      const auto members = syntax.members();
      if (value.num_comps() > members.size()) break;
      out += '{';
      Asn1Value component = value.first_component();
      for (size_t i = 0; i < members.size() && !component.is_null(); ++i) {
        if (i > 0) out += ',';
        out += members[i].name;
        out += ' ';
        print(members[i].type, component, out);
        component = component.next_component();
      }
      out += '}';
      return;
    }
    case Syntax::Kind::sequence_of:
    case Syntax::Kind::set_of: {
      out += "{ ";
      bool first = true;
      for (Asn1Value item = value.first_component(); !item.is_null();
           item = item.next_component()) {
        if (!first) out += ", ";
        first = false;
        print(syntax.element(), item, out);
      }
      out += first ? "}" : " }";
      return;
    }
    case Syntax::Kind::string: {
      std::string text;
      value.decode_octets(text);
      out += '"' + text + '"';
      return;
    }
    default:
      break;
  }
  out += Morf(syntax, value).get_str(0);
}

// The new values of an attributeValueChange (its third component lists attribute, old
// value, new value) as an attribute list.
Asn1Value ber_values_from_changes(const Asn1Value& info) {
  Asn1Value list = ber::set();
  const Asn1Value changes = info.component(2);
  for (Asn1Value change = changes.first_component(); !change.is_null();
       change = change.next_component()) {
    if (change.num_comps() != 3) continue;
    Asn1Value pair = ber::sequence();
    pair.add_component(change.component(0));
    pair.add_component(change.component(2));
    list.add_component(pair);
  }
  return list;
}

}  // namespace

CurrentEvent::CurrentEvent(void* raw) {
  const auto* delivery = static_cast<const RawDelivery*>(raw);
  if (delivery == nullptr) return;
  if (delivery->platform != nullptr) platform_ = *delivery->platform;
  message_ = delivery->message;
}

const Message& CurrentEvent::get_message() const {
  return message_ != nullptr ? *message_ : empty_message();
}

DataUnit CurrentEvent::get_name() const {
  Oid type;
  if (message_ == nullptr || !message_->get_event_type().decode_oid(type)) return DataUnit();
  if (const NotificationDef* def = Catalogue::get().find_notification(type)) {
    return DataUnit(def->name);
  }
  return DataUnit(type.format());
}

DataUnit CurrentEvent::get_objclass() const {
  Oid oid;
  if (message_ == nullptr || !message_->get_object_class().decode_oid(oid)) return DataUnit();
  if (const mis::ClassInfo* info = mis::Schema::get().find_class(oid)) {
    return DataUnit(info->def->name);
  }
  return DataUnit(oid.format());
}

DataUnit CurrentEvent::get_objname() const { return get_image(1).get_objname(); }

Image CurrentEvent::get_image(int) const {
  if (message_ == nullptr) return Image();
  Platform platform = platform_;
  // The values the notification carried: the attribute list of a creation or deletion, the
  // new values of a change.
  Asn1Value values;
  const Asn1Value& info = message_->get_event_info();
  const std::string name = get_name().str();
  if (get_shortname(name) == "attributeValueChange") {
    values = ber_values_from_changes(info);
  } else if (info.num_comps() >= 2) {
    values = info.component(1);
  }
  return Image::from_values(platform, message_->get_object_class(), message_->get_object_instance(),
                            values);
}

DataUnit CurrentEvent::get_info() const {
  if (message_ == nullptr) return DataUnit();
  std::string out;
  const Asn1Value& identity = message_->get(Message::ATTRIBUTES);
  std::string prefix;
  for (Asn1Value item = identity.first_component(); !item.is_null(); item = item.next_component()) {
    Oid id;
    if (item.num_comps() != 2 || !item.first_component().decode_oid(id)) continue;
    const mis::AttributeInfo* attribute = mis::Schema::get().find_attribute(id);
    if (attribute == nullptr) continue;
    prefix += get_shortname(attribute->def->name) + " : ";
    print(Syntax::parse(attribute->def->syntax), item.component(1), prefix);
    prefix += ',';
  }
  const Syntax syntax = Syntax::of_notification(get_name().view());
  if (syntax.valid()) {
    print(syntax, message_->get_event_info(), out);
  } else {
    out = Morf(Syntax::parse("ANY"), message_->get_event_info()).get_str(0);
  }
  if (!prefix.empty()) {
    // The identifying attributes lead inside the information's braces.
    if (!out.empty() && out.front() == '{') {
      out.insert(1, prefix);
    } else {
      out = "{" + prefix + out + "}";
    }
  }
  return DataUnit(out);
}

}  // namespace hvx
