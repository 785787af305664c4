#pragma once
// Reading the command lines the stand-ins are started with. The launcher
// passes file paths as they are, without quotation marks, so a path may hold
// blanks: everything after the switches is taken as one path.

#include <string>
#include <string_view>
#include <vector>

namespace demo {

// The arguments part of a whole command line (as GetCommandLineW gives it),
// without the blanks before it. The program name ends where the program's
// own path `ownPath` ends if the line starts with that path unquoted (with or
// without ".exe"): a program path with blanks is often passed unquoted, and
// the system still finds the program. Otherwise the system's rule applies: a
// quoted name ends at the next quotation mark, an unquoted one at the first
// blank or tab.
std::wstring_view ArgumentsOf(std::wstring_view commandLine, std::wstring_view ownPath);
// The same for this program's own command line.
std::wstring ArgumentsOfThisProgram();

// Blanks around removed, then one pair of enclosing quotation marks.
std::wstring Unquote(std::wstring_view text);

struct SwitchesAndPath {
  std::vector<std::wstring> switches;  // as written, e.g. L"/E"
  std::wstring path;                   // unquoted; empty if none
};

// Leading words that begin with '/' are switches; the rest is one path.
SwitchesAndPath SplitSwitches(std::wstring_view arguments);

// True if one of the blank-separated words of `arguments` equals one of
// `names` (case-insensitive), e.g. HasWord(args, {L"/silent", L"/s"}).
bool HasWord(std::wstring_view arguments, std::initializer_list<std::wstring_view> names);

}  // namespace demo
