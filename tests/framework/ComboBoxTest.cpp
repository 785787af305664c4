// The combo box and the draw grid in real windows: items and text with and
// without a window and across a change of style, what the user's choice and
// typing raise (and what the program's assignments do not), the edit part's
// keys reaching the control once each, undo as one change, Tab out of the
// edit part, owner-drawn item sizes from the first message on; the grid's moves by key and mouse within its cells.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/ComboBox.h"
#include "framework/CustomForm.h"
#include "framework/DrawGrid.h"

namespace {

class TComboLog : public TObject {
public:
  std::vector<std::string> lines;
  TComboBox* combo = nullptr;
  void Change(TObject*) { lines.push_back("change " + combo->Text()); }
  void Click(TObject*) { lines.push_back("click " + combo->Text()); }
  void KeyDown(TObject*, uint16_t& key, TShiftState) { lines.push_back("keydown " + std::to_string(key)); }
  void KeyPress(TObject*, char& key) {
    lines.push_back(std::string("keypress ") + key);
    if (key == 'x') key = 0;
  }
  void Measure(TObject*, int index, int& height) { height = 20 + index; }
};

class ComboWindow : public ::testing::Test {
protected:
  void SetUp() override {
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(60, 60, 320, 240);
    combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(10, 10, 150, 21);
    log.combo = combo;
    combo->OnChange = TNotifyEvent::Of<&TComboLog::Change>(&log);
    combo->OnClick = TNotifyEvent::Of<&TComboLog::Click>(&log);
    combo->OnKeyDown = TKeyEvent::Of<&TComboLog::KeyDown>(&log);
    combo->OnKeyPress = TKeyPressEvent::Of<&TComboLog::KeyPress>(&log);
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }
  void Show() {
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    SetForegroundWindow(form->Handle());
    combo->SetFocus();
    Pump(20);
  }

  TForm* form = nullptr;
  TComboBox* combo = nullptr;
  TComboLog log;
};

TEST_F(ComboWindow, ItemsAndTextWithAndWithoutAWindow) {
  combo->SetStyle(csDropDownList);
  combo->AddItem("alpha", 7);
  combo->AddItem("beta", -1);
  combo->SetText("beta");  // a fixed list selects the item of that text
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetText("gamma");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->Text(), "alpha");
  Show();
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMDATA, 1, 0), -1);
  EXPECT_EQ(WindowTextW(combo->Handle()), L"alpha");
  combo->SetStyle(csDropDown);  // a new window keeps the items and the choice
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
  ASSERT_NE(combo->EditHandle(), nullptr);
  combo->SetText("free text");  // an editable combo shows any text
  EXPECT_EQ(WindowTextW(combo->EditHandle()), L"free text");
  EXPECT_TRUE(log.lines.empty());  // assignments raise nothing
  EXPECT_LT(combo->Height(), 40);  // the closed height, not the list's
}

TEST_F(ComboWindow, ChoosingAnItemRaisesClickThenChangeWithTheNewText) {
  combo->AddItem("one");
  combo->AddItem("two");
  Show();
  combo->SetStyle(csDropDownList);
  SendMessageW(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // opens the list: no click
  SendMessageW(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(log.lines.empty());
  SendMessageW(combo->Handle(), CB_SETCURSEL, 1, 0);
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->Handle()));
  EXPECT_EQ(log.lines, (std::vector<std::string>{"click two", "change two"}));
}

TEST_F(ComboWindow, TheEditPartsKeysAndTypingAreTheControls) {
  Show();
  HWND edit = combo->EditHandle();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(combo->FocusInside());
  SendMessageW(edit, WM_KEYDOWN, 'A', 1);
  for (wchar_t c : std::wstring(L"axb")) SendMessageW(edit, WM_CHAR, c, 1);
  EXPECT_EQ(combo->Text(), "ab");  // x was consumed by OnKeyPress
  EXPECT_EQ(log.lines, (std::vector<std::string>{"keydown 65", "keypress a", "change a", "keypress x",
                                                 "keypress b", "change ab"}));
  combo->SetSelection(1, 1);
  EXPECT_EQ(combo->SelStart(), 1);
  EXPECT_EQ(combo->SelLength(), 1);
}

// While the list is open the edit part hands Enter and Escape on to the
// combo window from inside its own handling: one press, one event each.
TEST_F(ComboWindow, AKeyOfTheEditPartIsRaisedOnceAlsoWithTheListOpen) {
  combo->AddItem("one");
  Show();
  HWND edit = combo->EditHandle();
  for (wchar_t key : {L'\r', L'\x1B'}) {
    combo->SetDroppedDown(true);
    ASSERT_TRUE(WaitUntil([&] { return combo->DroppedDown(); }));
    log.lines.clear();
    SendMessageW(edit, WM_KEYDOWN, key, 1);
    SendMessageW(edit, WM_CHAR, key, 1);
    EXPECT_FALSE(combo->DroppedDown());  // the system's combo still closes it
    EXPECT_EQ(log.lines, (std::vector<std::string>{"keydown " + std::to_string(key),
                                                   std::string("keypress ") + static_cast<char>(key)}));
  }
}

TEST_F(ComboWindow, AnUndoIsOneChange) {
  Show();
  HWND edit = combo->EditHandle();
  for (wchar_t c : std::wstring(L"ab")) SendMessageW(edit, WM_CHAR, c, 1);
  log.lines.clear();
  combo->Undo();
  EXPECT_EQ(log.lines, (std::vector<std::string>{"change "}));
  for (wchar_t c : std::wstring(L"cd")) SendMessageW(edit, WM_CHAR, c, 1);
  log.lines.clear();
  SendMessageW(edit, WM_CHAR, 0x1A, 1);  // Ctrl+Z: the window undoes by itself
  EXPECT_NE(combo->Text(), "cd");
  EXPECT_EQ(log.lines, (std::vector<std::string>{"keypress \x1A", "change " + combo->Text()}));
}

TEST_F(ComboWindow, TabFromTheEditPartMovesToTheNextControl) {
  auto* next = new TComboBox(form);
  next->SetParent(form);
  next->SetBounds(10, 50, 150, 21);
  Show();
  PostMessageW(combo->EditHandle(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_TRUE(WaitUntil([&] { return next->FocusInside(); }));
  PostMessageW(next->EditHandle(), WM_KEYDOWN, VK_TAB, 1);  // round to the first again
  EXPECT_TRUE(WaitUntil([&] { return combo->FocusInside(); }));
}

TEST_F(ComboWindow, OwnerDrawnItemSizesReachTheControlFromTheFirstMessage) {
  combo->SetStyle(csOwnerDrawFixed);
  combo->SetItemHeight(23);
  combo->AddItem("a");
  Show();
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 23);
  EXPECT_GE(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 23);

  combo->OnMeasureItem = TMeasureItemEvent::Of<&TComboLog::Measure>(&log);
  combo->AddItem("b");
  combo->SetStyle(csOwnerDrawVariable);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 20);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 1, 0), 21);
}

class GridWindow : public ::testing::Test {
protected:
  void SetUp() override {
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(60, 60, 320, 240);
    grid = new TDrawGrid(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 200, 4 + 4 * 20);  // the fixed row and three rows
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(3);
    grid->SetRowCount(10);
    form->Show();
    grid->SetFocus();
  }
  void TearDown() override { TComponent::Free(form); }
  void Key(uint16_t key, TShiftState shift = {}) { grid->KeyDown(key, shift); }

public:
  void RefuseRow(TObject*, int, int row, bool& can) { can = row != 5; }

protected:

  TForm* form = nullptr;
  TDrawGrid* grid = nullptr;
};

TEST_F(GridWindow, KeysMoveWithinTheCellsThatAreNotFixed) {
  struct TStep {
    uint16_t key;
    TShiftState shift;
    int col, row;
  };
  const TStep steps[] = {
      {VK_LEFT, {}, 1, 1},   {VK_UP, {}, 1, 1},           {VK_RIGHT, {}, 2, 1},  {VK_RIGHT, {}, 2, 1},
      {VK_DOWN, {}, 2, 2},   {VK_NEXT, {}, 2, 5},         {VK_END, {ssCtrl}, 2, 9}, {VK_PRIOR, {}, 2, 6},
      {VK_HOME, {}, 1, 6},   {VK_HOME, {ssCtrl}, 1, 1},   {VK_END, {}, 2, 1},
  };
  EXPECT_EQ(grid->VisibleRowCount(), 3);
  for (const TStep& s : steps) {
    Key(s.key, s.shift);
    EXPECT_EQ(grid->Col(), s.col) << s.key;
    EXPECT_EQ(grid->Row(), s.row) << s.key;
    EXPECT_GE(grid->Row(), grid->TopRow());
    EXPECT_LT(grid->Row(), grid->TopRow() + grid->VisibleRowCount());
  }
  grid->OnSelectCell = TSelectCellEvent::Of<&GridWindow::RefuseRow>(this);
  grid->SetRow(4);
  Key(VK_DOWN);
  EXPECT_EQ(grid->Row(), 4);  // refused
}

TEST_F(GridWindow, AClickMakesTheCellUnderThePointerCurrent) {
  RECT r = grid->CellRect(2, 2);
  SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
  SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 3, r.top + 3));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
  int col = -1, row = -1;
  EXPECT_TRUE(grid->CellAt(1, 1, col, row));
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, 0);
  EXPECT_FALSE(grid->CellAt(1000, 1, col, row));
}

}  // namespace
