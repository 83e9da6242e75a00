#include "frame.h"

namespace hvx::net {

void append_frame(std::string& out, FrameKind kind, std::string_view payload) {
  const auto length = static_cast<std::uint32_t>(payload.size() + 1);
  const char header[kFrameHeader] = {
      static_cast<char>(length >> 24), static_cast<char>(length >> 16),
      static_cast<char>(length >> 8), static_cast<char>(length), static_cast<char>(kind)};
  out.append(header, kFrameHeader);
  out.append(payload);
}

std::string encode_frame(FrameKind kind, std::string_view payload) {
  std::string out;
  out.reserve(kFrameHeader + payload.size());
  append_frame(out, kind, payload);
  return out;
}

FrameDecoder::Result FrameDecoder::next(Frame& out, std::string& error) {
  if (!failure_.empty()) {
    error = failure_;
    return Result::bad;
  }
  const std::size_t available = buffer_.size() - start_;
  if (available < 4) return Result::need_more;
  const auto* head = reinterpret_cast<const unsigned char*>(buffer_.data() + start_);
  const std::uint32_t length = (std::uint32_t{head[0]} << 24) | (std::uint32_t{head[1]} << 16) |
                               (std::uint32_t{head[2]} << 8) | std::uint32_t{head[3]};
  if (length == 0 || length > kMaxFramePayload + 1) {
    failure_ = "frame length " + std::to_string(length) + " is outside 1.." +
               std::to_string(kMaxFramePayload + 1);
  } else if (available >= kFrameHeader &&
             (head[4] < static_cast<unsigned char>(FrameKind::hello) ||
              head[4] > static_cast<unsigned char>(FrameKind::control))) {
    failure_ = "unknown frame kind " + std::to_string(head[4]);
  }
  if (!failure_.empty()) {
    buffer_.clear();
    start_ = 0;
    error = failure_;
    return Result::bad;
  }
  if (available < 4 + std::size_t{length}) return Result::need_more;
  out.kind = static_cast<FrameKind>(head[4]);
  out.payload.assign(buffer_, start_ + kFrameHeader, length - 1);
  start_ += 4 + std::size_t{length};
  // Drop what was consumed once it is most of the buffer, so the copy stays linear.
  if (start_ == buffer_.size()) {
    buffer_.clear();
    start_ = 0;
  } else if (start_ > 4096 && start_ * 2 > buffer_.size()) {
    buffer_.erase(0, start_);
    start_ = 0;
  }
  return Result::frame;
}

}  // namespace hvx::net
