// VQTopoType: a topology type, the class of a topology node: what it derives from, which
// types may be its children, its default layer, how its nodes are drawn and the names of
// its user-data attributes. A handle over its own VQTopoTypeRep, copied deeply.
#ifndef DEDAVUZ_API_TOPO_TYPE_H_
#define DEDAVUZ_API_TOPO_TYPE_H_

#include <cstdint>
#include <iosfwd>
#include <string>

#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object.h"
#include "dedavuz_api/topo_type_dn.h"

#include "dedavuz_api/event_type.h"

class VQTopoTypeRep;
struct VQTopoTypeCallbackData;

class VQTopoType : public VQObject {
 public:
  // The attribute numbers. The underlying type is fixed so that any number can be asked
  // about (get_attribute_name answers "Unknown" beyond 7).
  enum Attribute : int {
    dn = 0,
    base_type = 1,
    all_base_types = 2,
    sub_types = 3,
    legal_children = 4,
    layer_name = 5,
    draw_method = 6,
    user_data_attribute_names = 7,
  };
  static constexpr int attribute_count = 8;

  // The shape in which nodes of the type are drawn; any 32-bit value can be held.
  enum DrawMethod : std::int32_t {
    circle = 0,
    square = 1,
    rectangle = 2,
    triangle = 3,
    hexagon = 4,
    line = 5,
    pie = 6,
    hexagon60 = 7,
    hexagon120 = 8,
    omnisector = 9,
  };

  VQTopoType();
  // A type whose name is set and active.
  explicit VQTopoType(const VQTopoTypeDn& dn);
  VQTopoType(const VQTopoType& other);
  VQTopoType& operator=(const VQTopoType& other);
  ~VQTopoType() override;

  // Getters fail with code 5 and "VQTopoType::<attribute>" while their attribute is not
  // active, leaving the argument alone.
  VQStatus get_dn(VQTopoTypeDn& dn) const;
  VQStatus set_dn(const VQTopoTypeDn& dn);
  VQStatus get_base_type(std::string& type) const;
  VQStatus set_base_type(const std::string& type);
  // Every type it derives from, directly or not; read from the server only.
  VQStatus get_all_base_types(VQList<std::string>& types) const;
  // The types derived from it; read from the server only.
  VQStatus get_sub_types(VQList<std::string>& types) const;
  VQStatus get_legal_children(VQList<std::string>& types) const;
  // Appends to legal children that are active (loaded); code 5 otherwise.
  VQStatus add_legal_child(const std::string& type);
  VQStatus get_layer_name(std::string& layer) const;
  VQStatus set_layer_name(const std::string& layer);
  VQStatus get_draw_method(DrawMethod& method) const;
  VQStatus set_draw_method(DrawMethod method);
  // User-data attribute names are kept in the platform's registered form; a name the
  // platform does not know is refused with code 11.
  VQStatus get_user_data_attribute_names(VQList<std::string>& names) const;
  VQStatus set_user_data_attribute_names(const VQList<std::string>& names);
  VQStatus add_user_data_attribute_name(const std::string& name);
  VQStatus remove_user_data_attribute_name(const std::string& name);

  // Equal when every attribute active in this type is active and equal in `other`; only
  // this side's attributes are looked at, so a == b need not give b == a. A layer name
  // active on both sides never counts.
  bool operator==(const VQTopoType& other) const;
  bool operator!=(const VQTopoType& other) const;
  bool compare_all_attributes(const VQTopoType& other) const;
  bool compare_some_attributes(const VQTopoType& other, const VQIntegerSet& attributes) const;
  // Add the attributes that differ (over all eight, or over `attributes`) to `differing`,
  // which is not emptied first; true when it is then non-empty.
  bool diff_all_attributes(const VQTopoType& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQTopoType& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;

  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  // The attribute's name as in the enumeration; "Unknown" for any other number.
  static const std::string& get_attribute_name(Attribute attribute);

  // Categories of a local type, answered from a process-wide cache of the server's types
  // that is filled on first use and kept current from type events. A type is in one of
  // the categories device, link, container, monitor, array and bus when it is that root
  // or derives from it (tested in that order), and a view when it has legal children.
  static bool is_container(const std::string& type_name);
  static bool is_monitor(const std::string& type_name);
  static bool is_array(const std::string& type_name);
  static bool is_view(const std::string& type_name);
  static bool is_device(const std::string& type_name);
  static bool is_link(const std::string& type_name);
  static bool is_bus(const std::string& type_name);

  // Type change notification. Registering the same function and client datum again
  // changes its event and moves it last; unregistering removes the first registration of
  // the function, whatever its client datum.
  static void register_callback(VQEventType event, void (*callback)(const VQTopoTypeCallbackData&),
                                void* client_data);
  static void unregister_callback(void (*callback)(const VQTopoTypeCallbackData&),
                                  void* client_data);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQTopoType& type);

  VQTopoTypeRep* rep_ = nullptr;
};

// What a type callback is told: the event and the type concerned.
struct VQTopoTypeCallbackData {
  VQEventType event = object_creation;
  VQTopoTypeDn dn;
  void* client_data = nullptr;
};

// The active attributes, one entry each.
std::ostream& operator<<(std::ostream& os, const VQTopoType& type);
// The method's name ("circle" ... "omnisector"); a value outside them prints as its number.
std::ostream& operator<<(std::ostream& os, VQTopoType::DrawMethod method);

#endif  // DEDAVUZ_API_TOPO_TYPE_H_
