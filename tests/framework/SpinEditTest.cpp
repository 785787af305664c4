// The spin edit in a real window: the button pair inside the edit's right
// edge, steps by button (with auto-repeat while held) and by arrow key before
// OnKeyDown, the range kept on assignment and on exit, and what
// EditorEnabled and ReadOnly switch off.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/CustomForm.h"
#include "framework/SpinButton.h"
#include "framework/SpinEdit.h"

namespace {

std::vector<std::string> keyEvents;

class TKeyRecorder : public TObject {
public:
  void KeyDown(TObject* s, uint16_t& key, TShiftState) {
    keyEvents.push_back(std::to_string(key) + " at " + static_cast<TSpinEdit*>(s)->Text());
  }
};

TKeyRecorder keyRecorder;

class SpinEditWindow : public ::testing::Test {
protected:
  void SetUp() override {
    keyEvents.clear();
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(60, 60, 300, 150);
    spin = new TSpinEdit(form);
    spin->SetParent(form);
    spin->SetBounds(10, 10, 121, 21);
    other = new TSpinEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 121, 21);
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    SetForegroundWindow(form->Handle());
    spin->SetFocus();
    Pump(20);
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }
  HWND ButtonWindow() { return spin->Button()->Handle(); }
  void Press(int y) { SendMessageW(ButtonWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, y)); }
  void Release(int y) { SendMessageW(ButtonWindow(), WM_LBUTTONUP, 0, MAKELPARAM(7, y)); }
  void Click(int y) {
    Press(y);
    Release(y);
  }

  TForm* form = nullptr;
  TSpinEdit* spin = nullptr;
  TSpinEdit* other = nullptr;
};

TEST_F(SpinEditWindow, ButtonsSitInsideTheRightEdgeClearOfTheText) {
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(spin->Increment(), 1);
  EXPECT_TRUE(spin->EditorEnabled());
  EXPECT_EQ(GetParent(ButtonWindow()), spin->Handle());
  RECT client, button;
  GetClientRect(spin->Handle(), &client);
  GetWindowRect(ButtonWindow(), &button);
  MapWindowPoints(nullptr, spin->Handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_EQ(button.right, client.right);
  EXPECT_EQ(button.top, 0);
  EXPECT_EQ(button.right - button.left, 15);
  EXPECT_EQ(button.bottom - button.top, 17);
  LRESULT margins = SendMessageW(spin->Handle(), EM_GETMARGINS, 0, 0);
  EXPECT_GE(HIWORD(margins), 15);
}

TEST_F(SpinEditWindow, ButtonsAndArrowKeysStep) {
  spin->SetIncrement(5);
  Click(2);
  Click(2);
  EXPECT_EQ(spin->Value(), 10);
  Click(14);
  EXPECT_EQ(spin->Value(), 5);
  EXPECT_EQ(GetFocus(), spin->Handle());

  other->SetFocus();
  Click(2);  // a press gives the spin edit the focus back
  EXPECT_EQ(GetFocus(), spin->Handle());

  spin->OnKeyDown = TKeyEvent::Of<&TKeyRecorder::KeyDown>(&keyRecorder);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_UP, 1);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  SendMessageW(spin->Handle(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(keyEvents, (std::vector<std::string>{"38 at 15", "40 at 10", "40 at 5"}));
}

TEST_F(SpinEditWindow, HoldingAButtonRepeatsUntilReleased) {
  const DWORD pressed = GetTickCount();
  Press(14);
  EXPECT_EQ(spin->Value(), -1);  // at once
  DWORD repeated = 0;
  ASSERT_TRUE(WaitUntil([&] { return spin->Value() != -1 && (repeated = GetTickCount()) != 0; }, 2000));
  // Not before the initial delay, however slowly this machine runs (a tick
  // of GetTickCount is up to 16 ms).
  EXPECT_GE(repeated - pressed, TSpinButton::InitialDelay - 16);
  Pump(5 * TSpinButton::RepeatInterval);
  Release(14);
  int held = spin->Value();
  EXPECT_LE(held, -4);
  Pump(400);
  EXPECT_EQ(spin->Value(), held);
}

TEST_F(SpinEditWindow, RangeHoldsOnAssignmentAndExit) {
  spin->SetMinValue(-3);
  spin->SetMaxValue(3);
  spin->SetValue(7);
  EXPECT_EQ(spin->Text(), "3");
  Click(2);
  EXPECT_EQ(spin->Text(), "3");
  spin->SetText("-9");
  other->SetFocus();
  EXPECT_EQ(spin->Text(), "-3");
  spin->SetText("x");
  EXPECT_EQ(spin->Value(), -3);  // no number reads as MinValue

  other->SetMinValue(5);
  other->SetMaxValue(5);  // equal bounds: no range
  other->SetValue(9);
  EXPECT_EQ(other->Text(), "9");
}

TEST_F(SpinEditWindow, EditorDisabledRefusesTypingAndPastingButSteps) {
  spin->SetText("");
  spin->SetEditorEnabled(false);
  SendMessageW(spin->Handle(), WM_CHAR, '4', 1);
  ASSERT_TRUE(SetClipboardText("12"));
  spin->PasteFromClipboard();
  EXPECT_EQ(spin->Text(), "");
  Click(2);
  EXPECT_EQ(spin->Text(), "1");

  spin->SetEditorEnabled(true);
  spin->SetSelStart(1);
  SendMessageW(spin->Handle(), WM_CHAR, 'a', 1);  // not a digit
  SendMessageW(spin->Handle(), WM_CHAR, '4', 1);
  EXPECT_EQ(spin->Text(), "14");
  spin->SetReadOnly(true);
  Click(2);
  EXPECT_EQ(spin->Text(), "14");
}

}  // namespace
