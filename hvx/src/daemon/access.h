// Who may connect: the token clients present over TCP, read from a file and compared in
// time that does not depend on where the two differ.
#ifndef HVX_SRC_DAEMON_ACCESS_H_
#define HVX_SRC_DAEMON_ACCESS_H_

#include <string>
#include <string_view>

#include "hvx/status.h"

namespace hvx::daemon {

// The token in `path` (its first line); refused when the file is empty or others may read it.
Status read_token_file(const std::string& path, std::string& token);
bool tokens_equal(std::string_view expected, std::string_view given);

}  // namespace hvx::daemon

#endif  // HVX_SRC_DAEMON_ACCESS_H_
