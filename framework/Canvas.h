#pragma once
// TCanvas: drawing on a device context with the framework's font, brush and
// pen. The canvas does not own the device context; the system objects it
// selects come from the GDI cache and are deselected again when the canvas is
// destroyed, so the device context is left as it was given.

#include <windows.h>

#include <string>

#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Object.h"
#include "framework/Pen.h"

class TBitmap;

class TCanvas : public TObject {
public:
  explicit TCanvas(HDC dc);
  ~TCanvas() override;

  HDC Handle() const { return dc_; }
  TFont& Font() { return font_; }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

  // Selects the font into the device context now, with its colour as the
  // text colour, for drawing done on the device context directly.
  void ApplyFont() { UseFont(); }

  void TextOut(int x, int y, const std::string& text);
  // Text clipped to rect, starting at (x, y).
  void TextRect(const RECT& rect, int x, int y, const std::string& text);
  // DrawText with the given DT_ flags; returns the height drawn (or, with
  // DT_CALCRECT, fits rect to the text).
  int DrawText(const std::string& text, RECT& rect, UINT flags);
  // The same for text given as UTF-16 (a path), drawn as it is.
  int DrawText(const std::wstring& text, RECT& rect, UINT flags);
  SIZE TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  void FillRect(const RECT& rect);
  void FrameRect(const RECT& rect);
  // A 3-D frame of `width` pixels just inside rect (top and left edges in one
  // colour, right and bottom in the other); shrinks rect by the width.
  void Frame3D(RECT& rect, TColor topLeft, TColor bottomRight, int width);
  // Fills rect with a monochrome pattern brush (not owned): its set pixels in
  // `fore`, the others in `back`; the pattern starts at rect's top-left.
  void FillPattern(const RECT& rect, HBRUSH pattern, TColor fore, TColor back);
  void Rectangle(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Draw(int x, int y, const TBitmap& bitmap);
  // Copies a rectangle of another device context (BitBlt with SRCCOPY).
  void CopyRect(const RECT& dest, HDC source, int sourceX, int sourceY);

private:
  void UseFont();
  void UseBrush();
  void UsePen();

  HDC dc_;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  HGDIOBJ oldFont_ = nullptr;
  HGDIOBJ oldBrush_ = nullptr;
  HGDIOBJ oldPen_ = nullptr;
};
