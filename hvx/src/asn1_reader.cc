#include "hvx/asn1_reader.h"

namespace hvx {

Asn1Reader::Asn1Reader(std::string_view bytes, bool one_value)
    : bytes_(bytes), one_value_(one_value) {}

bool Asn1Reader::fail(std::string_view what, std::size_t at) {
  status_ = Status::Error(std::string(what) + " at offset " + std::to_string(at));
  return false;
}

bool Asn1Reader::close_finished() { return true; }

bool Asn1Reader::next() { return false; }

}  // namespace hvx
