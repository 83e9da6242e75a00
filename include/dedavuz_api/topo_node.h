// VQTopoNode: a topology node. For now it holds the small value types of node attributes:
// positions, statuses, geographic places, array cells, user data and view configuration.
#ifndef DEDAVUZ_API_TOPO_NODE_H_
#define DEDAVUZ_API_TOPO_NODE_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/topo_node_dn.h"
#include "hvx/morf.h"

class VQTopoNode {
 public:
  // The perceived severity of a node's alarms. Both enumerations fix their underlying type
  // so that any value a server sends can be held and printed.
  enum Severity : int {
    indeterminate = 0,
    critical = 1,
    major = 2,
    minor = 3,
    warning = 4,
    cleared = 5,
  };

  enum ArrayOrientation : int { horizontal = 0, vertical = 1 };

  // Logical coordinates of a node.
  struct Location {
    Location() = default;
    Location(long x, long y, long z) : x(x), y(y), z(z) {}
    bool operator==(const Location& other) const = default;

    long x = 0;
    long y = 0;
    long z = 0;
  };

  // Where a node sits inside one of its parents.
  struct LocationInParent {
    LocationInParent() = default;
    LocationInParent(const VQTopoNodeDn& parent, const Location& location)
        : parent(parent), location(location) {}
    bool operator==(const LocationInParent& other) const = default;

    VQTopoNodeDn parent;
    Location location;
  };

  // A labelled status value shown with a node.
  struct DisplayStatus {
    DisplayStatus() = default;
    DisplayStatus(const std::string& label, long value) : label(label), value(value) {}
    bool operator==(const DisplayStatus& other) const = default;

    std::string label;
    long value = 0;
  };

  struct GeoLocation {
    bool operator==(const GeoLocation& other) const = default;
    bool operator!=(const GeoLocation& other) const { return !(*this == other); }

    double longitude = 0.0;
    double latitude = 0.0;
  };

  // The cell of one child in an array node.
  struct ArrayCellSize {
    bool operator==(const ArrayCellSize& other) const = default;
    bool operator!=(const ArrayCellSize& other) const { return !(*this == other); }

    unsigned long width = 0;
    unsigned long height = 25;
  };

  // A value of a user-data attribute; the name is a registered attribute name. Lists of
  // user data are searched by name, so the datum itself has no equality.
  struct UserDatum {
    UserDatum() = default;
    UserDatum(const std::string& name, const hvx::Morf& value) : name(name), value(value) {}

    std::string name;
    hvx::Morf value;
  };

  // One named entry of a view's configuration.
  struct ViewConfigDatum {
    ViewConfigDatum() = default;
    ViewConfigDatum(const std::string& name, const std::string& value) : name(name), value(value) {}
    bool operator==(const ViewConfigDatum& other) const = default;

    std::string name;
    std::string value;
  };
};

// The severity's name; a value outside the enumeration prints as its number.
std::ostream& operator<<(std::ostream& os, VQTopoNode::Severity severity);
// "array_orientation: horizontal", or "... vertical" for any value but horizontal.
std::ostream& operator<<(std::ostream& os, VQTopoNode::ArrayOrientation orientation);
std::ostream& operator<<(std::ostream& os, const VQTopoNode::Location& location);
std::ostream& operator<<(std::ostream& os, const VQTopoNode::LocationInParent& location);
std::ostream& operator<<(std::ostream& os, const VQTopoNode::DisplayStatus& status);
std::ostream& operator<<(std::ostream& os, const VQTopoNode::GeoLocation& location);
std::ostream& operator<<(std::ostream& os, const VQTopoNode::ArrayCellSize& size);
std::ostream& operator<<(std::ostream& os, const VQTopoNode::ViewConfigDatum& datum);
// The value is never printed.
std::ostream& operator<<(std::ostream& os, const VQTopoNode::UserDatum& datum);

#endif  // DEDAVUZ_API_TOPO_NODE_H_
