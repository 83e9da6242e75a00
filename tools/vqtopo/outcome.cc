#include "outcome.h"

Outcome Outcome::from_status(const VQStatus& status, const std::string& what) {
  if (status) return {};
  std::string message = what + ": " + VQError::code_text(status.code());
  if (!status.message().empty()) message += " (" + status.message() + ")";
  const bool missing = status.code() == VQStatus::Code::object_does_not_exist ||
                       status.code() == VQStatus::Code::does_not_exist;
  return {missing ? ExitCode::not_found : ExitCode::server, message};
}
