#include "hvx/message.h"

#include <gtest/gtest.h>

#include <tuple>

#include "hvx/ber.h"
#include "hvx/event.h"
#include "hvx/names.h"
#include "hvx/testing.h"
#include "platform_fixture.h"
#include "support/asn1_values.h"
#include "support/printed.h"

namespace {

using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Message;
using vq_testing::seq;
namespace ber = hvx::ber;

// Every malformed form is refused with a reason, never accepted or crashed on.
TEST(MessageCodec, RefusesMalformedMessages) {
  using ber::integer;
  auto encoded = [](std::initializer_list<Asn1Value> parts) { return seq(parts).encode(); };
  const DataUnit cases[] = {
      DataUnit(),
      DataUnit("\x30\x03\x02\x01", 4),
      integer(3).encode(),
      encoded({integer(3), integer(1)}),
      encoded({integer(99), integer(1), integer(0)}),
      encoded({integer(3), ber::octets("x"), integer(0)}),
      encoded({integer(3), integer(1), integer(0), integer(4)}),
      encoded({integer(3), integer(1), integer(0), ber::explicit_tagged(integer(1), 5),
               ber::explicit_tagged(integer(1), 2)}),
      encoded({integer(3), integer(1), integer(0), ber::explicit_tagged(integer(1), 40)}),
      encoded({integer(20), integer(1), integer(0), ber::explicit_tagged(integer(1), 11)}),
      DataUnit::catenate(encoded({integer(3), integer(1), integer(0)}), "x"),
  };
  for (const DataUnit& bytes : cases) {
    Message out;
    const hvx::Status status = Message::decode(bytes, out);
    EXPECT_FALSE(status.ok()) << bytes;
    EXPECT_FALSE(status.message().empty());
  }
}

// Message fields held as BER: sent as given, received as slices of the PDU, made into
// values only when read, and checked whole when the PDU is decoded.
Asn1Value fifty_entries() {
  Asn1Value set = ber::set();
  for (int i = 0; i < 50; ++i) {
    set.add_component(
        seq({ber::integer(i * 1000), ber::octets(std::string(static_cast<std::size_t>(i), 'x'))}));
  }
  return set;
}

Message reply() {
  Message message(Message::ACTION_RESULT);
  message.set_id(9);
  message.set_linked_id(9);
  message.set_action_type(
      ber::oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.40.9.9"), hvx::Asn1Tag(hvx::Asn1Tag::CONTEXT, 2)));
  return message;
}

// reply() with `info` as an indefinite-length field, [6] { info } then end-of-contents;
// with the action type or without.
std::string indefinite_reply(const Asn1Value& info, bool with_type) {
  std::string body = ber::integer(Message::ACTION_RESULT).encode().str() +
                     ber::integer(9).encode().str() + ber::integer(9).encode().str();
  if (with_type) body += ber::explicit_tagged(reply().get_action_type(), 5).encode().str();
  body += "\xa6\x80" + info.encode().str() + std::string(2, '\0');
  std::string pdu = "\x30\x82";
  pdu += static_cast<char>(body.size() >> 8);
  pdu += static_cast<char>(body.size() & 0xff);
  return pdu + body;
}

TEST(MessageFields, EncodedFieldTravelsAsItsValueWould) {
  Message as_value = reply();
  as_value.set_action_info(fifty_entries());
  Message as_bytes = reply();
  as_bytes.set_encoded(Message::INFO, fifty_entries().encode());
  EXPECT_TRUE(as_bytes.has(Message::INFO));
  EXPECT_EQ(as_bytes.encode(), as_value.encode());
  EXPECT_EQ(as_bytes.get_result_info(), fifty_entries());
  EXPECT_EQ(as_bytes, as_value);

  // Received, the field is the slice of the PDU that holds it, and reads as the value.
  Message back;
  ASSERT_TRUE(Message::decode(as_bytes.encode(), back).ok());
  EXPECT_EQ(back.encoded(Message::INFO), fifty_entries().encode());
  EXPECT_EQ(back.encoded(Message::ACTION_TYPE), as_value.get_action_type().encode());
  EXPECT_EQ(back.get_result_info(), fifty_entries());
  EXPECT_EQ(back, as_value);
  EXPECT_TRUE(back.encoded(Message::OBJECT_CLASS).empty());

  back.set_action_info(ber::integer(4));
  EXPECT_EQ(back.encoded(Message::INFO), ber::integer(4).encode());
  Message again;
  ASSERT_TRUE(Message::decode(back.encode(), again).ok());
  EXPECT_EQ(again.get_result_info(), ber::integer(4));
}

// A PDU is refused when any value in it is malformed, however deep, as the value decoder
// refuses it; forms the one walk leaves to the value decoder still decode.
TEST(MessageFields, DecodingChecksTheWholePdu) {
  Message message = reply();
  message.set_action_info(fifty_entries());
  const std::string good = message.encode().str();
  // The last entry's OCTET STRING claims one octet more than its SET holds.
  std::string deep = good;
  const std::size_t last = deep.rfind(std::string(49, 'x'));
  ASSERT_NE(last, std::string::npos);
  deep[last - 1] = static_cast<char>(50);
  Message out;
  EXPECT_FALSE(Message::decode(DataUnit(deep), out).ok());

  // The same message with an indefinite-length field.
  Message decoded;
  ASSERT_TRUE(Message::decode(DataUnit(indefinite_reply(fifty_entries(), true)), decoded).ok());
  EXPECT_EQ(decoded, message);
  EXPECT_EQ(decoded.encoded(Message::INFO), fifty_entries().encode());
}

// Values may lie 63 levels down in a PDU and no deeper, whichever way the PDU is checked:
// with short lengths only, or with an indefinite one the reader must take.
TEST(MessageFields, NestingLimitHoldsEitherWay) {
  for (const bool indefinite : {false, true}) {
    for (const int levels : {61, 62}) {
      SCOPED_TRACE(std::to_string(levels) + (indefinite ? " indefinite" : ""));
      // SEQUENCE (0), [6] (1), then the information (2) with `levels` around an INTEGER.
      Asn1Value nested = ber::integer(1);
      for (int k = 0; k < levels; ++k) nested = seq({nested});
      Message message = reply();
      message.set_action_info(nested);
      // An indefinite field: only the reader reads it.
      const std::string pdu = indefinite ? indefinite_reply(nested, false) : message.encode().str();
      Message out;
      EXPECT_EQ(Message::decode(DataUnit(pdu), out).ok(), levels == 61);
    }
  }
}

class RawServiceTest : public hvx_testing::PlatformTest {
 protected:
  static Message view_children_request() {
    return hvx_testing::node_db_action("/systemId=name:\"L\"/topoNodeDBId=NULL", "9.9");
  }
};

TEST_F(RawServiceTest, ErrorAndLostRepliesEndTheExchange) {
  hvx_testing::Exchange refused;
  ASSERT_TRUE(refused.run(platform_, view_children_request(), 10));
  ASSERT_EQ(refused.replies.size(), 1u);
  EXPECT_EQ(refused.replies[0].type(), Message::ERROR_REPLY);
  EXPECT_EQ(refused.replies[0].base_type(), Message::ERROR);
  EXPECT_EQ(refused.replies[0].linked_id(), 0);

  install_plan().drop_reply(1);
  hvx_testing::Exchange lost;
  ASSERT_TRUE(lost.run(platform_, view_children_request(), 10, 10));
  EXPECT_EQ(lost.replies.back().error_code(), hvx::ErrorCode::timeout);
  EXPECT_FALSE(lost.run(platform_, Message(Message::GET_RESULT), 1));
}

// A change is notified with the attributes changed, then for each the attribute, its old
// value and its new one; the old value is NULL where there was none.
TEST_F(RawServiceTest, ChangesCarryTheOldValueOrNull) {
  hvx::EventRecorder recorder(platform_);
  EXPECT_FALSE(
      platform_.when("OTHER_EVENT", hvx::Callback(&hvx_testing::Exchange::on_reply, nullptr)));
  ASSERT_TRUE(make_type("A"));
  hvx::Image type("topoTypeDBId=NULL/topoTypeId=\"A\"", "topoType", platform_);
  ASSERT_TRUE(type.set_str("topoTypeDefaultLayer", "x") && type.store());
  // The connection manager holds no registrations before the first.
  hvx::Image manager("subsystemId=\"VQ-MIS\"/connectMgrId=\"ConnectMgr\"", "", platform_);
  ASSERT_TRUE(manager.call("registerConnection", "{\"L\",1}").has_value())
      << manager.get_error_string();
  platform_.dispatch_recursive(true);
  ASSERT_EQ(recorder.events().size(), 3u);
  // topoTypeDefaultLayer (.40.7.34) from "" to "x"; the registrations from NULL.
  EXPECT_EQ(vq_testing::printed(recorder.events()[1].get_message().get_event_info()),
            "SEQUENCE { [1] '01'H, [2] { OBJECT IDENTIFIER 1.3.6.1.4.1.7351.2.2.2.40.7.34 }, [3] { "
            "SEQUENCE { OBJECT IDENTIFIER 1.3.6.1.4.1.7351.2.2.2.40.7.34, GraphicString \"\", "
            "GraphicString \"x\" } } }");
  EXPECT_EQ(vq_testing::printed(recorder.events()[2].get_message().get_event_info()),
            "SEQUENCE { [1] '01'H, [2] { OBJECT IDENTIFIER 1.3.6.1.4.1.7351.2.2.2.201.7.6 }, [3] { "
            "SEQUENCE { OBJECT IDENTIFIER 1.3.6.1.4.1.7351.2.2.2.201.7.6, NULL, SET { SEQUENCE { "
            "GraphicString \"L\", INTEGER 1 } } } } }");
}

// The server answers every malformed request with an error reply naming what is wrong.
TEST_F(RawServiceTest, MalformedRequestsGetErrorRepliesWithTheirCodes) {
  const hvx::Asn1Tag context0(hvx::Asn1Tag::CONTEXT, 0), context2(hvx::Asn1Tag::CONTEXT, 2);
  const Asn1Value db =
      ber::retagged(hvx::fdn2oi("/systemId=name:\"L\"/topoNodeDBId=NULL"), context2);
  const Asn1Value missing =
      ber::retagged(hvx::fdn2oi("/systemId=name:\"L\"/topoNodeDBId=NULL/topoNodeId=77"), context2);
  const Asn1Value node_db_class = ber::oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.40.3.2"), context0);
  using enum Message::Type;
  using enum Message::Field;
  auto request = [&](Message::Type type,
                     std::initializer_list<std::pair<Message::Field, Asn1Value>> fields) {
    Message message(type);
    for (const auto& [field, value] : fields) message.set(field, value);
    return message;
  };
  const Asn1Value foreign_ids =
      vq_testing::set({ber::oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.40.7.12"))});
  const std::tuple<Message, const char*> cases[] = {
      {request(GET_REQUEST, {}), "noSuchObjectInstance: no object instance"},
      {request(CREATE_REQUEST, {{OBJECT_CLASS, node_db_class}}),
       "invalidArgumentValue: a create needs a name or a superior"},
      {request(GET_REQUEST, {{OBJECT_INSTANCE, ber::integer(3, context2)}}),
       "invalidArgumentValue: malformed object instance"},
      {request(GET_REQUEST, {{OBJECT_INSTANCE, missing}}),
       "noSuchObjectInstance: topoNodeDBId=NULL/topoNodeId=77"},
      {request(GET_REQUEST, {{OBJECT_INSTANCE, db}, {ATTRIBUTE_IDS, ber::integer(1)}}),
       "invalidArgumentValue: malformed attribute list"},
      {request(GET_REQUEST, {{OBJECT_INSTANCE, db}, {ATTRIBUTE_IDS, foreign_ids}}),
       "noSuchAttribute: 1.3.6.1.4.1.7351.2.2.2.40.7.12"},
      {request(SET_REQUEST, {{OBJECT_INSTANCE, db}, {MODIFICATIONS, ber::integer(1)}}),
       "invalidArgumentValue: malformed modification list"},
      {request(CREATE_REQUEST, {{OBJECT_INSTANCE, missing}}), "noSuchObjectClass: no object class"},
      {request(CREATE_REQUEST,
               {{OBJECT_INSTANCE, missing}, {OBJECT_CLASS, ber::oid(hvx::Oid("1.2.3"), context0)}}),
       "noSuchObjectClass: 1.2.3"},
      {request(CREATE_REQUEST, {{OBJECT_INSTANCE, missing},
                                {OBJECT_CLASS, node_db_class},
                                {ATTRIBUTES, ber::integer(1)}}),
       "invalidArgumentValue: malformed attribute list"},
      {request(DELETE_REQUEST, {{OBJECT_INSTANCE, missing}}),
       "noSuchObjectInstance: topoNodeDBId=NULL/topoNodeId=77"},
      {request(DERIVE_REQUEST, {{OBJECT_INSTANCE, missing}}),
       "noSuchObjectInstance: topoNodeDBId=NULL/topoNodeId=77"},
      {request(DERIVE_REQUEST, {{OBJECT_INSTANCE, db}, {ATTRIBUTE_IDS, ber::integer(1)}}),
       "invalidArgumentValue: malformed attribute list"},
      {request(ACTION_REQUEST, {{OBJECT_INSTANCE, db}}), "noSuchAction: no action type"},
      {request(ACTION_REQUEST,
               {{OBJECT_INSTANCE, db},
                {ACTION_TYPE, ber::oid(hvx::Oid("1.3.6.1.4.1.7351.2.2.2.201.9.1"), context2)}}),
       "noSuchAction: 1.3.6.1.4.1.7351.2.2.2.201.9.1"},
  };
  for (const auto& [request, error] : cases) {
    Message message = request;
    message.set_id(hvx::MessageSAP::new_id());
    hvx_testing::Exchange exchange;
    ASSERT_TRUE(exchange.run(platform_, message, 10)) << error;
    ASSERT_EQ(exchange.replies.size(), 1u) << error;
    EXPECT_EQ(exchange.replies[0].error_string(), error);
  }
}

TEST_F(RawServiceTest, PropertiesNameTheSystemAndTheApplication) {
  EXPECT_EQ(platform_.get_prop("PLATFORM_OBJNAME").str(), "/systemId=name:\"L\"");
  hvx::Platform second = world_->connect();
  const std::string first_app = platform_.get_prop("APPLICATION_OBJNAME").str();
  const std::string second_app = second.get_prop("APPLICATION_OBJNAME").str();
  EXPECT_EQ(first_app.substr(first_app.rfind('=')), "=1");
  EXPECT_EQ(second_app.substr(second_app.rfind('=')), "=2");
  EXPECT_TRUE(platform_.get_prop("NO_SUCH").empty());
  EXPECT_STRNE(platform_.get_error_string(), "");
}

// Pre-loading a class's metadata succeeds for every class the catalogue holds, by its
// qualified or short name, and fails with the name for any other.
TEST_F(RawServiceTest, PrecacheClassMdrKnowsTheCatalogueClasses) {
  for (const char* known : {"\"VQ Topology\":topoNode", "\"VQ Topology\":topoViewNode",
                            "\"VQ Topology\":topoView", "\"VQ Topology\":topoType", "topoNodeDB"}) {
    EXPECT_TRUE(platform_.precache_class_mdr(known)) << known;
    EXPECT_STREQ(platform_.get_error_string(), "");
  }
  EXPECT_FALSE(platform_.precache_class_mdr("noSuchClass"));
  EXPECT_STREQ(platform_.get_error_string(), "noSuchObjectClass: noSuchClass");
  EXPECT_FALSE(platform_.precache_class_mdr("\"Other Document\":topoNode"));
}

}  // namespace
