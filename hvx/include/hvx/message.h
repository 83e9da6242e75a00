// Message: one protocol data unit between a client and a management server (a request, a
// reply, a linked reply or a notification), and MessageSAP, the raw message service through
// which applications send confirmed requests and read what comes back.
#ifndef HVX_MESSAGE_H_
#define HVX_MESSAGE_H_

#include <array>
#include <string>

#include "hvx/asn1.h"
#include "hvx/callback.h"
#include "hvx/data_unit.h"
#include "hvx/error.h"
#include "hvx/status.h"

namespace hvx {

class PlatformRep;

class Message {
 public:
  // Message types. Requests are invokes (base type 1); results are base type 4 and carry the
  // request's invoke id; an error reply is base type 5. A linked reply is a result whose
  // linked-reply field holds the request's invoke id; the final reply has it 0.
  enum Type : int {
    EVENT_REPORT = 1,
    GET_REQUEST = 2,
    ACTION_REQUEST = 3,
    SET_REQUEST = 4,
    CREATE_REQUEST = 5,
    DELETE_REQUEST = 6,
    DERIVE_REQUEST = 7,
    ACTION_RESULT = 10,
    GET_RESULT = 11,
    SET_RESULT = 12,
    CREATE_RESULT = 13,
    DELETE_RESULT = 14,
    DERIVE_RESULT = 15,
    ERROR_REPLY = 20,
  };
  enum BaseType : int { INVOKE = 1, RESULT = 4, ERROR = 5 };

  // Optional parts; each travels under its own explicit context tag, in this order.
  enum Field : int {
    OBJECT_CLASS = 0,     // [0] IMPLICIT OBJECT IDENTIFIER
    OBJECT_INSTANCE = 1,  // [2] IMPLICIT SEQUENCE OF RDN
    ATTRIBUTE_IDS = 2,    // SET OF OBJECT IDENTIFIER
    ATTRIBUTES = 3,       // SET OF SEQUENCE { OBJECT IDENTIFIER, value }
    MODIFICATIONS = 4,    // SEQUENCE OF SEQUENCE { ENUMERATED mode, OBJECT IDENTIFIER, value }
    ACTION_TYPE = 5,      // [2] IMPLICIT OBJECT IDENTIFIER
    INFO = 6,             // action information, action result or event information
    EVENT_TYPE = 7,       // OBJECT IDENTIFIER
    SUPERIOR = 8,         // the superior of a create without a name, as OBJECT_INSTANCE
    SCOPE = 9,            // INTEGER: 1 = the objects directly below OBJECT_INSTANCE
    OBJECTS = 10,         // SEQUENCE OF SEQUENCE { class, instance, attributes }
    FIELD_COUNT = 11,
  };

  Message() = default;
  explicit Message(int type) : type_(type) {}

  // A new message on the heap, for the raw service; the caller deletes it.
  static Message* new_message(int type) { return new Message(type); }

  int type() const { return type_; }
  void set_type(int type) { type_ = type; }
  // 1 for requests and notifications, 4 for results, 5 for error replies, 0 when unknown.
  int base_type() const;
  long id() const { return id_; }
  void set_id(long id) { id_ = id; }
  long linked_id() const { return linked_id_; }
  void set_linked_id(long id) { linked_id_ = id; }
  bool is_final_reply() const { return (base_type() == RESULT || base_type() == ERROR) && linked_id_ == 0; }

  // A field given or received as BER is made into a value when first asked for.
  const Asn1Value& get(Field field) const;
  void set(Field field, const Asn1Value& value) {
    fields_[field] = value;
    encoded_[field] = DataUnit();
  }
  bool has(Field field) const { return !fields_[field].is_null() || !encoded_[field].empty(); }
  // A field as the BER of one value, sent as it is: a large reply assembled from values
  // already encoded is not decoded to be sent. The caller vouches that `ber` holds exactly
  // one value: bytes that are not one value read as absent through get().
  void set_encoded(Field field, const DataUnit& ber) {
    fields_[field] = Asn1Value();
    encoded_[field] = ber;
  }
  // The field's value as BER: the bytes received or given, else its encoding; empty when
  // absent. A reader of a large field walks these rather than the value.
  DataUnit encoded(Field field) const;

  const Asn1Value& get_object_class() const { return get(OBJECT_CLASS); }
  void set_object_class(const Asn1Value& value) { set(OBJECT_CLASS, value); }
  const Asn1Value& get_object_instance() const { return get(OBJECT_INSTANCE); }
  void set_object_instance(const Asn1Value& value) { set(OBJECT_INSTANCE, value); }
  const Asn1Value& get_action_type() const { return get(ACTION_TYPE); }
  void set_action_type(const Asn1Value& value) { set(ACTION_TYPE, value); }
  const Asn1Value& get_action_info() const { return get(INFO); }
  void set_action_info(const Asn1Value& value) { set(INFO, value); }
  const Asn1Value& get_result_info() const { return get(INFO); }
  const Asn1Value& get_event_info() const { return get(INFO); }
  const Asn1Value& get_event_type() const { return get(EVENT_TYPE); }

  ErrorCode error_code() const { return error_code_; }
  const std::string& error_string() const { return error_string_; }
  void set_error(ErrorCode code, const std::string& text) {
    error_code_ = code;
    error_string_ = text;
  }

  // To and from BER. Decoding is total: any bytes give a message or an error.
  DataUnit encode() const;
  static Status decode(const DataUnit& ber, Message& out);

  bool operator==(const Message& other) const;

 private:
  // Decoding in one walk, the fields kept as slices of the input; false (nothing written)
  // for any form it leaves to the value decoder, which also words every error.
  static bool decode_sliced(const DataUnit& ber, Message& out);
  static Status decode_tree(const DataUnit& ber, Message& out);

  int type_ = 0;
  long id_ = 0;
  long linked_id_ = 0;
  // Each field is absent, a value, or BER (with its value once asked for).
  mutable std::array<Asn1Value, FIELD_COUNT> fields_;
  std::array<DataUnit, FIELD_COUNT> encoded_;
  ErrorCode error_code_ = ErrorCode::none;
  std::string error_string_;
};

std::ostream& operator<<(std::ostream& out, const Message& message);

// The raw message service of one platform: confirmed requests whose replies (linked replies
// and a final reply) are queued and handed to the request's callback during dispatching.
class MessageSAP : public Error {
 public:
  explicit MessageSAP(PlatformRep* rep) : rep_(rep) {}

  // A fresh invoke id, unique within the process.
  static long new_id();

  // Sends `message` (its id set, or a fresh one given) and keeps `callback` for every reply
  // with that id. `timeout` in seconds; negative means the platform default. The message
  // stays the caller's. False when the message cannot be sent.
  bool send(const Message& message, const Callback& callback, double timeout);

  // The reply a callback was handed, as a new message the callback deletes; null (with the
  // error set) when `raw` holds no decodable reply.
  Message* decode(void* raw);

 private:
  PlatformRep* rep_;
};

}  // namespace hvx

#endif  // HVX_MESSAGE_H_
