// Requests as a client sends them on the wire, for programs that talk to a server without a
// platform: the load benchmark and the server-process tests.
#ifndef HVX_DAEMON_RAW_REQUESTS_H_
#define HVX_DAEMON_RAW_REQUESTS_H_

#include <string>
#include <utility>

#include "hvx/ber.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "schema.h"

namespace hvx::daemon {

// A request to create a router named `name` in the topology database `database` names.
inline Message node_create_request(const Asn1Value& database, const std::string& name) {
  const mis::Schema& schema = mis::Schema::get();
  Message request(Message::CREATE_REQUEST);
  request.set_object_class(
      ber::oid(schema.find_class("topoNode")->oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
  request.set(Message::SUPERIOR, database);
  Asn1Value attributes = ber::set();
  for (const auto& [attribute, value] :
       {std::pair{"topoNodeName", name}, std::pair{"topoNodeType", std::string("Router")}}) {
    Asn1Value pair = ber::sequence();
    pair.add_component(ber::oid(schema.oid_of(attribute)));
    pair.add_component(ber::octets(value, TAG_GRAPHSTR));
    attributes.add_component(pair);
  }
  request.set(Message::ATTRIBUTES, attributes);
  return request;
}

// A request to read every attribute of `instance`.
inline Message get_request(const Asn1Value& instance) {
  Message request(Message::GET_REQUEST);
  request.set_object_instance(instance);
  return request;
}

}  // namespace hvx::daemon

#endif  // HVX_DAEMON_RAW_REQUESTS_H_
