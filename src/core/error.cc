#include "dedavuz_api/error.h"

#include <array>
#include <ostream>

namespace {

constexpr int kCodeCount = 21;

// Code 20 has no fixed text of its own; it still prints something stable.
constexpr std::array<const char*, kCodeCount> kCodeTexts = {
    "Success",
    "HVX Error",
    "Object Doesn't Exists",
    "Attribute Is Not Creatable",
    "Attribute Is Not Storeable",
    "Attribute Not Set",
    "Key Not Found",
    "Missing Mandatory Attribute",
    "Cannot Set Attribute",
    "ASN.1/GDMO Decode Error",
    "ASN.1/GDMO Encode Error",
    "Attribute Not Registered In Platform",
    "Does Not Exist",
    "Already Exists",
    "Invalid Argument",
    "Not Implemented",
    "Not Supported By Platform",
    "View Graph Not Cached",
    "Warning: More than One Cmip Agent Refers to the Same Managed FDN",
    "Unknown",
    "No Parents",
};

const std::string& empty_string() {
  static const std::string* const kEmpty = new std::string();
  return *kEmpty;
}

VQStatus::Code clamp_code(VQStatus::Code code) {
  const int value = static_cast<int>(code);
  if (value < 0 || value >= kCodeCount) return VQStatus::Code::unknown;
  return code;
}

}  // namespace

const VQStatus VQStatus::success;

VQStatus::VQStatus(Code code, const std::string& message) {
  if (code != Code::success) error_ = std::make_unique<VQError>(code, message);
}

VQStatus& VQStatus::operator=(const VQStatus& other) {
  if (this != &other) {
    error_.reset();
    if (other.error_) error_ = std::make_unique<VQError>(*other.error_);
  }
  return *this;
}

VQStatus::Code VQStatus::code() const { return error_ ? error_->code() : Code::success; }

const std::string& VQStatus::message() const {
  return error_ ? error_->message() : empty_string();
}

bool VQStatus::operator==(const VQStatus& other) const {
  if (!error_ || !other.error_) return !error_ && !other.error_;
  return *error_ == *other.error_;
}

VQError::VQError(VQStatus::Code code, const std::string& message)
    : code_(clamp_code(code)), message_(message) {}

const char* VQError::code_text(VQStatus::Code code) {
  return kCodeTexts[static_cast<size_t>(clamp_code(code))];
}

std::ostream& operator<<(std::ostream& os, const VQError& error) {
  return os << VQError::code_text(error.code()) << ": " << error.message() << '\n';
}

std::ostream& operator<<(std::ostream& os, const VQStatus& status) {
  if (const VQError* error = status.error()) return os << *error;
  return os << "Success\n";
}

std::ostream& operator<<(std::ostream& os, VQStatus::Code code) {
  return os << static_cast<int>(code);
}
