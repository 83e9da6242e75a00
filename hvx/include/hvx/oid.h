// Oid: an object identifier, a sequence of at least two arcs of up to 64 bits each.
#ifndef HVX_OID_H_
#define HVX_OID_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

// An Oid is either a valid identifier (first arc 0, 1 or 2; second arc below 40 under 0 and
// 1, and under 2 small enough that 80 plus it fits 64 bits) or empty, which is invalid.
// Anything else given to a constructor gives the empty Oid.
class Oid {
 public:
  Oid() = default;
  // Dotted "1.3.6.1" or braced "{ 1 3 6 1 }" (any blanks between the arcs and around the
  // braces; none needed next to a brace). Leading zeros and signs are refused.
  explicit Oid(std::string_view text);
  explicit Oid(const char* text) : Oid(std::string_view(text ? text : "")) {}
  explicit Oid(const std::string& text) : Oid(std::string_view(text)) {}
  explicit Oid(std::vector<std::uint64_t> arcs);
  Oid(std::initializer_list<std::uint64_t> arcs) : Oid(std::vector<std::uint64_t>(arcs)) {}

  bool valid() const { return !arcs_.empty(); }
  bool operator!() const { return arcs_.empty(); }

  const std::vector<std::uint64_t>& arcs() const { return arcs_; }
  std::size_t size() const { return arcs_.size(); }
  std::uint64_t operator[](std::size_t i) const { return arcs_[i]; }

  // Dotted "1.3.6.1", or "{ 1 3 6 1 }" with braces; "" when invalid.
  std::string format(bool braces = false) const;

  // From the contents octets of a BER OBJECT IDENTIFIER; false (and out unchanged) when
  // they are not a well-formed identifier.
  static bool from_ber(std::string_view contents, Oid& out);
  // Appends the contents octets; nothing when invalid.
  void append_ber(std::string& out) const;
  std::string ber() const;

  bool operator==(const Oid& other) const = default;
  // Arc by arc; a prefix orders first.
  bool operator<(const Oid& other) const { return arcs_ < other.arcs_; }

 private:
  std::vector<std::uint64_t> arcs_;
};

// Dotted form.
std::ostream& operator<<(std::ostream& out, const Oid& oid);

}  // namespace hvx

template <>
struct std::hash<hvx::Oid> {
  std::size_t operator()(const hvx::Oid& oid) const noexcept;
};

#endif  // HVX_OID_H_
