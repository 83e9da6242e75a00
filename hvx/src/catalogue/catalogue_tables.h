// The catalogue's data tables, one group per family of classes; catalogue.cc indexes them.
#ifndef HVX_SRC_CATALOGUE_TABLES_H_
#define HVX_SRC_CATALOGUE_TABLES_H_

#include <span>

#include "hvx/catalogue.h"

namespace hvx::tables {

struct Part {
  std::span<const ClassDef> classes;
  std::span<const AttributeDef> attributes;
  std::span<const ActionDef> actions;
  std::span<const NotificationDef> notifications;
  std::span<const TypeDef> types;
};

// Topology database: node, view and type objects and their databases.
Part topology_part();
// Agent tables: CMIP agent entities, SNMP proxy agents, RPC agents.
Part agent_part();
// The system object, the standard notifications and types, the management-server
// subsystem (FDN table), the connection manager and the server table.
Part system_part();

}  // namespace hvx::tables

#endif  // HVX_SRC_CATALOGUE_TABLES_H_
