// How the server keeps its tree compactly: values held as encodings (some shared through
// the shape) read back as given, and names filed under escaped string keys keep name order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hvx/ber.h"
#include "object_values.h"
#include "schema.h"
#include "server.h"

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

}  // namespace
