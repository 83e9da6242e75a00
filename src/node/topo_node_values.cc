#include <iterator>
#include <ostream>

#include "dedavuz_api/topo_node.h"

std::ostream& operator<<(std::ostream& os, VQTopoNode::Severity severity) {
  static const char* const kNames[] = {"indeterminate", "critical", "major",
                                       "minor",         "warning",  "cleared"};
  const long value = severity;
  if (value < 0 || value >= static_cast<long>(std::size(kNames))) return os << value;
  return os << kNames[value];
}

std::ostream& operator<<(std::ostream& os, VQTopoNode::ArrayOrientation orientation) {
  return os << "array_orientation: "
            << (orientation == VQTopoNode::horizontal ? "horizontal" : "vertical");
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::Location& location) {
  return os << "x: " << location.x << " y: " << location.y << " z: " << location.z;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::LocationInParent& location) {
  return os << "parent: " << location.parent << "location: " << location.location;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::DisplayStatus& status) {
  return os << "label: \"" << status.label << "\" value: " << status.value;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::GeoLocation& location) {
  return os << "longitude: " << location.longitude << " latitude: " << location.latitude;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::ArrayCellSize& size) {
  return os << "width: " << size.width << " height: " << size.height;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::ViewConfigDatum& datum) {
  return os << "name: \"" << datum.name << "\" value: " << datum.value;
}

std::ostream& operator<<(std::ostream& os, const VQTopoNode::UserDatum& datum) {
  return os << "attribute name: \"" << datum.name << "\" value: <opaque>";
}
