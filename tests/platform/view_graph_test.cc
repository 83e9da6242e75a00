// The view graph cache over the three-server world: kept current from node events, equal to
// a fresh fetch after any changes, answering path names and the shortcuts of a node load,
// and surviving fetches that are late, lost, damaged or doubled.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "dedavuz_api/topo_node.h"
#include "dedavuz_api/topo_platform.h"
#include "dedavuz_api/topo_platform_rep.h"
#include "dedavuz_api/topo_type.h"
#include "node/populated_node.h"
#include "platform_world.h"
#include "support/helpers.h"
#include "support/vq_test.h"

namespace platform_testing {
namespace {

using Dn = VQTopoNodeDn;
using Dns = VQList<VQTopoNodeDn>;
using Rep = VQTopoPlatformRep;
using Strings = std::vector<std::string>;
using vq_testing::drain;
using vq_testing::set_of;

// Views by name, parents and children, keyed in the graph's spelling: what two graphs
// must share to be equal. Placeholders (nodes known only as a parent) are left out.
using Shape = std::map<std::string, std::string>;

std::string sorted_text(const Dns& dns) {
  std::set<std::string> sorted;
  for (const Dn& dn : dns) sorted.insert(vq_testing::printed(dn));
  std::string text;
  for (const std::string& entry : sorted) text += entry + " ";
  return text;
}

Shape shape_of(const Rep::ViewGraph& graph) {
  Shape shape;
  graph.for_each_node([&shape](const Rep::ViewGraph::Node& node) {
    if (node.data.name.empty()) return;
    Dns in;
    Dns out;
    Rep::ViewGraph::keys_of(node.in_nodes, in);
    Rep::ViewGraph::keys_of(node.out_nodes, out);
    shape[vq_testing::printed(node.key)] =
        node.data.name + " <" + sorted_text(in) + "> <" + sorted_text(out) + ">";
  });
  return shape;
}

Strings sorted(VQList<std::string> list) {
  Strings out(list.begin(), list.end());
  std::sort(out.begin(), out.end());
  return out;
}

class ViewGraphTest : public PlatformWorldTest {
 protected:
  void SetUp() override {
    PlatformWorldTest::SetUp();
    ASSERT_TRUE(VQTopoPlatform::initialize(platform(), true));
    topo_ = VQTopoPlatform::instance();
    rep_ = Rep::instance();
    (void)VQTopoType::is_view("Network");
  }

  static Dn make(const std::string& name, const std::string& type, const Dns& parents) {
    Dn dn;
    EXPECT_VQ_OK(node_testing::make_node(name, type, parents, dn));
    drain();
    return dn;
  }
  Strings paths(const Dn& dn) {
    VQList<std::string> found;
    EXPECT_VQ_OK(topo_->view_topology_pathnames(dn, found));
    return sorted(found);
  }
  // Drops every system's views and fetches them again.
  void fetch_again() {
    for (const std::string& system : to_vector(topo_->system_names())) {
      ASSERT_VQ_OK(rep_->remove_system(system, false));
      ASSERT_VQ_OK(rep_->add_system(system, false, Rep::list_only));
    }
    while (Rep::pending_view_graph_requests_count() > 0) platform().dispatch_recursive(true);
  }

  VQTopoPlatform* topo_ = nullptr;
  Rep* rep_ = nullptr;
};

// Creations, deletions and parent changes are checked against a model by the property
// test below; here what it does not reach: leaf path names, non-views, and a view's files
// the graph never received.
TEST_F(ViewGraphTest, LeafPathsNonViewsAndFilesNotSent) {
  const Dn root("L", 1);
  const Dn a = make("A", "Network", {root});
  const Dn v = make("V", "Network", {a, make("B", "Network", {root})});
  const Dn host = make("h", "Host", {v});
  VQList<std::string> leafs;
  ASSERT_VQ_OK(topo_->topology_pathnames(v, "h", leafs));
  EXPECT_EQ(sorted(leafs), (Strings{"/Root/A/V/h", "/Root/B/V/h"}));
  EXPECT_TRUE(topo_->is_view(v));
  EXPECT_FALSE(topo_->is_view(host));
  Dns children;
  ASSERT_VQ_OK(rep_->get_view_graph_node_view_children(v, children));
  EXPECT_TRUE(children.is_empty());
  std::string file;
  EXPECT_VQ_ERROR_TEXT(rep_->get_view_graph_background_file_name(v, file),
                       VQStatus::Code::invalid_argument,
                       "VQTopoPlatform::get_view_graph_background_file_name");
}

TEST_F(ViewGraphTest, NodeLoadsTakeWhatTheGraphKeepsCurrent) {
  const Dn root("/L/B", 1);
  const Dn net = make("net", "Network", {root});
  const Dn sub = make("sub", "Network", {net});
  fetch_again();  // now the graph holds the files of both
  VQTopoNode view(net);
  ASSERT_VQ_ALL_OK(view.set_view_background_image_filename("campus.gif"), view.set_name("net2"),
                   view.store_some_attributes(
                       set_of(VQTopoNode::attribute_count,
                              {VQTopoNode::name, VQTopoNode::view_background_image_filename})));
  drain();

  // The other spelling of the system names the same view.
  std::string name;
  ASSERT_VQ_OK(rep_->get_view_graph_node_name(Dn("L/B", sub.unique_id()), name));
  EXPECT_EQ(name, "sub");
  VQTopoNode loaded(net);
  ASSERT_VQ_OK(loaded.load_some_attributes(
      set_of(VQTopoNode::attribute_count,
             {VQTopoNode::name, VQTopoNode::parents, VQTopoNode::view_children,
              VQTopoNode::view_background_image_filename, VQTopoNode::topology_pathnames})));
  using vq_testing::got;
  EXPECT_EQ(got(loaded, &VQTopoNode::get_name), "net2");
  EXPECT_EQ(got(loaded, &VQTopoNode::get_view_background_image_filename), "campus.gif");
  EXPECT_EQ(got(loaded, &VQTopoNode::get_view_children), Dns{sub});
  EXPECT_EQ(sorted(got(loaded, &VQTopoNode::get_topology_pathnames)), Strings{"/Root/net2"});
}

// Random creations, deletions, renames and parent changes over the three systems: after
// each, the graph matches a model of the views, every path name is the model's, and at the
// end a fresh fetch gives the same graph.
TEST_F(ViewGraphTest, AfterAnyChangesTheGraphEqualsAFreshFetch) {
  struct View {
    std::string name;
    Dns parents;
  };
  std::map<Dn, View> model;
  for (const std::string& system : kThreeSystems) model[Dn(system, 1)] = {"Root", {}};
  const auto model_paths = [&model](const Dn& dn, auto&& self) -> Strings {
    const View& view = model.at(dn);
    if (view.parents.is_empty()) return {"/" + view.name};
    Strings out;
    for (const Dn& parent : view.parents) {
      for (const std::string& path : self(parent, self)) out.push_back(path + "/" + view.name);
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  const auto below = [&model](const Dn& top, const Dn& dn, auto&& self) -> bool {
    if (dn == top) return true;
    for (const Dn& parent : model.at(dn).parents) {
      if (self(top, parent, self)) return true;
    }
    return false;
  };

  std::mt19937 random(11);
  for (int step = 0; step < 60; ++step) {
    const std::string& system = kThreeSystems[random() % 3];
    std::vector<Dn> views;
    for (const auto& [dn, view] : model) {
      if (dn.system_name() == system) views.push_back(dn);
    }
    const Dn target = views[random() % views.size()];
    const auto some_parents = [&](const Dn& avoid) {
      Dns chosen;
      for (int i = 0; i < 2; ++i) {
        const Dn parent = views[random() % views.size()];
        if (!chosen.contains(parent) && !below(avoid, parent, below)) chosen.append(parent);
      }
      return chosen;
    };
    const bool is_root = target.unique_id() == 1;
    switch (random() % 5) {
      case 0:
        make("host", "Host", {target});
        break;
      case 1:
        if (!is_root) {
          ASSERT_VQ_OK(VQTopoNode(target).destroy());
          drain();
          model.erase(target);
          for (auto& [dn, view] : model) view.parents.remove(target);
        }
        break;
      case 2: {
        const Dns chosen = some_parents(target);
        if (is_root || chosen.is_empty()) break;
        VQTopoNode node(target);
        ASSERT_VQ_ALL_OK(
            node.set_parents(chosen),
            node.store_some_attributes(set_of(VQTopoNode::attribute_count, {VQTopoNode::parents})));
        drain();
        model[target].parents = chosen;
        break;
      }
      default: {
        const std::string name = "v" + std::to_string(step);
        const Dns chosen = some_parents(Dn());
        model[make(name, "Network", chosen)] = {name, chosen};
        break;
      }
    }
    for (const auto& [dn, view] : model) {
      std::string name;
      Dns parents;
      ASSERT_VQ_ALL_OK(rep_->get_view_graph_node_name(dn, name),
                       rep_->get_view_graph_node_parents(dn, parents))
          << dn;
      EXPECT_EQ(name, view.name);
      EXPECT_EQ(parents, view.parents) << dn;
      EXPECT_EQ(paths(dn), model_paths(dn, model_paths)) << dn;
    }
  }
  const Shape cached = shape_of(rep_->view_graph());
  fetch_again();
  EXPECT_EQ(shape_of(rep_->view_graph()), cached);
}

// A fetch whose reply is late while views are made, deleted and moved ends equal to the
// server; the events that came meanwhile wait for it.
TEST_F(ViewGraphTest, ChangesWhileAFetchIsOnItsWayAreNotUndone) {
  const Dn root("/L/B", 1);
  const Dn a = make("a", "Network", {root});
  const Dn b = make("b", "Network", {root});
  const Dn gone = make("gone", "Network", {a});
  ASSERT_VQ_OK(rep_->remove_system("/L/B", false));
  auto plan = std::make_shared<hvx::FaultPlan>();
  plan->delay_reply(1, 30.0);
  hvx::install_fault_plan(platform(), plan);
  ASSERT_VQ_OK(rep_->add_system("/L/B", false, Rep::list_only));
  // Nothing is dispatched until all three changes are made: their events queue ahead of
  // the late reply.
  Dn fresh;
  ASSERT_VQ_OK(node_testing::make_node("fresh", "Network", {a}, fresh));
  VQTopoNode moved(a);
  ASSERT_VQ_ALL_OK(
      moved.set_parents({b}),
      moved.store_some_attributes(set_of(VQTopoNode::attribute_count, {VQTopoNode::parents})));
  ASSERT_VQ_OK(VQTopoNode(gone).destroy());
  drain();
  hvx::remove_fault_plan(platform());
  EXPECT_EQ(Rep::pending_view_graph_requests_count(), 0);
  EXPECT_FALSE(rep_->view_graph().contains(gone));
  EXPECT_EQ(paths(fresh), Strings{"/Root/b/a/fresh"});
  const Shape cached = shape_of(rep_->view_graph());
  fetch_again();
  EXPECT_EQ(shape_of(rep_->view_graph()), cached);
}

TEST_F(ViewGraphTest, ASystemThatLeavesDropsItsViewsAndFetchesThemOnReturn) {
  const Dn view = make("c-view", "Network", {Dn("/L/B/C", 1)});
  ASSERT_TRUE(world_->set_connected("B", false));
  drain();
  EXPECT_FALSE(rep_->view_graph().contains(view));
  EXPECT_FALSE(rep_->view_graph().contains(Dn("/L/B", 1)));
  ASSERT_TRUE(world_->set_connected("B", true));
  drain();
  EXPECT_EQ(paths(Dn("L/B/C", view.unique_id())), Strings{"/Root/c-view"});
}

// Every way the single fetch request can go wrong: the wait ends, and what arrived is
// filed once.
TEST_F(ViewGraphTest, AFetchThatGoesWrongEndsItsWait) {
  for (int i = 0; i < 250; ++i) make("v" + std::to_string(i), "Network", {Dn("L", 1)});
  const Shape whole = shape_of(rep_->view_graph());
  for (int fault = 0; fault < 7; ++fault) {
    auto plan = std::make_shared<hvx::FaultPlan>();
    if (fault < 3) plan->drop_reply_part(1, fault + 1);
    if (fault == 3) plan->duplicate_reply_part(1, 1);
    if (fault == 4) plan->drop_reply(1);
    if (fault == 5) plan->corrupt_reply(1);
    if (fault == 6) plan->fail_request(1, hvx::ErrorCode::processing_failure, "injected");
    ASSERT_VQ_OK(rep_->remove_system("L", false));
    hvx::install_fault_plan(platform(), plan);
    ASSERT_VQ_OK(rep_->add_system("L", false, Rep::list_only));
    while (Rep::pending_view_graph_requests_count() > 0) platform().dispatch_recursive(true);
    hvx::remove_fault_plan(platform());
    // A lost part costs its views only; a doubled one adds nothing.
    const std::size_t expected[] = {153, 153, 202, 253, 2, 2, 2};  // with B and C roots
    const Shape got = shape_of(rep_->view_graph());
    EXPECT_EQ(got.size(), expected[fault]) << fault;
    if (fault == 3) {
      EXPECT_EQ(got, whole);
    }
  }
  fetch_again();
  EXPECT_EQ(shape_of(rep_->view_graph()), whole);
}

class UncachedViewGraphTest : public PlatformWorldTest {};

TEST_F(UncachedViewGraphTest, EveryQuestionNeedsTheCache) {
  ASSERT_TRUE(VQTopoPlatform::initialize(platform(), false));
  const Rep& rep = *Rep::instance();
  const Dn root("L", 1);
  Dns dns;
  std::string text;
  Rep::ViewInfo info;
  VQList<std::string> paths;
  const std::pair<VQStatus, std::string> refusals[] = {
      {rep.get_view_graph_node_parents(root, dns), "get_view_graph_node_parents"},
      {rep.get_view_graph_node_view_children(root, dns), "get_view_graph_node_view_children"},
      {rep.get_view_graph_node_info(root, info), "get_view_graph_node_name"},
      {rep.get_view_graph_map_file_name(root, text), "get_view_graph_node_name"},
      {rep.get_view_graph_node(root, text, dns, dns), "get_view_graph_node"},
      {VQTopoPlatform::instance()->topology_pathnames(root, "x", paths), "view_topology_pathnames"},
  };
  for (const auto& [status, function] : refusals) {
    EXPECT_VQ_ERROR_TEXT(status, VQStatus::Code::view_graph_not_cached,
                         "VQTopoPlatform::" + function);
  }
  VQTopoNode node(root);
  EXPECT_VQ_ERROR_TEXT(
      node.load_some_attributes(set_of(VQTopoNode::attribute_count, {VQTopoNode::view_children})),
      VQStatus::Code::not_supported_by_platform, "VQTopoNode::view_children");
}

}  // namespace
}  // namespace platform_testing
