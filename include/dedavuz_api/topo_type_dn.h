// VQTopoTypeDn: the name of a topology type, the system that holds it and the type's
// identifier there; also the names of the predefined types. Its slash form addresses the
// type's server object.
#ifndef DEDAVUZ_API_TOPO_TYPE_DN_H_
#define DEDAVUZ_API_TOPO_TYPE_DN_H_

#include <cstddef>
#include <functional>
#include <string>

#include "dedavuz_api/string_dn.h"

class VQTopoTypeDn : public VQStringDn<VQTopoTypeDn> {
 public:
  // The roots of the type categories.
  static inline const std::string container = "Container";
  static inline const std::string device = "Device";
  static inline const std::string link = "Link";
  static inline const std::string monitor = "Monitor";
  static inline const std::string array = "Array";
  static inline const std::string bus = "Bus";
  // The type of a new node.
  static inline const std::string host = "Host";
  static inline const std::string server = "Server";
  static inline const std::string hub = "Hub";
  static inline const std::string router = "Router";
  static inline const std::string bridge = "Bridge";
  static inline const std::string universe = "Universe";
  static inline const std::string network = "Network";
  static inline const std::string subnetwork = "Subnetwork";
  // Monitors that show a limited number of children.
  static inline const std::string omnisector = "OmniSector";
  static inline const std::string hexagon = "Hexagon";
  static inline const std::string hexagon120 = "Hexagon120";
  static inline const std::string circle = "Circle";

  // The null name: both strings empty.
  VQTopoTypeDn() = default;
  VQTopoTypeDn(const std::string& system_name, const std::string& unique_name)
      : VQStringDn(system_name, unique_name) {}
  // Parses a name as the server sends it: relative to the local type database (the
  // identifier may be of any length), or a full name. Text that names no type gives the
  // null name.
  explicit VQTopoTypeDn(const std::string& text);

  // The full name of the type's topoType object, seen from the local system.
  std::string slash_form() const;
};

template <>
struct std::hash<VQTopoTypeDn> {
  std::size_t operator()(const VQTopoTypeDn& dn) const noexcept { return dn.hash(); }
};

#endif  // DEDAVUZ_API_TOPO_TYPE_DN_H_
