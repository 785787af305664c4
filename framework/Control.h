#pragma once
// TControl: a component with a place on a parent window: bounds relative to
// the parent's client area, visibility, a caption, a colour and a font, and
// the mouse events.
//
// Parent font and colour: while ParentFont (ParentColor) is true the control
// follows its parent's font (colour); setting any attribute of its own font
// (colour) clears the flag. Layouts record the font and colour only when they
// are the control's own.
//
// Clicks: a left button pressed and released over the same control is a
// click; the parent captures the mouse in between, so the release is seen
// even outside the control. A double click gives one OnClick (from the first
// press and release) and one OnDblClick (at the second press, which is
// reported to MouseDown with ssDouble): its second release clicks nothing.

#include <windows.h>

#include <string>

#include "framework/ClassBuilder.h"
#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/Font.h"

class TWinControl;
class TCanvas;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TWinControl* Parent() const { return parent_; }  // not owned
  virtual void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  RECT ClientRect() const { return RECT{0, 0, ClientWidth(), ClientHeight()}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to the top window showing.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value) { anchors_ = value; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont* Font() { return &font_; }
  const TFont& GetFont() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);

  // Repaints the control's area (for graphic controls, on the parent).
  virtual void Invalidate();
  virtual void Repaint();

  // Points between the control's client area and the screen.
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;
  // The screen position of the control's client area's top-left corner.
  virtual POINT ClientOrigin() const;

  // Mouse input, in client coordinates of this control. The defaults raise
  // the events and follow clicks.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Called by the parent when its font or colour changed.
  void ParentFontChanged();
  void ParentColorChanged();

  bool IsFontStored() const { return !parentFont_ && StoresOwnFont(); }
  bool IsColorStored() const { return !parentColor_; }
  virtual bool IsBoundsStored() const { return true; }

protected:
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void TextChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged() { Invalidate(); }
  virtual void BoundsChanged() {}
  virtual bool StoresOwnFont() const { return true; }

  // Publishes Caption, Color, Font, ParentColor and ParentFont, in that
  // order, for the classes that offer them.
  template <class C>
  static void PublishText(TClassBuilder<C>& b, TColor defaultColor = clBtnFace) {
    b.Str("Caption", &TControl::Caption, &TControl::SetCaption, std::string());
    PublishColorAndFont(b, defaultColor);
  }
  template <class C>
  static void PublishColorAndFont(TClassBuilder<C>& b, TColor defaultColor = clBtnFace) {
    b.Color("Color", &TControl::Color, &TControl::SetColor, defaultColor)
        .Stored(&TControl::IsColorStored)
        .Object("Font", &TControl::Font)
        .Stored(&TControl::IsFontStored)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
  }
  template <class C>
  static void PublishMouseEvents(TClassBuilder<C>& b) {
    b.Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp);
  }

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool clicked_ = false;  // left button pressed over the control, not yet released

private:
  friend class TWinControl;
  void FontOnChange(TObject*);

  TWinControl* parent_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  std::string caption_;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  TFont font_;
  bool parentFont_ = true;
  bool syncing_ = false;  // copying the parent's font or colour
};

// The shift state of the keyboard now (and of wParam's mouse buttons, if given).
TShiftState KeyboardShiftState();
TShiftState MouseShiftState(WPARAM wParam);
