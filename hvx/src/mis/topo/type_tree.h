// TypeTree: the topology types of one database and what the server derives from them: the
// types each derives from and is the base of, directly or not, and the legal children and
// arcs each inherits from its bases.
#ifndef HVX_SRC_MIS_TOPO_TYPE_TREE_H_
#define HVX_SRC_MIS_TOPO_TYPE_TREE_H_

#include <map>
#include <string>
#include <vector>

namespace hvx::mis::topo {

class TypeTree {
 public:
  struct Type {
    // Given: topoTypeDerivedFrom, topoTypeLegalChildren, topoTypeLegalArcs.
    std::vector<std::string> bases;
    std::vector<std::string> legal_children;
    std::vector<std::string> legal_arcs;
    // Derived: topoTypeAllDerivedFrom (nearest first), topoTypeBaseOf, topoTypeAllBaseOf
    // (nearest first), topoTypeAllLegalChildren and topoTypeAllLegalArcs (its own first,
    // then those of its bases in the order of all_bases).
    std::vector<std::string> all_bases;
    std::vector<std::string> sub_types;
    std::vector<std::string> all_sub_types;
    std::vector<std::string> all_legal_children;
    std::vector<std::string> all_legal_arcs;

    bool operator==(const Type& other) const = default;
  };

  void clear() { types_.clear(); }
  const Type* find(const std::string& id) const;
  const std::map<std::string, Type>& types() const { return types_; }
  // A view type is one whose nodes may have children: it has legal children of its own or
  // from a base.
  bool is_view(const std::string& id) const;

  // Adds the type, or replaces what is given of it, and derives everything again. Empty
  // base names are passed over.
  void put(const std::string& id, std::vector<std::string> bases,
           std::vector<std::string> legal_children, std::vector<std::string> legal_arcs);
  void erase(const std::string& id);

  // What makes the tree unsound: a base that is not a type, a type derived from itself
  // directly or not. "" when it is sound.
  std::string fault() const;

 private:
  void derive();

  std::map<std::string, Type> types_;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_TYPE_TREE_H_
