// How the server keeps its tree compactly: values held as encodings (some shared through
// the shape) read back as given, names filed under escaped string keys keep name order, and
// the topology graph's blocked index and inline id list behave as the containers they replace.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "hvx/ber.h"
#include "object_values.h"
#include "schema.h"
#include "server.h"
#include "topo/block_set.h"
#include "topo/id_list.h"
#include "topo/short_string.h"

namespace {

using hvx::Asn1Value;

Asn1Value int_set(int count) {
  Asn1Value set = hvx::ber::set();
  for (int i = 0; i < count; ++i) set.add_component(hvx::ber::integer(i));
  return set;
}

TEST(CompactValues, ReadBackAsGivenWhateverTheirSize) {
  const hvx::Oid a("1.3.9.1"), b("1.3.9.2"), c("1.3.9.3"), d("1.3.9.4");
  hvx::mis::ObjectValues values;
  // Set out of order, across long lengths and multi-octet tags, then overwritten in the
  // middle with a longer and a null value: each neighbour must keep its own octets.
  const std::vector<std::pair<hvx::Oid, Asn1Value>> steps = {
      {d, hvx::ber::integer(4)},
      {a, hvx::ber::octets(std::string(300, 'x'), hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 200))},
      {c, int_set(3)},
      {b, hvx::ber::enumerated(1)},
      {c, int_set(60)},
      {b, Asn1Value()},
  };
  for (const auto& [id, value] : steps) values.set(id, value);
  const std::vector<std::pair<hvx::Oid, Asn1Value>> expected = {
      {a, steps[1].second}, {b, Asn1Value()}, {c, int_set(60)}, {d, hvx::ber::integer(4)}};
  ASSERT_EQ(values.size(), expected.size());
  std::size_t i = 0;
  for (const auto& [id, value] : values) {
    EXPECT_EQ(id, expected[i].first) << i;
    EXPECT_TRUE(value == expected[i].second) << i << ": " << value;
    EXPECT_TRUE(values.get(id).value() == expected[i].second) << i;
    ++i;
  }
  EXPECT_FALSE(values.get(hvx::Oid("1.3.9.5")).has_value());
}

TEST(CompactValues, AppendingGrowsOneObjectsSetOnly) {
  const hvx::Oid children("1.3.9.10"), after("1.3.9.11");
  hvx::mis::ObjectValues first, second;
  for (hvx::mis::ObjectValues* values : {&first, &second}) {
    values->set(children, hvx::ber::set());  // the shared default
    values->set(after, hvx::ber::integer(9));
  }
  // Past 127 octets of contents the length takes more octets.
  for (int i = 0; i < 60; ++i) ASSERT_TRUE(first.append_component(children, hvx::ber::integer(i)));
  EXPECT_TRUE(first.get(children).value() == int_set(60));
  EXPECT_TRUE(first.get(after).value() == hvx::ber::integer(9));
  EXPECT_EQ(second.get(children)->num_comps(), 0u);
  EXPECT_FALSE(first == second);
  // Equal values compare equal however each object holds them.
  second.set(children, int_set(60));
  EXPECT_TRUE(first == second);
  EXPECT_FALSE(first.append_component(after, hvx::ber::integer(1)));  // primitive
}

TEST(CompactTree, ChildrenAndOrderWithZeroOctetsInNames) {
  const hvx::mis::Schema& schema = hvx::mis::Schema::get();
  const hvx::Oid& id = schema.find_attribute("subsystemId")->oid;
  auto name = [&id](const std::vector<std::string>& parts) {
    hvx::dn::Rdns rdns;
    for (const std::string& part : parts) {
      rdns.push_back(hvx::dn::rdn(id, hvx::ber::octets(part, hvx::TAG_GRAPHSTR)));
    }
    return rdns;
  };
  hvx::mis::Server server("S");
  const std::string odd("q\0\1", 3);  // what ends an RDN's key, were it not escaped
  const std::vector<std::vector<std::string>> names = {
      {"q"}, {"q", "z"}, {odd}, {odd, "y"}, {odd, "y", "x"}, {std::string("q\0", 2)}};
  for (const auto& parts : names) {
    hvx::mis::ManagedObject object;
    object.info = schema.find_class("subsystem");
    object.set_name(name(parts));
    ASSERT_TRUE(server.file(std::move(object)));
  }
  EXPECT_EQ(server.children(name({odd})).size(), 1u);
  EXPECT_EQ(server.children(name({odd, "y"})).size(), 1u);
  EXPECT_EQ(server.children(name({"q"})).size(), 1u);
  std::size_t top = 0;
  server.for_each([&top](const hvx::mis::ManagedObject& object) { top += object.name().size() == 1; });
  EXPECT_EQ(server.children({}).size(), top);
  // In name order: by the RDNs' keys, a name before those below it.
  std::vector<std::vector<std::string>> keys;
  server.for_each([&keys](const hvx::mis::ManagedObject& object) {
    keys.push_back(hvx::dn::key(object.name()));
  });
  ASSERT_EQ(keys.size(), server.size());
  for (std::size_t i = 1; i < keys.size(); ++i) EXPECT_LT(keys[i - 1], keys[i]) << i;
}

// Against a std::set through splits (ascending runs, inserts in the middle of full blocks)
// and the merges of erasing: same elements, same order, same answers.
TEST(CompactIndex, BlockSetKeepsTheOrderOfASet) {
  hvx::mis::topo::BlockSet<long> blocks;
  std::set<long> model;
  std::mt19937 random(7);
  auto check = [&](const char* phase) {
    std::vector<long> seen;
    blocks.visit([&seen](long value) { seen.push_back(value); });
    ASSERT_EQ(seen, std::vector<long>(model.begin(), model.end())) << phase;
    ASSERT_EQ(blocks.size(), model.size()) << phase;
    std::vector<long> tail;
    blocks.visit_from(500L, [&tail](long value) {
      tail.push_back(value);
      return tail.size() < 3;
    });
    std::vector<long> expected(model.lower_bound(500), model.end());
    expected.resize(std::min<std::size_t>(expected.size(), 3));
    ASSERT_EQ(tail, expected) << phase;
  };
  for (long i = 0; i < 600; i += 2) ASSERT_EQ(blocks.insert(i), model.insert(i).second);
  check("ascending");
  for (int i = 0; i < 3000; ++i) {
    const long value = static_cast<long>(random() % 700);
    ASSERT_EQ(blocks.insert(value), model.insert(value).second) << value;
  }
  check("random inserts");
  for (int i = 0; i < 4000; ++i) {
    const long value = static_cast<long>(random() % 700);
    ASSERT_EQ(blocks.erase(value), model.erase(value) == 1) << value;
  }
  check("random erases");
  for (long value = 0; value < 700; ++value) blocks.erase(value);
  EXPECT_TRUE(blocks.empty());
  EXPECT_FALSE(blocks.erase(1L));
}

// One id inline, more on the heap, back inline as they go; copies are independent.
TEST(CompactIndex, IdListMovesBetweenInlineAndHeap) {
  using hvx::mis::topo::IdList;
  auto ids = [](const IdList& list) {
    return std::vector<long>(list.ids().begin(), list.ids().end());
  };
  IdList list(std::vector<long>{4, 5, 6});
  const IdList copy = list;
  list.erase(5);
  EXPECT_EQ(ids(list), (std::vector<long>{4, 6}));
  list.erase(9);
  list.erase(4);
  EXPECT_EQ(ids(list), std::vector<long>{6});
  list.assign(list.ids());  // assigned from its own view
  EXPECT_EQ(ids(list), std::vector<long>{6});
  list.erase(6);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(ids(copy), (std::vector<long>{4, 5, 6}));
  IdList moved = std::move(list = copy);
  EXPECT_EQ(ids(moved), (std::vector<long>{4, 5, 6}));
  EXPECT_TRUE(list.empty());
  moved.assign(ids(moved));
  EXPECT_TRUE(moved == copy);
}

// Either side of the inline limit, with zero octets: copies, moves and reassignments each
// read back their own text.
TEST(CompactIndex, ShortStringHoldsAnyLength) {
  using hvx::mis::topo::ShortString;
  for (const std::string& text :
       {std::string(), std::string("a\0b", 3), std::string(15, 'x'), std::string(16, 'y'),
        std::string(300, 'z')}) {
    ShortString held(text);
    const ShortString copy = held;
    EXPECT_EQ(held.view(), text);
    ShortString moved = std::move(held);
    EXPECT_EQ(moved.view(), text);
    EXPECT_EQ(held.view(), "");
    held = ShortString(std::string(20, 'q'));
    moved = held;
    held = ShortString("r");
    EXPECT_EQ(moved.view(), std::string(20, 'q'));
    EXPECT_EQ(held.view(), "r");
    EXPECT_TRUE(copy == ShortString(text));
    EXPECT_EQ(copy.view(), text) << text.size();
  }
}

}  // namespace
