#pragma once
// TFrmStartup: the launcher window: the picture on the left, the menu of
// clickable labels on the right. The layout is resources/frStartup.layout.

#include <string>

#include "framework/Bevel.h"
#include "framework/CustomForm.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Registry.h"
#include "framework/Shape.h"
#include "framework/Timer.h"
#include "launcher/WinExit.h"

class TFrmStartup : public TForm {
public:
  explicit TFrmStartup(TComponent* owner);
  ~TFrmStartup() override;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Components, filled in from the layout; owned by the form.
  TBevel* Bevel1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label10 = nullptr;
  TLabel* Label11 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label13 = nullptr;
  TShape* Shape1 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label8 = nullptr;
  TImage* Image1 = nullptr;
  TLabel* Label14 = nullptr;
  TLabel* Label15 = nullptr;
  TShape* Shape2 = nullptr;
  TLabel* Label16 = nullptr;
  TLabel* Label9 = nullptr;
  TShape* Shape3 = nullptr;
  TLabel* Label17 = nullptr;
  TTimer* Timer1 = nullptr;
  TWinExit* WinExit = nullptr;
  TTimer* Timer2 = nullptr;
  TLabel* Label18 = nullptr;

  // Event handlers connected by the layout.
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void LabelClick(TObject* Sender);
  void LabelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);

  // The folder of the launcher's own program file, with a trailing backslash.
  const std::string& MediaRoot() const { return FMediaRoot; }
  TRegistry* Registry() const { return FRegistry; }

private:
  std::string FDocumentName;
  std::string FMediaRoot;
  TRegistry* FRegistry = nullptr;  // owned: made in FormCreate, freed in FormDestroy
  std::string FDocumentPath;
};

// Texts of the launcher (code page 1250), assigned by FormCreate.
extern std::string SetupInfoText;
extern std::string RestartQuestion;
extern std::string HelpShortcutName;
extern std::string LicenceFileName;
extern std::string LicenceShortcutName;
extern std::string UninstallShortcutName;
extern std::string AcrobatQuestion;
extern std::string UninstallKeyName;
extern std::string InstallPath;
extern std::string DesktopPath;

extern TFrmStartup* FrmStartup;

// The folder of the running program file, ending in a backslash.
std::string ProgramFolder();
