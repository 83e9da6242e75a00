#include "hvx/message.h"
#include "platform_rep.h"

namespace hvx {

bool MessageSAP::send(const Message& message, const Callback& callback, double timeout) {
  clear_error();
  if (!rep_->send_raw(message, callback, timeout)) {
    set_error(ErrorCode::invalid_argument, "not a request, or its id is in use");
    return false;
  }
  return true;
}

Message* MessageSAP::decode(void* raw) {
  clear_error();
  const auto* delivery = static_cast<const RawDelivery*>(raw);
  if (delivery == nullptr || delivery->message == nullptr) {
    set_error(ErrorCode::protocol_error, "nothing delivered");
    return nullptr;
  }
  return new Message(*delivery->message);
}

}  // namespace hvx
