#pragma once
// TCursorHint: what an owner-drawn cursor needs of its hint window (on
// Windows, a cursor hint form behind an adapter; in tests, a recording fake).
//
// Coordinates are the client coordinates of the hint window's parent, or the
// screen's when it has no parent. The window sizes itself to its text: a move
// takes only the new top-left corner.
//
// Lifetime: the window frees itself when closed, or is freed by the main form
// it was handed over to. The cursor that shows it registers as its user
// (SetUser); while it is registered, the window's destruction clears the
// cursor's reference (TOwnerDrawCursor::HintDestroyed). A cursor that lets go
// of the window unregisters first.

#include <string>

#include "tasks/TaskTypes.h"

class TOwnerDrawCursor;

class TCursorHint {
public:
  virtual ~TCursorHint() = default;
  virtual void SetHintText(const std::string& text) = 0;
  virtual const std::string& HintText() const = 0;
  virtual int HintLineCount() const = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual TPixelRect Bounds() const = 0;
  virtual void MoveTo(int32_t left, int32_t top) = 0;
  // The parent's client rectangle (the screen's without a parent).
  virtual TPixelRect ParentClientRect() const = 0;
  virtual TPixelPoint ScreenToParent(TPixelPoint p) const = 0;
  // A screen point lies in the window's client area.
  virtual bool ScreenPointInClient(TPixelPoint p) const = 0;
  // Closes the window, which frees itself.
  virtual void Close() = 0;

  void SetUser(TOwnerDrawCursor* user) { user_ = user; }
  TOwnerDrawCursor* User() const { return user_; }

protected:
  // For implementations: call while the window is being destroyed.
  void NotifyDestroyed();

private:
  TOwnerDrawCursor* user_ = nullptr;  // not owned
};
