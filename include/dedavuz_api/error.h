// VQStatus: the result of every fallible operation; VQError: the error it owns.
#ifndef DEDAVUZ_API_ERROR_H_
#define DEDAVUZ_API_ERROR_H_

#include <iosfwd>
#include <memory>
#include <string>

class VQError;

class [[nodiscard]] VQStatus {
 public:
  enum class Code {
    success = 0,
    hvx_error = 1,
    object_does_not_exist = 2,
    attribute_not_creatable = 3,
    attribute_not_storeable = 4,
    attribute_not_set = 5,
    key_not_found = 6,
    missing_mandatory_attribute = 7,
    cannot_set_attribute = 8,
    decode_error = 9,
    encode_error = 10,
    attribute_not_registered = 11,
    does_not_exist = 12,
    already_exists = 13,
    invalid_argument = 14,
    not_implemented = 15,
    not_supported_by_platform = 16,
    view_graph_not_cached = 17,
    multiple_cmip_agents = 18,
    unknown = 19,
    no_parents = 20,
  };

  static const VQStatus success;

  VQStatus();
  // Code 0 gives success and drops the message.
  VQStatus(Code code, const std::string& message);
  VQStatus(const VQStatus& other);
  VQStatus& operator=(const VQStatus& other);
  VQStatus(VQStatus&& other) noexcept = default;
  VQStatus& operator=(VQStatus&& other) noexcept = default;
  ~VQStatus();

  Code code() const;
  // The error's message; empty for success.
  const std::string& message() const;
  // The error, or nullptr for success.
  const VQError* error() const { return error_.get(); }

  operator bool() const { return error_ == nullptr; }

  bool operator==(const VQStatus& other) const;
  bool operator!=(const VQStatus& other) const { return !(*this == other); }

 private:
  std::unique_ptr<VQError> error_;
};

class VQError {
 public:
  // Codes of 21 and above are stored as Code::unknown.
  VQError(VQStatus::Code code, const std::string& message);
  VQError(const VQError& other) = default;
  VQError& operator=(const VQError& other) = default;

  VQStatus::Code code() const { return code_; }
  const std::string& message() const { return message_; }

  bool operator==(const VQError& other) const { return code_ == other.code_; }
  bool operator!=(const VQError& other) const { return !(*this == other); }

  // The fixed text of a code: "Success", "HVX Error", ...; "Unknown" out of range.
  static const char* code_text(VQStatus::Code code);

 private:
  VQStatus::Code code_;
  std::string message_;
};

// Success is the common case and costs no call: only an error is copied out of line.
inline VQStatus::VQStatus() = default;
inline VQStatus::VQStatus(const VQStatus& other)
    : error_(other.error_ ? std::make_unique<VQError>(*other.error_) : nullptr) {}
inline VQStatus::~VQStatus() = default;

std::ostream& operator<<(std::ostream& os, const VQError& error);
std::ostream& operator<<(std::ostream& os, const VQStatus& status);
// Prints the code's number, so test failures show which code came back.
std::ostream& operator<<(std::ostream& os, VQStatus::Code code);

// Returns from the enclosing function when `expr` yields an error status.
#define VQ_RETURN_IF_ERROR(expr)                         \
  do {                                                   \
    ::VQStatus vq_return_if_error_status_ = (expr);      \
    if (!vq_return_if_error_status_) {                   \
      return vq_return_if_error_status_;                 \
    }                                                    \
  } while (false)

#endif  // DEDAVUZ_API_ERROR_H_
