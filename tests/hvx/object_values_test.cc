// Values shared between objects stay each object's own: a change to one never shows in
// another that held an equal value.
#include <gtest/gtest.h>

#include "hvx/ber.h"
#include "object_values.h"

namespace {

TEST(ObjectValues, SharedValuesChangeIndependently) {
  const hvx::Oid children("1.2.3.4");
  const hvx::Oid count("1.2.3.5");
  hvx::mis::ObjectValues first;
  hvx::mis::ObjectValues second;
  for (hvx::mis::ObjectValues* values : {&first, &second}) {
    (*values)[children] = hvx::ber::set();
    (*values)[count] = hvx::ber::integer(0);
    values->share_values();
  }
  ASSERT_TRUE(first[children].add_component(hvx::ber::integer(7)));
  first[count].encode_int(1);
  first.share_values();

  EXPECT_EQ(second[children].num_comps(), 0u);
  long number = -1;
  ASSERT_TRUE(second[count].decode_int(number));
  EXPECT_EQ(number, 0);
  EXPECT_EQ(first[children].num_comps(), 1u);
  // A third object filed later gets the common value, not the changed one.
  hvx::mis::ObjectValues third;
  third[children] = hvx::ber::set();
  third.share_values();
  EXPECT_EQ(third[children].num_comps(), 0u);
}

}  // namespace
