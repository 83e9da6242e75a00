// The name of the local system, and the system name a full name stands for: the one place
// every name class asks, so that the platform object can answer once it exists.
#ifndef DEDAVUZ_CORE_LOCAL_SYSTEM_H_
#define DEDAVUZ_CORE_LOCAL_SYSTEM_H_

#include <string>
#include <string_view>

// The local system's name: the platform object's once it exists, else the value of
// VQ_LOGICAL_HOST, read at every call; empty when that is unset (every system is then
// remote). Never fails.
std::string vq_local_system_name();

// The default platform's own system name (its PLATFORM_OBJNAME less the systemId prefix and
// trailing quotes), against which type and agent names tell local from remote systems.
// Never fails.
std::string vq_platform_system_name();

// The local system name of per-view (topoView) names: the platform object's once it exists,
// else the default platform's PLATFORM_OBJNAME less the systemId prefix and the quotes
// around the name. Never fails.
std::string vq_view_local_system_name();

// The system name that the full name of a system stands for: the platform object's known
// system of that full name ("" when none) once it exists, else read off the name, seen from
// the local system.
std::string vq_fdn_system_str(std::string_view fdn);

#endif  // DEDAVUZ_CORE_LOCAL_SYSTEM_H_
