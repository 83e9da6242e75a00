#include "hvx/status.h"

#include <ostream>

namespace hvx {

std::ostream& operator<<(std::ostream& out, const Status& status) {
  return out << (status.ok() ? std::string_view("OK") : std::string_view(status.message()));
}

}  // namespace hvx
