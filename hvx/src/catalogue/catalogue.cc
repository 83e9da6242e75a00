#include "hvx/catalogue.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "catalogue_tables.h"
#include "hvx/names.h"

namespace hvx {

namespace {

// Names of one kind of entry: qualified names, short names (nullptr when two entries
// share one) and identifiers.
template <typename Def>
class NameIndex {
 public:
  void add(const Def* def, std::string_view short_name, const Oid& oid) {
    by_name_.emplace(def->name, def);
    auto [it, inserted] = by_short_.emplace(short_name, def);
    if (!inserted && it->second != def) it->second = nullptr;
    if (oid.valid()) by_oid_.emplace(oid, def);
  }
  const Def* find(std::string_view name) const {
    if (auto it = by_name_.find(name); it != by_name_.end()) return it->second;
    if (auto it = by_short_.find(name); it != by_short_.end()) return it->second;
    return nullptr;
  }
  const Def* find(const Oid& oid) const {
    auto it = by_oid_.find(oid);
    return it == by_oid_.end() ? nullptr : it->second;
  }

 private:
  std::unordered_map<std::string_view, const Def*> by_name_;
  std::unordered_map<std::string_view, const Def*> by_short_;
  std::unordered_map<Oid, const Def*> by_oid_;
};

template <typename Def>
void index_all(const std::vector<Def>& defs, NameIndex<Def>& index) {
  for (const Def& def : defs) {
    const std::string_view name = def.name;
    // The short name is a view into the table's own text, so it lives as long as it.
    const std::string short_name = get_shortname(name);
    const std::string_view short_view =
        name.substr(name.size() - std::min(name.size(), short_name.size()));
    index.add(&def, short_view, Oid(def.oid));
  }
}

}  // namespace

struct Catalogue::Index {
  std::vector<ClassDef> classes;
  std::vector<AttributeDef> attributes;
  std::vector<ActionDef> actions;
  std::vector<NotificationDef> notifications;
  std::vector<TypeDef> types;
  NameIndex<ClassDef> class_index;
  NameIndex<AttributeDef> attribute_index;
  NameIndex<ActionDef> action_index;
  NameIndex<NotificationDef> notification_index;
  std::unordered_map<std::string_view, const TypeDef*> type_by_name;
  std::unordered_map<std::string_view, const TypeDef*> type_by_bare_name;
};

Catalogue::Catalogue() {
  auto* index = new Index;
  for (const tables::Part& part :
       {tables::system_part(), tables::topology_part(), tables::agent_part()}) {
    index->classes.insert(index->classes.end(), part.classes.begin(), part.classes.end());
    index->attributes.insert(index->attributes.end(), part.attributes.begin(),
                             part.attributes.end());
    index->actions.insert(index->actions.end(), part.actions.begin(), part.actions.end());
    index->notifications.insert(index->notifications.end(), part.notifications.begin(),
                                part.notifications.end());
    index->types.insert(index->types.end(), part.types.begin(), part.types.end());
  }
  index_all(index->classes, index->class_index);
  index_all(index->attributes, index->attribute_index);
  index_all(index->actions, index->action_index);
  index_all(index->notifications, index->notification_index);
  for (const TypeDef& type : index->types) {
    index->type_by_name.emplace(type.name, &type);
    const std::string_view bare = type.name.substr(type.name.find('.') + 1);
    auto [it, inserted] = index->type_by_bare_name.emplace(bare, &type);
    if (!inserted) it->second = nullptr;
  }
  index_ = index;
}

const Catalogue& Catalogue::get() {
  static const Catalogue* const catalogue = new Catalogue;  // lives until exit, never freed
  return *catalogue;
}

std::span<const ClassDef> Catalogue::classes() const { return index_->classes; }
std::span<const AttributeDef> Catalogue::attributes() const { return index_->attributes; }
std::span<const ActionDef> Catalogue::actions() const { return index_->actions; }
std::span<const NotificationDef> Catalogue::notifications() const { return index_->notifications; }
std::span<const TypeDef> Catalogue::types() const { return index_->types; }

const ClassDef* Catalogue::find_class(std::string_view name) const {
  return index_->class_index.find(name);
}
const AttributeDef* Catalogue::find_attribute(std::string_view name) const {
  return index_->attribute_index.find(name);
}
const ActionDef* Catalogue::find_action(std::string_view name) const {
  return index_->action_index.find(name);
}
const NotificationDef* Catalogue::find_notification(std::string_view name) const {
  return index_->notification_index.find(name);
}
const TypeDef* Catalogue::find_type(std::string_view name) const {
  if (auto it = index_->type_by_name.find(name); it != index_->type_by_name.end()) {
    return it->second;
  }
  if (auto it = index_->type_by_bare_name.find(name); it != index_->type_by_bare_name.end()) {
    return it->second;
  }
  return nullptr;
}

const ClassDef* Catalogue::find_class(const Oid& oid) const {
  return index_->class_index.find(oid);
}
const AttributeDef* Catalogue::find_attribute(const Oid& oid) const {
  return index_->attribute_index.find(oid);
}
const ActionDef* Catalogue::find_action(const Oid& oid) const {
  return index_->action_index.find(oid);
}
const NotificationDef* Catalogue::find_notification(const Oid& oid) const {
  return index_->notification_index.find(oid);
}

}  // namespace hvx
