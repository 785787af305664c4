#include "tools/gallery/HatchPage.h"

#include "controls/HatchPatterns.h"
#include "framework/Canvas.h"
#include "framework/StaticText.h"

THatchSample::THatchSample(TComponent* owner, int pattern) : TGraphicControl(owner), pattern_(pattern), brush_(pattern) {}

void THatchSample::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  canvas.FillPattern(r, brush_.Handle(), clBlack, clWhite);
  canvas.Brush().SetColor(clGray);
  canvas.FrameRect(r);
}

const TClassInfo& THatchPage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<THatchPage>("THatchPage", &TForm::StaticClassInfo()).Layout("THATCHPAGE").Build();
  return info;
}

RECT THatchPage::SampleRect(int i) {
  const int left = Gap + (i % Columns) * (SampleWidth + Gap);
  const int top = Gap + (i / Columns) * (SampleHeight + NameHeight + Gap);
  return RECT{left, top, left + SampleWidth, top + SampleHeight};
}

void THatchPage::AfterConstruction() {
  for (int i = 0; i < HatchPatternCount; ++i) {
    const RECT r = SampleRect(i);
    auto* sample = new THatchSample(this, i);
    sample->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    sample->SetParent(this);
    auto* name = new TStaticText(this);
    name->SetName(std::string("lbl") + HatchPatternNames[i]);
    name->SetCaption(HatchPatternNames[i]);
    name->SetBounds(r.left, r.bottom + 2, SampleWidth, NameHeight - 4);
    name->SetParent(this);
  }
  TForm::AfterConstruction();
}
