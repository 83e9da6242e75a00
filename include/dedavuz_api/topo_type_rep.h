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
class Image;
}

class VQTopoTypeRep : public VQObjectRep {
 public:
  using Attribute = VQTopoType::Attribute;
  using DrawMethod = VQTopoType::DrawMethod;

  // No attribute active.
  VQTopoTypeRep();
  // Only the name active.
  explicit VQTopoTypeRep(const VQTopoTypeDn& dn);
  VQTopoTypeRep(const VQTopoTypeRep&) = default;
  VQTopoTypeRep& operator=(const VQTopoTypeRep&) = default;

  // Moving types to and from the server is not built yet: these answer code 15 with
  // the operation's name, and exists() is false.
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

  // The process's cache of the local system's types by category, filled from the server on
  // first use: each type in one of device, link, container, monitor, array, bus or other
  // (the first root it is or derives from, in that order), and every type with legal
  // children, own or inherited, among the view types.
  // With `fill`, fills the cache unless it is filled; success when it is. Code 1 with the
  // platform's text, or "No topology type is available"; a failed fill is tried again
  // next time.
  static VQStatus is_type_cache_initialized(bool fill);
  // Files one type from an image holding topoTypeId, topoTypeAllDerivedFrom and
  // topoTypeAllLegalChildren.
  static void cache_topo_type(hvx::Image& image);
  // Whether the local type `type_name` has legal children; false when the cache cannot be
  // filled.
  static bool is_view(const std::string& type_name);
  // Every cached type once, by category: device, link, container, monitor, array, bus,
  // other. On a failed fill, that status with `types` left alone.
  static VQStatus get_all_types(VQList<VQTopoTypeDn>& types);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQTopoTypeRep& rep);
  // Lets tests fill the attributes that only a load from the server sets.
  friend class VQTopoTypeRepPeer;

  // Code 5 with the attribute's qualified name.
  static VQStatus not_set(Attribute attribute);
  template <typename T>
  VQStatus get(Attribute attribute, const T& field, T& out) const;
  template <typename T>
  VQStatus set(Attribute attribute, T& field, const T& value);
  bool differs(const VQTopoTypeRep& other, long attribute) const;

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
