// Platform: an application's connection to its local management server and, through it,
// to the servers that one is linked to. A cheap handle: its state is made on first use, so
// the static default platform works even from other static initialisers.
#ifndef HVX_PLATFORM_H_
#define HVX_PLATFORM_H_

#include <cstdint>
#include <string>

#include "hvx/callback.h"
#include "hvx/data_unit.h"
#include "hvx/error.h"

namespace hvx {

class MessageSAP;
class PlatformRep;

// How a staged value changes an attribute: replace its value, or add to (INCLUDE) or remove
// from (EXCLUDE) a set-valued attribute.
enum ModifyMode : int { REPLACE = 0, INCLUDE = 1, EXCLUDE = 2 };

// The timeout value that selects the platform's default.
inline constexpr double DEFAULT_TIMEOUT = -12345.0;

class Platform : public Error {
 public:
  // A connection to the default world's local server, opened on first use.
  constexpr Platform() = default;
  Platform(const Platform& other);
  Platform& operator=(const Platform& other);
  ~Platform();

  // The process's platform (the same object as def_platform).
  static Platform& default_platform();
  static Platform def_platform;

  // A connection to the server process at `address` ("unix:/path" or "tcp:host:port"),
  // presenting the token of the file HVX_TOKEN_FILE names when the server asks for one.
  // When it cannot be made the platform still exists: its error says why, and every
  // request fails at once.
  static Platform connect_to_server(const std::string& address);
  // The address HVX_SERVER names; "" when none, and applications then run on their own
  // process's server.
  static std::string server_from_environment();

  // "PLATFORM_OBJNAME": /systemId=name:"<local system>"; "APPLICATION_OBJNAME": the
  // application's own name, ending in =<application number>; "DEFAULT_TIMEOUT": seconds.
  // Empty (and the error set) for an unknown property.
  DataUnit get_prop(const DataUnit& name);
  // "DEFAULT_TIMEOUT" and "PLATFORM_OBJNAME" (what get_prop then gives) can be set.
  bool set_prop(const DataUnit& name, const DataUnit& value);

  // Registers `callback` for every event of `event_kind` ("RAW_EVENT": every notification,
  // handed over as the raw pointer CurrentEvent takes). Nothing is delivered outside
  // dispatching.
  bool when(const DataUnit& event_kind, const Callback& callback);

  // Stops delivering to `callback`; false when it was not registered.
  bool unsubscribe(const Callback& callback);

  // The raw message service.
  MessageSAP* get_raw_sap();

  // Delivers what is queued (replies to raw requests and notifications, in arrival order).
  // With `one_pass`, what was queued when the call began; otherwise until nothing is queued
  // or awaited. When nothing is queued but raw requests await replies, time passes on the
  // transport's clock up to the earliest timeout, and requests whose time is up get a
  // timeout error reply. True when anything was delivered.
  bool dispatch_recursive(bool one_pass = true);

  // Loads what the platform knows about a class; false when the class is unknown.
  bool precache_class_mdr(const DataUnit& class_name);

  // "topoNodeName" from "\"VQ Topology\":topoNodeName".
  static DataUnit get_shortname(const DataUnit& name);

 private:
  friend class World;
  friend class PlatformAccess;

  // The state behind the handle, made on first use.
  PlatformRep* rep() const;
  explicit Platform(PlatformRep* rep);

  mutable PlatformRep* rep_ = nullptr;
};

// One pass of event delivery on the default platform.
bool dispatch_recursive(bool one_pass = true);

// The IPv4 address of a system of the world the default platform is connected to, or else of a host
// name or numeric address the resolver knows, in network byte order (as in_addr.s_addr). False when
// the name is unknown.
bool hvx_get_ip_addr(const char* host, std::uint32_t& address);

}  // namespace hvx

#endif  // HVX_PLATFORM_H_
