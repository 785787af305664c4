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

void TImage::TakeBitmap(TBitmap& bitmap) {
  pictureName_.clear();
  bitmap_.Clear();
  bitmap_.Swap(bitmap);
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

void TImage::SetPictureScale(int numerator, int denominator) {
  if (numerator <= 0 || denominator <= 0) numerator = denominator = 1;
  scaleNumerator_ = numerator;
  scaleDenominator_ = denominator;
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  if (bitmap_.Empty()) return;
  const int width = stretch_ ? Width() : bitmap_.Width() * scaleNumerator_ / scaleDenominator_;
  const int height = stretch_ ? Height() : bitmap_.Height() * scaleNumerator_ / scaleDenominator_;
  const int x = center_ && !stretch_ ? (Width() - width) / 2 : 0;
  const int y = center_ && !stretch_ ? (Height() - height) / 2 : 0;
  if (width == bitmap_.Width() && height == bitmap_.Height()) {
    canvas.Draw(x, y, bitmap_);
    return;
  }
  HDC mem = CreateCompatibleDC(canvas.Handle());
  HGDIOBJ old = SelectObject(mem, bitmap_.Handle());
  // HALFTONE averages the source pixels; the brush origin must be set after
  // choosing it.
  SetStretchBltMode(canvas.Handle(), HALFTONE);
  SetBrushOrgEx(canvas.Handle(), 0, 0, nullptr);
  StretchBlt(canvas.Handle(), x, y, width, height, mem, 0, 0, bitmap_.Width(), bitmap_.Height(), SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}
