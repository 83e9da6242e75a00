#include "topo/view_graph.h"

#include "hvx/ber.h"
#include "topo/database.h"
#include "topo/node_queries.h"
#include "topo/values.h"

namespace hvx::mis::topo {

namespace {

Asn1Value reference(long id, std::string_view name) {
  Asn1Value ref = ber::sequence();
  ref.add_component(ber::integer(id));
  ref.add_component(ber::octets(name));
  return ref;
}

// SEQUENCE { view { id, name }, parents SET OF { id, name }, background image, map file,
// the view's type, its severity, its propagated severity }.
Asn1Value view_entry(const Database& database, long id, const NodeGraph::Node& view) {
  const Identifiers& ids = Identifiers::get();
  Asn1Value entry = ber::sequence();
  entry.add_component(reference(id, view.name()));
  Asn1Value parents = ber::set();
  for (const long parent : view.parents()) {
    const NodeGraph::Node* node = database.graph().find(parent);
    parents.add_component(reference(parent, node != nullptr ? node->name() : std::string_view()));
  }
  entry.add_component(parents);
  const ManagedObject* object = database.server().find(ids.view(id));
  for (const NodeAttribute file : {kBackgroundImage, kMapConfigFile}) {
    const std::optional<Asn1Value> value =
        object != nullptr ? object->find(ids.node(file)) : std::nullopt;
    entry.add_component(ber::octets(value ? text_of(*value) : std::string()));
  }
  entry.add_component(ber::octets(view.type()));
  entry.add_component(ber::integer(view.severity()));
  entry.add_component(ber::integer(view.propagated()));
  return entry;
}

ActionReply view_graph(const Database& database) {
  ActionReply reply;
  reply_in_parts(
      database.graph().views(),
      [&](long id, std::string& part) {
        view_entry(database, id, *database.graph().find(id)).encode_to(part);
      },
      reply);
  return reply;
}

}  // namespace

void register_view_graph(Database& database) {
  const Database* db = &database;
  database.server().register_action(
      "topoNodeDB", "topoGetViewGraph",
      [db](Server&, ManagedObject&, const Asn1Value&) { return view_graph(*db); });
}

}  // namespace hvx::mis::topo
