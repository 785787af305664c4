// The typed combo: its owner-drawn items on a memory bitmap (separator,
// images, columns, index text, markup through the text object and the order
// in which the text object is called), and in a real window the keys it
// keeps or hands to its grid, Enter, the modification flag after a choice
// with the mouse, and what edtChar and leaving the control raise.

#include <memory>

#include "MemoryBitmap.h"
#include "ValueControlProbe.h"
#include "controls/TEX.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"

namespace {

// Records how an owner drives its text object, then does what it is told.
class TRecordingTex : public TTEX {
public:
  std::vector<std::string>* calls;
  TCanvas* canvas = nullptr;
  explicit TRecordingTex(std::vector<std::string>* c) : calls(c) {}
  void SetDC(HDC dc) override {
    calls->push_back("SetDC");
    TTEX::SetDC(dc);
  }
  void SetCanvas(TCanvas& c) override {
    calls->push_back("SetCanvas " + std::to_string(c.Font().Height()));
    TTEX::SetCanvas(c);
  }
  int TextWidth(const std::string& t) override {
    calls->push_back("TextWidth " + t);
    return TTEX::TextWidth(t);
  }
  void TextOut(int x, int y, const std::string& t) override {
    calls->push_back("TextOut " + t);
    TTEX::TextOut(x, y, t);
  }
};

// Writes OnEnterKey into the fixture's event log.
class TEnterKeyLog : public TObject {
public:
  std::vector<std::string>* lines = nullptr;
  void EnterKey(TObject*) { lines->push_back("OnEnterKey"); }
};

class TmrComboWindow : public ValueControlWindow<TTmrCombo> {
protected:
  void SetUp() override {
    ValueControlWindow<TTmrCombo>::SetUp();
    enterKeys.lines = &log.lines;
    control->OnEnterKey = TNotifyEvent::Of<&TEnterKeyLog::EnterKey>(&enterKeys);
  }
  TEnterKeyLog enterKeys;
  void Type(const std::string& text) { TypeChars(control->EditHandle(), text); }
  void KeyDown(HWND window, uint16_t key) { SendMessageW(window, WM_KEYDOWN, key, 1); }

  // Draws one item the way the list would, on a 300 x 40 bitmap in Arial.
  TInkBox DrawItem(TMemoryBitmap& bmp, int index, bool editPortion, UINT state = 0) {
    bmp.Clear();
    TCanvas canvas(bmp.DC());
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-20);
    canvas.Brush().SetColor(clWhite);
    control->EditPortion = editPortion;
    control->DrawListItem(canvas, index, RECT{0, 0, bmp.Width(), bmp.Height()}, state);
    return bmp.Ink();
  }
};

TEST_F(TmrComboWindow, SeparatorLineInTheListOnly) {
  control->AddItem("Beam|Beam section list-");
  TMemoryBitmap bmp(300, 40);
  TInkBox list = DrawItem(bmp, 0, false);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  EXPECT_EQ(bmp.Pixel(150, 0), grey);
  EXPECT_EQ(bmp.Pixel(299, 0), grey);
  TInkBox edit = DrawItem(bmp, 0, true);
  EXPECT_NE(bmp.Pixel(150, 0), grey);
  EXPECT_GT(list.Right, edit.Right + 40);  // "Beam section list" against "Beam"
}

TEST_F(TmrComboWindow, ImagesFromTheTopByteOfTheItemData) {
  TImageList images(nullptr);
  const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), RGB(200, 200, 0), RGB(0, 200, 200),
                              RGB(200, 0, 200)};
  for (COLORREF c : colours) {
    TMemoryBitmap square(16, 16);
    square.Clear(c);
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(GetCurrentObject(square.DC(), OBJ_BITMAP), IMAGE_BITMAP, 0, 0, 0));
    images.Add(copy);
    DeleteObject(copy);
  }
  control->Images = &images;
  control->AddItem("three", static_cast<intptr_t>(3u << 24));
  control->AddItem("far", static_cast<intptr_t>(static_cast<int32_t>(0x83000000u)));
  TMemoryBitmap bmp(300, 40);
  DrawItem(bmp, 0, false);
  EXPECT_EQ(bmp.Pixel(10, 8), colours[3]);
  DrawItem(bmp, 0, false, ODS_SELECTED);
  EXPECT_EQ(bmp.Pixel(10, 8), colours[4]);
  control->SelImBase = 2;
  DrawItem(bmp, 0, false, ODS_SELECTED);
  EXPECT_EQ(bmp.Pixel(10, 8), colours[5]);
  TInkBox beyond = DrawItem(bmp, 1, false);  // image 131: none in the list, the text still leaves room
  EXPECT_GE(beyond.Left, 16 + 4);
  control->Images = nullptr;
}

TEST_F(TmrComboWindow, ColumnsAndIndexText) {
  control->SetColumns("L]");
  control->SetColumnWidth(0, 50);
  control->SetColumnWidth(1, 40);
  control->SetColumnWidth(2, 99);  // no such column
  EXPECT_EQ(control->ColumnWidths(), (std::vector<int32_t>{50, 40}));
  control->AddItem("a\xA4W\xA4");
  control->AddItem("a\xA4W");
  control->AddItem("&x");
  control->AddItem("x");
  TMemoryBitmap bmp(300, 40);
  TInkBox both = DrawItem(bmp, 0, false);
  EXPECT_LE(both.Right, 2 + 90);  // W right-aligned to x + 90
  EXPECT_GE(both.Right, 2 + 90 - 3);
  TInkBox only = DrawItem(bmp, 1, false);
  EXPECT_LT(only.Right, 2 + 50);  // only a
  TInkBox index = DrawItem(bmp, 2, false);
  TInkBox plain = DrawItem(bmp, 3, false);
  EXPECT_LT(index.Bottom - index.Top, plain.Bottom - plain.Top);  // 90 % high
  EXPECT_GT(index.Top, plain.Top);                                // and lowered
  EXPECT_GE(index.Bottom, plain.Bottom);
  control->SetColumns("");  // columns gone: the text before the first mark, as one piece
  TInkBox uncolumned = DrawItem(bmp, 0, false);
  EXPECT_LT(uncolumned.Right, 2 + 50);
}

TEST_F(TmrComboWindow, MarkupOnlyThroughTheTextObject) {
  control->AddItem("mm^2");
  control->AddItem("mm2");
  TMemoryBitmap bmp(300, 40);
  TInkBox raw = DrawItem(bmp, 0, false);
  TInkBox rawPlain = DrawItem(bmp, 1, false);
  EXPECT_GT(raw.Right, rawPlain.Right);  // the caret drawn as it is
  control->TEXOutput = true;
  TInkBox tex = DrawItem(bmp, 0, false);
  TInkBox texPlain = DrawItem(bmp, 1, false);
  EXPECT_LT(tex.Right, raw.Right);     // no caret, a smaller 2
  EXPECT_LT(tex.Top, texPlain.Top);    // the 2 raised
}

TEST_F(TmrComboWindow, TheTextObjectIsCalledInItsOrder) {
  std::vector<std::string> calls;
  control->SetTextObject(new TRecordingTex(&calls));
  control->TEXOutput = true;
  control->SetColumns(".]]");
  for (int c = 0; c < 3; ++c) control->SetColumnWidth(c, 40);
  control->AddItem("N&x\xA4&y\xA4z\xA4");
  TMemoryBitmap bmp(300, 40);
  DrawItem(bmp, 0, false);
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "SetDC",                                                              //
                       "SetCanvas -20", "TextWidth N", "TextOut N", "SetCanvas -18", "TextOut x",  // N&x
                       "SetCanvas -18", "TextWidth y", "SetCanvas -20",                       // width of &y
                       "SetCanvas -20", "TextWidth ", "TextOut ", "SetCanvas -18", "TextOut y",  // &y
                       "TextWidth z", "TextOut z"}));                                         // z
}

TEST_F(TmrComboWindow, EnterRaisesOnEnterKeyWithoutReflecting) {
  control->SetEditType(edtInteger);
  control->AddItem("7");
  Type("5");
  for (bool open : {false, true}) {
    control->SetDroppedDown(open);
    ASSERT_TRUE(WaitUntil([&] { return control->DroppedDown() == open; }));
    log.Take();
    KeyDown(control->EditHandle(), VK_RETURN);
    Type("\rx");
    EXPECT_EQ(log.Take(), (TLines{"OnKeyDown 13", "OnEnterKey", "OnKeyPress 13", "OnKeyPress 0"})) << open;
    EXPECT_EQ(control->Text(), "5");
  }
}

TEST_F(TmrComboWindow, EscapeClosesAnOpenListElseUndoes) {
  control->AddItem("one");
  Type("ab");
  control->SetDroppedDown(true);
  ASSERT_TRUE(WaitUntil([&] { return control->DroppedDown(); }));
  log.Take();
  Type("\x1B");
  EXPECT_FALSE(control->DroppedDown());
  EXPECT_EQ(control->Text(), "ab");
  Type("\x1B");
  EXPECT_EQ(control->Text(), "");
  EXPECT_EQ(log.Take(), TLines{"OnChange"});  // the undo's, once; no OnKeyPress
}

TEST_F(TmrComboWindow, CharComboRaisesNoValueEventsAndLeavingEmptyRaisesOnEmpty) {
  Type("ab");
  EXPECT_TRUE(control->PauseTimer()->Enabled());
  log.Take();
  control->ReflectValue(control);
  EXPECT_EQ(log.Take(), TLines{"OnChange"});
  EXPECT_FALSE(control->PauseTimer()->Enabled());
  control->SetText("");
  Leave();
  EXPECT_EQ(log.Take(), (TLines{"OnEmpty", "OnExit"}));
}

TEST_F(TmrComboWindow, ChoosingAnItemWithTheMouseSetsModified) {
  control->SetEditType(edtFloat);
  control->AddItem(Dec("1.5"));
  control->AddItem(Dec("2.5"));
  control->SetValueExt(7);
  EXPECT_FALSE(control->Modified);
  EXPECT_EQ(control->ValueExt(), 7);
  control->SetDroppedDown(true);
  HWND list = control->ListHandle();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }));
  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM(item.left + 5, item.top + 3);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(WaitUntil([&] { return control->Modified; }));
  EXPECT_EQ(control->Text(), Dec("2.5"));
  EXPECT_EQ(control->ValueExt(), 2.5);
}

TEST_F(TmrComboWindow, GridGetsNavigationKeysByStyleStateAndCaret) {
  auto* grid = new TTmrDrawGrid(form);
  grid->SetParent(form);
  grid->SetBounds(170, 10, 140, 100);
  grid->SetColCount(3);
  grid->SetRowCount(4);
  control->SetParent(grid);
  grid->SetCombo(control);
  control->SetFocus();
  control->SetText("abc");
  HWND edit = control->EditHandle();

  control->SetSelection(3, 0);  // caret at the end: Right moves the grid
  KeyDown(edit, VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2);
  control->SetSelection(1, 0);  // in the middle: the caret's
  KeyDown(edit, VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(control->SelStart(), 2);
  control->SetSelection(0, 0);
  KeyDown(edit, VK_LEFT);
  EXPECT_EQ(grid->Col(), 1);
  KeyDown(edit, VK_DOWN);  // an editable combo keeps Up and Down
  EXPECT_EQ(grid->Row(), 1);

  control->SetStyle(csDropDownList);
  control->AddItem("one");
  control->AddItem("two");
  control->SetFocus();
  KeyDown(control->Handle(), VK_DOWN);  // State 0: the grid's
  EXPECT_EQ(grid->Row(), 2);
  grid->State = 1;
  KeyDown(control->Handle(), VK_DOWN);  // State 1: the combo's
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(control->ItemIndex(), 0);
  KeyDown(control->Handle(), VK_ESCAPE);
  EXPECT_EQ(grid->State, 0);
  KeyDown(control->Handle(), VK_SPACE);  // Space opens the list
  EXPECT_TRUE(WaitUntil([&] { return control->DroppedDown(); }));
  KeyDown(control->Handle(), VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return !control->DroppedDown(); }));

  other->SetFocus();  // a click on a cell moves there and leaves the keys with the combo
  const RECT cell = grid->CellRect(1, 1);
  SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.left + 3, cell.top + 3));
  SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cell.left + 3, cell.top + 3));
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_TRUE(control->FocusInside());

  grid->SetCombo(nullptr);
  EXPECT_EQ(control->Grid, nullptr);
  KeyDown(control->Handle(), VK_NEXT);  // no grid: nothing handed on
  EXPECT_EQ(grid->Row(), 1);

  // Whichever of the two goes first, the other forgets it.
  auto* editor = new TTmrCombo(form);
  editor->SetParent(grid);
  grid->SetCombo(editor);
  TComponent::Free(editor);
  EXPECT_EQ(grid->Combo(), nullptr);
  KeyDown(grid->Handle(), VK_DOWN);  // moving places no editor
  EXPECT_EQ(grid->Row(), 2);
  grid->SetCombo(control);
  TComponent::Free(grid);
  EXPECT_EQ(control->Grid, nullptr);
}

}  // namespace
