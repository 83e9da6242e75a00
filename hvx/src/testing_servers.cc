// The server-side test tools of hvx/testing.h: thin checks around the server's own calls.
#include <string>

#include "dn.h"
#include "hvx/testing.h"
#include "schema.h"
#include "server.h"
#include "topo/database.h"

namespace hvx {

namespace {

Status server_of(const World& world, std::string_view system, mis::Server*& out) {
  out = world.server(system);
  if (out == nullptr) return Status::InvalidArgument("no server \"" + std::string(system) + "\"");
  return Status::OK();
}

// The name relative to the server's system object; an absolute name must start with it.
Status relative_name(const mis::Server& server, std::string_view text, dn::Rdns& out) {
  if (!dn::from_text(text, out)) {
    return Status::InvalidArgument("malformed name " + std::string(text));
  }
  if (text.empty() || text.front() != '/') return Status::OK();
  if (out.empty() || dn::string_value(out.front()) != server.system_name()) {
    return Status::InvalidArgument(std::string(text) + " is not on " + server.system_name());
  }
  out.erase(out.begin());
  return Status::OK();
}

Status attribute_id(std::string_view attribute, Oid& out) {
  out = mis::Schema::get().oid_of(attribute);
  if (!out.valid()) return Status::NoSuchAttribute(std::string(attribute));
  return Status::OK();
}

// The server and the object's relative name, checked.
Status locate(const World& world, std::string_view system, std::string_view name,
              mis::Server*& server, dn::Rdns& rdns) {
  const Status found = server_of(world, system, server);
  if (!found.ok()) return found;
  return relative_name(*server, name, rdns);
}

Status values_by_id(const AttributeValues& values, std::vector<std::pair<Oid, Asn1Value>>& out) {
  for (const auto& [attribute, value] : values) {
    Oid id;
    const Status known = attribute_id(attribute, id);
    if (!known.ok()) return known;
    out.emplace_back(id, value);
  }
  return Status::OK();
}

}  // namespace

Status create_object(World& world, std::string_view system, std::string_view class_name,
                     std::string_view name, const AttributeValues& attributes) {
  mis::Server* server = nullptr;
  dn::Rdns rdns;
  std::vector<std::pair<Oid, Asn1Value>> values;
  Status status = locate(world, system, name, server, rdns);
  if (status.ok()) status = values_by_id(attributes, values);
  if (!status.ok()) return status;
  return server->create(class_name, std::move(rdns), {}, values);
}

Status remove_object(World& world, std::string_view system, std::string_view name) {
  mis::Server* server = nullptr;
  dn::Rdns rdns;
  const Status status = locate(world, system, name, server, rdns);
  if (!status.ok()) return status;
  return server->remove(rdns);
}

bool object_exists(const World& world, std::string_view system, std::string_view name) {
  mis::Server* server = nullptr;
  dn::Rdns rdns;
  return locate(world, system, name, server, rdns).ok() && server->find(rdns) != nullptr;
}

Status replace_attributes(World& world, std::string_view system, std::string_view name,
                          const AttributeValues& values) {
  mis::Server* server = nullptr;
  dn::Rdns rdns;
  std::vector<std::pair<Oid, Asn1Value>> by_id;
  Status status = locate(world, system, name, server, rdns);
  if (status.ok()) status = values_by_id(values, by_id);
  if (!status.ok()) return status;
  std::vector<mis::Modification> modifications;
  for (auto& [id, value] : by_id) {
    modifications.push_back({mis::ModifyMode::replace, std::move(id), std::move(value)});
  }
  return server->modify(rdns, modifications, false);
}

Status overwrite_attribute(World& world, std::string_view system, std::string_view name,
                           std::string_view attribute, const Asn1Value& value) {
  mis::Server* server = nullptr;
  dn::Rdns rdns;
  Oid id;
  Status status = locate(world, system, name, server, rdns);
  if (status.ok()) status = attribute_id(attribute, id);
  if (!status.ok()) return status;
  mis::ManagedObject* object = server->find(rdns);
  if (object == nullptr) return Status::NoSuchObjectInstance(std::string(name));
  object->attributes.set(id, value);
  // Unnoticed by clients, but not by what the server keeps of the object.
  server->touch(*object);
  return Status::OK();
}

Status answer_action(World& world, std::string_view system, std::string_view class_name,
                     std::string_view action_name, ActionAnswer answer) {
  mis::Server* server = nullptr;
  const Status found = server_of(world, system, server);
  if (!found.ok()) return found;
  const mis::Schema& schema = mis::Schema::get();
  if (schema.find_class(class_name) == nullptr) {
    return Status::NoSuchObjectClass(std::string(class_name));
  }
  if (schema.find_action(action_name) == nullptr &&
      schema.find_action(Oid(action_name)) == nullptr) {
    return Status::NoSuchAction(std::string(action_name));
  }
  server->register_action(class_name, action_name,
                          [answer = std::move(answer)](mis::Server& self, mis::ManagedObject&,
                                                       const Asn1Value& argument) {
                            mis::ActionReply reply;
                            reply.info = answer(self.system_name(), argument);
                            return reply;
                          });
  return Status::OK();
}

std::size_t topology_node_count(const World& world, std::string_view system) {
  const mis::Server* server = world.server(system);
  const mis::topo::Database* database =
      server != nullptr ? mis::topo::Database::of(*server) : nullptr;
  return database != nullptr ? database->graph().size() : 0;
}

}  // namespace hvx
