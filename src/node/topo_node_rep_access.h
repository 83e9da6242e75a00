// The way into a node representation's fields: its attribute table, and for tests the
// attributes only a load from the server sets.
#ifndef DEDAVUZ_NODE_TOPO_NODE_REP_ACCESS_H_
#define DEDAVUZ_NODE_TOPO_NODE_REP_ACCESS_H_

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/attribute_table.h"
#include "dedavuz_api/topo_node_rep.h"

struct VQTopoNodeRepAccess {
  using Rep = VQTopoNodeRep;
  using DnList = Rep::DnList;

  using GeoLocation = Rep::GeoLocation;
  using UserDatum = Rep::UserDatum;
  using Row = VQAttributeRow<Rep>;

  static const VQAttributeTable<Rep>& table();

  // The values of more than one form, which the table points to.
  static VQStatus decode_ids(Rep& rep, const hvx::Morf& value, DnList& list);
  static VQStatus decode_managed_objects(Rep& rep, const hvx::Morf& value, const std::string&);
  static VQStatus managed_objects_value(const Rep& rep, hvx::Asn1Value& out,
                                        const std::string& error);
  static VQStatus decode_monitor(Rep& rep, const hvx::Morf& value, const std::string&);
  static VQStatus monitor_value(const Rep& rep, hvx::Asn1Value& out, const std::string&);
  static VQStatus encode_monitor(const Rep& rep, hvx::Image& image, const std::string& attribute,
                                 const std::string&);
  static VQStatus decode_user_data(Rep& rep, const hvx::Morf& value, const std::string& error);
  static VQStatus user_data_value(const Rep& rep, hvx::Asn1Value& out, const std::string&);
  static VQStatus decode_geo_area(Rep& rep, const hvx::Morf& value, const std::string&);
  static VQStatus geo_area_value(const Rep& rep, hvx::Asn1Value& out, const std::string&);
  static void print_geo_area(std::ostream& os, const std::string& label, const Rep& rep);
  static bool equal_geo_area(const Rep& a, const Rep& b);
  // In-place readers of the forms the server stores (see topo_node_plain_values.h).
  static bool plain_id(Rep& rep, const VQPlainTlv& value);
  static bool plain_ids(const Rep& rep, const VQPlainTlv& value, DnList& list);
  static bool plain_monitor(Rep& rep, const VQPlainTlv& value);

  // Replaces `gdmo` with what a bulk read of `attributes` asks for: what a load of every
  // class needs, but a view's configuration data without the node's type. An `attributes`
  // of no capacity asks for nothing.
  static void map_bulk_read(const VQIntegerSet& attributes, VQIntegerSet& gdmo);

  // Decodes the BER `ber` of server attribute `gdmo` into its field when the value has the
  // form the server stores, as the table's codec would (a position is one in `parent`);
  // false, with nothing changed, for any other form or attribute. Total and linear.
  static bool decode_plain(Rep& rep, int gdmo, std::string_view ber, const VQTopoNodeDn& parent);

  // Tests fill what only a load from the server sets.

  static void activate(Rep& rep, std::initializer_list<int> attributes) {
    for (const int n : attributes) rep.active_.add(n);
  }
  static DnList& children(Rep& rep) { return rep.children_; }
  static DnList& view_children(Rep& rep) { return rep.view_children_; }
  static VQList<std::string>& topology_pathnames(Rep& rep) { return rep.topology_pathnames_; }
  static VQList<VQCmipAgentDn>& cmip_agents(Rep& rep) { return rep.cmip_agents_; }
  static VQList<VQSnmpAgentDn>& snmp_agents(Rep& rep) { return rep.snmp_agents_; }
  static VQList<VQRpcAgentDn>& rpc_agents(Rep& rep) { return rep.rpc_agents_; }
  static VQTopoNode::Severity& severity(Rep& rep) { return rep.severity_; }
  static VQTopoNode::Severity& propagated_severity(Rep& rep) { return rep.propagated_severity_; }
  static DnList& monitor_visible_children(Rep& rep) { return rep.monitor_visible_children_; }
  static VQList<std::string>& managed_objects(Rep& rep) { return rep.managed_objects_; }

 private:
  // The rows in print order.
  static std::vector<Row> rows();
  static std::vector<Row> identity_rows();
  static std::vector<Row> state_rows();
  static std::vector<Row> shape_rows();
};

#endif  // DEDAVUZ_NODE_TOPO_NODE_REP_ACCESS_H_
