// The way into a type representation's fields: its attribute table, and for tests the
// attributes only a load from the server sets.
#ifndef DEDAVUZ_TYPE_TOPO_TYPE_REP_ACCESS_H_
#define DEDAVUZ_TYPE_TOPO_TYPE_REP_ACCESS_H_

#include <initializer_list>
#include <string>
#include <vector>

#include "core/attribute_table.h"
#include "dedavuz_api/topo_type_rep.h"

struct VQTopoTypeRepAccess {
  using Rep = VQTopoTypeRep;
  using Row = VQAttributeRow<Rep>;
  using DrawMethod = Rep::DrawMethod;

  static const VQAttributeTable<Rep>& table();

  // The values of their own form, which the table points to.
  static VQStatus decode_base_type(Rep& rep, const hvx::Morf& value, const std::string&);
  static VQStatus encode_base_type(const Rep& rep, hvx::Image& image, const std::string& attribute,
                                   const std::string&);
  static VQStatus decode_draw_method(Rep& rep, const hvx::Morf& value, const std::string& error);
  static VQStatus encode_draw_method(const Rep& rep, hvx::Image& image,
                                     const std::string& attribute, const std::string&);
  static VQStatus decode_user_data_names(Rep& rep, const hvx::Morf& value,
                                         const std::string& error);
  static VQStatus encode_user_data_names(const Rep& rep, hvx::Image& image,
                                         const std::string& attribute, const std::string&);

  // Tests fill what only a load from the server sets: the base types and legal children,
  // with the sub types active as well.
  static void load(Rep& rep, const VQList<std::string>& bases,
                   const VQList<std::string>& children) {
    rep.all_base_types_ = bases;
    rep.legal_children_ = children;
    for (const int n :
         {VQTopoType::all_base_types, VQTopoType::sub_types, VQTopoType::legal_children}) {
      rep.active_.add(n);
    }
  }

 private:
  static std::vector<Row> rows();
};

#endif  // DEDAVUZ_TYPE_TOPO_TYPE_REP_ACCESS_H_
