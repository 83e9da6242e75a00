// VQTopoNode: a topology node, a handle over its own VQTopoNodeRep (copied deeply) holding
// up to 36 attributes locally, with the small value types those attributes are made of.
#ifndef DEDAVUZ_API_TOPO_NODE_H_
#define DEDAVUZ_API_TOPO_NODE_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/event_type.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"
#include "dedavuz_api/topo_node_dn.h"
#include "hvx/morf.h"

class VQTopoNodeRep;
struct VQTopoNodeCallbackData;

class VQTopoNode : public VQObject {
 public:
  // The attribute numbers. The underlying type is fixed so that any number can be asked
  // about (get_attribute_name answers "Unknown" outside 0 to 35).
  enum Attribute : int {
    dn = 0,
    name = 1,
    topology_pathnames = 2,
    type_name = 3,
    managed_objects = 4,
    cmip_agents = 5,
    snmp_agents = 6,
    rpc_agents = 7,
    parents = 8,
    children = 9,
    view_children = 10,
    links = 11,
    propagate_peers = 12,
    is_severity_propagated = 13,
    state = 14,
    severity = 15,
    propagated_severity = 16,
    display_statuses = 17,
    geographical_location = 18,
    layer_name = 19,
    user_data = 20,
    logical_locations = 21,
    view_background_image_filename = 22,
    view_map_config_filename = 23,
    view_default_geo_area = 24,
    view_config_data = 25,
    monitor_rotation = 26,
    monitor_visible_children = 27,
    monitor_hidden_children = 28,
    monitor_max_visible_children = 29,
    array_visible_children = 30,
    array_hidden_children = 31,
    array_orientation = 32,
    array_num_columns = 33,
    array_cell_size = 34,
    bus_logical_locations = 35,
  };
  static constexpr int attribute_count = 36;

  // A group of attributes for get_valid_attributes. 4 and 5 name no group and select
  // nothing, as does any other number.
  enum AttributeType : int {
    all_attribute_types = 0,
    node_attributes = 1,
    view_attributes = 2,
    monitor_attributes = 3,
    array_attributes = 6,
    bus_attributes = 7,
  };

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

  using DnList = VQList<VQTopoNodeDn>;

  VQTopoNode();
  // A node whose name is set and active.
  explicit VQTopoNode(const VQTopoNodeDn& dn);
  VQTopoNode(const VQTopoNode& other);
  VQTopoNode& operator=(const VQTopoNode& other);
  // Moving hands over the representation: lists of nodes grow without copying them. A node
  // moved from may only be assigned to or destroyed; one moved into by assignment holds
  // what the other held, and the other what this one held.
  VQTopoNode(VQTopoNode&& other) noexcept;
  VQTopoNode& operator=(VQTopoNode&& other) noexcept;
  ~VQTopoNode() override;

  // Every getter fails with code 5 and "VQTopoNode::<attribute>" while its attribute is
  // not active, leaving its arguments alone; every setter makes its attribute active.
  VQStatus get_dn(VQTopoNodeDn& dn) const;
  VQStatus set_dn(const VQTopoNodeDn& dn);
  VQStatus get_name(std::string& name) const;
  VQStatus set_name(const std::string& name);
  // The paths from the root through each parent to the node; read from the server only.
  VQStatus get_topology_pathnames(VQList<std::string>& pathnames) const;
  VQStatus get_type_name(std::string& type_name) const;
  VQStatus set_type_name(const std::string& type_name);

  // Managed objects are kept in the platform's canonical form when set as a list; a name
  // the platform cannot convert is refused with code 14. A failing set leaves the names
  // converted so far stored, and the attribute's activity as it was.
  VQStatus get_managed_objects(VQList<std::string>& managed_objects) const;
  VQStatus set_managed_objects(const VQList<std::string>& managed_objects);
  // Appends `managed_object` as given, once it is known to convert.
  VQStatus add_managed_object(const std::string& managed_object);
  // Removes every entry equal to the canonical form of `managed_object`.
  VQStatus remove_managed_object(const std::string& managed_object);

  // The agents through which the managed objects are reached; read from the server only.
  VQStatus get_cmip_agents(VQList<VQCmipAgentDn>& agents) const;
  VQStatus get_snmp_agents(VQList<VQSnmpAgentDn>& agents) const;
  VQStatus get_rpc_agents(VQList<VQRpcAgentDn>& agents) const;

  // Name lists. An adder on an inactive list starts it afresh; it refuses a name already
  // there with code 13. A remover takes every equal name, code 12 when there is none.
  // Messages name the node by its slash form.
  VQStatus get_parents(DnList& parents) const;
  VQStatus set_parents(const DnList& parents);
  VQStatus add_parent(const VQTopoNodeDn& parent);
  VQStatus remove_parent(const VQTopoNodeDn& parent);
  VQStatus get_children(DnList& children) const;
  VQStatus get_view_children(DnList& children) const;
  VQStatus get_links(DnList& links) const;
  VQStatus set_links(const DnList& links);
  VQStatus add_link(const VQTopoNodeDn& link);
  VQStatus remove_link(const VQTopoNodeDn& link);
  VQStatus get_propagate_peers(DnList& peers) const;
  VQStatus set_propagate_peers(const DnList& peers);
  VQStatus add_propagate_peer(const VQTopoNodeDn& peer);
  VQStatus remove_propagate_peer(const VQTopoNodeDn& peer);

  VQStatus get_is_severity_propagated(bool& propagated) const;
  VQStatus set_is_severity_propagated(bool propagated);
  VQStatus get_state(long& state) const;
  VQStatus set_state(long state);
  VQStatus get_severity(Severity& severity) const;
  // The server computes the severity: this stores nothing and activates nothing.
  VQStatus set_severity(Severity severity);
  VQStatus get_propagated_severity(Severity& severity) const;

  // Display statuses are keyed by label: an adder replaces the value of the first entry
  // with the label; keyed look-ups and removals of a missing label give code 6. Their
  // code-5 messages name "VQTopoNode::display_status".
  VQStatus get_display_statuses(VQList<DisplayStatus>& statuses) const;
  VQStatus set_display_statuses(const VQList<DisplayStatus>& statuses);
  VQStatus get_display_status(const std::string& label, long& value) const;
  VQStatus add_display_status(const std::string& label, long value);
  VQStatus remove_display_status(const std::string& label);

  // `absent` tells that the node has no location; the location is copied out, and stored,
  // only when it is false.
  VQStatus get_geographical_location(GeoLocation& location, bool& absent) const;
  VQStatus set_geographical_location(const GeoLocation& location, bool absent);
  VQStatus get_layer_name(std::string& layer_name) const;
  VQStatus set_layer_name(const std::string& layer_name);

  // User data are keyed by attribute name, as display statuses by label.
  VQStatus get_user_data(VQList<UserDatum>& data) const;
  VQStatus set_user_data(const VQList<UserDatum>& data);
  VQStatus get_user_datum(const std::string& name, hvx::Morf& value) const;
  VQStatus add_user_datum(const std::string& name, const hvx::Morf& value);
  VQStatus remove_user_datum(const std::string& name);

  // Positions in parent views, keyed by parent (code 6 with the parent's slash form).
  VQStatus get_logical_locations(VQList<LocationInParent>& locations) const;
  VQStatus set_logical_locations(const VQList<LocationInParent>& locations);
  VQStatus get_logical_location(const VQTopoNodeDn& parent, Location& location) const;
  // On an inactive list: starts the list with this entry. On an active one: moves the
  // entry for `parent`, or gives code 6 when there is none.
  VQStatus set_logical_location(const VQTopoNodeDn& parent, const Location& location);

  VQStatus get_view_background_image_filename(std::string& filename) const;
  VQStatus set_view_background_image_filename(const std::string& filename);
  VQStatus get_view_map_config_filename(std::string& filename) const;
  VQStatus set_view_map_config_filename(const std::string& filename);
  // The area a view shows first: a centre and its extent, or absent.
  VQStatus get_view_default_geo_area(GeoLocation& centre, double& extent, bool& absent) const;
  VQStatus set_view_default_geo_area(const GeoLocation& centre, double extent, bool absent);
  // View configuration data are keyed by name, as display statuses by label.
  VQStatus get_view_config_data(VQList<ViewConfigDatum>& data) const;
  VQStatus set_view_config_data(const VQList<ViewConfigDatum>& data);
  VQStatus get_view_config_datum(const std::string& name, std::string& value) const;
  VQStatus add_view_config_datum(const ViewConfigDatum& datum);
  VQStatus remove_view_config_datum(const std::string& name);

  VQStatus get_monitor_rotation(long& rotation, bool& absent) const;
  VQStatus set_monitor_rotation(long rotation, bool absent);
  // A monitor shows at most 1 child for an "OmniSector", 6 for a "Hexagon", 3 for a
  // "Hexagon120" and 36 otherwise; more are refused with code 8.
  VQStatus get_monitor_visible_children(DnList& children) const;
  VQStatus set_monitor_visible_children(const DnList& children);
  VQStatus add_monitor_visible_child(const VQTopoNodeDn& child);
  VQStatus remove_monitor_visible_child(const VQTopoNodeDn& child);
  // Appends the children that are not visible, without emptying `children` first.
  VQStatus get_monitor_hidden_children(DnList& children) const;
  // Known for the monitor types only ("OmniSector", "Hexagon", "Hexagon120", "Circle");
  // code 14 with the type name for any other.
  VQStatus get_monitor_max_visible_children(long& max) const;

  VQStatus get_array_visible_children(DnList& children) const;
  VQStatus set_array_visible_children(const DnList& children);
  VQStatus add_array_visible_child(const VQTopoNodeDn& child);
  VQStatus remove_array_visible_child(const VQTopoNodeDn& child);
  // Appends the children that are not visible, without emptying `children` first.
  VQStatus get_array_hidden_children(DnList& children) const;
  VQStatus get_array_orientation(ArrayOrientation& orientation) const;
  VQStatus set_array_orientation(ArrayOrientation orientation);
  VQStatus get_array_num_columns(unsigned long& columns) const;
  VQStatus set_array_num_columns(unsigned long columns);
  VQStatus get_array_cell_size(ArrayCellSize& size) const;
  VQStatus set_array_cell_size(const ArrayCellSize& size);

  VQStatus get_bus_logical_locations(VQList<Location>& locations) const;
  VQStatus set_bus_logical_locations(const VQList<Location>& locations);

  // compare_all_attributes: every attribute active here compares equal, so a == b need
  // not imply b == a. Lists compare without regard to order; user data and the derived
  // attributes never differ.
  bool operator==(const VQTopoNode& other) const;
  bool operator!=(const VQTopoNode& other) const;
  bool compare_all_attributes(const VQTopoNode& other) const;
  bool compare_some_attributes(const VQTopoNode& other, const VQIntegerSet& attributes) const;
  // Add the attributes that differ to `differing` (not emptied first); true when it is
  // then non-empty.
  bool diff_all_attributes(const VQTopoNode& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQTopoNode& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;

  // The attribute's name as in the enumeration; "Unknown" for any other number.
  static const std::string& get_attribute_name(Attribute attribute);
  // Built once per (operation, group) and kept; capacity 36.
  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation,
                                                  AttributeType type = all_attribute_types);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);

  // Change notification. Registering the same event and callback again replaces its
  // client datum; unregistering removes the first registration of the callback.
  static void register_callback(VQEventType event, void (*callback)(const VQTopoNodeCallbackData&),
                                void* client_data);
  static void unregister_callback(void (*callback)(const VQTopoNodeCallbackData&),
                                  void* client_data);
  // The event is not looked at: unregisters the callback with a null client datum.
  static void unregister_callback(VQEventType event,
                                  void (*callback)(const VQTopoNodeCallbackData&));

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQTopoNode& node);
  // Events and bulk reads fill the representations of the nodes they make.
  friend class VQTopoNodeRep;
  friend class VQTopoPlatformRep;

  VQTopoNodeRep* rep_ = nullptr;
};

// What a node callback is told: the event, the node concerned, the node's attributes that
// the event carried (exactly those active), and the client datum it was registered with.
struct VQTopoNodeCallbackData {
  VQEventType event = object_creation;
  VQTopoNodeDn dn;
  VQTopoNode node;
  void* client_data = nullptr;
};

// The active attributes, one entry each, labels right-aligned in 32 columns; user data and
// the maximum of visible children are never printed.
std::ostream& operator<<(std::ostream& os, const VQTopoNode& node);

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
