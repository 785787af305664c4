#pragma once
// TEvent<R(A...)>: a reference to a method of an object, code and object
// together, the way every event of the framework is held. An event is empty
// until assigned; callers raise it only when it is assigned:
//
//   Button->OnClick = TNotifyEvent::Of<&TMyForm::ButtonClick>(this);
//   if (OnClick) OnClick(this);
//
// Two events are equal when they call the same method on the same object.
// The event does not own the object it refers to.

#include <utility>

class TObject;

template <class Signature>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
public:
  using Thunk = R (*)(void*, A...);

  TEvent() = default;

  // Binds method M of obj. M may be a method of a base class of C.
  template <auto M, class C>
  static TEvent Of(C* obj) {
    TEvent e;
    e.object_ = static_cast<void*>(obj);
    e.code_ = &Call<M, C>;
    return e;
  }

  explicit operator bool() const { return code_ != nullptr; }

  R operator()(A... args) const { return code_(object_, std::forward<A>(args)...); }

  void* Object() const { return object_; }
  Thunk Code() const { return code_; }

  // Rebuilds an event from the parts Object() and Code() gave (streaming).
  static TEvent FromRaw(void* object, Thunk code) {
    TEvent e;
    e.object_ = object;
    e.code_ = code;
    return e;
  }

  friend bool operator==(const TEvent& a, const TEvent& b) {
    return a.code_ == b.code_ && a.object_ == b.object_;
  }

private:
  template <auto M, class C>
  static R Call(void* obj, A... args) {
    return (static_cast<C*>(obj)->*M)(std::forward<A>(args)...);
  }

  void* object_ = nullptr;
  Thunk code_ = nullptr;
};

// The event of most controls: something happened to Sender.
using TNotifyEvent = TEvent<void(TObject* Sender)>;
