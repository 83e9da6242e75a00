#include "hvx/world.h"

#include <unistd.h>

#include <cstdlib>

#include "connection.h"
#include "hvx/ber.h"
#include "hvx/names.h"
#include "platform_rep.h"
#include "server.h"
#include "socket_transport.h"
#include "topo/database.h"

namespace hvx {

namespace {

constexpr std::string_view kConnectionStateChange = "connectionStateChange";

dn::Rdns name_of(std::string_view text) {
  dn::Rdns rdns;
  dn::from_text(text, rdns);
  return rdns;
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

Asn1Value connection_state(bool connected) { return ber::enumerated(connected ? 1 : 0); }

}  // namespace

std::string World::default_system_name() {
  const char* logical = std::getenv("VQ_LOGICAL_HOST");
  if (logical != nullptr && *logical != '\0') return logical;
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0 && host[0] != '\0') return host;
  return "localhost";
}

std::shared_ptr<World> World::create(const std::string& local_system) {
  return std::shared_ptr<World>(new World(local_system));
}

World& World::default_world() {
  // Never destroyed: platforms may outlive every other static.
  static std::shared_ptr<World>* const kWorld =
      new std::shared_ptr<World>(create(default_system_name()));
  return **kWorld;
}

World::World(std::string local_name) : local_name_(std::move(local_name)) { add(local_name_); }

World::~World() = default;

mis::Server& World::add(const std::string& system) {
  servers_.push_back(std::make_unique<mis::Server>(system));
  mis::Server& server = *servers_.back();
  mis::topo::Database::install(server);
  // The FDN table lists the systems linked under this one, each with the route through
  // the CMIP agent entity of its link.
  server.register_action("vqFdn", "vqListFdns",
                         [this](mis::Server& self, mis::ManagedObject&, const Asn1Value&) {
                           mis::ActionReply reply;
                           reply.info = fdn_table(self.system_name());
                           return reply;
                         });
  return server;
}

Asn1Value World::fdn_table(const std::string& system) const {
  Asn1Value table = ber::set();
  for (const Link& link : links_) {
    if (link.parent != system) continue;
    table.add_component(mis::fdn_table_entry(link.remote, link.form == FdnForm::mis_id));
  }
  return table;
}

Platform World::connect() {
  // An application pointed at a server process talks to it instead.
  const std::string address = Platform::server_from_environment();
  if (!address.empty()) return Platform::connect_to_server(address);
  auto transport = std::make_unique<mis::Connection>(servers_.front().get());
  return Platform(new PlatformRep(shared_from_this(), std::move(transport), local_name_));
}

mis::Server* World::server(std::string_view system) const {
  for (const auto& server : servers_) {
    if (server->system_name() == system) return server.get();
  }
  return nullptr;
}

std::vector<std::string> World::systems() const {
  std::vector<std::string> out;
  for (const auto& server : servers_) out.push_back(server->system_name());
  return out;
}

std::vector<std::string> World::linked_under(std::string_view system) const {
  std::vector<std::string> out;
  for (const Link& link : links_) {
    if (link.parent == system) out.push_back(link.remote);
  }
  return out;
}

bool World::add_server(const std::string& system) {
  if (system.empty() || server(system) != nullptr || system.find('"') != std::string::npos) {
    return false;
  }
  add(system);
  return true;
}

bool World::link(const std::string& parent, const std::string& remote, FdnForm form) {
  mis::Server* up = server(parent);
  mis::Server* down = server(remote);
  if (up == nullptr || down == nullptr || !up->link(down)) return false;
  links_.push_back(Link{parent, remote, form});
  install_links(parent, remote);
  return true;
}

// The objects of a link in the parent: its server-table entry and the CMIP agent entity
// through which the remote system is managed.
void World::install_links(const std::string& parent, const std::string& remote) {
  mis::Server& up = *server(parent);
  const mis::Schema& schema = mis::Schema::get();
  const dn::Rdns table = name_of("serverTableType=\"mis\"");
  if (up.find(table) == nullptr) up.create("serverTable", table, {}, {}).IgnoreError();
  // The entry's own name would route to the remote server: it is made directly. Its state
  // is the server's to keep, not a creator's to give.
  const dn::Rdns entry = name_of("serverTableType=\"mis\"/misId=" + quoted(remote));
  up.create("misEntry", entry, {}, {}).IgnoreError();
  up.modify(entry,
            {{mis::ModifyMode::replace, schema.oid_of("currentState"), connection_state(true)},
             {mis::ModifyMode::replace, schema.oid_of("agentList"), ber::set()}},
            false)
      .IgnoreError();
  const dn::Rdns agents = name_of("agentTableType=\"CMIP\"");
  if (up.find(agents) == nullptr) up.create("agentTable", agents, {}, {}).IgnoreError();
  Asn1Value managed = ber::set();
  managed.add_component(fdn2oi("/systemId=name:" + quoted(remote)));
  std::vector<std::pair<Oid, Asn1Value>> agent = {
      {schema.oid_of("managedDNs"), managed},
      {schema.oid_of("networkSAP"), ber::octets("mis:" + remote, TAG_GRAPHSTR)},
  };
  up.create("cmipAgentEntity", name_of("agentTableType=\"CMIP\"/agentId=id:" + quoted(remote)), {},
            agent)
      .IgnoreError();
}

bool World::set_connected(const std::string& remote, bool connected) {
  bool found = false;
  for (const Link& link : links_) {
    if (link.remote != remote) continue;
    found = true;
    change_link(link, connected);
  }
  return found;
}

bool World::set_link_connected(const std::string& parent, const std::string& remote,
                               bool connected) {
  for (const Link& link : links_) {
    if (link.parent == parent && link.remote == remote) {
      change_link(link, connected);
      return true;
    }
  }
  return false;
}

void World::change_link(const Link& link, bool connected) {
  const std::string& remote = link.remote;
  mis::Server& up = *server(link.parent);
  if (up.is_link_connected(remote) == connected) return;
  up.set_link_connected(remote, connected);
  const mis::Schema& schema = mis::Schema::get();
  const dn::Rdns entry = name_of("serverTableType=\"mis\"/misId=" + quoted(remote));
  up.modify(
        entry,
        {{mis::ModifyMode::replace, schema.oid_of("currentState"), connection_state(connected)}},
        false)
      .IgnoreError();
  // The state change names the server table and carries the entry's misId, so that the
  // receiver reads the system that changed from the information, and the route to the
  // reporting server from the name.
  Asn1Value info = ber::sequence();
  info.add_component(connection_state(connected));
  Asn1Value agents = ber::set();
  for (const std::string& behind : linked_under(remote)) {
    agents.add_component(ber::octets(behind, TAG_GRAPHSTR));
  }
  info.add_component(agents);
  const mis::ClassInfo* entry_class = schema.find_class("misEntry");
  if (entry_class == nullptr) return;
  up.emit(entry_class->oid, name_of("serverTableType=\"mis\""),
          schema.oid_of(kConnectionStateChange), info,
          {{schema.oid_of("misId"), ber::octets(remote, TAG_GRAPHSTR)}});
}

long World::raise_alarm(const std::string& system, const std::string& managed_object,
                        int severity) {
  // The server this world's platforms were pointed at holds the alarms.
  const std::string address = Platform::server_from_environment();
  if (!address.empty())
    return SocketTransport::raise_alarm(address, system, managed_object, severity);
  const mis::Server* held = server(system);
  mis::topo::Database* database = held != nullptr ? mis::topo::Database::of(*held) : nullptr;
  long alarm = 0;
  if (database == nullptr || !database->raise_alarm(fdn2oi(managed_object), severity, alarm).ok()) {
    return 0;
  }
  return alarm;
}

bool World::clear_alarm(const std::string& system, long alarm) {
  const std::string address = Platform::server_from_environment();
  if (!address.empty()) return SocketTransport::clear_alarm(address, system, alarm);
  const mis::Server* held = server(system);
  mis::topo::Database* database = held != nullptr ? mis::topo::Database::of(*held) : nullptr;
  return database != nullptr && database->clear_alarm(alarm).ok();
}

void World::reset() {
  for (const Link& link : links_) server(link.parent)->unlink(server(link.remote));
  links_.clear();
  servers_.resize(1);
  servers_.front()->reset();
}

bool World::address_of(std::string_view system, std::uint32_t& address) const {
  for (size_t i = 0; i < servers_.size(); ++i) {
    if (servers_[i]->system_name() == system) {
      const std::uint32_t host = (127u << 24) | static_cast<std::uint32_t>(i + 1);
      // Network byte order, as in_addr holds it.
      address =
          ((host & 0xffu) << 24) | ((host & 0xff00u) << 8) | ((host >> 8) & 0xff00u) | (host >> 24);
      return true;
    }
  }
  return false;
}

}  // namespace hvx
