#include "hvx/platform.h"

#include <cstdlib>
#include <string>

#include "host_address.h"
#include "hvx/message.h"
#include "hvx/names.h"
#include "hvx/world.h"
#include "platform_access.h"
#include "platform_rep.h"
#include "schema.h"
#include "socket_transport.h"

namespace hvx {

// Constant-initialised where the compiler can (it then exists before any static object
// that uses it); clang before 16 cannot constant-initialise the error text it holds.
#if defined(__clang__) && __clang_major__ < 16
Platform Platform::def_platform;
#else
constinit Platform Platform::def_platform;
#endif

Platform& Platform::default_platform() { return def_platform; }

Platform::Platform(PlatformRep* rep) : rep_(rep) {}

Platform::Platform(const Platform& other) : Error(other), rep_(other.rep()) { rep_->ref(); }

Platform& Platform::operator=(const Platform& other) {
  if (this != &other) {
    PlatformRep* rep = other.rep();
    rep->ref();
    if (rep_ != nullptr) rep_->unref();
    rep_ = rep;
    Error::operator=(other);
  }
  return *this;
}

Platform::~Platform() {
  if (rep_ != nullptr) rep_->unref();
}

PlatformRep* Platform::rep() const {
  if (rep_ == nullptr) {
    // The default world's connection, opened now; its state is never shared out of order.
    Platform connection = World::default_world().connect();
    rep_ = connection.rep_;
    rep_->ref();
  }
  return rep_;
}

Platform Platform::connect_to_server(const std::string& address) {
  std::unique_ptr<SocketTransport> transport;
  const Status status = SocketTransport::open(address, "client",
                                              SocketTransport::token_from_environment(), transport);
  if (status.ok()) {
    const std::string system = transport->system_name();
    return Platform(new PlatformRep(nullptr, std::move(transport), system));
  }
  Platform platform(new PlatformRep(nullptr, SocketTransport::unreachable(status.text()),
                                    World::default_system_name()));
  platform.set_error(status.code(), status.message());
  return platform;
}

std::string Platform::server_from_environment() {
  const char* address = std::getenv("HVX_SERVER");
  return address != nullptr ? address : "";
}

DataUnit Platform::get_prop(const DataUnit& name) {
  PlatformRep* const state = rep();
  clear_error();
  const std::string_view property = name.view();
  if (property == "PLATFORM_OBJNAME") return DataUnit(state->objname());
  if (property == "APPLICATION_OBJNAME") {
    return DataUnit("/systemId=name:\"" + state->system_name() +
                    "\"/applicationId=" + std::to_string(state->application_number()));
  }
  if (property == "DEFAULT_TIMEOUT") {
    return DataUnit(std::to_string(state->default_timeout()));
  }
  set_error(ErrorCode::invalid_argument, "unknown property " + name.str());
  return DataUnit();
}

bool Platform::set_prop(const DataUnit& name, const DataUnit& value) {
  PlatformRep* const state = rep();
  clear_error();
  if (name.view() == "DEFAULT_TIMEOUT") {
    char* end = nullptr;
    const std::string text = value.str();
    const double seconds = std::strtod(text.c_str(), &end);
    if (!text.empty() && end == text.c_str() + text.size() && seconds >= 0) {
      state->set_default_timeout(seconds);
      return true;
    }
    set_error(ErrorCode::invalid_argument, "DEFAULT_TIMEOUT " + text);
    return false;
  }
  // An application may be told which system object it stands for, even none (empty).
  if (name.view() == "PLATFORM_OBJNAME") {
    state->set_objname(value.str());
    return true;
  }
  set_error(ErrorCode::invalid_argument, "unknown property " + name.str());
  return false;
}

bool Platform::when(const DataUnit& event_kind, const Callback& callback) {
  PlatformRep* const state = rep();
  clear_error();
  if (event_kind.view() != "RAW_EVENT" || !callback) {
    set_error(ErrorCode::invalid_argument, "cannot subscribe to " + event_kind.str());
    return false;
  }
  state->subscribe(callback);
  return true;
}

bool Platform::unsubscribe(const Callback& callback) { return rep()->unsubscribe(callback); }

MessageSAP* Platform::get_raw_sap() { return &rep()->sap(); }

bool Platform::dispatch_recursive(bool one_pass) { return rep()->dispatch(this, one_pass); }

bool Platform::precache_class_mdr(const DataUnit& class_name) {
  rep();
  clear_error();
  if (mis::Schema::get().find_class(class_name.view()) == nullptr) {
    set_error(ErrorCode::no_such_object_class, class_name.str());
    return false;
  }
  return true;
}

DataUnit Platform::get_shortname(const DataUnit& name) {
  return DataUnit(hvx::get_shortname(name.view()));
}

bool dispatch_recursive(bool one_pass) {
  return Platform::default_platform().dispatch_recursive(one_pass);
}

bool hvx_get_ip_addr(const char* host, std::uint32_t& address) {
  if (host == nullptr) return false;
  const std::string_view name(host);
  // The systems of the world the default platform is connected to.
  World* const connected = PlatformAccess::rep(Platform::default_platform())->world();
  const World& world = connected != nullptr ? *connected : World::default_world();
  if (world.address_of(name == "localhost" ? std::string_view(world.local_name()) : name,
                       address)) {
    return true;
  }
  return resolve_ipv4(host, address);
}

}  // namespace hvx
