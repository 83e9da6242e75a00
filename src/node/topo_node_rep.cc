#include "dedavuz_api/topo_node_rep.h"

#include "core/local_system.h"
#include "core/name_scan.h"
#include "core/system_path.h"
#include "dedavuz_api/mit_names.h"

namespace {

// The local system of view names. The default platform's PLATFORM_OBJNAME comes in here.
std::string view_local_system_name() { return vq_local_system_name(); }

// Scans a per-view name with its relative or its full format.
VQTopoNodeDn parse_view_name(const std::string& text, const std::string& relative_format,
                             const std::string& full_format) {
  try {
    if (text.empty() || text.front() != '/') {
      const VQScanResult scan = vq_scan(text, relative_format);
      if (scan.items != 1) return VQTopoNodeDn();
      VQTopoNodeDn dn;
      dn.system_name(vq_local_system_name());
      dn.unique_id(scan.numbers[0]);
      return dn;
    }
    const VQScanResult scan = vq_scan(text, full_format);
    if (scan.items != 2) return VQTopoNodeDn();
    return VQTopoNodeDn(scan.strings[0], scan.numbers[0]);
  } catch (...) {
    return VQTopoNodeDn();
  }
}

}  // namespace

std::string VQTopoNodeRep::topo_view_dn_slash_form(const VQTopoNodeDn& view) {
  return vq_slash_form(view.system_name(), view_local_system_name(), VQ_DN_TOPO_VIEW_PART2,
                       std::to_string(view.unique_id()));
}

std::string VQTopoNodeRep::topo_view_node_dn_slash_form(const VQTopoNodeDn& view,
                                                        const VQTopoNodeDn& node) {
  return topo_view_dn_slash_form(view) + "/" + VQ_TOPO_NODE_ID + "=" +
         std::to_string(node.unique_id());
}

VQTopoNodeDn VQTopoNodeRep::topo_view_dn(const std::string& text) {
  return parse_view_name(text, VQ_DN_TOPO_VIEW_LDN_SCANF, VQ_DN_TOPO_VIEW_SCANF);
}

VQTopoNodeDn VQTopoNodeRep::topo_view_node_dn(const std::string& text) {
  return parse_view_name(text, VQ_DN_TOPO_VIEW_NODE_LDN_SCANF, VQ_DN_TOPO_VIEW_NODE_SCANF);
}
