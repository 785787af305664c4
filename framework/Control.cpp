#include "framework/Control.h"

#include "framework/EnumInfo.h"
#include "framework/WinControl.h"

const TEnumInfo& AlignInfo() {
  static const TEnumInfo info("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
  return info;
}

const TEnumInfo& AlignmentInfo() {
  static const TEnumInfo info("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
  return info;
}

const TEnumInfo& AnchorKindInfo() {
  static const TEnumInfo info("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
  return info;
}

const TClassInfo& TControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", &TComponent::StaticClassInfo())
          .Int("Left", &TControl::Left, &TControl::SetLeft)
          .Int("Top", &TControl::Top, &TControl::SetTop)
          .Int("Width", &TControl::Width, &TControl::SetWidth)
          .Stored(&TControl::IsBoundsStored)
          .Int("Height", &TControl::Height, &TControl::SetHeight)
          .Stored(&TControl::IsBoundsStored)
          .Enum<TAlign>("Align", AlignInfo(), &TControl::Align, &TControl::SetAlign, alNone)
          .SetOf<TAnchorKind>("Anchors", AnchorKindInfo(), &TControl::Anchors, &TControl::SetAnchors,
                              TAnchors{akLeft, akTop})
          .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
          .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
          .Build();
  return info;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  return s;
}

TShiftState MouseShiftState(WPARAM wParam) {
  TShiftState s;
  if (wParam & MK_SHIFT) s.Include(ssShift);
  if (wParam & MK_CONTROL) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (wParam & MK_LBUTTON) s.Include(ssLeft);
  if (wParam & MK_RBUTTON) s.Include(ssRight);
  if (wParam & MK_MBUTTON) s.Include(ssMiddle);
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = TNotifyEvent::Of<&TControl::FontOnChange>(this);
}

TControl::~TControl() {
  font_.OnChange = TNotifyEvent();
  if (parent_) parent_->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EComponentError("A control cannot be its own parent");
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  if (parent) {
    parent->InsertControl(this);  // sets parent_
    ParentFontChanged();
    ParentColorChanged();
    Invalidate();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  BoundsChanged();
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) Invalidate();
  visible_ = visible;
  VisibleChanged();
  // A window that is shown is painted whole by the system; a graphic control
  // is drawn by its parent, which must be told.
  if (visible && !dynamic_cast<TWinControl*>(this)) Invalidate();
}

void TControl::VisibleChanged() {
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  TextChanged();
}

void TControl::TextChanged() { Invalidate(); }

void TControl::SetColor(TColor color) {
  if (!syncing_) parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  ColorChanged();
}

void TControl::ColorChanged() { Invalidate(); }

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value) ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  syncing_ = true;
  font_.Assign(*parent_->Font());
  syncing_ = false;
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  syncing_ = true;
  SetColor(parent_->Color());
  syncing_ = false;
}

void TControl::FontOnChange(TObject*) {
  if (!syncing_) parentFont_ = false;
  FontChanged();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, FALSE);
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

POINT TControl::ClientOrigin() const {
  POINT p{left_, top_};
  if (parent_) {
    POINT o = parent_->ClientOrigin();
    p.x += o.x;
    p.y += o.y;
  }
  return p;
}

POINT TControl::ClientToScreen(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x - o.x, p.y - o.y};
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The second press of a double click raised DblClick; its release is no
  // click of its own.
  if (button == mbLeft) clicked_ = !shift.Contains(ssDouble);
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  bool click = button == mbLeft && clicked_ && x >= 0 && y >= 0 && x < width_ && y < height_;
  if (button == mbLeft) clicked_ = false;
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (click) Click();
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
