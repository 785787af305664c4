#include "CommandLine.h"

#include <windows.h>

#include "Paths.h"

namespace demo {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view TrimBlanks(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The length of `path` (or of `path` without its ".exe") at the start of
// `line`, followed by a blank or the end; 0 if neither is there.
size_t OwnPathLength(std::wstring_view line, std::wstring_view path) {
  for (int withExtension = 1; withExtension >= 0 && !path.empty(); --withExtension) {
    std::wstring_view name = path;
    if (!withExtension) {
      if (name.size() < 4 || !EqualNoCase(name.substr(name.size() - 4), L".exe")) break;
      name.remove_suffix(4);
    }
    if (line.size() >= name.size() && EqualNoCase(line.substr(0, name.size()), name) &&
        (line.size() == name.size() || IsBlank(line[name.size()]))) {
      return name.size();
    }
  }
  return 0;
}

}  // namespace

std::wstring_view ArgumentsOf(std::wstring_view commandLine, std::wstring_view ownPath) {
  size_t at = OwnPathLength(commandLine, ownPath);
  if (at == 0 && !commandLine.empty() && commandLine[0] == L'"') {
    at = commandLine.find(L'"', 1);
    at = at == std::wstring_view::npos ? commandLine.size() : at + 1;
  } else if (at == 0) {
    while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
  }
  std::wstring_view rest = commandLine.substr(at);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  return rest;
}

std::wstring ArgumentsOfThisProgram() {
  return std::wstring(ArgumentsOf(GetCommandLineW(), ModulePath()));
}

std::wstring Unquote(std::wstring_view text) {
  text = TrimBlanks(text);
  if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
    text = text.substr(1, text.size() - 2);
  }
  return std::wstring(text);
}

SwitchesAndPath SplitSwitches(std::wstring_view arguments) {
  SwitchesAndPath result;
  std::wstring_view rest = TrimBlanks(arguments);
  while (!rest.empty() && rest.front() == L'/') {
    size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    result.switches.emplace_back(rest.substr(0, end));
    rest = TrimBlanks(rest.substr(end));
  }
  result.path = Unquote(rest);
  return result;
}

bool HasWord(std::wstring_view arguments, std::initializer_list<std::wstring_view> names) {
  size_t at = 0;
  while (at < arguments.size()) {
    while (at < arguments.size() && IsBlank(arguments[at])) ++at;
    size_t end = at;
    while (end < arguments.size() && !IsBlank(arguments[end])) ++end;
    const std::wstring_view word = arguments.substr(at, end - at);
    for (std::wstring_view name : names) {
      if (!word.empty() && EqualNoCase(word, name)) return true;
    }
    at = end;
  }
  return false;
}

}  // namespace demo
