// Error codes of the management service and the Error base that keeps the text of the last
// failure of a client object.
#ifndef HVX_ERROR_H_
#define HVX_ERROR_H_

#include <string>

namespace hvx {

// The error of a reply. The numbers travel on the wire; keep them stable.
enum class ErrorCode : int {
  none = 0,
  no_such_object_class = 1,
  no_such_object_instance = 2,
  access_denied = 3,
  duplicate_object_instance = 4,
  no_such_attribute = 5,
  invalid_attribute_value = 6,
  missing_attribute_value = 7,
  attribute_not_settable = 8,
  no_such_action = 9,
  processing_failure = 10,
  no_such_superior = 11,
  invalid_argument = 12,
  class_instance_conflict = 13,
  timeout = 14,
  not_connected = 15,
  protocol_error = 16,
  injected_failure = 17,
};

// The name of a code as it starts an error string ("noSuchObjectInstance").
const char* error_code_name(ErrorCode code);

// "<codeName>: <detail>", or the code name alone when there is no detail.
std::string error_text(ErrorCode code, const std::string& detail);

// Base of Platform, Image and Album: the text of the last failure, "" when the last call
// succeeded.
class Error {
 public:
  const char* get_error_string() const { return error_.c_str(); }
  ErrorCode get_error_code() const { return code_; }
  bool has_error() const { return code_ != ErrorCode::none; }

 protected:
  void set_error(ErrorCode code, const std::string& detail) {
    code_ = code;
    error_ = error_text(code, detail);
  }
  // Keeps a text that already has its code name in front (a server's reply).
  void set_error_text(ErrorCode code, std::string text) {
    code_ = code;
    error_ = std::move(text);
  }
  void clear_error() {
    code_ = ErrorCode::none;
    error_.clear();
  }

 private:
  ErrorCode code_ = ErrorCode::none;
  std::string error_;
};

}  // namespace hvx

#endif  // HVX_ERROR_H_
