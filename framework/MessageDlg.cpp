#include "framework/MessageDlg.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Canvas.h"
#include "framework/DpiScaling.h"
#include "framework/StaticText.h"
#include "framework/WinText.h"

namespace {

constexpr TMsgDlgBtn kButtonOrder[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry,
                                       mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp};

// The dialog window: dialog navigation, with Enter and Esc mapped to the
// default and cancel buttons.
class TMessageForm : public TForm {
public:
  using TForm::TForm;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TMessageForm>("TMessageForm", &TForm::StaticClassInfo()).Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  bool UsesDialogNavigation() const override { return true; }

  TButton* defaultButton = nullptr;  // owned by the form as components
  TButton* cancelButton = nullptr;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == DM_GETDEFID && defaultButton)
      return MAKELRESULT(defaultButton->ModalResult(), DC_HASDEFID);
    if (message == WM_COMMAND && lParam == 0) {
      if (LOWORD(wParam) == IDCANCEL) {
        if (cancelButton) cancelButton->Click();
        else SetModalResult(mrCancel);
        return 0;
      }
      if (LOWORD(wParam) == IDOK && defaultButton) {
        defaultButton->Click();
        return 0;
      }
    }
    return TForm::WndProc(message, wParam, lParam);
  }
};

void MessageFont(TFont& font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font.SetName(Narrow(metrics.lfMessageFont.lfFaceName));
    font.SetHeight(metrics.lfMessageFont.lfHeight);
    font.SetCharset(DEFAULT_CHARSET_VALUE);
  }
}

SIZE TextSize(const TFont& font, const std::wstring& text, int maxWidth, UINT flags) {
  HDC dc = GetDC(nullptr);
  RECT r{0, 0, maxWidth, 0};
  {
    TCanvas canvas(dc);
    canvas.Font().Assign(font);
    canvas.DrawText(text.empty() ? std::wstring(L" ") : text, r, flags | DT_CALCRECT);
  }
  ReleaseDC(nullptr, dc);
  return SIZE{r.right, r.bottom};
}

}  // namespace

std::string MessageDlgCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirm";
    case mtCustom: break;
  }
  return Application ? Application->Title() : std::string();
}

std::string MessageDlgButtonCaption(TMsgDlgBtn button) {
  static const char* const kCaptions[] = {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry",
                                          "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"};
  return kCaptions[button];
}

int MessageDlgButtonResult(TMsgDlgBtn button) {
  static const int kResults[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll,
                                 mrYesToAll, 0};
  return kResults[button];
}

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  return MessageDlg(Wide(message), type, buttons, helpContext);
}

int MessageDlg(const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons, int /*helpContext*/) {
  if (buttons.Empty()) buttons = TMsgDlgButtons{mbOK};
  auto* form = new TMessageForm(Application);
  struct Freer {
    TMessageForm* f;
    ~Freer() { TComponent::Free(f); }
  } freer{form};

  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetCaption(MessageDlgCaption(type));
  MessageFont(*form->Font());

  // Sizes of a 96-DPI screen, scaled to this one; the icon is the system's
  // own size (larger on a scaled screen), and the font the system's message
  // font (scaled already).
  const int dpi = ScreenDpi();
  auto scaled = [dpi](int pixels) { return pixels * dpi / DesignDpi; };
  const int margin = scaled(12), gap = scaled(10), buttonH = scaled(25), buttonGap = scaled(8);
  const int iconW = GetSystemMetrics(SM_CXICON), iconH = GetSystemMetrics(SM_CYICON);
  const wchar_t* iconId = nullptr;
  switch (type) {
    case mtWarning: iconId = IDI_WARNING; break;
    case mtError: iconId = IDI_ERROR; break;
    case mtInformation: iconId = IDI_INFORMATION; break;
    case mtConfirmation: iconId = IDI_QUESTION; break;
    case mtCustom: break;
  }
  int textLeft = margin;
  if (iconId) {
    auto* icon = new TStaticText(form);
    icon->SetName("Image");
    icon->SetIcon(LoadIconW(nullptr, iconId));
    icon->SetBounds(margin, margin, iconW, iconH);
    icon->SetParent(form);
    textLeft = margin + iconW + gap;
  }

  const UINT textFlags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
  SIZE text = TextSize(form->GetFont(), message, GetSystemMetrics(SM_CXSCREEN) / 2, textFlags);
  auto* label = new TStaticText(form);
  label->SetName("Message");
  label->SetWideCaption(message);
  label->SetBounds(textLeft, margin + (iconId && text.cy < iconH ? (iconH - text.cy) / 2 : 0), text.cx, text.cy);
  label->SetParent(form);

  std::vector<TMsgDlgBtn> shown;
  for (TMsgDlgBtn b : kButtonOrder) {
    if (buttons.Contains(b)) shown.push_back(b);
  }
  int buttonW = scaled(75);
  for (TMsgDlgBtn b : shown)
    buttonW = std::max(buttonW,
                       static_cast<int>(TextSize(form->GetFont(), Wide(MessageDlgButtonCaption(b)), 0, DT_SINGLELINE).cx) +
                           scaled(16));
  int rowW = static_cast<int>(shown.size()) * buttonW + (static_cast<int>(shown.size()) - 1) * buttonGap;
  int contentH = std::max(static_cast<int>(text.cy), iconId ? iconH : 0);
  int clientW = std::max(textLeft + static_cast<int>(text.cx) + margin, rowW + 2 * margin);
  int buttonTop = margin + contentH + 2 * gap;
  form->SetClientWidth(clientW);
  form->SetClientHeight(buttonTop + buttonH + margin);

  TMsgDlgBtn defaultBtn = buttons.Contains(mbOK) ? mbOK : buttons.Contains(mbYes) ? mbYes : shown.front();
  TMsgDlgBtn cancelBtn = buttons.Contains(mbCancel) ? mbCancel : buttons.Contains(mbNo) ? mbNo
                         : buttons.Contains(mbOK) ? mbOK : shown.back();
  int x = (clientW - rowW) / 2;
  for (TMsgDlgBtn b : shown) {
    auto* button = new TButton(form);
    button->SetCaption(MessageDlgButtonCaption(b));
    button->SetModalResult(MessageDlgButtonResult(b));
    button->SetControlId(static_cast<UINT_PTR>(MessageDlgButtonResult(b)));
    button->SetDefault(b == defaultBtn);
    button->SetBounds(x, buttonTop, buttonW, buttonH);
    button->SetParent(form);
    if (b == defaultBtn) form->defaultButton = button;
    if (b == cancelBtn) form->cancelButton = button;
    x += buttonW + buttonGap;
  }
  form->SetActiveControl(form->defaultButton);
  return form->ShowModal();
}
