// Host names and numeric addresses to IPv4 addresses through the system's resolver.
#ifndef HVX_SRC_CLIENT_HOST_ADDRESS_H_
#define HVX_SRC_CLIENT_HOST_ADDRESS_H_

#include <cstdint>

namespace hvx {

// The first IPv4 address of `host`, in network byte order; false when the resolver gives
// none. Only names the machine resolves by itself (localhost, numeric addresses, the hosts
// file) answer without a network.
bool resolve_ipv4(const char* host, std::uint32_t& address);

}  // namespace hvx

#endif  // HVX_SRC_CLIENT_HOST_ADDRESS_H_
