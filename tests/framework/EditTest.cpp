// The edit box in a real window: the text follows typing, pasting and undo
// and raises OnChange once per change; key events may consume characters;
// selection, limits and read-only state reach the window; every paste goes
// through DoPaste; focus events and automatic selection; layouts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "framework/Clipboard.h"
#include "framework/CustomForm.h"
#include "framework/Edit.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/LayoutWriter.h"
#include "framework/WinText.h"

namespace {

std::vector<std::string> events;

// An edit that records what happens to it and can refuse pastes.
class TProbeEdit : public TEdit {
public:
  using TEdit::TEdit;
  bool refusePaste = false;
  int pasteRequests = 0;
  int cutRequests = 0;

protected:
  void DoPaste() override {
    ++pasteRequests;
    if (!refusePaste) TEdit::DoPaste();
  }
  void DoCut() override {
    ++cutRequests;
    TEdit::DoCut();
  }
};

class TRecorder : public TObject {
public:
  void Change(TObject* s) { events.push_back(Name(s) + " change " + static_cast<TEdit*>(s)->Text()); }
  void Enter(TObject* s) { events.push_back(Name(s) + " enter"); }
  void Exit(TObject* s) { events.push_back(Name(s) + " exit"); }
  void DblClick(TObject* s) { events.push_back(Name(s) + " dblclick"); }
  void KeyPress(TObject*, char& key) {
    if (key == 'x') key = 0;       // consumed
    else if (key == 'a') key = 'b';  // replaced
  }
  static std::string Name(TObject* s) { return static_cast<TComponent*>(s)->Name(); }
};

TRecorder recorder;

void TypeText(HWND window, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 1);
}

void PressKey(HWND window, WPARAM key) {
  SendMessageW(window, WM_KEYDOWN, key, 1);
  SendMessageW(window, WM_KEYUP, key, 0xC0000001);
}

// Holds Shift (for GetKeyState) while alive.
class TShiftHeld {
public:
  TShiftHeld() { Set(0x80); }
  ~TShiftHeld() { Set(0); }

private:
  static void Set(BYTE state) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = state;
    SetKeyboardState(keys);
  }
};

class EditWindow : public ::testing::Test {
protected:
  void SetUp() override {
    events.clear();
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(50, 50, 400, 200);
    first = Add("First", 10);
    second = Add("Second", 40);
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    SetForegroundWindow(form->Handle());
    first->SetFocus();
    Pump(20);
    events.clear();
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }
  TProbeEdit* Add(const char* name, int top) {
    auto* e = new TProbeEdit(form);
    e->SetName(name);
    e->SetParent(form);
    e->SetBounds(10, top, 150, 21);
    e->OnChange = TNotifyEvent::Of<&TRecorder::Change>(&recorder);
    e->OnEnter = TNotifyEvent::Of<&TRecorder::Enter>(&recorder);
    e->OnExit = TNotifyEvent::Of<&TRecorder::Exit>(&recorder);
    e->OnDblClick = TNotifyEvent::Of<&TRecorder::DblClick>(&recorder);
    e->OnKeyPress = TKeyPressEvent::Of<&TRecorder::KeyPress>(&recorder);
    return e;
  }

  TForm* form = nullptr;
  TProbeEdit* first = nullptr;
  TProbeEdit* second = nullptr;
};

TEST(EditConstruction, IsAStandardEditOfTheConventionalSize) {
  TForm* form = TCustomForm::Create<TForm>(Application);
  auto* e = new TEdit(form);
  e->SetParent(form);
  EXPECT_EQ(e->Width(), 121);
  EXPECT_EQ(e->Height(), 21);
  EXPECT_EQ(e->Color(), clWindow);
  EXPECT_TRUE(e->TabStop());
  EXPECT_EQ(e->Text(), "");
  wchar_t cls[32] = {};
  GetClassNameW(e->Handle(), cls, 32);
  EXPECT_STREQ(cls, L"Edit");
  EXPECT_TRUE(GetWindowLongPtrW(e->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  TComponent::Free(form);
}

TEST_F(EditWindow, TypingIsTheTextAndEachCharacterOneChange) {
  TypeText(first->Handle(), L"1ő");
  EXPECT_EQ(first->Text(), "1ő");
  EXPECT_TRUE(first->Modified());
  EXPECT_EQ(events, (std::vector<std::string>{"First change 1", "First change 1ő"}));
}

TEST_F(EditWindow, AssignedTextIsShownOnceAndIsNoModification) {
  first->SetText("abc");
  first->SetText("abc");
  EXPECT_EQ(WindowTextW(first->Handle()), L"abc");
  EXPECT_FALSE(first->Modified());
  EXPECT_EQ(events, (std::vector<std::string>{"First change abc"}));
}

TEST_F(EditWindow, KeyPressMayConsumeOrReplaceTheCharacter) {
  TypeText(first->Handle(), L"xa");
  EXPECT_EQ(first->Text(), "b");
}

TEST_F(EditWindow, SelectionAndReplacement) {
  first->SetText("12345");
  first->SetSelStart(1);
  first->SetSelLength(3);
  EXPECT_EQ(first->SelStart(), 1);
  EXPECT_EQ(first->SelLength(), 3);
  EXPECT_EQ(first->SelText(), "234");
  first->SetSelText("x");
  EXPECT_EQ(first->Text(), "1x5");
  events.clear();
  first->Undo();
  EXPECT_EQ(first->Text(), "12345");
  EXPECT_EQ(events, (std::vector<std::string>{"First change 12345"}));  // one undo, one change
  first->SelectAll();
  EXPECT_EQ(first->SelLength(), 5);
}

TEST_F(EditWindow, MaxLengthAndReadOnlyLimitTyping) {
  first->SetMaxLength(2);
  TypeText(first->Handle(), L"123");
  EXPECT_EQ(first->Text(), "12");
  second->SetReadOnly(true);
  TypeText(second->Handle(), L"9");
  EXPECT_EQ(second->Text(), "");
  EXPECT_FALSE(second->Modified());
}

TEST_F(EditWindow, EveryPasteAndCutAsksTheControl) {
  ASSERT_TRUE(SetClipboardText("Ő7"));
  // The system refuses clipboard data from a program that opened it without
  // an owner window.
  EXPECT_EQ(GetClipboardOwner(), Application->Handle());
  first->PasteFromClipboard();
  EXPECT_EQ(first->Text(), "Ő7");
  TypeText(first->Handle(), L"\x16");  // Ctrl+V
  EXPECT_EQ(first->Text(), "Ő7Ő7");
  {
    TShiftHeld shift;
    PressKey(first->Handle(), VK_INSERT);
  }
  EXPECT_EQ(first->Text(), "Ő7Ő7Ő7");
  EXPECT_EQ(first->pasteRequests, 3);

  first->refusePaste = true;
  TypeText(first->Handle(), L"\x16");
  {
    TShiftHeld shift;
    PressKey(first->Handle(), VK_INSERT);
  }
  EXPECT_EQ(first->Text(), "Ő7Ő7Ő7");
  EXPECT_EQ(first->pasteRequests, 5);

  first->SelectAll();
  {
    TShiftHeld shift;
    PressKey(first->Handle(), VK_DELETE);
  }
  EXPECT_EQ(first->Text(), "");
  EXPECT_EQ(first->cutRequests, 1);
  EXPECT_EQ(ClipboardText(), std::optional<std::string>("Ő7Ő7Ő7"));
}

TEST_F(EditWindow, FocusMovesRaiseExitThenEnterAndSelectTheText) {
  second->SetText("long text");
  events.clear();
  second->SetFocus();
  Pump(20);
  EXPECT_EQ(events, (std::vector<std::string>{"First exit", "Second enter"}));
  EXPECT_EQ(second->SelStart(), 0);
  EXPECT_EQ(second->SelLength(), 9);
  second->SetAutoSelect(false);
  second->SetSelStart(2);
  first->SetFocus();
  second->SetFocus();
  EXPECT_EQ(second->SelLength(), 0);
}

TEST_F(EditWindow, DoubleClickRaisesOnDblClick) {
  SendMessageW(first->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(first->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(events, (std::vector<std::string>{"First dblclick"}));
}

TEST(EditWithoutWindow, KeepsItsStateForTheWindow) {
  TForm* form = TCustomForm::Create<TForm>(Application);
  auto* e = new TEdit(form);
  e->OnChange = TNotifyEvent::Of<&TRecorder::Change>(&recorder);
  events.clear();
  e->SetText("kept");
  e->SetModified(true);
  e->SetMaxLength(5);
  e->SetParent(form);
  HWND h = e->Handle();
  EXPECT_EQ(WindowTextW(h), L"kept");
  EXPECT_TRUE(e->Modified());
  EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_TRUE(events.empty());  // no window, no change notification
  TComponent::Free(form);
}

TEST(EditLayout, RecordsWhatDiffersFromTheDefaultsAndReadsItBack) {
  TForm* form = TCustomForm::Create<TForm>(Application);
  form->SetName("Probe");
  auto* e = new TEdit(form);
  e->SetName("Edit1");
  e->SetParent(form);
  std::string plain = TLayoutWriter::Write(*form);
  EXPECT_EQ(plain.find(" Color ="), std::string::npos) << plain;
  EXPECT_NE(plain.find("Width = 121"), std::string::npos) << plain;
  e->SetText("Szöveg");
  e->SetReadOnly(true);
  e->SetMaxLength(8);
  std::string changed = TLayoutWriter::Write(*form);
  TComponent::Free(form);

  TForm* copy = TCustomForm::Create<TForm>(Application);
  TLayoutReader::ReadRoot(*copy, TLayoutParser::Parse(changed));
  auto* read = dynamic_cast<TEdit*>(copy->FindComponent("Edit1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Text(), "Szöveg");
  EXPECT_TRUE(read->ReadOnly());
  EXPECT_EQ(read->MaxLength(), 8);
  EXPECT_EQ(TLayoutWriter::Write(*copy), changed);
  TComponent::Free(copy);
}

}  // namespace
