// The type attribute table: for each of the eight attributes how it prints and compares,
// and which operations take it.
#include <ostream>
#include <string>
#include <vector>

#include "core/attribute_codecs.h"
#include "type/topo_type_rep_access.h"

namespace {

using Type = VQTopoType;
using Rep = VQTopoTypeRep;

int class_of(int) { return 0; }

}  // namespace

// Quoted values: the label opens the quote.
template <auto F>
static void print_quoted(std::ostream& os, const std::string& label, const Rep& rep) {
  os << label << rep.*F << "\"\n";
}

std::vector<VQTopoTypeRepAccess::Row> VQTopoTypeRepAccess::rows() {
  // clang-format off
  return {
    {.number = Type::dn, .name = "dn", .print = vq_print_value<&Rep::dn_>, .equal = vq_equal<&Rep::dn_>,
     .creatable = true},
    {.number = Type::base_type, .name = "base_type", .label = "base_type: \"",
     .print = print_quoted<&Rep::base_type_>, .equal = vq_equal<&Rep::base_type_>, .creatable = true},
    // The server computes these two.
    {.number = Type::all_base_types, .name = "all_base_types", .label = "all_base_types",
     .print = vq_print_list<&Rep::all_base_types_>, .equal = vq_equal<&Rep::all_base_types_>},
    {.number = Type::sub_types, .name = "sub_types", .label = "sub_types",
     .print = vq_print_list<&Rep::sub_types_>, .equal = vq_equal<&Rep::sub_types_>},
    {.number = Type::legal_children, .name = "legal_children",
     .print = vq_print_list<&Rep::legal_children_>, .equal = vq_equal<&Rep::legal_children_>,
     .creatable = true, .storeable = true},
    // The layer is a display preference and takes no part in comparison.
    {.number = Type::layer_name, .name = "layer_name", .label = "layer_name: \"",
     .print = print_quoted<&Rep::layer_name_>, .creatable = true, .storeable = true},
    {.number = Type::draw_method, .name = "draw_method", .label = "draw_method: \"",
     .print = print_quoted<&Rep::draw_method_>, .equal = vq_equal<&Rep::draw_method_>,
     .creatable = true, .storeable = true},
    {.number = Type::user_data_attribute_names, .name = "user_data_attribute_names",
     .print = vq_print_list<&Rep::user_data_attribute_names_>,
     .equal = vq_equal<&Rep::user_data_attribute_names_>, .creatable = true, .storeable = true},
  };
  // clang-format on
}

const VQAttributeTable<VQTopoTypeRep>& VQTopoTypeRepAccess::table() {
  static const VQAttributeTable<Rep> table("VQTopoType::", rows(), 1, nullptr, 0, class_of);
  return table;
}
