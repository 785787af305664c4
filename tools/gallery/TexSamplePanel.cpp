#include "tools/gallery/TexSamplePanel.h"

#include "controls/TEX.h"
#include "framework/Canvas.h"

namespace {

// Arial of 16 pixels along the given escapement (tenths of a degree).
HFONT SampleFont(int escapement) {
  LOGFONTW lf{};
  lf.lfHeight = -16;
  lf.lfEscapement = lf.lfOrientation = escapement;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

}  // namespace

const TClassInfo& TTexSamplePanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TTexSamplePanel>("TTexSamplePanel", &TPanel::StaticClassInfo()).Creatable().Build();
  return info;
}

TTexSamplePanel::TTexSamplePanel(TComponent* owner) : TPanel(owner) {
  SetBevelOuter(bvLowered);
  SetColor(clWindow);
  SetParentColor(false);
}

const std::vector<std::string>& TTexSamplePanel::Samples() {
  static const std::vector<std::string> samples = {"H_2O", "x_i^2", "x^2", "\\a", "a~b", "mm^2/m"};
  return samples;
}

void TTexSamplePanel::Paint(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-12);
  canvas.Font().SetColor(clGrayText);
  canvas.Brush().SetStyle(bsClear);
  const std::vector<std::string>& samples = Samples();
  for (size_t i = 0; i < samples.size(); ++i) canvas.TextOut(90, 10 + static_cast<int>(i) * 26, samples[i]);
  SetTextColor(dc, RGB(0, 0, 0));
  const int escapements[] = {0, 450, 900};
  for (int e : escapements) {
    HFONT font = SampleFont(e);
    HGDIOBJ old = SelectObject(dc, font);
    TTEX tex;  // takes this direction's font from the device context
    tex.SetColor2(clRed);
    tex.SetDC(dc);
    for (size_t i = 0; i < samples.size(); ++i) {
      const int n = static_cast<int>(i);
      if (e == 0) tex.TextOut(10, 6 + n * 26, samples[i]);
      else if (e == 450) tex.TextOut(160, 10 + n * 26, samples[i]);
      else tex.TextOut(240 + n * 22, 100, samples[i]);
    }
    SelectObject(dc, old);
    DeleteObject(font);
  }
}
