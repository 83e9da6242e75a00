// VQRpcAgentRep: the representation behind an RPC agent handle: the six attribute values,
// which of them are active, and their way to and from the agent's rpcAgent object on the
// server.
#ifndef DEDAVUZ_API_RPC_AGENT_REP_H_
#define DEDAVUZ_API_RPC_AGENT_REP_H_

#include <iosfwd>
#include <string>

#include "dedavuz_api/agent.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/list.h"
#include "dedavuz_api/object_rep.h"
#include "dedavuz_api/rpc_agent.h"
#include "dedavuz_api/rpc_agent_dn.h"

namespace hvx {
class Image;
}  // namespace hvx

class VQRpcAgentRep : public VQObjectRep {
 public:
  using Attribute = VQRpcAgent::Attribute;
  using Schema = VQRpcAgent::Schema;

  // The server attributes of an rpcAgent object.
  enum GdmoAttribute : int {
    agent_id = 0,
    mpa_address_info = 1,
    administrative_state = 2,
    operational_state = 3,
    managed_dns = 4,
    agent_address_tag = 5,
    agent_address_info = 6,
    rpc_get_community_string = 7,
    rpc_set_community_string = 8,
    agent_set = 9,
  };
  static constexpr int gdmo_attribute_count = 10;

  // Only the name active.
  explicit VQRpcAgentRep(const VQRpcAgentDn& dn);
  VQRpcAgentRep(const VQRpcAgentRep&) = default;
  VQRpcAgentRep& operator=(const VQRpcAgentRep&) = default;

  // Each operation reaches the rpcAgent object named by the slash form of the name through
  // one image on the platform object's connection (code 1 before VQTopoPlatform::initialize
  // has succeeded; exists() is then false). Destroy, load and store need the name active
  // (code 7 "VQRpcAgent::dn"). A creation sends the operational state as enabled, no MPA
  // address, no managed objects, an empty address and the address tag 7; creation and
  // store change neither the fields nor the active set. A load activates what it was
  // asked for only when it all decoded, the fields decoded before a failure keeping their
  // new values.
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
  // failure ends it. A schema that is not a SEQUENCE gives code 1 "VQRpcAgent::schemas";
  // a schemas value that is not a SET reads as no schema.
  VQStatus get_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes);
  // Stages the selected attributes (those no store or create writes are passed over); a
  // schemas value the image refuses gives code 10.
  VQStatus set_some_attributes_in_image(hvx::Image& image, const VQIntegerSet& attributes) const;
  // Adds to `gdmo` (capacity 10) the server attributes holding `attributes`.
  void map_interface_to_gdmo_attributes(const VQIntegerSet& attributes, VQIntegerSet& gdmo) const;
  // The short names of the server attributes, by number.
  static const std::string* gdmo_attribute_names();

  VQStatus get_dn(VQRpcAgentDn& dn) const;
  VQStatus set_dn(const VQRpcAgentDn& dn);
  VQStatus get_operational_state(VQAgent::OperationalState& state) const;
  VQStatus get_administrative_state(VQAgent::AdministrativeState& state) const;
  VQStatus set_administrative_state(const VQAgent::AdministrativeState& state);
  VQStatus get_get_community_string(std::string& community) const;
  VQStatus set_get_community_string(const std::string& community);
  VQStatus get_set_community_string(std::string& community) const;
  VQStatus set_set_community_string(const std::string& community);
  VQStatus get_schemas(VQList<Schema>& schemas) const;
  VQStatus set_schemas(const VQList<Schema>& schemas);
  VQStatus add_schema(const Schema& schema);
  VQStatus remove_schema(const Schema& schema);

  // As for CMIP agents; numbers beyond 5 never differ.
  bool compare_all_attributes(const VQRpcAgentRep& other) const;
  bool compare_some_attributes(const VQRpcAgentRep& other, const VQIntegerSet& attributes) const;
  bool diff_all_attributes(const VQRpcAgentRep& other, VQIntegerSet& differing) const;
  bool diff_some_attributes(const VQRpcAgentRep& other, const VQIntegerSet& attributes,
                            VQIntegerSet& differing) const;
  bool operator==(const VQRpcAgentRep& other) const { return compare_all_attributes(other); }
  bool operator!=(const VQRpcAgentRep& other) const { return !(*this == other); }

  // Built on first request, then shared.
  static const VQIntegerSet& get_valid_attributes(VQObjectOperation operation);
  static const VQIntegerSet& get_mandatory_attributes(VQObjectOperation operation);
  static const std::string& get_attribute_name(Attribute attribute);

 private:
  friend std::ostream& operator<<(std::ostream& os, const VQRpcAgentRep& rep);
  // The attribute table reaches the fields through it.
  friend struct VQRpcAgentRepAccess;

  template <typename T>
  VQStatus get(Attribute attribute, const T& field, T& out) const;
  template <typename T>
  VQStatus set(Attribute attribute, T& field, const T& value);

  VQRpcAgentDn dn_;
  // The states are meaningful only while active; a create or store would send them as
  // they are.
  VQAgent::OperationalState operational_state_ = VQAgent::disabled;
  VQAgent::AdministrativeState administrative_state_ = VQAgent::locked;
  VQList<Schema> schemas_;
  std::string get_community_string_;
  std::string set_community_string_;
  VQIntegerSet active_;
};

// One line per active attribute: the name, the states, then the others in attribute order.
std::ostream& operator<<(std::ostream& os, const VQRpcAgentRep& rep);

#endif  // DEDAVUZ_API_RPC_AGENT_REP_H_
