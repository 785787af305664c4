#include "framework/Label.h"

#include "framework/Canvas.h"
#include "framework/GdiCache.h"
#include "framework/WinText.h"

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassBuilder<TLabel> b("TLabel", &TGraphicControl::StaticClassInfo());
    b.Creatable()
        .Enum<TAlignment>("Alignment", AlignmentInfo(), &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
        .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true);
    PublishText(b);
    b.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true)
        .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false)
        .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
    PublishMouseEvents(b);
    return b.Build();
  }();
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  else if (alignment_ == taCenter) flags |= DT_CENTER;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  {
    TCanvas canvas(gdi::MemoryDC());
    canvas.Font().Assign(GetFont());
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    canvas.DrawText(text, r, (TextFlags() & ~(DT_RIGHT | DT_CENTER)) | DT_CALCRECT);
  }
  int x = Left();
  if (alignment_ == taRightJustify && !wordWrap_) x = Left() + Width() - r.right;
  SetBounds(x, Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

void TLabel::Paint(TCanvas& canvas) {
  RECT r = ClientRect();
  if (!transparent_) {
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(r);
  }
  canvas.Brush().SetStyle(bsClear);
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.DrawText(Caption(), r, TextFlags());
}
