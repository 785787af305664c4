#pragma once
// TFrmStartup: the launcher window: the picture on the left, the menu of
// clickable labels on the right. The layout is resources/frStartup.layout.

#include <array>
#include <string>

#include "framework/Bevel.h"
#include "framework/CustomForm.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Registry.h"
#include "framework/Shape.h"
#include "framework/Timer.h"
#include "launcher/LauncherPlatform.h"
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
  const std::wstring& MediaRoot() const { return FMediaRoot; }
  TRegistry* Registry() const { return FRegistry; }

  // Paths on the medium. The tutorial and video names are full paths; the
  // manual and tutorial book names are relative to the medium.
  static std::string DemoFolder();
  std::wstring TutorialFileName(int tag) const;
  std::wstring VideoFileName(int tag) const;
  static std::string ManualFileName();
  static std::string TutorialBookFileName();

  // The menu's actions.
  void PlayTutorial(const std::wstring& path);
  void PlayVideo(const std::wstring& path);
  void CloseLauncher();
  void StartSetup();
  void OpenDocument(const std::string& name);

  // Starts a program through the shell and waits for it to end, processing
  // messages every 100 ms (timer ticks run meanwhile); stops waiting early
  // when the application is terminating. False if it could not be started;
  // with quietFailure the shell shows no error dialog of its own then.
  bool RunAndWait(const std::wstring& program, const std::wstring& parameters, bool quietFailure = false);
  // Whether one of the reader's two registry keys exists.
  bool AcrobatInstalled() const;
  static bool RegistryKeyExists(HKEY root, const std::string& path);

  // The finishing steps after the set-up.
  void RegisterFileTypes();
  void CreateDesktopShortcut(const std::string& fileName, const std::string& shortcutName);

  // Tag of the highlighted (red) menu entry, 0 before any. Pointer and
  // keyboard move the same highlight.
  int HighlightedTag() const { return FHoveredTag; }

protected:
  // The menu's keys: Down and Tab move the highlight to the next visible
  // entry, Up and Shift+Tab to the previous one, Enter and Space act as a
  // click on the highlighted entry, once per key press (the system's
  // auto-repeat of a held key does not act again).
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // The entries that the highlight can rest on, in the order they are reset.
  std::array<TLabel*, 12> MenuLabels() const;
  // Paints the entry of FHoveredTag red and every other entry black.
  void PaintHighlight();
  // True when the key was one of the menu's.
  bool MenuKeyDown(uint16_t key, TShiftState shift, bool repeated);
  void MoveHighlight(bool forward);
  void ClickHighlighted();
  // Starts a player from the medium once the running one of its class was
  // told to quit.
  void StartPlayer(const std::string& windowClass, const std::string& program, const std::wstring& switches,
                   const std::wstring& path);
  void CreateUninstallShortcut(const std::wstring& uninstallCommand);
  std::wstring ShortcutFileName(const std::string& shortcutName) const;
  // The value of the open key, as stored; empty when it is missing or not text.
  std::wstring ReadPath(const std::string& name) const;
  // Writes the default value of a file-type key, for this user when the
  // machine-wide classes refuse it.
  void WriteFileTypeValue(const std::string& key, const std::wstring& value);

  std::string FDocumentName;
  std::wstring FMediaRoot;
  TRegistry* FRegistry = nullptr;  // owned: made in FormCreate, freed in FormDestroy
  std::wstring FDocumentPath;
  int FHoveredTag = 0;  // Tag of the menu label painted red last; 0 before any
};

// Texts of the launcher (code page 1250), assigned by FormCreate; the two
// folders found by the finishing step as the system names them (UTF-16).
extern std::string SetupInfoText;
extern std::string RestartQuestion;
extern std::string HelpShortcutName;
extern std::string LicenceFileName;
extern std::string LicenceShortcutName;
extern std::string UninstallShortcutName;
extern std::string AcrobatQuestion;
extern std::string UninstallKeyName;
extern std::wstring InstallPath;
extern std::wstring DesktopPath;
// The shell-link object that writes the desktop shortcuts: made by the
// finishing step, released by ReleaseStartupUnit.
extern IShellLinkW* ShellLink;
extern IPersistFile* PersistFile;

extern TFrmStartup* FrmStartup;

// Releases the unit-level interface references and texts (program end,
// after the forms are gone and before COM stops).
void ReleaseStartupUnit();
