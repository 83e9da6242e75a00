// Arbitrary bytes into the server's request decoder and the client's reply and
// notification decoders: each must answer or refuse, never crash, leak or hang.
#include <cstddef>
#include <cstdint>

#include "connection.h"
#include "hvx/message.h"
#include "hvx/transport.h"
#include "hvx/world.h"
#include "platform_access.h"
#include "server.h"

namespace {

class NullSink : public hvx::TransportSink {
 public:
  void receive(const hvx::DataUnit&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::shared_ptr<hvx::World> world = hvx::World::create("F");
  static hvx::Platform platform = world->connect();
  const hvx::DataUnit bytes(data, size);
  // The server side: a request that decodes is run; one that does not is ignored.
  hvx::mis::Connection connection(world->server("F"));
  NullSink sink;
  connection.attach(&sink);
  connection.submit(bytes);
  connection.attach(nullptr);
  // The client side: as a reply or notification arriving from the server.
  hvx::PlatformAccess::rep(platform)->receive(bytes);
  platform.dispatch_recursive(true);
  hvx::Message message;
  if (hvx::Message::decode(bytes, message).ok()) {
    hvx::Message again;
    if (!hvx::Message::decode(message.encode(), again).ok() || !(again == message))
      __builtin_trap();
  }
  return 0;
}
