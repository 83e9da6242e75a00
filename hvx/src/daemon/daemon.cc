#include "daemon.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <chrono>
#include <iostream>

#include "access.h"
#include "hvx/ber.h"
#include "hvx/names.h"
#include "peer_link.h"
#include "sqlite_store.h"
#include "topo/database.h"

namespace hvx::daemon {

namespace {

double seconds_now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void log(const std::string& line) { std::cerr << "vqmisd: " << line << "\n"; }

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

dn::Rdns name_of(const std::string& text) {
  dn::Rdns rdns;
  dn::from_text(text, rdns);
  return rdns;
}

std::string describe(const sockaddr_storage& address) {
  if (address.ss_family != AF_INET) return "local";
  const auto& in = reinterpret_cast<const sockaddr_in&>(address);
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(in.sin_port));
}

}  // namespace

Daemon::Daemon(DaemonOptions options) : options_(std::move(options)) {}

Daemon::~Daemon() {
  for (auto& [id, connection] : connections_) server_->disconnect(connection.get());
  peers_.clear();
  store_.reset();
  if (listener_.valid() && endpoint_.kind == net::Endpoint::Kind::unix_path) {
    unlink(endpoint_.path.c_str());
  }
}

Status Daemon::start() {
  if (options_.system.empty() || options_.system.find('"') != std::string::npos) {
    return Status::InvalidArgument("a system name without quotes is needed");
  }
  Status status = net::Endpoint::parse(options_.listen, endpoint_);
  if (!status.ok()) return status;
  token_required_ = !options_.token_file.empty() || !endpoint_.local_only();
  if (token_required_) {
    if (options_.token_file.empty()) {
      return Status::AccessDenied("listening on " + endpoint_.text() +
                                  " reaches other machines: a token file is needed");
    }
    status = read_token_file(options_.token_file, token_);
    if (!status.ok()) return status;
  }
  server_ = std::make_unique<mis::Server>(options_.system);
  mis::topo::Database::install(*server_);
  server_->register_action("vqFdn", "vqListFdns",
                           [this](mis::Server&, mis::ManagedObject&, const Asn1Value&) {
                             mis::ActionReply reply;
                             reply.info = fdn_table();
                             return reply;
                           });
  // Links first: the kept requests were run with them in place.
  for (const auto& [system, address] : options_.links) {
    install_link_objects(system);
    std::unique_ptr<PeerLink> peer;
    status = PeerLink::open(*server_, system, address, peer);
    if (!status.ok()) return status;
    peers_.push_back(std::move(peer));
  }
  if (!options_.database.empty()) {
    status = SqliteStore::open(options_.database, options_.full_sync, store_);
    bool found = false;
    const auto rerun = [this](net::FrameKind kind, const std::string& payload) {
      Message request;
      if (kind == net::FrameKind::control) {
        run_control(payload);
      } else if (Message::decode(DataUnit(payload), request).ok()) {
        server_->handle(request, [](Message&&) {});
      }
    };
    if (status.ok()) status = store_->load(*server_, rerun, found);
    if (!status.ok()) return status;
    log(found ? "tree loaded from " + options_.database : "new tree in " + options_.database);
    // The kept tree shows the links as they were when it was kept.
    for (const auto& peer : peers_) peer->announce();
    status = store_->commit();
    if (!status.ok()) return status;
  }
  status = net::listen_on(endpoint_, net::ListenOptions{options_.group}, listener_);
  if (!status.ok()) return status;
  if (endpoint_.kind == net::Endpoint::Kind::tcp && endpoint_.port == 0) {
    endpoint_.port = net::bound_port(listener_);
  }
  log("serving " + options_.system + " on " + endpoint_.text());
  return Status::OK();
}

Status Daemon::run(const std::atomic<bool>& stop) {
  std::vector<pollfd> polled;
  std::vector<long> owners;  // the connection of each entry after the listener and peers
  while (!stop.load() && failure_.ok()) {
    polled.clear();
    owners.clear();
    // At the limit, newcomers wait in the listen queue rather than fail to be accepted.
    const bool accepting = connections_.size() < options_.max_connections;
    polled.push_back({accepting ? listener_.fd() : -1, POLLIN, 0});
    for (const auto& peer : peers_) polled.push_back({peer->fd(), POLLIN, 0});
    for (const auto& [id, connection] : connections_) {
      const short events = static_cast<short>(
          (connection->state() != ClientConnection::State::closing ? POLLIN : 0) |
          (connection->wants_write() ? POLLOUT : 0));
      polled.push_back({connection->fd(), events, 0});
      owners.push_back(id);
    }
    if (::poll(polled.data(), polled.size(), 200) < 0 && errno != EINTR) {
      return Status::ProcessingFailure("poll failed");
    }
    if ((polled[0].revents & POLLIN) != 0) accept_clients();
    drop_silent_greeters();
    for (std::size_t i = 0; i < peers_.size(); ++i) {
      if (polled[1 + i].revents != 0 || !peers_[i]->connected()) peers_[i]->pump();
    }
    const std::size_t first = 1 + peers_.size();
    for (std::size_t i = 0; i < owners.size() && failure_.ok(); ++i) {
      const auto found = connections_.find(owners[i]);
      if (found == connections_.end()) continue;
      ClientConnection& connection = *found->second;
      const short revents = polled[first + i].revents;
      if ((revents & (POLLIN | POLLHUP | POLLERR)) != 0 &&
          connection.state() != ClientConnection::State::closing) {
        // What came whole before the client left is still run.
        const bool open = connection.read();
        serve(connection);
        if (!open) depart(connection);
      }
    }
    // Replies go out only now, after the changes they acknowledge were committed.
    for (auto it = connections_.begin(); it != connections_.end();) {
      ClientConnection& connection = *it->second;
      const bool alive = connection.flush();
      if (!alive) depart(connection);
      if (!alive ||
          (connection.state() == ClientConnection::State::closing && !connection.wants_write())) {
        drop(connection);
        it = connections_.erase(it);
      } else {
        ++it;
      }
    }
  }
  return failure_;
}

void Daemon::accept_clients() {
  for (;;) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    const int fd = ::accept4(listener_.fd(), reinterpret_cast<sockaddr*>(&address), &length,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (address.ss_family == AF_INET) {
      const int on = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    const long id = next_connection_++;
    connections_.emplace(id,
                         std::make_unique<ClientConnection>(id, net::Socket(fd), describe(address),
                                                            options_.output_limit, seconds_now()));
    if (connections_.size() >= options_.max_connections) return;
  }
}

void Daemon::depart(ClientConnection& connection) {
  if (connection.state() == ClientConnection::State::closing) return;
  const bool halfway = connection.decoder().pending() > 0;
  connection.close("", true);
  if (halfway) {
    log("dropping connection " + std::to_string(connection.id()) + " (" + connection.peer() +
        "): it left in the middle of a frame");
  }
}

void Daemon::drop_silent_greeters() {
  const double now = seconds_now();
  for (auto& [id, connection] : connections_) {
    if (connection->state() == ClientConnection::State::greeting &&
        now - connection->opened() > options_.greeting_seconds) {
      connection->close("it said nothing", true);
      log("dropping connection " + std::to_string(id) + " (" + connection->peer() +
          "): it said nothing");
    }
  }
}

void Daemon::serve(ClientConnection& connection) {
  net::Frame frame;
  std::string error;
  while (connection.state() != ClientConnection::State::closing && failure_.ok()) {
    const auto result = connection.decoder().next(frame, error);
    if (result == net::FrameDecoder::Result::need_more) break;
    if (result == net::FrameDecoder::Result::bad) {
      connection.close(error, true);
      break;
    }
    if (connection.state() == ClientConnection::State::greeting) {
      if (frame.kind != net::FrameKind::hello) {
        connection.close("it sent no greeting", true);
        break;
      }
      greet(connection, frame.payload);
      continue;
    }
    if (frame.kind == net::FrameKind::control) {
      connection.send(net::FrameKind::control, run_control(frame.payload));
      failure_ = commit(frame.kind, frame.payload);
      continue;
    }
    if (frame.kind != net::FrameKind::message) {
      connection.close("it sent an unexpected frame", true);
      break;
    }
    const Status handled = handle_request(connection, frame.payload);
    if (!handled.ok()) connection.close(handled.message(), true);
  }
  if (connection.state() == ClientConnection::State::closing && !connection.why_closed().empty()) {
    log("dropping connection " + std::to_string(connection.id()) + " (" + connection.peer() +
        "): " + connection.why_closed());
  }
}

void Daemon::greet(ClientConnection& connection, const std::string& hello) {
  const std::size_t newline = hello.find('\n');
  const std::string role = hello.substr(0, newline);
  const std::string token = newline == std::string::npos ? "" : hello.substr(newline + 1);
  std::string refusal;
  if (role != "client" && !role.starts_with("peer:")) {
    refusal = "unknown role " + role.substr(0, 64);
  } else if (token_required_ && !tokens_equal(token_, token)) {
    refusal = token.empty() ? "this server needs a token" : "wrong token";
  }
  if (!refusal.empty()) {
    log("refused connection " + std::to_string(connection.id()) + " (" + connection.peer() +
        "): " + refusal);
    connection.send(net::FrameKind::refused, refusal);
    connection.close("");
    return;
  }
  const int application = server_->connect(&connection);
  connection.set_state(ClientConnection::State::serving);
  connection.send(net::FrameKind::welcome, std::to_string(application) + "\n" + options_.system);
}

Status Daemon::handle_request(ClientConnection& connection, const std::string& payload) {
  Message request;
  if (!Message::decode(DataUnit(payload), request).ok() || request.base_type() != Message::INVOKE ||
      request.type() == Message::EVENT_REPORT) {
    return Status::ProtocolError("it sent something that is not a request");
  }
  const long id = connection.id();
  server_->handle(request, [this, id](Message&& reply) { reply_to(id, std::move(reply)); });
  failure_ = commit(net::FrameKind::message, payload);
  return Status::OK();
}

Status Daemon::commit(net::FrameKind kind, const std::string& payload) {
  if (store_ == nullptr) return Status::OK();
  const Status kept = store_->commit(kind, payload);
  // What the tree holds could not be kept: nothing more is acknowledged.
  if (!kept.ok()) log("stopping: " + kept.text());
  return kept;
}

std::string Daemon::run_control(const std::string& command) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = command.find('\n', start)) != std::string::npos; start = end + 1) {
    parts.push_back(command.substr(start, end - start));
  }
  parts.push_back(command.substr(start));
  mis::topo::Database* database = mis::topo::Database::of(*server_);
  if (parts.size() < 3 || database == nullptr) return "error malformed command";
  if (parts[1] != options_.system) return "error alarms are raised on " + options_.system;
  Status status;
  long alarm = 0;
  if (parts[0] == "raise-alarm" && parts.size() == 4) {
    const Asn1Value name = fdn2oi(parts[2]);
    status = name.is_null() ? Status::InvalidArgument("not a name: " + parts[2])
                            : database->raise_alarm(name, std::atoi(parts[3].c_str()), alarm);
  } else if (parts[0] == "clear-alarm") {
    alarm = std::atol(parts[2].c_str());
    status = database->clear_alarm(alarm);
  } else {
    return "error unknown command " + parts[0].substr(0, 64);
  }
  return status.ok() ? "ok " + std::to_string(alarm) : "error " + status.text();
}

void Daemon::reply_to(long connection, Message&& reply) {
  const auto found = connections_.find(connection);
  if (found != connections_.end()) found->second->deliver(reply.encode());
}

void Daemon::drop(ClientConnection& connection) { server_->disconnect(&connection); }

// The objects of a link, as every server holds them for the servers linked under it: the
// entry of its server table and the CMIP agent entity through which it is managed.
void Daemon::install_link_objects(const std::string& remote) {
  mis::Server& up = *server_;
  const mis::Schema& schema = mis::Schema::get();
  const dn::Rdns table = name_of("serverTableType=\"mis\"");
  if (up.find(table) == nullptr) up.create("serverTable", table, {}, {}).IgnoreError();
  const dn::Rdns entry = name_of("serverTableType=\"mis\"/misId=" + quoted(remote));
  if (up.find(entry) == nullptr) up.create("misEntry", entry, {}, {}).IgnoreError();
  up.modify(entry,
            {{mis::ModifyMode::replace, schema.oid_of("currentState"), ber::enumerated(1)},
             {mis::ModifyMode::replace, schema.oid_of("agentList"), ber::set()}},
            false)
      .IgnoreError();
  const dn::Rdns agents = name_of("agentTableType=\"CMIP\"");
  if (up.find(agents) == nullptr) up.create("agentTable", agents, {}, {}).IgnoreError();
  const dn::Rdns agent = name_of("agentTableType=\"CMIP\"/agentId=id:" + quoted(remote));
  if (up.find(agent) != nullptr) return;
  Asn1Value managed = ber::set();
  managed.add_component(fdn2oi("/systemId=name:" + quoted(remote)));
  up.create("cmipAgentEntity", agent, {},
            {{schema.oid_of("managedDNs"), managed},
             {schema.oid_of("networkSAP"), ber::octets("mis:" + remote, TAG_GRAPHSTR)}})
      .IgnoreError();
}

// The FDN table lists each linked system with the route through its agent entity.
Asn1Value Daemon::fdn_table() const {
  Asn1Value table = ber::set();
  for (const auto& [system, address] : options_.links) {
    table.add_component(mis::fdn_table_entry(system, false));
  }
  return table;
}

}  // namespace hvx::daemon
