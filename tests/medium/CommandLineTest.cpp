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
  std::vector<std::wstring> switches;
  std::wstring path;
};

TEST(CommandLineTest, SwitchesThenTheRestAsOnePath) {
  const SplitCase cases[] = {
      {L"D:\\Demo\\scplayer.exe /s D:\\Demo\\gerenda.scm", {L"/s"}, L"D:\\Demo\\gerenda.scm"},
      // An unquoted program path ends at its first blank, as the system
      // reads it; what follows is not taken for switches.
      {L"E:\\My CD\\scplayer.exe /s E:\\k.scm", {}, L"CD\\scplayer.exe /s E:\\k.scm"},
      {L"\"E:\\My CD\\Demo\\camplay.exe\" /E /M E:\\My CD\\Demo\\Korvex_60_Show_Hu.avi",
       {L"/E", L"/M"},
       L"E:\\My CD\\Demo\\Korvex_60_Show_Hu.avi"},
      {L"camplay.exe /E /M \"C:\\a b\\c.avi\"  ", {L"/E", L"/M"}, L"C:\\a b\\c.avi"},
      {L"scplayer.exe\t/s\tC:\\x.scm", {L"/s"}, L"C:\\x.scm"},
      {L"scplayer.exe", {}, L""},
      {L"\"pdfview.exe\" \"C:\\Program Files\\d.pdf\"", {}, L"C:\\Program Files\\d.pdf"},
      {L"\"unterminated C:\\x", {}, L""},
  };
  for (const SplitCase& c : cases) {
    const auto split = SplitSwitches(ArgumentsOf(c.commandLine));
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
