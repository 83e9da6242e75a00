// VQStringDn<Name>: what the names of topology types and of CMIP, SNMP proxy and RPC agents
// share. A name pairs the system that holds the object with the object's identifier there;
// each name class adds its own parser and slash form. Names of different kinds never compare.
#ifndef DEDAVUZ_API_STRING_DN_H_
#define DEDAVUZ_API_STRING_DN_H_

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

template <typename Name>
class VQStringDn {
 public:
  const std::string& system_name() const { return system_name_; }
  void system_name(const std::string& name) { system_name_ = name; }
  const std::string& unique_name() const { return unique_name_; }
  void unique_name(const std::string& name) { unique_name_ = name; }

  void make_null() {
    system_name_.clear();
    unique_name_.clear();
  }
  bool is_null() const { return system_name_.empty() && unique_name_.empty(); }

  // Both strings, so that names on different systems spread apart.
  std::size_t hash() const noexcept {
    const std::hash<std::string> h;
    return h(system_name_) * 31 + h(unique_name_);
  }

  friend bool operator==(const Name& a, const Name& b) {
    return a.system_name_ == b.system_name_ && a.unique_name_ == b.unique_name_;
  }
  friend bool operator!=(const Name& a, const Name& b) { return !(a == b); }
  // By system name, then identifier; for ordered containers.
  friend bool operator<(const Name& a, const Name& b) {
    if (a.system_name_ != b.system_name_) return a.system_name_ < b.system_name_;
    return a.unique_name_ < b.unique_name_;
  }
  // "NULL" for the null name, otherwise system:identifier.
  friend std::ostream& operator<<(std::ostream& os, const Name& dn) {
    if (dn.is_null()) return os << "NULL";
    return os << dn.system_name_ << ':' << dn.unique_name_;
  }

 protected:
  VQStringDn() = default;
  VQStringDn(const std::string& system_name, const std::string& unique_name)
      : system_name_(system_name), unique_name_(unique_name) {}

 private:
  std::string system_name_;
  std::string unique_name_;
};

#endif  // DEDAVUZ_API_STRING_DN_H_
