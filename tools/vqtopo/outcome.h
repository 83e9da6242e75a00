// Outcome: how a vqtopo step ended: an exit code for the shell and, on failure, the message
// that tells the user why.
#ifndef VQTOPO_OUTCOME_H_
#define VQTOPO_OUTCOME_H_

#include <string>

#include "dedavuz_api/error.h"

enum class ExitCode : int { ok = 0, not_found = 1, usage = 2, server = 3 };

class [[nodiscard]] Outcome {
 public:
  Outcome() = default;
  Outcome(ExitCode code, std::string message) : code_(code), message_(std::move(message)) {}

  static Outcome not_found(std::string message) {
    return {ExitCode::not_found, std::move(message)};
  }
  static Outcome usage(std::string message) { return {ExitCode::usage, std::move(message)}; }
  static Outcome server(std::string message) { return {ExitCode::server, std::move(message)}; }
  // A library failure while doing `what`: a missing object is "not found", anything else
  // is the server's fault.
  static Outcome from_status(const VQStatus& status, const std::string& what);

  ExitCode code() const { return code_; }
  const std::string& message() const { return message_; }
  explicit operator bool() const { return code_ == ExitCode::ok; }
  bool operator==(const Outcome& other) const = default;

 private:
  ExitCode code_ = ExitCode::ok;
  std::string message_;
};

#define VT_RETURN_IF_FAILED(expr)            \
  do {                                       \
    ::Outcome vt_outcome_ = (expr);          \
    if (!vt_outcome_) return vt_outcome_;    \
  } while (false)

// Turns a failed library status into an Outcome and returns it.
#define VT_RETURN_IF_ERROR(expr, what)                                  \
  do {                                                                  \
    ::VQStatus vt_status_ = (expr);                                     \
    if (!vt_status_) return ::Outcome::from_status(vt_status_, (what)); \
  } while (false)

#endif  // VQTOPO_OUTCOME_H_
