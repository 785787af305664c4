// The launcher's menu, end to end: hover and keyboard highlighting as they
// show on the screen, the tutorial and video players started from the medium
// (their command lines, the quit message to a running player, the pause
// before the next one), and ending the launcher with and without its
// "Kilépés" entry.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "TestTime.h"

namespace e2e {
namespace {

class Menu : public ::testing::Test {
 protected:
  void SetUp() override { ResetSystem(); }
  void TearDown() override { ResetSystem(); }

  // Waits until `count` lines of that program and event are in the log;
  // returns the time they were seen (0 if never).
  ULONGLONG WaitForLog(std::wstring_view program, std::wstring_view event, size_t count, DWORD ms = 8000) {
    ULONGLONG seen = 0;
    WaitUntil(
        [&] {
          if (CountOf(ReadLog(medium.LogPath()), program, event) < count) return false;
          seen = GetTickCount64();
          return true;
        },
        ms);
    return seen;
  }

  Medium medium;
};

TEST_F(Menu, HoverLeavesOnlyTheLastEntryRedAlsoOverThePicture) {
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  HWND window = launcher.Window();
  // Other tests' windows may share the display: keep this one in front.
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Pause(300);
  EXPECT_EQ(launcher.WindowsOfClass(L"IME"), 0) << "the launcher runs without input-method windows";
  EXPECT_TRUE(HasDarkText(window, ManualArea));
  EXPECT_FALSE(HasRedText(window, ManualArea));
  EXPECT_FALSE(HasRedText(window, ExitArea));

  launcher.MoveTo(ManualEntry);
  EXPECT_TRUE(WaitUntil([&] { return HasRedText(window, ManualArea); }, 3000)) << "the manual entry turns red";

  launcher.MoveTo(ExitEntry);
  EXPECT_TRUE(WaitUntil([&] { return HasRedText(window, ExitArea); }, 3000)) << "\"Kilépés\" turns red";
  EXPECT_TRUE(WaitUntil([&] { return !HasRedText(window, ManualArea); }, 3000)) << "the manual entry is black again";
  EXPECT_TRUE(HasDarkText(window, ManualArea));
  EXPECT_FALSE(HasRedText(window, InstallArea));

  // Neither the picture nor the maker's notice line clears the highlight.
  for (Point elsewhere : {Picture, NoticeLine}) {
    launcher.MoveTo(elsewhere);
    Pause(400);
    EXPECT_TRUE(HasRedText(window, ExitArea));
    EXPECT_FALSE(HasRedText(window, ManualArea));
  }
}

// Real key presses: one highlight for keys and pointer, drawn as the hover
// is, around both ends; Enter on "Kilépés" ends the players and the program.
TEST_F(Menu, KeysMoveTheHighlightAndEnterOnKilepesEndsThePlayersAndTheProgram) {
  const std::wstring demo = medium.File(L"Demo\\");
  ASSERT_TRUE(StartProgram(L"\"" + demo + L"scplayer.exe\" /s " + demo + L"tartaly.scm"));
  ASSERT_TRUE(StartProgram(L"\"" + demo + L"camplay.exe\" /E /M " + demo + L"Korvex_60_Tech_Hu.avi"));
  ASSERT_TRUE(WaitUntil([] {
    return FindWindowW(L"ScreenCamPlayerWndv3", nullptr) && FindWindowW(L"Camtasia Player", nullptr);
  }, 10000));
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  ASSERT_TRUE(launcher.WaitFocused()) << "the launcher takes the keys without a click";
  HWND window = launcher.Window();
  EXPECT_EQ(RedEntries(window), "");

  struct Step {
    const char* keys;
    const char* red;
  };
  const Step steps[] = {
      {"key Down", "install"},      {"key Down Down", "exit"}, {"key Down", "install"},
      {"key Up", "exit"},           {"key Tab", "install"},    {"key Tab", "manual"},
      {"key shift+Tab", "install"}, {"key shift+Tab", "exit"},
  };
  for (const Step& step : steps) {
    ASSERT_TRUE(Type(step.keys)) << step.keys;
    EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == step.red; }, 3000))
        << step.keys << ": red is \"" << RedEntries(window) << "\", not \"" << step.red << "\"";
  }
  launcher.MoveTo(ManualEntry);
  EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == "manual"; }, 3000));
  ASSERT_TRUE(Type("key Down"));
  EXPECT_TRUE(WaitUntil([&] { return RedEntries(window) == "exit"; }, 3000)) << "Down goes on from the hovered entry";

  ASSERT_TRUE(Type("key Return"));
  EXPECT_TRUE(launcher.WaitForEnd(5000)) << "the program ends";
  EXPECT_NE(WaitForLog(L"scplayer.exe", L"end", 1), 0u);
  EXPECT_NE(WaitForLog(L"camplay.exe", L"end", 1), 0u);
}

TEST_F(Menu, ASecondTutorialEndsTheRunningPlayerAndStartsOneSecondLater) {
  Launcher launcher(medium.InstallProbe(), medium.WorkFolder(), L"/tutorials");
  ASSERT_TRUE(launcher.WaitShown());
  const std::wstring demo = medium.File(L"Demo\\");

  launcher.Click(FirstTutorial);
  ASSERT_NE(WaitForLog(L"scplayer.exe", L"play", 1), 0u);
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"ScreenCamPlayerWndv3", nullptr) != nullptr; }, 5000));

  launcher.Click(SecondTutorial);
  const ULONGLONG ended = WaitForLog(L"scplayer.exe", L"end", 1);
  const ULONGLONG started = WaitForLog(L"scplayer.exe", L"start", 2);
  ASSERT_NE(ended, 0u) << "the running player was told to quit";
  ASSERT_NE(started, 0u) << "the new player started";
  EXPECT_GE(started - ended, 800u) << "the launcher pauses a second before the new player";
  // A player logs what it plays a moment after it starts.
  ASSERT_NE(WaitForLog(L"scplayer.exe", L"play", 2), 0u);

  const auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(Details(log, L"scplayer.exe", L"end"), std::vector<std::wstring>{L"quit"});
  // The program path quoted, the switch and the tutorial's path as they are.
  EXPECT_EQ(Details(log, L"scplayer.exe", L"start"),
            (std::vector<std::wstring>{L"\"" + demo + L"scplayer.exe\" /s " + demo + L"gerenda.scm",
                                       L"\"" + demo + L"scplayer.exe\" /s " + demo + L"keret.scm"}));
  EXPECT_EQ(Details(log, L"scplayer.exe", L"play"),
            (std::vector<std::wstring>{demo + L"gerenda.scm", demo + L"keret.scm"}));
  EXPECT_EQ(CountOf(log, L"korvex.exe", L"start"), 0u) << "the decoy beside the medium's folder ran";
}

TEST_F(Menu, ADoubleClickedTutorialStartsItsPlayerOnce) {
  Launcher launcher(medium.InstallProbe(), medium.WorkFolder(), L"/tutorials");
  ASSERT_TRUE(launcher.WaitShown());
  launcher.DoubleClick(FirstTutorial);
  ASSERT_NE(WaitForLog(L"scplayer.exe", L"play", 1, 8000), 0u);
  // A second click would have told this player to quit and, a second later,
  // started another.
  Sleep(ScaledMs(2500));
  const auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(CountOf(log, L"scplayer.exe", L"start"), 1u);
  EXPECT_EQ(CountOf(log, L"scplayer.exe", L"end"), 0u);
}

TEST_F(Menu, AVideoLeavesTheTutorialPlayerAloneAndKilepesEndsBoth) {
  const std::wstring demo = medium.File(L"Demo\\");
  ASSERT_TRUE(StartProgram(L"\"" + demo + L"scplayer.exe\" /s " + demo + L"lemez.scm"));
  ASSERT_TRUE(WaitUntil([] { return FindWindowW(L"ScreenCamPlayerWndv3", nullptr) != nullptr; }, 10000));
  Launcher launcher(medium.InstallProbe(), medium.WorkFolder(), L"/videos");
  ASSERT_TRUE(launcher.WaitShown());

  launcher.Click(FirstVideo);
  ASSERT_NE(WaitForLog(L"camplay.exe", L"play", 1), 0u);
  auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(Details(log, L"camplay.exe", L"start"),
            std::vector<std::wstring>{L"\"" + demo + L"camplay.exe\" /E /M " + demo + L"Korvex_60_Attekintes.avi"});
  EXPECT_EQ(CountOf(log, L"scplayer.exe", L"end"), 0u) << "a video ends only a running video player";
  EXPECT_EQ(CountOf(log, L"korvex.exe", L"start"), 0u) << "the decoy beside the medium's folder ran";

  launcher.Click(ExitEntry);
  EXPECT_TRUE(launcher.WaitForEnd(5000));
  ASSERT_NE(WaitForLog(L"camplay.exe", L"end", 1), 0u);
  ASSERT_NE(WaitForLog(L"scplayer.exe", L"end", 1), 0u);
  log = ReadLog(medium.LogPath());
  EXPECT_EQ(Details(log, L"camplay.exe", L"end"), std::vector<std::wstring>{L"quit"});
  EXPECT_EQ(Details(log, L"scplayer.exe", L"end"), std::vector<std::wstring>{L"quit"});
}

TEST_F(Menu, KilepesTellsBothPlayersToQuitAndEndsTheProgram) {
  const std::wstring demo = medium.File(L"Demo\\");
  ASSERT_TRUE(StartProgram(L"\"" + demo + L"scplayer.exe\" /s " + demo + L"tartaly.scm"));
  ASSERT_TRUE(StartProgram(L"\"" + demo + L"camplay.exe\" /E /M " + demo + L"Korvex_60_Tech_Hu.avi"));
  // The players' windows exist before the launcher looks for them.
  ASSERT_TRUE(WaitUntil([] {
    return FindWindowW(L"ScreenCamPlayerWndv3", nullptr) && FindWindowW(L"Camtasia Player", nullptr);
  }, 10000));
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());

  launcher.Click(ExitEntry);
  EXPECT_TRUE(launcher.WaitForEnd(5000)) << "the program ends";
  EXPECT_NE(WaitForLog(L"scplayer.exe", L"end", 1), 0u);
  EXPECT_NE(WaitForLog(L"camplay.exe", L"end", 1), 0u);
  const auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(Details(log, L"scplayer.exe", L"end"), std::vector<std::wstring>{L"quit"});
  EXPECT_EQ(Details(log, L"camplay.exe", L"end"), std::vector<std::wstring>{L"quit"});
}

TEST_F(Menu, TheCloseButtonLeavesThePlayersRunning) {
  const std::wstring demo = medium.File(L"Demo\\");
  ASSERT_TRUE(StartProgram(L"\"" + demo + L"scplayer.exe\" /s " + demo + L"tarcsa.scm"));
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());

  PostMessageW(launcher.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(launcher.WaitForEnd(5000)) << "the program ends";
  Pause(500);
  EXPECT_EQ(CountOf(ReadLog(medium.LogPath()), L"scplayer.exe", L"end"), 0u);
  EXPECT_NE(FindWindowW(L"ScreenCamPlayerWndv3", nullptr), nullptr);
}

}  // namespace
}  // namespace e2e
