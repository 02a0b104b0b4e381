#pragma once
// An event is a method pointer: an object and one of its member functions. Two events are equal when
// both parts are, so chains can remove an entry by code and data. A lambda can be bound too (for hosts
// and tests); each such binding is its own code.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <functional>
#include <utility>

class TObject;

namespace vcl_detail {
struct MemberProbe {
  void Method();
};
using CodeBytes = std::array<unsigned char, sizeof(void (MemberProbe::*)()) + sizeof(void*)>;
CodeBytes NextLambdaCode();
}  // namespace vcl_detail

template <class Signature>
class TEvent;

template <class R, class... Args>
class TEvent<R(Args...)> {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  template <class C, class Obj>
  TEvent(Obj* object, R (C::*method)(Args...)) : data_(static_cast<const void*>(object)) {
    static_assert(sizeof(method) <= sizeof(vcl_detail::CodeBytes));
    std::memcpy(code_.data(), &method, sizeof(method));
    C* target = object;
    call_ = [target, method](Args... args) -> R { return (target->*method)(std::forward<Args>(args)...); };
  }

  template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F&, Args...> &&
                                              !std::is_same_v<std::decay_t<F>, TEvent>>>
  TEvent(F&& function) : code_(vcl_detail::NextLambdaCode()), call_(std::forward<F>(function)) {}

  explicit operator bool() const { return static_cast<bool>(call_); }
  bool Assigned() const { return static_cast<bool>(call_); }

  R operator()(Args... args) const { return call_(std::forward<Args>(args)...); }

  const void* Data() const { return data_; }
  const vcl_detail::CodeBytes& Code() const { return code_; }

  friend bool operator==(const TEvent& a, const TEvent& b) {
    return a.data_ == b.data_ && a.code_ == b.code_ && a.Assigned() == b.Assigned();
  }

 private:
  const void* data_ = nullptr;
  vcl_detail::CodeBytes code_{};
  std::function<R(Args...)> call_;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// Fires an event only when it is assigned, as every component does.
template <class Event, class... Args>
void Fire(const Event& event, Args&&... args) {
  if (event) event(std::forward<Args>(args)...);
}
