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
    values->set(children, hvx::ber::set());
    values->set(count, hvx::ber::integer(0));
  }
  ASSERT_TRUE(first.append_component(children, hvx::ber::integer(7)));
  first.set(count, hvx::ber::integer(1));

  EXPECT_EQ(second.get(children)->num_comps(), 0u);
  long number = -1;
  ASSERT_TRUE(second.get(count)->decode_int(number));
  EXPECT_EQ(number, 0);
  EXPECT_EQ(first.get(children)->num_comps(), 1u);
}

}  // namespace
