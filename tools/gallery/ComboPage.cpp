#include "tools/gallery/ComboPage.h"

#include "controls/LocaleSeparators.h"
#include "framework/Canvas.h"

const TClassInfo& TComboPage::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TComboPage>("TComboPage", &TForm::StaticClassInfo())
                                     .Layout("TCOMBOPAGE")
                                     .Field("cmbDropDown", &TComboPage::cmbDropDown)
                                     .Field("cmbList", &TComboPage::cmbList)
                                     .Field("cmbImages", &TComboPage::cmbImages)
                                     .Field("cmbColumns", &TComboPage::cmbColumns)
                                     .Field("cmbTexOn", &TComboPage::cmbTexOn)
                                     .Field("cmbTexOff", &TComboPage::cmbTexOff)
                                     .Field("grdMaterials", &TComboPage::grdMaterials)
                                     .Field("cmbGrid", &TComboPage::cmbGrid)
                                     .Field("cmbVariable", &TComboPage::cmbVariable)
                                     .Field("memLog", &TComboPage::memLog)
                                     .Method<&TComboPage::FormCreate>("FormCreate")
                                     .Method<&TComboPage::ComboChange>("ComboChange")
                                     .Method<&TComboPage::ComboClick>("ComboClick")
                                     .Method<&TComboPage::ComboEnter>("ComboEnter")
                                     .Method<&TComboPage::ComboExit>("ComboExit")
                                     .Method<&TComboPage::ComboUpdate>("ComboUpdate")
                                     .Method<&TComboPage::ComboOverflow>("ComboOverflow")
                                     .Method<&TComboPage::ComboUnderflow>("ComboUnderflow")
                                     .Method<&TComboPage::ComboEmpty>("ComboEmpty")
                                     .Method<&TComboPage::ComboEnterKey>("ComboEnterKey")
                                     .Method<&TComboPage::ComboCloseUp>("ComboCloseUp")
                                     .Method<&TComboPage::ComboKeyDown>("ComboKeyDown")
                                     .Method<&TComboPage::ComboKeyPress>("ComboKeyPress")
                                     .Method<&TComboPage::ComboMeasureItem>("ComboMeasureItem")
                                     .Method<&TComboPage::GridChange>("GridChange")
                                     .Method<&TComboPage::GridDrawCell>("GridDrawCell")
                                     .Method<&TComboPage::GridSelectCell>("GridSelectCell")
                                     .Method<&TComboPage::GridKeyDown>("GridKeyDown")
                                     .Build();
  return info;
}

namespace {

// Item data carrying an image index in its top byte.
intptr_t ImageData(int image) { return static_cast<intptr_t>(static_cast<int32_t>(static_cast<uint32_t>(image) << 24)); }

std::string Dec(std::string text) {
  for (char& c : text)
    if (c == '.') c = UserLocaleSeparators().Decimal;
  return text;
}

std::string KeyText(char key) {
  auto code = static_cast<unsigned char>(key);
  return code < 32 ? "#" + std::to_string(code) : "'" + std::string(1, key) + "'";
}

}  // namespace

// Three materials, each as a square of its colour and, for the selected
// item, the same square framed in white.
void TComboPage::MakeImages() {
  imgMaterials = new TImageList(this);
  imgMaterials->SetName("imgMaterials");
  const COLORREF colours[] = {RGB(112, 128, 144), RGB(160, 110, 60), RGB(170, 170, 160)};
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  for (COLORREF c : colours) {
    for (int selected = 0; selected < 2; ++selected) {
      HBITMAP bmp = CreateCompatibleBitmap(screen, 16, 16);
      HGDIOBJ old = SelectObject(dc, bmp);
      RECT all{0, 0, 16, 16}, inner{3, 3, 13, 13};
      HBRUSH frame = CreateSolidBrush(selected ? RGB(255, 255, 255) : c);
      HBRUSH fill = CreateSolidBrush(c);
      FillRect(dc, &all, frame);
      FillRect(dc, &inner, fill);
      DeleteObject(frame);
      DeleteObject(fill);
      SelectObject(dc, old);
      imgMaterials->Add(bmp);
      DeleteObject(bmp);
    }
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

void TComboPage::FormCreate(TObject*) {
  for (const char* v : {"0.5", "1.25", "2.5", "10", "12.5"}) cmbDropDown->AddItem(Dec(v));
  for (const char* v : {"Acél", "Fa", "Beton", "Alumínium"}) cmbList->AddItem(v);

  MakeImages();
  cmbImages->Images = imgMaterials;
  cmbImages->AddItem("S235|S235 szerkezeti acél", ImageData(0));
  cmbImages->AddItem("S355|S355 szerkezeti acél", ImageData(0));
  cmbImages->AddItem("C24|C24 fenyő fűrészáru-", ImageData(2));
  cmbImages->AddItem("GL28h|GL28h rétegelt ragasztott fa", ImageData(2));
  cmbImages->AddItem("C30/37|C30/37 beton-", ImageData(4));
  cmbImages->SetItemIndex(0);

  cmbColumns->SetColumns("L.]");
  cmbColumns->SetColumnWidth(0, 60);
  cmbColumns->SetColumnWidth(1, 40);
  cmbColumns->SetColumnWidth(2, 50);
  cmbColumns->AddItem("Rúd 1\xA4N&x\xA4" "12,5\xA4");
  cmbColumns->AddItem("Rúd 2\xA4M&y\xA4" "-3,75\xA4");
  cmbColumns->AddItem("Rúd 3\xA4V&z\xA4" "0,4\xA4");
  cmbColumns->AddItem("Csak ez\xA4" "ez nem");
  cmbColumns->SetItemIndex(0);

  for (TTmrCombo* c : {cmbTexOn, cmbTexOff}) {
    for (const char* v : {"mm^2/m", "H_2O", "x_i^2", "x^2", "\\a", "a~b", "N&x"}) c->AddItem(v);
    c->SetItemIndex(0);
  }

  for (const char* v : {"Acél|Acél (S235)", "x_i^2", "Fa|Fa (C24)-", "H_2O", "Beton|Beton (C30/37)"})
    cmbVariable->AddItem(v);
  cmbVariable->SetItemIndex(0);

  for (const char* v : {"Acél", "Fa", "Beton", "Alumínium"}) cmbGrid->AddItem(v);
  grdMaterials->SetColWidth(0, 40);
  grdMaterials->SetColWidth(1, 160);
  grdMaterials->SetCombo(cmbGrid);
  cmbGrid->SetText(materials_[1]);

  pnlTex = new TTexSamplePanel(this);
  pnlTex->SetName("pnlTex");
  pnlTex->SetParent(this);
  pnlTex->SetBounds(320, 8, 380, 170);
}

void TComboPage::Log(TObject* sender, const std::string& event) {
  auto* c = dynamic_cast<TComponent*>(sender);
  if (!c || !memLog) return;
  memLog->AppendLine(c->Name() + ": " + event);
}

static std::string TextOf(TObject* sender) { return "Text='" + static_cast<TComboBox*>(sender)->Text() + "'"; }

void TComboPage::ComboChange(TObject* Sender) { Log(Sender, "OnChange " + TextOf(Sender)); }
void TComboPage::ComboClick(TObject* Sender) { Log(Sender, "OnClick " + TextOf(Sender)); }
void TComboPage::ComboEnter(TObject* Sender) { Log(Sender, "OnEnter"); }
void TComboPage::ComboExit(TObject* Sender) { Log(Sender, "OnExit"); }
void TComboPage::ComboUpdate(TObject* Sender) { Log(Sender, "OnUpdate " + TextOf(Sender)); }
void TComboPage::ComboOverflow(TObject* Sender) { Log(Sender, "OnOverflow " + TextOf(Sender)); }
void TComboPage::ComboUnderflow(TObject* Sender) { Log(Sender, "OnUnderflow " + TextOf(Sender)); }
void TComboPage::ComboEmpty(TObject* Sender) { Log(Sender, "OnEmpty"); }
void TComboPage::ComboEnterKey(TObject* Sender) { Log(Sender, "OnEnterKey " + TextOf(Sender)); }
void TComboPage::ComboCloseUp(TObject* Sender) { Log(Sender, "OnCloseUp " + TextOf(Sender)); }

void TComboPage::ComboKeyDown(TObject* Sender, uint16_t& Key, TShiftState) {
  Log(Sender, "OnKeyDown Key=" + std::to_string(Key));
}

void TComboPage::ComboKeyPress(TObject* Sender, char& Key) { Log(Sender, "OnKeyPress Key=" + KeyText(Key)); }

// Rows with an index are higher: room for the raised and lowered characters.
void TComboPage::ComboMeasureItem(TObject* Sender, int Index, int& Height) {
  const std::string& text = static_cast<TComboBox*>(Sender)->Item(Index);
  if (text.find_first_of("^_") != std::string::npos) Height = 26;
}

// The in-place combo: a change the user makes starts choosing (State 1).
void TComboPage::GridChange(TObject* Sender) {
  ComboChange(Sender);
  if (cmbGrid->Modified) grdMaterials->State = 1;
}

void TComboPage::GridDrawCell(TObject*, TCanvas& Canvas, int Col, int Row, const RECT& Rect, TGridDrawState) {
  Canvas.FillRect(Rect);
  std::string text;
  if (Row == 0) text = Col == 0 ? "#" : "Anyag";
  else if (Col == 0) text = std::to_string(Row);
  else if (static_cast<size_t>(Row) < materials_.size()) text = materials_[static_cast<size_t>(Row)];
  Canvas.TextOut(Rect.left + 3, Rect.top + 4, text);
}

// Keeps the value of the cell left and loads the one of the cell entered.
void TComboPage::GridSelectCell(TObject* Sender, int Col, int Row, bool&) {
  const auto old = static_cast<size_t>(grdMaterials->Row());
  if (old < materials_.size()) materials_[old] = cmbGrid->Text();
  if (static_cast<size_t>(Row) < materials_.size()) cmbGrid->SetText(materials_[static_cast<size_t>(Row)]);
  Log(Sender, "OnSelectCell Col=" + std::to_string(Col) + " Row=" + std::to_string(Row));
}

// Escape while choosing puts the cell's value back.
void TComboPage::GridKeyDown(TObject* Sender, uint16_t& Key, TShiftState) {
  Log(Sender, "OnKeyDown Key=" + std::to_string(Key));
  if (Key == VK_ESCAPE && grdMaterials->State == 1) {
    const auto row = static_cast<size_t>(grdMaterials->Row());
    if (row < materials_.size()) cmbGrid->SetText(materials_[row]);
  }
}
