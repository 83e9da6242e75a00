#include "topo/id_list.h"

#include <algorithm>
#include <utility>

namespace hvx::mis::topo {

IdList& IdList::operator=(const IdList& other) {
  if (this != &other) assign(other.ids());
  return *this;
}

IdList::IdList(IdList&& other) noexcept { *this = std::move(other); }

IdList& IdList::operator=(IdList&& other) noexcept {
  if (this == &other) return *this;
  release();
  size_ = other.size_;
  if (size_ <= 1) {
    one_ = other.one_;
  } else {
    many_ = other.many_;
  }
  other.size_ = 0;
  other.one_ = 0;
  return *this;
}

void IdList::release() {
  if (size_ > 1) delete[] many_;
  size_ = 0;
  one_ = 0;
}

void IdList::assign(std::span<const long> ids) {
  // `ids` may view this list itself.
  long* next = nullptr;
  if (ids.size() > 1) {
    next = new long[ids.size()];
    std::copy(ids.begin(), ids.end(), next);
  }
  const long single = ids.size() == 1 ? ids.front() : 0;
  release();
  size_ = static_cast<std::uint32_t>(ids.size());
  if (next != nullptr) {
    many_ = next;
  } else {
    one_ = single;
  }
}

void IdList::erase(long id) {
  if (size_ == 0) return;
  if (size_ == 1) {
    if (one_ == id) release();
    return;
  }
  long* const end = many_ + size_;
  long* const at = std::find(many_, end, id);
  if (at == end) return;
  std::copy(at + 1, end, at);
  if (--size_ == 1) {
    const long kept = many_[0];
    delete[] many_;
    one_ = kept;
  }
}

bool operator==(const IdList& a, const IdList& b) { return std::ranges::equal(a.ids(), b.ids()); }

}  // namespace hvx::mis::topo
