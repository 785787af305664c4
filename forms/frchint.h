#pragma once
// TfrmCursorHint: the small tooltip-like window the task framework shows next
// to its drawn cursor. It holds one label, sizes itself to the text plus
// fixed margins, and lays out long texts over several lines (HintText.h):
// "|" in the text breaks a line, and a text wider than three quarters of the
// screen is broken at places that suit formulas and lists.
//
// Its size follows the text at the next change of its bounds (every
// SetBounds, a move included, takes the label's size plus the margins), not
// at SetHintText itself. It has neither caption nor frame, a raised edge
// around its client area, and no visible Header. Closing it frees it.
//
// Its user makes it without owner, hidden, and gives it a parent; the
// layout is resources/frchint.layout.

#include <cstdint>
#include <string>

#include "forms/Floatfrm.h"
#include "framework/Label.h"

class TfrmCursorHint : public TFloatingForm {
public:
  explicit TfrmCursorHint(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // From the layout; owned by the form.
  TLabel* lbHint = nullptr;

  // Stores and lays out a new hint text.
  void SetHintText(const std::string& text);
  // The text as last given to SetHintText, before the layout.
  const std::string& HintText() const { return FHintText; }
  // 1 + the carriage returns in the label's caption.
  int HintLineCount() const;
  int HorzMargin() const { return FHorzMargin; }
  int VertMargin() const { return FVertMargin; }
  // Store the margin, then raise the form's resize event.
  void SetHorzMargin(int value);
  void SetVertMargin(int value);

  // Published handlers; the create, show and close handlers stand in for the
  // ancestors' ones of the same names and call them first.
  void FormCreate(TObject* Sender);
  void FormPaint(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Allow);
  void FormShow(TObject* Sender);

  // The hint's mouse events are not raised: it only shows a text.
  void MouseDown(TMouseButton, TShiftState, int, int) override {}
  void MouseUp(TMouseButton, TShiftState, int, int) override {}
  void MouseMove(TShiftState, int, int) override {}

protected:
  void CreateParams(TCreateParams& params) override;
  void FormStyles(DWORD& style, DWORD& exStyle) const override;

private:
  void SetHintFont();

  std::string FHintText;
  int FVertMargin = 2;
  int FHorzMargin = 5;
};
