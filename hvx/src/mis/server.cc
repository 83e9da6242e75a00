#include "server.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "hvx/ber.h"

namespace hvx::mis {

namespace {

// The X.721 notifications of every change.
constexpr std::string_view kObjectCreation = "objectCreation";
constexpr std::string_view kObjectDeletion = "objectDeletion";
constexpr std::string_view kAttributeValueChange = "attributeValueChange";

std::string name_text(const dn::Rdns& name) { return dn::format(name, false); }

// What ends each RDN's key in a tree key. A zero octet of the key itself is followed by
// 0xff, so keys compare as their lists of RDN keys do, a name before those below it.
constexpr char kEnd[] = {'\0', '\1'};

// The key an object is filed under: the keys of its RDNs, each escaped and ended.
std::string tree_key(const dn::Rdns& name) {
  std::string out;
  for (const Asn1Value& rdn : name) {
    for (const char octet : dn::key(rdn)) {
      out.push_back(octet);
      if (octet == '\0') out.push_back('\xff');
    }
    out.append(kEnd, sizeof kEnd);
  }
  return out;
}

// Whether `rest`, what follows a name's key in another's, is the key of one RDN.
bool one_rdn(std::string_view rest) {
  const std::size_t end = rest.find(std::string_view(kEnd, sizeof kEnd));
  if (end == std::string_view::npos) return false;
  // An escaped zero octet is followed by 0xff, never by kEnd's second octet.
  return end + sizeof kEnd == rest.size();
}

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

// The attributes a create gives, checked against the class: known, settable (or the naming
// one) and of the attribute's syntax.
Status given_attributes(const ClassInfo& info,
                        const std::vector<std::pair<Oid, Asn1Value>>& attributes,
                        ManagedObject& object) {
  for (const auto& [id, value] : attributes) {
    const auto attribute = info.attributes.find(id);
    if (attribute == info.attributes.end()) {
      return Status::NoSuchAttribute(id.format());
    }
    if (!attribute->second->settable && id != info.naming) {
      return Status::AttributeNotSettable(std::string(attribute->second->name));
    }
    if (!Schema::fits(attribute->second->syntax, value)) {
      return Status::InvalidAttributeValue(std::string(attribute->second->name));
    }
    object.attributes.set(id, value);
  }
  return Status::OK();
}

// One modification applied to `current`, the attribute's value so far. INCLUDE and EXCLUDE
// take either one element or a set of them.
Status apply(const AttributeDef& def, const Modification& modification, Asn1Value& current) {
  if (modification.mode == ModifyMode::replace) {
    if (!Schema::fits(def.syntax, modification.value)) {
      return Status::InvalidAttributeValue(std::string(def.name));
    }
    current = modification.value;
    return Status::OK();
  }
  if (!def.set_valued) {
    return Status::InvalidAttributeValue(std::string(def.name) + " is not set-valued");
  }
  std::vector<Asn1Value> given;
  if (Schema::fits(def.syntax, modification.value)) {
    given = elements(modification.value);
  } else if (Schema::element_fits(def.syntax, modification.value)) {
    given.push_back(modification.value);
  } else {
    return Status::InvalidAttributeValue(std::string(def.name));
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
  return Status::OK();
}

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

const Oid& Server::system_id() {
  static const Oid kSystemId{2, 9, 3, 2, 7, 4};
  return kSystemId;
}

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
  if (store_ != nullptr) store_->cleared();
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
  object.revision = ++revisions_;
  const dn::Rdns name = object.name();
  if (!tree_.emplace(PackedBytes(tree_key(name)), std::move(object)).second) return false;
  stored(name);
  return true;
}

void Server::install_base_objects() {
  const Schema& schema = Schema::get();
  const ClassInfo* system_class = schema.find_class("system");
  if (system_class == nullptr) return;
  ManagedObject system;
  system.info = system_class;
  system.attributes.set(system_id(), ber::octets(system_name_, TAG_GRAPHSTR));
  system.revision = ++revisions_;
  tree_.emplace(PackedBytes(), std::move(system));
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
    dn::Rdns name;
    if (object.info == nullptr || !dn::from_text(base.name, name)) continue;
    object.set_name(name);
    Oid id;
    Asn1Value value;
    if (dn::first_assertion(name.back(), id, value)) object.attributes.set(id, value);
    object.revision = ++revisions_;
    tree_.emplace(PackedBytes(tree_key(name)), std::move(object));
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
  const auto it = tree_.find(tree_key(name));
  return it == tree_.end() ? nullptr : &it->second;
}

const ManagedObject* Server::find(const dn::Rdns& name) const {
  const auto it = tree_.find(tree_key(name));
  return it == tree_.end() ? nullptr : &it->second;
}

std::vector<const ManagedObject*> Server::children(const dn::Rdns& base) const {
  std::vector<const ManagedObject*> out;
  const std::string base_key = tree_key(base);
  // Keys sort by RDN, so everything below `base` follows it contiguously.
  for (auto it = tree_.upper_bound(base_key); it != tree_.end(); ++it) {
    const std::string_view key = it->first.view();
    if (!key.starts_with(base_key)) break;
    if (one_rdn(key.substr(base_key.size()))) out.push_back(&it->second);
  }
  return out;
}

Status Server::create(std::string_view class_name, dn::Rdns name, const dn::Rdns& superior,
                      const std::vector<std::pair<Oid, Asn1Value>>& attributes,
                      const ManagedObject** created) {
  const Schema& schema = Schema::get();
  const ClassInfo* info = schema.find_class(class_name);
  if (info == nullptr) {
    return Status::NoSuchObjectClass(std::string(class_name));
  }
  ManagedObject object;
  object.info = info;
  Status status = given_attributes(*info, attributes, object);
  if (!status.ok()) return status;
  const ClassHooks* hooks = hooks_for(*info);
  if (name.empty()) {
    status = name_by_server(object, superior, hooks);
  } else {
    object.set_name(name);
    if (hooks != nullptr && hooks->before_create) status = hooks->before_create(*this, object);
  }
  // The name as the hooks left it, read once for the checks and the filing.
  const dn::Rdns filed = status.ok() ? object.name() : dn::Rdns();
  if (status.ok()) status = check_new_object(object, filed, hooks);
  if (!status.ok()) return status;
  object.revision = ++revisions_;
  auto [it, inserted] = tree_.emplace(PackedBytes(tree_key(filed)), std::move(object));
  (void)inserted;
  const ManagedObject& stored = it->second;
  if (created != nullptr) *created = &stored;
  this->stored(filed);

  emit(stored, schema.oid_of(kObjectCreation), heard() ? object_info(stored) : Asn1Value());
  if (hooks != nullptr && hooks->after_create) hooks->after_create(*this, stored);
  return Status::OK();
}

// Named by the server: below `superior`, from the naming attribute's given value, the
// class's hook, or the next free integer.
Status Server::name_by_server(ManagedObject& object, const dn::Rdns& superior,
                              const ClassHooks* hooks) {
  if (find(superior) == nullptr) {
    return Status::NoSuchSuperior(name_text(superior));
  }
  object.set_name(superior);
  if (hooks != nullptr && hooks->before_create) {
    Status outcome = hooks->before_create(*this, object);
    if (!outcome.ok()) return outcome;
  }
  dn::Rdns name = object.name();
  if (name.size() != superior.size()) return Status::OK();
  const Oid& naming = object.info->naming;
  const std::optional<Asn1Value> given = object.find(naming);
  if (given) {
    name.push_back(dn::rdn(naming, *given));
    object.set_name(name);
    return Status::OK();
  }
  long next = 1;
  for (const ManagedObject* sibling : children(superior)) {
    Oid id;
    Asn1Value value;
    long number = 0;
    if (dn::first_assertion(sibling->last_rdn(), id, value) && id == naming &&
        value.decode_int(number) && number >= next) {
      next = number + 1;
    }
  }
  name.push_back(dn::rdn(naming, ber::integer(next)));
  object.set_name(name);
  return Status::OK();
}

// A named object may join the tree: its name is free, of its class, under an existing
// superior, and it has every mandatory attribute. Files the naming attribute's value.
Status Server::check_new_object(ManagedObject& object, const dn::Rdns& name,
                                const ClassHooks* hooks) const {
  if (name.empty()) {
    return Status::DuplicateObjectInstance("/");
  }
  Oid naming_id;
  Asn1Value naming_value;
  if (!dn::first_assertion(name.back(), naming_id, naming_value) ||
      naming_id != object.info->naming) {
    return Status::ClassInstanceConflict(name_text(name));
  }
  object.attributes.set(naming_id, naming_value);
  if (find(name) != nullptr) {
    return Status::DuplicateObjectInstance(name_text(name));
  }
  const dn::Rdns parent(name.begin(), name.end() - 1);
  if (find(parent) == nullptr) {
    return Status::NoSuchSuperior(name_text(parent));
  }
  if (hooks == nullptr) return Status::OK();
  for (const std::string& mandatory : hooks->mandatory) {
    const AttributeInfo* attribute = Schema::get().find_attribute(mandatory);
    if (attribute != nullptr && !object.attributes.contains(attribute->oid)) {
      return Status::MissingAttributeValue(std::string(attribute->def->name));
    }
  }
  return Status::OK();
}

Status Server::modify(const dn::Rdns& name, const std::vector<Modification>& modifications,
                      bool check_settable) {
  ManagedObject* object = find(name);
  if (object == nullptr) {
    return Status::NoSuchObjectInstance(name_text(name));
  }
  // Work on a copy: a refused modification leaves the object as it was.
  ObjectValues values = object->attributes;
  std::vector<Oid> touched;
  for (const Modification& modification : modifications) {
    const auto attribute = object->info->attributes.find(modification.attribute);
    if (attribute == object->info->attributes.end()) {
      return Status::NoSuchAttribute(modification.attribute.format());
    }
    const AttributeDef& def = *attribute->second;
    if (check_settable && (!def.settable || modification.attribute == object->info->naming)) {
      return Status::AttributeNotSettable(std::string(def.name));
    }
    Asn1Value value = values.get(modification.attribute).value_or(Asn1Value());
    const Status applied = apply(def, modification, value);
    if (!applied.ok()) return applied;
    values.set(modification.attribute, value);
    if (std::find(touched.begin(), touched.end(), modification.attribute) == touched.end()) {
      touched.push_back(modification.attribute);
    }
  }
  std::vector<Change> changes;
  for (const Oid& id : touched) {
    const std::optional<Asn1Value> before = object->find(id);
    const Asn1Value after = values.get(id).value_or(Asn1Value());
    if (before && *before == after) continue;
    changes.push_back({id, before.value_or(Asn1Value()), after});
  }
  const ClassHooks* hooks = hooks_for(*object->info);
  if (hooks != nullptr && hooks->before_set && !changes.empty()) {
    Status outcome = hooks->before_set(*this, *object, changes);
    if (!outcome.ok()) return outcome;
  }
  if (changes.empty()) return Status::OK();
  for (const Change& change : changes) object->attributes.set(change.attribute, change.new_value);
  object->revision = ++revisions_;
  stored(name);

  const ManagedObject snapshot = *object;
  emit(snapshot, Schema::get().oid_of(kAttributeValueChange),
       heard() ? change_info(changes) : Asn1Value());
  if (hooks != nullptr && hooks->after_set) hooks->after_set(*this, snapshot, changes);
  return Status::OK();
}

Status Server::remove(const dn::Rdns& name) {
  const auto it = tree_.find(tree_key(name));
  if (it == tree_.end() || name.empty()) {
    return Status::NoSuchObjectInstance(name_text(name));
  }
  if (!children(name).empty()) {
    return Status::ProcessingFailure(name_text(name) + " has subordinate objects");
  }
  const ClassHooks* hooks = hooks_for(*it->second.info);
  if (hooks != nullptr && hooks->before_delete) {
    Status outcome = hooks->before_delete(*this, it->second);
    if (!outcome.ok()) return outcome;
  }
  const ManagedObject removed = std::move(it->second);
  tree_.erase(it);
  ++revisions_;
  stored(name);
  emit(removed, Schema::get().oid_of(kObjectDeletion),
       heard() ? object_info(removed) : Asn1Value());
  if (hooks != nullptr && hooks->after_delete) hooks->after_delete(*this, removed);
  return Status::OK();
}

}  // namespace hvx::mis
