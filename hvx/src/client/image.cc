#include "hvx/image.h"

#include <algorithm>

#include "dn.h"
#include "hvx/ber.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "platform_access.h"
#include "schema.h"

namespace hvx {

namespace {

const Oid& system_id_oid() {
  static const Oid kSystemId{2, 9, 3, 2, 7, 4};
  return kSystemId;
}

Asn1Value attribute_list(const std::vector<std::pair<Oid, Asn1Value>>& values) {
  Asn1Value list = ber::set();
  for (const auto& [id, value] : values) {
    Asn1Value pair = ber::sequence();
    pair.add_component(ber::oid(id));
    pair.add_component(value);
    list.add_component(pair);
  }
  return list;
}

}  // namespace

Image::Image(const DataUnit& name, const DataUnit& class_name, Platform& platform)
    : platform_(platform), objname_(name), class_name_(class_name) {
  if (!class_name.empty()) {
    if (const mis::ClassInfo* info = mis::Schema::get().find_class(class_name.view())) {
      class_value_ = ber::oid(info->oid, Asn1Tag(Asn1Tag::CONTEXT, 0));
    }
  }
  if (name.view() == "NONE") return;
  dn::Rdns rdns;
  if (dn::from_text(name.view(), rdns)) {
    instance_ = dn::instance(rdns);
    name_valid_ = true;
    objname_ = DataUnit(dn::format(rdns, !name.empty() && name[0] == '/'));
  } else {
    set_error(ErrorCode::invalid_argument, "malformed name " + name.str());
  }
}

Image Image::from_values(Platform& platform, const Asn1Value& class_value,
                         const Asn1Value& instance, const Asn1Value& attributes) {
  Image image;
  image.platform_ = platform;
  Oid class_oid;
  if (class_value.decode_oid(class_oid)) {
    if (const mis::ClassInfo* info = mis::Schema::get().find_class(class_oid)) {
      image.class_name_ = DataUnit(info->def->name);
      image.class_value_ = class_value;
    }
  }
  image.set_name(instance, true);
  image.take_values(attributes);
  image.state_ = IMAGE_BOOTED;
  return image;
}

// Images the platform makes for local objects are named relative to the local server.
void Image::set_name(const Asn1Value& instance, bool relative_when_local) {
  dn::Rdns rdns;
  if (!dn::parse(instance, rdns)) return;
  instance_ = dn::instance(rdns);
  name_valid_ = true;
  Oid first;
  Asn1Value value;
  if (relative_when_local && !rdns.empty() && dn::first_assertion(rdns.front(), first, value) &&
      first == system_id_oid() &&
      dn::string_value(rdns.front()) == PlatformAccess::rep(platform_)->system_name()) {
    rdns.erase(rdns.begin());
    objname_ = DataUnit(dn::format(rdns, false));
    return;
  }
  objname_ = DataUnit(dn::format(rdns, true));
}

void Image::take_values(const Asn1Value& attributes) {
  values_.clear();
  for (Asn1Value item = attributes.first_component(); !item.is_null();
       item = item.next_component()) {
    Oid id;
    if (item.num_comps() == 2 && item.first_component().decode_oid(id)) {
      values_.emplace_back(id, item.first_component().next_component());
    }
  }
}

void Image::merge_values(const Asn1Value& attributes) {
  for (Asn1Value item = attributes.first_component(); !item.is_null();
       item = item.next_component()) {
    Oid id;
    if (item.num_comps() != 2 || !item.first_component().decode_oid(id)) continue;
    const Asn1Value value = item.first_component().next_component();
    auto known = std::find_if(values_.begin(), values_.end(),
                              [&id](const auto& entry) { return entry.first == id; });
    if (known == values_.end()) {
      values_.emplace_back(id, value);
    } else {
      known->second = value;
    }
  }
}

bool Image::request(Message& message, double timeout, Message* reply) {
  clear_error();
  SyncAnswer answer = PlatformAccess::rep(platform_)->call(message, timeout);
  if (!answer.ok()) {
    set_error_text(answer.code, answer.error);
    return false;
  }
  if (reply != nullptr) *reply = answer.final_reply();
  return true;
}

bool Image::attribute_oid(const DataUnit& attribute, Oid& id) {
  const mis::AttributeInfo* info = mis::Schema::get().find_attribute(attribute.view());
  if (info == nullptr) {
    set_error(ErrorCode::no_such_attribute, attribute.str());
    return false;
  }
  id = info->oid;
  return true;
}

bool Image::boot(double timeout) { return boot(DUArray(), timeout); }

bool Image::boot(const DUArray& attributes, double timeout) {
  clear_error();
  if (!name_valid_) {
    set_error(ErrorCode::invalid_argument, "malformed name " + objname_.str());
    return false;
  }
  Message message(Message::GET_REQUEST);
  message.set_object_instance(instance_);
  if (attributes.size() > 0) {
    Asn1Value ids = ber::set();
    for (const DataUnit& attribute : attributes) {
      Oid id;
      if (!attribute_oid(attribute, id)) return false;
      ids.add_component(ber::oid(id));
    }
    message.set(Message::ATTRIBUTE_IDS, ids);
  }
  Message reply;
  if (!request(message, timeout, &reply)) {
    if (get_error_code() == ErrorCode::no_such_object_instance) {
      // No object is an answer, not a failure.
      clear_error();
      values_.clear();
      state_ = IMAGE_MISSING;
      return true;
    }
    return false;
  }
  // A boot of named attributes refreshes those and keeps what was read before (an event's
  // values, an earlier boot): the image is the client's lasting view of the object.
  if (attributes.size() > 0) {
    merge_values(reply.get(Message::ATTRIBUTES));
  } else {
    take_values(reply.get(Message::ATTRIBUTES));
  }
  state_ = IMAGE_BOOTED;
  return true;
}

bool Image::create(const Image& reference, double timeout) {
  clear_error();
  if (!name_valid_) {
    set_error(ErrorCode::invalid_argument, "malformed name " + objname_.str());
    return false;
  }
  Message message(Message::CREATE_REQUEST);
  message.set_object_instance(instance_);
  return create_with(message, reference, timeout);
}

bool Image::create_within(const DataUnit& superior, const Image& reference, double timeout) {
  clear_error();
  dn::Rdns rdns;
  if (!dn::from_text(superior.view(), rdns)) {
    set_error(ErrorCode::invalid_argument, "malformed name " + superior.str());
    return false;
  }
  Message message(Message::CREATE_REQUEST);
  message.set(Message::SUPERIOR, dn::instance(rdns));
  return create_with(message, reference, timeout);
}

bool Image::create_with(Message& message, const Image& reference, double timeout) {
  if (class_value_.is_null()) {
    set_error(ErrorCode::no_such_object_class, class_name_.str());
    return false;
  }
  message.set_object_class(class_value_);
  std::vector<std::pair<Oid, Asn1Value>> values = reference.values_;
  for (const Staged& staged : staged_) {
    const auto it = std::find_if(values.begin(), values.end(),
                                 [&staged](const auto& v) { return v.first == staged.attribute; });
    if (it != values.end()) {
      it->second = staged.value;
    } else {
      values.emplace_back(staged.attribute, staged.value);
    }
  }
  message.set(Message::ATTRIBUTES, attribute_list(values));
  Message reply;
  if (!request(message, timeout, &reply)) return false;
  staged_.clear();
  set_name(reply.get_object_instance(), false);
  take_values(reply.get(Message::ATTRIBUTES));
  state_ = IMAGE_BOOTED;
  return true;
}

bool Image::store(double timeout) {
  clear_error();
  if (!name_valid_) {
    set_error(ErrorCode::invalid_argument, "malformed name " + objname_.str());
    return false;
  }
  if (staged_.empty()) return true;
  Message message(Message::SET_REQUEST);
  message.set_object_instance(instance_);
  Asn1Value modifications = ber::sequence();
  for (const Staged& staged : staged_) {
    Asn1Value item = ber::sequence();
    item.add_component(ber::enumerated(staged.mode));
    item.add_component(ber::oid(staged.attribute));
    item.add_component(staged.value);
    modifications.add_component(item);
  }
  message.set(Message::MODIFICATIONS, modifications);
  Message reply;
  if (!request(message, timeout, &reply)) return false;
  staged_.clear();
  take_values(reply.get(Message::ATTRIBUTES));
  state_ = IMAGE_BOOTED;
  return true;
}

bool Image::destroy(double timeout) {
  clear_error();
  if (!name_valid_) {
    set_error(ErrorCode::invalid_argument, "malformed name " + objname_.str());
    return false;
  }
  Message message(Message::DELETE_REQUEST);
  message.set_object_instance(instance_);
  if (!request(message, timeout, nullptr)) return false;
  values_.clear();
  state_ = IMAGE_DESTROYED;
  return true;
}

const Asn1Value* Image::value_of(const DataUnit& attribute, Oid* id_out) {
  Oid id;
  if (!attribute_oid(attribute, id)) return nullptr;
  if (id_out != nullptr) *id_out = id;
  for (const auto& [held, value] : values_) {
    if (held == id) return &value;
  }
  set_error(ErrorCode::no_such_attribute, attribute.str() + " has no value in the image");
  return nullptr;
}

Morf Image::get_raw(const DataUnit& attribute) {
  clear_error();
  const Asn1Value* value = value_of(attribute, nullptr);
  Morf morf(Syntax::of_attribute(attribute.view()));
  if (value != nullptr && !morf.set_value(*value)) {
    set_error(ErrorCode::invalid_attribute_value, attribute.str());
  }
  return morf;
}

DataUnit Image::get_str(const DataUnit& attribute, int format) {
  const Morf morf = get_raw(attribute);
  if (has_error()) return DataUnit();
  return DataUnit(morf.get_str(format));
}

long Image::get_long(const DataUnit& attribute) {
  const Morf morf = get_raw(attribute);
  if (has_error()) return 0;
  return morf.get_long();
}

DUArray Image::get_attr_names(int) const {
  DUArray names;
  for (const auto& [id, value] : values_) {
    if (const mis::AttributeInfo* info = mis::Schema::get().find_attribute(id)) {
      names.push_back(DataUnit(get_shortname(info->def->name)));
    }
  }
  return names;
}

bool Image::stage(const DataUnit& attribute, const Asn1Value& value, int mode) {
  Oid id;
  if (!attribute_oid(attribute, id)) return false;
  if (mode != REPLACE && mode != INCLUDE && mode != EXCLUDE) {
    set_error(ErrorCode::invalid_argument, "modify mode " + std::to_string(mode));
    return false;
  }
  // A later REPLACE of the same attribute supersedes what was staged before.
  if (mode == REPLACE) {
    std::erase_if(staged_, [&id](const Staged& s) { return s.attribute == id; });
  }
  staged_.push_back(Staged{id, value, mode});
  return true;
}

bool Image::set_raw(const DataUnit& attribute, const Morf& value, int mode) {
  clear_error();
  if (!value.has_value()) {
    set_error(ErrorCode::invalid_attribute_value, attribute.str() + " has no value");
    return false;
  }
  return stage(attribute, value.get_value(), mode);
}

bool Image::set_str(const DataUnit& attribute, const DataUnit& text, int mode, int format) {
  clear_error();
  Morf morf(Syntax::of_attribute(attribute.view()));
  if (!morf) {
    set_error(ErrorCode::no_such_attribute, attribute.str());
    return false;
  }
  if (!morf.set_str(text.view(), format)) {
    set_error(ErrorCode::invalid_attribute_value, attribute.str() + ": " + morf.get_error_string());
    return false;
  }
  return stage(attribute, morf.get_value(), mode);
}

bool Image::set_long(const DataUnit& attribute, long value, int mode) {
  clear_error();
  Morf morf(Syntax::of_attribute(attribute.view()));
  if (!morf) {
    set_error(ErrorCode::no_such_attribute, attribute.str());
    return false;
  }
  const Asn1Tag tag = morf.syntax().tag();
  Asn1Value number;
  if (morf.syntax().kind() == Syntax::Kind::enumerated) {
    number.encode_enum(value, tag);
  } else {
    number.encode_int(value, tag == Asn1Tag() ? TAG_INT : tag);
  }
  if (!morf.set_value(number)) {
    set_error(ErrorCode::invalid_attribute_value, attribute.str() + " is not an integer");
    return false;
  }
  return stage(attribute, number, mode);
}

DataUnit Image::get_set_str(const DataUnit& attribute, int format) {
  clear_error();
  Oid id;
  if (!attribute_oid(attribute, id)) return DataUnit();
  for (auto it = staged_.rbegin(); it != staged_.rend(); ++it) {
    if (it->attribute == id) {
      return DataUnit(Morf(Syntax::of_attribute(attribute.view()), it->value).get_str(format));
    }
  }
  return DataUnit();
}

Syntax Image::get_param_syntax(const DataUnit& action) {
  return Syntax::of_action_argument(action.view());
}

Syntax Image::get_result_syntax(const DataUnit& action) {
  return Syntax::of_action_reply(action.view());
}

Morf Image::call(const DataUnit& action, const DataUnit& argument, double timeout) {
  clear_error();
  Morf morf(get_param_syntax(action));
  if (!morf) {
    set_error(ErrorCode::no_such_action, action.str());
    return Morf();
  }
  if (!morf.set(argument.view())) {
    set_error(ErrorCode::invalid_argument, action.str() + ": " + morf.get_error_string());
    return Morf();
  }
  return call_raw(action, morf, timeout);
}

Morf Image::call_raw(const DataUnit& action, const Morf& argument, double timeout) {
  clear_error();
  const ActionDef* def = mis::Schema::get().find_action(action.view());
  if (def == nullptr) {
    set_error(ErrorCode::no_such_action, action.str());
    return Morf();
  }
  if (!name_valid_) {
    set_error(ErrorCode::invalid_argument, "malformed name " + objname_.str());
    return Morf();
  }
  Message message(Message::ACTION_REQUEST);
  if (!class_value_.is_null()) message.set_object_class(class_value_);
  message.set_object_instance(instance_);
  message.set_action_type(ber::oid(Oid(def->oid), Asn1Tag(Asn1Tag::CONTEXT, 2)));
  if (argument.has_value()) message.set_action_info(argument.get_value());
  Message reply;
  if (!request(message, timeout, &reply)) return Morf();
  if (!reply.has(Message::INFO)) return Morf();
  Morf result(Syntax::of_action_reply(action.view()));
  if (!result.set_value(reply.get_result_info())) {
    set_error(ErrorCode::invalid_attribute_value, action.str() + " reply");
    return Morf();
  }
  return result;
}

}  // namespace hvx
