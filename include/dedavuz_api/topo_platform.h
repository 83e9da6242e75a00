// VQTopoPlatform: the library's one platform object. An application makes it once, with
// initialize, over the platform's connection; every class that talks to a server reaches the
// connection, the local system's name and the known systems through instance().
#ifndef DEDAVUZ_API_TOPO_PLATFORM_H_
#define DEDAVUZ_API_TOPO_PLATFORM_H_

#include <string>

#include "dedavuz_api/list.h"
#include "hvx/platform.h"

class VQTopoPlatformRep;

class VQTopoPlatform {
 public:
  // What a system-connection callback is told.
  enum MisConnectionEvent { system_added = 0, system_removed = 1 };
  struct MisConnectionCallbackData {
    int event = system_added;  // a MisConnectionEvent
    std::string system_name;
    void* client_data = nullptr;
  };
  using MisConnectionCallback = void (*)(const MisConnectionCallbackData&);

  // Makes the platform object once: the local system's name, every server reached through
  // the FDN tables, a registration with the connection manager for each remote one. True
  // when it exists afterwards; a second call returns true and changes nothing. After a
  // failure nothing is kept and a later call starts again. `hold_events` starts event
  // delivery held.
  static bool initialize(hvx::Platform& platform, bool view_graph_cached);
  static bool initialize(hvx::Platform& platform, bool view_graph_cached, bool hold_events);
  // Null until initialize has succeeded.
  static VQTopoPlatform* instance();

  // Builds the representation if there is none yet; when that fails the object answers
  // empty texts and lists (initialize does not keep such an object).
  VQTopoPlatform(hvx::Platform& platform, bool view_graph_cached);
  // Releases nothing: the representation lives until the process ends.
  ~VQTopoPlatform();
  VQTopoPlatform(const VQTopoPlatform&) = delete;
  VQTopoPlatform& operator=(const VQTopoPlatform&) = delete;

  const std::string& local_system_name() const;
  // The full name of a known system, and the known system a full name stands for; "" when
  // the name is not known.
  std::string system_fdn_str(const std::string& system) const;
  std::string fdn_system_str(const std::string& fdn) const;
  // The known systems in discovery order, the local one first.
  VQList<std::string> system_names() const;
  // The connection given to initialize (the default platform without a representation).
  hvx::Platform& platform();

  // Called with system_added or system_removed as systems join or leave the known ones
  // (never for the local system). Registering a function again replaces its client datum
  // and moves it last.
  static void register_mis_connection_callback(MisConnectionCallback callback, void* client_data);
  static void unregister_mis_connection_callback(MisConnectionCallback callback);

  // Holds (true) or releases (false) the delivery of server events.
  static void hold_events(bool hold);

 private:
  static VQTopoPlatform* the_topo_platform;
  static bool valid_flag;

  VQTopoPlatformRep* rep_ = nullptr;
};

#endif  // DEDAVUZ_API_TOPO_PLATFORM_H_
