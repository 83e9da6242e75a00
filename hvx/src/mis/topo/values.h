// The value forms of the topology database: lists of node ids and of type names, strings,
// names as index keys, and defaults written in value notation.
#ifndef HVX_SRC_MIS_TOPO_VALUES_H_
#define HVX_SRC_MIS_TOPO_VALUES_H_

#include <string>
#include <string_view>
#include <vector>

#include "hvx/asn1.h"

namespace hvx::mis::topo {

// The integers of a SET OF INTEGER; false when a component is not an integer.
bool read_ids(const Asn1Value& set, std::vector<long>& out);
Asn1Value id_set(const std::vector<long>& ids);

// The texts of a SET OF GraphicString; false when a component is not a string.
bool read_texts(const Asn1Value& set, std::vector<std::string>& out);
Asn1Value text_set(const std::vector<std::string>& texts);

// The text of a string value; "" for anything else.
std::string text_of(const Asn1Value& value);
Asn1Value graphic(std::string_view text);

// The key under which an object instance is indexed: equal for equal names in any
// spelling; "" when the value is not a name.
std::string name_key(const Asn1Value& instance);

// A value of an attribute written in value notation; null when it does not parse.
Asn1Value notation_value(std::string_view attribute, std::string_view text);

// The first duplicate of a list, or false.
bool has_duplicate(const std::vector<long>& ids, long& duplicate);

}  // namespace hvx::mis::topo

#endif  // HVX_SRC_MIS_TOPO_VALUES_H_
