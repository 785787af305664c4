#include "tools/gallery/FormsPage.h"

#include <iterator>

#include "tools/gallery/GalleryDialog.h"

namespace {

// The hint's texts: "|" breaks a line; the last one is longer than three
// quarters of a common screen, so the hint breaks it itself.
const char* const kFormulas[] = {
    "Hajlítónyomaték:|M = q·L^2 / 8",
    "Normálfeszültség:|s = N / A + M / W|s <= f_yd",
    "Lehajlás: w = 5·q·L^4 / (384·E·I)",
    "M(x) = R_A·x - q·x^2/2 - F_1·(x - a_1) - F_2·(x - a_2) - F_3·(x - a_3) + M_0; "
    "V(x) = R_A - q·x - F_1 - F_2 - F_3; N(x) = {H_A + H_B}·cos(alfa) + [P·sin(alfa)]; "
    "H(x) = H_A - w·x·cos(alfa) + (P_1 + P_2)·sin(alfa) - (P_3 + P_4)·cos(beta)",
};

std::string AnchorText(TAnchors a) {
  return std::string(a.Contains(akRight) ? "jobbra" : "balra") + ", " + (a.Contains(akBottom) ? "lent" : "fent");
}

}  // namespace

const TClassInfo& TFormsPage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFormsPage>("TFormsPage", &TForm::StaticClassInfo())
                                     .Layout("TFORMSPAGE")
                                     .Field("pnlDrawing", &TFormsPage::pnlDrawing)
                                     .Field("btnDialog", &TFormsPage::btnDialog)
                                     .Field("btnTools", &TFormsPage::btnTools)
                                     .Field("btnHint", &TFormsPage::btnHint)
                                     .Field("memLog", &TFormsPage::memLog)
                                     .Method<&TFormsPage::FormCreate>("FormCreate")
                                     .Method<&TFormsPage::FormDestroy>("FormDestroy")
                                     .Method<&TFormsPage::btnDialogClick>("btnDialogClick")
                                     .Method<&TFormsPage::btnToolsClick>("btnToolsClick")
                                     .Method<&TFormsPage::btnHintClick>("btnHintClick")
                                     .Method<&TFormsPage::DrawingMouseMove>("DrawingMouseMove")
                                     .Build();
  return info;
}

void TFormsPage::Log(const std::string& line) { memLog->AppendLine(line); }

void TFormsPage::FormCreate(TObject*) {
  Tools = TCustomForm::Create<TGalleryTools>(this);
  Tools->SetParent(pnlDrawing);
  Tools->SetBounds(16, 16, Tools->Width(), Tools->Height());
  Tools->OnBtnClose = TNotifyEvent::Of<&TFormsPage::ToolsClose>(this);
  Tools->OnWindowPosChanged = TNotifyEvent::Of<&TFormsPage::ToolsMoved>(this);
  for (TButton* b : {Tools->btnLine, Tools->btnCircle, Tools->btnText})
    b->OnClick = TNotifyEvent::Of<&TFormsPage::ToolClick>(this);
  Tools->Show();

  Hint = TCustomForm::Create<TfrmCursorHint>(nullptr);
  Hint->SetVisible(false);
  Hint->SetParent(pnlDrawing);
  Hint->OnDestroy = TNotifyEvent::Of<&TFormsPage::HintDestroyed>(this);
  Hint->SetHintText(kFormulas[0]);
}

void TFormsPage::FormDestroy(TObject*) {
  if (!Hint) return;
  Hint->OnDestroy = TNotifyEvent();
  TComponent::Free(Hint);
  Hint = nullptr;
}

void TFormsPage::HintDestroyed(TObject*) { Hint = nullptr; }

void TFormsPage::btnDialogClick(TObject*) {
  auto* dialog = TCustomForm::Create<TGalleryDialog>(this);
  dialog->FRestorePointer = true;
  try {
    dialog->SetPositionSlot(TGalleryDialog::kSlot);
    int result = dialog->ShowModal();
    Log(std::string("Párbeszéd: ") + (result == mrOk ? "OK, teher " + dialog->edtLoad->Text() : "Mégse"));
  } catch (...) {
    TComponent::Free(dialog);
    throw;
  }
  TComponent::Free(dialog);
}

void TFormsPage::btnToolsClick(TObject*) {
  Tools->Show();
  Log("Eszközök: megjelenítve");
}

void TFormsPage::ToolsClose(TObject*) {
  Tools->Hide();
  Log("Eszközök: bezárva");
}

void TFormsPage::ToolClick(TObject* Sender) {
  Log("Eszközök: " + static_cast<TControl*>(Sender)->Caption());
}

void TFormsPage::ToolsMoved(TObject*) {
  RECT r = Tools->BoundsRect();
  if (EqualRect(&r, &toolsLogged_)) return;
  toolsLogged_ = r;
  Log("Eszközök: " + std::to_string(r.left) + "," + std::to_string(r.top) + " (" + AnchorText(Tools->Anchors()) + ")");
}

void TFormsPage::btnHintClick(TObject*) {
  if (!Hint) return;
  hintIndex_ = (hintIndex_ + 1) % static_cast<int>(std::size(kFormulas));
  Hint->SetHintText(kFormulas[hintIndex_]);
  // Takes the new size, then grows upward from where its bottom was, so that
  // it stays above the pointer it was placed over.
  const int bottom = Hint->Top() + Hint->Height();
  Hint->SetBounds(Hint->Left(), Hint->Top(), Hint->Width(), Hint->Height());
  Hint->SetBounds(Hint->Left(), bottom - Hint->Height(), Hint->Width(), Hint->Height());
  Log("Képlet: " + std::to_string(Hint->HintLineCount()) + " sor: " + Hint->HintText());
}

void TFormsPage::DrawingMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!Hint) return;
  // Shown first: showing gives the label its font, and the move then fits
  // the window to the text. Above and right of the pointer, as the task
  // cursors place their hints; below it where there is no room above. A hint
  // over the pointer would take the mouse's moves from the drawing area.
  if (!Hint->Visible()) Hint->Show();
  int top = Y - 7 - Hint->Height();
  if (top < 1) top = Y + 20;
  Hint->SetBounds(X + 7, top, Hint->Width(), Hint->Height());
}
