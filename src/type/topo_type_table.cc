// The type attribute table: for each of the eight attributes how it prints and compares,
// which operations take it, and how the server's topoType object carries it.
#include <ostream>
#include <string>
#include <vector>

#include "core/attribute_codecs.h"
#include "core/server_image.h"
#include "hvx/oid_registry.h"
#include "type/topo_type_rep_access.h"

namespace {

using Code = VQStatus::Code;
using Type = VQTopoType;
using Rep = VQTopoTypeRep;
using hvx::Asn1Value;

int class_of(int) { return 0; }

VQStatus staged(hvx::Image& image, const std::string& attribute, const Asn1Value& value,
                int mode = hvx::REPLACE) {
  return vq_write_value(image, attribute, value, mode) ? VQStatus::success
                                                       : vq_platform_error(image);
}

// Quoted values: the label opens the quote.
template <auto F>
void print_quoted(std::ostream& os, const std::string& label, const Rep& rep) {
  os << label << rep.*F << "\"\n";
}

// Lists of type names are sets of texts.
template <auto F>
VQStatus decode_texts(Rep& rep, const hvx::Morf& value, const std::string&) {
  (rep.*F).clear();
  for (const hvx::Morf& element : value.split_array()) (rep.*F).append(element.get_str(0));
  return VQStatus::success;
}

template <auto F, int Mode>
VQStatus encode_texts(const Rep& rep, hvx::Image& image, const std::string& attribute,
                      const std::string&) {
  Asn1Value set = hvx::ber::set();
  for (const std::string& text : rep.*F) set.add_component(vq_text(text));
  return staged(image, attribute, set, Mode);
}

// A type name a store or create cannot write directly.
template <auto F>
VQStatus decode_string(Rep& rep, const hvx::Morf& value, const std::string&) {
  rep.*F = value.get_str(0);
  return VQStatus::success;
}

template <auto F>
VQStatus encode_string(const Rep& rep, hvx::Image& image, const std::string& attribute,
                       const std::string&) {
  if (!image.set_str(vq_du(attribute), vq_du(rep.*F), hvx::REPLACE, 0)) {
    return vq_platform_error(image);
  }
  return VQStatus::success;
}

}  // namespace

// The base type is the first element of a set of texts.
VQStatus VQTopoTypeRepAccess::decode_base_type(Rep& rep, const hvx::Morf& value,
                                               const std::string&) {
  const hvx::MorfArray elements = value.split_array();
  rep.base_type_ = elements.count() == 0 ? std::string() : elements[0].get_str(0);
  return VQStatus::success;
}

VQStatus VQTopoTypeRepAccess::encode_base_type(const Rep& rep, hvx::Image& image,
                                               const std::string& attribute, const std::string&) {
  Asn1Value set = hvx::ber::set();
  set.add_component(vq_text(rep.base_type_));
  return staged(image, attribute, set);
}

VQStatus VQTopoTypeRepAccess::decode_draw_method(Rep& rep, const hvx::Morf& value,
                                                 const std::string& error) {
  const Asn1Value& v = value.get_value();
  long method = 0;
  if (v.is_null() || v.tag() != hvx::TAG_ENUM || !v.decode_enum(method)) {
    return VQStatus(Code::decode_error, error);
  }
  rep.draw_method_ = static_cast<DrawMethod>(method);
  return VQStatus::success;
}

VQStatus VQTopoTypeRepAccess::encode_draw_method(const Rep& rep, hvx::Image& image,
                                                 const std::string& attribute,
                                                 const std::string&) {
  Asn1Value method;
  method.encode_enum(rep.draw_method_);
  return staged(image, attribute, method);
}

// User-data attributes travel as the identifiers of their registered names.
VQStatus VQTopoTypeRepAccess::decode_user_data_names(Rep& rep, const hvx::Morf& value,
                                                     const std::string& error) {
  rep.user_data_attribute_names_.clear();
  if (!value) return VQStatus(Code::hvx_error, value.get_error_string());
  const Asn1Value& v = value.get_value();
  if (!vq_is(v, hvx::TAG_SET)) return VQStatus(Code::decode_error, error);
  for (Asn1Value item = v.first_component(); !item.is_null(); item = item.next_component()) {
    hvx::Oid oid;
    item.decode_oid(oid);
    std::string name;
    if (!hvx::OidNameRegistry::find_name_by_oid(oid, name)) {
      return VQStatus(Code::attribute_not_registered, oid.format());
    }
    rep.user_data_attribute_names_.append(name);
  }
  return VQStatus::success;
}

VQStatus VQTopoTypeRepAccess::encode_user_data_names(const Rep& rep, hvx::Image& image,
                                                     const std::string& attribute,
                                                     const std::string&) {
  Asn1Value set = hvx::ber::set();
  for (const std::string& name : rep.user_data_attribute_names_) {
    hvx::Oid oid;
    if (!hvx::OidNameRegistry::find_oid_by_name(name, oid)) {
      return VQStatus(Code::attribute_not_registered, name);
    }
    Asn1Value id;
    id.encode_oid(oid, hvx::Asn1Tag(2, 0));
    set.add_component(id);
  }
  hvx::Morf morf(attribute, hvx::Platform::def_platform);
  if (!morf) return VQStatus(Code::hvx_error, morf.get_error_string());
  if (!morf.set_value(set) || !image.set_raw(vq_du(attribute), morf, hvx::REPLACE)) {
    return vq_platform_error(image);
  }
  return VQStatus::success;
}

std::vector<VQTopoTypeRepAccess::Row> VQTopoTypeRepAccess::rows() {
  // clang-format off
  return {
    {.number = Type::dn, .name = "dn", .print = vq_print_value<&Rep::dn_>, .equal = vq_equal<&Rep::dn_>,
     .creatable = true, .gdmo = Rep::topo_type_id},
    {.number = Type::base_type, .name = "base_type", .label = "base_type: \"",
     .print = print_quoted<&Rep::base_type_>, .equal = vq_equal<&Rep::base_type_>, .creatable = true,
     .gdmo = Rep::topo_type_derived_from, .decode = decode_base_type, .encode = encode_base_type},
    // The server computes these two.
    {.number = Type::all_base_types, .name = "all_base_types", .label = "all_base_types",
     .print = vq_print_list<&Rep::all_base_types_>, .equal = vq_equal<&Rep::all_base_types_>,
     .gdmo = Rep::topo_type_all_derived_from, .decode = decode_texts<&Rep::all_base_types_>},
    {.number = Type::sub_types, .name = "sub_types", .label = "sub_types",
     .print = vq_print_list<&Rep::sub_types_>, .equal = vq_equal<&Rep::sub_types_>,
     .gdmo = Rep::topo_type_base_of, .decode = decode_texts<&Rep::sub_types_>,
     .encode = encode_texts<&Rep::sub_types_, hvx::REPLACE>},
    // Added to those the server holds: a store never takes a legal child away.
    {.number = Type::legal_children, .name = "legal_children",
     .print = vq_print_list<&Rep::legal_children_>, .equal = vq_equal<&Rep::legal_children_>,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_type_legal_children,
     .decode = decode_texts<&Rep::legal_children_>,
     .encode = encode_texts<&Rep::legal_children_, hvx::INCLUDE>},
    // The layer is a display preference and takes no part in comparison.
    {.number = Type::layer_name, .name = "layer_name", .label = "layer_name: \"",
     .print = print_quoted<&Rep::layer_name_>, .creatable = true, .storeable = true,
     .gdmo = Rep::topo_type_default_layer, .decode = decode_string<&Rep::layer_name_>,
     .encode = encode_string<&Rep::layer_name_>},
    {.number = Type::draw_method, .name = "draw_method", .label = "draw_method: \"",
     .print = print_quoted<&Rep::draw_method_>, .equal = vq_equal<&Rep::draw_method_>,
     .creatable = true, .storeable = true, .gdmo = Rep::topo_type_draw_method,
     .decode = decode_draw_method, .encode = encode_draw_method},
    {.number = Type::user_data_attribute_names, .name = "user_data_attribute_names",
     .print = vq_print_list<&Rep::user_data_attribute_names_>,
     .equal = vq_equal<&Rep::user_data_attribute_names_>, .creatable = true, .storeable = true,
     .gdmo = Rep::topo_type_user_data_attrs, .decode = decode_user_data_names,
     .encode = encode_user_data_names},
  };
  // clang-format on
}

const VQAttributeTable<VQTopoTypeRep>& VQTopoTypeRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQTopoType::", rows(), 1, Rep::gdmo_attribute_names(),
                                           Rep::gdmo_attribute_count, class_of);
  return table;
}
