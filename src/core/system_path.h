// The slash-form scheme every distinguished name shares. A system name is a plain name, or
// a "/"-separated path through server tables, possibly with a leading "/". Building a full
// name puts the system's components in front of a class's fragment; parsing a full name
// gives the system name back. Nodes, views, types, agents and databases all go through here.
#ifndef DEDAVUZ_CORE_SYSTEM_PATH_H_
#define DEDAVUZ_CORE_SYSTEM_PATH_H_

#include <cstddef>
#include <string>
#include <string_view>

// The leading components that address a system from the local one.
struct VQSystemPart {
  enum Form {
    // The system is the local one: LOCAL_SYSTEM_PART and the name.
    local,
    // A path with a leading "/": a server-table component for each non-local component,
    // then LOCAL_SYSTEM_PART and the path's last component.
    rooted,
    // Any other path: a server-table component for each non-local component.
    remote,
  };

  Form form = local;
  std::string text;

  // True when the text ends inside an open systemId quote, so a fragment that starts with
  // the closing quote follows whole; after server-table components it follows without it.
  bool quote_open() const { return form != remote; }
};

VQSystemPart vq_system_part(std::string_view system, std::string_view local);

// Appends the server-table component that leads to `system`: /serverTableType="mis"/misId="B".
void vq_append_server_table(std::string& out, std::string_view system);

// Calls `f` for every non-empty "/"-separated component of `s`, in order.
template <typename F>
void vq_for_each_component(std::string_view s, F f) {
  std::size_t pos = 0;
  while (pos < s.size()) {
    std::size_t end = s.find('/', pos);
    if (end == std::string_view::npos) end = s.size();
    if (end > pos) f(s.substr(pos, end - pos));
    pos = end + 1;
  }
}

// The system part of `system`, then `fragment` (a class's PART2, which starts with the
// closing quote; the quote is dropped after server-table components), then `id`.
std::string vq_slash_form(std::string_view system, std::string_view local,
                          std::string_view fragment, std::string_view id);

// What a full name (a text beginning with "/") says about its system.
struct VQParsedSystem {
  // The local name followed by "/" and the value of every server-table component; with a
  // leading "/" when the text mentions systemId anywhere.
  std::string system;
  // The value of the last systemId component; empty when there is none.
  std::string system_id;
  int server_tables = 0;
  bool has_system_id = false;
  // The last non-empty component; the object's own naming component. Points into the text.
  std::string_view last;
};

// Splits `text` at "/" and reads its system: every component containing the server-table
// key ("misId") contributes its value (the component less `misId="`, without trailing
// quotes, and without leading ones too when `strip_leading_quotes`).
VQParsedSystem vq_parse_system(std::string_view text, std::string_view local,
                               bool strip_leading_quotes = true);

// The other spelling of a remote system's name: with its leading "/" added, or removed.
// Discovery spells a remote system "/L/B", events and server texts "L/B".
std::string vq_toggled_slash(const std::string& name);

// `s` without the double quotes at either end.
std::string_view vq_strip_quotes(std::string_view s);

// True when `text` holds a systemId or server-table component, that is, is a full name
// rather than a system name.
bool vq_is_fdn_text(std::string_view text);

// The system name that a system's full name stands for: the path of its server-table
// components behind the local name (rooted when it ends in a systemId component), or, with
// no server-table component, the name in its systemId component; empty when it has neither.
// The inverse of building the system part for every path that starts at the local system.
std::string vq_fdn_system_name(std::string_view fdn, std::string_view local);

#endif  // DEDAVUZ_CORE_SYSTEM_PATH_H_
