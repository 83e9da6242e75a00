// Frames: how messages travel on a server connection. Each frame is a 4-byte big-endian
// length (of what follows), a kind byte and the payload; a MESSAGE frame carries one
// BER-encoded Message. FrameDecoder cuts a byte stream into frames and refuses, before
// buffering anything more, a frame that claims more than the limit.
#ifndef HVX_SRC_NET_FRAME_H_
#define HVX_SRC_NET_FRAME_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hvx::net {

enum class FrameKind : std::uint8_t {
  hello = 1,    // client to server: "<role>\n<token>"
  welcome = 2,  // server to client: "<application number>\n<system name>"
  refused = 3,  // server to client, then the server closes: why
  message = 4,  // a BER-encoded Message, either way
  // An operation of the server's own (raising an alarm) and, back, its outcome:
  // "<verb>\n<argument>..." out, "ok <result>" or "error <why>" back.
  control = 5,
};

struct Frame {
  FrameKind kind = FrameKind::message;
  std::string payload;
};

// Larger than any reply the topology database sends; a peer that claims more is wrong.
inline constexpr std::size_t kMaxFramePayload = 16u << 20;
inline constexpr std::size_t kFrameHeader = 5;

std::string encode_frame(FrameKind kind, std::string_view payload);
// Appends the frame to `out` without building a temporary.
void append_frame(std::string& out, FrameKind kind, std::string_view payload);

class FrameDecoder {
 public:
  enum class Result { frame, need_more, bad };

  void feed(const char* bytes, std::size_t size) { buffer_.append(bytes, size); }
  // The next whole frame, need_more, or bad (with `error` saying why); after bad the
  // stream cannot be trusted and every later call is bad too.
  Result next(Frame& out, std::string& error);
  // Bytes received but not yet cut into frames.
  std::size_t pending() const { return buffer_.size() - start_; }

 private:
  std::string buffer_;
  std::size_t start_ = 0;
  std::string failure_;
};

}  // namespace hvx::net

#endif  // HVX_SRC_NET_FRAME_H_
