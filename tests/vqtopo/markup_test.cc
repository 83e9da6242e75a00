// Names go into XML and DOT as they are typed: whatever they hold must not end the
// attribute or element they are written into.
#include <gtest/gtest.h>

#include "markup.h"

namespace {

TEST(Markup, XmlEscapesWhatWouldEndAnAttributeOrElement) {
  EXPECT_EQ(xml_escape(R"(a<b>&"c'd)"), "a&lt;b&gt;&amp;&quot;c&apos;d");
  // XML 1.0 cannot hold these at all, not even as references.
  EXPECT_EQ(xml_escape(std::string("x\x01y\x1fz\tw\n", 8)), "xyz\tw\n");
  EXPECT_EQ(xml_escape("caf\xc3\xa9"), "caf\xc3\xa9");
}

TEST(Markup, DotEscapesWhatWouldEndAString) {
  EXPECT_EQ(dot_escape(R"(say "hi" \ bye)"), R"(say \"hi\" \\ bye)");
  EXPECT_EQ(dot_escape("two\r\nlines"), "two\\nlines");
}

}  // namespace
