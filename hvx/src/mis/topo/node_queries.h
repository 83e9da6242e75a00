// The topoNodeDB actions that answer node ids or summaries: nodes by name, by type, by
// managed object and by a set of managed objects; the managed objects of listed nodes; the
// node report. Each is a lookup in one of the database's indexes.
#ifndef HVX_SRC_MIS_TOPO_NODE_QUERIES_H_
#define HVX_SRC_MIS_TOPO_NODE_QUERIES_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "hvx/ber.h"
#include "hvx/error.h"
#include "server.h"

namespace hvx::mis::topo {

class Database;

void register_node_queries(Database& database);

// Entries per linked reply of the answers that come in parts.
inline constexpr std::size_t kEntriesPerReply = 100;

// Appends a BER header: the tag octet and the definite length.
void append_ber_header(std::string& out, unsigned char tag, std::size_t length);
inline constexpr unsigned char kBerInteger = 0x02;
inline constexpr unsigned char kBerOctetString = 0x04;
inline constexpr unsigned char kBerSequence = 0x30;
inline constexpr unsigned char kBerSet = 0x31;

// Appends an INTEGER value, its contents minimal.
void append_integer_value(std::string& out, long value);

// The BER of a SET OF whose components are the encoded `entries`.
DataUnit set_of_encoded(const std::string& entries);

// Answers the entries of `ids` in linked replies, each a SET OF at most kEntriesPerReply
// entries; `append(id, bytes)` adds the encoding of one entry. No ids, no linked reply.
// The parts go out as they are encoded.
template <typename Ids, typename Append>
void reply_in_parts(const Ids& ids, Append append, ActionReply& reply) {
  std::string part;
  std::size_t in_part = 0;
  for (const long id : ids) {
    append(id, part);
    if (++in_part == kEntriesPerReply) {
      reply.linked_encoded.push_back(set_of_encoded(part));
      part.clear();
      in_part = 0;
    }
  }
  if (in_part > 0) reply.linked_encoded.push_back(set_of_encoded(part));
}

// The refusal of a bad request: "<action>: <why>".
ActionReply refuse_request(std::string_view action, const std::string& why,
                           ErrorCode code = ErrorCode::invalid_argument);

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_NODE_QUERIES_H_
