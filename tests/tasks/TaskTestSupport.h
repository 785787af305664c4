#pragma once
// Test support for the task framework without windows: a platform that
// records what the framework asks of the system, a drawing view over a swap
// file of coordinate states with linear conversions, a view control and a
// hint window that record their calls, a provider that hands out a record,
// and a task that logs its overridable operations.
//
// The test world: state 2 shows h in [0, 20] and v in [0, 10] at 10 pixels a
// unit on a 200 x 100 pixel view whose client origin lies at screen (100, 50);
// v grows upwards, so screen y = (10 - v) * 10.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "swap/Swapfile.h"
#include "tasks/CursorHint.h"
#include "tasks/CursorViewControl.h"
#include "tasks/CursorViewInfo.h"
#include "tasks/DrawingView.h"
#include "tasks/TaskCallScope.h"
#include "tasks/TaskManager.h"
#include "tasks/TaskObj.h"
#include "tasks/TaskPlatform.h"

namespace tasktest {

// One shared log of what happened, in order.
inline std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}
inline std::string Joined(const std::vector<std::string>& items) {
  std::string s;
  for (const auto& i : items) s += (s.empty() ? "" : " ") + i;
  return s;
}
// The log since the last call, joined by blanks.
inline std::string TakeLog() {
  std::string s = Joined(Log());
  Log().clear();
  return s;
}

class TFakeHint : public TCursorHint {
public:
  ~TFakeHint() override { NotifyDestroyed(); }
  void SetHintText(const std::string& text) override {
    text_ = text;
    int lines = 1;
    for (char c : text) lines += c == '|';
    lines_ = lines;
    bounds_.Right = bounds_.Left + 6 * static_cast<int32_t>(text.size());
    bounds_.Bottom = bounds_.Top + 14 * lines;
  }
  const std::string& HintText() const override { return text_; }
  int HintLineCount() const override { return lines_; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override {
    visible_ = visible;
    Log().push_back(visible ? "hint.show" : "hint.hide");
  }
  TPixelRect Bounds() const override { return bounds_; }
  void MoveTo(int32_t left, int32_t top) override {
    bounds_ = {left, top, left + bounds_.Width(), top + bounds_.Height()};
  }
  TPixelRect ParentClientRect() const override { return ParentRect; }
  TPixelPoint ScreenToParent(TPixelPoint p) const override { return {p.X - ParentOrigin.X, p.Y - ParentOrigin.Y}; }
  bool ScreenPointInClient(TPixelPoint p) const override {
    TPixelRect screen{bounds_.Left + ParentOrigin.X, bounds_.Top + ParentOrigin.Y, bounds_.Right + ParentOrigin.X,
                      bounds_.Bottom + ParentOrigin.Y};
    return screen.Contains(p);
  }
  void Close() override {
    Log().push_back("hint.close");
    delete this;
  }

  TPixelRect ParentRect{0, 0, 640, 480};
  TPixelPoint ParentOrigin{0, 0};

private:
  std::string text_;
  int lines_ = 1;
  bool visible_ = false;
  TPixelRect bounds_{0, 0, 0, 14};
};

class TRecordingTimer : public TValueTimer {};

class TRecordingPlatform : public TTaskPlatform {
public:
  ~TRecordingPlatform() override {
    for (TCursorHint* h : HandedOver) delete h;
  }
  void ShowSystemPointer(bool show) override {
    PointerCounter += show ? 1 : -1;
    Log().push_back(show ? "pointer.show" : "pointer.hide");
  }
  TPixelPoint PointerPos() override { return Pointer; }
  void SetPointerPos(TPixelPoint p) override {
    Pointer = p;
    ++PointerMoves;
  }
  bool KeyDown(int vk) override { return KeysDown.count(vk) != 0; }
  void SetMouseParams(int t1, int t2, int accel) override {
    Mouse[0] = t1;
    Mouse[1] = t2;
    Mouse[2] = accel;
    ++MouseWrites;
  }
  bool ReadMouseSetting(const std::string& name, std::string& value) override {
    if (!MouseKeyPresent) return false;
    auto it = MouseRegistry.find(name);
    if (it == MouseRegistry.end()) return false;
    value = it->second;
    return true;
  }
  bool MouseMoveQueued() override { return MoveQueued; }
  bool MouseButtonQueued() override { return ButtonQueued; }
  TPixelPoint LastMessagePos() override { return LastMessage; }
  uintptr_t WindowUnderPointer() override { return UnderPointer; }
  void FlushGraphics() override { Log().push_back("flush"); }
  void CopyPixels(TSurface dest, TSurface source, const TPixelRect& r) override {
    Log().push_back("copy " + Name(source) + ">" + Name(dest) + " " + std::to_string(r.Left) + "," +
                    std::to_string(r.Top) + "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom));
  }
  TPixelRect ClipBox(TSurface) override { return Clip; }
  bool PointVisible(TSurface, TPixelPoint p) override { return Clip.Contains(p); }
  std::unique_ptr<TCursorBuffer> CreateBuffer() override { return std::make_unique<TBuffer>(); }
  std::unique_ptr<TCursorTimer> CreateTimer() override { return std::make_unique<TRecordingTimer>(); }
  TCursorHint* CreateHintWindow(TComponent*) override {
    Log().push_back("hint.create");
    return new TFakeHint;
  }
  bool HandOverHint(TCursorHint* hint) override {
    if (!HasMainForm) return false;
    Log().push_back("hint.handover");
    HandedOver.push_back(hint);
    return true;
  }
  void CancelApplicationHint() override {}
  void NotifyHintChanged(TObject*) override { ++HintNotifications; }

  static std::string Name(TSurface s) {
    switch (s) {
      case 1: return "own";
      case 2: return "back";
      case 3: return "screen";
      case 9: return "buffer";
      default: return std::to_string(s);
    }
  }
  class TBuffer : public TValueBuffer {
  public:
    TSurface Surface() const override { return 9; }
  };

  int PointerCounter = 0;
  TPixelPoint Pointer{};
  int PointerMoves = 0;
  std::map<int, bool> KeysDown;
  int Mouse[3] = {6, 10, 1};
  int MouseWrites = 0;
  bool MouseKeyPresent = true;
  std::map<std::string, std::string> MouseRegistry{
      {"MouseThreshold1", "6"}, {"MouseThreshold2", "10"}, {"MouseSpeed", "1"}};
  bool MoveQueued = false, ButtonQueued = false;
  TPixelPoint LastMessage{};
  uintptr_t UnderPointer = 0;
  TPixelRect Clip{0, 0, 200, 100};
  bool HasMainForm = true;
  std::vector<TCursorHint*> HandedOver;
  int HintNotifications = 0;
};

class TTestView : public TDrawingView {
public:
  explicit TTestView(TSwapFile* states) : TDrawingView(states) {
    WorldToScreenX = TWorldToScreenEvent::Of<&TTestView::ToX>(this);
    WorldToScreenY = TWorldToScreenEvent::Of<&TTestView::ToY>(this);
    ScreenToWorldX = TScreenToWorldEvent::Of<&TTestView::FromX>(this);
    ScreenToWorldY = TScreenToWorldEvent::Of<&TTestView::FromY>(this);
  }
  int32_t ToX(double w) { return static_cast<int32_t>(std::lround((w - State.HMin) * Scale)); }
  int32_t ToY(double w) { return static_cast<int32_t>(std::lround((State.VMax - w) * Scale)); }
  double FromX(int32_t p) { return State.HMin + p / Scale; }
  double FromY(int32_t p) { return State.VMax - p / Scale; }

  double Scale = 10.0;
  int Loads = 0;

protected:
  void StateLoaded() override { ++Loads; }
};

class TTestControl : public TCursorViewControl {
public:
  uint8_t PaintMode() const override { return Mode; }
  bool IsPaintBox() const override { return PaintBox; }
  bool InExtent(double h, double v) const override { return 0 <= h && h <= 20 && 0 <= v && v <= 10; }
  void Redraw() override { Log().push_back("redraw"); }
  void UpdateNow() override {}
  TPixelRect ViewClientRect() const override { return {0, 0, 200, 100}; }
  TPixelPoint ViewClientToScreen(TPixelPoint p) const override { return {p.X + 100, p.Y + 50}; }
  TPixelPoint ViewScreenToClient(TPixelPoint p) const override { return {p.X - 100, p.Y - 50}; }
  bool ViewFocused() const override { return Focused; }
  uintptr_t ViewWindow() const override { return 77; }
  void ReleaseFormFocus() override { Log().push_back("release-focus"); }
  TSurface OwnSurface() override { return 1; }
  TSurface BackBufferSurface() override { return 2; }
  TSurface ScreenSurface() override { return 3; }

  uint8_t Mode = 1;
  bool PaintBox = true;
  bool Focused = true;
};

class TTestProvider : public TCursorViewInfo {
public:
  bool HasView() override { return Has; }
  void GetInfo(TCursorViewRec& rec) override {
    ++Reads;
    rec = Rec;
  }
  TCursorViewRec Rec;
  bool Has = true;
  int Reads = 0;
};

// A task that logs its overridable operations as "<name>.<operation>".
class TRecTask : public TTaskObj {
public:
  TRecTask(const std::string& name, int32_t level) : TTaskObj(level), Name(name) {}
  void Activate() override {
    Note("Activate");
    TTaskObj::Activate();
  }
  void Deactivate() override {
    Note("Deactivate");
    TTaskObj::Deactivate();
  }
  void Interrupted(TTaskObj* t) override { Note("Interrupted(" + static_cast<TRecTask*>(t)->Name + ")"); }
  void Resumed() override { Note("Resumed"); }
  void Started() override {
    Note("Started");
    if (EndInStarted) EndTask();
  }
  void Accept(TObject* s) override {
    Note("Accept");
    TTaskObj::Accept(s);
  }
  void Cancel(TObject* s) override {
    Note("Cancel");
    TTaskObj::Cancel(s);
  }
  void DotKey(TObject*) override { Note("DotKey"); }
  void CtrlAKey(TObject*) override { Note("CtrlAKey"); }
  void CursorMoved(TTaskCursor*, const TWorldPoint& p) override {
    Note("Moved(" + Num(p.C[0]) + "," + Num(p.C[1]) + ")");
    if (ThrowOnMove) throw std::runtime_error("host handler failed");
    if (EndOnMove) EndTask();
  }
  void CursorShown(TTaskCursor* c) override { Note(std::string("Shown(") + (c->FVisible ? "1" : "0") + ")"); }

  void Note(const std::string& op) {
    if (Quiet) return;
    Log().push_back(Name + "." + op);
  }
  static std::string Num(double d) {
    char b[32];
    std::snprintf(b, sizeof b, "%g", d);
    return b;
  }

  std::string Name;
  bool Quiet = false;
  bool EndInStarted = false;
  bool ThrowOnMove = false;
  bool EndOnMove = false;
};

// A platform installed and the swap unit started around every test; a view
// with states 1 and 2 (and the given number of further states) through a
// provider.
class TaskFixture : public ::testing::Test {
protected:
  void SetUp() override {
    SwapfileUnitStart();
    SetTaskPlatform(&platform);
    states = new TSwapFile(static_cast<int32_t>(sizeof(TViewState)));
    AddState(-100, -100, 100, 100);  // state 1: the host's
    AddState(0, 0, 20, 10);          // state 2: what the cursor works in
    view = std::make_unique<TTestView>(states);
    view->ApplyState(1);
    Log().clear();
  }
  void TearDown() override {
    view.reset();
    delete states;
    SetTaskPlatform(nullptr);
    SwapfileUnitStop();
    Log().clear();
  }
  void AddState(double hmin, double vmin, double hmax, double vmax) {
    TViewState s{{0, 0}, hmin, vmin, hmax, vmax};
    states->AppendRec(&s);
  }
  // A provider reporting the test view (h = 1, v = 2, depth = 3).
  TTestProvider* NewProvider() {
    auto* p = new TTestProvider;
    TCursorViewRec& r = p->Rec;
    r.HorzCoord = 1;
    r.VertCoord = 2;
    r.DepthCoord = 3;
    r.SnapStep = 0.5;
    r.Factor = 0.1;
    r.Steps[0] = r.Steps[1] = r.Steps[2] = 1.0;
    r.View = view.get();
    r.Control = &control;
    return p;
  }

  TRecordingPlatform platform;
  TSwapFile* states = nullptr;
  std::unique_ptr<TTestView> view;
  TTestControl control;
};

}  // namespace tasktest
