// IdList: a short list of node ids that holds a single id inline, for the lists most nodes
// keep one entry in (a node's parents). It is set whole and loses ids one at a time.
#ifndef HVX_SRC_MIS_TOPO_ID_LIST_H_
#define HVX_SRC_MIS_TOPO_ID_LIST_H_

#include <cstdint>
#include <span>

namespace hvx::mis::topo {

class IdList {
 public:
  IdList() = default;
  explicit IdList(std::span<const long> ids) { assign(ids); }
  IdList(const IdList& other) : IdList(other.ids()) {}
  IdList& operator=(const IdList& other);
  IdList(IdList&& other) noexcept;
  IdList& operator=(IdList&& other) noexcept;
  ~IdList() { release(); }

  std::span<const long> ids() const { return {size_ <= 1 ? &one_ : many_, size_}; }
  bool empty() const { return size_ == 0; }

  void assign(std::span<const long> ids);
  // Removes the first occurrence of `id`, if any; the others keep their order.
  void erase(long id);

  friend bool operator==(const IdList& a, const IdList& b);

 private:
  void release();

  // Two or more ids live in an array of exactly the size they were assigned with; erasing
  // shifts them down in place until one is left, which moves back inline.
  union {
    long one_ = 0;
    long* many_;
  };
  std::uint32_t size_ = 0;
};

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_ID_LIST_H_
