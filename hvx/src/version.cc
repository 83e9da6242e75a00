#include "hvx/version.h"

namespace hvx {

const char* version() { return "0.1.0"; }

}  // namespace hvx
