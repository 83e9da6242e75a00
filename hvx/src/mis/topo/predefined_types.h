// The types every topology database holds from its start.
#ifndef HVX_SRC_MIS_TOPO_PREDEFINED_TYPES_H_
#define HVX_SRC_MIS_TOPO_PREDEFINED_TYPES_H_

#include <span>
#include <string_view>

namespace hvx::mis::topo {

struct PredefinedType {
  std::string_view id;
  std::string_view base;            // "" for the root of a category
  std::string_view legal_children;  // value notation of a SET OF GraphicString
  int draw_method;                  // topoTypeDrawMethod
  std::string_view layer;
};

// Bases come before the types derived from them.
std::span<const PredefinedType> predefined_types();

// The view every database holds from its start, and its type.
inline constexpr std::string_view kRootName = "Root";
inline constexpr std::string_view kRootType = "Universe";

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_PREDEFINED_TYPES_H_
