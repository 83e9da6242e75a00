// Server: the embedded management information server of one system. It holds the
// information tree, runs requests against it, emits the notification of every change to
// its connections and to the servers it is linked under, and routes requests for linked
// servers.
#ifndef HVX_SRC_MIS_SERVER_H_
#define HVX_SRC_MIS_SERVER_H_

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dn.h"
#include "hvx/data_unit.h"
#include "hvx/error.h"
#include "hvx/message.h"
#include "hvx/status.h"
#include "managed_object.h"
#include "packed_bytes.h"
#include "schema.h"
#include "tree_store.h"

namespace hvx::mis {

class Server;

// One attribute change of a set (or a derived change): attribute, old value (null when
// there was none) and new value (null when the attribute lost its value).
struct Change {
  Oid attribute;
  Asn1Value old_value;
  Asn1Value new_value;
};

// Per-class behaviour. Every hook is optional. "before" hooks may refuse (the request then
// fails with their outcome and nothing changes); "after" hooks run once the change and its
// notification are done and may make derived changes through the Server.
struct ClassHooks {
  // May fill in attributes or choose the last RDN of an object created without a name.
  std::function<Status(Server&, ManagedObject&)> before_create;
  std::function<void(Server&, const ManagedObject&)> after_create;
  std::function<Status(Server&, const ManagedObject&, const std::vector<Change>&)> before_set;
  std::function<void(Server&, const ManagedObject&, const std::vector<Change>&)> after_set;
  std::function<Status(Server&, const ManagedObject&)> before_delete;
  std::function<void(Server&, const ManagedObject&)> after_delete;
  // Attributes (qualified or short names) a create must give.
  std::vector<std::string> mandatory;
};

// What an action handler answers: linked replies (each an action result on its own) and
// the final reply's information (null for none), or an error.
struct ActionReply {
  Status outcome;
  std::vector<Asn1Value> linked;
  // Linked replies already encoded, each the BER of one value; answered after `linked`.
  std::vector<DataUnit> linked_encoded;
  Asn1Value info;
  // The final reply's information already encoded; used when `info` is null.
  DataUnit info_encoded;
};
using ActionHandler =
    std::function<ActionReply(Server&, ManagedObject&, const Asn1Value& argument)>;

// A client connection: receives the encoded replies and notifications meant for it.
class Listener {
 public:
  virtual ~Listener() = default;
  virtual void deliver(const DataUnit& pdu) = 0;
};

using ReplyFunction = std::function<void(Message&&)>;
// How a server reaches a server of another process linked under it: the request carries
// names as that server's own clients write them, and every reply goes to `reply`, at once
// or later.
using Forwarder = std::function<void(const Message& request, ReplyFunction reply)>;

// State a server is extended with beyond its tree (the topology database keeps its indexes
// here). It lives as long as the server and starts afresh whenever the tree does.
class Extension {
 public:
  virtual ~Extension() = default;
  // The tree was just cleared back to the objects every server holds: file again what the
  // extension adds from the start, and forget everything else.
  virtual void restart(Server& server) = 0;
};

class Server {
 public:
  explicit Server(std::string system_name);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  const std::string& system_name() const { return system_name_; }

  // Back to a fresh tree (the system object and the objects every server holds); hooks,
  // handlers, connections and links stay, and every extension restarts.
  void reset();

  // Extensions by name; the server owns them. Adding under a taken name replaces.
  void add_extension(std::string name, std::unique_ptr<Extension> extension);
  Extension* extension(std::string_view name) const;

  // Where every change of the tree is told (nullptr: nowhere); the store outlives its use.
  void set_store(TreeStore* store) { store_ = store; }
  // Every object, in name order.
  void for_each(const std::function<void(const ManagedObject&)>& visit) const {
    for (const auto& [key, object] : tree_) visit(object);
  }

  // Behaviour per class (qualified or short class name) and per action (name or dotted
  // identifier).
  void register_hooks(std::string_view class_name, ClassHooks hooks);
  void register_action(std::string_view class_name, std::string_view action_name,
                       ActionHandler handler);

  // The tree, for handlers and worlds. Names are relative to this server's system
  // object. Each change emits its notification.
  ManagedObject* find(const dn::Rdns& name);
  const ManagedObject* find(const dn::Rdns& name) const;
  // The objects directly below `base`, in name order.
  std::vector<const ManagedObject*> children(const dn::Rdns& base) const;
  size_t size() const { return tree_.size(); }
  // Moves on with every object filed, created, changed or deleted: what was read from the
  // tree at one revision still holds while it stays the same.
  std::uint64_t revision() const { return revisions_; }
  // Moves the revision of an object changed in place (no checks, hooks or notification)
  // on, and the tree's with it.
  void touch(ManagedObject& object) {
    object.revision = ++revisions_;
    stored(object.name());
  }
  // Creates an object of `class_name` under the checks of a create request. With an empty
  // name the class's before_create hook (or the next free integer of the naming attribute)
  // names it under `superior`.
  Status create(std::string_view class_name, dn::Rdns name, const dn::Rdns& superior,
                const std::vector<std::pair<Oid, Asn1Value>>& attributes,
                const ManagedObject** created = nullptr);
  // Replaces attribute values (or adds/removes set members) and emits one
  // attributeValueChange listing every changed attribute.
  Status modify(const dn::Rdns& name, const std::vector<Modification>& modifications,
                bool check_settable = true);
  Status remove(const dn::Rdns& name);
  // Files an object as it is: no checks, hooks or notification. For the objects a server
  // holds from its start. False when the name is taken.
  bool file(ManagedObject object);
  // Emits a notification about `object` (relative name) to connections and upstream.
  void emit(const ManagedObject& object, const Oid& event_type, const Asn1Value& info);
  // `attributes` travel with the notification (identifying what the information is about).
  void emit(const Oid& class_oid, const dn::Rdns& name, const Oid& event_type,
            const Asn1Value& info, const std::vector<std::pair<Oid, Asn1Value>>& attributes = {});

  // Requests from clients. `reply` receives every reply (linked ones, then the final
  // one), with names as seen by the client.
  void handle(const Message& request, const ReplyFunction& reply);

  // Connections: an application number each, in connection order.
  int connect(Listener* listener);
  void disconnect(Listener* listener);

  // Links: `remote` becomes reachable as serverTableType="mis"/misId="<its name>"
  // below this server, and its notifications come up through this one. Links may form
  // cycles: a notification goes up every route that passes no server twice.
  bool link(Server* remote);
  void unlink(Server* remote);
  // Links a server of another process under this one, reached through `forward`.
  bool link_remote(const std::string& system, Forwarder forward);
  // A notification from a server of another process linked under this one, with names as
  // its clients read them. One that has come round to this server again is dropped.
  void receive_linked_event(std::string_view system, const Message& event);
  // A link's state; requests for a disconnected server fail with notConnected.
  bool set_link_connected(std::string_view remote_name, bool connected);
  Server* linked(std::string_view remote_name) const;
  // The systems linked directly below this one, by name.
  std::vector<std::string> linked_systems() const;
  bool is_link_connected(std::string_view remote_name) const;

  // Names as a client of this server reads them: this system's RDN in front.
  void client_view(Message& message) const;

  // Whether anyone hears this server's notifications: a connection, or a server it is
  // linked under. Nobody hearing, their information need not be built.
  bool heard() const { return !listeners_.empty() || !upstreams_.empty(); }

  // The notifications emitted so far (for tests and benchmarks that count).
  unsigned long notifications_emitted() const { return notifications_emitted_; }

 private:
  struct Link {
    Server* server;
    bool connected;
    Forwarder forward;  // for a server of another process
  };
  struct Upstream {
    Server* server;
  };

  void stored(const dn::Rdns& name) {
    if (store_ != nullptr) store_->changed(name);
  }
  // The attribute that names a system object.
  static const Oid& system_id();
  void install_base_objects();
  Status name_by_server(ManagedObject& object, const dn::Rdns& superior, const ClassHooks* hooks);
  // `name` is the object's name.
  Status check_new_object(ManagedObject& object, const dn::Rdns& name,
                          const ClassHooks* hooks) const;
  Status route(const Message& request, dn::Rdns& name, Server*& target, dn::Rdns& prefix,
               const Link*& remote);
  void forward_request(const Message& request, const dn::Rdns& name, const dn::Rdns& prefix,
                       const Link& remote, const ReplyFunction& reply);
  void handle_local(const Message& request, const dn::Rdns& name, const ReplyFunction& reply);
  Status do_get(const Message& request, const dn::Rdns& name, Message& reply);
  Status do_set(const Message& request, const dn::Rdns& name, Message& reply);
  Status do_create(const Message& request, const dn::Rdns& name, Message& reply);
  Status do_delete(const dn::Rdns& name, Message& reply);
  Status do_derive(const Message& request, const dn::Rdns& name, Message& reply);
  void do_action(const Message& request, const dn::Rdns& name, const ReplyFunction& reply);
  // The servers an event has come through, the one it started on first.
  using Route = std::vector<const Server*>;
  void forward_event(const Message& event, const Server& from, Route& route);
  void deliver(const Message& client, const Message& relative, Route& route);
  // This system's naming component, built once.
  const Asn1Value& system_rdn() const;
  Asn1Value object_attributes(const ManagedObject& object, const std::vector<Oid>& ids) const;
  const ClassHooks* hooks_for(const ClassInfo& info) const;

  std::string system_name_;
  mutable Asn1Value system_rdn_;
  // Keys in octet order, looked up by a view of a key.
  struct KeyOrder {
    using is_transparent = void;
    bool operator()(const PackedBytes& a, const PackedBytes& b) const { return a.view() < b.view(); }
    bool operator()(const PackedBytes& a, std::string_view b) const { return a.view() < b; }
    bool operator()(std::string_view a, const PackedBytes& b) const { return a < b.view(); }
  };

  // By the keys of the objects' names (see tree_key), which sort as the names do.
  std::map<PackedBytes, ManagedObject, KeyOrder> tree_;
  std::map<Oid, ClassHooks> hooks_;
  std::map<std::pair<Oid, Oid>, ActionHandler> actions_;
  std::vector<std::pair<Listener*, int>> listeners_;
  int next_application_ = 1;
  std::map<std::string, Link, std::less<>> links_;
  std::vector<Upstream> upstreams_;
  std::vector<std::pair<std::string, std::unique_ptr<Extension>>> extensions_;
  unsigned long notifications_emitted_ = 0;
  std::uint64_t revisions_ = 0;
  TreeStore* store_ = nullptr;
};

// The FDN-table entry of `remote`, a system linked under this server: its name (the
// systemId form, or the misId form of the server table) and the route through the link's
// CMIP agent entity.
Asn1Value fdn_table_entry(const std::string& remote, bool mis_id_form);

}  // namespace hvx::mis

#endif  // HVX_SRC_MIS_SERVER_H_
