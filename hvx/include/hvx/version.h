// The platform stand-in's version, for applications that log what they run on.
#ifndef HVX_VERSION_H_
#define HVX_VERSION_H_

namespace hvx {

const char* version();

}  // namespace hvx

#endif  // HVX_VERSION_H_
