// VQSnmpAgent: an SNMP agent reached through the platform's CMIP/SNMP proxy: its states,
// transport address, community strings, protocol, supported MIBs and access control. A
// handle over its own VQSnmpAgentRep, copied deeply.
#ifndef DEDAVUZ_API_SNMP_AGENT_H_
#define DEDAVUZ_API_SNMP_AGENT_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/agent.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object.h"
#include "dedavuz_api/snmp_agent_dn.h"

class VQSnmpAgentRep;

class VQSnmpAgent : public VQObject {
 public:
  // The attribute numbers; get_attribute_name answers "Unknown" beyond 10.
  enum Attribute : int {
    operational_state = 0,
    administrative_state = 1,
    dn = 2,
    system_title = 3,
    get_community_string = 4,
    set_community_string = 5,
    transport_address = 6,
    supported_mibs = 7,
    management_protocol = 8,
    access_control_enforcement = 9,
    access_control_mechanism = 10,
  };
  static constexpr int attribute_count = 11;

  // The underlying types are fixed, so that any number can be held.
  enum ManagementProtocol : int { snmp_v1 = 0, snmp_v2 = 1 };
  enum AccessControlEnforcement : int { agent = 1, proxy = 2, both = 3 };
  enum AccessControlMechanism : int { no_access_control = 0, internet = 1, iso = 2 };

  // An agent whose name is set and active.
  explicit VQSnmpAgent(const VQSnmpAgentDn& dn);
  VQSnmpAgent(const VQSnmpAgent& other);
  VQSnmpAgent& operator=(const VQSnmpAgent& other);
  ~VQSnmpAgent() override;

  // Getters fail with code 5 and "VQSnmpAgent::<attribute>" while their attribute is not
  // active, leaving the argument alone; setters store and activate.
  VQStatus get_dn(VQSnmpAgentDn& dn) const;
  VQStatus set_dn(const VQSnmpAgentDn& dn);
  // Read from the server only; a creation makes it enabled.
  VQStatus get_operational_state(VQAgent::OperationalState& state) const;
  VQStatus get_administrative_state(VQAgent::AdministrativeState& state) const;
  VQStatus set_administrative_state(const VQAgent::AdministrativeState& state);
  // An object identifier in dotted form, 1.3.6.1.2.1; given at creation, never stored.
  VQStatus get_system_title(std::string& title) const;
  VQStatus set_system_title(const std::string& title);
  VQStatus get_get_community_string(std::string& community) const;
  VQStatus set_get_community_string(const std::string& community);
  VQStatus get_set_community_string(std::string& community) const;
  VQStatus set_set_community_string(const std::string& community);
  // a.b.c.d:port. The setter takes a.b.c.d:port or a.b.c.d (port 161), blanks allowed
  // around the separators; anything else is refused with code 14, leaving the attribute's
  // activity as it was.
  VQStatus get_transport_address(std::string& address) const;
  VQStatus set_transport_address(const std::string& address);
  VQStatus get_supported_mibs(VQList<std::string>& mibs) const;
  VQStatus set_supported_mibs(const VQList<std::string>& mibs);
  // Code 13 when the active list holds `mib`; an inactive list starts afresh.
  VQStatus add_supported_mib(const std::string& mib);
  // Removes every entry equal to `mib`; code 12 with `mib` when none.
  VQStatus remove_supported_mib(const std::string& mib);
  VQStatus get_management_protocol(ManagementProtocol& protocol) const;
  VQStatus set_management_protocol(ManagementProtocol protocol);
  // Given at creation, never stored.
  VQStatus get_access_control_enforcement(AccessControlEnforcement& enforcement) const;
  VQStatus set_access_control_enforcement(AccessControlEnforcement enforcement);
  VQStatus get_access_control_mechanism(AccessControlMechanism& mechanism) const;
  VQStatus set_access_control_mechanism(AccessControlMechanism mechanism);

  // Equal when every attribute active in this agent is active and equal in `other`; only
  // this side's attributes are looked at. Supported MIBs compare regardless of order.
  bool operator==(const VQSnmpAgent& other) const;
  bool operator!=(const VQSnmpAgent& other) const;
  bool compare_all_attributes(const VQSnmpAgent& other) const;
  bool compare_some_attributes(const VQSnmpAgent& other, const VQIntegerSet& attributes) const;
  // Add the attributes that differ (over all eleven, or over `attributes`) to
  // `differing`, which is not emptied first; true when it is then non-empty.
  bool diff_all_attributes(const VQSnmpAgent& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQSnmpAgent& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;

  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQSnmpAgent& agent);

  VQSnmpAgentRep* rep_ = nullptr;
};

// One line per active attribute.
std::ostream& operator<<(std::ostream& os, const VQSnmpAgent& agent);
// The enumerators' names ("snmp_v1", "agent", "no_access_control", ...); a value outside
// its enumeration prints as its number.
std::ostream& operator<<(std::ostream& os, VQSnmpAgent::ManagementProtocol protocol);
std::ostream& operator<<(std::ostream& os, VQSnmpAgent::AccessControlEnforcement enforcement);
std::ostream& operator<<(std::ostream& os, VQSnmpAgent::AccessControlMechanism mechanism);

#endif  // DEDAVUZ_API_SNMP_AGENT_H_
