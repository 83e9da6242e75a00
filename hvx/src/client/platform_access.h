// PlatformAccess: how the rest of hvx reaches the state behind a Platform handle (images
// and albums send through it, the test tools put fault plans into it); applications only
// ever hold the handle.
#ifndef HVX_SRC_CLIENT_PLATFORM_ACCESS_H_
#define HVX_SRC_CLIENT_PLATFORM_ACCESS_H_

#include "hvx/platform.h"
#include "platform_rep.h"

namespace hvx {

class PlatformAccess {
 public:
  // Made on first use, like every call on the handle.
  static PlatformRep* rep(const Platform& platform) { return platform.rep(); }
};

}  // namespace hvx

#endif  // HVX_SRC_CLIENT_PLATFORM_ACCESS_H_
