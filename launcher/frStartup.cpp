#include "launcher/frStartup.h"

#include "framework/Application.h"
#include "framework/DpiScaling.h"
#include "framework/MessageDlg.h"
#include "launcher/FrSetInf.h"
#include "framework/WinText.h"
#include "launcher/LaunchRules.h"
#include "launcher/MenuNavigation.h"

TFrmStartup* FrmStartup = nullptr;

std::string SetupInfoText;
std::string RestartQuestion;
std::string HelpShortcutName;
std::string LicenceFileName;
std::string LicenceShortcutName;
std::string UninstallShortcutName;
std::string AcrobatQuestion;
std::string UninstallKeyName;
std::wstring InstallPath;
std::wstring DesktopPath;
IShellLinkW* ShellLink = nullptr;
IPersistFile* PersistFile = nullptr;

namespace {

// Registry keys (code page 1250, relative to the accessor's root).
const char* const ProductKey = "Software\\Lavonsys\\Korvex7";
const char* const UninstallKeyPrefix = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char* const ShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
const char* const ReaderKey = "SOFTWARE\\Adobe\\Acrobat Reader";
// Where a user's own file types live (merged into HKEY_CLASSES_ROOT for them).
const char* const UserClassesKey = "Software\\Classes\\";
const char* const AcrobatKey = "SOFTWARE\\Adobe\\Acrobat";

const wchar_t* const ShortcutFolder = L"Korvex7";
const char* const ProductProgram = "korvex.exe";
const char* const HelpFileName = "Korvex7Hu.htm";
const char* const ProductShortcutName = "Korvex 7";
const wchar_t* const SetupProgram = L"Setup\\Setup.exe";
const wchar_t* const ReaderInstaller = L"AcrobatReader50\\ar505eng.exe";
const char* const TutorialPlayerClass = "ScreenCamPlayerWndv3";
const char* const VideoPlayerClass = "Camtasia Player";

constexpr int ShowNormal = 1;
constexpr unsigned PlayerStartPause = 1000;
constexpr unsigned DocumentRetryPause = 1000;
constexpr unsigned SetupInfoPause = 5000;
constexpr unsigned RunWaitSlice = 100;

}  // namespace

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
  // Laid out for 96 DPI; the manifest declares the program DPI-aware, so it
  // keeps its designed size on a scaled screen only by scaling itself.
  ScaleForm(*this, ScreenDpi());
}

void TFrmStartup::FormDestroy(TObject*) {
  delete FRegistry;
  FRegistry = nullptr;
}

void TFrmStartup::LabelClick(TObject* Sender) {
  auto* label = dynamic_cast<TLabel*>(Sender);
  if (!label) throw Exception("LabelClick: the sender is not a label");
  const int tag = label->Tag();
  switch (MenuActionForTag(tag)) {
    case TMenuAction::PlayTutorial: PlayTutorial(TutorialFileName(tag)); break;
    case TMenuAction::PlayVideo: PlayVideo(VideoFileName(tag)); break;
    case TMenuAction::CloseLauncher: CloseLauncher(); break;
    case TMenuAction::StartSetup: StartSetup(); break;
    case TMenuAction::OpenManual: OpenDocument(ManualFileName()); break;
    case TMenuAction::OpenTutorialBook: OpenDocument(TutorialBookFileName()); break;
    case TMenuAction::None: break;
  }
}

// The label under the pointer turns red and every other menu label black; the
// highlight stays when the pointer leaves for the background or the picture.
// A label with no action (Tag 0: the headings and the edition line) counts as
// background too: the last highlighted label stays red.
void TFrmStartup::LabelMouseMove(TObject* Sender, TShiftState, int, int) {
  auto* label = dynamic_cast<TLabel*>(Sender);
  if (!label) return;
  if (label->Tag() > 0) FHoveredTag = label->Tag();
  PaintHighlight();
}

// The maker's notice line (Tag 8 too) is not an entry: it never turns red.
std::array<TLabel*, 12> TFrmStartup::MenuLabels() const {
  return {Label1, Label2, Label3, Label4, Label5, Label7, Label8, Label11, Label12, Label13, Label14, Label18};
}

void TFrmStartup::PaintHighlight() {
  for (TLabel* item : MenuLabels()) item->Font()->SetColor(item->Tag() == FHoveredTag ? clRed : clBlack);
}

LRESULT TFrmStartup::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // The window has no control to hand Tab and the arrows to: it takes
      // them itself, for the menu.
      return DLGC_WANTTAB | DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (MenuKeyDown(static_cast<uint16_t>(wParam), KeyboardShiftState(), (HIWORD(lParam) & KF_REPEAT) != 0))
        return 0;
      break;
    default:
      break;
  }
  return TForm::WndProc(message, wParam, lParam);
}

bool TFrmStartup::MenuKeyDown(uint16_t key, TShiftState shift, bool repeated) {
  switch (key) {
    case VK_DOWN: MoveHighlight(true); return true;
    case VK_UP: MoveHighlight(false); return true;
    case VK_TAB:
      if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
      MoveHighlight(!shift.Contains(ssShift));
      return true;
    case VK_RETURN:
    case VK_SPACE:
      // The action may hide the launcher, open a dialog or end the program:
      // nothing of the form is touched after it.
      if (!repeated) ClickHighlighted();
      return true;
    default: return false;
  }
}

void TFrmStartup::MoveHighlight(bool forward) {
  std::vector<TMenuEntry> entries;
  for (TLabel* item : MenuLabels()) {
    if (item->Visible()) entries.push_back({item->Tag(), item->Left(), item->Top()});
  }
  const int tag = NextMenuTag(std::move(entries), FHoveredTag, forward);
  if (tag == 0) return;
  FHoveredTag = tag;
  PaintHighlight();
}

void TFrmStartup::ClickHighlighted() {
  for (TLabel* item : MenuLabels()) {
    if (FHoveredTag != 0 && item->Tag() == FHoveredTag && item->Visible()) {
      LabelClick(item);
      return;
    }
  }
}

std::string TFrmStartup::DemoFolder() { return "Demo\\"; }

std::wstring TFrmStartup::TutorialFileName(int tag) const {
  std::string file = TutorialFile(tag);
  return file.empty() ? std::wstring() : FMediaRoot + Wide(DemoFolder() + file);
}

std::wstring TFrmStartup::VideoFileName(int tag) const {
  std::string file = VideoFile(tag);
  return file.empty() ? std::wstring() : FMediaRoot + Wide(DemoFolder() + file);
}

std::string TFrmStartup::ManualFileName() { return "Kezikonyv\\kezikonyv70.pdf"; }

std::string TFrmStartup::TutorialBookFileName() { return DemoFolder() + "Lepesrol_lepesre60.pdf"; }

void TFrmStartup::PlayTutorial(const std::wstring& path) {
  StartPlayer(TutorialPlayerClass, "scplayer.exe", L"/s", path);
}

void TFrmStartup::PlayVideo(const std::wstring& path) {
  StartPlayer(VideoPlayerClass, "camplay.exe", L"/E /M", path);
}

// Each player ends only its own kind: the other one may go on playing.
void TFrmStartup::StartPlayer(const std::string& windowClass, const std::string& program,
                              const std::wstring& switches, const std::wstring& path) {
  PostQuitToWindowOfClass(windowClass);
  Application->ProcessMessages();
  const std::wstring commandLine =
      QuotedCommandLine(FMediaRoot + Wide(DemoFolder() + program), switches + L" " + path);
  Pause(PlayerStartPause);  // lets the old player end before the new one starts
  ExecuteCommandLine(commandLine, ShowNormal);
}

// Only this entry tells the players to quit: the window's close button
// leaves them running.
void TFrmStartup::CloseLauncher() {
  PostQuitToWindowOfClass(TutorialPlayerClass);
  PostQuitToWindowOfClass(VideoPlayerClass);
  Close();
}

// The launcher stays hidden while the set-up runs. Timer1 finishes the
// installation when the set-up records the product folder ("Path"), normally
// while the set-up is still running, i.e. inside RunAndWait. A set-up that
// records the folder and ends within one wait slice leaves no tick between
// the two: the value is looked for once more before anything else, so that
// finishing never runs with the launcher shown. If the value is still missing
// (the set-up could not start, ended without recording the folder, or handed
// the work to another program), the launcher comes back while Timer1 goes on
// waiting.
void TFrmStartup::StartSetup() {
  Hide();
  {
    TRegistry registry;
    registry.SetLazyWrite(false);
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (registry.OpenKey(ProductKey, false)) registry.DeleteValue("Path");
    registry.CloseKey();
  }
  Timer1->SetEnabled(true);
  const std::wstring program = FMediaRoot + SetupProgram;
  const bool started = RunAndWait(program, L"", true);
  if (Application->Terminated()) return;
  if (Timer1->Enabled()) Timer1Timer(Timer1);
  if (!Timer1->Enabled() || Application->Terminated()) return;
  Show();
  if (!started)
    MessageDlg(Wide("A telepítőprogram nem indítható el:\r\n") + program, mtError, TMsgDlgButtons{mbOK}, 0);
}

bool TFrmStartup::RunAndWait(const std::wstring& program, const std::wstring& parameters, bool quietFailure) {
  HANDLE process = nullptr;
  if (!ShellExecuteKeepingProcess(Application->Handle(), program, parameters, quietFailure, process)) return false;
  while (WaitForProcess(process, RunWaitSlice) == TProcessWait::TimedOut) {
    Application->ProcessMessages();
    if (Application->Terminated()) break;
  }
  CloseProcessHandle(process);
  return true;
}

// Without a reader the user may install the one on the medium; the document
// then opens from Timer2 as soon as the reader's key appears.
void TFrmStartup::OpenDocument(const std::string& name) {
  FDocumentName = name;
  FDocumentPath = FMediaRoot + Wide(name);
  if (AcrobatInstalled()) {
    ShellOpen(Application->Handle(), FDocumentPath);
    return;
  }
  if (MessageDlg(AcrobatQuestion, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) == mrYes) {
    Timer2->SetEnabled(true);
    RunAndWait(FMediaRoot + ReaderInstaller, L"");
  } else {
    ShellOpen(Application->Handle(), FDocumentPath);
  }
}

void TFrmStartup::Timer2Timer(TObject*) {
  if (!AcrobatInstalled()) return;
  Timer2->SetEnabled(false);
  Pause(DocumentRetryPause);
  OpenDocument(FDocumentName);
}

bool TFrmStartup::AcrobatInstalled() const {
  return RegistryKeyExists(HKEY_LOCAL_MACHINE, ReaderKey) || RegistryKeyExists(HKEY_LOCAL_MACHINE, AcrobatKey);
}

bool TFrmStartup::RegistryKeyExists(HKEY root, const std::string& path) { return RegistryKeyCanBeRead(root, path); }

std::wstring TFrmStartup::ReadPath(const std::string& name) const {
  try {
    return FRegistry->ReadWideString(name);
  } catch (const ERegistryException&) {
    return {};
  }
}

// Waiting for the set-up ends when "Path" appears; the finishing step then
// runs once (Timer1 is off before anything processes messages). Keys that are
// only read are opened read-only, so that a user without administrator rights
// can still read the machine's uninstall entry.
void TFrmStartup::Timer1Timer(TObject*) {
  FRegistry->SetLazyWrite(false);
  FRegistry->SetRootKey(HKEY_CURRENT_USER);
  InstallPath.clear();
  DesktopPath.clear();
  std::wstring uninstallCommand;
  if (FRegistry->OpenKeyReadOnly(ProductKey)) InstallPath = ReadPath("Path");
  FRegistry->CloseKey();
  FRegistry->SetRootKey(HKEY_LOCAL_MACHINE);
  if (FRegistry->OpenKeyReadOnly(UninstallKeyPrefix + UninstallKeyName))
    uninstallCommand = ReadPath("UninstallString");
  FRegistry->CloseKey();
  if (InstallPath.empty()) return;

  Timer1->SetEnabled(false);
  frmSetupInfo->Show();
  Application->ProcessMessages();
  RegisterFileTypes();

  FRegistry->SetRootKey(HKEY_CURRENT_USER);
  if (FRegistry->OpenKeyReadOnly(ShellFoldersKey)) DesktopPath = ReadPath("Desktop");
  FRegistry->CloseKey();
  // Without a desktop folder no shortcut is written: an empty one would put
  // them under the root of the current drive.
  if (DesktopPath.empty()) DesktopPath = ShellDesktopFolder();
  if (!DesktopPath.empty()) {
    CreateFolder(DesktopPath + L"\\" + ShortcutFolder);
    ReleaseShellLinkObject(ShellLink, PersistFile);
    CreateShellLinkObject(ShellLink, PersistFile);
    CreateDesktopShortcut(LicenceFileName, LicenceShortcutName);
    CreateDesktopShortcut(ProductProgram, ProductShortcutName);
    CreateDesktopShortcut(HelpFileName, HelpShortcutName);
    CreateUninstallShortcut(uninstallCommand);
  }

  Pause(SetupInfoPause);  // the wait notice stays on the screen meanwhile
  frmSetupInfo->Hide();
  WinExit->SetExitWinType(ewReboot);
  // A refused restart (the shutdown right denied, another program blocking
  // the session end) brings the launcher back; WinExit->LastError() tells why.
  if (MessageDlg(RestartQuestion, mtInformation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes || !WinExit->Execute())
    Show();
}

// The file types open with the product; the open command and the icon sit
// directly under the extension keys, "%1" unquoted.
void TFrmStartup::RegisterFileTypes() {
  FRegistry->SetLazyWrite(false);
  FRegistry->SetRootKey(HKEY_CURRENT_USER);
  if (FRegistry->OpenKey(ProductKey, true)) InstallPath = ReadPath("Path");
  FRegistry->CloseKey();

  const std::wstring command = InstallPath + L"\\korvex.exe %1";
  const std::wstring icon = InstallPath + L"\\korvex.exe,0";
  WriteFileTypeValue(".kvs\\shell\\open\\command", command);
  WriteFileTypeValue(".kvs\\DefaultIcon", icon);
  WriteFileTypeValue(".kve\\shell\\open\\command", command);
  WriteFileTypeValue(".kve\\DefaultIcon", icon);
}

// A standard user on Windows with user account control may not create keys
// under HKEY_CLASSES_ROOT (they would go to the machine's part): the value
// then goes to the user's own classes, which the shell merges into it for
// this user. Any other failure leaves the value missing; the others are
// still written.
void TFrmStartup::WriteFileTypeValue(const std::string& key, const std::wstring& value) {
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER}) {
    FRegistry->SetRootKey(root);
    bool written = false;
    try {
      if (FRegistry->OpenKey(root == HKEY_CLASSES_ROOT ? key : UserClassesKey + key, true)) {
        FRegistry->WriteWideString("", value);
        written = true;
      }
    } catch (const ERegistryException&) {
    }
    const long error = FRegistry->LastError();
    FRegistry->CloseKey();
    if (written || error != ERROR_ACCESS_DENIED) return;
  }
}

std::wstring TFrmStartup::ShortcutFileName(const std::string& shortcutName) const {
  return DesktopPath + L"\\" + ShortcutFolder + L"\\" + Wide(shortcutName) + L".lnk";
}

// An existing shortcut of the same name is overwritten.
void TFrmStartup::CreateDesktopShortcut(const std::string& fileName, const std::string& shortcutName) {
  const std::wstring target = InstallPath + L"\\" + Wide(fileName);
  if (!FileExists(target)) return;
  ShellLinkSetArguments(ShellLink, L"");
  ShellLinkSetPath(ShellLink, target);
  ShellLinkSetWorkingDirectory(ShellLink, InstallPath);
  PersistFileSave(PersistFile, ShortcutFileName(shortcutName), false);
}

void TFrmStartup::CreateUninstallShortcut(const std::wstring& uninstallCommand) {
  const TUninstallCommand command = SplitUninstallCommand(uninstallCommand);
  if (command.program.empty()) return;
  ShellLinkSetArguments(ShellLink, command.arguments);
  ShellLinkSetPath(ShellLink, command.program);
  ShellLinkSetWorkingDirectory(ShellLink, InstallPath);
  PersistFileSave(PersistFile, ShortcutFileName(UninstallShortcutName), false);
}

void ReleaseStartupUnit() {
  ReleaseShellLinkObject(ShellLink, PersistFile);
  for (std::string* text : {&SetupInfoText, &RestartQuestion, &HelpShortcutName, &LicenceFileName,
                            &LicenceShortcutName, &UninstallShortcutName, &AcrobatQuestion, &UninstallKeyName})
    text->clear();
  InstallPath.clear();
  DesktopPath.clear();
}
