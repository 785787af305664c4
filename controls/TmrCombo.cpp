#include "controls/TmrCombo.h"

#include <cstdlib>

#include "controls/ItemText.h"
#include "controls/LocaleSeparators.h"
#include "controls/TEX.h"
#include "controls/TmrDrawGrid.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/Timer.h"

const TClassInfo& TTmrCombo::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TTmrCombo> b("TTmrCombo", &TComboBox::StaticClassInfo());
    b.Creatable()
        .Color("Color", &TControl::Color, &TControl::SetColor, clWindow)
        .Stored(&TControl::IsColorStored)
        .Str("Columns", &TTmrCombo::Columns, &TTmrCombo::SetColumns)
        .Int("DroppedWidth", &TTmrCombo::DroppedWidth, &TTmrCombo::DroppedWidth)
        .Bool("ReflectTimer", &TTmrCombo::ReflectTimer, &TTmrCombo::ReflectTimer)
        .Bool("TEXOutput", &TTmrCombo::TEXOutput, &TTmrCombo::TEXOutput)
        .Enum<TEditType>("EditType", EditTypeInfo(), &TTmrCombo::EditType, &TTmrCombo::SetEditType)
        .Float("MaxValue", &TTmrCombo::MaxValue, &TTmrCombo::MaxValue)
        .Float("MinValue", &TTmrCombo::MinValue, &TTmrCombo::MinValue)
        .Bool("Modified", &TTmrCombo::Modified, &TTmrCombo::Modified)
        .Int("SelImBase", &TTmrCombo::SelImBase, &TTmrCombo::SelImBase)
        .Str("ValueFmt", &TTmrCombo::ValueFmt, &TTmrCombo::SetValueFmt)
        .Float("ValueExt", &TTmrCombo::ValueExt, &TTmrCombo::SetValueExt)
        .Stored(&TTmrCombo::IsValueExtStored)
        .Int("ValueInt", &TTmrCombo::ValueInt, &TTmrCombo::SetValueInt)
        .Stored(&TTmrCombo::IsValueIntStored)
        .Int("WaitingTime", &TTmrCombo::WaitingTime, &TTmrCombo::SetWaitingTime)
        .Int("WidthNormal", &TTmrCombo::WidthNormal, &TTmrCombo::WidthNormal)
        .Event("OnOverflow", &TTmrCombo::OnOverflow)
        .Event("OnStrToVal", &TTmrCombo::OnStrToVal)
        .Event("OnValToStr", &TTmrCombo::OnValToStr)
        .Event("OnIntValToStr", &TTmrCombo::OnIntValToStr)
        .Event("OnUnderflow", &TTmrCombo::OnUnderflow)
        .Event("OnUpdate", &TTmrCombo::OnUpdate)
        .Event("OnEmpty", &TTmrCombo::OnEmpty)
        .Event("OnEnterKey", &TTmrCombo::OnEnterKey)
        .Event("OnCloseUp", &TTmrCombo::OnCloseUp);
    return b.Build();
  }();
  return info;
}

TTmrCombo::TTmrCombo(TComponent* owner)
    : TComboBox(owner), pauseTimer_(new TTimer(this)), textObject_(new TTEX()) {
  pauseTimer_->SetEnabled(false);
  pauseTimer_->SetOnTimer(TNotifyEvent::Of<&TTmrCombo::ReflectValue>(this));
  pauseTimer_->SetInterval(2000);
  SetWaitingTime(2000);
  SetEditType(edtChar);
}

TTmrCombo::~TTmrCombo() {
  if (Grid && Grid->Combo() == this) Grid->SetCombo(nullptr);  // the grid keeps no dangling editor
  DestroyHandle();  // its last messages still find a whole control
  TComponent::Free(pauseTimer_);
  pauseTimer_ = nullptr;
  delete textObject_;
  textObject_ = nullptr;
}

void TTmrCombo::SetEditType(TEditType value) {
  editType_ = value;
  decimalSeparator_ = UserLocaleSeparators().Decimal;
  allowedChars_ = EditTypeChars(value, decimalSeparator_);
}

void TTmrCombo::SetWaitingTime(int32_t ms) {
  waitingTime_ = ms;
  pauseTimer_->SetInterval(PauseInterval(ms));
}

void TTmrCombo::SetValueFmt(const std::string& pattern) {
  valueFmt_ = pattern;
  SetValueExt(ValueExt());
}

// As in TTmrEdit: each value is recorded only where reading it back loses
// nothing.
bool TTmrCombo::IsValueExtStored() const { return editType_ != edtChar; }
bool TTmrCombo::IsValueIntStored() const {
  return editType_ != edtChar && static_cast<double>(ValueInt()) == ValueExt();
}

double TTmrCombo::ReadValueExt() const {
  return ::ReadValueExt(const_cast<TTmrCombo*>(this), Text(), Modified, editType_, storedValue_, OnStrToVal);
}

int32_t TTmrCombo::ReadValueInt() const {
  return ::ReadValueInt(const_cast<TTmrCombo*>(this), Text(), Modified, editType_, storedValue_, OnStrToVal);
}

void TTmrCombo::WriteValueExt(double x) { WriteText(x, ValueExtTextOf(this, x, editType_, valueFmt_, OnValToStr)); }

void TTmrCombo::WriteValueInt(int32_t v) {
  WriteText(v, ValueIntTextOf(this, v, editType_, valueFmt_, OnIntValToStr));
}

void TTmrCombo::WriteText(double stored, const std::string& text) {
  TSettingValue setting(settingValue_);
  storedValue_ = stored;
  SetText(text);
  Modified = false;
}

void TTmrCombo::SetColumns(const std::string& columns) {
  columns_ = columns;
  columnWidths_.assign(columns.size(), 0);
  Invalidate();
}

void TTmrCombo::SetColumnWidth(int column, int32_t width) {
  if (column < 0 || static_cast<size_t>(column) >= columnWidths_.size()) return;
  columnWidths_[static_cast<size_t>(column)] = width;
  Invalidate();
}

void TTmrCombo::SetTextObject(TTEX* textObject) {
  if (!textObject || textObject == textObject_) return;
  delete textObject_;
  textObject_ = textObject;
}

void TTmrCombo::WindowCreated() {
  TComboBox::WindowCreated();
  if (HasEditPart()) EditPerform(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(2, 0));
}

void TTmrCombo::RestartTimer(bool enabled) {
  if (pauseTimer_) RestartPauseTimer(*pauseTimer_, enabled, waitingTime_);
}

void TTmrCombo::Change() {
  if (waitingTime_ > 0 && HandleAllocated() && Showing() && FocusInside()) RestartTimer(true);
  Modified = !settingValue_;
  TComboBox::Change();
}

void TTmrCombo::Click() {
  Modified = true;
  TComboBox::Click();
}

void TTmrCombo::DropDown() {
  TComboBox::DropDown();
  SendMessageW(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(DroppedWidth < 0 ? 0 : DroppedWidth), 0);
}

void TTmrCombo::CommandNotify(WORD code) {
  TComboBox::CommandNotify(code);
  if (code == CBN_DROPDOWN) ListDropped();
  else if (code == CBN_CLOSEUP) ListClosed();
}

void TTmrCombo::ListClosed() {
  if (OnCloseUp) OnCloseUp(this);
}

void TTmrCombo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TComboBox::MouseDown(button, shift, x, y);
  if (!HasEditPart() && !DroppedDown()) SetDroppedDown(true);
}

void TTmrCombo::DblClick() {
  if (pauseTimer_ && pauseTimer_->Enabled()) ReflectValue(this);
  TComboBox::DblClick();
}

void TTmrCombo::DoExit() { ExitCheck(); }

TKeyFilterInput TTmrCombo::FilterInput() const {
  return KeyFilterInputOf(Text(), SelStart(), SelLength(), false, editType_, allowedChars_, decimalSeparator_);
}

void TTmrCombo::KeyPress(char& key) {
  if (CharAllowed(key, FilterInput())) {
    if (key == '\x1B') {
      key = 0;
      // An open list is closed, as the list styles' own Escape does; the
      // edit part would close it only from this character, which goes no
      // further.
      if (DroppedDown()) SetDroppedDown(false);
      else Undo();
      return;
    }
    if (DroppedDown()) SetDroppedDown(false);
    TComboBox::KeyPress(key);
    return;
  }
  RestartTimer(pauseTimer_ && pauseTimer_->Enabled());
  if (key == '\r') {
    if (OnEnterKey) OnEnterKey(this);
  } else {
    key = 0;
  }
  TComboBox::KeyPress(key);
}

void TTmrCombo::KeyDown(uint16_t& key, TShiftState shift) {
  GridKeys(key, shift);
  TComboBox::KeyDown(key, shift);
}

void TTmrCombo::GridKeys(uint16_t& key, TShiftState shift) {
  if (!Grid) return;
  const uint8_t state = Grid->State;
  bool forward = state == 1 && key == VK_ESCAPE;
  if (!DroppedDown()) {
    if (shift == TShiftState{}) {
      forward = forward || key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME ||
                key == VK_LEFT || key == VK_RIGHT;
      if (state == 0) forward = forward || key == VK_UP || key == VK_DOWN;
      if (Style() == csDropDown) {
        const bool nothingSelected = SelLength() == 0;
        const bool atEnd = SelStart() >= static_cast<int>(Text().size());
        const bool atStart = SelStart() == 0;
        forward = forward && nothingSelected && ((key == VK_RIGHT && atEnd) || (key == VK_LEFT && atStart));
      }
    } else if (shift == TShiftState{ssShift} || shift == TShiftState{ssCtrl}) {
      forward = key >= VK_PRIOR && key <= VK_DOWN;
    }
  }
  if (forward) {
    uint16_t gridKey = key;
    Grid->KeyDown(gridKey, shift);
    key = 0;
  }
  if (key == VK_SPACE) {
    PostMessageW(Handle(), CB_SHOWDROPDOWN, DroppedDown() ? FALSE : TRUE, 0);
    key = 0;
  }
}

void TTmrCombo::DoPaste() {
  if (ClipboardPasteAllowed(FilterInput())) TComboBox::DoPaste();
}

void TTmrCombo::Compare(double v) { ReflectRange(*this, v, MinValue, MaxValue, OnOverflow, OnUpdate, OnUnderflow); }

void TTmrCombo::ReflectValue(TObject*) {
  TReflection reflection(pauseTimer_, ReflectTimer);
  if (!reflection.Begin()) return;
  TComboBox::Change();
  if (Text().empty()) {
    if (OnEmpty) OnEmpty(this);
    return;
  }
  switch (editType_) {
    case edtHex:
    case edtInteger:
    case edtCardinal:
      Compare(ValueInt());
      break;
    case edtFloat:
    case edtFloatP:
      Compare(ValueExt());
      break;
    case edtChar:
    case edtBin:
      break;
  }
}

void TTmrCombo::ExitCheck() {
  if (Text().empty()) {
    if (OnEmpty) OnEmpty(this);
  } else {
    if (pauseTimer_ && pauseTimer_->Enabled()) {
      ReflectValue(this);
    } else if (editType_ != edtChar && editType_ != edtBin) {
      const bool integer = editType_ == edtHex || editType_ == edtInteger || editType_ == edtCardinal;
      const double v = integer ? ValueInt() : ValueExt();
      if (v < MinValue && OnUnderflow) OnUnderflow(this);
      if (v > MaxValue && OnOverflow) OnOverflow(this);
    }
    if (HandleAllocated()) SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
  }
  TComboBox::DoExit();
}

void TTmrCombo::DrawItem(TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state) {
  EditPortion = state == ODS_COMBOBOXEDIT || !DroppedDown();
  DrawListItem(canvas, index, rect, state);
}

void TTmrCombo::DrawListItem(TCanvas& canvas, int index, const RECT& rect, TOwnerDrawState state) {
  canvas.FillRect(rect);
  const bool valid = index >= 0 && index < ItemCount();
  const std::string text = valid ? Item(index) : std::string();
  const TItemText parts = SplitItemText(text);
  const bool selected = (state & ODS_SELECTED) != 0;
  canvas.Font().SetColor(selected ? clHighlightText : Enabled() ? clWindowText : clGrayText);
  int image = valid ? ItemImageIndex(static_cast<uint32_t>(ItemData(index))) : -1;
  int x = rect.left + 2;
  if (Images && image >= 0) {
    if (selected) image += SelImBase >= 1 ? SelImBase : 1;
    Images->Draw(canvas, rect.left + 2, rect.top, image, true);
    x = rect.left + Images->Width() + 4;
  }
  DrawColumns(canvas, std::string(EditPortion ? parts.Short : parts.Long), x, rect.top);
  if (parts.Separator && !EditPortion) {
    canvas.Pen().SetColor(clGrayText);
    canvas.MoveTo(rect.left, rect.top);
    canvas.LineTo(rect.right, rect.top);
  }
}

void TTmrCombo::DrawColumns(TCanvas& canvas, const std::string& text, int x, int y) {
  if (TEXOutput) {
    canvas.ApplyFont();  // the text object takes the canvas's font and colour from the device context
    textObject_->SetDC(canvas.Handle());
  }
  for (const TColumnPiece& piece : ColumnPieces(text, columns_, columnWidths_)) {
    const std::string p(piece.Text);
    if (piece.RightAligned) DrawPiece(canvas, p, x + piece.Left + piece.Width - PieceWidth(canvas, p), y);
    else DrawPiece(canvas, p, x + piece.Left, y);
  }
}

// The width a right-aligned piece is given: of the index text only, 90 %
// high, for a piece that begins with "&"; of the whole piece otherwise.
int TTmrCombo::PieceWidth(TCanvas& canvas, const std::string& piece) {
  const bool index = !piece.empty() && piece.front() == '&';
  const int h = canvas.Font().Height();
  if (!TEXOutput) {
    if (!index) return canvas.TextWidth(piece);
    canvas.Font().SetHeight(MulDiv(h, 9, 10));
    const int w = canvas.TextWidth(piece.substr(1));
    canvas.Font().SetHeight(h);
    return w;
  }
  if (!index) return textObject_->TextWidth(piece);
  canvas.Font().SetHeight(MulDiv(h, 9, 10));
  textObject_->SetCanvas(canvas);
  const int w = textObject_->TextWidth(piece.substr(1));
  canvas.Font().SetHeight(h);
  textObject_->SetCanvas(canvas);
  return w;
}

void TTmrCombo::DrawPiece(TCanvas& canvas, const std::string& piece, int x, int y) {
  const TIndexPiece parts = SplitIndexPiece(piece);
  if (!parts.HasIndex) {
    if (TEXOutput) textObject_->TextOut(x, y, piece);
    else canvas.TextOut(x, y, piece);
    return;
  }
  const std::string main(parts.Main), rest(parts.Index);
  const int h = canvas.Font().Height();
  const int down = std::abs(h / 10);
  if (TEXOutput) {
    textObject_->SetCanvas(canvas);
    const int w = textObject_->TextWidth(main);
    textObject_->TextOut(x, y, main);
    canvas.Font().SetHeight(MulDiv(h, 9, 10));
    textObject_->SetCanvas(canvas);
    textObject_->TextOut(x + w, y + down, rest);
    canvas.Font().SetHeight(h);  // the text object keeps the smaller fonts until told again
    return;
  }
  canvas.TextOut(x, y, main);
  const int w = canvas.TextWidth(main);
  canvas.Font().SetHeight(MulDiv(h, 9, 10));
  canvas.TextOut(x + w, y + down, rest);
  canvas.Font().SetHeight(h);
}
