// VQTopoTypeRep: the representation behind a topology type handle: the eight attribute
// values, which of them are active, and their comparison and printing.
#ifndef DEDAVUZ_API_TOPO_TYPE_REP_H_
#define DEDAVUZ_API_TOPO_TYPE_REP_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object_rep.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_type_dn.h"

namespace hvx {
class CurrentEvent;
class Image;
class Morf;
}  // namespace hvx

class VQTopoTypeRep : public VQObjectRep {
 public:
  using Attribute = VQTopoType::Attribute;
  using DrawMethod = VQTopoType::DrawMethod;

  // The server attributes of a topoType object.
  enum GdmoAttribute : int {
    topo_type_id = 0,
    topo_type_derived_from = 1,
    topo_type_all_derived_from = 2,
    topo_type_base_of = 3,
    topo_type_all_base_of = 4,
    topo_type_max_visible_level = 5,
    topo_type_max_topo_level = 6,
    topo_type_legal_arcs = 7,
    topo_type_all_legal_arcs = 8,
    topo_type_legal_children = 9,
    topo_type_all_legal_children = 10,
    topo_type_draw_method = 11,
    topo_type_default_layer = 12,
    topo_type_user_data_attrs = 13,
  };
  static constexpr int gdmo_attribute_count = 14;

  // No attribute active.
  VQTopoTypeRep();
  // Only the name active.
  explicit VQTopoTypeRep(const VQTopoTypeDn& dn);
  VQTopoTypeRep(const VQTopoTypeRep&) = default;
  VQTopoTypeRep& operator=(const VQTopoTypeRep&) = default;

  // Each operation reaches the topoType object named by the slash form of the name through
  // one image on the platform object's connection (code 1 before VQTopoPlatform::initialize
  // has succeeded; exists() is then false). Create, destroy and store change neither the
  // fields nor the active set; a load activates what it was asked for only when it all
  // decoded, the fields decoded before a failure keeping their new values.
  bool exists() const override;
  VQStatus create_with_all_attributes() override;
  VQStatus create_with_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus destroy() override;
  VQStatus load_all_attributes() override;
  VQStatus load_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus store_all_attributes() override;
  VQStatus store_some_attributes(const VQIntegerSet& attributes) override;
  // Types have no defaults: nothing changes.
  VQStatus load_all_defaults() override;
  VQStatus load_some_defaults(const VQIntegerSet& attributes) override;
  void get_active_attributes(VQIntegerSet& attributes) const override;
  void clear_all_attributes() override;
  void clear_some_attributes(const VQIntegerSet& attributes) override;

  // Values to and from the server's object. Server selections have capacity 14; any other
  // gives code 14 "VQIntegerSet wrong size".

  // Decodes the members of `gdmo` from a booted image, in ascending order; the first
  // failure ends it.
  VQStatus get_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& gdmo);
  // Stages the members of `attributes` in ascending order (those no store or create
  // writes are passed over); a value the image refuses gives code 1 with its error.
  VQStatus set_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes) const;
  // Decodes one value into its field; code 9 "VQTopoType::unknown_attribute" for a server
  // attribute without one (topoTypeId decodes as nothing).
  VQStatus get_attribute_from_morf(GdmoAttribute attribute, hvx::Morf& value);
  // Adds to `gdmo` the server attributes holding `attributes`.
  static void map_interface_to_gdmo_attributes(const VQIntegerSet& attributes, VQIntegerSet& gdmo);
  // Replaces `attributes` (capacity 8) with the attributes that the members of `gdmo` hold.
  static void map_gdmo_to_interface_attributes(const VQIntegerSet& gdmo, VQIntegerSet& attributes);
  // The server attribute named exactly `name`; false, with `attribute` set to 15, for none.
  static bool map_gdmo_name_to_enum(const std::string& name, GdmoAttribute& attribute);
  // The short names of the server attributes, by number.
  static const std::string* gdmo_attribute_names();

  VQStatus get_dn(VQTopoTypeDn& dn) const;
  VQStatus set_dn(const VQTopoTypeDn& dn);
  VQStatus get_base_type(std::string& type) const;
  VQStatus set_base_type(const std::string& type);
  VQStatus get_all_base_types(VQList<std::string>& types) const;
  VQStatus get_sub_types(VQList<std::string>& types) const;
  VQStatus get_legal_children(VQList<std::string>& types) const;
  VQStatus add_legal_child(const std::string& type);
  VQStatus get_layer_name(std::string& layer) const;
  VQStatus set_layer_name(const std::string& layer);
  VQStatus get_draw_method(DrawMethod& method) const;
  VQStatus set_draw_method(DrawMethod method);
  VQStatus get_user_data_attribute_names(VQList<std::string>& names) const;
  // Makes each name canonical in turn; the first failure is returned at once, leaving the
  // names made so far in the list and the attribute's activity as it was.
  VQStatus set_user_data_attribute_names(const VQList<std::string>& names);
  // Code 13 when the active list holds `name` as given; an inactive list starts afresh.
  VQStatus add_user_data_attribute_name(const std::string& name);
  // Removes the first entry equal to the canonical `name`; code 12 with `name` when none.
  VQStatus remove_user_data_attribute_name(const std::string& name);

  // Walks `attributes` in order. An attribute differs when it is active on one side only,
  // or active on both with unequal values; the layer name and numbers beyond the eight
  // never differ. Without `differing`: true when nothing differs. With it: adds each
  // differing attribute and answers whether `differing` is then non-empty.
  bool internal_compare_some_attributes(const VQTopoTypeRep& other, const VQIntegerSet& attributes,
                                        VQIntegerSet* differing) const;
  // Over this side's active attributes.
  bool compare_all_attributes(const VQTopoTypeRep& other) const;
  bool compare_some_attributes(const VQTopoTypeRep& other, const VQIntegerSet& attributes) const;
  // Over every attribute.
  bool diff_all_attributes(const VQTopoTypeRep& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQTopoTypeRep& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;
  bool operator==(const VQTopoTypeRep& other) const { return compare_all_attributes(other); }
  bool operator!=(const VQTopoTypeRep& other) const { return !(*this == other); }

  // Built on first request, then shared.
  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

  // The process-wide type categories. Each list holds names on the local system; every
  // type is in one of the first seven, and in view_types too when it has legal children.
  static bool type_cache_is_initialized;
  static VQList<VQTopoTypeDn> device_types;
  static VQList<VQTopoTypeDn> link_types;
  static VQList<VQTopoTypeDn> container_types;
  static VQList<VQTopoTypeDn> monitor_types;
  static VQList<VQTopoTypeDn> array_types;
  static VQList<VQTopoTypeDn> bus_types;
  static VQList<VQTopoTypeDn> other_types;
  static VQList<VQTopoTypeDn> view_types;

  // With `fill`, reads every type of the local server into the categories unless that was
  // done: code 1 with the platform's text, "ACCESS_DENIED" or "No topology type is
  // available" when it cannot be. A failed fill is tried again by the next call.
  static VQStatus is_type_cache_initialized(bool fill);
  // Files the type an image holds (topoTypeId, topoTypeAllDerivedFrom and
  // topoTypeAllLegalChildren read).
  static void cache_topo_type(hvx::Image& image);
  static bool is_container(const std::string& type_name);
  static bool is_monitor(const std::string& type_name);
  static bool is_array(const std::string& type_name);
  static bool is_view(const std::string& type_name);
  static bool is_device(const std::string& type_name);
  static bool is_link(const std::string& type_name);
  static bool is_bus(const std::string& type_name);
  // Every type once: devices, links, containers, monitors, arrays, buses, others.
  static VQStatus get_all_types(VQList<VQTopoTypeDn>& types);

  // One registration of a type callback. Two entries are equal when their callback and
  // client datum are; the event plays no part.
  struct CallbackEntry {
    VQEventType event = object_creation;
    void (*callback)(const VQTopoTypeCallbackData&) = nullptr;
    void* client_data = nullptr;
    bool operator==(const CallbackEntry& other) const {
      return callback == other.callback && client_data == other.client_data;
    }
  };
  static VQList<CallbackEntry> callbacks;
  static void register_callback(VQEventType event, void (*callback)(const VQTopoTypeCallbackData&),
                                void* client_data);
  static void unregister_callback(void (*callback)(const VQTopoTypeCallbackData&),
                                  void* client_data);
  // Keeps the categories current from type creations and deletions and calls the
  // callbacks; given every platform event.
  static void raw_event_cb(hvx::CurrentEvent& event);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQTopoTypeRep& rep);
  // The attribute table reaches the fields through it.
  friend struct VQTopoTypeRepAccess;

  // Code 5 with the attribute's qualified name.
  static VQStatus not_set(Attribute attribute);
  // An image of the type's object; code 1 before the platform object is initialised.
  VQStatus open(hvx::Image& image) const;
  template <typename T>
  VQStatus get(Attribute attribute, const T& field, T& out) const;
  template <typename T>
  VQStatus set(Attribute attribute, T& field, const T& value);

  VQTopoTypeDn dn_;
  std::string base_type_;
  VQList<std::string> all_base_types_;
  VQList<std::string> sub_types_;
  VQList<std::string> legal_children_;
  std::string layer_name_;
  // Meaningful only while active; a create or store would send it as it is.
  DrawMethod draw_method_ = VQTopoType::circle;
  VQList<std::string> user_data_attribute_names_;
  VQIntegerSet active_;
};

// One line per active attribute, in attribute order, each label right-aligned in 32
// columns.
std::ostream& operator<<(std::ostream& os, const VQTopoTypeRep& rep);

#endif  // DEDAVUZ_API_TOPO_TYPE_REP_H_
