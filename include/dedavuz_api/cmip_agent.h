// VQCmipAgent: an OSI management agent of a server's CMIP agent table: its states, its
// addresses and selectors, and the managed objects it serves. A handle over its own
// VQCmipAgentRep, copied deeply.
#ifndef DEDAVUZ_API_CMIP_AGENT_H_
#define DEDAVUZ_API_CMIP_AGENT_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/agent.h"
#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object.h"

class VQCmipAgentRep;

class VQCmipAgent : public VQObject {
 public:
  // The attribute numbers; get_attribute_name answers "Unknown" beyond 15.
  enum Attribute : int {
    operational_state = 0,
    administrative_state = 1,
    dn = 2,
    mpa_address_info = 3,
    agent_address_info = 4,
    agent_address_tag = 5,
    managed_objects = 6,
    application_entity_title = 7,
    presentation_selector = 8,
    session_selector = 9,
    transport_selector = 10,
    network_sap = 11,
    name_translation = 12,
    application_entity_qualifier = 13,
    application_entity_invoke_id = 14,
    application_process_invoke_id = 15,
  };
  static constexpr int attribute_count = 16;

  // An agent whose name is set and active.
  explicit VQCmipAgent(const VQCmipAgentDn& dn);
  VQCmipAgent(const VQCmipAgent& other);
  VQCmipAgent& operator=(const VQCmipAgent& other);
  ~VQCmipAgent() override;

  // Getters fail with code 5 and "VQCmipAgent::<attribute>" while their attribute is not
  // active, leaving the argument alone; setters store and activate.
  VQStatus get_dn(VQCmipAgentDn& dn) const;
  VQStatus set_dn(const VQCmipAgentDn& dn);
  // `no_address` is always given back, host and port only for an address; a null address
  // keeps the host and port held before.
  VQStatus get_mpa_address_info(std::string& hostname, int& port, bool& no_address) const;
  VQStatus set_mpa_address_info(const std::string& hostname, int port, bool no_address);
  // Read from the server only; a creation makes it enabled.
  VQStatus get_operational_state(VQAgent::OperationalState& state) const;
  VQStatus get_administrative_state(VQAgent::AdministrativeState& state) const;
  VQStatus set_administrative_state(const VQAgent::AdministrativeState& state);
  // Managed objects are kept in the platform's canonical form of their names; a name the
  // platform cannot read is refused with code 14.
  VQStatus get_managed_objects(VQList<std::string>& objects) const;
  // Converts each name in turn; at the first refusal the list holds those converted so far
  // and the attribute's activity is unchanged.
  VQStatus set_managed_objects(const VQList<std::string>& objects);
  // Code 13 when the active list holds `object` as given; an inactive list starts afresh.
  VQStatus add_managed_object(const std::string& object);
  // Removes every entry equal to the canonical `object`; code 12 with `object` when none.
  VQStatus remove_managed_object(const std::string& object);
  // Replaced by the address derived from the selectors and network SAP ({p,s,t,n}) at
  // every creation or store.
  VQStatus get_agent_address_info(std::string& info) const;
  VQStatus set_agent_address_info(const std::string& info);
  VQStatus get_agent_address_tag(int& tag) const;
  VQStatus set_agent_address_tag(int tag);
  VQStatus get_application_entity_title(std::string& title) const;
  VQStatus set_application_entity_title(const std::string& title);
  // Selectors are octet strings on the server. One read with a byte that is not printable
  // is given in hexadecimal, 0x0102; one set in that form is sent as those bytes and held
  // afterwards as backslash-octal escapes, \001\002.
  VQStatus get_presentation_selector(std::string& selector) const;
  VQStatus set_presentation_selector(const std::string& selector);
  VQStatus get_session_selector(std::string& selector) const;
  VQStatus set_session_selector(const std::string& selector);
  VQStatus get_transport_selector(std::string& selector) const;
  VQStatus set_transport_selector(const std::string& selector);
  VQStatus get_network_sap(std::string& sap) const;
  VQStatus set_network_sap(const std::string& sap);
  VQStatus get_name_translation(std::string& flag) const;
  VQStatus set_name_translation(const std::string& flag);
  VQStatus get_application_entity_qualifier(std::string& qualifier) const;
  VQStatus set_application_entity_qualifier(const std::string& qualifier);
  VQStatus get_application_entity_invoke_id(int& id) const;
  VQStatus set_application_entity_invoke_id(int id);
  VQStatus get_application_process_invoke_id(int& id) const;
  VQStatus set_application_process_invoke_id(int id);

  // Equal when every attribute active in this agent is active and equal in `other`; only
  // this side's attributes are looked at. Managed objects compare regardless of order.
  bool operator==(const VQCmipAgent& other) const;
  bool operator!=(const VQCmipAgent& other) const;
  bool compare_all_attributes(const VQCmipAgent& other) const;
  bool compare_some_attributes(const VQCmipAgent& other, const VQIntegerSet& attributes) const;
  // Add the attributes that differ (over all sixteen, or over `attributes`) to
  // `differing`, which is not emptied first; true when it is then non-empty.
  bool diff_all_attributes(const VQCmipAgent& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQCmipAgent& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;

  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQCmipAgent& agent);

  VQCmipAgentRep* rep_ = nullptr;
};

// One line per active attribute.
std::ostream& operator<<(std::ostream& os, const VQCmipAgent& agent);

#endif  // DEDAVUZ_API_CMIP_AGENT_H_
