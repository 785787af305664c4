// The launcher window as a person sees it: size, border, place, colours,
// picture, the visible menu entries with their texts (checked on the screen,
// so under any code page), the titles, the hidden set-up information window,
// the medium folder, the menu's keys, and closing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/ClassRegistry.h"
#include "framework/GdiCache.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutWriter.h"
#include "framework/WinText.h"
#include "launcher/FrSetInf.h"
#include "launcher/frStartup.h"

namespace {

class LauncherWindow : public ::testing::Test {
protected:
  void SetUp() override {
    TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
    Application->SetTitle("Korvex 7 Installation");
    Application->CreateForm(FrmStartup);
    Application->CreateForm(frmSetupInfo);
  }
  void TearDown() override {
    TComponent::Free(frmSetupInfo);
    TComponent::Free(FrmStartup);
    frmSetupInfo = nullptr;
    FrmStartup = nullptr;
  }
  void ShowLauncher() {
    FrmStartup->Show();
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FrmStartup->Handle()) != FALSE; }));
    UpdateWindow(FrmStartup->Handle());
    Pump(150);
  }
  COLORREF Pixel(int x, int y) {
    POINT p = ClientToScreenPoint(FrmStartup->Handle(), x, y);
    return ScreenPixel(p.x, p.y);
  }
};

TEST_F(LauncherWindow, IsAFixedWindowOfItsSizeInTheMiddleOfTheScreen) {
  ShowLauncher();
  HWND w = FrmStartup->Handle();
  RECT client, outer;
  GetClientRect(w, &client);
  GetWindowRect(w, &outer);
  EXPECT_EQ(client.right, 604);
  EXPECT_EQ(client.bottom, 337);
  LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the border must not be resizable";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(LauncherWindow, TitleBarAndTaskBarCarryTheirTextsAndIcon) {
  // The first frame is painted before Show returns, with the task-bar window
  // shown after it.
  FrmStartup->Show();
  EXPECT_FALSE(GetUpdateRect(FrmStartup->Handle(), nullptr, FALSE)) << "painted once, whole";
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  ShowLauncher();
  EXPECT_EQ(WindowTextW(FrmStartup->Handle()), L"Korvex 7 telepítő CD");
  // Both show the program's icon, their window classes'.
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(FrmStartup->Handle(), GCLP_HICON)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(Application->Handle(), GCLP_HICON)), icon);
  // The task-bar button belongs to the application window, which owns the
  // launcher and is shown with it.
  EXPECT_EQ(GetWindow(FrmStartup->Handle(), GW_OWNER), Application->Handle());
  EXPECT_EQ(WindowTextW(Application->Handle()), L"Korvex 7 Installation");
  EXPECT_TRUE(IsWindowVisible(Application->Handle()));
  FrmStartup->Hide();
  EXPECT_FALSE(IsWindowVisible(Application->Handle()));
}

TEST_F(LauncherWindow, ShowsItsBackgroundAndThePictureAtTheirPlaces) {
  ShowLauncher();
  EXPECT_EQ(Pixel(330, 40), RGB(164, 193, 185));
  EXPECT_EQ(Pixel(590, 150), RGB(164, 193, 185));
  EXPECT_EQ(Pixel(335, 230), RGB(205, 224, 221));  // inside the install box
  // The picture, unscaled from its top-left corner at (8, 8), clipped to 314 x 321.
  const TBitmap& bmp = FrmStartup->Image1->Bitmap();
  ASSERT_EQ(bmp.Width(), 320);
  ASSERT_EQ(bmp.Height(), 334);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bmp.Handle());
  int mismatches = 0, checked = 0;
  for (int y = 40; y < 321; y += 9) {
    for (int x = 0; x < 314; x += 11) {
      ++checked;
      if (GetPixel(mem, x, y) != Pixel(8 + x, 8 + y)) ++mismatches;
    }
  }
  SelectObject(mem, old);
  DeleteDC(mem);
  EXPECT_EQ(mismatches, 0) << "of " << checked;
  // Clipped: the window background right of the picture's 314 columns.
  EXPECT_EQ(Pixel(8 + 314 + 2, 100), RGB(164, 193, 185));
}

TEST_F(LauncherWindow, OnlyTheInstallEntriesExitAndNoticeAreVisible) {
  struct Entry {
    TLabel* label;
    bool visible;
    const char* caption;
  };
  const Entry entries[] = {
      {FrmStartup->Label8, true, "Korvex 7 telepítése"},
      {FrmStartup->Label14, true, "Kézikönyv elektronikus formában"},
      {FrmStartup->Label7, true, "Kilépés"},
      {FrmStartup->Label17, true, nullptr},
      {FrmStartup->Label10, false, "Lépésről lépésre"},
      {FrmStartup->Label1, false, "Gerenda modell (EC2)"},
      {FrmStartup->Label2, false, "Keret modell (EC3)"},
      {FrmStartup->Label3, false, "Lemez modell (EC2)"},
      {FrmStartup->Label4, false, "Tartály modell"},
      {FrmStartup->Label5, false, "Tárcsa modell (EC2)"},
      {FrmStartup->Label15, false, "Diabemutatók"},
      {FrmStartup->Label11, false, "Áttekintés"},
      {FrmStartup->Label12, false, "Megépült szerkezetek"},
      {FrmStartup->Label13, false, "Technikai jellemzők"},
      {FrmStartup->Label18, false, "Oktatókönyv elektronikus formában"},
      {FrmStartup->Label9, false, "Nederlandse editie"},
      {FrmStartup->Label6, false, ""},
      {FrmStartup->Label16, false, ""},
  };
  for (const auto& e : entries) {
    EXPECT_EQ(e.label->Visible(), e.visible) << e.label->Name();
    if (e.caption) {
      EXPECT_EQ(e.label->Caption(), e.caption) << e.label->Name();
    }
  }
  EXPECT_TRUE(FrmStartup->Shape3->Visible());
  EXPECT_FALSE(FrmStartup->Shape1->Visible());
  EXPECT_FALSE(FrmStartup->Shape2->Visible());
  // Tags decide what a click does.
  EXPECT_EQ(FrmStartup->Label8->Tag(), 8);
  EXPECT_EQ(FrmStartup->Label17->Tag(), 8);
  EXPECT_EQ(FrmStartup->Label14->Tag(), 14);
  EXPECT_EQ(FrmStartup->Label7->Tag(), 7);
  EXPECT_FALSE(FrmStartup->Timer1->Enabled());
  EXPECT_EQ(FrmStartup->Timer1->Interval(), 100u);
  EXPECT_FALSE(FrmStartup->Timer2->Enabled());
  EXPECT_EQ(FrmStartup->Timer2->Interval(), 500u);
  EXPECT_EQ(FrmStartup->WinExit->ExitWinType(), ewLogoff);
  EXPECT_TRUE(FrmStartup->WinExit->Unconditional());
}

// Renders text the way a label draws it, on a plain background, and compares
// it with what the screen shows in the label's place: the Hungarian letters
// must be the right glyphs whatever the system's code page.
void ExpectLabelShows(TLabel* label, const wchar_t* text, COLORREF background) {
  RECT r = label->BoundsRect();
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC shot = CreateCompatibleDC(screen), ref = CreateCompatibleDC(screen);
  HBITMAP shotBmp = CreateCompatibleBitmap(screen, w, h), refBmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ o1 = SelectObject(shot, shotBmp), o2 = SelectObject(ref, refBmp);
  POINT p = ClientToScreenPoint(label->Parent()->Handle(), r.left, r.top);
  BitBlt(shot, 0, 0, w, h, screen, p.x, p.y, SRCCOPY);
  RECT all{0, 0, w, h};
  HBRUSH bg = CreateSolidBrush(background);
  FillRect(ref, &all, bg);
  DeleteObject(bg);
  SelectObject(ref, gdi::Font(*label->Font()));
  SetTextColor(ref, gdi::ColorToRGB(label->Font()->Color()));
  SetBkMode(ref, TRANSPARENT);
  UINT flags = DT_EXPANDTABS | (label->WordWrap() ? DT_WORDBREAK : 0) |
               (label->Alignment() == taRightJustify ? DT_RIGHT : 0);
  DrawTextW(ref, text, -1, &all, flags);
  int differ = 0, ink = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      COLORREF a = GetPixel(shot, x, y), b = GetPixel(ref, x, y);
      if (a != b) ++differ;
      if (b != background) ++ink;
    }
  }
  SelectObject(shot, o1);
  SelectObject(ref, o2);
  DeleteObject(shotBmp);
  DeleteObject(refBmp);
  DeleteDC(shot);
  DeleteDC(ref);
  ReleaseDC(nullptr, screen);
  EXPECT_GT(ink, 20) << label->Name();
  EXPECT_EQ(differ, 0) << label->Name() << ": the screen does not show the expected text";
}

TEST_F(LauncherWindow, MenuTextsAreDrawnWithTheirHungarianLetters) {
  ShowLauncher();
  ExpectLabelShows(FrmStartup->Label8, L"Korvex 7 telepítése", RGB(205, 224, 221));
  ExpectLabelShows(FrmStartup->Label14, L"Kézikönyv elektronikus formában", RGB(205, 224, 221));
  ExpectLabelShows(FrmStartup->Label7, L"Kilépés", RGB(164, 193, 185));
}

TEST_F(LauncherWindow, TheSetupInformationWindowWaitsHidden) {
  ShowLauncher();
  HWND info = frmSetupInfo->Handle();
  EXPECT_FALSE(IsWindowVisible(info));
  EXPECT_EQ(WindowTextW(frmSetupInfo->Panel1->Handle()), L"Beállítások véglegesítése...");
  frmSetupInfo->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(info) != FALSE; }));
  LONG style = GetWindowLongW(info, GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_BORDER);
  RECT client, outer;
  GetClientRect(info, &client);
  GetWindowRect(info, &outer);
  EXPECT_EQ(client.right, 351);
  EXPECT_EQ(client.bottom, 59);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  frmSetupInfo->Hide();
}

// A key press as the system delivers it to the focused launcher, through the
// application's message loop (which hands Tab to the dialog navigation unless
// the window takes it).
void PressKey(WORD key, bool autoRepeat = false) {
  HWND w = FrmStartup->Handle();
  PostMessageW(w, WM_KEYDOWN, key, autoRepeat ? 0x40000001 : 1);
  PostMessageW(w, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  Pump(30);
}

TEST_F(LauncherWindow, KeysMoveTheOneHighlightOverTheVisibleEntriesInScreenOrder) {
  ShowLauncher();
  TFrmStartup* f = FrmStartup;
  // The tutorial group shown above the install box, as a hidden group may be.
  for (TControl* c : std::initializer_list<TControl*>{f->Shape1, f->Label10, f->Label6, f->Label1, f->Label2,
                                                      f->Label3, f->Label4, f->Label5})
    c->Show();
  std::vector<int> tags;
  for (int i = 0; i < 9; ++i) {
    PressKey(VK_DOWN);
    tags.push_back(f->HighlightedTag());
  }
  EXPECT_EQ(tags, (std::vector<int>{1, 2, 3, 4, 5, 8, 14, 7, 1}));
  PressKey(VK_UP);
  EXPECT_EQ(f->HighlightedTag(), 7) << "Up from the first entry wraps to the last";
  PressKey(VK_TAB);
  EXPECT_EQ(f->HighlightedTag(), 1) << "Tab reaches the window, not the dialog navigation";

  // The pointer moves the same highlight: Down goes on from the hovered entry.
  RECT manual = f->Label14->BoundsRect();
  PostMessageW(f->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(manual.left + 10, manual.top + 5));
  Pump(30);
  EXPECT_EQ(f->HighlightedTag(), 14);
  PressKey(VK_DOWN);
  EXPECT_EQ(f->HighlightedTag(), 7);
  for (TLabel* label : {f->Label1, f->Label2, f->Label3, f->Label4, f->Label5, f->Label7, f->Label8, f->Label14})
    EXPECT_EQ(label->Font()->Color(), label == f->Label7 ? clRed : clBlack) << label->Name();
  EXPECT_NE(f->Label17->Font()->Color(), clRed) << "the notice line is no entry";
}

TEST(LauncherMedia, TheMediumIsTheProgramsOwnFolderWhateverTheCurrentOne) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder(exe);
  folder.resize(folder.find_last_of(L'\\') + 1);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  wchar_t saved[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryW(temp));
  TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
  Application->CreateForm(FrmStartup);
  EXPECT_EQ(FrmStartup->MediaRoot(), folder);  // every character, whatever the code page
  EXPECT_EQ(FrmStartup->MediaRoot().back(), L'\\');
  TComponent::Free(FrmStartup);
  FrmStartup = nullptr;
  SetCurrentDirectoryW(saved);
}

std::wstring RegistryText(HKEY root, const wchar_t* key) {
  wchar_t text[512] = {};
  DWORD size = sizeof text;
  if (RegGetValueW(root, key, L"", RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"<missing>";
  return text;
}

void RemoveFileTypes() {
  for (const wchar_t* key : {L".kvs", L".kve"}) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Classes\\") + key).c_str());
  }
}

// A standard user on Windows with user account control may not create keys
// under HKEY_CLASSES_ROOT; the file types then go to the user's own classes,
// with every character of the product folder.
TEST_F(LauncherWindow, FileTypesGoToTheUsersClassesWhenTheMachineRefusesThem) {
  const std::wstring product = L"C:\\Programme\\Süß – Ñ ø";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Lavonsys\\Korvex7", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(product.c_str()),
                 static_cast<DWORD>((product.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  struct Case {
    const char* name;
    long refusal;  // of creating keys under HKEY_CLASSES_ROOT
    bool machine, user;
  };
  const Case cases[] = {
      {"allowed", ERROR_SUCCESS, true, false},
      {"access denied", ERROR_ACCESS_DENIED, false, true},
      {"another failure", ERROR_CANTWRITE, false, false},
  };
  static long refusal = 0;
  for (const Case& c : cases) {
    RemoveFileTypes();
    refusal = c.refusal;
    TRegistry::SetOpenRefusal([](HKEY root, const std::string&, bool canCreate) -> long {
      return root == HKEY_CLASSES_ROOT && canCreate ? refusal : ERROR_SUCCESS;
    });
    FrmStartup->RegisterFileTypes();
    TRegistry::SetOpenRefusal(nullptr);
    for (const std::wstring extension : {L".kvs", L".kve"}) {
      const std::pair<std::wstring, std::wstring> values[] = {{L"\\shell\\open\\command", product + L"\\korvex.exe %1"},
                                                              {L"\\DefaultIcon", product + L"\\korvex.exe,0"}};
      for (const auto& [sub, value] : values) {
        EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, (extension + sub).c_str()), c.machine ? value : L"<missing>")
            << c.name;
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, (L"Software\\Classes\\" + extension + sub).c_str()),
                  c.user ? value : L"<missing>")
            << c.name;
      }
    }
  }
  RemoveFileTypes();
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Lavonsys\\Korvex7", L"Path");
}

TEST(LauncherLayout, WritingTheLoadedFormBackGivesItsLayout) {
  // The form as its layout makes it (before its create event changes it).
  TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
  auto* form = new TFrmStartup(Application);
  form->InitializeComponents();
  std::string written = TLayoutWriter::Write(*form);
  TComponent::Free(form);

  HRSRC res = FindResourceW(nullptr, L"TFRMSTARTUP", MAKEINTRESOURCEW(10));
  ASSERT_NE(res, nullptr);
  std::string original(static_cast<const char*>(LockResource(LoadResource(nullptr, res))),
                       SizeofResource(nullptr, res));
  // Auto-sized labels take the size of their text in the fonts of the
  // machine: their Width and Height lines are left out of the comparison.
  TLayoutNode a = TLayoutParser::Parse(original), b = TLayoutParser::Parse(written);
  ASSERT_EQ(a.Children.size(), b.Children.size());
  EXPECT_EQ(a.Props.size(), b.Props.size());
  for (size_t i = 0; i < a.Children.size(); ++i) {
    auto keep = [](const TLayoutNode& n) {
      std::vector<std::string> lines;
      bool autoSized = n.ClassName == "TLabel", rightJustified = false;
      for (const auto& p : n.Props) {
        if (p.Name == "AutoSize") autoSized = false;
        if (p.Name == "Alignment" && p.Value.Text == "taRightJustify") rightJustified = true;
      }
      for (const auto& p : n.Props) {
        if (autoSized && (p.Name == "Width" || p.Name == "Height")) continue;
        if (autoSized && rightJustified && p.Name == "Left") continue;  // the right edge stays
        std::string items;
        for (const auto& item : p.Value.Items) items += item + ",";
        lines.push_back(p.Name + "=" + std::to_string(static_cast<int>(p.Value.Type)) + p.Value.Text +
                        std::to_string(p.Value.Int) + items);
      }
      return lines;
    };
    EXPECT_EQ(a.Children[i].Name, b.Children[i].Name);
    EXPECT_EQ(keep(a.Children[i]), keep(b.Children[i])) << a.Children[i].Name;
  }
}

TEST(LauncherClose, KilepesEnterOnItAndTheCloseButtonEndTheProgram) {
  for (int how = 0; how < 3; ++how) {
    StopFramework();
    StartFramework();
    Application->Initialize();
    TClassRegistry::Instance().Register(TWinExit::StaticClassInfo());
    Application->CreateForm(FrmStartup);
    FrmStartup->Show();
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(FrmStartup->Handle()) != FALSE; }));
    HWND w = FrmStartup->Handle();
    if (how == 0) {
      RECT r = FrmStartup->Label7->BoundsRect();
      LPARAM at = MAKELPARAM(r.right - 5, r.top + 5);
      PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(w, WM_LBUTTONUP, 0, at);
    } else if (how == 1) {
      PostMessageW(w, WM_CLOSE, 0, 0);
    } else {
      // Up highlights the last entry, "Kilépés"; Enter acts once per press:
      // the system's auto-repeat of a held key does not act again.
      PressKey(VK_UP);
      PressKey(VK_RETURN, true);
      Pump(100);
      EXPECT_FALSE(Application->Terminated()) << "an auto-repeated Enter acted";
      PressKey(VK_RETURN);
    }
    EXPECT_TRUE(WaitUntil([] { return Application->Terminated(); }, 3000))
        << (how == 0 ? "Kilépés" : how == 1 ? "close button" : "Enter on Kilépés");
  }
  StopFramework();
  StartFramework();
  Application->Initialize();
  FrmStartup = nullptr;
}

}  // namespace
