// Requests from clients: routed along the links to the server they name, run against its
// tree, and answered with names as the client sees them.
#include <functional>
#include <utility>

#include "hvx/ber.h"
#include "server.h"

namespace hvx::mis {

namespace {

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

Message error_reply(const Message& request, const Status& outcome) {
  Message reply(Message::ERROR_REPLY);
  reply.set_id(request.id());
  reply.set_error(outcome.code(), error_text(outcome.code(), outcome.message()));
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

void Server::client_view(Message& message) const {
  const Asn1Value& system = system_rdn();
  rewrite_names(message, [&system](dn::Rdns& name) { name.insert(name.begin(), system); });
}

Status Server::route(const Message& request, dn::Rdns& name, Server*& target, dn::Rdns& prefix,
                     const Link*& remote) {
  target = this;
  remote = nullptr;
  const Message::Field field =
      request.has(Message::SUPERIOR) && !request.has(Message::OBJECT_INSTANCE)
          ? Message::SUPERIOR
          : Message::OBJECT_INSTANCE;
  if (!request.has(field)) {
    if (request.type() == Message::CREATE_REQUEST) {
      return Status::InvalidArgument("a create needs a name or a superior");
    }
    return Status::NoSuchObjectInstance("no object instance");
  }
  if (!dn::parse(request.get(field), name)) {
    return Status::InvalidArgument("malformed object instance");
  }
  const Schema& schema = Schema::get();
  const Oid& server_table = schema.oid_of("serverTableType");
  const Oid& mis_id = schema.oid_of("misId");
  Server* server = this;
  while (!name.empty()) {
    Oid id;
    Asn1Value value;
    dn::first_assertion(name.front(), id, value);
    if (id == system_id()) {
      // A server knows one system object, its own; other systems are reached through its
      // server table only.
      if (dn::string_value(name.front()) != server->system_name_) {
        return Status::NoSuchObjectInstance(dn::format(name, true));
      }
      name.erase(name.begin());
      continue;
    }
    if (id == server_table && name.size() >= 2 && is_rdn_of(name[1], mis_id)) {
      const std::string system = dn::string_value(name[1]);
      const auto link = server->links_.find(system);
      if (link == server->links_.end() ||
          (link->second.server == nullptr && !link->second.forward)) {
        return Status::NoSuchObjectInstance(dn::format(name, true));
      }
      if (!link->second.connected) return Status::NotConnected(system);
      prefix.insert(prefix.end(), name.begin(), name.begin() + 2);
      name.erase(name.begin(), name.begin() + 2);
      if (link->second.server == nullptr) {
        // The rest of the name is the other process's to read.
        remote = &link->second;
        target = nullptr;
        return Status::OK();
      }
      server = link->second.server;
      continue;
    }
    break;
  }
  target = server;
  return Status::OK();
}

void Server::handle(const Message& request, const ReplyFunction& reply) {
  dn::Rdns name;
  dn::Rdns prefix;
  Server* target = nullptr;
  const Link* remote = nullptr;
  const Status routed = route(request, name, target, prefix, remote);
  if (!routed.ok()) {
    reply(error_reply(request, routed));
    return;
  }
  if (remote != nullptr) {
    forward_request(request, name, prefix, *remote, reply);
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

void Server::forward_request(const Message& request, const dn::Rdns& name, const dn::Rdns& prefix,
                             const Link& remote, const ReplyFunction& reply) {
  Oid id;
  Asn1Value system;
  dn::first_assertion(prefix.back(), id, system);
  const Asn1Value remote_rdn = dn::rdn(system_id(), system);
  dn::Rdns full;
  full.reserve(name.size() + 1);
  full.push_back(remote_rdn);
  full.insert(full.end(), name.begin(), name.end());
  Message out = request;
  const bool superior = request.has(Message::SUPERIOR) && !request.has(Message::OBJECT_INSTANCE);
  out.set(superior ? Message::SUPERIOR : Message::OBJECT_INSTANCE, dn::instance(full));
  // The other server names its objects under its system object; this one's clients reach
  // them through the route they came by.
  remote.forward(out, [prefix, reply, remote_rdn](Message&& answer) {
    rewrite_names(answer, [&prefix, &remote_rdn](dn::Rdns& n) {
      if (!n.empty() && n.front() == remote_rdn) n.erase(n.begin());
      n.insert(n.begin(), prefix.begin(), prefix.end());
    });
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
  Status outcome;
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
      outcome = Status::ProtocolError("not a request");
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
      const std::optional<Asn1Value> value = object.find(id);
      if (value) add(id, *value);
    }
  }
  return list;
}

Status Server::do_get(const Message& request, const dn::Rdns& name, Message& reply) {
  const ManagedObject* object = find(name);
  if (object == nullptr) return Status::NoSuchObjectInstance(name_text(name));
  std::vector<Oid> ids;
  if (!read_oid_list(request.get(Message::ATTRIBUTE_IDS), ids)) {
    return Status::InvalidArgument("malformed attribute list");
  }
  for (const Oid& id : ids) {
    if (object->info->attributes.count(id) == 0) {
      return Status::NoSuchAttribute(id.format());
    }
  }
  reply.set_object_class(ber::oid(object->info->oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
  reply.set_object_instance(object->name_instance());
  reply.set(Message::ATTRIBUTES, object_attributes(*object, ids));
  return Status::OK();
}

Status Server::do_set(const Message& request, const dn::Rdns& name, Message& reply) {
  std::vector<Modification> modifications;
  if (!read_modifications(request.get(Message::MODIFICATIONS), modifications)) {
    return Status::InvalidArgument("malformed modification list");
  }
  Status outcome = modify(name, modifications);
  if (!outcome.ok()) return outcome;
  return do_get(Message(Message::GET_REQUEST), name, reply);
}

Status Server::do_create(const Message& request, const dn::Rdns& name, Message& reply) {
  Oid class_oid;
  if (!request.get_object_class().decode_oid(class_oid)) {
    return Status::NoSuchObjectClass("no object class");
  }
  const ClassInfo* info = Schema::get().find_class(class_oid);
  if (info == nullptr) return Status::NoSuchObjectClass(class_oid.format());
  std::vector<std::pair<Oid, Asn1Value>> attributes;
  if (!read_attribute_list(request.get(Message::ATTRIBUTES), attributes)) {
    return Status::InvalidArgument("malformed attribute list");
  }
  const bool named = request.has(Message::OBJECT_INSTANCE);
  const ManagedObject* created = nullptr;
  Status outcome = create(info->def->name, named ? name : dn::Rdns(), named ? dn::Rdns() : name,
                          attributes, &created);
  if (!outcome.ok()) return outcome;
  return do_get(Message(Message::GET_REQUEST), created->name(), reply);
}

Status Server::do_delete(const dn::Rdns& name, Message& reply) {
  Status outcome = remove(name);
  if (outcome.ok()) reply.set_object_instance(dn::instance(name));
  return outcome;
}

Status Server::do_derive(const Message& request, const dn::Rdns& name, Message& reply) {
  if (find(name) == nullptr) return Status::NoSuchObjectInstance(name_text(name));
  std::vector<Oid> wanted;
  if (!read_oid_list(request.get(Message::ATTRIBUTE_IDS), wanted)) {
    return Status::InvalidArgument("malformed attribute list");
  }
  Asn1Value objects = ber::sequence();
  for (const ManagedObject* child : children(name)) {
    Asn1Value entry = ber::sequence();
    entry.add_component(ber::oid(child->info->oid, Asn1Tag(Asn1Tag::CONTEXT, 0)));
    entry.add_component(child->name_instance());
    entry.add_component(object_attributes(*child, wanted));
    objects.add_component(entry);
  }
  reply.set(Message::OBJECTS, objects);
  return Status::OK();
}

void Server::do_action(const Message& request, const dn::Rdns& name, const ReplyFunction& reply) {
  ManagedObject* object = find(name);
  if (object == nullptr) {
    reply(error_reply(request, Status::NoSuchObjectInstance(name_text(name))));
    return;
  }
  Oid action_oid;
  if (!request.get_action_type().decode_oid(action_oid)) {
    reply(error_reply(request, Status::NoSuchAction("no action type")));
    return;
  }
  const auto known = object->info->actions.find(action_oid);
  if (known == object->info->actions.end()) {
    reply(error_reply(request, Status::NoSuchAction(action_oid.format())));
    return;
  }
  const ActionDef& def = *known->second;
  const Asn1Value& argument = request.get_action_info();
  if (!def.argument.empty() && !argument.is_null() && !Schema::fits(def.argument, argument)) {
    reply(error_reply(request,
                      Status::InvalidArgument(std::string(def.name) + ": the argument is not a " +
                                              std::string(def.argument))));
    return;
  }
  const auto handler = actions_.find({object->info->oid, action_oid});
  if (handler == actions_.end()) {
    reply(
        error_reply(request, Status::ProcessingFailure(std::string(def.name) + " has no handler")));
    return;
  }
  ActionReply answer = handler->second(*this, *object, argument);
  if (!answer.outcome.ok()) {
    reply(error_reply(request, answer.outcome));
    return;
  }
  const Asn1Value action_type = ber::oid(action_oid, Asn1Tag(Asn1Tag::CONTEXT, 2));
  const auto linked_reply = [&] {
    Message part(Message::ACTION_RESULT);
    part.set_id(request.id());
    part.set_linked_id(request.id());
    part.set_action_type(action_type);
    return part;
  };
  for (const Asn1Value& linked : answer.linked) {
    Message part = linked_reply();
    part.set_action_info(linked);
    reply(std::move(part));
  }
  for (const DataUnit& linked : answer.linked_encoded) {
    Message part = linked_reply();
    part.set_encoded(Message::INFO, linked);
    reply(std::move(part));
  }
  Message final_reply(Message::ACTION_RESULT);
  final_reply.set_id(request.id());
  final_reply.set_action_type(action_type);
  if (!answer.info.is_null()) {
    final_reply.set_action_info(answer.info);
  } else if (!answer.info_encoded.empty()) {
    final_reply.set_encoded(Message::INFO, answer.info_encoded);
  }
  reply(std::move(final_reply));
}

}  // namespace hvx::mis
