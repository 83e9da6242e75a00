#include "topo/type_tree.h"

#include <deque>
#include <set>

namespace hvx::mis::topo {

namespace {

void append_new(std::vector<std::string>& to, const std::vector<std::string>& from,
                std::set<std::string>& seen) {
  for (const std::string& item : from) {
    if (seen.insert(item).second) to.push_back(item);
  }
}

}  // namespace

const TypeTree::Type* TypeTree::find(const std::string& id) const {
  const auto it = types_.find(id);
  return it == types_.end() ? nullptr : &it->second;
}

bool TypeTree::is_view(const std::string& id) const {
  const Type* type = find(id);
  return type != nullptr && !type->all_legal_children.empty();
}

void TypeTree::put(const std::string& id, std::vector<std::string> bases,
                   std::vector<std::string> legal_children, std::vector<std::string> legal_arcs) {
  Type& type = types_[id];
  // An empty name is no base: a type made with an empty base derives from nothing.
  std::erase(bases, std::string());
  type.bases = std::move(bases);
  type.legal_children = std::move(legal_children);
  type.legal_arcs = std::move(legal_arcs);
  derive();
}

void TypeTree::erase(const std::string& id) {
  types_.erase(id);
  derive();
}

std::string TypeTree::fault() const {
  for (const auto& [id, type] : types_) {
    for (const std::string& base : type.bases) {
      if (base == id) return "type \"" + id + "\" cannot derive from itself";
      if (types_.count(base) == 0) return "no base type \"" + base + "\" for \"" + id + "\"";
    }
    for (const std::string& ancestor : type.all_bases) {
      if (ancestor == id) return "type \"" + id + "\" would derive from itself";
    }
  }
  return "";
}

// Breadth first, nearest first, each type once; the walks stop at types seen before, so a
// cycle (which fault() reports) still ends.
void TypeTree::derive() {
  for (auto& [id, type] : types_) type.sub_types.clear();
  for (const auto& [id, type] : types_) {
    std::set<std::string> seen;
    for (const std::string& base : type.bases) {
      const auto it = types_.find(base);
      if (it != types_.end() && seen.insert(base).second) it->second.sub_types.push_back(id);
    }
  }
  for (auto& [id, type] : types_) {
    type.all_bases.clear();
    type.all_sub_types.clear();
    for (const bool up : {true, false}) {
      std::vector<std::string>& out = up ? type.all_bases : type.all_sub_types;
      std::set<std::string> seen;
      std::deque<std::string> pending;
      const std::vector<std::string>& first = up ? type.bases : type.sub_types;
      pending.assign(first.begin(), first.end());
      while (!pending.empty()) {
        const std::string next = pending.front();
        pending.pop_front();
        if (!seen.insert(next).second) continue;
        out.push_back(next);
        if (const Type* t = find(next)) {
          const std::vector<std::string>& more = up ? t->bases : t->sub_types;
          pending.insert(pending.end(), more.begin(), more.end());
        }
      }
    }
  }
  for (auto& [id, type] : types_) {
    type.all_legal_children.clear();
    type.all_legal_arcs.clear();
    std::set<std::string> children;
    std::set<std::string> arcs;
    append_new(type.all_legal_children, type.legal_children, children);
    append_new(type.all_legal_arcs, type.legal_arcs, arcs);
    for (const std::string& ancestor : type.all_bases) {
      if (const Type* t = find(ancestor)) {
        append_new(type.all_legal_children, t->legal_children, children);
        append_new(type.all_legal_arcs, t->legal_arcs, arcs);
      }
    }
  }
}

}  // namespace hvx::mis::topo
