// VQSnmpAgentRep: the representation behind an SNMP agent handle: the eleven attribute
// values, which of them are active, and their way to and from the agent's
// cmipsnmpProxyAgent object on the server.
#ifndef DEDAVUZ_API_SNMP_AGENT_REP_H_
#define DEDAVUZ_API_SNMP_AGENT_REP_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/agent.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object_rep.h"
#include "dedavuz_api/snmp_agent.h"
#include "dedavuz_api/snmp_agent_dn.h"

namespace hvx {
class Image;
}  // namespace hvx

class VQSnmpAgentRep : public VQObjectRep {
 public:
  using Attribute = VQSnmpAgent::Attribute;

  // An IPv4 address and UDP port, or none.
  class TransportAddress {
   public:
    // None.
    TransportAddress() = default;
    TransportAddress(unsigned a, unsigned b, unsigned c, unsigned d, unsigned short port)
        : parts_{a, b, c, d}, port_(port), null_(false) {}
    // a.b.c.d:port, or a.b.c.d with port 161; blanks are allowed around the separators.
    // Anything else gives none.
    explicit TransportAddress(const std::string& text);

    // "a.b.c.d:port", none as 0.0.0.0:0.
    std::string ascii_format() const;
    bool is_null() const { return null_; }
    unsigned part(int i) const { return parts_[i]; }
    unsigned short port() const { return port_; }
    // Two addresses that are none are equal.
    bool operator==(const TransportAddress& other) const;
    bool operator!=(const TransportAddress& other) const { return !(*this == other); }

   private:
    unsigned parts_[4] = {0, 0, 0, 0};
    unsigned short port_ = 0;
    bool null_ = true;
  };

  // The server attributes of a cmipsnmpProxyAgent object.
  enum GdmoAttribute : int {
    cmipsnmp_proxy_agent_id = 0,
    mpa_address_info = 1,
    admin_state = 2,
    op_state = 3,
    system_title = 4,
    snmp_get_community_string = 5,
    snmp_set_community_string = 6,
    transport_address = 7,
    supported_mibs = 8,
    management_protocol = 9,
    access_control_enforcement = 10,
    access_control_mechanism = 11,
  };
  static constexpr int gdmo_attribute_count = 12;

  // Only the name active.
  explicit VQSnmpAgentRep(const VQSnmpAgentDn& dn);
  VQSnmpAgentRep(const VQSnmpAgentRep&) = default;
  VQSnmpAgentRep& operator=(const VQSnmpAgentRep&) = default;

  // Each operation reaches the cmipsnmpProxyAgent object named by the slash form of the
  // name through one image on the platform object's connection (code 1 before
  // VQTopoPlatform::initialize has succeeded; exists() is then false). Destroy, load and
  // store need the name active (code 7 "VQSnmpAgent::dn"). A creation sends the
  // operational state as enabled and no MPA address; creation and store change neither
  // the fields nor the active set. A load activates what it was asked for only when it
  // all decoded, the fields decoded before a failure keeping their new values.
  bool exists() const override;
  VQStatus create_with_all_attributes() override;
  VQStatus create_with_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus destroy() override;
  VQStatus load_all_attributes() override;
  VQStatus load_some_attributes(const VQIntegerSet& attributes) override;
  VQStatus store_all_attributes() override;
  VQStatus store_some_attributes(const VQIntegerSet& attributes) override;
  // Agents have no defaults: nothing changes.
  VQStatus load_all_defaults() override;
  VQStatus load_some_defaults(const VQIntegerSet& attributes) override;
  void get_active_attributes(VQIntegerSet& attributes) const override;
  void clear_all_attributes() override;
  void clear_some_attributes(const VQIntegerSet& attributes) override;

  // Decodes the selected attributes from a booted image, in ascending order; the first
  // failure ends it. A protocol other than SNMP v1 or v2, an enforcement outside 1 to 3,
  // a mechanism outside 0 to 2 and a transport address shorter than six bytes give code 9.
  VQStatus get_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes);
  // Stages the selected attributes (those no store or create writes are passed over). A
  // system title that is not an object identifier, or a protocol other than the two,
  // gives code 10.
  VQStatus set_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes) const;
  // Adds to `gdmo` (capacity 12) the server attributes holding `attributes`.
  void map_interface_to_gdmo_attributes(const VQIntegerSet& attributes, VQIntegerSet& gdmo) const;
  // The short names of the server attributes, by number.
  static const std::string* gdmo_attribute_names();

  VQStatus get_dn(VQSnmpAgentDn& dn) const;
  VQStatus set_dn(const VQSnmpAgentDn& dn);
  VQStatus get_operational_state(VQAgent::OperationalState& state) const;
  VQStatus get_administrative_state(VQAgent::AdministrativeState& state) const;
  VQStatus set_administrative_state(const VQAgent::AdministrativeState& state);
  VQStatus get_system_title(std::string& title) const;
  VQStatus set_system_title(const std::string& title);
  VQStatus get_get_community_string(std::string& community) const;
  VQStatus set_get_community_string(const std::string& community);
  VQStatus get_set_community_string(std::string& community) const;
  VQStatus set_set_community_string(const std::string& community);
  VQStatus get_transport_address(std::string& address) const;
  VQStatus set_transport_address(const std::string& address);
  VQStatus get_supported_mibs(VQList<std::string>& mibs) const;
  VQStatus set_supported_mibs(const VQList<std::string>& mibs);
  VQStatus add_supported_mib(const std::string& mib);
  VQStatus remove_supported_mib(const std::string& mib);
  VQStatus get_management_protocol(VQSnmpAgent::ManagementProtocol& protocol) const;
  VQStatus set_management_protocol(VQSnmpAgent::ManagementProtocol protocol);
  VQStatus get_access_control_enforcement(VQSnmpAgent::AccessControlEnforcement& enforcement) const;
  VQStatus set_access_control_enforcement(VQSnmpAgent::AccessControlEnforcement enforcement);
  VQStatus get_access_control_mechanism(VQSnmpAgent::AccessControlMechanism& mechanism) const;
  VQStatus set_access_control_mechanism(VQSnmpAgent::AccessControlMechanism mechanism);

  // As for CMIP agents; numbers beyond 10 never differ.
  bool compare_all_attributes(const VQSnmpAgentRep& other) const;
  bool compare_some_attributes(const VQSnmpAgentRep& other, const VQIntegerSet& attributes) const;
  bool diff_all_attributes(const VQSnmpAgentRep& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQSnmpAgentRep& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;
  bool operator==(const VQSnmpAgentRep& other) const { return compare_all_attributes(other); }
  bool operator!=(const VQSnmpAgentRep& other) const { return !(*this == other); }

  // Built on first request, then shared.
  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQSnmpAgentRep& rep);
  // The attribute table reaches the fields through it.
  friend struct VQSnmpAgentRepAccess;

  template <typename T>
  VQStatus get(Attribute attribute, const T& field, T& out) const;
  template <typename T>
  VQStatus set(Attribute attribute, T& field, const T& value);

  VQSnmpAgentDn dn_;
  // The enumerations are meaningful only while active; a create or store would send them
  // as they are.
  VQAgent::OperationalState operational_state_ = VQAgent::disabled;
  VQAgent::AdministrativeState administrative_state_ = VQAgent::locked;
  std::string system_title_;
  std::string get_community_string_;
  std::string set_community_string_;
  TransportAddress transport_address_;
  VQList<std::string> supported_mibs_;
  VQSnmpAgent::ManagementProtocol management_protocol_ = VQSnmpAgent::snmp_v1;
  VQSnmpAgent::AccessControlEnforcement access_control_enforcement_ = VQSnmpAgent::agent;
  VQSnmpAgent::AccessControlMechanism access_control_mechanism_ = VQSnmpAgent::no_access_control;
  VQIntegerSet active_;
};

// "null", or a.b.c.d:port.
std::ostream& operator<<(std::ostream& os, const VQSnmpAgentRep::TransportAddress& address);
// One line per active attribute: the name, the states, then the others in attribute order.
std::ostream& operator<<(std::ostream& os, const VQSnmpAgentRep& rep);

#endif  // DEDAVUZ_API_SNMP_AGENT_REP_H_
