// VQTopoNodeDn: the name of a topology node, the system that holds it and its number there.
// Its slash form addresses the node on the server.
#ifndef DEDAVUZ_API_TOPO_NODE_DN_H_
#define DEDAVUZ_API_TOPO_NODE_DN_H_

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

class VQTopoNodeDn {
 public:
  // The null name: empty system name, id -1.
  VQTopoNodeDn();
  // A system given as a full name ("/systemId=..." or "/serverTableType=...") is replaced
  // by the system name it stands for.
  VQTopoNodeDn(const std::string& system, long id);
  // Parses a name as the server sends it: relative to the node database (the local
  // system's), or a full name. Text that names no node gives the null name. Numbers beyond
  // the 32-bit range are clamped to it.
  explicit VQTopoNodeDn(const std::string& text);

  const std::string& system_name() const { return system_name_; }
  void system_name(const std::string& name) { system_name_ = name; }
  long unique_id() const { return unique_id_; }
  void unique_id(long id) { unique_id_ = id; }

  void make_null();
  bool is_null() const;

  // The full name of the node's topoNode object, seen from the local system.
  std::string slash_form() const;

  bool operator==(const VQTopoNodeDn& other) const {
    return unique_id_ == other.unique_id_ && system_name_ == other.system_name_;
  }
  bool operator!=(const VQTopoNodeDn& other) const { return !(*this == other); }
  // By system name, then id; for ordered containers.
  bool operator<(const VQTopoNodeDn& other) const;

  // The id: names on different systems may share a hash.
  unsigned hash() const { return static_cast<unsigned>(unique_id_); }
  unsigned hash(const VQTopoNodeDn& d) const { return d.hash(); }

 private:
  std::string system_name_;
  long unique_id_ = -1;
};

// "NULL" for the null name, otherwise system:id.
std::ostream& operator<<(std::ostream& os, const VQTopoNodeDn& dn);

template <>
struct std::hash<VQTopoNodeDn> {
  std::size_t operator()(const VQTopoNodeDn& dn) const noexcept { return dn.hash(); }
};

#endif  // DEDAVUZ_API_TOPO_NODE_DN_H_
