// VQTopoNodeReport: one node of a system's node report: its id, name, type, children, and
// the view children the view graph knows of.
#ifndef DEDAVUZ_API_TOPO_NODE_REPORT_H_
#define DEDAVUZ_API_TOPO_NODE_REPORT_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/list.h"
#include "dedavuz_api/topo_node_dn.h"

class VQTopoNodeReport {
 public:
  // Empty name, type and lists; the id is 0 until set.
  VQTopoNodeReport() = default;

  int id() const { return id_; }
  const std::string& name() const { return name_; }
  const std::string& type_name() const { return type_name_; }
  const VQList<VQTopoNodeDn>& children() const { return children_; }
  const VQList<VQTopoNodeDn>& view_children() const { return view_children_; }

  void set_id(const int id) { id_ = id; }
  void set_name(const std::string& name) { name_ = name; }
  void set_type_name(const std::string& type_name) { type_name_ = type_name; }
  void add_child(const VQTopoNodeDn& child) { children_.append(child); }
  // The view children, to be filled in place.
  VQList<VQTopoNodeDn>& access_view_children() { return view_children_; }

  bool operator==(const VQTopoNodeReport& other) const = default;

 private:
  int id_ = 0;
  std::string name_;
  std::string type_name_;
  VQList<VQTopoNodeDn> children_;
  VQList<VQTopoNodeDn> view_children_;
};

// "id name type_name", then the children and the view children in the list print form,
// labelled "children" and "view_children".
std::ostream& operator<<(std::ostream& os, const VQTopoNodeReport& report);

#endif  // DEDAVUZ_API_TOPO_NODE_REPORT_H_
