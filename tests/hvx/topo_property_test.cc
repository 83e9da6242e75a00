// A random sequence of node, type and alarm changes on the three servers keeps every rule
// of the topology database, checked after each step against what the servers hold (read
// through albums) and against a copy built from the notifications alone. A refused step
// changes nothing and notifies nobody.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "hvx/album.h"
#include "hvx/ber.h"
#include "topo_fixture.h"

namespace {

using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Image;

constexpr unsigned kSeed = 20261206;
constexpr int kSteps = 180;

using Object = std::map<std::string, Asn1Value>;  // attribute short name -> value
using State = std::map<std::string, Object>;      // object name -> attributes

template <typename T>
std::set<T> as_set(const std::vector<T>& list) {
  return std::set<T>(list.begin(), list.end());
}

// Perceived severities from worst: critical 1, major 2, minor 3, warning 4, indeterminate 0,
// cleared 5.
int rank(long severity) {
  static const int kRank[] = {1, 5, 4, 3, 2, 0};
  return severity >= 0 && severity <= 5 ? kRank[severity] : -1;
}
long worse(long a, long b) { return rank(b) > rank(a) ? b : a; }

struct Node {
  std::string type;
  std::vector<long> parents, children, peers, propagate_peers, visible;
  std::vector<std::string> managed_objects;
  long severity = 0, propagated = 0;
  bool up = true;
};
struct Type {
  std::vector<std::string> bases, all_bases, sub_types, all_sub_types, legal, all_legal;
};

class TopoPropertyTest : public hvx_testing::TopoTest {
 protected:
  // Everything the topology databases of a system hold, read through albums.
  State snapshot(const std::string& system) {
    State state;
    auto derive = [&](const std::string& base) {
      hvx::Album album(DataUnit(base + "/*"), platform_);
      EXPECT_TRUE(album.set_derivation(DataUnit(base + "/*")));
      EXPECT_TRUE(album.derive(hvx::DUArray{})) << album.get_error_string();
      for (hvx::AlbumImage image = album.first_image(); image; image.next_image()) {
        Object& object = state[image->get_objname().str()];
        for (const DataUnit& attribute : image->get_attr_names()) {
          object[attribute.str()] = image->get_raw(attribute).get_value();
        }
      }
    };
    for (const char* db : {"topoNodeDBId=NULL", "topoTypeDBId=NULL", "topoViewDBId=NULL"}) {
      derive(prefix(system) + db);
    }
    std::vector<std::string> views;
    for (const auto& [name, object] : state) {
      if (name.find("topoViewDBId") != std::string::npos) views.push_back(name);
    }
    for (const std::string& view : views) {
      derive((view.front() == '/' ? "" : prefix(system)) + view);
    }
    return state;
  }

  // The copy of every system's topology objects that notifications alone build.
  void follow(const hvx::CurrentEvent& event) {
    const std::string name = event.get_objname().str();
    if (name.find("topoNodeId=") == std::string::npos &&
        name.find("topoTypeId=") == std::string::npos) {
      return;
    }
    const std::string kind = hvx::get_shortname(event.get_name().view());
    const std::vector<long> parents = parents_in_copy(name);
    if (kind == "objectDeletion") {
      follow_parents(name, parents, {});
      EXPECT_EQ(copy_.erase(name), 1u) << name;
      return;
    }
    EXPECT_TRUE(kind != "objectCreation" || copy_.count(name) == 0) << name;
    Image image = event.get_image(1);
    Object& object = copy_[name];
    for (const DataUnit& attribute : image.get_attr_names()) {
      object[attribute.str()] = image.get_raw(attribute).get_value();
    }
    follow_parents(name, parents, parents_in_copy(name));
  }

  std::vector<long> parents_in_copy(const std::string& name) const {
    const auto held = copy_.find(name);
    if (held == copy_.end()) return {};
    const auto parents = held->second.find("topoNodeParents");
    return parents == held->second.end() ? std::vector<long>() : elements(parents->second, long_of);
  }

  // Children lists are not notified: a node joins the end of the lists of the parents it
  // gains and leaves those of the parents it loses.
  void follow_parents(const std::string& name, const std::vector<long>& before,
                      const std::vector<long>& after) {
    if (name.find("topoNodeDBId=NULL/") == std::string::npos) return;
    const std::string marker = "topoNodeId=";
    const std::string base = name.substr(0, name.rfind(marker) + marker.size());
    const long id = id_after(name, marker);
    auto edit = [&](long parent, bool join) {
      const auto held = copy_.find(base + std::to_string(parent));
      if (held == copy_.end()) return;
      Asn1Value& list = held->second["topoNodeChildren"];
      std::vector<long> children = elements(list, long_of);
      std::erase(children, id);
      if (join) children.push_back(id);
      list = hvx::ber::set();
      for (const long child : children) list.add_component(hvx::ber::integer(child));
    };
    for (const long parent : before) {
      if (std::find(after.begin(), after.end(), parent) == after.end()) edit(parent, false);
    }
    for (const long parent : after) {
      if (std::find(before.begin(), before.end(), parent) == before.end()) edit(parent, true);
    }
  }

  // The system of an object as the local server names it.
  static std::string system_of(const std::string& name) {
    if (name.rfind(prefix("C"), 0) == 0) return "C";
    if (name.rfind(prefix("B"), 0) == 0) return "B";
    return "L";
  }

  static long id_after(const std::string& name, const std::string& marker) {
    const size_t at = name.rfind(marker);
    return at == std::string::npos ? -1 : std::atol(name.c_str() + at + marker.size());
  }

  // Every rule, checked on what the servers hold.
  void check(const State& state, const std::string& system) {
    const std::string node_marker = "topoNodeDBId=NULL/topoNodeId=";
    const std::string view_marker = "topoViewDBId=NULL/topoNodeId=";
    std::map<long, Node> nodes;
    std::map<std::string, Type> types;
    std::set<long> views;
    std::set<std::pair<long, long>> placements;
    for (const auto& [name, object] : state) {
      auto get = [&object](const char* attribute) {
        const auto it = object.find(attribute);
        return it == object.end() ? Asn1Value() : it->second;
      };
      auto ids = [&get](const char* attribute) { return elements(get(attribute), long_of); };
      auto texts = [&get](const char* attribute) { return elements(get(attribute), text_of); };
      if (name.find(node_marker) != std::string::npos) {
        Node node;
        node.type = text_of(get("topoNodeType"));
        node.parents = ids("topoNodeParents");
        node.children = ids("topoNodeChildren");
        node.peers = ids("topoNodePeers");
        node.propagate_peers = ids("topoNodePropagatePeers");
        node.visible = ids("topoNodeArrayVisibleChildren");
        const Asn1Value monitor = get("topoNodeMonitor");
        if (monitor.tag() == hvx::TAG_SEQ) {
          for (const long id : elements(monitor.component(1), long_of)) node.visible.push_back(id);
        }
        node.managed_objects = elements(get("topoNodeMOSet"), hvx::oi2fdn);
        node.severity = long_of(get("topoNodeSeverity"));
        node.propagated = long_of(get("topoNodePropagatedSeverity"));
        node.up = long_of(get("topoNodePropagateUp")) != 0;
        nodes[id_after(name, node_marker)] = node;
      } else if (name.find("topoTypeId=") != std::string::npos) {
        types[text_of(get("topoTypeId"))] = {
            texts("topoTypeDerivedFrom"),   texts("topoTypeAllDerivedFrom"),
            texts("topoTypeBaseOf"),        texts("topoTypeAllBaseOf"),
            texts("topoTypeLegalChildren"), texts("topoTypeAllLegalChildren")};
      } else if (name.find(view_marker) != std::string::npos) {
        const std::string rest = name.substr(name.find(view_marker) + view_marker.size());
        if (rest.find('/') == std::string::npos) {
          views.insert(std::atol(rest.c_str()));
        } else {
          placements.insert({std::atol(rest.c_str()), id_after(rest, "topoNodeId=")});
        }
      }
    }

    // Types: the derived attributes follow the given ones.
    for (const auto& [id, type] : types) {
      std::set<std::string> ancestors;
      std::vector<std::string> pending = type.bases;
      while (!pending.empty()) {
        const std::string base = pending.back();
        pending.pop_back();
        ASSERT_TRUE(types.count(base)) << id << " derives from unknown " << base;
        ASSERT_NE(base, id) << "cycle";
        if (ancestors.insert(base).second) {
          for (const std::string& b : types[base].bases) pending.push_back(b);
        }
      }
      EXPECT_EQ(as_set(type.all_bases), ancestors) << id;
      std::set<std::string> legal = as_set(type.legal);
      for (const std::string& ancestor : ancestors) {
        for (const std::string& child : types[ancestor].legal) legal.insert(child);
      }
      EXPECT_EQ(as_set(type.all_legal), legal) << id;
      std::set<std::string> subs, all_subs;
      for (const auto& [other, t] : types) {
        if (as_set(t.bases).count(id)) subs.insert(other);
        if (as_set(t.all_bases).count(id)) all_subs.insert(other);
      }
      EXPECT_EQ(as_set(type.sub_types), subs) << id;
      EXPECT_EQ(as_set(type.all_sub_types), all_subs) << id;
    }

    // Nodes: children are the inverse of parents, parents are views without cycles, view
    // objects exist for view types, placements for every parent.
    std::set<std::pair<long, long>> expected_placements;
    for (const auto& [id, node] : nodes) {
      ASSERT_TRUE(types.count(node.type)) << id;
      const bool view = !types[node.type].all_legal.empty();
      EXPECT_EQ(views.count(id), view ? 1u : 0u) << id;
      EXPECT_EQ(as_set(node.parents).size(), node.parents.size()) << id;
      std::set<long> children;
      for (const auto& [other, n] : nodes) {
        if (as_set(n.parents).count(id)) children.insert(other);
      }
      EXPECT_EQ(as_set(node.children), children) << id;
      EXPECT_EQ(node.children.size(), children.size()) << id;
      for (const long parent : node.parents) {
        ASSERT_TRUE(nodes.count(parent)) << id;
        EXPECT_TRUE(views.count(parent)) << parent;
        expected_placements.insert({parent, id});
      }
      for (const auto* list : {&node.peers, &node.propagate_peers}) {
        for (const long other : *list) EXPECT_TRUE(nodes.count(other)) << id << " -> " << other;
      }
      for (const long child : node.visible) EXPECT_TRUE(children.count(child)) << id;
      // No cycle: walking up never comes back.
      std::set<long> seen;
      std::vector<long> pending = node.parents;
      while (!pending.empty()) {
        const long up = pending.back();
        pending.pop_back();
        ASSERT_NE(up, id) << "cycle through " << id;
        if (seen.insert(up).second) {
          for (const long p : nodes[up].parents) pending.push_back(p);
        }
      }
    }
    EXPECT_EQ(placements, expected_placements);
    for (const long view : views) EXPECT_TRUE(nodes.count(view)) << view;

    // Severities: the worst alarm on a node's managed objects; propagated, the least
    // values closed under the flow from children and propagate peers that propagate up.
    std::map<long, long> value;
    for (const auto& [id, node] : nodes) {
      long severity = 5;
      for (const auto& [alarm, raised] : alarms_) {
        if (raised.system != system) continue;
        for (const std::string& mo : node.managed_objects) {
          if (mo == raised.object) severity = worse(severity, raised.severity);
        }
      }
      EXPECT_EQ(node.severity, severity) << id;
      value[id] = node.severity;
    }
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [id, node] : nodes) {
        std::vector<long> sources = node.children;
        sources.insert(sources.end(), node.propagate_peers.begin(), node.propagate_peers.end());
        for (const long source : sources) {
          if (!nodes[source].up || worse(value[id], value[source]) == value[id]) continue;
          value[id] = value[source];
          changed = true;
        }
      }
    }
    for (const auto& [id, node] : nodes) EXPECT_EQ(node.propagated, value[id]) << id;
  }

  std::vector<long> some(const std::vector<long>& from, size_t most) {
    std::vector<long> out;
    if (from.empty()) return out;
    const size_t count = std::uniform_int_distribution<size_t>(0, most)(random_);
    for (size_t i = 0; i < count && !from.empty(); ++i) out.push_back(pick(from));
    return out;
  }
  template <typename T>
  T pick(const std::vector<T>& from) {
    return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random_)];
  }
  int roll(int sides) { return std::uniform_int_distribution<int>(0, sides - 1)(random_); }

  // One random change on `system`; whether it was carried out. Mostly well-formed changes,
  // with a share that must be refused (unknown nodes and types, parents that are not views,
  // cycles, types in use).
  bool step(const std::string& system, const State& state) {
    std::vector<long> ids, views;
    std::vector<std::string> types, own_types;
    for (const auto& [name, object] : state) {
      if (name.find("topoNodeDBId=NULL/topoNodeId=") != std::string::npos) {
        ids.push_back(id_after(name, "topoNodeId="));
      } else if (name.find("topoTypeId=") != std::string::npos) {
        const std::string type = text_of(object.at("topoTypeId"));
        types.push_back(type);
        if (type.size() == 2 && type[0] == 'T') own_types.push_back(type);
      } else if (const size_t at = name.find("topoViewDBId=NULL/topoNodeId=");
                 at != std::string::npos && name.find('/', at + 18) == std::string::npos) {
        views.push_back(id_after(name, "topoNodeId="));
      }
    }
    auto any_node = [&] { return roll(10) == 0 ? 999L : pick(ids); };
    auto parents = [&] { return roll(8) == 0 ? some(ids, 2) : some(views, 2); };
    const std::vector<std::string> node_types = {"Host",   "Network",    "Hexagon", "Array",
                                                 "Router", "Subnetwork", "T1",      "T2"};
    auto node_type = [&] { return roll(20) == 0 ? std::string("Nope") : pick(node_types); };
    auto some_type = [&] {
      return own_types.empty() || roll(4) == 0 ? pick(types) : pick(own_types);
    };
    const std::vector<std::string> objects = {"/systemId=name:\"M0\"", "/systemId=name:\"M1\"",
                                              "/systemId=name:\"M2\""};
    auto mo_set = [&] {
      std::vector<std::string> chosen;
      for (int i = 0, n = roll(3); i < n; ++i) chosen.push_back(pick(objects));
      return braced(chosen);
    };
    switch (roll(14)) {
      case 0:
      case 1:
      case 2:
      case 3:
        return make_node(pick(std::vector<std::string>{"a", "b", "c"}), node_type(), parents(),
                         system,
                         {{"topoNodeMOSet", mo_set()},
                          {"topoNodePropagatePeers", ids_text(some(ids, 1))}}) != 0;
      case 4:
        return store(node(any_node(), system), "topoNodeParents", ids_text(parents()),
                     pick(std::vector<int>{hvx::REPLACE, hvx::INCLUDE, hvx::EXCLUDE}));
      case 5:
        return store_node(any_node(), "topoNodeType", node_type(), system);
      case 6:
        return store_node(any_node(),
                          pick(std::vector<std::string>{"topoNodePropagatePeers", "topoNodePeers"}),
                          ids_text(some(ids, 2)), system);
      case 7:
        if (roll(2) == 0) return store_node(any_node(), "topoNodeMOSet", mo_set(), system);
        return store_node(any_node(), "topoNodePropagateUp", std::to_string(roll(2)), system);
      case 8:
        return store_node(any_node(), "topoNodeArrayVisibleChildren", ids_text(some(ids, 1)),
                          system);
      case 9:
        return node(any_node(), system).destroy();
      case 10: {
        Image type(DataUnit(prefix(system) + "topoTypeDBId=NULL/topoTypeId=\"" +
                            pick(std::vector<std::string>{"T1", "T2", "T3"}) + "\""),
                   "topoType", platform_);
        return type.set_str("topoTypeDerivedFrom", DataUnit("{\"" + some_type() + "\"}")) &&
               type.set_str("topoTypeLegalChildren", roll(2) == 0 ? "{}" : "{\"Host\"}") &&
               type.create(Image());
      }
      case 11: {
        Image type = object("topoTypeDBId=NULL/topoTypeId=\"" + some_type() + "\"", system);
        switch (roll(4)) {
          case 0:
            return type.destroy();
          case 1:
            return store(type, "topoTypeLegalChildren", "{\"Hub\"}", hvx::INCLUDE);
          case 2:
            return store(type, "topoTypeLegalChildren", "{}");
          default:
            return store(type, "topoTypeDerivedFrom", "{\"" + some_type() + "\"}");
        }
      }
      default: {
        if (!alarms_.empty() && roll(2) == 0) {
          const auto it = std::next(alarms_.begin(), roll(static_cast<int>(alarms_.size())));
          const bool cleared = world_->clear_alarm(it->second.system, it->first.second);
          alarms_.erase(it);
          return cleared;
        }
        const Alarm alarm{system, pick(objects), roll(5)};
        const long id = world_->raise_alarm(system, alarm.object, static_cast<int>(alarm.severity));
        if (id != 0) alarms_[{system, id}] = alarm;
        return id != 0;
      }
    }
  }

  struct Alarm {
    std::string system, object;
    long severity;
  };

  std::mt19937 random_{kSeed};
  State copy_;
  std::map<std::pair<std::string, long>, Alarm> alarms_;  // by system and id
};

TEST_F(TopoPropertyTest, RandomChangesKeepEveryRule) {
  const std::vector<std::string> systems = {"L", "B", "C"};
  for (const std::string& system : systems) {
    const State state = snapshot(system);
    copy_.insert(state.begin(), state.end());
  }
  hvx::EventRecorder recorder(platform_);
  int done = 0;
  for (int i = 0; i < kSteps; ++i) {
    const std::string system = systems[i % systems.size()];
    SCOPED_TRACE("step " + std::to_string(i) + " on " + system);
    const State before = snapshot(system);
    const bool carried_out = step(system, before);
    platform_.dispatch_recursive(false);
    const State after = snapshot(system);
    if (carried_out) {
      ++done;
    } else {
      EXPECT_TRUE(recorder.events().empty()) << recorder.summary().front() << " " << last_error_;
      EXPECT_TRUE(before == after) << last_error_;
    }
    for (const hvx::CurrentEvent& event : recorder.events()) follow(event);
    recorder.clear();
    ASSERT_NO_FATAL_FAILURE(check(after, system));
    for (const auto& [name, object] : after) {
      const auto held = copy_.find(name);
      ASSERT_NE(held, copy_.end()) << name << " was never notified";
      EXPECT_TRUE(held->second == object) << name << " differs from its notifications";
    }
    for (const auto& [name, object] : copy_) {
      if (system_of(name) == system) {
        EXPECT_TRUE(after.count(name)) << name << " was deleted without notice";
      }
    }
  }
  // The walk did change things: a fair share of the steps were carried out.
  EXPECT_GT(done, kSteps / 4);
}

}  // namespace
