#include "framework/GdiCache.h"

#include <map>
#include <tuple>

#include "framework/WinText.h"

namespace gdi {

COLORREF ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(static_cast<uint32_t>(color) & 0xFF));
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

LOGFONTW LogFont(const TFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.Height();
  lf.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.Style().Contains(fsItalic);
  lf.lfUnderline = font.Style().Contains(fsUnderline);
  lf.lfStrikeOut = font.Style().Contains(fsStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(font.Charset());
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = font.Pitch() == fpFixed ? FIXED_PITCH : font.Pitch() == fpVariable ? VARIABLE_PITCH
                                                                                             : DEFAULT_PITCH;
  std::string face = font.Name();
  if (face.size() > 3 && face.compare(face.size() - 3, 3, " CE") == 0) {
    face.resize(face.size() - 3);
    lf.lfCharSet = EASTEUROPE_CHARSET;
  }
  std::wstring w = Wide(face);
  lstrcpynW(lf.lfFaceName, w.c_str(), LF_FACESIZE);
  return lf;
}

HDC MemoryDC() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

HFONT Font(const TFont& font) {
  using Key = std::tuple<std::string, int, uint64_t, int, int>;
  static std::map<Key, HFONT> fonts;
  Key key{font.Name(), font.Height(), font.Style().Bits(), font.Charset(), font.Pitch()};
  auto it = fonts.find(key);
  if (it != fonts.end()) return it->second;
  LOGFONTW lf = LogFont(font);
  HFONT h = CreateFontIndirectW(&lf);
  if (!h) h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts.emplace(key, h);
  return h;
}

HBRUSH SolidBrush(TColor color) {
  static std::map<COLORREF, HBRUSH> brushes;
  COLORREF rgb = ColorToRGB(color);
  auto it = brushes.find(rgb);
  if (it != brushes.end()) return it->second;
  HBRUSH h = CreateSolidBrush(rgb);
  brushes.emplace(rgb, h);
  return h;
}

HBRUSH Brush(const TBrush& brush) {
  static std::map<std::pair<COLORREF, int>, HBRUSH> hatched;
  switch (brush.Style()) {
    case bsSolid:
      return SolidBrush(brush.Color());
    case bsClear:
      return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    default: {
      static constexpr int kHatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      std::pair<COLORREF, int> key{ColorToRGB(brush.Color()), kHatch[brush.Style()]};
      auto it = hatched.find(key);
      if (it != hatched.end()) return it->second;
      HBRUSH h = CreateHatchBrush(key.second, key.first);
      hatched.emplace(key, h);
      return h;
    }
  }
}

HPEN Pen(const TPen& pen) {
  static std::map<std::tuple<COLORREF, int, int>, HPEN> pens;
  if (pen.Style() == psClear) return static_cast<HPEN>(GetStockObject(NULL_PEN));
  static constexpr int kStyle[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  std::tuple<COLORREF, int, int> key{ColorToRGB(pen.Color()), kStyle[pen.Style()], pen.Width()};
  auto it = pens.find(key);
  if (it != pens.end()) return it->second;
  HPEN h = CreatePen(std::get<1>(key), std::get<2>(key), std::get<0>(key));
  pens.emplace(key, h);
  return h;
}

}  // namespace gdi
