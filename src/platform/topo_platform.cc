#include "dedavuz_api/topo_platform.h"

#include <exception>

#include "dedavuz_api/topo_platform_rep.h"
#include "dedavuz_api/topo_type_rep.h"

VQTopoPlatform* VQTopoPlatform::the_topo_platform = nullptr;
bool VQTopoPlatform::valid_flag = false;

bool VQTopoPlatform::initialize(hvx::Platform& platform, bool view_graph_cached) {
  return initialize(platform, view_graph_cached, false);
}

bool VQTopoPlatform::initialize(hvx::Platform& platform, bool view_graph_cached, bool hold_events) {
  if (the_topo_platform != nullptr) return true;
  try {
    the_topo_platform = new VQTopoPlatform(platform, view_graph_cached);
  } catch (const std::exception&) {
    the_topo_platform = nullptr;
    valid_flag = false;
  }
  if (!valid_flag) {
    delete the_topo_platform;
    the_topo_platform = nullptr;
  }
  VQTopoPlatformRep::hold_events(hold_events);
  return valid_flag;
}

VQTopoPlatform* VQTopoPlatform::instance() { return the_topo_platform; }

VQTopoPlatform::VQTopoPlatform(hvx::Platform& platform, bool view_graph_cached) {
  valid_flag = VQTopoPlatformRep::initialize(platform, view_graph_cached);
  if (valid_flag) rep_ = VQTopoPlatformRep::instance();
}

VQTopoPlatform::~VQTopoPlatform() = default;

const std::string& VQTopoPlatform::local_system_name() const {
  static const std::string kNone;
  return rep_ == nullptr ? kNone : rep_->local_system_name();
}

std::string VQTopoPlatform::system_fdn_str(const std::string& system) const {
  return rep_ == nullptr ? std::string() : rep_->system_fdn_str(system);
}

std::string VQTopoPlatform::fdn_system_str(const std::string& fdn) const {
  return rep_ == nullptr ? std::string() : rep_->fdn_system_str(fdn);
}

VQList<std::string> VQTopoPlatform::system_names() const {
  return rep_ == nullptr ? VQList<std::string>() : rep_->system_names();
}

hvx::Platform& VQTopoPlatform::platform() {
  return rep_ == nullptr ? hvx::Platform::default_platform() : rep_->platform();
}

void VQTopoPlatform::register_mis_connection_callback(MisConnectionCallback callback,
                                                      void* client_data) {
  VQTopoPlatformRep::register_mis_connection_callback(callback, client_data);
}

void VQTopoPlatform::unregister_mis_connection_callback(MisConnectionCallback callback) {
  VQTopoPlatformRep::unregister_mis_connection_callback(callback);
}

void VQTopoPlatform::hold_events(bool hold) { VQTopoPlatformRep::hold_events(hold); }

namespace {

VQStatus not_initialized() {
  return VQStatus(VQStatus::Code::hvx_error, "VQTopoPlatform not initialized");
}

}  // namespace

VQStatus VQTopoPlatform::find_root_nodes(VQList<VQTopoNodeDn>& roots,
                                         const VQList<std::string>& systems) const {
  return rep_ == nullptr ? not_initialized() : rep_->find_root_nodes(roots, systems);
}

VQStatus VQTopoPlatform::find_nodes_by_name(const std::string& name, VQList<VQTopoNodeDn>& nodes,
                                            const VQList<std::string>& systems) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->find_nodes(VQTopoPlatformRep::by_name, name, nodes, systems);
}

VQStatus VQTopoPlatform::find_nodes_by_type(const std::string& type_name,
                                            VQList<VQTopoNodeDn>& nodes,
                                            const VQList<std::string>& systems) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->find_nodes(VQTopoPlatformRep::by_type, type_name, nodes, systems);
}

VQStatus VQTopoPlatform::find_nodes_by_managed_object(const std::string& mo_fdn,
                                                      VQList<VQTopoNodeDn>& nodes,
                                                      const VQList<std::string>& systems) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->find_nodes(VQTopoPlatformRep::by_managed_object, mo_fdn, nodes, systems);
}

VQStatus VQTopoPlatform::find_nodes_by_MO_set(const VQList<std::string>& mo_fdns,
                                              VQList<VQTopoNodeDn>& nodes,
                                              const VQList<std::string>& systems) const {
  return rep_ == nullptr ? not_initialized() : rep_->find_nodes_by_MO_set(mo_fdns, nodes, systems);
}

VQStatus VQTopoPlatform::find_mos_by_nodes(bool with_mos, std::string system,
                                           VQList<long> node_ids, VQList<long>& ids,
                                           VQList<std::string>& mos) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->find_mos_by_nodes(with_mos, system, node_ids, ids, mos);
}

VQStatus VQTopoPlatform::load_nodes_in_view(const VQTopoNodeDn& view,
                                            const VQIntegerSet& attributes,
                                            VQList<VQTopoNode>& nodes) {
  return rep_ == nullptr ? not_initialized() : rep_->load_nodes_in_view(view, attributes, nodes);
}

VQStatus VQTopoPlatform::get_attributes_by_mo(const VQList<std::string>& mo_fdns,
                                              const VQIntegerSet& attributes,
                                              VQList<VQTopoNode>& nodes,
                                              const VQList<std::string>& systems) {
  if (rep_ == nullptr) return not_initialized();
  return rep_->get_attributes_by_mo(mo_fdns, attributes, nodes, systems);
}

VQStatus VQTopoPlatform::set_attributes_by_mo(const VQList<std::string>& mo_fdns,
                                              const VQIntegerSet& attributes,
                                              const VQTopoNode& values, VQList<VQTopoNode>& nodes,
                                              const VQList<std::string>& systems) {
  if (rep_ == nullptr) return not_initialized();
  return rep_->set_attributes_by_mo(mo_fdns, attributes, values, nodes, systems);
}

VQStatus VQTopoPlatform::view_topology_pathnames(const VQTopoNodeDn& view,
                                                 VQList<std::string>& paths) const {
  paths.clear();
  return rep_ == nullptr ? not_initialized() : rep_->view_topology_pathnames(view, paths);
}

VQStatus VQTopoPlatform::topology_pathnames(const VQTopoNodeDn& view, const std::string& leaf,
                                            VQList<std::string>& paths) const {
  paths.clear();
  return rep_ == nullptr ? not_initialized() : rep_->topology_pathnames(view, leaf, paths);
}

VQStatus VQTopoPlatform::gen_node_report(const std::string& system,
                                         VQList<VQTopoNodeReport>& reports) const {
  return rep_ == nullptr ? not_initialized() : rep_->gen_node_report(system, reports);
}

VQStatus VQTopoPlatform::managed_object_to_cmip_agent(const std::string& mo_fdn,
                                                      VQCmipAgentDn& agent) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->managed_object_to_cmip_agent(mo_fdn, agent);
}

VQStatus VQTopoPlatform::managed_object_to_snmp_agent(const std::string& mo_fdn,
                                                      VQSnmpAgentDn& agent) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->managed_object_to_snmp_agent(mo_fdn, agent);
}

VQStatus VQTopoPlatform::managed_object_to_rpc_agent(const std::string& mo_fdn,
                                                     VQRpcAgentDn& agent) const {
  if (rep_ == nullptr) return not_initialized();
  return rep_->managed_object_to_rpc_agent(mo_fdn, agent);
}

bool VQTopoPlatform::is_view(const VQTopoNodeDn& node) const {
  return rep_ != nullptr && rep_->is_view(node);
}

VQStatus VQTopoPlatform::find_root_types(VQList<VQTopoTypeDn>& types) const {
  return rep_ == nullptr ? not_initialized() : rep_->find_root_types(types);
}

VQStatus VQTopoPlatform::find_all_types(VQList<VQTopoTypeDn>& types) const {
  return rep_ == nullptr ? not_initialized() : VQTopoTypeRep::get_all_types(types);
}
