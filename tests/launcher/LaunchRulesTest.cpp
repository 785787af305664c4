// The launcher's rules that need no system: the menu's dispatch by Tag and its
// keyboard order, the medium's file names, and command lines put together and
// taken apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/LaunchRules.h"
#include "launcher/MenuNavigation.h"

namespace {

struct TagCase {
  int tag;
  TMenuAction action;
};

TEST(MenuDispatch, EveryTagChoosesItsAction) {
  const TagCase cases[] = {
      {1, TMenuAction::PlayTutorial},      {5, TMenuAction::PlayTutorial},  {7, TMenuAction::CloseLauncher},
      {8, TMenuAction::StartSetup},        {11, TMenuAction::PlayVideo},    {13, TMenuAction::PlayVideo},
      {14, TMenuAction::OpenManual},       {18, TMenuAction::OpenTutorialBook},
      // headings, rules and Tags no label carries
      {0, TMenuAction::None},  {6, TMenuAction::None},  {9, TMenuAction::None},  {10, TMenuAction::None},
      {15, TMenuAction::None}, {16, TMenuAction::None}, {17, TMenuAction::None}, {19, TMenuAction::None},
      {-1, TMenuAction::None}, {-8, TMenuAction::None}, {1000, TMenuAction::None},
  };
  for (const TagCase& c : cases) EXPECT_EQ(MenuActionForTag(c.tag), c.action) << "Tag " << c.tag;
}

TEST(MenuDispatch, PlayersHaveAFileForEveryTagTheyServe) {
  EXPECT_EQ(TutorialFile(1), "gerenda.scm");
  EXPECT_EQ(TutorialFile(2), "keret.scm");
  EXPECT_EQ(TutorialFile(3), "lemez.scm");
  EXPECT_EQ(TutorialFile(4), "tartaly.scm");
  EXPECT_EQ(TutorialFile(5), "tarcsa.scm");
  EXPECT_EQ(VideoFile(11), "Korvex_60_Attekintes.avi");
  EXPECT_EQ(VideoFile(12), "Korvex_60_Show_Hu.avi");
  EXPECT_EQ(VideoFile(13), "Korvex_60_Tech_Hu.avi");
  for (int tag = -2; tag <= 20; ++tag) {
    EXPECT_EQ(TutorialFile(tag).empty(), MenuActionForTag(tag) != TMenuAction::PlayTutorial) << tag;
    EXPECT_EQ(VideoFile(tag).empty(), MenuActionForTag(tag) != TMenuAction::PlayVideo) << tag;
  }
}

// The visible entries as the launcher shows them, listed out of screen order
// on purpose; with the tutorial group shown above them; none.
const std::vector<TMenuEntry> Shown = {{7, 532, 310}, {8, 343, 230}, {14, 342, 257}};
const std::vector<TMenuEntry> WithTutorials = {{7, 532, 310}, {2, 344, 137}, {8, 343, 230},
                                               {1, 344, 121}, {14, 342, 257}, {3, 344, 153}};
const std::vector<TMenuEntry> NoEntry;

struct StepCase {
  const std::vector<TMenuEntry>* entries;
  int from;
  bool forward;
  int to;
};

TEST(MenuKeys, StepThroughTheVisibleEntriesInScreenOrderAroundBothEnds) {
  const StepCase cases[] = {
      {&Shown, 0, true, 8},         {&Shown, 8, true, 14},         {&Shown, 14, true, 7},
      {&Shown, 7, true, 8},         {&Shown, 0, false, 7},         {&Shown, 8, false, 7},
      {&Shown, 7, false, 14},       {&Shown, 14, false, 8},
      // a highlight left on an entry that is not shown counts as none
      {&Shown, 3, true, 8},         {&Shown, 3, false, 7},
      {&WithTutorials, 0, true, 1}, {&WithTutorials, 1, true, 2},  {&WithTutorials, 3, true, 8},
      {&WithTutorials, 7, true, 1}, {&WithTutorials, 1, false, 7}, {&WithTutorials, 8, false, 3},
      {&NoEntry, 0, true, 0},       {&NoEntry, 8, false, 0},
  };
  for (const StepCase& c : cases)
    EXPECT_EQ(NextMenuTag(*c.entries, c.from, c.forward), c.to) << c.from << (c.forward ? " forward" : " backward");
}

TEST(CommandLine, ProgramPathIsQuotedAndArgumentsStayAsTheyAre) {
  EXPECT_EQ(QuotedCommandLine(L"E:\\Demo\\scplayer.exe", L"/s E:\\Demo\\gerenda.scm"),
            L"\"E:\\Demo\\scplayer.exe\" /s E:\\Demo\\gerenda.scm");
  EXPECT_EQ(QuotedCommandLine(L"C:\\My CD\\Demo\\camplay.exe", L"/E /M C:\\My CD\\Demo\\Áttekintés.avi"),
            L"\"C:\\My CD\\Demo\\camplay.exe\" /E /M C:\\My CD\\Demo\\Áttekintés.avi");
  EXPECT_EQ(QuotedCommandLine(L"C:\\My CD\\Setup\\Setup.exe", L""), L"\"C:\\My CD\\Setup\\Setup.exe\"");
}

struct SplitCase {
  const wchar_t* command;
  const wchar_t* program;
  const wchar_t* arguments;
};

TEST(UninstallCommand, SplitIntoProgramAndArguments) {
  const SplitCase cases[] = {
      // unquoted: cut at the first blank, quotation marks later on kept
      {L"C:\\Korvex\\Uninst.exe /Korvex7", L"C:\\Korvex\\Uninst.exe", L"/Korvex7"},
      {L"C:\\Korvex\\Uninst.exe  /a \"b c\"", L"C:\\Korvex\\Uninst.exe", L" /a \"b c\""},
      {L"C:\\Program Files\\Korvex\\Uninst.exe /x", L"C:\\Program", L"Files\\Korvex\\Uninst.exe /x"},
      {L"C:\\Korvex\\Uninst.exe", L"C:\\Korvex\\Uninst.exe", L""},
      {L"C:\\Korvex\\Uninst.exe ", L"C:\\Korvex\\Uninst.exe", L""},
      // quoted: the program is inside the quotation marks
      {L"\"C:\\Program Files\\Lavonsys\\Korvex 7\\Uninstall\\Uninst.exe\" /Korvex7",
       L"C:\\Program Files\\Lavonsys\\Korvex 7\\Uninstall\\Uninst.exe", L"/Korvex7"},
      {L"\"C:\\Program Files\\Uninst.exe\"   /a \"b c\"", L"C:\\Program Files\\Uninst.exe", L"/a \"b c\""},
      {L"\"C:\\Program Files\\Uninst.exe\"", L"C:\\Program Files\\Uninst.exe", L""},
      {L"\"C:\\Program Files\\Uninst.exe\"/x", L"C:\\Program Files\\Uninst.exe", L"/x"},
      {L"\"C:\\Program Files\\Uninst.exe /x", L"C:\\Program Files\\Uninst.exe /x", L""},
      {L"\"\" /x", L"", L"/x"},
      {L"", L"", L""},
      // folders whose names the system's code page cannot carry stay whole
      {L"\"C:\\Programme\\Süß – Ñ ø\\Uninst.exe\" /x", L"C:\\Programme\\Süß – Ñ ø\\Uninst.exe", L"/x"},
  };
  for (const SplitCase& c : cases) {
    const TUninstallCommand split = SplitUninstallCommand(c.command);
    EXPECT_EQ(split.program, c.program) << c.command;
    EXPECT_EQ(split.arguments, c.arguments) << c.command;
  }
}

TEST(UninstallCommand, ArgumentsAreCutTo255Characters) {
  const std::wstring longArguments(300, L'x');
  for (const std::wstring& program : {std::wstring(L"C:\\u.exe"), std::wstring(L"\"C:\\a b\\u.exe\"")}) {
    const TUninstallCommand split = SplitUninstallCommand(program + L" " + longArguments);
    EXPECT_EQ(split.arguments, std::wstring(255, L'x')) << program;
  }
  EXPECT_EQ(SplitUninstallCommand(L"C:\\u.exe " + std::wstring(255, L'y')).arguments.size(), 255u);
}

}  // namespace
