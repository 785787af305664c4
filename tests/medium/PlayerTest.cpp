// The stand-in players under Wine: found by their window class, ended by a
// WM_QUIT posted to that window, as the launcher does it; the command line
// recorded as given.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MediumTest.h"
#include "common/CommandLine.h"
#include "common/Paths.h"

namespace {

using namespace medium_test;
using demo::Unquote;

struct PlayerCase {
  const char* name;
  const wchar_t* program;      // on the medium
  const wchar_t* logName;
  const wchar_t* windowClass;
  const wchar_t* switches;
  bool quoted;                 // the path in quotation marks
  bool pathWithBlank;
  bool unquotedProgramWithBlank;  // as a launcher that quotes nothing starts it
};

class PlayerTest : public ::testing::TestWithParam<PlayerCase> {
 protected:
  TempFolder temp_;
  ScopedEnvironment log_{L"KORVEX_DEMO_LOG", temp_ / L"demo.log"};
};

TEST_P(PlayerTest, EndsOnQuitMessageToItsWindow) {
  const PlayerCase& c = GetParam();
  std::wstring file = MediumFile(L"Demo\\gerenda.scm");
  if (c.pathWithBlank) {
    file = temp_ / L"Oktató anyag\\Korvex 60 Show.avi";
    demo::CreateFolders(demo::ParentFolder(file));
    ASSERT_TRUE(CopyFileW(MediumFile(L"Demo\\Korvex_60_Show_Hu.avi").c_str(), file.c_str(), FALSE));
  }
  std::wstring program = L"\"" + MediumFile(c.program) + L"\"";
  if (c.unquotedProgramWithBlank) {
    program = temp_ / (L"CD lemez\\" + std::wstring(c.program));
    demo::CreateFolders(demo::ParentFolder(program));
    ASSERT_TRUE(CopyFileW(MediumFile(c.program).c_str(), program.c_str(), FALSE));
  }
  const std::wstring commandLine = program + L" " + c.switches + L" " + (c.quoted ? L"\"" + file + L"\"" : file);
  Process player(commandLine);
  ASSERT_TRUE(player.Started());

  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowOf(player.Id(), c.windowClass)) != nullptr; }, 15000))
      << "no window of class " << ::testing::PrintToString(std::wstring(c.windowClass));
  EXPECT_NE(FindWindowW(c.windowClass, nullptr), nullptr);
  EXPECT_NE(WindowTitle(window).find(demo::FileNameOf(file)), std::wstring::npos);

  ASSERT_TRUE(PostMessageW(window, WM_QUIT, 0, 0));
  ASSERT_TRUE(player.WaitForEnd(10000)) << "the player did not end on WM_QUIT";
  EXPECT_EQ(player.ExitCode(), 0u);

  const auto log = ReadLog(temp_ / L"demo.log");
  // Wine, unlike Windows, puts quotation marks around a program path that
  // was found with its blanks unquoted.
  const std::wstring quotedProgram = L"\"" + Unquote(program) + L"\"" + commandLine.substr(program.size());
  EXPECT_THAT(DetailsOf(log, c.logName, L"start"), ::testing::AnyOf(commandLine, quotedProgram));
  EXPECT_EQ(DetailsOf(log, c.logName, L"play"), file);
  EXPECT_EQ(DetailsOf(log, c.logName, L"end"), L"quit");
}

INSTANTIATE_TEST_SUITE_P(
    Players, PlayerTest,
    ::testing::Values(
        PlayerCase{"ScreenCamPlain", L"Demo\\scplayer.exe", L"scplayer.exe", L"ScreenCamPlayerWndv3", L"/s", false,
                   false, false},
        PlayerCase{"ScreenCamBlanks", L"Demo\\scplayer.exe", L"scplayer.exe", L"ScreenCamPlayerWndv3", L"/s", false,
                   true, false},
        PlayerCase{"ScreenCamNothingQuoted", L"Demo\\scplayer.exe", L"scplayer.exe", L"ScreenCamPlayerWndv3", L"/s",
                   false, true, true},
        PlayerCase{"CamtasiaBlanks", L"Demo\\camplay.exe", L"camplay.exe", L"Camtasia Player", L"/E /M", false, true,
                   false},
        PlayerCase{"CamtasiaQuoted", L"Demo\\camplay.exe", L"camplay.exe", L"Camtasia Player", L"/E /M", true, true,
                   false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PlayerCloseTest, ClosingTheWindowEndsThePlayer) {
  TempFolder temp;
  ScopedEnvironment log(L"KORVEX_DEMO_LOG", temp / L"demo.log");
  Process player(L"\"" + MediumFile(L"Demo\\camplay.exe") + L"\" /E /M " + MediumFile(L"Demo\\keret.scm"));
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowOf(player.Id(), L"Camtasia Player")) != nullptr; }, 15000));
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(player.WaitForEnd(10000));
  EXPECT_EQ(DetailsOf(ReadLog(temp / L"demo.log"), L"camplay.exe", L"end"), L"closed");
}

}  // namespace
