#include "launcher/frStartup.h"

#include <windows.h>

#include "framework/WinText.h"

TFrmStartup* FrmStartup = nullptr;

std::string SetupInfoText;
std::string RestartQuestion;
std::string HelpShortcutName;
std::string LicenceFileName;
std::string LicenceShortcutName;
std::string UninstallShortcutName;
std::string AcrobatQuestion;
std::string UninstallKeyName;
std::string InstallPath;
std::string DesktopPath;

const TClassInfo& TFrmStartup::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TFrmStartup>("TFrmStartup", &TForm::StaticClassInfo())
                                     .Layout("TFRMSTARTUP")
                                     .Field("Bevel1", &TFrmStartup::Bevel1)
                                     .Field("Label1", &TFrmStartup::Label1)
                                     .Field("Label2", &TFrmStartup::Label2)
                                     .Field("Label3", &TFrmStartup::Label3)
                                     .Field("Label4", &TFrmStartup::Label4)
                                     .Field("Label5", &TFrmStartup::Label5)
                                     .Field("Label7", &TFrmStartup::Label7)
                                     .Field("Label10", &TFrmStartup::Label10)
                                     .Field("Label11", &TFrmStartup::Label11)
                                     .Field("Label12", &TFrmStartup::Label12)
                                     .Field("Label13", &TFrmStartup::Label13)
                                     .Field("Shape1", &TFrmStartup::Shape1)
                                     .Field("Label6", &TFrmStartup::Label6)
                                     .Field("Label8", &TFrmStartup::Label8)
                                     .Field("Image1", &TFrmStartup::Image1)
                                     .Field("Label14", &TFrmStartup::Label14)
                                     .Field("Label15", &TFrmStartup::Label15)
                                     .Field("Shape2", &TFrmStartup::Shape2)
                                     .Field("Label16", &TFrmStartup::Label16)
                                     .Field("Label9", &TFrmStartup::Label9)
                                     .Field("Shape3", &TFrmStartup::Shape3)
                                     .Field("Label17", &TFrmStartup::Label17)
                                     .Field("Timer1", &TFrmStartup::Timer1)
                                     .Field("WinExit", &TFrmStartup::WinExit)
                                     .Field("Timer2", &TFrmStartup::Timer2)
                                     .Field("Label18", &TFrmStartup::Label18)
                                     .Method<&TFrmStartup::FormCreate>("FormCreate")
                                     .Method<&TFrmStartup::FormDestroy>("FormDestroy")
                                     .Method<&TFrmStartup::LabelClick>("LabelClick")
                                     .Method<&TFrmStartup::LabelMouseMove>("LabelMouseMove")
                                     .Method<&TFrmStartup::Timer1Timer>("Timer1Timer")
                                     .Method<&TFrmStartup::Timer2Timer>("Timer2Timer")
                                     .Build();
  return info;
}

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // a long path: try again with room for it
  }
  size_t slash = path.find_last_of(L"\\/");
  path.resize(slash == std::wstring::npos ? 0 : slash + 1);
  return Narrow(path);
}

TFrmStartup::TFrmStartup(TComponent* owner) : TForm(owner) {}

TFrmStartup::~TFrmStartup() = default;

void TFrmStartup::FormCreate(TObject*) {
  Label9->Hide();
  Label18->Hide();

  SetCaption("Korvex 7 telepítő CD");
  Label10->SetCaption("Lépésről lépésre");
  Label1->SetCaption("Gerenda modell (EC2)");
  Label2->SetCaption("Keret modell (EC3)");
  Label3->SetCaption("Lemez modell (EC2)");
  Label4->SetCaption("Tartály modell");
  Label5->SetCaption("Tárcsa modell (EC2)");
  Label7->SetCaption("Kilépés");
  Label15->SetCaption("Diabemutatók");
  Label11->SetCaption("Áttekintés");
  Label12->SetCaption("Megépült szerkezetek");
  Label13->SetCaption("Technikai jellemzők");
  Label18->SetCaption("Oktatókönyv elektronikus formában");
  Label8->SetCaption("Korvex 7 telepítése");
  Label14->SetCaption("Kézikönyv elektronikus formában");

  SetupInfoText = "Beállítások véglegesítése...";
  RestartQuestion =
      "Az Korvex telepítése befejezôdött.\n\rAjánlott a rendszer újraindítása!\r\nKívánja most újraindítani?";
  HelpShortcutName = "Súgó";
  LicenceFileName = "Licenc_Korvex70Hu.Txt";
  LicenceShortcutName = "Licencszerződés";
  UninstallShortcutName = "Korvex eltávolítása";
  AcrobatQuestion = "Acrobat Reader még nincs telepitve. Kéri a telepitését?";
  UninstallKeyName = "Korvex 7";

  FMediaRoot = ProgramFolder();
  FRegistry = new TRegistry();
}

void TFrmStartup::FormDestroy(TObject*) {
  delete FRegistry;
  FRegistry = nullptr;
}

void TFrmStartup::LabelClick(TObject* Sender) {
  auto* label = dynamic_cast<TLabel*>(Sender);
  if (!label) throw Exception("LabelClick: the sender is not a label");
  if (label->Tag() == 7) Close();
}

void TFrmStartup::LabelMouseMove(TObject*, TShiftState, int, int) {}

void TFrmStartup::Timer1Timer(TObject*) {}

void TFrmStartup::Timer2Timer(TObject*) {}
