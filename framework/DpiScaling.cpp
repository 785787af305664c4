#include "framework/DpiScaling.h"

#include "framework/CustomForm.h"
#include "framework/GdiCache.h"
#include "framework/Image.h"

namespace {

int Scaled(int value, int dpi) { return value * dpi / DesignDpi; }  // toward zero

void ScaleBounds(TWinControl& parent, int dpi) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    const int left = Scaled(c->Left(), dpi), top = Scaled(c->Top(), dpi);
    c->SetBounds(left, top, Scaled(c->Left() + c->Width(), dpi) - left, Scaled(c->Top() + c->Height(), dpi) - top);
    if (auto* image = dynamic_cast<TImage*>(c)) image->SetPictureScale(dpi, DesignDpi);
    if (auto* child = dynamic_cast<TWinControl*>(c)) ScaleBounds(*child, dpi);
  }
}

// After the bounds: an auto-sized label measures its text in the new font
// from its new place.
void ScaleOwnFonts(TWinControl& parent, int dpi) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (!c->ParentFont()) c->Font()->SetHeight(Scaled(c->Font()->Height(), dpi));
    if (auto* child = dynamic_cast<TWinControl*>(c)) ScaleOwnFonts(*child, dpi);
  }
}

}  // namespace

int ScreenDpi() {
  HDC dc = gdi::MemoryDC();  // of the screen's kind
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : DesignDpi;
  return dpi > 0 ? dpi : DesignDpi;
}

void ScaleForm(TCustomForm& form, int dpi) {
  if (dpi == DesignDpi) return;
  const int width = Scaled(form.ClientWidth(), dpi), height = Scaled(form.ClientHeight(), dpi);
  ScaleBounds(form, dpi);
  form.Font()->SetHeight(Scaled(form.Font()->Height(), dpi));
  ScaleOwnFonts(form, dpi);
  form.SetClientWidth(width);
  form.SetClientHeight(height);
}
