// Status: the outcome of an hvx operation that can fail: ok, or an error message.
#ifndef HVX_STATUS_H_
#define HVX_STATUS_H_

#include <iosfwd>
#include <string>
#include <utility>

namespace hvx {

class [[nodiscard]] Status {
 public:
  Status() = default;  // ok

  static Status OK() { return Status(); }
  // An error; even an empty message makes an error.
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !error_; }
  // The error's message; empty when ok.
  const std::string& message() const { return message_; }

  bool operator==(const Status& other) const = default;

 private:
  explicit Status(std::string message) : error_(true), message_(std::move(message)) {}

  bool error_ = false;
  std::string message_;
};

// Prints "OK" or the error's message.
std::ostream& operator<<(std::ostream& out, const Status& status);

}  // namespace hvx

#endif  // HVX_STATUS_H_
