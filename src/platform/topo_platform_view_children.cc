// The children of a view as the view-children action's linked replies carry them, read
// into nodes: in place from the reply's bytes, or from its value when the bytes are of
// another shape.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/plain_ber.h"
#include "dedavuz_api/topo_node_rep.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "node/topo_node_rep_access.h"
#include "platform/gdmo_attributes.h"

namespace {

using Rep = VQTopoPlatformRep;
using Tlv = VQPlainTlv;

// `at` is where the value out of shape starts: the rest of `ber` from it.
VQStatus malformed(std::string_view ber, std::string_view at, const char* what) {
  return VQStatus(VQStatus::Code::decode_error,
                  std::string("view children: ") + what + " at offset " +
                      std::to_string(ber.size() - at.size()));
}

// Walks the children in `ber`, calling `child(id, attributes)` with the contents of each
// child's SET of attributes; the first element out of shape ends it with its status.
template <typename Child>
VQStatus walk(std::string_view ber, Child child) {
  std::string_view rest = ber;
  Tlv top;
  if (!vq_take_plain(rest, top) || top.identifier != kVQBerSet || !rest.empty()) {
    return malformed(ber, ber, "not one SET of children");
  }
  std::string_view children = top.contents;
  while (!children.empty()) {
    Tlv entry;
    Tlv id;
    Tlv attributes;
    long n = 0;
    const std::string_view at = children;
    if (!vq_take_plain(children, entry) || entry.identifier != kVQBerSequence) {
      return malformed(ber, at, "a child is not a SEQUENCE");
    }
    std::string_view parts = entry.contents;
    if (!vq_take_plain(parts, id) || !vq_plain_long(id, n) || !vq_take_plain(parts, attributes) ||
        attributes.identifier != kVQBerSet || !parts.empty()) {
      return malformed(ber, at, "a child is not { id, SET OF attributes }");
    }
    VQ_RETURN_IF_ERROR(child(n, attributes.contents));
  }
  return VQStatus::success;
}

// Walks the { identifier, value } pairs of one child's attributes.
template <typename Pair>
VQStatus each_attribute(std::string_view ber, std::string_view list, Pair pair) {
  while (!list.empty()) {
    Tlv item;
    Tlv identifier;
    Tlv value;
    const std::string_view at = list;
    if (!vq_take_plain(list, item) || item.identifier != kVQBerSequence) {
      return malformed(ber, at, "an attribute is not a SEQUENCE");
    }
    std::string_view parts = item.contents;
    if (!vq_take_plain(parts, identifier) || identifier.is_constructed() ||
        !vq_take_plain(parts, value) || !parts.empty()) {
      return malformed(ber, at, "an attribute is not { identifier, value }");
    }
    pair(item, identifier, value);
  }
  return VQStatus::success;
}

// One attribute through the regular decoders, from its own bytes; bytes that are not a
// value cost that attribute only.
void decode_through_syntax(const VQTopoNodeDn& view, const Tlv& item, const VQIntegerSet& gdmo,
                           VQTopoNode& node) {
  hvx::Asn1Value pair;
  if (!hvx::Asn1Value::decode(hvx::DataUnit(item.whole), pair).ok()) return;
  const VQStatus ignored = Rep::fill_in_node_with_the_attribute(
      view, pair.first_component(), pair.first_component().next_component(), gdmo, node);
  (void)ignored;
}

}  // namespace

VQStatus Rep::decode_view_children(std::string_view ber, const VQTopoNodeDn& view,
                                   const VQIntegerSet& gdmo, const VQIntegerSet& active,
                                   SeenIds& seen, VQList<VQTopoNode>& nodes) {
  // The shape is checked whole before any node is made.
  VQ_RETURN_IF_ERROR(walk(ber, [&](long, std::string_view list) {
    return each_attribute(ber, list, [](const Tlv&, const Tlv&, const Tlv&) {});
  }));
  const std::string& system = view.system_name();
  const VQGdmoCandidates& candidates = vq_gdmo_candidates();
  std::array<bool, VQTopoNodeRep::gdmo_attribute_count> selected{};
  for (int g = 0; g < VQTopoNodeRep::gdmo_attribute_count; ++g) selected[g] = gdmo.is_member(g);
  return walk(ber, [&](long id, std::string_view list) {
    if (!seen.insert(id)) return VQStatus::success;
    VQTopoNode& node = nodes.emplace(VQTopoNodeDn(system, id));
    VQTopoNodeRep& rep = *node.rep_;
    rep.active_ |= active;
    return each_attribute(ber, list, [&](const Tlv& item, const Tlv& identifier, const Tlv& value) {
      const int g = vq_gdmo_index(candidates, identifier.contents);
      if (g < 0 || !selected[g]) return;
      if (!VQTopoNodeRepAccess::decode_plain(rep, g, value.whole, view)) {
        decode_through_syntax(view, item, gdmo, node);
      }
    });
  });
}

void Rep::decode_view_children(const hvx::Asn1Value& children, const VQTopoNodeDn& view,
                               const VQIntegerSet& gdmo, const VQIntegerSet& active,
                               SeenIds& seen, VQList<VQTopoNode>& nodes) {
  if (!children.is_constructed()) return;
  for (hvx::Asn1Value child = children.first_component(); !child.is_null();
       child = child.next_component()) {
    long id = 0;
    if (!child.is_constructed() || !child.first_component().decode_int(id)) continue;
    if (!seen.insert(id)) continue;
    VQTopoNode& node = nodes.emplace(VQTopoNodeDn(view.system_name(), id));
    node.rep_->active_ |= active;
    const hvx::Asn1Value list = child.first_component().next_component();
    for (hvx::Asn1Value item = list.is_constructed() ? list.first_component() : hvx::Asn1Value();
         !item.is_null(); item = item.next_component()) {
      const VQStatus ignored = fill_in_node_with_the_attribute(
          view, item.first_component(), item.first_component().next_component(), gdmo, node);
      (void)ignored;
    }
  }
}

bool Rep::SeenIds::insert(long id) {
  if (id == 0) {
    const bool added = !zero_;
    zero_ = true;
    return added;
  }
  if ((count_ + 1) * 2 > slots_.size()) grow();
  const std::size_t mask = slots_.size() - 1;
  // Ids often come in runs: mixing spreads them over the table.
  std::size_t i = static_cast<std::size_t>(static_cast<unsigned long>(id) * 0x9e3779b97f4a7c15UL >> 17) & mask;
  while (slots_[i] != 0) {
    if (slots_[i] == id) return false;
    i = (i + 1) & mask;
  }
  slots_[i] = id;
  ++count_;
  return true;
}

void Rep::SeenIds::grow() {
  std::vector<long> old(slots_.size() < 64 ? 64 : slots_.size() * 2, 0);
  old.swap(slots_);
  count_ = 0;
  for (const long id : old) {
    if (id != 0) insert(id);
  }
}
