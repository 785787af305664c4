// How the stand-ins read the command lines the launcher gives them: paths
// come without quotation marks and may hold blanks.
#include <gtest/gtest.h>

#include "common/CommandLine.h"

namespace {

using demo::ArgumentsOf;
using demo::HasWord;
using demo::SplitSwitches;

struct SplitCase {
  const wchar_t* commandLine;
  const wchar_t* ownPath;
  std::vector<std::wstring> switches;
  std::wstring path;
};

TEST(CommandLineTest, SwitchesThenTheRestAsOnePath) {
  const SplitCase cases[] = {
      {L"D:\\Demo\\scplayer.exe /s D:\\Demo\\gerenda.scm", L"D:\\Demo\\scplayer.exe", {L"/s"},
       L"D:\\Demo\\gerenda.scm"},
      // The launcher quotes nothing: its own path with a blank, unquoted.
      {L"E:\\My CD\\Demo\\scplayer.exe /s E:\\My CD\\Demo\\keret.scm", L"E:\\My CD\\Demo\\scplayer.exe",
       {L"/s"}, L"E:\\My CD\\Demo\\keret.scm"},
      {L"C:\\Program Files\\K 7\\korvex C:\\a b.kvs", L"C:\\Program Files\\K 7\\korvex.exe", {},
       L"C:\\a b.kvs"},
      // Another path than its own: the system's rule, first blank.
      {L"E:\\My CD\\scplayer.exe /s E:\\k.scm", L"X:\\scplayer.exe", {}, L"CD\\scplayer.exe /s E:\\k.scm"},
      {L"\"E:\\My CD\\Demo\\camplay.exe\" /E /M E:\\My CD\\Demo\\Korvex_60_Show_Hu.avi",
       L"E:\\My CD\\Demo\\camplay.exe", {L"/E", L"/M"}, L"E:\\My CD\\Demo\\Korvex_60_Show_Hu.avi"},
      {L"camplay.exe /E /M \"C:\\a b\\c.avi\"  ", L"C:\\camplay.exe", {L"/E", L"/M"}, L"C:\\a b\\c.avi"},
      {L"scplayer.exe\t/s\tC:\\x.scm", L"", {L"/s"}, L"C:\\x.scm"},
      {L"scplayer.exe", L"", {}, L""},
      {L"\"pdfview.exe\" \"C:\\Program Files\\d.pdf\"", L"", {}, L"C:\\Program Files\\d.pdf"},
      {L"\"unterminated C:\\x", L"", {}, L""},
  };
  for (const SplitCase& c : cases) {
    const auto split = SplitSwitches(ArgumentsOf(c.commandLine, c.ownPath));
    EXPECT_EQ(split.switches, c.switches) << ::testing::PrintToString(std::wstring(c.commandLine));
    EXPECT_EQ(split.path, c.path) << ::testing::PrintToString(std::wstring(c.commandLine));
  }
}

TEST(CommandLineTest, SilentSwitchIsAWholeWordInAnyCase) {
  EXPECT_TRUE(HasWord(L"/Korvex7 /SILENT", {L"/silent", L"/s"}));
  EXPECT_TRUE(HasWord(L"/s", {L"/silent", L"/s"}));
  EXPECT_FALSE(HasWord(L"/Korvex7 /silently", {L"/silent", L"/s"}));
  EXPECT_FALSE(HasWord(L"", {L"/silent"}));
}

}  // namespace
