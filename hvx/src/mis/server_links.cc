// The server's notifications, as they reach its connections and travel up its links, and
// the links themselves.
#include <algorithm>
#include <utility>

#include "hvx/ber.h"
#include "hvx/names.h"
#include "server.h"

namespace hvx::mis {

void Server::emit(const ManagedObject& object, const Oid& event_type, const Asn1Value& info) {
  emit(object.info->oid, object.name(), event_type, info);
}

void Server::emit(const Oid& class_oid, const dn::Rdns& name, const Oid& event_type,
                  const Asn1Value& info, const std::vector<std::pair<Oid, Asn1Value>>& attributes) {
  Message event(Message::EVENT_REPORT);
  event.set_object_class(ber::oid(class_oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
  event.set(Message::EVENT_TYPE, ber::oid(event_type));
  if (!info.is_null()) event.set(Message::INFO, info);
  if (!attributes.empty()) {
    Asn1Value list = ber::set();
    for (const auto& [id, value] : attributes) {
      Asn1Value pair = ber::sequence();
      pair.add_component(ber::oid(id));
      pair.add_component(value);
      list.add_component(pair);
    }
    event.set(Message::ATTRIBUTES, list);
  }
  ++notifications_emitted_;
  // The clients see the name with this system in front, the links the name relative to
  // this server; each is built only when someone will read it.
  Message client;
  if (!listeners_.empty()) {
    client = event;
    dn::Rdns full;
    full.reserve(name.size() + 1);
    full.push_back(system_rdn());
    full.insert(full.end(), name.begin(), name.end());
    client.set_object_instance(dn::instance(full));
  }
  if (!upstreams_.empty()) event.set_object_instance(dn::instance(name));
  Route route;
  deliver(client, event, route);
}

// Delivers an event: `client` to the connections (names as they see them), `relative` (the
// name relative to this server) up every link, where the link's table entries go in front.
// `route` holds the servers the event has passed on its way here: links form cycles, and
// an event goes up each route that does not come back to a server it has passed.
void Server::deliver(const Message& client, const Message& relative, Route& route) {
  if (!listeners_.empty()) {
    const DataUnit pdu = client.encode();
    // A listener may disconnect while being served: walk a copy.
    const auto listeners = listeners_;
    for (const auto& [listener, number] : listeners) listener->deliver(pdu);
  }
  if (upstreams_.empty()) return;
  route.push_back(this);
  const auto upstreams = upstreams_;
  for (const Upstream& up : upstreams) {
    if (std::find(route.begin(), route.end(), up.server) != route.end()) continue;
    up.server->forward_event(relative, *this, route);
  }
  route.pop_back();
}

const Asn1Value& Server::system_rdn() const {
  if (system_rdn_.is_null()) {
    system_rdn_ = dn::rdn(system_id(), ber::octets(system_name_, TAG_GRAPHSTR));
  }
  return system_rdn_;
}

void Server::forward_event(const Message& event, const Server& from, Route& route) {
  const auto link = links_.find(from.system_name());
  if (link == links_.end() || !link->second.connected) return;
  dn::Rdns name;
  dn::parse(event.get_object_instance(), name);
  static const Oid server_table = Schema::get().oid_of("serverTableType");
  static const Oid mis_id = Schema::get().oid_of("misId");
  name.insert(name.begin(), dn::rdn(mis_id, ber::octets(from.system_name(), TAG_GRAPHSTR)));
  name.insert(name.begin(), dn::rdn(server_table, ber::octets("mis", TAG_GRAPHSTR)));
  Message out = event;
  out.set_object_instance(dn::instance(name));
  deliver(out, out, route);
}

int Server::connect(Listener* listener) {
  const int number = next_application_++;
  listeners_.emplace_back(listener, number);
  return number;
}

void Server::disconnect(Listener* listener) {
  listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                  [listener](const auto& l) { return l.first == listener; }),
                   listeners_.end());
}

bool Server::link(Server* remote) {
  if (remote == nullptr || remote == this || links_.count(remote->system_name()) != 0) {
    return false;
  }
  links_.emplace(remote->system_name(), Link{remote, true, {}});
  remote->upstreams_.push_back(Upstream{this});
  return true;
}

void Server::unlink(Server* remote) {
  const auto it = links_.find(remote->system_name());
  if (it == links_.end()) return;
  links_.erase(it);
  auto& ups = remote->upstreams_;
  ups.erase(std::remove_if(ups.begin(), ups.end(),
                           [this](const Upstream& u) { return u.server == this; }),
            ups.end());
}

bool Server::link_remote(const std::string& system, Forwarder forward) {
  if (system.empty() || system == system_name_ || links_.count(system) != 0 || !forward) {
    return false;
  }
  links_.emplace(system, Link{nullptr, true, std::move(forward)});
  return true;
}

void Server::receive_linked_event(std::string_view system, const Message& event) {
  const auto link = links_.find(system);
  if (link == links_.end() || !link->second.forward || !link->second.connected) return;
  dn::Rdns name;
  if (!dn::parse(event.get_object_instance(), name)) return;
  Oid id;
  Asn1Value value;
  if (!name.empty() && dn::first_assertion(name.front(), id, value) && id == system_id()) {
    name.erase(name.begin());
  }
  static const Oid server_table = Schema::get().oid_of("serverTableType");
  static const Oid mis_id = Schema::get().oid_of("misId");
  // Servers linked in a cycle would pass a notification round for ever: it goes no further
  // once its route names this server.
  for (const Asn1Value& rdn : name) {
    if (dn::first_assertion(rdn, id, value) && id == mis_id &&
        dn::string_value(rdn) == system_name_) {
      return;
    }
  }
  name.insert(name.begin(), dn::rdn(mis_id, ber::octets(std::string(system), TAG_GRAPHSTR)));
  name.insert(name.begin(), dn::rdn(server_table, ber::octets("mis", TAG_GRAPHSTR)));
  Message out = event;
  out.set_object_instance(dn::instance(name));
  Route route;
  deliver(out, out, route);
}

bool Server::set_link_connected(std::string_view remote_name, bool connected) {
  const auto it = links_.find(remote_name);
  if (it == links_.end()) return false;
  it->second.connected = connected;
  return true;
}

Server* Server::linked(std::string_view remote_name) const {
  const auto it = links_.find(remote_name);
  return it == links_.end() ? nullptr : it->second.server;
}

std::vector<std::string> Server::linked_systems() const {
  std::vector<std::string> out;
  for (const auto& [name, link] : links_) {
    if (link.server != nullptr) out.push_back(name);
  }
  return out;
}

bool Server::is_link_connected(std::string_view remote_name) const {
  const auto it = links_.find(remote_name);
  return it != links_.end() && it->second.connected;
}

Asn1Value fdn_table_entry(const std::string& remote, bool mis_id_form) {
  const std::string quoted = "\"" + remote + "\"";
  Asn1Value entry = ber::sequence();
  entry.add_component(
      fdn2oi(mis_id_form ? "/serverTableType=\"mis\"/misId=" + quoted + "/agentTableType=\"CMIP\""
                         : "/systemId=name:" + quoted));
  Asn1Value route = ber::sequence();
  route.add_component(ber::octets(remote, TAG_GRAPHSTR));
  route.add_component(ber::octets("mis:" + remote, TAG_GRAPHSTR));
  route.add_component(
      ber::octets(fdn2oi("agentTableType=\"CMIP\"/agentId=id:" + quoted).encode().view()));
  Asn1Value routes = ber::sequence();
  routes.add_component(route);
  entry.add_component(routes);
  return entry;
}

}  // namespace hvx::mis
