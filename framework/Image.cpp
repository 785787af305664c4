#include "framework/Image.h"

#include "framework/Canvas.h"

const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TImage> b("TImage", &TGraphicControl::StaticClassInfo());
    b.Creatable()
        .Bool("Center", &TImage::Center, &TImage::SetCenter, false)
        .Str("Picture", &TImage::Picture, &TImage::SetPicture, std::string())
        .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch, false);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetPicture(const std::string& resourceName) {
  pictureName_ = resourceName;
  if (resourceName.empty()) bitmap_.Clear();
  else if (!bitmap_.LoadFromResourceName(resourceName))
    throw Exception("The picture " + resourceName + " is missing from the program");
  Invalidate();
}

void TImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  if (bitmap_.Empty()) return;
  if (stretch_) {
    HDC mem = CreateCompatibleDC(canvas.Handle());
    HGDIOBJ old = SelectObject(mem, bitmap_.Handle());
    SetStretchBltMode(canvas.Handle(), HALFTONE);
    StretchBlt(canvas.Handle(), 0, 0, Width(), Height(), mem, 0, 0, bitmap_.Width(), bitmap_.Height(), SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    return;
  }
  int x = center_ ? (Width() - bitmap_.Width()) / 2 : 0;
  int y = center_ ? (Height() - bitmap_.Height()) / 2 : 0;
  canvas.Draw(x, y, bitmap_);
}
