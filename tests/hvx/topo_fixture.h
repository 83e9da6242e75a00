// A world of three servers, L (local), B linked under L and C linked under B, each with its
// topology database, and helpers that reach them through the client objects as the
// topology library does.
#ifndef DEDAVUZ_TESTS_HVX_TOPO_FIXTURE_H_
#define DEDAVUZ_TESTS_HVX_TOPO_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hvx/asn1.h"
#include "hvx/event.h"
#include "hvx/image.h"
#include "hvx/morf.h"
#include "hvx/names.h"
#include "hvx/platform.h"
#include "hvx/testing.h"
#include "hvx/world.h"
#include "platform_fixture.h"

namespace hvx_testing {

class TopoTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    ASSERT_TRUE(world_->add_server("B"));
    ASSERT_TRUE(world_->add_server("C"));
    ASSERT_TRUE(world_->link("L", "B"));
    ASSERT_TRUE(world_->link("B", "C"));
    platform_.dispatch_recursive(false);
  }

  // How the local server names the objects of a system: L, B (L/B) or C (L/B/C).
  static std::string prefix(const std::string& system) {
    if (system == "B") return "/serverTableType=\"mis\"/misId=\"B\"/";
    if (system == "C") {
      return "/serverTableType=\"mis\"/misId=\"B\"/serverTableType=\"mis\"/misId=\"C\"/";
    }
    return "/systemId=name:\"" + system + "\"/";
  }
  static std::string node_name(long id, const std::string& system = "L") {
    return prefix(system) + "topoNodeDBId=NULL/topoNodeId=" + std::to_string(id);
  }
  // A constructed value of `tag` holding `components`.
  static hvx::Asn1Value of(hvx::Asn1Tag tag, std::initializer_list<hvx::Asn1Value> components) {
    hvx::Asn1Value value;
    value.start_construct(tag);
    for (const hvx::Asn1Value& component : components) value.add_component(component);
    return value;
  }
  // "{a,b}": value notation of a list whose elements are written out already.
  static std::string braced(const std::vector<std::string>& items) {
    std::string text = "{";
    for (const std::string& item : items) {
      if (text.size() > 1) text += ',';
      text += item;
    }
    text += '}';
    return text;
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

  hvx::Image node(long id, const std::string& system = "L") {
    return hvx::Image(hvx::DataUnit(node_name(id, system)), "topoNode", platform_);
  }
  hvx::Image object(const std::string& relative, const std::string& system = "L") {
    return hvx::Image(hvx::DataUnit(prefix(system) + relative), "", platform_);
  }

  // Creates a node inside the node database of `system` as the node handle does; its id,
  // or 0 with the refusal in last_error_. `more` are (attribute, value notation) pairs.
  long make_node(const std::string& name, const std::string& type, const std::vector<long>& parents,
                 const std::string& system = "L",
                 const std::vector<std::pair<std::string, std::string>>& more = {}) {
    hvx::Image image("NONE", "topoNode", platform_);
    if (!image.set_str("topoNodeName", hvx::DataUnit(name)) ||
        !image.set_str("topoNodeType", hvx::DataUnit(type)) ||
        !image.set_str("topoNodeParents", hvx::DataUnit(ids_text(parents)))) {
      last_error_ = image.get_error_string();
      return 0;
    }
    for (const auto& [attribute, text] : more) {
      if (!image.set_str(hvx::DataUnit(attribute), hvx::DataUnit(text))) {
        last_error_ = image.get_error_string();
        return 0;
      }
    }
    if (!image.create_within(hvx::DataUnit(prefix(system) + "topoNodeDBId=NULL"), hvx::Image())) {
      last_error_ = image.get_error_string();
      return 0;
    }
    const long id = image.get_long("topoNodeId");
    EXPECT_EQ(image.get_objname().str(), node_name(id, system)) << "the image takes the full name";
    return id;
  }

  // Stores one value (value notation) into an object; false with the refusal in last_error_.
  bool store(hvx::Image image, const std::string& attribute, const std::string& text,
             int mode = hvx::REPLACE) {
    if (!image.set_str(hvx::DataUnit(attribute), hvx::DataUnit(text), mode) || !image.store()) {
      last_error_ = image.get_error_string();
      return false;
    }
    return true;
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
  // A list of integers (node ids), element by element as the library splits them.
  std::vector<long> read_ids(hvx::Image image, const std::string& attribute) {
    std::vector<long> ids;
    for (const hvx::Morf& element : read(std::move(image), attribute).split_array()) {
      ids.push_back(element.get_long());
    }
    return ids;
  }
  std::vector<std::string> read_texts(hvx::Image image, const std::string& attribute) {
    std::vector<std::string> texts;
    for (const hvx::Morf& element : read(std::move(image), attribute).split_array()) {
      texts.push_back(element.get_str(0));
    }
    return texts;
  }
  long read_long(hvx::Image image, const std::string& attribute) {
    return read(std::move(image), attribute).get_long();
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
  bool exists(const std::string& relative, const std::string& system = "L") {
    hvx::Image image = object(relative, system);
    EXPECT_TRUE(image.boot(hvx::DUArray{})) << image.get_error_string();
    return image.exists();
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

  std::string last_error_;
};

}  // namespace hvx_testing

#endif  // DEDAVUZ_TESTS_HVX_TOPO_FIXTURE_H_
