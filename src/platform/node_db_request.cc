#include "platform/node_db_request.h"

#include <map>

#include "dedavuz_api/topo_platform_rep.h"
#include "hvx/names.h"

namespace {

const hvx::Oid kTopoNodeDbClass("1.3.6.1.4.1.7351.2.2.2.40.3.2");

hvx::Asn1Value oid_value(const hvx::Oid& oid, hvx::Asn1Tag tag) {
  hvx::Asn1Value value;
  value.encode_oid(oid, tag);
  return value;
}

// Parsing a name costs more than a whole exchange for a small view, so each system's is
// kept.
const hvx::Asn1Value& node_db_instance(const std::string& system) {
  static std::map<std::string, hvx::Asn1Value> instances;
  const auto known = instances.find(system);
  if (known != instances.end()) return known->second;
  hvx::Asn1Value instance = hvx::fdn2oi(VQTopoPlatformRep::topo_node_db_fdn(system));
  instance.set_tag(hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2));
  return instances.emplace(system, instance).first->second;
}

}  // namespace

hvx::Message vq_node_db_action_request(const std::string& system, const hvx::Oid& action,
                                       const hvx::Asn1Value& info) {
  static const hvx::Asn1Value object_class =
      oid_value(kTopoNodeDbClass, hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 0));
  hvx::Message request(hvx::Message::ACTION_REQUEST);
  request.set_id(hvx::MessageSAP::new_id());
  request.set_object_class(object_class);
  request.set_object_instance(node_db_instance(system));
  request.set_action_type(oid_value(action, hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2)));
  request.set_action_info(info);
  return request;
}
