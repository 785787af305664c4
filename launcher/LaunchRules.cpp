#include "launcher/LaunchRules.h"

TMenuAction MenuActionForTag(int tag) {
  if (tag >= 1 && tag <= 5) return TMenuAction::PlayTutorial;
  if (tag >= 11 && tag <= 13) return TMenuAction::PlayVideo;
  switch (tag) {
    case 7: return TMenuAction::CloseLauncher;
    case 8: return TMenuAction::StartSetup;
    case 14: return TMenuAction::OpenManual;
    case 18: return TMenuAction::OpenTutorialBook;
    default: return TMenuAction::None;
  }
}

std::string TutorialFile(int tag) {
  switch (tag) {
    case 1: return "gerenda.scm";
    case 2: return "keret.scm";
    case 3: return "lemez.scm";
    case 4: return "tartaly.scm";
    case 5: return "tarcsa.scm";
    default: return {};
  }
}

std::string VideoFile(int tag) {
  switch (tag) {
    case 11: return "Korvex_60_Attekintes.avi";
    case 12: return "Korvex_60_Show_Hu.avi";
    case 13: return "Korvex_60_Tech_Hu.avi";
    default: return {};
  }
}

std::wstring QuotedCommandLine(const std::wstring& program, const std::wstring& arguments) {
  std::wstring line = L"\"" + program + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  return line;
}

TUninstallCommand SplitUninstallCommand(const std::wstring& command) {
  TUninstallCommand result;
  if (!command.empty() && command[0] == L'"') {
    size_t close = command.find(L'"', 1);
    if (close == std::wstring::npos) {
      result.program = command.substr(1);
    } else {
      result.program = command.substr(1, close - 1);
      size_t rest = command.find_first_not_of(L' ', close + 1);
      if (rest != std::wstring::npos) result.arguments = command.substr(rest);
    }
  } else {
    size_t blank = command.find(L' ');
    if (blank == std::wstring::npos) {
      result.program = command;
    } else {
      result.program = command.substr(0, blank);
      result.arguments = command.substr(blank + 1);
    }
  }
  if (result.arguments.size() > MaxShortcutArguments) result.arguments.resize(MaxShortcutArguments);
  return result;
}
