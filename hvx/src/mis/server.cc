#include "server.h"

#include <algorithm>
#include <utility>

#include "hvx/ber.h"

namespace hvx::mis {

namespace {

// The X.721 notifications of every change.
constexpr std::string_view kObjectCreation = "objectCreation";
constexpr std::string_view kObjectDeletion = "objectDeletion";
constexpr std::string_view kAttributeValueChange = "attributeValueChange";

const Oid& system_id_oid() {
  static const Oid kSystemId{2, 9, 3, 2, 7, 4};
  return kSystemId;
}

int reply_type(int request_type) {
  switch (request_type) {
    case Message::GET_REQUEST:
      return Message::GET_RESULT;
    case Message::ACTION_REQUEST:
      return Message::ACTION_RESULT;
    case Message::SET_REQUEST:
      return Message::SET_RESULT;
    case Message::CREATE_REQUEST:
      return Message::CREATE_RESULT;
    case Message::DELETE_REQUEST:
      return Message::DELETE_RESULT;
    case Message::DERIVE_REQUEST:
      return Message::DERIVE_RESULT;
    default:
      return Message::ERROR_REPLY;
  }
}

Message error_reply(const Message& request, const Outcome& outcome) {
  Message reply(Message::ERROR_REPLY);
  reply.set_id(request.id());
  reply.set_error(outcome.code, error_text(outcome.code, outcome.detail));
  return reply;
}

bool is_rdn_of(const Asn1Value& rdn, const Oid& attribute) {
  Oid id;
  Asn1Value value;
  return dn::first_assertion(rdn, id, value) && id == attribute;
}

// SET OF SEQUENCE { OBJECT IDENTIFIER, value }.
bool read_attribute_list(const Asn1Value& list, std::vector<std::pair<Oid, Asn1Value>>& out) {
  if (list.is_null()) return true;
  if (!list.is_constructed()) return false;
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Oid id;
    if (item.num_comps() != 2 || !item.first_component().decode_oid(id)) return false;
    out.emplace_back(id, item.first_component().next_component());
  }
  return true;
}

bool read_oid_list(const Asn1Value& list, std::vector<Oid>& out) {
  if (list.is_null()) return true;
  if (!list.is_constructed()) return false;
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Oid id;
    if (!item.decode_oid(id)) return false;
    out.push_back(id);
  }
  return true;
}

bool read_modifications(const Asn1Value& list, std::vector<Modification>& out) {
  if (list.is_null() || !list.is_constructed()) return false;
  for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
    Modification modification;
    long mode = 0;
    if (item.num_comps() != 3 || !item.first_component().decode_enum(mode) || mode < 0 ||
        mode > 2 || !item.component(1).decode_oid(modification.attribute)) {
      return false;
    }
    modification.mode = static_cast<ModifyMode>(mode);
    modification.value = item.component(2);
    out.push_back(std::move(modification));
  }
  return true;
}

std::string name_text(const dn::Rdns& name) { return dn::format(name, false); }

// The elements of a SET OF value (empty for a null value).
std::vector<Asn1Value> elements(const Asn1Value& value) {
  std::vector<Asn1Value> out;
  if (value.is_null()) return out;
  for (Asn1Value item = value.first_component(); !item.is_null(); item = item.next_component()) {
    out.push_back(item);
  }
  return out;
}

Asn1Value set_of(const Asn1Value& like, const std::vector<Asn1Value>& items) {
  Asn1Value set = ber::constructed(like.is_null() ? TAG_SET : like.tag());
  for (const Asn1Value& item : items) set.add_component(item);
  return set;
}

void rewrite_names(Message& message, const std::function<void(dn::Rdns&)>& rewrite);

// [1] sourceIndicator, as every notification of a change carries it.
Asn1Value source_indicator() {
  Asn1Value source;
  source.encode_enum(1, Asn1Tag(Asn1Tag::CONTEXT, 1));
  return source;
}

// objectCreation and objectDeletion: SEQUENCE { [1] sourceIndicator, [2] the attributes }.
Asn1Value object_info(const ManagedObject& object) {
  Asn1Value info = ber::sequence();
  info.add_component(source_indicator());
  Asn1Value list = ber::constructed(Asn1Tag(Asn1Tag::CONTEXT, 2));
  for (const auto& [id, value] : object.attributes) {
    Asn1Value pair = ber::sequence();
    pair.add_component(ber::oid(id));
    pair.add_component(value);
    list.add_component(pair);
  }
  info.add_component(list);
  return info;
}

// attributeValueChange: SEQUENCE { [1] sourceIndicator, [2] attribute ids,
//   [3] SET OF SEQUENCE { attribute id, old value, new value } }.
Asn1Value change_info(const std::vector<Change>& changes) {
  Asn1Value info = ber::sequence();
  info.add_component(source_indicator());
  Asn1Value ids = ber::constructed(Asn1Tag(Asn1Tag::CONTEXT, 2));
  Asn1Value definitions = ber::constructed(Asn1Tag(Asn1Tag::CONTEXT, 3));
  for (const Change& change : changes) {
    ids.add_component(ber::oid(change.attribute));
    Asn1Value entry = ber::sequence();
    entry.add_component(ber::oid(change.attribute));
    entry.add_component(change.old_value.is_null() ? ber::null_value() : change.old_value);
    entry.add_component(change.new_value);
    definitions.add_component(entry);
  }
  info.add_component(ids);
  info.add_component(definitions);
  return info;
}

}  // namespace

Server::Server(std::string system_name) : system_name_(std::move(system_name)) {
  install_base_objects();
}

Server::~Server() {
  for (Upstream& up : upstreams_) {
    for (auto& [name, link] : up.server->links_) {
      if (link.server == this) link.server = nullptr;
    }
  }
  for (auto& [name, link] : links_) {
    if (link.server == nullptr) continue;
    auto& ups = link.server->upstreams_;
    ups.erase(std::remove_if(ups.begin(), ups.end(),
                             [this](const Upstream& u) { return u.server == this; }),
              ups.end());
  }
}

void Server::reset() {
  tree_.clear();
  install_base_objects();
  for (auto& [name, extension] : extensions_) extension->restart(*this);
}

void Server::add_extension(std::string name, std::unique_ptr<Extension> extension) {
  for (auto& [held, current] : extensions_) {
    if (held == name) {
      current = std::move(extension);
      return;
    }
  }
  extensions_.emplace_back(std::move(name), std::move(extension));
}

Extension* Server::extension(std::string_view name) const {
  for (const auto& [held, extension] : extensions_) {
    if (held == name) return extension.get();
  }
  return nullptr;
}

bool Server::file(ManagedObject object) {
  if (object.info == nullptr) return false;
  return tree_.emplace(dn::key(object.name), std::move(object)).second;
}

void Server::install_base_objects() {
  const Schema& schema = Schema::get();
  const ClassInfo* system_class = schema.find_class("system");
  if (system_class == nullptr) return;
  ManagedObject system;
  system.info = system_class;
  system.attributes[system_id_oid()] = ber::octets(system_name_, TAG_GRAPHSTR);
  tree_.emplace(std::vector<std::string>(), std::move(system));
  // What every server holds from its start: its subsystem, the FDN table and the
  // connection manager. Filed directly: nobody is connected yet to hear of them.
  const struct {
    std::string_view class_name;
    std::string_view name;
  } kBase[] = {
      {"subsystem", "subsystemId=\"VQ-MIS\""},
      {"vqFdn", "subsystemId=\"VQ-MIS\"/subsystemId=\"FdnTable\""},
      {"connectMgr", "subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\""},
  };
  for (const auto& base : kBase) {
    ManagedObject object;
    object.info = schema.find_class(base.class_name);
    if (object.info == nullptr || !dn::from_text(base.name, object.name)) continue;
    Oid id;
    Asn1Value value;
    if (dn::first_assertion(object.name.back(), id, value)) object.attributes[id] = value;
    tree_.emplace(dn::key(object.name), std::move(object));
  }
}

void Server::register_hooks(std::string_view class_name, ClassHooks hooks) {
  const ClassInfo* info = Schema::get().find_class(class_name);
  if (info != nullptr) hooks_[info->oid] = std::move(hooks);
}

void Server::register_action(std::string_view class_name, std::string_view action_name,
                             ActionHandler handler) {
  const Schema& schema = Schema::get();
  const ClassInfo* info = schema.find_class(class_name);
  const ActionDef* action = schema.find_action(action_name);
  if (action == nullptr) action = schema.find_action(Oid(action_name));
  if (info == nullptr || action == nullptr) return;
  actions_[{info->oid, Oid(action->oid)}] = std::move(handler);
}

const ClassHooks* Server::hooks_for(const ClassInfo& info) const {
  const auto it = hooks_.find(info.oid);
  return it == hooks_.end() ? nullptr : &it->second;
}

ManagedObject* Server::find(const dn::Rdns& name) {
  const auto it = tree_.find(dn::key(name));
  return it == tree_.end() ? nullptr : &it->second;
}

const ManagedObject* Server::find(const dn::Rdns& name) const {
  const auto it = tree_.find(dn::key(name));
  return it == tree_.end() ? nullptr : &it->second;
}

std::vector<const ManagedObject*> Server::children(const dn::Rdns& base) const {
  std::vector<const ManagedObject*> out;
  const std::vector<std::string> base_key = dn::key(base);
  // Keys sort by RDN, so everything below `base` follows it contiguously.
  for (auto it = tree_.upper_bound(base_key); it != tree_.end(); ++it) {
    const auto& key = it->first;
    if (key.size() <= base_key.size() ||
        !std::equal(base_key.begin(), base_key.end(), key.begin())) {
      break;
    }
    if (key.size() == base_key.size() + 1) out.push_back(&it->second);
  }
  return out;
}

// --- Changes -----------------------------------------------------------------------------

Outcome Server::create(std::string_view class_name, dn::Rdns name, const dn::Rdns& superior,
                       const std::vector<std::pair<Oid, Asn1Value>>& attributes,
                       const ManagedObject** created) {
  const Schema& schema = Schema::get();
  const ClassInfo* info = schema.find_class(class_name);
  if (info == nullptr) {
    return Outcome::Fail(ErrorCode::no_such_object_class, std::string(class_name));
  }
  ManagedObject object;
  object.info = info;
  for (const auto& [id, value] : attributes) {
    const auto attribute = info->attributes.find(id);
    if (attribute == info->attributes.end()) {
      return Outcome::Fail(ErrorCode::no_such_attribute, id.format());
    }
    if (!attribute->second->settable && id != info->naming) {
      return Outcome::Fail(ErrorCode::attribute_not_settable, std::string(attribute->second->name));
    }
    if (!Schema::fits(attribute->second->syntax, value)) {
      return Outcome::Fail(ErrorCode::invalid_attribute_value,
                           std::string(attribute->second->name));
    }
    object.attributes[id] = value;
  }
  const ClassHooks* hooks = hooks_for(*info);
  if (name.empty()) {
    // Named by the server: below `superior`, from the naming attribute's given value, the
    // class's hook, or the next free integer.
    if (find(superior) == nullptr) {
      return Outcome::Fail(ErrorCode::no_such_superior, name_text(superior));
    }
    object.name = superior;
    if (hooks != nullptr && hooks->before_create) {
      Outcome outcome = hooks->before_create(*this, object);
      if (!outcome.ok()) return outcome;
    }
    if (object.name.size() == superior.size()) {
      const Asn1Value* given = object.find(info->naming);
      if (given != nullptr) {
        object.name.push_back(dn::rdn(info->naming, *given));
      } else {
        long next = 1;
        for (const ManagedObject* sibling : children(superior)) {
          Oid id;
          Asn1Value value;
          long number = 0;
          if (dn::first_assertion(sibling->name.back(), id, value) && id == info->naming &&
              value.decode_int(number) && number >= next) {
            next = number + 1;
          }
        }
        object.name.push_back(dn::rdn(info->naming, ber::integer(next)));
      }
    }
  } else {
    object.name = std::move(name);
    if (hooks != nullptr && hooks->before_create) {
      Outcome outcome = hooks->before_create(*this, object);
      if (!outcome.ok()) return outcome;
    }
  }
  if (object.name.empty()) {
    return Outcome::Fail(ErrorCode::duplicate_object_instance, "/");
  }
  Oid naming_id;
  Asn1Value naming_value;
  if (!dn::first_assertion(object.name.back(), naming_id, naming_value) ||
      naming_id != info->naming) {
    return Outcome::Fail(ErrorCode::class_instance_conflict, name_text(object.name));
  }
  object.attributes[naming_id] = naming_value;
  if (find(object.name) != nullptr) {
    return Outcome::Fail(ErrorCode::duplicate_object_instance, name_text(object.name));
  }
  const dn::Rdns parent(object.name.begin(), object.name.end() - 1);
  if (find(parent) == nullptr) {
    return Outcome::Fail(ErrorCode::no_such_superior, name_text(parent));
  }
  if (hooks != nullptr) {
    for (const std::string& mandatory : hooks->mandatory) {
      const AttributeInfo* attribute = schema.find_attribute(mandatory);
      if (attribute != nullptr && object.find(attribute->oid) == nullptr) {
        return Outcome::Fail(ErrorCode::missing_attribute_value, std::string(attribute->def->name));
      }
    }
  }
  auto [it, inserted] = tree_.emplace(dn::key(object.name), std::move(object));
  (void)inserted;
  const ManagedObject& stored = it->second;
  if (created != nullptr) *created = &stored;

  emit(stored, schema.oid_of(kObjectCreation), heard() ? object_info(stored) : Asn1Value());
  if (hooks != nullptr && hooks->after_create) hooks->after_create(*this, stored);
  return Outcome::Ok();
}

Outcome Server::modify(const dn::Rdns& name, const std::vector<Modification>& modifications,
                       bool check_settable) {
  ManagedObject* object = find(name);
  if (object == nullptr) {
    return Outcome::Fail(ErrorCode::no_such_object_instance, name_text(name));
  }
  // Work on a copy: a refused modification leaves the object as it was.
  std::map<Oid, Asn1Value> values = object->attributes;
  std::vector<Oid> touched;
  for (const Modification& modification : modifications) {
    const auto attribute = object->info->attributes.find(modification.attribute);
    if (attribute == object->info->attributes.end()) {
      return Outcome::Fail(ErrorCode::no_such_attribute, modification.attribute.format());
    }
    const AttributeDef& def = *attribute->second;
    if (check_settable && (!def.settable || modification.attribute == object->info->naming)) {
      return Outcome::Fail(ErrorCode::attribute_not_settable, std::string(def.name));
    }
    Asn1Value& current = values[modification.attribute];
    if (modification.mode == ModifyMode::replace) {
      if (!Schema::fits(def.syntax, modification.value)) {
        return Outcome::Fail(ErrorCode::invalid_attribute_value, std::string(def.name));
      }
      current = modification.value;
    } else {
      if (!def.set_valued) {
        return Outcome::Fail(ErrorCode::invalid_attribute_value,
                             std::string(def.name) + " is not set-valued");
      }
      // INCLUDE and EXCLUDE take either one element or a set of them.
      std::vector<Asn1Value> given;
      if (Schema::fits(def.syntax, modification.value)) {
        given = elements(modification.value);
      } else if (Schema::element_fits(def.syntax, modification.value)) {
        given.push_back(modification.value);
      } else {
        return Outcome::Fail(ErrorCode::invalid_attribute_value, std::string(def.name));
      }
      std::vector<Asn1Value> members = elements(current);
      for (const Asn1Value& element : given) {
        const auto found = std::find(members.begin(), members.end(), element);
        if (modification.mode == ModifyMode::include && found == members.end()) {
          members.push_back(element);
        } else if (modification.mode == ModifyMode::exclude && found != members.end()) {
          members.erase(found);
        }
      }
      current = set_of(current, members);
    }
    if (std::find(touched.begin(), touched.end(), modification.attribute) == touched.end()) {
      touched.push_back(modification.attribute);
    }
  }
  std::vector<Change> changes;
  for (const Oid& id : touched) {
    const Asn1Value* before = object->find(id);
    const Asn1Value& after = values[id];
    if (before != nullptr && *before == after) continue;
    changes.push_back({id, before != nullptr ? *before : Asn1Value(), after});
  }
  const ClassHooks* hooks = hooks_for(*object->info);
  if (hooks != nullptr && hooks->before_set && !changes.empty()) {
    Outcome outcome = hooks->before_set(*this, *object, changes);
    if (!outcome.ok()) return outcome;
  }
  if (changes.empty()) return Outcome::Ok();
  for (const Change& change : changes) object->attributes[change.attribute] = change.new_value;

  const ManagedObject snapshot = *object;
  emit(snapshot, Schema::get().oid_of(kAttributeValueChange),
       heard() ? change_info(changes) : Asn1Value());
  if (hooks != nullptr && hooks->after_set) hooks->after_set(*this, snapshot, changes);
  return Outcome::Ok();
}

Outcome Server::remove(const dn::Rdns& name) {
  const auto it = tree_.find(dn::key(name));
  if (it == tree_.end() || name.empty()) {
    return Outcome::Fail(ErrorCode::no_such_object_instance, name_text(name));
  }
  if (!children(name).empty()) {
    return Outcome::Fail(ErrorCode::processing_failure,
                         name_text(name) + " has subordinate objects");
  }
  const ClassHooks* hooks = hooks_for(*it->second.info);
  if (hooks != nullptr && hooks->before_delete) {
    Outcome outcome = hooks->before_delete(*this, it->second);
    if (!outcome.ok()) return outcome;
  }
  const ManagedObject removed = std::move(it->second);
  tree_.erase(it);
  emit(removed, Schema::get().oid_of(kObjectDeletion),
       heard() ? object_info(removed) : Asn1Value());
  if (hooks != nullptr && hooks->after_delete) hooks->after_delete(*this, removed);
  return Outcome::Ok();
}

// --- Notifications -----------------------------------------------------------------------

void Server::emit(const ManagedObject& object, const Oid& event_type, const Asn1Value& info) {
  emit(object.info->oid, object.name, event_type, info);
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
  deliver(client, event);
}

// Delivers an event: `client` to the connections (names as they see them), `relative` (the
// name relative to this server) up every link, where the link's table entries go in front.
void Server::deliver(const Message& client, const Message& relative) {
  if (!listeners_.empty()) {
    const DataUnit pdu = client.encode();
    // A listener may disconnect while being served: walk a copy.
    const auto listeners = listeners_;
    for (const auto& [listener, number] : listeners) listener->deliver(pdu);
  }
  if (upstreams_.empty()) return;
  const auto upstreams = upstreams_;
  for (const Upstream& up : upstreams) up.server->forward_event(relative, *this);
}

const Asn1Value& Server::system_rdn() const {
  if (system_rdn_.is_null()) {
    system_rdn_ = dn::rdn(system_id_oid(), ber::octets(system_name_, TAG_GRAPHSTR));
  }
  return system_rdn_;
}

void Server::client_view(Message& message) const {
  const Asn1Value& system = system_rdn();
  rewrite_names(message, [&system](dn::Rdns& name) { name.insert(name.begin(), system); });
}

void Server::forward_event(const Message& event, const Server& from) {
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
  deliver(out, out);
}

// --- Connections and links ---------------------------------------------------------------

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
  // Notifications travel up the links: a cycle would send them round forever.
  std::vector<const Server*> pending{this};
  while (!pending.empty()) {
    const Server* server = pending.back();
    pending.pop_back();
    if (server == remote) return false;
    for (const Upstream& up : server->upstreams_) pending.push_back(up.server);
  }
  links_.emplace(remote->system_name(), Link{remote, true});
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

// --- Requests ----------------------------------------------------------------------------

namespace {

// Rewrites every name a reply or notification carries.
void rewrite_names(Message& message, const std::function<void(dn::Rdns&)>& rewrite) {
  auto rewritten = [&rewrite](const Asn1Value& instance) {
    dn::Rdns name;
    if (!dn::parse(instance, name)) return instance;
    rewrite(name);
    return dn::instance(name);
  };
  if (message.has(Message::OBJECT_INSTANCE)) {
    message.set_object_instance(rewritten(message.get_object_instance()));
  }
  if (message.has(Message::OBJECTS)) {
    Asn1Value objects = ber::sequence();
    const Asn1Value& list = message.get(Message::OBJECTS);
    for (Asn1Value item = list.first_component(); !item.is_null(); item = item.next_component()) {
      Asn1Value entry = ber::sequence();
      int index = 0;
      for (Asn1Value part = item.first_component(); !part.is_null(); part = part.next_component()) {
        entry.add_component(index++ == 1 ? rewritten(part) : part);
      }
      objects.add_component(entry);
    }
    message.set(Message::OBJECTS, objects);
  }
}

}  // namespace

Outcome Server::route(const Message& request, dn::Rdns& name, Server*& target, dn::Rdns& prefix) {
  target = this;
  const Message::Field field =
      request.has(Message::SUPERIOR) && !request.has(Message::OBJECT_INSTANCE)
          ? Message::SUPERIOR
          : Message::OBJECT_INSTANCE;
  if (!request.has(field)) {
    if (request.type() == Message::CREATE_REQUEST) {
      return Outcome::Fail(ErrorCode::invalid_argument, "a create needs a name or a superior");
    }
    return Outcome::Fail(ErrorCode::no_such_object_instance, "no object instance");
  }
  if (!dn::parse(request.get(field), name)) {
    return Outcome::Fail(ErrorCode::invalid_argument, "malformed object instance");
  }
  const Schema& schema = Schema::get();
  const Oid& server_table = schema.oid_of("serverTableType");
  const Oid& mis_id = schema.oid_of("misId");
  Server* server = this;
  while (!name.empty()) {
    Oid id;
    Asn1Value value;
    dn::first_assertion(name.front(), id, value);
    if (id == system_id_oid()) {
      const std::string system = dn::string_value(name.front());
      if (system == server->system_name_) {
        name.erase(name.begin());
        continue;
      }
      const auto link = server->links_.find(system);
      if (link == server->links_.end() || link->second.server == nullptr) {
        return Outcome::Fail(ErrorCode::no_such_object_instance, dn::format(name, true));
      }
      if (!link->second.connected) return Outcome::Fail(ErrorCode::not_connected, system);
      prefix.push_back(name.front());
      name.erase(name.begin());
      server = link->second.server;
      continue;
    }
    if (id == server_table && name.size() >= 2 && is_rdn_of(name[1], mis_id)) {
      const std::string system = dn::string_value(name[1]);
      const auto link = server->links_.find(system);
      if (link == server->links_.end() || link->second.server == nullptr) {
        return Outcome::Fail(ErrorCode::no_such_object_instance, dn::format(name, true));
      }
      if (!link->second.connected) return Outcome::Fail(ErrorCode::not_connected, system);
      prefix.insert(prefix.end(), name.begin(), name.begin() + 2);
      name.erase(name.begin(), name.begin() + 2);
      server = link->second.server;
      continue;
    }
    break;
  }
  target = server;
  return Outcome::Ok();
}

void Server::handle(const Message& request, const ReplyFunction& reply) {
  dn::Rdns name;
  dn::Rdns prefix;
  Server* target = nullptr;
  const Outcome routed = route(request, name, target, prefix);
  if (!routed.ok()) {
    reply(error_reply(request, routed));
    return;
  }
  if (prefix.empty()) {
    target->handle_local(request, name, [this, &reply](Message&& answer) {
      client_view(answer);
      reply(std::move(answer));
    });
    return;
  }
  target->handle_local(request, name, [&prefix, &reply](Message&& answer) {
    rewrite_names(answer,
                  [&prefix](dn::Rdns& n) { n.insert(n.begin(), prefix.begin(), prefix.end()); });
    reply(std::move(answer));
  });
}

void Server::handle_local(const Message& request, const dn::Rdns& name,
                          const ReplyFunction& reply) {
  if (request.type() == Message::ACTION_REQUEST) {
    do_action(request, name, reply);
    return;
  }
  Message answer(reply_type(request.type()));
  answer.set_id(request.id());
  Outcome outcome;
  switch (request.type()) {
    case Message::GET_REQUEST:
      outcome = do_get(request, name, answer);
      break;
    case Message::SET_REQUEST:
      outcome = do_set(request, name, answer);
      break;
    case Message::CREATE_REQUEST:
      outcome = do_create(request, name, answer);
      break;
    case Message::DELETE_REQUEST:
      outcome = do_delete(name, answer);
      break;
    case Message::DERIVE_REQUEST:
      outcome = do_derive(request, name, answer);
      break;
    default:
      outcome = Outcome::Fail(ErrorCode::protocol_error, "not a request");
      break;
  }
  reply(outcome.ok() ? std::move(answer) : error_reply(request, outcome));
}

Asn1Value Server::object_attributes(const ManagedObject& object,
                                    const std::vector<Oid>& ids) const {
  Asn1Value list = ber::set();
  auto add = [&list](const Oid& id, const Asn1Value& value) {
    Asn1Value pair = ber::sequence();
    pair.add_component(ber::oid(id));
    pair.add_component(value);
    list.add_component(pair);
  };
  if (ids.empty()) {
    for (const auto& [id, value] : object.attributes) add(id, value);
  } else {
    for (const Oid& id : ids) {
      const Asn1Value* value = object.find(id);
      if (value != nullptr) add(id, *value);
    }
  }
  return list;
}

Outcome Server::do_get(const Message& request, const dn::Rdns& name, Message& reply) {
  const ManagedObject* object = find(name);
  if (object == nullptr) return Outcome::Fail(ErrorCode::no_such_object_instance, name_text(name));
  std::vector<Oid> ids;
  if (!read_oid_list(request.get(Message::ATTRIBUTE_IDS), ids)) {
    return Outcome::Fail(ErrorCode::invalid_argument, "malformed attribute list");
  }
  for (const Oid& id : ids) {
    if (object->info->attributes.count(id) == 0) {
      return Outcome::Fail(ErrorCode::no_such_attribute, id.format());
    }
  }
  reply.set_object_class(ber::oid(object->info->oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
  reply.set_object_instance(dn::instance(object->name));
  reply.set(Message::ATTRIBUTES, object_attributes(*object, ids));
  return Outcome::Ok();
}

Outcome Server::do_set(const Message& request, const dn::Rdns& name, Message& reply) {
  std::vector<Modification> modifications;
  if (!read_modifications(request.get(Message::MODIFICATIONS), modifications)) {
    return Outcome::Fail(ErrorCode::invalid_argument, "malformed modification list");
  }
  Outcome outcome = modify(name, modifications);
  if (!outcome.ok()) return outcome;
  return do_get(Message(Message::GET_REQUEST), name, reply);
}

Outcome Server::do_create(const Message& request, const dn::Rdns& name, Message& reply) {
  Oid class_oid;
  if (!request.get_object_class().decode_oid(class_oid)) {
    return Outcome::Fail(ErrorCode::no_such_object_class, "no object class");
  }
  const ClassInfo* info = Schema::get().find_class(class_oid);
  if (info == nullptr) return Outcome::Fail(ErrorCode::no_such_object_class, class_oid.format());
  std::vector<std::pair<Oid, Asn1Value>> attributes;
  if (!read_attribute_list(request.get(Message::ATTRIBUTES), attributes)) {
    return Outcome::Fail(ErrorCode::invalid_argument, "malformed attribute list");
  }
  const bool named = request.has(Message::OBJECT_INSTANCE);
  const ManagedObject* created = nullptr;
  Outcome outcome = create(info->def->name, named ? name : dn::Rdns(), named ? dn::Rdns() : name,
                           attributes, &created);
  if (!outcome.ok()) return outcome;
  return do_get(Message(Message::GET_REQUEST), created->name, reply);
}

Outcome Server::do_delete(const dn::Rdns& name, Message& reply) {
  Outcome outcome = remove(name);
  if (outcome.ok()) reply.set_object_instance(dn::instance(name));
  return outcome;
}

Outcome Server::do_derive(const Message& request, const dn::Rdns& name, Message& reply) {
  if (find(name) == nullptr)
    return Outcome::Fail(ErrorCode::no_such_object_instance, name_text(name));
  std::vector<Oid> wanted;
  if (!read_oid_list(request.get(Message::ATTRIBUTE_IDS), wanted)) {
    return Outcome::Fail(ErrorCode::invalid_argument, "malformed attribute list");
  }
  Asn1Value objects = ber::sequence();
  for (const ManagedObject* child : children(name)) {
    Asn1Value entry = ber::sequence();
    entry.add_component(ber::oid(child->info->oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
    entry.add_component(dn::instance(child->name));
    entry.add_component(object_attributes(*child, wanted));
    objects.add_component(entry);
  }
  reply.set(Message::OBJECTS, objects);
  return Outcome::Ok();
}

void Server::do_action(const Message& request, const dn::Rdns& name, const ReplyFunction& reply) {
  ManagedObject* object = find(name);
  if (object == nullptr) {
    reply(error_reply(request, Outcome::Fail(ErrorCode::no_such_object_instance, name_text(name))));
    return;
  }
  Oid action_oid;
  if (!request.get_action_type().decode_oid(action_oid)) {
    reply(error_reply(request, Outcome::Fail(ErrorCode::no_such_action, "no action type")));
    return;
  }
  const auto known = object->info->actions.find(action_oid);
  if (known == object->info->actions.end()) {
    reply(error_reply(request, Outcome::Fail(ErrorCode::no_such_action, action_oid.format())));
    return;
  }
  const ActionDef& def = *known->second;
  const Asn1Value& argument = request.get_action_info();
  if (!def.argument.empty() && !argument.is_null() && !Schema::fits(def.argument, argument)) {
    reply(error_reply(request, Outcome::Fail(ErrorCode::invalid_argument,
                                             std::string(def.name) + ": the argument is not a " +
                                                 std::string(def.argument))));
    return;
  }
  const auto handler = actions_.find({object->info->oid, action_oid});
  if (handler == actions_.end()) {
    reply(error_reply(request, Outcome::Fail(ErrorCode::processing_failure,
                                             std::string(def.name) + " has no handler")));
    return;
  }
  ActionReply answer = handler->second(*this, *object, argument);
  if (!answer.outcome.ok()) {
    reply(error_reply(request, answer.outcome));
    return;
  }
  const Asn1Value action_type = ber::oid(action_oid, Asn1Tag(Asn1Tag::CONTEXT, 2));
  for (const Asn1Value& linked : answer.linked) {
    Message part(Message::ACTION_RESULT);
    part.set_id(request.id());
    part.set_linked_id(request.id());
    part.set_action_type(action_type);
    part.set_action_info(linked);
    reply(std::move(part));
  }
  Message final_reply(Message::ACTION_RESULT);
  final_reply.set_id(request.id());
  final_reply.set_action_type(action_type);
  if (!answer.info.is_null()) final_reply.set_action_info(answer.info);
  reply(std::move(final_reply));
}

}  // namespace hvx::mis
