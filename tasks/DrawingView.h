#pragma once
// TDrawingView: the part of a host's drawing view that the task framework
// uses. Its coordinate states live in a swap file of 48-byte TViewState
// records numbered from 1; one of them is in force (State, number StateNo).
// The conversions between world coordinates and the view control's client
// pixels are method references that work on the state in force.
//
// The framework switches to state 2 before it converts or tests positions
// (SelectState(2)) and back afterwards; a number outside 1..Count changes
// nothing, so a view with fewer than two states keeps its state in force.

#include <cstdint>
#include <exception>

#include "framework/Event.h"
#include "framework/Object.h"
#include "swap/SwapStore.h"

struct TViewState {
  double Reserved[2];  // the host's
  double HMin, VMin, HMax, VMax;  // the visible window, in world units
};
static_assert(sizeof(TViewState) == 48, "view states are 48-byte records");

using TWorldToScreenEvent = TEvent<int32_t(double World)>;
using TScreenToWorldEvent = TEvent<double(int32_t Pixel)>;

class TDrawingView : public TObject {
public:
  // states: the store of coordinate states, not owned.
  explicit TDrawingView(TSwapFile* states) : States(states) {}

  // Loads state n when 1 <= n <= Count (a failed read changes nothing), then
  // runs the two recomputations.
  void ApplyState(int32_t n);
  // ApplyState(n); returns the number in force before.
  int32_t SelectState(int32_t n);
  // The point lies in the window of the state in force (edges inside).
  bool InView(double h, double v) const {
    return State.HMin <= h && h <= State.HMax && State.VMin <= v && v <= State.VMax;
  }

  int32_t WorldToScreenXOf(double w) const { return WorldToScreenX ? WorldToScreenX(w) : 0; }
  int32_t WorldToScreenYOf(double w) const { return WorldToScreenY ? WorldToScreenY(w) : 0; }
  double ScreenToWorldXOf(int32_t p) const { return ScreenToWorldX ? ScreenToWorldX(p) : 0.0; }
  double ScreenToWorldYOf(int32_t p) const { return ScreenToWorldY ? ScreenToWorldY(p) : 0.0; }

  TSwapFile* States;  // not owned
  int32_t StateNo = 0;
  TViewState State{};
  TWorldToScreenEvent WorldToScreenX, WorldToScreenY;
  TScreenToWorldEvent ScreenToWorldX, ScreenToWorldY;

protected:
  // Recomputations after a state is loaded, in this order.
  virtual void StateLoaded() {}
  virtual void StateLoadedLate() {}
};

// Switches a view to a state for a scope and back however the scope ends
// (Restore switches back earlier).
class TViewStateScope {
public:
  TViewStateScope(TDrawingView* view, int32_t n)
      : view_(view), previous_(view->SelectState(n)), exceptions_(std::uncaught_exceptions()) {}
  ~TViewStateScope() noexcept(false) {
    if (!armed_) return;
    if (std::uncaught_exceptions() == exceptions_) {
      view_->ApplyState(previous_);
      return;
    }
    try {
      view_->ApplyState(previous_);
    } catch (...) {
      // Leaving by an exception already: that one is reported.
    }
  }
  TViewStateScope(const TViewStateScope&) = delete;
  TViewStateScope& operator=(const TViewStateScope&) = delete;

  int32_t Previous() const { return previous_; }
  void Restore() {
    armed_ = false;
    view_->ApplyState(previous_);
  }

private:
  TDrawingView* view_;
  int32_t previous_;
  int exceptions_;
  bool armed_ = true;
};
