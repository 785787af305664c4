#include "tasks/OwnerDrawCursor.h"

#include <cstdlib>

void TCursorHint::NotifyDestroyed() {
  if (user_) user_->HintDestroyed(this);
  user_ = nullptr;
}

TOwnerDrawCursor::TOwnerDrawCursor(int32_t tag)
    : FTag(tag), FHintTimer(TaskPlatform().CreateTimer()), FBuffer(TaskPlatform().CreateBuffer()) {
  FHintTimer->SetEnabled(false);
  FHintTimer->SetInterval(static_cast<uint32_t>(FHintDelay));
  FHintTimer->OnTimer = TNotifyEvent::Of<&TOwnerDrawCursor::HintTimerTick>(this);
}

TOwnerDrawCursor::~TOwnerDrawCursor() {
  try {
    Close();
  } catch (...) {
    // A handler failed while the cursor was going away: nothing is left to
    // report it to; the pointer is shown again all the same.
  }
  ShowPointerIfHidden();
  ReleaseHint();
}

void TOwnerDrawCursor::Close() {
  if (FClosed) return;
  HideHint();
  FHintTimer->SetEnabled(false);
  FHintTimer->OnTimer = TNotifyEvent();
  const bool wasVisible = FVisible;
  FClosed = true;
  try {
    if (wasVisible) {
      Erase();
      if (FOnShowChange) FOnShowChange(this);
    }
  } catch (...) {
    ShowPointerIfHidden();
    throw;
  }
  ShowPointerIfHidden();
}

void TOwnerDrawCursor::ShowPointerIfHidden() {
  if (!FPointerHidden) return;
  FPointerHidden = false;
  TaskPlatform().ShowSystemPointer(true);
}

void TOwnerDrawCursor::Draw() {
  if (FOnDraw) FOnDraw(FVisible, FX, FY, FDrawTag);
}

void TOwnerDrawCursor::GetPos(TPixelPoint& p) { p = {FX, FY}; }

void TOwnerDrawCursor::SetPos(TPixelPoint p) {
  if (p.X == FX && p.Y == FY) return;
  if (FVisible) {
    WithHidden([&] {
      FX = p.X;
      FY = p.Y;
    });
  } else {
    FX = p.X;
    FY = p.Y;
  }
  Moved();
  RestartHintTimer();
}

void TOwnerDrawCursor::SaveBackground(const TPixelRect&) {}
void TOwnerDrawCursor::FlushRect(const TPixelRect&) {}
void TOwnerDrawCursor::RestoreBackground(const TPixelRect&) {}
void TOwnerDrawCursor::GetBounds(TPixelRect& r) { r = {}; }

void TOwnerDrawCursor::BeforeHint() {
  if (FOnBeforeHint) FOnBeforeHint(this);
}

void TOwnerDrawCursor::AfterHint() {
  if (FOnAfterHint) FOnAfterHint(this);
}

void TOwnerDrawCursor::GetCursorHint(std::string& text) {
  text.clear();
  if (FOnGetHint) FOnGetHint(text);
}

void TOwnerDrawCursor::CloseHint() {
  if (!FHint) return;
  BeforeHint();
  FHint->Close();
  AfterHint();
}

void TOwnerDrawCursor::Hide() {
  if (FClosed) return;
  if (!FBuffered) {
    TFlagScope keep(FKeepSystemCursor, true);
    TFlagScope hint(FHintEnabled, false);
    PairedSetShown(false);
    return;
  }
  // The drawing stays on screen: the next Show repaints the old and the new
  // area in one pass.
  --FShowCount;
  if (FShowCount <= 0) FVisible = false;
}

void TOwnerDrawCursor::Show() {
  if (FClosed) return;
  if (FBuffered && FShowCount + 1 <= 0) {
    ++FShowCount;
    return;
  }
  TFlagScope keep(FKeepSystemCursor, true);
  PairedSetShown(true);
}

void TOwnerDrawCursor::SetShown(bool show) {
  TakePaired();
  if (FClosed) return;
  FShowCount += show ? 1 : -1;
  const bool v = FShowCount > 0;
  if (v == FVisible || FPaintLocked) return;
  FVisible = v;
  if (v) {
    if (FOnShowChange) FOnShowChange(this);
    if (!FKeepSystemCursor && !FPointerHidden) {
      TaskPlatform().ShowSystemPointer(false);
      FPointerHidden = true;
    }
    Paint();
    return;
  }
  try {
    Paint();
    if (FOnShowChange) FOnShowChange(this);
  } catch (...) {
    if (!FKeepSystemCursor) ShowPointerIfHidden();
    throw;
  }
  if (!FKeepSystemCursor) ShowPointerIfHidden();
}

void TOwnerDrawCursor::Paint() {
  if (!FPaintEnabled || FPaintLocked) return;
  if (!FBuffered) {
    Draw();
    return;
  }
  if (FVisible) {
    GetBounds(FNewRect);
    if (FNewRect.Empty()) return;
    FPaintRect = UnionRect(FNewRect, FOldRect);
    SaveBackground(FPaintRect);
    Draw();
    FlushRect(FPaintRect);
    FOldRect = FNewRect;
  } else if (!FOldRect.Empty()) {
    RestoreBackground(FOldRect);
    FOldRect = {};
  }
}

void TOwnerDrawCursor::Erase() {
  if (!FVisible) return;
  FVisible = false;
  Paint();
}

void TOwnerDrawCursor::SetX(int32_t x) {
  if (x == FX) return;
  PairedSetShown(false);
  FX = x;
  PairedSetShown(true);
  Moved();
  RestartHintTimer();
}

void TOwnerDrawCursor::SetY(int32_t y) {
  if (y == FY) return;
  PairedSetShown(false);
  FY = y;
  PairedSetShown(true);
  Moved();
  RestartHintTimer();
}

void TOwnerDrawCursor::SetKeepSystemCursor(bool value) {
  if (value == FKeepSystemCursor) return;
  if (!FVisible) {
    FKeepSystemCursor = value;
    return;
  }
  PairedSetShown(false);
  FKeepSystemCursor = value;
  PairedSetShown(true);
}

void TOwnerDrawCursor::GetScreenPos(TPixelPoint& p) { p = {FX, FY}; }

void TOwnerDrawCursor::CreateHint() {
  if (FOnCreateHint) FOnCreateHint(this);
}

void TOwnerDrawCursor::ShowHint(bool show) {
  if (!FHint) return;
  BeforeHint();
  FHint->SetVisible(show && !FHint->HintText().empty());
  FHintX = FX;
  FHintY = FY;
  TPixelRect b = FHint->Bounds();
  const TPixelRect c = FHint->ParentClientRect();
  if (b.Left < 0) b.Left = 2;
  if (c.Right < b.Right) b.Left = c.Right - (b.Right - b.Left) - 2;
  if (b.Top < 0) b.Top = 2;
  if (c.Bottom < b.Bottom) b.Top = c.Bottom - (b.Bottom - b.Top) - 2;
  FHint->MoveTo(b.Left, b.Top);
  AfterHint();
}

void TOwnerDrawCursor::Moved() {
  if (!FHint || !FHint->Visible()) return;
  if (FHintFollows) {
    PlaceHint();
    return;
  }
  TPixelPoint s;
  GetScreenPos(s);
  if (PointInHint(s) || std::abs(FHintX - FX) > FHintTolerance || std::abs(FHintY - FY) > FHintTolerance)
    HideHint();
}

void TOwnerDrawCursor::HideHint() {
  if (FHint) {
    CloseHint();
    ReleaseHint();
  }
  FHintTimer->SetEnabled(false);
}

void TOwnerDrawCursor::ReleaseHint() {
  if (FHint) FHint->SetUser(nullptr);
  FHint = nullptr;
}

void TOwnerDrawCursor::PlaceHint() {
  if (!FHint) return;
  std::string text;
  GetCursorHint(text);
  FHint->SetHintText(text);
  const TPixelPoint p = FHint->ScreenToParent(TaskPlatform().PointerPos());
  const TPixelRect c = FHint->ParentClientRect();
  const TPixelRect b = FHint->Bounds();
  const int32_t w = b.Width(), h = b.Height();
  int32_t left = p.X + FHintOffsetX;
  if (c.Width() < left + w) left = c.Width() - w - std::abs(FHintOffsetX);
  int32_t top = FHintOffsetY < 0 ? p.Y + FHintOffsetY - h : p.Y + FHintOffsetY;
  if (c.Height() < top + h) top = p.Y - std::abs(FHintOffsetY) - h;
  const int n = FHint->HintLineCount();
  if (n > 1) top -= 2 * n;
  BeforeHint();
  if (FHint) FHint->MoveTo(left, top);
  AfterHint();
}

void TOwnerDrawCursor::UpdateHintText() {
  if (!FHint) return;
  std::string text;
  GetCursorHint(text);
  FHint->SetHintText(text);
}

void TOwnerDrawCursor::RestartHintTimer() {
  if (!FHintEnabled || FClosed) return;
  FHintTimer->Restart(static_cast<uint32_t>(FHintDelay));
}

void TOwnerDrawCursor::HintTimerTick(TObject*) {
  if (!FVisible || FClosed) return;
  FHintTimer->SetEnabled(false);
  if (!FHint) {
    CreateHint();
    if (FHint) FHint->SetUser(this);
  }
  if (FHint) {
    PlaceHint();
    ShowHint(true);
  }
}

bool TOwnerDrawCursor::PointInHint(TPixelPoint screen) { return FHint && FHint->ScreenPointInClient(screen); }

void TOwnerDrawCursor::HintDestroyed(TCursorHint* hint) {
  if (FHint == hint) FHint = nullptr;
}
