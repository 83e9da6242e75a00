// A handle's attribute table: one row per attribute saying how it prints, compares, takes
// its default, which operations take it, and which server attribute carries it with which
// codec. Printing, comparison, defaults, the catalogue and the codecs walk the rows.
#ifndef DEDAVUZ_CORE_ATTRIBUTE_TABLE_H_
#define DEDAVUZ_CORE_ATTRIBUTE_TABLE_H_

#include <cstddef>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/attribute_codecs.h"
#include "core/entry_label.h"
#include "dedavuz_api/error.h"
#include "dedavuz_api/integer_set.h"
#include "dedavuz_api/object_rep.h"
#include "hvx/image.h"
#include "hvx/morf.h"

// Up to two server attributes; -1 for none.
struct VQGdmoPair {
  constexpr VQGdmoPair(int first = -1, int second = -1) : first(first), second(second) {}
  int first;
  int second;
};

struct VQPlainTlv;

template <typename Rep>
struct VQAttributeRow {
  using Print = void (*)(std::ostream& os, const std::string& label, const Rep& rep);
  using Equal = bool (*)(const Rep& a, const Rep& b);
  using Reset = void (*)(Rep& rep);
  // `error` is the attribute's qualified name, the message of a refused value.
  using Decode = VQStatus (*)(Rep& rep, const hvx::Morf& value, const std::string& error);
  using Encode = VQStatus (*)(const Rep& rep, hvx::Image& image, const std::string& attribute,
                              const std::string& error);
  // The server attribute's value, as staged and as a write by managed object carries it.
  using Value = VQStatus (*)(const Rep& rep, hvx::Asn1Value& out, const std::string& error);
  // Reads a value of the plain BER form in place; false, with nothing changed, for a value
  // it does not read, which `decode` then takes.
  using Plain = bool (*)(Rep& rep, const VQPlainTlv& value);

  int number = -1;
  const char* name = "";
  // Printed with `label` (default "<name>: ") right-aligned in `width` columns; without a
  // printer, never.
  const char* label = nullptr;
  Print print = nullptr;
  // Without an equality the attribute never differs while active on both sides.
  Equal equal = nullptr;
  Reset reset = nullptr;
  // The catalogue: the attribute's group, and whether a create or a store takes it (a load
  // takes every attribute).
  int group = 0;
  bool creatable = false;
  bool storeable = false;
  // The server attribute holding the value (-1: none) and the class that has it; what else
  // any operation, or a load only, needs read or written with it.
  int gdmo_class = 0;
  int gdmo = -1;
  VQGdmoPair needs = {};
  VQGdmoPair load_needs = {};
  Decode decode = nullptr;
  // Staging takes `encode` when there is one, else writes `value`.
  Encode encode = nullptr;
  Value value = nullptr;
  Plain plain = nullptr;
  // Staged after every other attribute of its class.
  bool encode_last = false;
  int width = 32;
};

template <typename Rep>
class VQAttributeTable {
 public:
  using Row = VQAttributeRow<Rep>;

  // `handle` qualifies attribute names in messages ("VQTopoNode::"). Rows are listed in
  // print order and numbered 0 to their count - 1; `groups` counts the catalogue groups
  // (0 is every attribute); the server attributes are `gdmo_names`, `class_of` telling
  // which class has each.
  VQAttributeTable(const std::string& handle, std::vector<Row> rows, int groups,
                   const std::string* gdmo_names, int gdmo_count, int (*class_of)(int))
      : handle_(handle),
        rows_(std::move(rows)),
        by_number_(rows_.size()),
        holder_(static_cast<std::size_t>(gdmo_count), nullptr),
        gdmo_names_(gdmo_names),
        class_of_(class_of) {
    for (const Row& row : rows_) {
      by_number_[static_cast<std::size_t>(row.number)] = &row;
      if (row.gdmo >= 0 && holder_[row.gdmo] == nullptr &&
          (row.decode || row.encode || row.value || row.plain)) {
        holder_[row.gdmo] = &row;
      }
    }
    for (const Row* row : by_number_) {
      names_.emplace_back(row->name);
      qualified_.push_back(handle + row->name);
      labels_.push_back(vq_entry_label(row->label ? row->label : names_.back() + ": ",
                                        static_cast<std::size_t>(row->width)));
    }
    names_.emplace_back("Unknown");
    for (int op = 0; op < 3; ++op) {
      for (int group = 0; group < groups; ++group) valid_[op].push_back(select(op, group));
    }
  }

  long count() const { return static_cast<long>(by_number_.size()); }
  const Row* row(long number) const {
    return number >= 0 && number < count() ? by_number_[static_cast<std::size_t>(number)]
                                           : nullptr;
  }
  // "Unknown" for a number outside the table.
  const std::string& name(long number) const {
    return names_[static_cast<std::size_t>(row(number) ? number : count())];
  }
  const std::string& qualified(long number) const {
    return qualified_[static_cast<std::size_t>(number)];
  }
  // The handle's name and the name of every member of `attributes`, each followed by ", ".
  VQStatus listed(VQStatus::Code code, const VQIntegerSet& attributes) const {
    std::string message = handle_;
    VQIntegerSetIterator it(attributes);
    while (it.next()) message += name(it.member()) + ", ";
    return VQStatus(code, message);
  }
  VQStatus not_set(long number) const {
    return VQStatus(VQStatus::Code::attribute_not_set, qualified(number));
  }
  // What `operation` takes from `group`; an empty set for an operation or group outside.
  const VQIntegerSet& valid(VQObjectOperation operation, int group = 0) const {
    const int op = static_cast<int>(operation);
    if (op < 0 || op >= 3 || group < 0 || group >= static_cast<int>(valid_[op].size())) {
      return empty_;
    }
    return valid_[op][static_cast<std::size_t>(group)];
  }
  void print(std::ostream& os, const Rep& rep, const VQIntegerSet& active) const {
    for (const Row& row : rows_) {
      if (row.print && active.is_member(row.number)) {
        row.print(os, labels_[static_cast<std::size_t>(row.number)], rep);
      }
    }
  }

  // Walks `attributes` in ascending order. Without `differing`: false at the first that
  // differs, else true. With it: adds each that differs, true when it is then non-empty.
  bool compare(const Rep& a, const VQIntegerSet& a_active, const Rep& b,
               const VQIntegerSet& b_active, const VQIntegerSet& attributes,
               VQIntegerSet* differing) const {
    VQIntegerSetIterator it(attributes);
    while (it.next()) {
      const long n = it.member();
      const bool mine = a_active.is_member(n);
      const Row* r = row(n);
      const bool differs = mine != b_active.is_member(n) ||
                           (mine && r != nullptr && r->equal != nullptr && !r->equal(a, b));
      if (!differs) continue;
      if (differing == nullptr) return false;
      differing->add(n);
    }
    return differing == nullptr || differing->num_members() > 0;
  }

  void reset(Rep& rep, const VQIntegerSet& attributes) const {
    VQIntegerSetIterator it(attributes);
    while (it.next()) {
      const Row* r = row(it.member());
      if (r != nullptr && r->reset != nullptr) r->reset(rep);
    }
  }

  // Adds the server attributes of `object_class` that `attributes` need for `operation`.
  void to_gdmo(VQObjectOperation operation, int object_class, const VQIntegerSet& attributes,
               VQIntegerSet& gdmo) const {
    const auto add = [&](int g) {
      if (g >= 0 && class_of_(g) == object_class) gdmo.add(g);
    };
    for (const Row& r : rows_) {
      if (!attributes.is_member(r.number)) continue;
      add(r.gdmo);
      add(r.needs.first);
      add(r.needs.second);
      if (operation == load) {
        add(r.load_needs.first);
        add(r.load_needs.second);
      }
    }
  }
  // Adds the attributes held by the members of `gdmo` that `object_class` has.
  void from_gdmo(int object_class, const VQIntegerSet& gdmo, VQIntegerSet& attributes) const {
    for (const Row* r : by_number_) {
      if (r->gdmo >= 0 && r->gdmo_class == object_class && gdmo.is_member(r->gdmo)) {
        attributes.add(r->number);
      }
    }
  }

  // The row whose codec handles `gdmo` in `object_class`, or nullptr.
  const Row* holder(int object_class, long gdmo) const {
    if (gdmo < 0 || gdmo >= static_cast<long>(holder_.size())) return nullptr;
    const Row* r = holder_[static_cast<std::size_t>(gdmo)];
    return r != nullptr && r->gdmo_class == object_class ? r : nullptr;
  }
  // Attributes without a decoder succeed doing nothing.
  VQStatus decode(Rep& rep, int object_class, long gdmo, const hvx::Morf& value) const {
    const Row* r = holder(object_class, gdmo);
    if (r == nullptr || r->decode == nullptr) return VQStatus::success;
    return r->decode(rep, value, qualified(r->number));
  }
  // The row giving the value of `gdmo`, whatever its class, or nullptr.
  const Row* valued(long gdmo) const {
    if (gdmo < 0 || gdmo >= static_cast<long>(holder_.size())) return nullptr;
    const Row* r = holder_[static_cast<std::size_t>(gdmo)];
    return r != nullptr && r->value != nullptr ? r : nullptr;
  }
  VQStatus value(const Rep& rep, const Row& r, hvx::Asn1Value& out) const {
    return r.value(rep, out, qualified(r.number));
  }
  VQStatus encode_row(const Rep& rep, const Row& r, hvx::Image& image) const {
    const std::string& attribute = gdmo_names_[r.gdmo];
    if (r.encode != nullptr) return r.encode(rep, image, attribute, qualified(r.number));
    if (r.value == nullptr) return VQStatus::success;
    hvx::Asn1Value v;
    VQ_RETURN_IF_ERROR(value(rep, r, v));
    return vq_written(vq_write_value(image, attribute, v), qualified(r.number));
  }
  // Stages the members of `attributes` in ascending order; the first failure ends it.
  VQStatus encode_attributes(const Rep& rep, const VQIntegerSet& attributes,
                             hvx::Image& image) const {
    VQIntegerSetIterator it(attributes);
    while (it.next()) {
      const Row* r = row(it.member());
      if (r != nullptr) VQ_RETURN_IF_ERROR(encode_row(rep, *r, image));
    }
    return VQStatus::success;
  }
  // Stages the members of `gdmo` that `object_class` has, in ascending order but those
  // staged last; the first failure ends it.
  VQStatus encode_gdmo(const Rep& rep, int object_class, const VQIntegerSet& gdmo,
                       hvx::Image& image) const {
    for (const bool last : {false, true}) {
      VQIntegerSetIterator it(gdmo);
      while (it.next()) {
        const Row* r = holder(object_class, it.member());
        if (r != nullptr && r->encode_last == last) VQ_RETURN_IF_ERROR(encode_row(rep, *r, image));
      }
    }
    return VQStatus::success;
  }

 private:
  VQIntegerSet select(int op, int group) const {
    VQIntegerSet set(count());
    for (const Row* r : by_number_) {
      const bool in_group = group == 0 || r->group == group;
      const bool taken = op == load || (op == create ? r->creatable : r->storeable);
      if (in_group && taken) set.add(r->number);
    }
    return set;
  }

  std::string handle_;
  std::vector<Row> rows_;
  std::vector<const Row*> by_number_;
  std::vector<const Row*> holder_;
  const std::string* gdmo_names_;
  int (*class_of_)(int);
  std::vector<std::string> names_;
  std::vector<std::string> qualified_;
  std::vector<std::string> labels_;
  std::vector<VQIntegerSet> valid_[3];
  VQIntegerSet empty_{count()};
};

#endif  // DEDAVUZ_CORE_ATTRIBUTE_TABLE_H_
