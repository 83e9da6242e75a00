#include "access.h"

#include <sys/stat.h>

#include <fstream>

namespace hvx::daemon {

Status read_token_file(const std::string& path, std::string& token) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return Status::InvalidArgument("no token file " + path);
  if ((info.st_mode & 077) != 0) {
    return Status::AccessDenied("token file " + path + " may be read by others");
  }
  std::ifstream in(path);
  std::getline(in, token);
  while (!token.empty() && (token.back() == '\r' || token.back() == ' ')) token.pop_back();
  if (token.empty()) return Status::InvalidArgument("token file " + path + " is empty");
  return Status::OK();
}

bool tokens_equal(std::string_view expected, std::string_view given) {
  // Every byte of the expected token is looked at whatever the given one holds.
  unsigned char difference = expected.size() == given.size() ? 0 : 1;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const unsigned char theirs =
        i < given.size() ? static_cast<unsigned char>(given[i]) : static_cast<unsigned char>(0);
    difference |= static_cast<unsigned char>(static_cast<unsigned char>(expected[i]) ^ theirs);
  }
  return difference == 0 && !expected.empty();
}

}  // namespace hvx::daemon
