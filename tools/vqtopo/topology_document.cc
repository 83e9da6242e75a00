#include "topology_document.h"

#include <algorithm>
#include <limits>

#include <nlohmann/json.hpp>

#include "node_json.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* format_name = "vqtopo-view";
constexpr int format_version = 1;

// Reads the fields of one JSON value into C++ values, keeping the first fault with its
// place so that the user is told where the document is wrong. Never throws: every value
// is checked for its kind before it is taken.
class Reader {
 public:
  explicit Reader(std::size_t node_count) : node_count_(node_count) {}

  bool failed() const { return !fault_.empty(); }
  const std::string& fault() const { return fault_; }

  bool fail(const std::string& where, const std::string& what) {
    if (fault_.empty()) fault_ = where + ": " + what;
    return false;
  }

  const Json* field(const Json& object, const char* key, const std::string& where,
                    bool required) {
    const auto it = object.find(key);
    if (it != object.end()) return &*it;
    if (required) fail(where, std::string("missing \"") + key + "\"");
    return nullptr;
  }

  bool text(const Json& object, const char* key, const std::string& where, std::string& out,
            bool required) {
    const Json* value = field(object, key, where, required);
    if (value == nullptr) return !required;
    if (!value->is_string()) return fail(where + "." + key, "expected a string");
    out = value->get_ref<const std::string&>();
    return true;
  }

  bool number(const Json& value, const std::string& where, long& out) {
    // The library's integers are 32-bit whatever the host's long is.
    if (value.is_number_unsigned()) {
      if (value.get<std::uint64_t>() > std::numeric_limits<std::int32_t>::max()) {
        return fail(where, "number out of range");
      }
      out = static_cast<long>(value.get<std::uint64_t>());
      return true;
    }
    if (!value.is_number_integer()) return fail(where, "expected an integer");
    const std::int64_t n = value.get<std::int64_t>();
    if (n < std::numeric_limits<std::int32_t>::min() ||
        n > std::numeric_limits<std::int32_t>::max()) {
      return fail(where, "number out of range");
    }
    out = static_cast<long>(n);
    return true;
  }

  bool number_field(const Json& object, const char* key, const std::string& where, long& out) {
    const Json* value = field(object, key, where, true);
    return value != nullptr && number(*value, where + "." + key, out);
  }

  bool reference(const Json& value, const std::string& where, std::size_t& out) {
    if (!value.is_number_unsigned() || value.get<std::uint64_t>() >= node_count_) {
      return fail(where, "expected the index of a node of the document");
    }
    out = static_cast<std::size_t>(value.get<std::uint64_t>());
    return true;
  }

  // An optional array; each element handed to `each` with its place.
  template <typename F>
  bool array(const Json& object, const char* key, const std::string& where, F each) {
    const Json* value = field(object, key, where, false);
    if (value == nullptr) return true;
    if (!value->is_array()) return fail(where + "." + key, "expected an array");
    for (std::size_t i = 0; i < value->size(); ++i) {
      if (!each((*value)[i], where + "." + key + "[" + std::to_string(i) + "]")) return false;
    }
    return true;
  }

  bool references(const Json& object, const char* key, const std::string& where,
                  std::vector<std::size_t>& out) {
    return array(object, key, where, [&](const Json& value, const std::string& at) {
      std::size_t ref = 0;
      if (!reference(value, at, ref)) return false;
      out.push_back(ref);
      return true;
    });
  }

 private:
  std::size_t node_count_;
  std::string fault_;
};

bool read_entry(Reader& reader, const Json& value, const std::string& where,
                TopologyDocument::Entry& entry) {
  if (!value.is_object()) return reader.fail(where, "expected an object");
  if (!reader.text(value, "name", where, entry.name, true) ||
      !reader.text(value, "type", where, entry.type, true) ||
      !reader.references(value, "parents", where, entry.parents) ||
      !reader.references(value, "links", where, entry.links) ||
      !reader.text(value, "background", where, entry.background, false) ||
      !reader.text(value, "map_config", where, entry.map_config, false)) {
    return false;
  }
  const bool positions_read =
      reader.array(value, "positions", where, [&](const Json& item, const std::string& at) {
        if (!item.is_object()) return reader.fail(at, "expected an object");
        TopologyDocument::Position position;
        const Json* parent = reader.field(item, "parent", at, true);
        if (parent == nullptr || !reader.reference(*parent, at + ".parent", position.parent) ||
            !reader.number_field(item, "x", at, position.location.x) ||
            !reader.number_field(item, "y", at, position.location.y) ||
            !reader.number_field(item, "z", at, position.location.z)) {
          return false;
        }
        entry.positions.push_back(position);
        return true;
      });
  const bool mos_read =
      positions_read &&
      reader.array(value, "managed_objects", where, [&](const Json& item, const std::string& at) {
        if (!item.is_string()) return reader.fail(at, "expected a string");
        entry.managed_objects.push_back(item.get_ref<const std::string&>());
        return true;
      });
  return mos_read &&
         reader.array(value, "display_statuses", where, [&](const Json& item, const std::string& at) {
           if (!item.is_object()) return reader.fail(at, "expected an object");
           VQTopoNode::DisplayStatus status;
           if (!reader.text(item, "label", at, status.label, true) ||
               !reader.number_field(item, "value", at, status.value)) {
             return false;
           }
           entry.statuses.push_back(status);
           return true;
         });
}

// What the graph of the document must hold for an import to rebuild it.
bool check_shape(Reader& reader, const TopologyDocument& document) {
  for (std::size_t i = 0; i < document.nodes.size(); ++i) {
    const TopologyDocument::Entry& entry = document.nodes[i];
    const std::string where = "nodes[" + std::to_string(i) + "]";
    if (i == 0 && !entry.parents.empty()) return reader.fail(where, "the view has parents");
    if (i > 0 && entry.parents.empty()) return reader.fail(where, "a node without parents");
    std::vector<std::size_t> parents = entry.parents;
    std::sort(parents.begin(), parents.end());
    if (std::adjacent_find(parents.begin(), parents.end()) != parents.end() ||
        std::find(parents.begin(), parents.end(), i) != parents.end()) {
      return reader.fail(where + ".parents", "a parent given twice, or the node itself");
    }
    for (const TopologyDocument::Position& position : entry.positions) {
      if (!std::binary_search(parents.begin(), parents.end(), position.parent)) {
        return reader.fail(where + ".positions", "a position in a view that is not a parent");
      }
    }
  }
  if (document.creation_order().size() != document.nodes.size()) {
    return reader.fail("nodes", "the parents form a cycle");
  }
  return true;
}

}  // namespace

std::string TopologyDocument::to_json() const {
  Json nodes_json = Json::array();
  for (const Entry& entry : nodes) {
    Json node{{"name", entry.name}, {"type", entry.type}, {"parents", entry.parents}};
    node["positions"] = Json::array();
    for (const Position& position : entry.positions) {
      node["positions"].push_back({{"parent", position.parent},
                                   {"x", position.location.x},
                                   {"y", position.location.y},
                                   {"z", position.location.z}});
    }
    node["links"] = entry.links;
    node["managed_objects"] = entry.managed_objects;
    node["display_statuses"] = statuses_json(entry.statuses);
    node["background"] = entry.background;
    node["map_config"] = entry.map_config;
    nodes_json.push_back(std::move(node));
  }
  const Json document{{"format", format_name},
                      {"version", format_version},
                      {"top_is_root", top_is_root},
                      {"nodes", std::move(nodes_json)}};
  return document.dump(2) + "\n";
}

Outcome TopologyDocument::from_json(std::string_view text, TopologyDocument& document) {
  const Json json = Json::parse(text.begin(), text.end(), nullptr, false);
  if (json.is_discarded()) return Outcome::usage("not a JSON document");
  if (!json.is_object()) return Outcome::usage("the document is not a JSON object");
  const auto format = json.find("format");
  const auto version = json.find("version");
  if (format == json.end() || *format != format_name) {
    return Outcome::usage(std::string("not a ") + format_name + " document");
  }
  if (version == json.end() || *version != format_version) {
    return Outcome::usage("a document version this vqtopo does not read");
  }
  const auto nodes = json.find("nodes");
  if (nodes == json.end() || !nodes->is_array() || nodes->empty()) {
    return Outcome::usage("nodes: expected a non-empty array");
  }
  TopologyDocument result;
  Reader reader(nodes->size());
  const auto top = json.find("top_is_root");
  if (top != json.end()) {
    if (!top->is_boolean()) return Outcome::usage("top_is_root: expected true or false");
    result.top_is_root = top->get<bool>();
  }
  result.nodes.resize(nodes->size());
  for (std::size_t i = 0; i < nodes->size(); ++i) {
    if (!read_entry(reader, (*nodes)[i], "nodes[" + std::to_string(i) + "]", result.nodes[i])) {
      return Outcome::usage(reader.fault());
    }
  }
  if (!check_shape(reader, result)) return Outcome::usage(reader.fault());
  document = std::move(result);
  return {};
}

std::vector<std::size_t> TopologyDocument::creation_order() const {
  // Kahn's order over parent edges: linear in the nodes and references.
  std::vector<std::size_t> waiting(nodes.size(), 0);
  std::vector<std::vector<std::size_t>> below(nodes.size());
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    for (const std::size_t parent : nodes[i].parents) {
      if (parent >= nodes.size()) continue;
      ++waiting[i];
      below[parent].push_back(i);
    }
  }
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (waiting[i] == 0) order.push_back(i);
  }
  for (std::size_t next = 0; next < order.size(); ++next) {
    for (const std::size_t child : below[order[next]]) {
      if (--waiting[child] == 0) order.push_back(child);
    }
  }
  return order;
}
