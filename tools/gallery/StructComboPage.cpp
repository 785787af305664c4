#include "tools/gallery/StructComboPage.h"

const TClassInfo& TStructComboPage::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TStructComboPage>("TStructComboPage", &TForm::StaticClassInfo())
          .Layout("TSTRUCTCOMBOPAGE")
          .Field("cmbMaterial", &TStructComboPage::cmbMaterial)
          .Field("cmbSection", &TStructComboPage::cmbSection)
          .Field("edtObjectIndex", &TStructComboPage::edtObjectIndex)
          .Field("btnSetIndex", &TStructComboPage::btnSetIndex)
          .Field("btnEnable", &TStructComboPage::btnEnable)
          .Field("memLog", &TStructComboPage::memLog)
          .Field("btnClearLog", &TStructComboPage::btnClearLog)
          .Field("cmbEmpty", &TStructComboPage::cmbEmpty)
          .Method<&TStructComboPage::FormCreate>("FormCreate")
          .Method<&TStructComboPage::ComboChange>("ComboChange")
          .Method<&TStructComboPage::ComboCloseUp>("ComboCloseUp")
          .Method<&TStructComboPage::btnSetIndexClick>("btnSetIndexClick")
          .Method<&TStructComboPage::btnEnableClick>("btnEnableClick")
          .Method<&TStructComboPage::btnClearLogClick>("btnClearLogClick")
          .Build();
  return info;
}

namespace {

struct TEntry {
  const char* Text;
  int Id;
};

// Groups carry identifier 0; every leaf has its own.
const TEntry kMaterials[] = {{"Steel", 0}, {"_S235", 10}, {"_S355", 11}, {"Timber", 0}, {"_C24", 20}};

const TEntry kSections[] = {
    {"Acél szelvények", 0},
    {"_Melegen hengerelt", 0},
    {"__I szelvények", 0},
    {"___IPE 100", 101}, {"___IPE 120", 102}, {"___IPE 140", 103}, {"___IPE 160", 104},
    {"___IPE 180", 105}, {"___IPE 200", 106}, {"___IPE 240", 107}, {"___IPE 300", 108},
    {"__H szelvények", 0},
    {"___HEA 100", 111}, {"___HEA 140", 112}, {"___HEA 200", 113},
    {"___HEB 100", 121}, {"___HEB 140", 122}, {"___HEB 200", 123},
    {"_Hidegen alakított", 0},
    {"__Zárt szelvények", 0},
    {"___SHS 40×40×3", 131}, {"___SHS 60×60×4", 132}, {"___RHS 80×40×4", 133}, {"___CHS 48,3×3,2", 134},
    {"Faanyag", 0},
    {"_Tömör fa", 0},
    {"__C16", 201}, {"__C24", 202}, {"__C30", 203},
    {"_Rétegelt-ragasztott fa (homogén)", 0},
    {"__GL24h", 211}, {"__GL28h", 212}, {"__GL32h", 213},
    {"Beton", 0},
    {"_C20/25", 301}, {"_C25/30", 302}, {"_C30/37", 303}, {"_C35/45", 304}, {"_C40/50", 305},
};

template <size_t N>
TStringList Entries(const TEntry (&entries)[N]) {
  TStringList list;
  for (const TEntry& e : entries) list.AddObject(e.Text, e.Id);
  return list;
}

}  // namespace

void TStructComboPage::FormCreate(TObject*) {
  cmbMaterial->SetItems(Entries(kMaterials));
  cmbSection->SetItems(Entries(kSections));
  cmbSection->SetObjectIndex(106);
}

void TStructComboPage::Log(TObject* sender, const std::string& event) {
  auto* c = dynamic_cast<TComponent*>(sender);
  if (c && memLog) memLog->AppendLine(c->Name() + ": " + event);
}

void TStructComboPage::ComboChange(TObject* Sender) {
  auto* combo = static_cast<TStructCombo*>(Sender);
  Log(Sender, "OnChange ObjectIndex=" + std::to_string(combo->ObjectIndex()) + " Text='" + combo->Caption() + "'");
}

void TStructComboPage::ComboCloseUp(TObject* Sender) { Log(Sender, "OnCloseUp"); }

void TStructComboPage::btnSetIndexClick(TObject*) {
  cmbMaterial->SetObjectIndex(edtObjectIndex->ValueInt());
}

void TStructComboPage::btnEnableClick(TObject*) {
  cmbMaterial->SetEnabled(!cmbMaterial->Enabled());
  btnEnable->SetCaption(cmbMaterial->Enabled() ? "cmbMaterial tiltása" : "cmbMaterial engedélyezése");
}

void TStructComboPage::btnClearLogClick(TObject*) { memLog->Clear(); }
