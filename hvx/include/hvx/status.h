// Status: the outcome of an hvx operation that can fail: ok, or an error code of the
// management service with a message saying what went wrong.
#ifndef HVX_STATUS_H_
#define HVX_STATUS_H_

#include <iosfwd>
#include <string>
#include <utility>

#include "hvx/error.h"

namespace hvx {

class [[nodiscard]] Status {
 public:
  Status() = default;  // ok

  static Status OK() { return Status(); }
  // An error with `code` (never ErrorCode::none, which is taken as processingFailure); even
  // an empty message makes an error.
  static Status Failure(ErrorCode code, std::string message) {
    return Status(code == ErrorCode::none ? ErrorCode::processing_failure : code,
                  std::move(message));
  }

  static Status NoSuchObjectClass(std::string m) {
    return Failure(ErrorCode::no_such_object_class, std::move(m));
  }
  static Status NoSuchObjectInstance(std::string m) {
    return Failure(ErrorCode::no_such_object_instance, std::move(m));
  }
  static Status AccessDenied(std::string m) {
    return Failure(ErrorCode::access_denied, std::move(m));
  }
  static Status DuplicateObjectInstance(std::string m) {
    return Failure(ErrorCode::duplicate_object_instance, std::move(m));
  }
  static Status NoSuchAttribute(std::string m) {
    return Failure(ErrorCode::no_such_attribute, std::move(m));
  }
  static Status InvalidAttributeValue(std::string m) {
    return Failure(ErrorCode::invalid_attribute_value, std::move(m));
  }
  static Status MissingAttributeValue(std::string m) {
    return Failure(ErrorCode::missing_attribute_value, std::move(m));
  }
  static Status AttributeNotSettable(std::string m) {
    return Failure(ErrorCode::attribute_not_settable, std::move(m));
  }
  static Status NoSuchAction(std::string m) {
    return Failure(ErrorCode::no_such_action, std::move(m));
  }
  static Status ProcessingFailure(std::string m) {
    return Failure(ErrorCode::processing_failure, std::move(m));
  }
  static Status NoSuchSuperior(std::string m) {
    return Failure(ErrorCode::no_such_superior, std::move(m));
  }
  static Status InvalidArgument(std::string m) {
    return Failure(ErrorCode::invalid_argument, std::move(m));
  }
  static Status ClassInstanceConflict(std::string m) {
    return Failure(ErrorCode::class_instance_conflict, std::move(m));
  }
  static Status NotConnected(std::string m) {
    return Failure(ErrorCode::not_connected, std::move(m));
  }
  // Bytes that do not decode as what they should be.
  static Status ProtocolError(std::string m) {
    return Failure(ErrorCode::protocol_error, std::move(m));
  }

  bool ok() const { return code_ == ErrorCode::none; }
  // ErrorCode::none when ok.
  ErrorCode code() const { return code_; }
  // The error's message; empty when ok.
  const std::string& message() const { return message_; }
  // "<codeName>: <message>" (or the code name alone when the message is empty); "" when ok.
  std::string text() const { return ok() ? std::string() : error_text(code_, message_); }

  // Says that a failure here is expected to be impossible or leaves nothing to do (a change
  // a server derives from one it has already checked).
  void IgnoreError() const {}

  bool operator==(const Status& other) const = default;

 private:
  Status(ErrorCode code, std::string message) : code_(code), message_(std::move(message)) {}

  ErrorCode code_ = ErrorCode::none;
  std::string message_;
};

// Prints "OK" or the error's message.
std::ostream& operator<<(std::ostream& out, const Status& status);

}  // namespace hvx

#endif  // HVX_STATUS_H_
