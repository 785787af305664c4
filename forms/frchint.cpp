#include "forms/frchint.h"

#include "forms/HintText.h"
#include "framework/Canvas.h"
#include "framework/GdiCache.h"

const TClassInfo& TfrmCursorHint::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TfrmCursorHint>("TfrmCursorHint", &TFloatingForm::StaticClassInfo())
                                     .Layout("TFRMCURSORHINT")
                                     .Field("lbHint", &TfrmCursorHint::lbHint)
                                     .Method<&TfrmCursorHint::FormCreate>("FormCreate")
                                     .Method<&TfrmCursorHint::FormPaint>("FormPaint")
                                     .Method<&TfrmCursorHint::FormClose>("FormClose")
                                     .Method<&TfrmCursorHint::FormCanResize>("FormCanResize")
                                     .Method<&TfrmCursorHint::FormShow>("FormShow")
                                     .Build();
  return info;
}

TfrmCursorHint::TfrmCursorHint(TComponent* owner) : TFloatingForm(owner) {}

void TfrmCursorHint::CreateParams(TCreateParams& params) {
  TFloatingForm::CreateParams(params);
  // The edge follows the size: a resized hint is painted whole.
  params.ClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

void TfrmCursorHint::FormStyles(DWORD& style, DWORD& exStyle) const {
  TFloatingForm::FormStyles(style, exStyle);
  style &= ~WS_CAPTION;  // no caption and no dialog frame either
}

void TfrmCursorHint::SetHintFont() {
  TFont* f = Font();
  f->SetCharset(EASTEUROPE_CHARSET_VALUE);
  f->SetName("Arial");
  f->SetHeight(-11);
  f->SetStyle(TFontStyles());
}

void TfrmCursorHint::FormCreate(TObject* Sender) {
  TFloatingForm::FormCreate(Sender);
  SetColor(clInfoBk);
  lbHint->Font()->SetColor(clInfoText);
  SetHintText("");
  SetHorzMargin(5);
  SetVertMargin(2);
  SetHintFont();
  // The label stopped following the form's font when it took its colour, and
  // kept the layout's; it takes the font it is shown in (FormShow) now, so
  // that a text given before the first show is broken with the font it is
  // drawn in.
  lbHint->Font()->Assign(*Font());
  lbHint->Font()->SetColor(clInfoText);
}

void TfrmCursorHint::FormShow(TObject* Sender) {
  TFloatingForm::FormShow(Sender);
  SetHintFont();
  lbHint->Font()->Assign(*Font());
}

void TfrmCursorHint::FormClose(TObject* Sender, TCloseAction& Action) {
  TFloatingForm::FormClose(Sender, Action);
  Action = caFree;
}

void TfrmCursorHint::FormPaint(TObject*) {
  RECT r = ClientRect();
  DrawEdge(Canvas()->Handle(), &r, BDR_RAISEDOUTER, BF_RECT);
}

void TfrmCursorHint::FormCanResize(TObject*, int& NewWidth, int& NewHeight, bool& Allow) {
  lbHint->SetBounds(FHorzMargin, FVertMargin, lbHint->Width(), lbHint->Height());
  NewWidth = lbHint->Width() + 2 * FHorzMargin;
  NewHeight = lbHint->Height() + 2 * FVertMargin;
  Allow = true;
}

void TfrmCursorHint::SetHintText(const std::string& text) {
  FHintText = text;
  HDC dc = GetDC(nullptr);
  THintLayout layout;
  {
    TCanvas canvas(dc);
    canvas.Font().Assign(lbHint->GetFont());
    int limit = MulDiv(GetSystemMetrics(SM_CXSCREEN), 3, 4);
    layout = LayoutHintText(text, limit, [&](std::string_view piece) {
      return piece.empty() ? 0 : canvas.TextWidth(std::string(piece));
    });
  }
  ReleaseDC(nullptr, dc);
  lbHint->SetWidth(layout.Width);
  lbHint->SetCaption(layout.Caption);
  Resize();
}

int TfrmCursorHint::HintLineCount() const {
  int n = 1;
  for (char c : lbHint->Caption()) n += c == '\r';
  return n;
}

void TfrmCursorHint::SetHorzMargin(int value) {
  FHorzMargin = value;
  Resize();
}

void TfrmCursorHint::SetVertMargin(int value) {
  FVertMargin = value;
  Resize();
}
