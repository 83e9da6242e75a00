// ViewModel: one view as it is drawn: the views above it, its children at their positions
// with their severities, and the links between those children. Every drawn form (SVG, DOT,
// draw.io, the live map) is made from it.
#ifndef VQTOPO_VIEW_MODEL_H_
#define VQTOPO_VIEW_MODEL_H_

#include <cstddef>
#include <utility>
#include <vector>

#include "node_info.h"

struct ViewModel {
  struct Item {
    NodeInfo info;
    long x = 0;
    long y = 0;
  };

  NodeInfo view;
  // From a root view down through first parents to the view itself.
  std::vector<NodeInfo> chain;
  // The view's children in the server's order; a child without a position sits at (0, 0).
  std::vector<Item> items;
  // Links between items as index pairs, each once, the lower index first.
  std::vector<std::pair<std::size_t, std::size_t>> links;

  static Outcome read(const VQTopoNodeDn& view, ViewModel& model);

  // The extent of the positions, at least (0, 0).
  long max_x() const;
  long max_y() const;
};

#endif  // VQTOPO_VIEW_MODEL_H_
