// VQCmipAgentRep: the representation behind a CMIP agent handle: the sixteen attribute
// values, which of them are active, and their way to and from the agent's cmipAgentEntity
// object on the server.
#ifndef DEDAVUZ_API_CMIP_AGENT_REP_H_
#define DEDAVUZ_API_CMIP_AGENT_REP_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/agent.h"
#include "dedavuz_api/cmip_agent.h"
#include "dedavuz_api/cmip_agent_dn.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object_rep.h"

namespace hvx {
class Image;
}  // namespace hvx

class VQCmipAgentRep : public VQObjectRep {
 public:
  using Attribute = VQCmipAgent::Attribute;

  // The agent's MPA address, or none.
  struct MpaAddress {
    bool no_address = true;
    std::string hostname;
    int port = 0;
    // Two null addresses are equal whatever host and port they keep.
    bool operator==(const MpaAddress& other) const {
      if (no_address != other.no_address) return false;
      return no_address || (hostname == other.hostname && port == other.port);
    }
    bool operator!=(const MpaAddress& other) const { return !(*this == other); }
  };

  // The server attributes of a cmipAgentEntity object.
  enum GdmoAttribute : int {
    agent_id = 0,
    mpa_address_info = 1,
    administrative_state = 2,
    operational_state = 3,
    managed_dns = 4,
    agent_address_tag = 5,
    agent_address_info = 6,
    application_entity_title = 7,
    presentation_selector = 8,
    session_selector = 9,
    transport_selector = 10,
    network_sap = 11,
    name_xlat_flag = 12,
    ae_qualifier = 13,
    ap_invoke_id = 14,
    ae_invoke_id = 15,
  };
  static constexpr int gdmo_attribute_count = 16;

  // Only the name active.
  explicit VQCmipAgentRep(const VQCmipAgentDn& dn);
  VQCmipAgentRep(const VQCmipAgentRep&) = default;
  VQCmipAgentRep& operator=(const VQCmipAgentRep&) = default;

  // Each operation reaches the cmipAgentEntity object named by the slash form of the name
  // through one image on the platform object's connection (code 1 before
  // VQTopoPlatform::initialize has succeeded; exists() is then false). Destroy, load and
  // store need the name active (code 7 "VQCmipAgent::dn"). A creation sends the
  // operational state as enabled, whatever is held; creation and store change neither the
  // active set nor the fields, but for the selectors and derived address that staging
  // rewrites. A load activates what it was asked for only when it all decoded, the
  // fields decoded before a failure keeping their new values.
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

  // Decodes every attribute an already booted image holds and activates them.
  VQStatus load_all_attributes_from_image(hvx::Image& image);
  // Decodes the selected attributes from a booted image, in ascending order; the first
  // failure ends it.
  VQStatus get_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes);
  // Stages the selected attributes (those no store or create writes are passed over).
  // Selectors in 0x form are first rewritten as escapes in their fields; the agent
  // address field then becomes {p,s,t,n} from the selectors staged in the image and the
  // network SAP held, and is staged when selected.
  VQStatus set_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes);
  // Adds to `gdmo` (capacity 16) the server attributes holding `attributes`.
  void map_interface_to_gdmo_attributes(const VQIntegerSet& attributes, VQIntegerSet& gdmo) const;
  // The short names of the server attributes, by number.
  static const std::string* gdmo_attribute_names();

  VQStatus get_dn(VQCmipAgentDn& dn) const;
  VQStatus set_dn(const VQCmipAgentDn& dn);
  VQStatus get_mpa_address_info(std::string& hostname, int& port, bool& no_address) const;
  VQStatus set_mpa_address_info(const std::string& hostname, int port, bool no_address);
  VQStatus get_operational_state(VQAgent::OperationalState& state) const;
  VQStatus get_administrative_state(VQAgent::AdministrativeState& state) const;
  VQStatus set_administrative_state(const VQAgent::AdministrativeState& state);
  VQStatus get_managed_objects(VQList<std::string>& objects) const;
  VQStatus set_managed_objects(const VQList<std::string>& objects);
  VQStatus add_managed_object(const std::string& object);
  VQStatus remove_managed_object(const std::string& object);
  VQStatus get_agent_address_info(std::string& info) const;
  VQStatus set_agent_address_info(const std::string& info);
  VQStatus get_agent_address_tag(int& tag) const;
  VQStatus set_agent_address_tag(int tag);
  VQStatus get_application_entity_title(std::string& title) const;
  VQStatus set_application_entity_title(const std::string& title);
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

  // An attribute differs when it is active on one side only, or active on both with
  // unequal values; numbers beyond 15 never differ. compare_ answers whether nothing
  // differs (over this side's active attributes for compare_all); diff_ adds each
  // differing attribute to `differing` (over every attribute for diff_all) and answers
  // whether it is then non-empty.
  bool compare_all_attributes(const VQCmipAgentRep& other) const;
  bool compare_some_attributes(const VQCmipAgentRep& other, const VQIntegerSet& attributes) const;
  bool diff_all_attributes(const VQCmipAgentRep& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQCmipAgentRep& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;
  bool operator==(const VQCmipAgentRep& other) const { return compare_all_attributes(other); }
  bool operator!=(const VQCmipAgentRep& other) const { return !(*this == other); }

  // Built on first request, then shared.
  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQCmipAgentRep& rep);
  // The attribute table reaches the fields through it.
  friend struct VQCmipAgentRepAccess;

  template <typename T>
  VQStatus get(Attribute attribute, const T& field, T& out) const;
  template <typename T>
  VQStatus set(Attribute attribute, T& field, const T& value);

  VQCmipAgentDn dn_;
  MpaAddress mpa_address_;
  // The numbers and states are meaningful only while active; a create or store would
  // send them as they are.
  VQAgent::OperationalState operational_state_ = VQAgent::disabled;
  VQAgent::AdministrativeState administrative_state_ = VQAgent::locked;
  VQList<std::string> managed_objects_;
  std::string agent_address_info_;
  int agent_address_tag_ = 0;
  std::string network_sap_;
  std::string presentation_selector_;
  std::string session_selector_;
  std::string transport_selector_;
  std::string application_entity_title_;
  std::string name_translation_;
  std::string application_entity_qualifier_;
  int application_entity_invoke_id_ = 0;
  int application_process_invoke_id_ = 0;
  VQIntegerSet active_;
};

// NULL, or hostname: "<host>" port: <port>.
std::ostream& operator<<(std::ostream& os, const VQCmipAgentRep::MpaAddress& address);
// One line per active attribute: the name, the MPA address, the states, then the others
// in attribute order.
std::ostream& operator<<(std::ostream& os, const VQCmipAgentRep& rep);

// Selector text forms. "0x" and two lowercase hexadecimal digits per byte (up to the
// first zero byte; texts of more than 126 bytes keep their first 126).
void translate_to_hex(std::string& text);
// A text "0x" and hexadecimal digits becomes a backslash and three octal digits per pair
// of digits, counted from the end (an odd count takes a leading 0): 0x0102ff is
// \001\002\377, 0x123 is \001\043, 0x alone the empty text.
void translate_to_octal(std::string& text);

#endif  // DEDAVUZ_API_CMIP_AGENT_REP_H_
