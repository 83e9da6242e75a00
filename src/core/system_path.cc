#include "core/system_path.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "dedavuz_api/mit_names.h"

namespace {

// The attribute names of the two system components, read off their fragments so that the
// texts live only in the name constants: "/systemId=name:\"" and ".../misId=\"".
struct Keys {
  std::string system_id;         // systemId
  std::string system_id_rdn;     // /systemId
  std::string server_table;      // misId
  std::string server_table_rdn;  // /serverTableType
  // The prefix dropped from a server-table component before its value: misId="
  std::size_t server_table_prefix = 0;
};

std::string_view attribute_of(std::string_view rdn) { return rdn.substr(0, rdn.find('=')); }

const Keys& keys() {
  static const Keys k = [] {
    Keys k;
    const std::string_view local = LOCAL_SYSTEM_PART;
    k.system_id_rdn = attribute_of(local);
    k.system_id = k.system_id_rdn.substr(1);
    const std::string_view table = SERVER_TABLE_PART1;
    k.server_table_rdn = attribute_of(table);
    const std::string_view last_rdn = table.substr(table.rfind('/') + 1);
    k.server_table = attribute_of(last_rdn);
    k.server_table_prefix = last_rdn.size();
    return k;
  }();
  return k;
}

std::string_view strip_trailing_quotes(std::string_view s) {
  while (!s.empty() && s.back() == '"') s.remove_suffix(1);
  return s;
}

bool contains(std::string_view s, std::string_view what) {
  return s.find(what) != std::string_view::npos;
}

}  // namespace

std::string_view vq_strip_quotes(std::string_view s) {
  while (!s.empty() && s.front() == '"') s.remove_prefix(1);
  return strip_trailing_quotes(s);
}

void vq_append_server_table(std::string& out, std::string_view system) {
  out += SERVER_TABLE_PART1;
  out += system;
  out += SERVER_TABLE_PART2;
}

VQSystemPart vq_system_part(std::string_view system, std::string_view local) {
  VQSystemPart part;
  if (system == local) {
    part.text = LOCAL_SYSTEM_PART;
    part.text += local;
    return part;
  }
  std::string_view last;
  vq_for_each_component(system, [&](std::string_view component) {
    last = component;
    if (component != local) vq_append_server_table(part.text, component);
  });
  if (!system.empty() && system.front() == '/') {
    part.form = VQSystemPart::rooted;
    part.text += LOCAL_SYSTEM_PART;
    part.text += last;
  } else {
    part.form = VQSystemPart::remote;
  }
  return part;
}

std::string vq_slash_form(std::string_view system, std::string_view local,
                          std::string_view fragment, std::string_view id) {
  VQSystemPart part = vq_system_part(system, local);
  if (!part.quote_open() && !fragment.empty() && fragment.front() == '"') {
    fragment.remove_prefix(1);
  }
  part.text += fragment;
  part.text += id;
  return std::move(part.text);
}

VQParsedSystem vq_parse_system(std::string_view text, std::string_view local,
                               bool strip_leading_quotes) {
  const Keys& k = keys();
  VQParsedSystem parsed;
  std::string path(local);
  vq_for_each_component(text, [&](std::string_view component) {
    parsed.last = component;
    if (contains(component, k.server_table)) {
      ++parsed.server_tables;
      std::string_view value = component.substr(std::min(k.server_table_prefix, component.size()));
      value = strip_leading_quotes ? vq_strip_quotes(value) : strip_trailing_quotes(value);
      path += '/';
      path += value;
    } else if (contains(attribute_of(component), k.system_id)) {
      const std::size_t quote = component.find('"');
      parsed.system_id = quote == std::string_view::npos
                             ? std::string_view()
                             : vq_strip_quotes(component.substr(quote + 1));
    }
  });
  parsed.has_system_id = contains(text, k.system_id);
  parsed.system = parsed.has_system_id ? "/" + path : std::move(path);
  return parsed;
}

bool vq_is_fdn_text(std::string_view text) {
  const Keys& k = keys();
  return contains(text, k.system_id_rdn) || contains(text, k.server_table_rdn);
}

std::string vq_fdn_system_name(std::string_view fdn, std::string_view local) {
  VQParsedSystem parsed = vq_parse_system(fdn, local);
  if (parsed.server_tables == 0) return std::move(parsed.system_id);
  return std::move(parsed.system);
}

std::string vq_toggled_slash(const std::string& name) {
  if (name.empty() || name.front() != '/') return std::string(1, '/').append(name);
  return name.substr(std::min(name.find_first_not_of('/'), name.size()));
}
