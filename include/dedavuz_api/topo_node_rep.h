// VQTopoNodeRep: the representation behind a topology node handle: the 36 attribute
// values, which of them are active, their local rules, comparison and printing, and how
// they map onto the server's topoNode, topoView and topoViewNode attributes.
#ifndef DEDAVUZ_API_TOPO_NODE_REP_H_
#define DEDAVUZ_API_TOPO_NODE_REP_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/event_type.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object_rep.h"
#include "dedavuz_api/rpc_agent_dn.h"
#include "dedavuz_api/snmp_agent_dn.h"
#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_node_dn.h"
#include "hvx/morf.h"

namespace hvx {
class CurrentEvent;
class Image;
class Platform;
}  // namespace hvx

class VQTopoNodeRep : public VQObjectRep {
 public:
  using Attribute = VQTopoNode::Attribute;
  using AttributeType = VQTopoNode::AttributeType;
  using Severity = VQTopoNode::Severity;
  using ArrayOrientation = VQTopoNode::ArrayOrientation;
  using Location = VQTopoNode::Location;
  using LocationInParent = VQTopoNode::LocationInParent;
  using DisplayStatus = VQTopoNode::DisplayStatus;
  using GeoLocation = VQTopoNode::GeoLocation;
  using ArrayCellSize = VQTopoNode::ArrayCellSize;
  using UserDatum = VQTopoNode::UserDatum;
  using ViewConfigDatum = VQTopoNode::ViewConfigDatum;
  using DnList = VQTopoNode::DnList;

  // The server classes a node is spread over.
  enum GdmoObjectClass : int { topo_node = 0, topo_view_node = 1, topo_view = 2 };

  // The server attributes of those classes, numbered as TOPO_NODE_GDMO_ATTRIBUTE_NAMES.
  enum GdmoAttribute : int {
    topo_node_id = 0,
    topo_node_name = 1,
    topo_node_type = 2,
    topo_node_mo_set = 3,
    topo_node_parents = 4,
    topo_node_children = 5,
    topo_node_peers = 6,
    topo_node_propagate_peers = 7,
    topo_node_managed = 8,
    topo_node_is_managed = 9,
    topo_node_state = 10,
    topo_node_severity = 11,
    topo_node_propagated_severity = 12,
    topo_node_propagate_up = 13,
    topo_node_display_status = 14,
    topo_node_geo_location = 15,
    topo_node_layer = 16,
    topo_node_monitor = 17,
    topo_node_user_data = 18,
    topo_node_array_visible_children = 19,
    topo_node_array_orientation = 20,
    topo_node_array_num_columns = 21,
    topo_node_array_cell_size = 22,
    topo_node_bus_points = 23,
    topo_view_node_position = 24,
    topo_view_background_image = 25,
    topo_view_map_config_file = 26,
    topo_view_map_initial_geo_area = 27,
    topo_view_config_data = 28,
  };
  static constexpr int gdmo_attribute_count = 29;

  // No attribute active.
  VQTopoNodeRep();
  // Only the name active.
  explicit VQTopoNodeRep(const VQTopoNodeDn& dn);
  VQTopoNodeRep(const VQTopoNodeRep&) = default;
  VQTopoNodeRep& operator=(const VQTopoNodeRep&) = default;

  // The lifecycle operations reach the server through the platform object: before
  // VQTopoPlatform::initialize has succeeded they answer code 1 (exists() false).
  bool exists() const override;
  VQStatus create_with_all_attributes() override;
  VQStatus create_with_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus destroy() override;
  VQStatus load_all_attributes() override;
  VQStatus load_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus store_all_attributes() override;
  VQStatus store_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus load_all_defaults() override;
  // Gives each selected attribute its default value; the active set stays as it is.
  VQStatus load_some_defaults(const VQIntegerSet& attributes) override;
  void get_active_attributes(VQIntegerSet& attributes) const override;
  void clear_all_attributes() override;
  void clear_some_attributes(const VQIntegerSet& attributes) override;

  // The steps of a load and of a create or store. A load boots `object_class`'s image for
  // exactly `gdmo` and decodes it (code 2 when the object is missing); the derived step
  // computes path names and agents; the private store writes the per-view positions and
  // the view's own attributes.
  VQStatus load_some_gdmo_attributes(GdmoObjectClass object_class, hvx::Image& image,
                                     VQIntegerSet& gdmo);
  VQStatus get_derived_topo_node_attributes(const VQIntegerSet& attributes);
  VQStatus private_store_topoview_and_topoviewnode(const VQIntegerSet& attributes);

  // Values to and from the server's objects. Sets of server attributes have capacity 29;
  // any other gives code 14 "VQIntegerSet wrong size".

  // Decodes the members of `gdmo` from a booted image into the fields, in ascending order.
  // The first error ends it; what was decoded before keeps its new value.
  VQStatus get_some_attributes_in_image(GdmoObjectClass object_class, hvx::Image& image,
                                        const VQIntegerSet& gdmo);
  // Decodes one value of a topoNode or topoView attribute into its field; the active set
  // is not touched. Attributes with no field of their own succeed doing nothing.
  VQStatus get_attribute_from_morf(GdmoObjectClass object_class, GdmoAttribute attribute,
                                   hvx::Morf& value);
  // Stages the members of `gdmo` that `object_class` holds, from the fields, for the
  // image's next create or store. The first that cannot be written ends it with code 10
  // (user data also with 11 for an unregistered name and 8 for a datum without value).
  VQStatus set_some_attributes_in_image(GdmoObjectClass object_class, hvx::Image& image,
                                        const VQIntegerSet& gdmo) const;
  // Appends `parent` with the position `value` holds to the logical locations.
  VQStatus get_position_in_morf(hvx::Morf& value, const VQTopoNodeDn& parent);
  // Stages `location` as the node's position in one parent view.
  static VQStatus set_position_in_topo_view_node_image(hvx::Image& image, const Location& location);

  // The accessors of VQTopoNode, which documents them.
  VQStatus get_dn(VQTopoNodeDn& dn) const;
  VQStatus set_dn(const VQTopoNodeDn& dn);
  VQStatus get_name(std::string& name) const;
  VQStatus set_name(const std::string& name);
  VQStatus get_topology_pathnames(VQList<std::string>& pathnames) const;
  VQStatus get_type_name(std::string& type_name) const;
  VQStatus set_type_name(const std::string& type_name);
  VQStatus get_managed_objects(VQList<std::string>& managed_objects) const;
  VQStatus set_managed_objects(const VQList<std::string>& managed_objects);
  VQStatus add_managed_object(const std::string& managed_object);
  VQStatus remove_managed_object(const std::string& managed_object);
  VQStatus get_cmip_agents(VQList<VQCmipAgentDn>& agents) const;
  VQStatus get_snmp_agents(VQList<VQSnmpAgentDn>& agents) const;
  VQStatus get_rpc_agents(VQList<VQRpcAgentDn>& agents) const;
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
  VQStatus set_severity(Severity severity);
  VQStatus get_propagated_severity(Severity& severity) const;
  VQStatus get_display_statuses(VQList<DisplayStatus>& statuses) const;
  VQStatus set_display_statuses(const VQList<DisplayStatus>& statuses);
  VQStatus get_display_status(const std::string& label, long& value) const;
  VQStatus add_display_status(const std::string& label, long value);
  VQStatus remove_display_status(const std::string& label);
  VQStatus get_geographical_location(GeoLocation& location, bool& absent) const;
  VQStatus set_geographical_location(const GeoLocation& location, bool absent);
  VQStatus get_layer_name(std::string& layer_name) const;
  VQStatus set_layer_name(const std::string& layer_name);
  VQStatus get_user_data(VQList<UserDatum>& data) const;
  VQStatus set_user_data(const VQList<UserDatum>& data);
  VQStatus get_user_datum(const std::string& name, hvx::Morf& value) const;
  VQStatus add_user_datum(const std::string& name, const hvx::Morf& value);
  VQStatus remove_user_datum(const std::string& name);
  VQStatus get_logical_locations(VQList<LocationInParent>& locations) const;
  VQStatus set_logical_locations(const VQList<LocationInParent>& locations);
  VQStatus get_logical_location(const VQTopoNodeDn& parent, Location& location) const;
  VQStatus set_logical_location(const VQTopoNodeDn& parent, const Location& location);
  VQStatus get_view_background_image_filename(std::string& filename) const;
  VQStatus set_view_background_image_filename(const std::string& filename);
  VQStatus get_view_map_config_filename(std::string& filename) const;
  VQStatus set_view_map_config_filename(const std::string& filename);
  VQStatus get_view_default_geo_area(GeoLocation& centre, double& extent, bool& absent) const;
  VQStatus set_view_default_geo_area(const GeoLocation& centre, double extent, bool absent);
  VQStatus get_view_config_data(VQList<ViewConfigDatum>& data) const;
  VQStatus set_view_config_data(const VQList<ViewConfigDatum>& data);
  VQStatus get_view_config_datum(const std::string& name, std::string& value) const;
  VQStatus add_view_config_datum(const ViewConfigDatum& datum);
  VQStatus remove_view_config_datum(const std::string& name);
  VQStatus get_monitor_rotation(long& rotation, bool& absent) const;
  VQStatus set_monitor_rotation(long rotation, bool absent);
  VQStatus get_monitor_visible_children(DnList& children) const;
  VQStatus set_monitor_visible_children(const DnList& children);
  VQStatus add_monitor_visible_child(const VQTopoNodeDn& child);
  VQStatus remove_monitor_visible_child(const VQTopoNodeDn& child);
  VQStatus get_monitor_hidden_children(DnList& children) const;
  VQStatus get_monitor_max_visible_children(long& max) const;
  VQStatus get_array_visible_children(DnList& children) const;
  VQStatus set_array_visible_children(const DnList& children);
  VQStatus add_array_visible_child(const VQTopoNodeDn& child);
  VQStatus remove_array_visible_child(const VQTopoNodeDn& child);
  VQStatus get_array_hidden_children(DnList& children) const;
  VQStatus get_array_orientation(ArrayOrientation& orientation) const;
  VQStatus set_array_orientation(ArrayOrientation orientation);
  VQStatus get_array_num_columns(unsigned long& columns) const;
  VQStatus set_array_num_columns(unsigned long columns);
  VQStatus get_array_cell_size(ArrayCellSize& size) const;
  VQStatus set_array_cell_size(const ArrayCellSize& size);
  VQStatus get_bus_logical_locations(VQList<Location>& locations) const;
  VQStatus set_bus_logical_locations(const VQList<Location>& locations);

  // Walks `attributes` in ascending order. An attribute differs when it is active on one
  // side only, or active on both with unequal values; user data and the derived
  // attributes (hidden children, maximum of visible children) never differ when active on
  // both. Without `differing`: true when nothing differs. With it: adds each differing
  // attribute and answers whether `differing` is then non-empty.
  bool internal_compare_some_attributes(const VQTopoNodeRep& other, const VQIntegerSet& attributes,
                                        VQIntegerSet* differing) const;
  // Over this side's active attributes.
  bool compare_all_attributes(const VQTopoNodeRep& other) const;
  bool compare_some_attributes(const VQTopoNodeRep& other, const VQIntegerSet& attributes) const;
  // Over every attribute.
  bool diff_all_attributes(const VQTopoNodeRep& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQTopoNodeRep& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;
  bool operator==(const VQTopoNodeRep& other) const { return compare_all_attributes(other); }
  bool operator!=(const VQTopoNodeRep& other) const { return !(*this == other); }

  static const std::string& get_attribute_name(Attribute attribute);
  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation, AttributeType type);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);

  // Replaces `gdmo` (capacity 29) with the server attributes of `object_class` that hold
  // `attributes`. A create maps as a store; a load adds what derived attributes need.
  static void map_interface_to_gdmo_attributes(VQObjectOperation operation,
                                               GdmoObjectClass object_class,
                                               const VQIntegerSet& attributes, VQIntegerSet& gdmo);
  // Replaces `attributes` (capacity 36) with the attributes held by the server attributes
  // `gdmo` of `object_class`.
  static void map_gdmo_to_interface_attributes(GdmoObjectClass object_class,
                                               const VQIntegerSet& gdmo, VQIntegerSet& attributes);
  // The server attribute of `object_class` whose short name is `name`; false when the class
  // has none (topoNodeManaged and topoNodeIsManaged are never found). A class outside the
  // three answers true and leaves `attribute` alone.
  static bool map_gdmo_name_to_enum(GdmoObjectClass object_class, const std::string& name,
                                    GdmoAttribute& attribute);

  // The names of a view node's per-view server objects, topoView and topoViewNode.
  // The full name of the topoView object of the view node `view`.
  static std::string topo_view_dn_slash_form(const VQTopoNodeDn& view);
  // The full name of the topoViewNode object that places `node` in `view`.
  static std::string topo_view_node_dn_slash_form(const VQTopoNodeDn& view,
                                                  const VQTopoNodeDn& node);
  // Parse those names, relative to the view database or starting with the systemId
  // component; the view-node form gives the placed node's id. Anything else gives the
  // null name.
  static VQTopoNodeDn topo_view_dn(const std::string& text);
  static VQTopoNodeDn topo_view_node_dn(const std::string& text);

  // One registration of a node callback. Two entries are equal when their event and
  // callback are; the client datum plays no part.
  struct CallbackEntry {
    VQEventType event = object_creation;
    void (*callback)(const VQTopoNodeCallbackData&) = nullptr;
    void* client_data = nullptr;
    bool operator==(const CallbackEntry& other) const {
      return event == other.event && callback == other.callback;
    }
  };

  // The process's node callbacks, in registration order.
  static VQList<CallbackEntry> callbacks;
  // Set by the first registration and never cleared: events are decoded from then on.
  static bool is_callbacks_initialized;

  // Replaces an equal entry (same event and callback) by the new one at the end.
  static void register_callback(VQEventType event, void (*callback)(const VQTopoNodeCallbackData&),
                                void* client_data);
  // Removes the first entry with this callback, whatever its event and client datum.
  static void unregister_callback(void (*callback)(const VQTopoNodeCallbackData&),
                                  void* client_data);
  static void initialize_callbacks(hvx::Platform& platform);
  // Decodes a platform event about a node object and calls the matching callbacks; given
  // every platform event, it does nothing until a callback has been registered.
  static void raw_event_cb(hvx::CurrentEvent& event);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQTopoNodeRep& rep);
  // The attribute table reaches the fields through it.
  friend struct VQTopoNodeRepAccess;
  // Bulk reads make attributes active as a load does.
  friend class VQTopoPlatformRep;

  bool is_active(Attribute attribute) const { return active_.is_member(attribute); }
  // Code 5 with the attribute's qualified name.
  static VQStatus not_set(Attribute attribute);
  template <typename T>
  VQStatus get(Attribute attribute, const T& field, T& out) const;
  template <typename T>
  VQStatus set(Attribute attribute, T& field, const T& value);
  // The name-list families: add refuses a name already there, remove takes every one.
  VQStatus add_dn(Attribute attribute, DnList& list, const VQTopoNodeDn& dn);
  VQStatus remove_dn(Attribute attribute, DnList& list, const VQTopoNodeDn& dn);
  // A keyed entry starts an inactive list, or takes the place of the first entry whose
  // `Key` member equals its own.
  template <auto Key, typename T>
  VQStatus add_keyed(Attribute attribute, VQList<T>& list, const T& entry);
  // The entries of `children` not in `visible`, appended to `out`.
  VQStatus get_hidden(Attribute attribute, const DnList& visible, DnList& out) const;
  // How many children a monitor of this node's type shows at most.
  long monitor_visible_limit() const;

  // Event decoding into this node: the changes of an attribute-change event (adding each
  // server attribute decoded to `gdmo`), and a position in the view that the object's
  // next-to-last naming component names. False, with the diagnostic written, when the
  // event is to be dropped.
  bool decode_change_event(GdmoObjectClass object_class, const hvx::Asn1Value& instance,
                           const hvx::Asn1Value& changes, VQIntegerSet& gdmo);
  bool decode_position_event(const hvx::Asn1Value& instance, hvx::Morf& position);

  // A managed object's name as the local system reaches it.
  std::string managed_object_seen_locally(const std::string& name) const;

  // What the view graph cache answers during a load; without the cache every load goes as
  // it does when the graph is not cached.
  VQStatus load_view_children_from_view_graph();
  void load_from_view_graph(const VQIntegerSet& attributes, VQIntegerSet& gdmo);
  void load_view_files_from_view_graph(VQIntegerSet& gdmo);
  // The paths to this node through `parent`, asked of the platform's view graph.
  VQStatus topology_pathnames_through(const VQTopoNodeDn& parent, VQList<std::string>& paths) const;
  // The agents of the managed objects, for the requested kinds.
  void derive_agents(const VQIntegerSet& attributes);
  // The end of a load: the view's own attributes, or their defaults for a node that
  // is not a view.
  VQStatus load_topo_view_attributes(const VQIntegerSet& attributes, VQIntegerSet& gdmo);

  VQTopoNodeDn dn_;
  std::string name_;
  std::string type_name_;
  VQList<std::string> topology_pathnames_;
  DnList parents_;
  DnList links_;
  GeoLocation geographical_location_;
  bool geographical_location_absent_ = true;
  VQList<LocationInParent> logical_locations_;
  std::string layer_name_;
  DnList propagate_peers_;
  bool is_severity_propagated_ = true;
  long state_ = 0;
  Severity severity_ = VQTopoNode::indeterminate;
  Severity propagated_severity_ = VQTopoNode::indeterminate;
  VQList<DisplayStatus> display_statuses_;
  VQList<std::string> managed_objects_;
  VQList<VQCmipAgentDn> cmip_agents_;
  VQList<VQSnmpAgentDn> snmp_agents_;
  VQList<VQRpcAgentDn> rpc_agents_;
  VQList<UserDatum> user_data_;
  DnList children_;
  DnList view_children_;
  std::string view_background_image_filename_;
  std::string view_map_config_filename_;
  GeoLocation view_default_geo_area_;
  double view_default_geo_area_extent_ = 0.0;
  bool view_default_geo_area_absent_ = true;
  VQList<ViewConfigDatum> view_config_data_;
  long monitor_rotation_ = 0;
  bool monitor_rotation_absent_ = true;
  DnList monitor_visible_children_;
  DnList array_visible_children_;
  ArrayOrientation array_orientation_ = VQTopoNode::horizontal;
  unsigned long array_num_columns_ = 0;
  ArrayCellSize array_cell_size_;
  VQList<Location> bus_logical_locations_;
  VQIntegerSet active_;
};

// One entry per active attribute, in the node's print order; see VQTopoNode.
std::ostream& operator<<(std::ostream& os, const VQTopoNodeRep& rep);

#endif  // DEDAVUZ_API_TOPO_NODE_REP_H_
