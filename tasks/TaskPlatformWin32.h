#pragma once
// TWin32TaskPlatform: the task framework's system calls on Windows (user32,
// gdi32, advapi32), installed by TasksUnitStart. Surfaces are device
// contexts. Hint windows come from the factory the task unit sets (cursor
// hint forms); a hint is handed over to the application's main form with
// message 0x0465, whose receiver frees the form (TasksUnit.cpp).

#include "tasks/TaskPlatform.h"

class TWin32TaskPlatform : public TTaskPlatform {
public:
  using THintFactory = TCursorHint* (*)(TComponent* hostForm);
  using THintHandOver = bool (*)(TCursorHint* hint);

  void ShowSystemPointer(bool show) override;
  TPixelPoint PointerPos() override;
  void SetPointerPos(TPixelPoint p) override;
  bool KeyDown(int virtualKey) override;
  void SetMouseParams(int threshold1, int threshold2, int acceleration) override;
  bool ReadMouseSetting(const std::string& name, std::string& value) override;
  bool MouseMoveQueued() override;
  bool MouseButtonQueued() override;
  TPixelPoint LastMessagePos() override;
  uintptr_t WindowUnderPointer() override;
  void FlushGraphics() override;
  void CopyPixels(TSurface dest, TSurface source, const TPixelRect& r) override;
  TPixelRect ClipBox(TSurface surface) override;
  bool PointVisible(TSurface surface, TPixelPoint p) override;
  std::unique_ptr<TCursorBuffer> CreateBuffer() override;
  std::unique_ptr<TCursorTimer> CreateTimer() override;
  TCursorHint* CreateHintWindow(TComponent* hostForm) override;
  bool HandOverHint(TCursorHint* hint) override;
  void CancelApplicationHint() override {}
  void NotifyHintChanged(TObject* sender) override;

  THintFactory HintFactory = nullptr;
  THintHandOver HintHandOver = nullptr;
  void (*HintsOff)() = nullptr;  // undoes what switched hint windows on
};

// A 32-bit top-down DIB section with a memory device context that keeps it
// selected (the cursor's buffer; also usable as a view's back buffer).
class TDibSurface : public TCursorBuffer {
public:
  TDibSurface();
  ~TDibSurface() override;
  void SetSize(int32_t width, int32_t height) override;
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  TSurface Surface() const override { return dc_; }

private:
  TSurface dc_ = 0;
  uintptr_t bitmap_ = 0;
  uintptr_t old_ = 0;
  int32_t width_ = 0, height_ = 0;
};
