#pragma once
// TfrmDefault: the base form of the library's dialogs and tool windows. On
// top of the framework's form it
//   - keeps its window position in the host's settings store under a slot
//     number (section "Forms", PositionRecord.h): restored when shown, saved
//     when hidden, centred when nothing usable is stored, pulled back from
//     the right and bottom edges, centred when it would lie on no monitor;
//   - moves the mouse pointer onto itself (or onto FPointerControl) when
//     shown, and with FRestorePointer puts it back when closed;
//   - presses its button named "btnCancel" on Esc (when its layout connects
//     FormKeyDown to the key-down event), unless a typed edit or a
//     structured combo's open tree has the focus;
//   - takes the library's default interface font at creation, and switches
//     its controls to the Central European character set at every show when
//     the interface language asks for it;
//   - switches off the typing-pause reflection of the typed controls it owns;
//   - never stays above the application's active modal form;
//   - runs three hooks from the message loop, after the construction or
//     show that caused them has finished: CreationDone once, FirstShowDone
//     once before the first ShowDone, ShowDone after every show;
//   - tells the task framework when one of its menus opens and closes.
//
// Construction order: layouts, then (with OldCreateOrder) the create event,
// ApplyDefaultFont(0), the typing pauses, then (without OldCreateOrder) the
// create event; the window is made at once so that CreationDone can be
// posted (and is posted again when the window is made again before it ran).
//
// Showing: OnShow (FormShow: RestorePosition, the pointer to restore later,
// the character sets), the show hooks' message posted, the window appears,
// the pointer moves. Hiding: OnHide (FormHide: SavePosition) while the window
// is still shown.
//
// The layout is resources/frDefaul.layout.

#include <cstdint>

#include "framework/CustomForm.h"

class TfrmDefault : public TForm {
public:
  explicit TfrmDefault(TComponent* owner);

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // The hooks; empty here.
  virtual void CreationDone() {}
  virtual void ShowDone() {}
  virtual void FirstShowDone() {}

  int32_t PositionSlot() const { return FPositionSlot; }
  // Sets the slot (below 1: no position keeping) and restores its position.
  virtual void SetPositionSlot(int32_t slot);
  // Sets the form's font from the library's default interface font: character
  // set, colour, height, name, pitch, style. kind is only recorded.
  virtual void ApplyDefaultFont(uint8_t kind);
  uint8_t FontKind() const { return FFontKind; }

  // Only in the normal window state: centres the form on the screen, first
  // shrinking it to the screen less 10 pixels where it is larger.
  virtual void CenterOnScreen();
  virtual void RestorePosition();
  // Updates the slot's record in four read-modify-writes: state, bounds,
  // screen size, screen density. A store that cannot be written is ignored.
  virtual void SavePosition();

  // Published handlers (the layout connects the first three; a descendant
  // that wants the Esc rule connects FormKeyDown to its key-down event).
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);

  // Set by descendants or by the code that makes the form.
  bool FEraseBackground = true;  // false: erasing is reported done, nothing is painted
  bool FPointerToForm = true;
  bool FRestorePointer = false;
  TControl* FPointerControl = nullptr;  // not owned

protected:
  void DoCreate() override;
  void DoShow() override;
  void VisibleChanged() override;
  void WindowCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // The one place where the task framework hears of the form's menu loops.
  void MenuLoopEntered();
  void MenuLoopLeft();
  void MovePointerOntoForm();
  void SwitchCharsets();
  void KeepBelowModalForm(const WINDOWPOS& change);
  void BringModalFormToFront();
  void WritePosition();
  void UpdateRecord(size_t position, const std::string& text);

  POINT FSavedPointer{0, 0};
  bool FPointerSaved = false;  // FSavedPointer holds a position taken at a show
  bool FFirstShow = true;
  bool FBringingModalToFront = false;
  bool FCreationPending = false;  // CreationDone has not run yet
  int32_t FPositionSlot = 0;
  uint8_t FFontKind = 0;
};

// Where a library form reports that one of its menus starts and ends its
// loop (Sender: the form). The task framework assigns them when its unit
// starts, to make the current task inactive while a menu is open.
extern TNotifyEvent OnFormMenuLoopEnter;
extern TNotifyEvent OnFormMenuLoopExit;

// The library's private messages of the default form.
constexpr UINT WM_KORVEX_CREATIONDONE = 0x05FF;
constexpr UINT WM_KORVEX_SHOWDONE = 0x0601;
constexpr UINT WM_KORVEX_MODALTOFRONT = 0x0604;
