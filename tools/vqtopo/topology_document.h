// TopologyDocument: a view and everything below it, as export --format json writes it and
// import reads it back. Nodes refer to each other by their place in the document, not by
// server ids, so that a document can be loaded into any server.
#ifndef VQTOPO_TOPOLOGY_DOCUMENT_H_
#define VQTOPO_TOPOLOGY_DOCUMENT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "outcome.h"

struct TopologyDocument {
  struct Position {
    std::size_t parent = 0;
    VQTopoNode::Location location;
    bool operator==(const Position& other) const = default;
  };

  struct Entry {
    std::string name;
    std::string type;
    std::vector<std::size_t> parents;  // ascending
    std::vector<Position> positions;   // by parent, ascending
    std::vector<std::size_t> links;    // ascending
    std::vector<std::string> managed_objects;
    std::vector<VQTopoNode::DisplayStatus> statuses;
    std::string background;
    std::string map_config;
    bool operator==(const Entry& other) const = default;
  };

  // The view itself comes first and has no parents in the document. When it was a root
  // view, an import gives its settings to the target's root view instead of making one.
  bool top_is_root = false;
  std::vector<Entry> nodes;

  bool operator==(const TopologyDocument& other) const = default;

  // Two-space indented, fields in a fixed order, ending in a newline.
  std::string to_json() const;
  // Any text gives a document or a usage outcome naming the first fault; a document given
  // back has a first node without parents, every other node with at least one, references
  // in range, positions only in parents and no cycle of parents.
  static Outcome from_json(std::string_view text, TopologyDocument& document);

  // The node indices in an order that puts every node after all its parents.
  std::vector<std::size_t> creation_order() const;
};

#endif  // VQTOPO_TOPOLOGY_DOCUMENT_H_
