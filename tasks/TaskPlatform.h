#pragma once
// TTaskPlatform: every system call of the task framework passes through this
// one seam, so the task, cursor and view logic runs (and is tested) without a
// window. The Windows build installs the user32/gdi32/advapi32 implementation
// when the task unit starts (TasksUnit.h); natively the null platform below
// answers "nothing there", and tests install recording platforms of their own.
//
// Drawing surfaces are opaque handles (device contexts on Windows); 0 is no
// surface. Points and rectangles are pixels.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Event.h"
#include "framework/Object.h"
#include "tasks/TaskTypes.h"

class TComponent;
class TCursorHint;

using TSurface = uintptr_t;

// A window-message timer (the cursor's hint pause).
class TCursorTimer : public TObject {
public:
  virtual void SetEnabled(bool value) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetInterval(uint32_t ms) = 0;
  virtual uint32_t Interval() const = 0;
  // Starts the pause anew: the next tick comes ms after this call (enabled,
  // interval 0, then ms). A platform may do this more cheaply, as long as
  // the tick comes no earlier.
  virtual void Restart(uint32_t ms) {
    SetEnabled(true);
    SetInterval(0);
    SetInterval(ms);
  }
  TNotifyEvent OnTimer;
};

// An off-screen bitmap with a drawing surface that stays selected for the
// buffer's lifetime (the buffered cursor's FBuffer).
class TCursorBuffer : public TObject {
public:
  // Resizes to width x height pixels; nothing when the size is unchanged.
  virtual void SetSize(int32_t width, int32_t height) = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  virtual TSurface Surface() const = 0;
};

class TTaskPlatform {
public:
  virtual ~TTaskPlatform() = default;

  // ---- pointer and keyboard
  // One step of the system pointer's display counter (ShowCursor).
  virtual void ShowSystemPointer(bool show) = 0;
  virtual TPixelPoint PointerPos() = 0;
  virtual void SetPointerPos(TPixelPoint p) = 0;
  // The high bit of the key's state is set.
  virtual bool KeyDown(int virtualKey) = 0;

  // ---- mouse settings of the logon
  // Sets threshold 1, threshold 2 and acceleration for the current logon,
  // without writing them to the user's profile.
  virtual void SetMouseParams(int threshold1, int threshold2, int acceleration) = 0;
  // A text value of HKEY_CURRENT_USER\Control Panel\Mouse, opened for reading
  // only; false when the key or the value cannot be read.
  virtual bool ReadMouseSetting(const std::string& name, std::string& value) = 0;

  // ---- the thread's message queue
  virtual bool MouseMoveQueued() = 0;
  virtual bool MouseButtonQueued() = 0;
  // The pointer position recorded with the last retrieved message.
  virtual TPixelPoint LastMessagePos() = 0;
  // The window under the pointer (opaque handle).
  virtual uintptr_t WindowUnderPointer() = 0;

  // ---- drawing
  // Finishes pending graphics output (before every copy).
  virtual void FlushGraphics() = 0;
  // Plain pixel copy of r from source to dest, to the same place.
  virtual void CopyPixels(TSurface dest, TSurface source, const TPixelRect& r) = 0;
  virtual TPixelRect ClipBox(TSurface surface) = 0;
  // The point lies inside the surface's clipping region.
  virtual bool PointVisible(TSurface surface, TPixelPoint p) = 0;
  virtual std::unique_ptr<TCursorBuffer> CreateBuffer() = 0;
  virtual std::unique_ptr<TCursorTimer> CreateTimer() = 0;

  // ---- hint windows and the application
  // A new, hidden cursor hint window that does not move the pointer onto
  // itself, a child of hostForm when one is given (else placed in screen
  // coordinates). Null when none can be made.
  virtual TCursorHint* CreateHintWindow(TComponent* hostForm) = 0;
  // Hands a hint window over to the application's main form (message 0x0465,
  // whose receiver frees it). False when there is no main form: the caller
  // closes the hint itself.
  virtual bool HandOverHint(TCursorHint* hint) = 0;
  // Hides the application's own hint.
  virtual void CancelApplicationHint() = 0;
  // The application's hint-changed handler, when assigned.
  virtual void NotifyHintChanged(TObject* sender) = 0;
};

// The platform in force; never null (the null platform until one is set).
TTaskPlatform& TaskPlatform();
// Installs a platform (null: the null platform); returns the previous one.
// The platform is not owned.
TTaskPlatform* SetTaskPlatform(TTaskPlatform* platform);

// The platform of a machine without windows: no pointer, no keys, no queue,
// no surfaces, no hint windows; timers and buffers that only keep their
// values.
class TNullTaskPlatform : public TTaskPlatform {
public:
  void ShowSystemPointer(bool) override {}
  TPixelPoint PointerPos() override { return {}; }
  void SetPointerPos(TPixelPoint) override {}
  bool KeyDown(int) override { return false; }
  void SetMouseParams(int, int, int) override {}
  bool ReadMouseSetting(const std::string&, std::string&) override { return false; }
  bool MouseMoveQueued() override { return false; }
  bool MouseButtonQueued() override { return false; }
  TPixelPoint LastMessagePos() override { return {}; }
  uintptr_t WindowUnderPointer() override { return 0; }
  void FlushGraphics() override {}
  void CopyPixels(TSurface, TSurface, const TPixelRect&) override {}
  TPixelRect ClipBox(TSurface) override { return {}; }
  bool PointVisible(TSurface, TPixelPoint) override { return false; }
  std::unique_ptr<TCursorBuffer> CreateBuffer() override;
  std::unique_ptr<TCursorTimer> CreateTimer() override;
  TCursorHint* CreateHintWindow(TComponent*) override { return nullptr; }
  bool HandOverHint(TCursorHint*) override { return false; }
  void CancelApplicationHint() override {}
  void NotifyHintChanged(TObject*) override {}
};

// A timer and a buffer that only hold their values (the null platform's, and
// a base for recording ones).
class TValueTimer : public TCursorTimer {
public:
  void SetEnabled(bool value) override { enabled_ = value; }
  bool Enabled() const override { return enabled_; }
  void SetInterval(uint32_t ms) override { interval_ = ms; }
  uint32_t Interval() const override { return interval_; }

private:
  bool enabled_ = false;
  uint32_t interval_ = 0;
};

class TValueBuffer : public TCursorBuffer {
public:
  void SetSize(int32_t width, int32_t height) override {
    width_ = width;
    height_ = height;
  }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  TSurface Surface() const override { return 0; }

private:
  int32_t width_ = 0, height_ = 0;
};
