#pragma once
// TCursorHintWindow: a cursor hint form (TfrmCursorHint) as the task
// cursors see it (TCursorHint). The adapter is a component owned by the form,
// so it goes when the form goes, and its destruction tells the cursor that
// uses it.
//
// The form is made without owner, hidden, not moving the pointer onto
// itself, as a child window of the host form when one is given; without one
// it is a top-level window placed in screen coordinates.
//
// Hand-over: the hint is hidden, made a child of the application's main form
// and message 0x0465 (WM_CURSORHINT_RELEASE) is posted to the main form with
// the hint window's handle; the receiver (a hook of the application's message
// loop that UseCursorHintWindows installs) frees the form; a form whose
// message a modal loop of the system dispatched past that hook is freed at
// the next hand-over or when the unit stops. Without a main
// form, or once the message loop has ended, there is no hand-over: the caller
// closes the hint.

#include <windows.h>

#include "framework/Component.h"
#include "tasks/CursorHint.h"

class TfrmCursorHint;

constexpr UINT WM_CURSORHINT_RELEASE = WM_USER + 101;  // 0x0465

class TCursorHintWindow : public TComponent, public TCursorHint {
public:
  // Makes the form and its adapter; hostForm may be null.
  static TCursorHintWindow* Create(TComponent* hostForm);
  ~TCursorHintWindow() override;

  TfrmCursorHint* Form() const { return form_; }

  void SetHintText(const std::string& text) override;
  const std::string& HintText() const override;
  int HintLineCount() const override;
  bool Visible() const override;
  void SetVisible(bool visible) override;
  TPixelRect Bounds() const override;
  void MoveTo(int32_t left, int32_t top) override;
  TPixelRect ParentClientRect() const override;
  TPixelPoint ScreenToParent(TPixelPoint p) const override;
  bool ScreenPointInClient(TPixelPoint p) const override;
  void Close() override;

  // Hands the hint over to the application's main form; false when there is
  // none to take it.
  bool HandOver();

private:
  explicit TCursorHintWindow(TfrmCursorHint* form);
  TfrmCursorHint* form_;  // the owner
};

// Lets the task cursors show their hints in cursor hint forms and installs
// the main form's receiver of handed-over hints (after TasksUnitStart and
// the application's creation; TasksUnitStop undoes it).
void UseCursorHintWindows();

// The receiver of WM_CURSORHINT_RELEASE: frees the hint form whose window the
// message names. True when the message was one.
bool ReleaseHandedOverHint(UINT message, WPARAM wParam);
