#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/GdiCache.h"
#include "framework/WinText.h"

TCanvas::TCanvas(HDC dc) : dc_(dc) {}

TCanvas::~TCanvas() {
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  if (oldPen_) SelectObject(dc_, oldPen_);
}

void TCanvas::UseFont() {
  HGDIOBJ old = SelectObject(dc_, gdi::Font(font_));
  if (!oldFont_) oldFont_ = old;
  SetTextColor(dc_, gdi::ColorToRGB(font_.Color()));
}

void TCanvas::UseBrush() {
  HGDIOBJ old = SelectObject(dc_, gdi::Brush(brush_));
  if (!oldBrush_) oldBrush_ = old;
  if (brush_.Style() == bsSolid) {
    SetBkColor(dc_, gdi::ColorToRGB(brush_.Color()));
    SetBkMode(dc_, OPAQUE);
  } else {
    SetBkMode(dc_, TRANSPARENT);
  }
}

void TCanvas::UsePen() {
  HGDIOBJ old = SelectObject(dc_, gdi::Pen(pen_));
  if (!oldPen_) oldPen_ = old;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  UseFont();
  UseBrush();
  std::wstring w = Wide(text);
  ::TextOutW(dc_, x, y, w.c_str(), static_cast<int>(w.size()));
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const std::string& text) {
  UseFont();
  UseBrush();
  std::wstring w = Wide(text);
  UINT options = ETO_CLIPPED | (brush_.Style() == bsSolid ? ETO_OPAQUE : 0);
  ExtTextOutW(dc_, x, y, options, &rect, w.c_str(), static_cast<UINT>(w.size()), nullptr);
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags) { return DrawText(Wide(text), rect, flags); }

int TCanvas::DrawText(const std::wstring& text, RECT& rect, UINT flags) {
  UseFont();
  UseBrush();
  return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

SIZE TCanvas::TextExtent(const std::string& text) {
  UseFont();
  std::wstring w = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size);
  return size;
}

void TCanvas::FillRect(const RECT& rect) { ::FillRect(dc_, &rect, gdi::Brush(brush_)); }

void TCanvas::FillPattern(const RECT& rect, HBRUSH pattern, TColor fore, TColor back) {
  COLORREF oldText = SetTextColor(dc_, gdi::ColorToRGB(fore));
  COLORREF oldBack = SetBkColor(dc_, gdi::ColorToRGB(back));
  POINT origin{rect.left, rect.top};
  LPtoDP(dc_, &origin, 1);
  POINT oldOrigin{};
  SetBrushOrgEx(dc_, origin.x, origin.y, &oldOrigin);
  ::FillRect(dc_, &rect, pattern);
  SetBrushOrgEx(dc_, oldOrigin.x, oldOrigin.y, nullptr);
  SetTextColor(dc_, oldText);
  SetBkColor(dc_, oldBack);
}

void TCanvas::FrameRect(const RECT& rect) { ::FrameRect(dc_, &rect, gdi::Brush(brush_)); }

void TCanvas::Frame3D(RECT& rect, TColor topLeft, TColor bottomRight, int width) {
  HBRUSH tl = gdi::SolidBrush(topLeft), br = gdi::SolidBrush(bottomRight);
  for (int i = 0; i < width; ++i) {
    RECT top{rect.left, rect.top, rect.right - 1, rect.top + 1};
    RECT left{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
    RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    ::FillRect(dc_, &top, tl);
    ::FillRect(dc_, &left, tl);
    ::FillRect(dc_, &right, br);
    ::FillRect(dc_, &bottom, br);
    InflateRect(&rect, -1, -1);
  }
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  UsePen();
  UseBrush();
  ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  UsePen();
  ::LineTo(dc_, x, y);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  HDC mem = CreateCompatibleDC(dc_);
  HGDIOBJ old = SelectObject(mem, bitmap.Handle());
  BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void TCanvas::CopyRect(const RECT& dest, HDC source, int sourceX, int sourceY) {
  BitBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source, sourceX, sourceY, SRCCOPY);
}
