#pragma once
// THatchBrush: a pattern brush of one pattern of the hatch table (which must
// be loaded). Filling with it paints the line pixels in the device context's
// text colour and the others in its background colour (TCanvas::FillPattern
// sets both). Owns its system brush.

#include <windows.h>

class THatchBrush {
public:
  explicit THatchBrush(int index);
  ~THatchBrush();
  THatchBrush(const THatchBrush&) = delete;
  THatchBrush& operator=(const THatchBrush&) = delete;

  HBRUSH Handle() const { return brush_; }

private:
  HBRUSH brush_ = nullptr;
};
