#include "topo/values.h"

#include <set>

#include "dn.h"
#include "hvx/ber.h"
#include "hvx/morf.h"

namespace hvx::mis::topo {

bool read_ids(const Asn1Value& set, std::vector<long>& out) {
  out.clear();
  if (set.is_null()) return true;
  if (!set.is_constructed()) return false;
  out.reserve(set.num_comps());
  for (Asn1Value item = set.first_component(); !item.is_null(); item = item.next_component()) {
    long id = 0;
    if (!item.decode_int(id)) return false;
    out.push_back(id);
  }
  return true;
}

Asn1Value id_set(const std::vector<long>& ids) {
  Asn1Value set = ber::constructed(TAG_SET, static_cast<int>(ids.size()));
  for (const long id : ids) set.add_component(ber::integer(id));
  return set;
}

bool read_texts(const Asn1Value& set, std::vector<std::string>& out) {
  out.clear();
  if (set.is_null()) return true;
  if (!set.is_constructed()) return false;
  for (Asn1Value item = set.first_component(); !item.is_null(); item = item.next_component()) {
    std::string text;
    if (!item.decode_octets(text)) return false;
    out.push_back(std::move(text));
  }
  return true;
}

Asn1Value text_set(const std::vector<std::string>& texts) {
  Asn1Value set = ber::set();
  for (const std::string& text : texts) set.add_component(graphic(text));
  return set;
}

std::string text_of(const Asn1Value& value) {
  std::string text;
  if (!value.is_constructed()) value.decode_octets(text);
  return text;
}

Asn1Value graphic(std::string_view text) { return ber::octets(text, TAG_GRAPHSTR); }

std::string name_key(const Asn1Value& instance) {
  dn::Rdns rdns;
  if (!dn::parse(instance, rdns)) return "";
  std::string key = "/";
  for (const std::string& part : dn::key(rdns)) {
    key += std::to_string(part.size());
    key += '/';
    key += part;
  }
  return key;
}

Asn1Value notation_value(std::string_view attribute, std::string_view text) {
  Morf morf(attribute);
  if (!morf || !morf.set(text)) return Asn1Value();
  return morf.get_value();
}

bool has_duplicate(const std::vector<long>& ids, long& duplicate) {
  std::set<long> seen;
  for (const long id : ids) {
    if (!seen.insert(id).second) {
      duplicate = id;
      return true;
    }
  }
  return false;
}

}  // namespace hvx::mis::topo
