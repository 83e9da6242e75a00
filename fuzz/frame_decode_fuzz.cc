// Arbitrary bytes as what a peer sends a server: the frame decoder must cut them into
// frames or refuse, never buffer past a frame's limit, and read the same frames however
// the bytes arrive.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frame.h"

namespace {

std::vector<hvx::net::Frame> frames_of(const uint8_t* data, size_t size, size_t step, bool& bad) {
  hvx::net::FrameDecoder decoder;
  std::vector<hvx::net::Frame> frames;
  bad = false;
  for (size_t at = 0; at < size && !bad; at += step) {
    decoder.feed(reinterpret_cast<const char*>(data) + at, std::min(step, size - at));
    hvx::net::Frame frame;
    std::string error;
    for (;;) {
      const auto result = decoder.next(frame, error);
      if (result == hvx::net::FrameDecoder::Result::frame) {
        if (frame.payload.size() > hvx::net::kMaxFramePayload) __builtin_trap();
        frames.push_back(frame);
        continue;
      }
      bad = result == hvx::net::FrameDecoder::Result::bad;
      if (bad && error.empty()) __builtin_trap();
      break;
    }
  }
  return frames;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bool bad_whole = false;
  bool bad_bytewise = false;
  const auto whole = frames_of(data, size, size == 0 ? 1 : size, bad_whole);
  const auto bytewise = frames_of(data, size, 1, bad_bytewise);
  if (bad_whole != bad_bytewise || whole.size() != bytewise.size()) __builtin_trap();
  for (size_t i = 0; i < whole.size(); ++i) {
    if (whole[i].kind != bytewise[i].kind || whole[i].payload != bytewise[i].payload) {
      __builtin_trap();
    }
    // What is decoded encodes back to the same bytes.
    const std::string again = hvx::net::encode_frame(whole[i].kind, whole[i].payload);
    if (again.size() != whole[i].payload.size() + hvx::net::kFrameHeader) __builtin_trap();
  }
  return 0;
}
