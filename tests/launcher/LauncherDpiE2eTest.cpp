// The launcher on screens scaled to 150 % and 200 % (the prefix's DPI, which
// every program reads at its start): the window, the hover and click places,
// the texts in their boxes and the set-up information window keep their
// designed size, scaled, and the launcher's questions keep their parts apart.
#include <gtest/gtest.h>

#include <vector>

#include "E2eSupport.h"

namespace e2e {
namespace {

// The user's screen DPI for the programs started meanwhile.
class ScreenDpi {
 public:
  explicit ScreenDpi(DWORD dpi) : keep_(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels") {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }

 private:
  RegistryValueBackup keep_;
};

// Sizes and pixels of other programs' windows as they are on the screen, not
// mapped to this program's DPI.
class ScreenPixelsAsTheyAre {
 public:
  ScreenPixelsAsTheyAre() {
    using TSetContext = HANDLE(WINAPI*)(HANDLE);
    set_ = reinterpret_cast<TSetContext>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    if (set_) previous_ = set_(reinterpret_cast<HANDLE>(-3));  // per-monitor aware
  }
  ~ScreenPixelsAsTheyAre() {
    if (set_ && previous_) set_(previous_);
  }

 private:
  HANDLE(WINAPI* set_)(HANDLE) = nullptr;
  HANDLE previous_ = nullptr;
};

Point Scaled(Point p, int dpi) { return {p.x * dpi / 96, p.y * dpi / 96}; }
RECT Scaled(RECT r, int dpi) { return {r.left * dpi / 96, r.top * dpi / 96, r.right * dpi / 96, r.bottom * dpi / 96}; }

// The children of a dialog (the icon, the message, the buttons) lie inside
// its client area and none over another.
void ExpectChildrenApart(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
  std::vector<RECT> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(child, &r);
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &r, &client) && EqualRect(&inside, &r)) << "a child outside the dialog";
    for (const RECT& other : children) EXPECT_FALSE(IntersectRect(&inside, &r, &other)) << "two children overlap";
    children.push_back(r);
  }
  EXPECT_EQ(children.size(), 4u);  // icon, message, "&Yes", "&No"
}

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

TEST(Dpi, TheLauncherKeepsItsDesignedSizeOnScaledScreens) {
  ScreenPixelsAsTheyAre asTheyAre;
  struct Case {
    int dpi;
    SIZE launcher, info;
  };
  const Case cases[] = {{144, {906, 505}, {526, 88}}, {192, {1208, 674}, {702, 118}}};
  // Designed places (client coordinates at 96 DPI).
  constexpr RECT ManualArea{342, 257, 594, 292};
  constexpr RECT BelowManual{334, 293, 596, 297};  // the install box under the manual entry's two lines
  constexpr RECT ExitArea{516, 310, 596, 326};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    ResetSystem();
    Medium medium;
    RegisterViewer(medium);
    ScreenDpi dpi(static_cast<DWORD>(c.dpi));
    {
      Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
      ASSERT_TRUE(launcher.WaitShown());
      HWND window = launcher.Window();
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      Pause(300);
      const SIZE client = ClientSize(window);
      EXPECT_EQ(client.cx, c.launcher.cx);
      EXPECT_EQ(client.cy, c.launcher.cy);
      EXPECT_TRUE(HasDarkText(window, Scaled(ManualArea, c.dpi)));
      EXPECT_FALSE(HasDarkText(window, Scaled(BelowManual, c.dpi))) << "the manual entry's text stays in its box";
      EXPECT_FALSE(HasRedText(window, Scaled(ManualArea, c.dpi)));

      launcher.MoveTo(Scaled(ManualEntry, c.dpi));
      EXPECT_TRUE(WaitUntil([&] { return HasRedText(window, Scaled(ManualArea, c.dpi)); }, 3000))
          << "the manual entry turns red under the pointer";
      // The reader question: the system's icon is larger on a scaled screen.
      launcher.Click(Scaled(ManualEntry, c.dpi));
      HWND question = launcher.WaitVisible(L"TMessageForm", 5000);
      ASSERT_NE(question, nullptr);
      ExpectChildrenApart(question);
      Press(question, 7);  // "&No": the shell opens the manual
      HWND viewer = nullptr;
      EXPECT_TRUE(WaitUntil([&] { return (viewer = FindWindowW(L"KorvexDemoPdfViewer", nullptr)) != nullptr; }, 5000));
      if (viewer) PostMessageW(viewer, WM_CLOSE, 0, 0);

      launcher.MoveTo(Scaled(ExitEntry, c.dpi));
      EXPECT_TRUE(WaitUntil([&] { return HasRedText(window, Scaled(ExitArea, c.dpi)); }, 3000));
      launcher.Click(Scaled(ExitEntry, c.dpi));
      EXPECT_TRUE(launcher.WaitForEnd(5000)) << "\"Kilépés\" ends it";
    }
    {
      Launcher probe(medium.InstallProbe(), medium.WorkFolder(), L"/show-info");
      HWND info = probe.WaitVisible(L"TfrmSetupInfo", 15000);
      ASSERT_NE(info, nullptr);
      // In front of the probe's own launcher window, which shares its centre.
      SetWindowPos(info, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      Pause(300);
      const SIZE client = ClientSize(info);
      EXPECT_EQ(client.cx, c.info.cx);
      EXPECT_EQ(client.cy, c.info.cy);
      EXPECT_EQ(ChildText(info, L"TPanel"), SetupInfoText);
      EXPECT_TRUE(HasDarkText(info, RECT{0, 0, client.cx, client.cy}));
    }
  }
}

}  // namespace
}  // namespace e2e
