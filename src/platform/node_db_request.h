// The confirmed actions the library sends a system's topology node database on the raw
// message service, where their linked replies come to a callback one by one.
#ifndef DEDAVUZ_PLATFORM_NODE_DB_REQUEST_H_
#define DEDAVUZ_PLATFORM_NODE_DB_REQUEST_H_

#include <string>

#include "hvx/asn1.h"
#include "hvx/message.h"
#include "hvx/oid.h"

// Raw exchanges wait as long as a signed 32-bit number of seconds allows.
inline constexpr double kVQRawTimeout = 2147483647.0;

// An action request with a fresh id: the node database's class, the name of `system`'s
// database, the action `action` and its information `info`.
hvx::Message vq_node_db_action_request(const std::string& system, const hvx::Oid& action,
                                       const hvx::Asn1Value& info);

#endif  // DEDAVUZ_PLATFORM_NODE_DB_REQUEST_H_
