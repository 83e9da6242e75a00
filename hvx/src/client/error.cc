#include "hvx/error.h"

#include <array>

namespace hvx {

const char* error_code_name(ErrorCode code) {
  static constexpr std::array<const char*, 18> kNames = {
      "noError",
      "noSuchObjectClass",
      "noSuchObjectInstance",
      "accessDenied",
      "duplicateManagedObjectInstance",
      "noSuchAttribute",
      "invalidAttributeValue",
      "missingAttributeValue",
      "attributeNotSettable",
      "noSuchAction",
      "processingFailure",
      "noSuchReferenceObject",
      "invalidArgumentValue",
      "classInstanceConflict",
      "timeout",
      "notConnected",
      "protocolError",
      "injectedFailure",
  };
  const auto index = static_cast<size_t>(code);
  return index < kNames.size() ? kNames[index] : "unknownError";
}

std::string error_text(ErrorCode code, const std::string& detail) {
  std::string text = error_code_name(code);
  if (!detail.empty()) {
    text += ": ";
    text += detail;
  }
  return text;
}

}  // namespace hvx
