#include "topo/connection_manager.h"

#include <set>
#include <string>
#include <vector>

#include "hvx/ber.h"
#include "schema.h"
#include "server.h"
#include "topo/node_queries.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

bool reaches(const Server& server, const std::string& system) {
  std::set<std::string> seen;
  std::vector<const Server*> pending{&server};
  while (!pending.empty()) {
    const Server* current = pending.back();
    pending.pop_back();
    if (current->system_name() == system) return true;
    if (!seen.insert(current->system_name()).second) continue;
    for (const std::string& name : current->linked_systems()) {
      if (const Server* next = current->linked(name)) pending.push_back(next);
    }
  }
  return false;
}

// The system a registration names: a system reached from `server`, by its name or by a
// path of system names from `server` ("L/B/C" or "/L/B/C"), each linked under the one
// before it. False when there is no such system or route.
bool named_system(const Server& server, const std::string& text, std::string& system) {
  if (text.find('/') == std::string::npos) {
    system = text;
    return reaches(server, system);
  }
  const Server* at = nullptr;
  std::size_t start = text.front() == '/' ? 1 : 0;
  while (start <= text.size()) {
    std::size_t end = text.find('/', start);
    if (end == std::string::npos) end = text.size();
    system = text.substr(start, end - start);
    if (system.empty()) return false;
    at = at == nullptr ? (system == server.system_name() ? &server : nullptr) : at->linked(system);
    if (at == nullptr) return false;
    start = end + 1;
  }
  return true;
}

// Registering what is held already changes nothing; deregistering what is not held is
// refused. The answer is the number of registrations held afterwards.
ActionHandler registration(std::string_view action, bool add) {
  return [action, add](Server& server, ManagedObject& manager, const Asn1Value& argument) {
    std::string named;
    long application = 0;
    if (argument.is_null() || argument.num_comps() != 2 ||
        !argument.component(0).decode_octets(named) ||
        !argument.component(1).decode_int(application)) {
      return refuse_request(action, "the argument is { system name, application number }");
    }
    if (application <= 0) {
      return refuse_request(action, "application numbers are positive");
    }
    std::string system;
    if (!named_system(server, named, system)) {
      return refuse_request(
          action, "no system \"" + named + "\" is reached from \"" + server.system_name() + "\"");
    }
    const Oid attribute = Schema::get().oid_of("registrations");
    std::vector<Asn1Value> held;
    bool found = false;
    if (const std::optional<Asn1Value> current = manager.find(attribute)) {
      for (Asn1Value item = current->first_component(); !item.is_null();
           item = item.next_component()) {
        long number = 0;
        const bool same = text_of(item.component(0)) == system &&
                          item.component(1).decode_int(number) && number == application;
        found = found || same;
        if (!(same && !add)) held.push_back(item);
      }
    }
    if (!add && !found) {
      return refuse_request(action, "application " + std::to_string(application) +
                                        " is not registered for \"" + system + "\"");
    }
    if (add && !found) {
      Asn1Value entry = ber::sequence();
      entry.add_component(graphic(system));
      entry.add_component(ber::integer(application));
      held.push_back(entry);
    }
    if (add != found) {
      Asn1Value list = ber::set();
      for (const Asn1Value& item : held) list.add_component(item);
      server.modify(manager.name(), {{ModifyMode::replace, attribute, list}}, false).IgnoreError();
    }
    ActionReply reply;
    reply.info = ber::integer(static_cast<long>(held.size()));
    return reply;
  };
}

}  // namespace

void register_connection_manager(Server& server) {
  server.register_action("connectMgr", "registerConnection",
                         registration("registerConnection", true));
  server.register_action("connectMgr", "deregisterConnection",
                         registration("deregisterConnection", false));
}

}  // namespace hvx::mis::topo
