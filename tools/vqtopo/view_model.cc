#include "view_model.h"

#include <algorithm>

Outcome ViewModel::read(const VQTopoNodeDn& view, ViewModel& model) {
  model = ViewModel{};
  VT_RETURN_IF_FAILED(NodeInfo::read(view, model.view));
  model.chain.push_back(model.view);
  // Bounded by what has been seen, so that a cycle of parents cannot hold the walk.
  while (!model.chain.front().parents.empty()) {
    const VQTopoNodeDn above = model.chain.front().parents.front();
    const bool seen = std::any_of(model.chain.begin(), model.chain.end(),
                                  [&](const NodeInfo& info) { return info.dn == above; });
    if (seen) break;
    NodeInfo info;
    VT_RETURN_IF_FAILED(NodeInfo::read(above, info));
    model.chain.insert(model.chain.begin(), std::move(info));
  }
  for (const VQTopoNodeDn& child : model.view.children) {
    Item item;
    VT_RETURN_IF_FAILED(NodeInfo::read(child, item.info));
    VQTopoNode::Location at;
    if (item.info.position_in(view, at)) {
      item.x = at.x;
      item.y = at.y;
    }
    model.items.push_back(std::move(item));
  }
  for (std::size_t a = 0; a < model.items.size(); ++a) {
    for (const VQTopoNodeDn& other : model.items[a].info.links) {
      for (std::size_t b = 0; b < model.items.size(); ++b) {
        if (model.items[b].info.dn != other || a == b) continue;
        const std::pair<std::size_t, std::size_t> link{std::min(a, b), std::max(a, b)};
        if (std::find(model.links.begin(), model.links.end(), link) == model.links.end()) {
          model.links.push_back(link);
        }
      }
    }
  }
  return {};
}

long ViewModel::max_x() const {
  long most = 0;
  for (const Item& item : items) most = std::max(most, item.x);
  return most;
}

long ViewModel::max_y() const {
  long most = 0;
  for (const Item& item : items) most = std::max(most, item.y);
  return most;
}
