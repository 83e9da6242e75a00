// A world of three servers, L (local), B linked under L and C linked under B, each with its
// topology database, and helpers that reach them through the client objects as the
// topology library does.
#ifndef DEDAVUZ_TESTS_HVX_TOPO_FIXTURE_H_
#define DEDAVUZ_TESTS_HVX_TOPO_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "platform_fixture.h"
#include "support/asn1_values.h"

namespace hvx_testing {

// (attribute, value notation) pairs.
using Values = std::vector<std::pair<std::string, std::string>>;

class TopoTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(world_->add_server("B") && world_->add_server("C"));
    ASSERT_TRUE(world_->link("L", "B") && world_->link("B", "C"));
    platform_.dispatch_recursive(false);
  }

  // How the local server names the objects of a system: L, B (L/B) or C (L/B/C).
  static std::string prefix(const std::string& system) {
    const std::string b = "/serverTableType=\"mis\"/misId=\"B\"/";
    if (system == "B") return b;
    if (system == "C") return b + "serverTableType=\"mis\"/misId=\"C\"/";
    return "/systemId=name:\"" + system + "\"/";
  }
  // "{a,b}": value notation of a list whose elements are written out already.
  static std::string braced(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
    return "{" + text + "}";
  }
  static std::string ids_text(const std::vector<long>& ids) {
    std::vector<std::string> items;
    for (const long id : ids) items.push_back(std::to_string(id));
    return braced(items);
  }
  // The string or integer in a value; "" or -1 when it holds none.
  static std::string text_of(const hvx::Asn1Value& value) {
    std::string text;
    value.decode_octets(text);
    return text;
  }
  static long long_of(const hvx::Asn1Value& value) {
    long number = -1;
    value.decode_int(number);
    return number;
  }
  // The elements of a list value, each read by `read` (text_of or long_of).
  template <typename Read>
  static auto elements(const hvx::Asn1Value& list, Read read) {
    std::vector<decltype(read(list))> out;
    for (hvx::Asn1Value item = list.first_component(); !item.is_null();
         item = item.next_component()) {
      out.push_back(read(item));
    }
    return out;
  }

  hvx::Image node(long id, const std::string& system = "L") {
    return hvx::Image(
        hvx::DataUnit(prefix(system) + "topoNodeDBId=NULL/topoNodeId=" + std::to_string(id)),
        "topoNode", platform_);
  }
  hvx::Image object(const std::string& relative, const std::string& system = "L") {
    return hvx::Image(hvx::DataUnit(prefix(system) + relative), "", platform_);
  }

  // Creates a node inside the node database of `system` as the node handle does; its id,
  // or 0 with the refusal in last_error_.
  long make_node(const std::string& name, const std::string& type, const std::vector<long>& parents,
                 const std::string& system = "L", Values more = {}) {
    hvx::Image image("NONE", "topoNode", platform_);
    more.insert(
        more.begin(),
        {{"topoNodeName", name}, {"topoNodeType", type}, {"topoNodeParents", ids_text(parents)}});
    for (const auto& [attribute, text] : more) {
      if (!image.set_str(hvx::DataUnit(attribute), hvx::DataUnit(text))) return refused(image);
    }
    if (!image.create_within(hvx::DataUnit(prefix(system) + "topoNodeDBId=NULL"), hvx::Image())) {
      return refused(image);
    }
    const long id = image.get_long("topoNodeId");
    EXPECT_EQ(image.get_objname(), node(id, system).get_objname())
        << "the image takes the full name";
    return id;
  }

  // Stores one value (value notation) into an object; false with the refusal in last_error_.
  bool store(hvx::Image image, const std::string& attribute, const std::string& text,
             int mode = hvx::REPLACE) {
    return (image.set_str(hvx::DataUnit(attribute), hvx::DataUnit(text), mode) && image.store()) ||
           refused(image);
  }
  bool store_node(long id, const std::string& attribute, const std::string& text,
                  const std::string& system = "L") {
    return store(node(id, system), attribute, text);
  }

  // An attribute of an object as the library reads it: the raw value.
  hvx::Morf read(hvx::Image image, const std::string& attribute) {
    EXPECT_TRUE(image.boot(hvx::DUArray{hvx::DataUnit(attribute)})) << image.get_error_string();
    EXPECT_TRUE(image.exists()) << image.get_objname().str();
    return image.get_raw(hvx::DataUnit(attribute));
  }
  std::vector<long> read_ids(hvx::Image image, const std::string& attribute) {
    return elements(read(std::move(image), attribute).get_value(), long_of);
  }
  // Each element's text as the library reads lists of strings or of structures.
  std::vector<std::string> read_texts(hvx::Image image, const std::string& attribute) {
    std::vector<std::string> texts;
    for (const hvx::Morf& item : read(std::move(image), attribute).split_array()) {
      texts.push_back(item.get_str(0));
    }
    return texts;
  }
  // Every attribute an object holds, "name=value" (in `format`) in the server's order.
  std::string whole(hvx::Image image, int format = 0) {
    EXPECT_TRUE(image.boot()) << image.get_error_string();
    EXPECT_TRUE(image.exists()) << image.get_objname().str();
    std::string text;
    for (const hvx::DataUnit& attribute : image.get_attr_names()) {
      if (!text.empty()) text += ", ";
      text += attribute.str() + "=" + image.get_str(attribute, format).str();
    }
    return text;
  }

  // Runs an action of the node database of `system` with an argument in value notation.
  hvx::Morf call(const std::string& action, const std::string& argument,
                 const std::string& system = "L") {
    hvx::Image db(hvx::DataUnit(prefix(system) + "topoNodeDBId=NULL"), "topoNodeDB", platform_);
    hvx::Morf reply = db.call(hvx::DataUnit(action), hvx::DataUnit(argument));
    last_error_ = db.get_error_string();
    return reply;
  }
  std::vector<long> call_ids(const std::string& action, const std::string& argument,
                             const std::string& system = "L") {
    return reply_ids(call(action, argument, system));
  }
  // The node ids of a query's reply, read as text as the library reads them.
  static std::vector<long> reply_ids(const hvx::Morf& reply) {
    std::vector<long> ids;
    for (const hvx::Morf& element : reply.split_array()) {
      ids.push_back(std::atol(element.get_str(0).c_str()));
    }
    return ids;
  }
};

}  // namespace hvx_testing

#endif  // DEDAVUZ_TESTS_HVX_TOPO_FIXTURE_H_
