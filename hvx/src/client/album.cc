#include "hvx/album.h"

#include "dn.h"
#include "hvx/ber.h"
#include "hvx/message.h"
#include "platform_access.h"
#include "schema.h"

namespace hvx {

Album::Album(const DataUnit& name, Platform& platform) : platform_(platform), name_(name) {}

bool Album::set_derivation(const DataUnit& derivation) {
  clear_error();
  const std::string_view text = derivation.view();
  dn::Rdns base;
  if (text.size() < 2 || text.substr(text.size() - 2) != "/*" ||
      !dn::from_text(text.substr(0, text.size() - 2), base)) {
    set_error(ErrorCode::invalid_argument, "derivation " + derivation.str());
    return false;
  }
  base_ = DataUnit(text.substr(0, text.size() - 2));
  derivation_set_ = true;
  return true;
}

bool Album::set_prop(const DataUnit& name, const DataUnit& value) {
  clear_error();
  if (name.view() == "AUTOIMAGE" && (value.view() == "YES" || value.view() == "NO")) return true;
  set_error(ErrorCode::invalid_argument, "album property " + name.str() + "=" + value.str());
  return false;
}

bool Album::derive(const DUArray& attributes, double timeout) {
  clear_error();
  if (!derivation_set_) {
    set_error(ErrorCode::invalid_argument, "no derivation set");
    return false;
  }
  dn::Rdns base;
  dn::from_text(base_.view(), base);
  Message message(Message::DERIVE_REQUEST);
  message.set_object_instance(dn::instance(base));
  message.set(Message::SCOPE, ber::integer(1));
  if (attributes.size() > 0) {
    Asn1Value ids = ber::set();
    for (const DataUnit& attribute : attributes) {
      const mis::AttributeInfo* info = mis::Schema::get().find_attribute(attribute.view());
      if (info == nullptr) {
        set_error(ErrorCode::no_such_attribute, attribute.str());
        return false;
      }
      ids.add_component(ber::oid(info->oid));
    }
    message.set(Message::ATTRIBUTE_IDS, ids);
  }
  SyncAnswer answer = PlatformAccess::rep(platform_)->call(message, timeout);
  if (!answer.ok()) {
    set_error_text(answer.code, answer.error);
    return false;
  }
  auto images = std::make_shared<std::vector<Image>>();
  const Asn1Value& objects = answer.final_reply().get(Message::OBJECTS);
  for (Asn1Value entry = objects.first_component(); !entry.is_null();
       entry = entry.next_component()) {
    if (entry.num_comps() != 3) continue;
    images->push_back(
        Image::from_values(platform_, entry.component(0), entry.component(1), entry.component(2)));
  }
  images_ = std::move(images);
  return true;
}

AlbumImage Album::first_image() { return AlbumImage(images_, 0); }

}  // namespace hvx
