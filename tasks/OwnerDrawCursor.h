#pragma once
// TOwnerDrawCursor: a cursor drawn over a control's picture by its owner's
// draw handler, with counted visibility, two painting schemes and a hint
// window that appears after the cursor rests.
//
// Visibility: FShowCount counts SetShown requests; the cursor should be on
// screen while it is above 0, and FVisible says whether it is. FPaintLocked
// freezes what is on screen while the counter goes on counting. When the
// cursor becomes visible FOnShowChange comes before the drawing and the
// system pointer is hidden one step; when it becomes invisible the drawing is
// removed first, then the event, then the pointer is shown again. The pointer
// is shown again only if this cursor hid it (FPointerHidden), so the
// system's display counter stays balanced whatever the handlers do.
//
// Schemes: draw/undraw (FBuffered false) calls FOnDraw to draw and again to
// remove the drawing; buffered repaints the union of the old and the new
// drawing area in one save - draw - flush pass from a clean copy of the
// picture (SaveBackground, FlushRect and RestoreBackground are supplied by
// descendants).
//
// Hide/Show bracket a change (position, drawing state) and leave the counter
// as it was; a Show that pairs a Hide, and the re-show of SetX, SetY and
// SetKeepSystemCursor, is marked as paired (TakePaired) so that
// descendants can tell it from a show request of the owner.
//
// Close() is the visible part of destruction (hint closed, drawing removed,
// event raised, pointer shown), run by the owner before deleting the cursor
// so that descendants' overrides are reached; afterwards the cursor is closed
// and ignores show requests. The destructor closes a cursor not yet closed.
//
// Hint: every move restarts the pause (when FHintEnabled); when it ends while
// the cursor is visible, the hint window is made (CreateHint), placed near
// the pointer and shown; it closes when the cursor moves more than
// FHintTolerance pixels from where the hint was shown, or onto the window.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Event.h"
#include "framework/Object.h"
#include "tasks/CursorHint.h"
#include "tasks/TaskPlatform.h"
#include "tasks/TaskTypes.h"

class TOwnerDrawCursor : public TObject {
public:
  using TGetHintEvent = TEvent<void(std::string& Text)>;
  using TDrawEvent = TEvent<void(bool Visible, int32_t X, int32_t Y, int32_t Tag)>;

  explicit TOwnerDrawCursor(int32_t tag);
  ~TOwnerDrawCursor() override;

  virtual void Draw();
  virtual void GetPos(TPixelPoint& p);
  virtual void SetPos(TPixelPoint p);
  virtual void SaveBackground(const TPixelRect& r);
  virtual void FlushRect(const TPixelRect& r);
  virtual void RestoreBackground(const TPixelRect& r);
  virtual void GetBounds(TPixelRect& r);
  virtual void BeforeHint();
  virtual void AfterHint();
  virtual void GetCursorHint(std::string& text);
  virtual void CloseHint();
  virtual void Hide();
  virtual void Show();
  virtual void SetShown(bool show);
  virtual void GetScreenPos(TPixelPoint& p);
  virtual void CreateHint();
  virtual void ShowHint(bool show);
  virtual void Moved();
  virtual void HideHint();
  virtual void PlaceHint();
  virtual void UpdateHintText();

  void Paint();
  void Erase();
  void SetX(int32_t x);
  void SetY(int32_t y);
  void SetKeepSystemCursor(bool value);
  void RestartHintTimer();
  void HintTimerTick(TObject* sender);
  bool PointInHint(TPixelPoint screen);

  void Close();
  bool Closed() const { return FClosed; }
  // Called by the hint window this cursor uses while it is destroyed.
  void HintDestroyed(TCursorHint* hint);
  TCursorTimer* HintTimer() const { return FHintTimer.get(); }
  TCursorBuffer* Buffer() const { return FBuffer.get(); }

  TNotifyEvent FOnCreateHint;
  int32_t FTag;
  int32_t FShowCount = 0;
  bool FVisible = false;
  int32_t FX = 0, FY = 0;
  int32_t FDrawTag = 0;
  double FSnapStep = 0.001;
  bool FKeepSystemCursor = false;
  bool FPaintEnabled = true;
  bool FPaintLocked = false;
  bool FBuffered = false;
  bool FHintEnabled = false;
  TCursorHint* FHint = nullptr;  // not owned: it frees itself or is handed over
  int32_t FHintDelay = 2000;
  int32_t FHintOffsetX = 7;
  int32_t FHintOffsetY = -7;
  int32_t FHintTolerance = 15;
  bool FHintFollows = false;
  TPixelRect FPaintRect, FOldRect, FNewRect;
  int32_t FHintX = 0, FHintY = 0;
  TGetHintEvent FOnGetHint;
  TDrawEvent FOnDraw;
  TNotifyEvent FOnShowChange;
  TNotifyEvent FOnBeforeHint;
  TNotifyEvent FOnAfterHint;

protected:
  // Whether the SetShown call now running is one half of a Hide/Show pair
  // (read once, at the start of SetShown).
  bool TakePaired() {
    bool paired = FPaired;
    FPaired = false;
    return paired;
  }
  // SetShown marked as one half of a pair.
  void PairedSetShown(bool show) {
    FPaired = true;
    SetShown(show);
  }
  // Runs body between Hide and Show; Show runs however body ends.
  template <class F>
  void WithHidden(F&& body) {
    Hide();
    try {
      body();
    } catch (...) {
      try {
        Show();
      } catch (...) {
      }
      throw;
    }
    Show();
  }
  void ReleaseHint();

  bool FClosed = false;

private:
  void ShowPointerIfHidden();

  std::unique_ptr<TCursorTimer> FHintTimer;
  std::unique_ptr<TCursorBuffer> FBuffer;
  bool FPointerHidden = false;  // this cursor hid the system pointer one step
  bool FPaired = false;
};

// Sets a flag for a scope and puts the old value back however it ends.
class TFlagScope {
public:
  TFlagScope(bool& flag, bool value) : flag_(flag), old_(flag) { flag_ = value; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
  bool old_;
};
