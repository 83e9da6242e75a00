// Message fields held as BER: sent as given, received as slices of the PDU, made into
// values only when read, and checked whole when the PDU is decoded.
#include <gtest/gtest.h>

#include <string>

#include "hvx/ber.h"
#include "hvx/message.h"

namespace {

using hvx::Asn1Value;
using hvx::DataUnit;
using hvx::Message;
namespace ber = hvx::ber;

Asn1Value info() {
  Asn1Value set = ber::set();
  for (int i = 0; i < 50; ++i) {
    Asn1Value entry = ber::sequence();
    entry.add_component(ber::integer(i * 1000));
    entry.add_component(ber::octets(std::string(static_cast<std::size_t>(i), 'x')));
    set.add_component(entry);
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
  as_value.set_action_info(info());
  Message as_bytes = reply();
  as_bytes.set_encoded(Message::INFO, info().encode());
  EXPECT_TRUE(as_bytes.has(Message::INFO));
  EXPECT_EQ(as_bytes.encode(), as_value.encode());
  EXPECT_EQ(as_bytes.get_result_info(), info());
  EXPECT_EQ(as_bytes, as_value);

  // Received, the field is the slice of the PDU that holds it, and reads as the value.
  Message back;
  ASSERT_TRUE(Message::decode(as_bytes.encode(), back).ok());
  EXPECT_EQ(back.encoded(Message::INFO), info().encode());
  EXPECT_EQ(back.encoded(Message::ACTION_TYPE), as_value.get_action_type().encode());
  EXPECT_EQ(back.get_result_info(), info());
  EXPECT_EQ(back, as_value);
  EXPECT_TRUE(back.encoded(Message::OBJECT_CLASS).empty());

  // Setting a value replaces the bytes.
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
  message.set_action_info(info());
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
  ASSERT_TRUE(Message::decode(DataUnit(indefinite_reply(info(), true)), decoded).ok());
  EXPECT_EQ(decoded, message);
  EXPECT_EQ(decoded.encoded(Message::INFO), info().encode());
}

// Values may lie 63 levels down in a PDU and no deeper, whichever way the PDU is checked:
// with short lengths only, or with an indefinite one the reader must take.
TEST(MessageFields, NestingLimitHoldsEitherWay) {
  for (const bool indefinite : {false, true}) {
    for (const int levels : {61, 62}) {
      SCOPED_TRACE(std::to_string(levels) + (indefinite ? " indefinite" : ""));
      // SEQUENCE (0), [6] (1), then the information (2) with `levels` around an INTEGER.
      Asn1Value nested = ber::integer(1);
      for (int k = 0; k < levels; ++k) {
        Asn1Value outer = ber::sequence();
        outer.add_component(nested);
        nested = outer;
      }
      Message message = reply();
      message.set_action_info(nested);
      // An indefinite field: only the reader reads it.
      const std::string pdu = indefinite ? indefinite_reply(nested, false) : message.encode().str();
      Message out;
      EXPECT_EQ(Message::decode(DataUnit(pdu), out).ok(), levels == 61);
    }
  }
}

}  // namespace
