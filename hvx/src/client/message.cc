#include "hvx/message.h"

#include <atomic>
#include <cstdint>
#include <limits>
#include <ostream>

#include "hvx/asn1_reader.h"
#include "hvx/ber.h"

namespace hvx {

int Message::base_type() const {
  if (type_ >= EVENT_REPORT && type_ <= DERIVE_REQUEST) return INVOKE;
  if (type_ >= ACTION_RESULT && type_ <= DERIVE_RESULT) return RESULT;
  if (type_ == ERROR_REPLY) return ERROR;
  return 0;
}

namespace {

constexpr unsigned kErrorTag = Message::FIELD_COUNT;  // [11] SEQUENCE { code, text }

bool known_type(long type) {
  return (type >= Message::EVENT_REPORT && type <= Message::DERIVE_REQUEST) ||
         (type >= Message::ACTION_RESULT && type <= Message::DERIVE_RESULT) ||
         type == Message::ERROR_REPLY;
}

}  // namespace

namespace {

// Identifier and length octets of a constructed value with a tag number below 31.
void append_header(std::string& out, unsigned char identifier, size_t length) {
  out.push_back(static_cast<char>(identifier));
  ber::append_length(out, length);
}

// Octets of the identifier (tag number below 31) and definite length of `length` octets.
std::size_t header_size(std::size_t length) {
  std::size_t size = 2;
  if (length >= 0x80) {
    for (std::size_t n = length; n != 0; n >>= 8) ++size;
  }
  return size;
}

// [n] EXPLICIT around a value, written straight out: a large field is not copied to be
// wrapped.
void append_explicit(std::string& out, unsigned number, const Asn1Value& value) {
  append_header(out, static_cast<unsigned char>(0xa0 | number), value.encoded_size());
  value.encode_to(out);
}

void append_explicit(std::string& out, unsigned number, const DataUnit& ber) {
  append_header(out, static_cast<unsigned char>(0xa0 | number), ber.size());
  out.append(ber.data(), ber.size());
}

// Where a top-level component of a PDU lies, and the one value inside an explicit field.
struct Slice {
  std::size_t offset = 0;
  std::size_t end = 0;
  std::size_t content = 0;
  Asn1Tag tag;
  bool constructed = false;
  std::size_t inner = 0;  // offset of the first value one level down
  int inner_count = 0;    // values one level down
};

constexpr int kMostComponents = 3 + Message::FIELD_COUNT;
using Slices = std::array<Slice, kMostComponents>;

// The header of a value with a one-octet identifier and a definite length of at most four
// octets at `p`: false when the value has another form or runs past `limit`.
bool plain_header(std::string_view bytes, std::size_t p, std::size_t limit,
                  unsigned char& identifier, std::size_t& content, std::size_t& end) {
  if (limit - p < 2) return false;
  identifier = static_cast<unsigned char>(bytes[p]);
  if ((identifier & 0x1f) == 0x1f || (identifier & 0xdf) == 0) return false;
  std::size_t length = static_cast<unsigned char>(bytes[p + 1]);
  std::size_t q = p + 2;
  if (length >= 0x80) {
    const std::size_t count = length & 0x7f;
    if (count == 0 || count > 4 || limit - q < count) return false;
    length = 0;
    for (std::size_t k = 0; k < count; ++k) length = (length << 8) | static_cast<unsigned char>(bytes[q++]);
  }
  if (length > limit - q) return false;
  content = q;
  end = q + length;
  return true;
}

// Whether every value from `p` to `limit`, at `depth` and below, has that form and lies no
// deeper than the reader allows: then the reader accepts them all.
bool plain_values(std::string_view bytes, std::size_t p, std::size_t limit, int depth) {
  while (p < limit) {
    unsigned char identifier = 0;
    std::size_t content = 0;
    std::size_t end = 0;
    if (depth >= Asn1Reader::kMaxDepth || !plain_header(bytes, p, limit, identifier, content, end)) {
      return false;
    }
    if ((identifier & 0x20) != 0 && !plain_values(bytes, content, end, depth + 1)) return false;
    p = end;
  }
  return true;
}

// The top-level components of a PDU whose values all have the plain form, each checked
// whole on the way; false when any has another form (the reader then decides).
bool plain_slices(std::string_view bytes, Slices& top, int& count) {
  unsigned char identifier = 0;
  std::size_t content = 0;
  std::size_t end = 0;
  if (!plain_header(bytes, 0, bytes.size(), identifier, content, end) || identifier != 0x30 ||
      end != bytes.size()) {
    return false;
  }
  for (std::size_t p = content; p < end;) {
    if (count == kMostComponents) return false;
    Slice& slice = top[count++];
    unsigned char id = 0;
    if (!plain_header(bytes, p, end, id, slice.content, slice.end)) return false;
    slice.offset = p;
    slice.tag = Asn1Tag(id >> 6, id & 0x1f);
    slice.constructed = (id & 0x20) != 0;
    for (std::size_t q = slice.content; slice.constructed && q < slice.end;) {
      unsigned char inner = 0;
      std::size_t inner_content = 0;
      std::size_t inner_end = 0;
      if (!plain_header(bytes, q, slice.end, inner, inner_content, inner_end) ||
          ((inner & 0x20) != 0 && !plain_values(bytes, inner_content, inner_end, 3))) {
        return false;
      }
      if (slice.inner_count++ == 0) slice.inner = q;
      q = inner_end;
    }
    p = slice.end;
  }
  return true;
}

// The same through the reader, which takes every form and checks every value.
bool reader_slices(std::string_view bytes, Slices& top, int& count) {
  Asn1Reader reader(bytes, /*one_value=*/true);
  while (reader.next()) {
    const int depth = reader.depth();
    if (depth == 0) {
      if (!(reader.tag() == TAG_SEQ) || !reader.is_constructed() || reader.is_indefinite()) {
        return false;
      }
    } else if (depth == 1) {
      if (count == kMostComponents || reader.is_indefinite()) return false;
      Slice& slice = top[count++];
      slice.offset = reader.offset();
      slice.content = reader.content_offset();
      slice.end = slice.content + reader.content_length();
      slice.tag = reader.tag();
      slice.constructed = reader.is_constructed();
    } else if (depth == 2 && top[count - 1].inner_count++ == 0) {
      top[count - 1].inner = reader.offset();
    }
  }
  return reader.status().ok() && reader.position() == bytes.size();
}

// The number in a primitive INTEGER, ENUMERATED or implicitly tagged value, as the value
// decoder reads it: redundant leading octets allowed, at most a long's worth after them.
bool read_long(const DataUnit& ber, const Slice& slice, std::size_t content_offset, long& out) {
  const std::string_view c = ber.view().substr(content_offset, slice.end - content_offset);
  if (slice.constructed || c.empty() ||
      (slice.tag.is_universal() && !(slice.tag == TAG_INT) && !(slice.tag == TAG_ENUM))) {
    return false;
  }
  const auto octet = [&c](std::size_t i) { return static_cast<unsigned char>(c[i]); };
  std::size_t i = 0;
  while (c.size() - i > 1 && ((octet(i) == 0x00 && !(octet(i + 1) & 0x80)) ||
                              (octet(i) == 0xff && (octet(i + 1) & 0x80)))) {
    ++i;
  }
  if (c.size() - i > sizeof(long)) return false;
  std::uint64_t bits = (octet(i) & 0x80) ? ~std::uint64_t{0} : 0;
  for (; i < c.size(); ++i) bits = (bits << 8) | octet(i);
  out = static_cast<long>(bits);
  return true;
}

}  // namespace

// Message ::= SEQUENCE { type INTEGER, invokeId INTEGER, linkedId INTEGER,
//                        [n] EXPLICIT field n ... (ascending n), [11] error OPTIONAL }
// Written straight to bytes rather than through a value tree: every request, reply and
// notification passes here, and the tree would copy each field once more.
DataUnit Message::encode() const {
  Asn1Value error;
  if (error_code_ != ErrorCode::none || !error_string_.empty()) {
    error = ber::sequence();
    error.add_component(ber::integer(static_cast<long>(error_code_)));
    error.add_component(ber::octets(error_string_));
  }
  const Asn1Value numbers[] = {ber::integer(type_), ber::integer(id_), ber::integer(linked_id_)};
  // The body's size first, so that a large field is copied once, straight into the PDU.
  const auto wrapped = [](std::size_t length) { return header_size(length) + length; };
  std::size_t body = 0;
  for (const Asn1Value& number : numbers) body += number.encoded_size();
  for (int field = 0; field < FIELD_COUNT; ++field) {
    if (!encoded_[field].empty()) {
      body += wrapped(encoded_[field].size());
    } else if (!fields_[field].is_null()) {
      body += wrapped(fields_[field].encoded_size());
    }
  }
  if (!error.is_null()) body += wrapped(error.encoded_size());
  std::string pdu;
  pdu.reserve(wrapped(body));
  append_header(pdu, 0x30, body);
  for (const Asn1Value& number : numbers) number.encode_to(pdu);
  for (int field = 0; field < FIELD_COUNT; ++field) {
    if (!encoded_[field].empty()) {
      append_explicit(pdu, static_cast<unsigned>(field), encoded_[field]);
    } else if (!fields_[field].is_null()) {
      append_explicit(pdu, static_cast<unsigned>(field), fields_[field]);
    }
  }
  if (!error.is_null()) append_explicit(pdu, kErrorTag, error);
  return DataUnit(std::move(pdu));
}

const Asn1Value& Message::get(Field field) const {
  Asn1Value& value = fields_[field];
  if (value.is_null() && !encoded_[field].empty()) {
    Asn1Value decoded;
    if (Asn1Value::decode(encoded_[field], decoded).ok()) value = std::move(decoded);
  }
  return value;
}

DataUnit Message::encoded(Field field) const {
  if (!encoded_[field].empty()) return encoded_[field];
  return fields_[field].encode();
}

Status Message::decode(const DataUnit& ber_bytes, Message& out) {
  if (decode_sliced(ber_bytes, out)) return Status::OK();
  return decode_tree(ber_bytes, out);
}

// Replies carry large fields: one walk over the bytes checks them as the value decoder
// would, without building a value that the reader of the field may never want.
bool Message::decode_sliced(const DataUnit& ber_bytes, Message& out) {
  if (ber_bytes.empty() || ber_bytes.size() > std::numeric_limits<std::int32_t>::max()) return false;
  Slices top{};
  int count = 0;
  if (!plain_slices(ber_bytes.view(), top, count)) {
    top = Slices{};
    count = 0;
    if (!reader_slices(ber_bytes.view(), top, count)) return false;
  }
  if (count < 3) return false;
  Message message;
  long type = 0;
  if (!read_long(ber_bytes, top[0], top[0].content, type) || !known_type(type) ||
      !read_long(ber_bytes, top[1], top[1].content, message.id_) ||
      !read_long(ber_bytes, top[2], top[2].content, message.linked_id_)) {
    return false;
  }
  message.type_ = static_cast<int>(type);
  int next_field = 0;
  for (int k = 3; k < count; ++k) {
    const Slice& slice = top[k];
    const unsigned number = slice.tag.number();
    // The error field, and anything out of form, go the value decoder's way.
    if (slice.tag.tag_class() != Asn1Tag::CONTEXT || !slice.constructed ||
        slice.inner_count != 1 || number >= static_cast<unsigned>(FIELD_COUNT) ||
        static_cast<int>(number) < next_field) {
      return false;
    }
    message.encoded_[number] = ber_bytes.slice(slice.inner, slice.end - slice.inner);
    next_field = static_cast<int>(number) + 1;
  }
  out = std::move(message);
  return true;
}

Status Message::decode_tree(const DataUnit& ber_bytes, Message& out) {
  Asn1Value pdu;
  size_t consumed = 0;
  Status status = Asn1Value::decode(ber_bytes, pdu, &consumed);
  if (!status.ok()) return status;
  if (consumed != ber_bytes.size()) return Status::ProtocolError("message: trailing bytes");
  if (!(pdu.tag() == TAG_SEQ) || pdu.num_comps() < 3) {
    return Status::ProtocolError("message: not a SEQUENCE of at least three components");
  }
  Message message;
  long type = 0;
  Asn1Value component = pdu.first_component();
  if (!component.decode_int(type) || !known_type(type)) {
    return Status::ProtocolError("message: bad message type");
  }
  message.type_ = static_cast<int>(type);
  component = component.next_component();
  if (!component.decode_int(message.id_)) return Status::ProtocolError("message: bad invoke id");
  component = component.next_component();
  if (!component.decode_int(message.linked_id_))
    return Status::ProtocolError("message: bad linked id");
  int next_field = 0;
  for (component = component.next_component(); !component.is_null();
       component = component.next_component()) {
    unsigned number = 0;
    Asn1Value inner;
    if (!ber::explicit_content(component, number, inner) || static_cast<int>(number) < next_field) {
      return Status::ProtocolError("message: misplaced or malformed field");
    }
    if (number == kErrorTag) {
      long code = 0;
      DataUnit text;
      if (inner.num_comps() != 2 || !(inner.tag() == TAG_SEQ) ||
          !inner.first_component().decode_int(code) || code < 0 ||
          code > static_cast<long>(ErrorCode::injected_failure) ||
          !inner.first_component().next_component().decode_octets(text)) {
        return Status::ProtocolError("message: malformed error");
      }
      message.error_code_ = static_cast<ErrorCode>(code);
      message.error_string_ = text.str();
      next_field = kErrorTag + 1;
      continue;
    }
    if (number >= static_cast<unsigned>(FIELD_COUNT))
      return Status::ProtocolError("message: unknown field");
    message.fields_[number] = inner;
    next_field = static_cast<int>(number) + 1;
  }
  out = std::move(message);
  return Status::OK();
}

bool Message::operator==(const Message& other) const {
  if (type_ != other.type_ || id_ != other.id_ || linked_id_ != other.linked_id_ ||
      error_code_ != other.error_code_ || error_string_ != other.error_string_) {
    return false;
  }
  for (int field = 0; field < FIELD_COUNT; ++field) {
    const auto f = static_cast<Field>(field);
    if (!(get(f) == other.get(f))) return false;
  }
  return true;
}

std::ostream& operator<<(std::ostream& out, const Message& message) {
  out << "Message(type " << message.type() << ", id " << message.id() << ", linked "
      << message.linked_id();
  for (int field = 0; field < Message::FIELD_COUNT; ++field) {
    const auto f = static_cast<Message::Field>(field);
    if (message.has(f)) out << ", [" << field << "] " << message.get(f);
  }
  if (message.error_code() != ErrorCode::none) out << ", error " << message.error_string();
  return out << ")";
}

long MessageSAP::new_id() {
  static std::atomic<long> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace hvx
