// Moving a node to and from the server: existence, creation, destruction, load and store of
// the topoNode object, its topoView object and its topoViewNode objects.
#include <exception>
#include <string>

#include "core/server_image.h"
#include "dedavuz_api/mit_names.h"
#include "dedavuz_api/topo_type.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "node/topo_node_rep_access.h"

namespace {

using Code = VQStatus::Code;
using Node = VQTopoNode;

// The platform's name for an object the server has not named yet.
const std::string kUnnamed = "NONE";

const VQAttributeTable<VQTopoNodeRep>& table() { return VQTopoNodeRepAccess::table(); }

bool boot_for(hvx::Image& image, const VQIntegerSet& gdmo) {
  return vq_boot_for(image, gdmo, TOPO_NODE_GDMO_ATTRIBUTE_NAMES, VQ_TOPO_NODE_GDMO_ATTRIBUTE_COUNT);
}

VQStatus dn_not_set() { return VQStatus(Code::missing_mandatory_attribute, "VQTopoNode::dn"); }

// Agent lookup by managed object belongs to the platform object.
template <typename Dn>
using AgentLookup = VQStatus (VQTopoPlatform::*)(const std::string&, Dn&) const;

// Offers a managed object to one kind of agent; true when that kind took it.
template <typename Dn>
bool offer(const std::string& managed_object, bool wanted, AgentLookup<Dn> lookup,
           VQList<Dn>& agents) {
  const VQTopoPlatform* platform = VQTopoPlatform::instance();
  if (!wanted || platform == nullptr) return false;
  Dn agent;
  if (!(platform->*lookup)(managed_object, agent)) return false;
  if (!agents.contains(agent)) agents.append(agent);
  return true;
}

}  // namespace

bool VQTopoNodeRep::exists() const {
  try {
    hvx::Image image;
    if (!vq_open_image(dn_.slash_form(), VQ_OC_TOPO_NODE, image)) return false;
    if (!image.boot(hvx::DUArray{vq_du(VQ_TOPO_NODE_ID)}, kVQTimeout)) return false;
    return image.exists();
  } catch (const std::exception&) {
    return false;
  }
}

VQStatus VQTopoNodeRep::create_with_some_attributes(const VQIntegerSet& attributes) {
  return vq_guarded([&]() -> VQStatus {
    const VQIntegerSet missing = vq_outside(get_mandatory_attributes(create), attributes);
    if (missing.num_members() > 0) {
      return table().listed(Code::missing_mandatory_attribute, missing);
    }
    const VQIntegerSet not_creatable =
        vq_outside(attributes, get_valid_attributes(create, Node::all_attribute_types));
    if (not_creatable.num_members() > 0) {
      return table().listed(Code::attribute_not_creatable, not_creatable);
    }
    if (parents_.is_empty()) return VQStatus(Code::no_parents, "VQTopoNode::parents");

    VQIntegerSet gdmo;
    map_interface_to_gdmo_attributes(create, topo_node, attributes, gdmo);
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(kUnnamed, VQ_OC_TOPO_NODE, image));
    VQ_RETURN_IF_ERROR(set_some_attributes_in_image(topo_node, image, gdmo));
    const std::string& system = parents_.first().system_name();
    if (!image.create_within(vq_du(VQTopoPlatformRep::topo_node_db_fdn(system)), hvx::Image(),
                             kVQTimeout)) {
      return vq_platform_error(image);
    }
    // From here on the node exists on the server, whatever the rest of the creation does.
    dn_.unique_id(image.get_long(vq_du(VQ_TOPO_NODE_ID)));
    dn_.system_name(system);
    active_.add(Node::dn);
    return private_store_topoview_and_topoviewnode(attributes);
  });
}

VQStatus VQTopoNodeRep::private_store_topoview_and_topoviewnode(const VQIntegerSet& attributes) {
  if (attributes.is_member(Node::logical_locations)) {
    for (const LocationInParent& entry : logical_locations_) {
      hvx::Image image;
      VQ_RETURN_IF_ERROR(
          vq_open_image(topo_view_node_dn_slash_form(entry.parent, dn_), VQ_OC_TOPO_VIEW_NODE, image));
      VQ_RETURN_IF_ERROR(set_position_in_topo_view_node_image(image, entry.location));
      if (!image.store(kVQTimeout)) return vq_platform_error(image);
    }
  }
  VQIntegerSet gdmo;
  map_interface_to_gdmo_attributes(store, topo_view, attributes, gdmo);
  if (gdmo.num_members() > 0) {
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(topo_view_dn_slash_form(dn_), VQ_OC_TOPO_VIEW, image));
    VQ_RETURN_IF_ERROR(set_some_attributes_in_image(topo_view, image, gdmo));
    // Only a view node has a topoView object; for any other node the view attributes
    // have nowhere to go, and that is not an error.
    if (!image.boot(hvx::DUArray{vq_du(VQ_TOPO_NODE_ID)}, kVQTimeout) || !image.exists()) {
      return VQStatus::success;
    }
    if (!image.store(kVQTimeout)) return vq_platform_error(image);
  }
  return VQStatus::success;
}

VQStatus VQTopoNodeRep::destroy() {
  return vq_guarded([&]() -> VQStatus {
    if (!is_active(Node::dn)) return dn_not_set();
    hvx::Image image;
    VQ_RETURN_IF_ERROR(vq_open_image(dn_.slash_form(), VQ_OC_TOPO_NODE, image));
    if (!image.destroy(kVQTimeout)) return vq_platform_error(image);
    return VQStatus::success;
  });
}

VQStatus VQTopoNodeRep::store_some_attributes(const VQIntegerSet& attributes) {
  return vq_guarded([&]() -> VQStatus {
    if (!is_active(Node::dn)) return dn_not_set();
    const VQIntegerSet not_storeable =
        vq_outside(attributes, get_valid_attributes(store, Node::all_attribute_types));
    if (not_storeable.num_members() > 0) {
      return table().listed(Code::attribute_not_storeable, not_storeable);
    }
    VQIntegerSet gdmo;
    map_interface_to_gdmo_attributes(store, topo_node, attributes, gdmo);
    if (gdmo.num_members() > 0) {
      hvx::Image image;
      VQ_RETURN_IF_ERROR(vq_open_image(dn_.slash_form(), VQ_OC_TOPO_NODE, image));
      VQ_RETURN_IF_ERROR(set_some_attributes_in_image(topo_node, image, gdmo));
      if (!image.store(kVQTimeout)) return vq_platform_error(image);
    }
    return private_store_topoview_and_topoviewnode(attributes);
  });
}

VQStatus VQTopoNodeRep::load_some_attributes(const VQIntegerSet& attributes) {
  return vq_guarded([&]() -> VQStatus {
    if (!is_active(Node::dn)) return dn_not_set();
    if (attributes.is_member(Node::view_children)) {
      VQ_RETURN_IF_ERROR(load_view_children_from_view_graph());
    }

    VQIntegerSet gdmo;
    map_interface_to_gdmo_attributes(load, topo_node, attributes, gdmo);
    load_from_view_graph(attributes, gdmo);
    if (gdmo.num_members() > 0) {
      hvx::Image image;
      VQ_RETURN_IF_ERROR(vq_open_image(dn_.slash_form(), VQ_OC_TOPO_NODE, image));
      VQ_RETURN_IF_ERROR(load_some_gdmo_attributes(topo_node, image, gdmo));
    }
    VQ_RETURN_IF_ERROR(get_derived_topo_node_attributes(attributes));

    if (attributes.is_member(Node::logical_locations)) {
      logical_locations_.clear();
      for (const VQTopoNodeDn& parent : parents_) {
        hvx::Image image;
        VQ_RETURN_IF_ERROR(
            vq_open_image(topo_view_node_dn_slash_form(parent, dn_), VQ_OC_TOPO_VIEW_NODE, image));
        if (!image.boot(hvx::DUArray{vq_du(VQ_TOPO_VIEW_NODE_POSITION)}, kVQTimeout)) {
          return vq_platform_error(image);
        }
        if (!image.exists())
          return VQStatus(Code::object_does_not_exist, image.get_objname().str());
        hvx::Morf position = image.get_raw(vq_du(VQ_TOPO_VIEW_NODE_POSITION));
        VQ_RETURN_IF_ERROR(get_position_in_morf(position, parent));
      }
    }

    map_interface_to_gdmo_attributes(load, topo_view, attributes, gdmo);
    load_view_files_from_view_graph(gdmo);
    if (gdmo.num_members() > 0) VQ_RETURN_IF_ERROR(load_topo_view_attributes(attributes, gdmo));

    active_ |= attributes;
    return VQStatus::success;
  });
}

VQStatus VQTopoNodeRep::load_some_gdmo_attributes(GdmoObjectClass object_class, hvx::Image& image,
                                                  VQIntegerSet& gdmo) {
  if (!boot_for(image, gdmo)) return vq_platform_error(image);
  if (!image.exists()) return VQStatus(Code::object_does_not_exist, image.get_objname().str());
  return get_some_attributes_in_image(object_class, image, gdmo);
}

VQStatus VQTopoNodeRep::get_derived_topo_node_attributes(const VQIntegerSet& attributes) {
  if (attributes.is_member(Node::topology_pathnames)) {
    topology_pathnames_.clear();
    if (parents_.is_empty()) {
      topology_pathnames_.append("/" + name_);
    } else {
      for (const VQTopoNodeDn& parent : parents_) {
        VQList<std::string> paths;
        VQ_RETURN_IF_ERROR(topology_pathnames_through(parent, paths));
        for (const std::string& path : paths) topology_pathnames_.append(path);
      }
    }
  }
  derive_agents(attributes);
  return VQStatus::success;
}

void VQTopoNodeRep::derive_agents(const VQIntegerSet& attributes) {
  const bool snmp = attributes.is_member(Node::snmp_agents);
  const bool rpc = attributes.is_member(Node::rpc_agents);
  const bool cmip = attributes.is_member(Node::cmip_agents);
  if (snmp) snmp_agents_.clear();
  if (rpc) rpc_agents_.clear();
  if (cmip) cmip_agents_.clear();
  // Each managed object goes to the first kind that knows its agent.
  for (const std::string& managed_object : managed_objects_) {
    if (offer(managed_object, snmp, &VQTopoPlatform::managed_object_to_snmp_agent, snmp_agents_)) {
      continue;
    }
    if (offer(managed_object, rpc, &VQTopoPlatform::managed_object_to_rpc_agent, rpc_agents_)) {
      continue;
    }
    offer(managed_object, cmip, &VQTopoPlatform::managed_object_to_cmip_agent, cmip_agents_);
  }
}

VQStatus VQTopoNodeRep::load_topo_view_attributes(const VQIntegerSet& attributes,
                                                  VQIntegerSet& gdmo) {
  // A node whose type is not a view has no view object: its view attributes take their
  // defaults without asking the server.
  if (!VQTopoType::is_view(type_name_)) {
    VQIntegerSet held;
    map_gdmo_to_interface_attributes(topo_view, VQIntegerSet(gdmo_attribute_count, true), held);
    return load_some_defaults(held & attributes);
  }
  hvx::Image image;
  VQ_RETURN_IF_ERROR(vq_open_image(topo_view_dn_slash_form(dn_), VQ_OC_TOPO_VIEW, image));
  return load_some_gdmo_attributes(topo_view, image, gdmo);
}

// What the view graph cache answers during a load.

namespace {

const VQTopoPlatformRep* cached_view_graph() {
  const VQTopoPlatformRep* platform = VQTopoPlatformRep::instance();
  return platform != nullptr && platform->is_view_graph_cached() ? platform : nullptr;
}

}  // namespace

VQStatus VQTopoNodeRep::load_view_children_from_view_graph() {
  const VQTopoPlatformRep* graph = cached_view_graph();
  if (graph == nullptr) {
    return VQStatus(Code::not_supported_by_platform, "VQTopoNode::view_children");
  }
  // A node the graph does not hold has no view children.
  const VQStatus ignored = graph->get_view_graph_node_view_children(dn_, view_children_);
  (void)ignored;
  return VQStatus::success;
}

// The name and the parents come from the graph, which follows their changes. The type and
// the severities the entry carries are as the fetch found them and are not followed, so
// they are read from the server. Only a view whose own entry arrived answers: a node the
// graph knows only as a parent knows neither its name nor its parents.
void VQTopoNodeRep::load_from_view_graph(const VQIntegerSet& /*attributes*/, VQIntegerSet& gdmo) {
  const VQTopoPlatformRep* graph = cached_view_graph();
  VQTopoPlatformRep::ViewInfo info;
  if (graph == nullptr || !graph->get_view_graph_node_info(dn_, info)) return;
  if (gdmo.is_member(topo_node_name)) {
    name_ = info.name;
    gdmo.remove(topo_node_name);
  }
  if (gdmo.is_member(topo_node_parents) && graph->get_view_graph_node_parents(dn_, parents_)) {
    gdmo.remove(topo_node_parents);
  }
}

void VQTopoNodeRep::load_view_files_from_view_graph(VQIntegerSet& gdmo) {
  const VQTopoPlatformRep* graph = cached_view_graph();
  if (graph == nullptr) return;
  if (gdmo.is_member(topo_view_map_config_file) &&
      graph->get_view_graph_map_file_name(dn_, view_map_config_filename_)) {
    gdmo.remove(topo_view_map_config_file);
  }
  if (gdmo.is_member(topo_view_background_image) &&
      graph->get_view_graph_background_file_name(dn_, view_background_image_filename_)) {
    gdmo.remove(topo_view_background_image);
  }
}

VQStatus VQTopoNodeRep::topology_pathnames_through(const VQTopoNodeDn& parent,
                                                   VQList<std::string>& paths) const {
  const VQTopoPlatform* platform = VQTopoPlatform::instance();
  if (platform == nullptr) {
    paths.clear();
    return VQStatus(Code::view_graph_not_cached, "VQTopoPlatform::view_topology_pathnames");
  }
  return platform->topology_pathnames(parent, name_, paths);
}
