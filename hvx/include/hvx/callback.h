// A function and its client datum, called with what the platform delivers (a raw event or a
// raw reply, both passed as an opaque pointer valid during the call).
#ifndef HVX_CALLBACK_H_
#define HVX_CALLBACK_H_

namespace hvx {

class Callback {
 public:
  using Function = void (*)(void* client, void* raw);

  constexpr Callback() = default;
  constexpr Callback(Function function, void* client) : function_(function), client_(client) {}

  explicit operator bool() const { return function_ != nullptr; }
  void operator()(void* raw) const {
    if (function_ != nullptr) function_(client_, raw);
  }
  Function function() const { return function_; }
  void* client() const { return client_; }

  bool operator==(const Callback&) const = default;

 private:
  Function function_ = nullptr;
  void* client_ = nullptr;
};

}  // namespace hvx

#endif  // HVX_CALLBACK_H_
