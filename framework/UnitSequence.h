#pragma once
// TUnitSequence: starts a program's units in order and stops them in the
// reverse order.
//
// States: each unit is either stopped or started; units start strictly in
// list order, so the started ones are always a prefix of the list.
//   construction  starts every unit in order. When one fails to start (its
//                 start raises), the ones already started are stopped, last
//                 started first, the failure is traced ("<unit>: start
//                 failed: <message>") and raised again: a unit whose start
//                 failed leaves nothing of itself behind (its own start's
//                 duty), so nothing is left started.
//   Stop()        stops the started units, last started first; a unit whose
//                 stop raises is traced ("<unit>: stop failed: <message>")
//                 and the others still stop. The destructor calls it.
// A unit without a stop operation has nothing to stop.

#include <span>

struct TUnit {
  const char* Name;
  void (*Start)();
  void (*Stop)();  // may be null
};

class TUnitSequence {
public:
  explicit TUnitSequence(std::span<const TUnit> units);
  ~TUnitSequence() { Stop(); }
  TUnitSequence(const TUnitSequence&) = delete;
  TUnitSequence& operator=(const TUnitSequence&) = delete;

  void Stop() noexcept;

private:
  std::span<const TUnit> units_;
  size_t started_ = 0;
};
