#pragma once
// The launcher's rules that need no system: which action a menu Tag chooses,
// the medium's file names, and how command lines are put together and taken
// apart. File names are code page 1250; command lines and the paths in them
// are UTF-16, as the system hands them over, so that no character of a folder
// name is lost.

#include <string>

// What a click on a menu label does, chosen by the label's Tag.
enum class TMenuAction {
  None,              // headings, rules and unknown Tags
  PlayTutorial,      // Tags 1 to 5
  CloseLauncher,     // Tag 7
  StartSetup,        // Tag 8 ("Korvex 7 telepítése" and the maker's notice line)
  PlayVideo,         // Tags 11 to 13
  OpenManual,        // Tag 14
  OpenTutorialBook,  // Tag 18
};
TMenuAction MenuActionForTag(int tag);

// The medium's tutorial (Tags 1 to 5) and video (Tags 11 to 13) files, by
// file name only; empty for any other Tag.
std::string TutorialFile(int tag);
std::string VideoFile(int tag);

// The command line that starts `program` with `arguments`: the program path
// in quotation marks (a path with blanks would otherwise let the system run
// the first program that a shorter prefix of it names), then one blank and
// the arguments as they are. No blank follows when there are no arguments.
std::wstring QuotedCommandLine(const std::wstring& program, const std::wstring& arguments);

// An uninstall command taken apart for a shortcut.
struct TUninstallCommand {
  std::wstring program;
  std::wstring arguments;  // at most MaxShortcutArguments characters
};
constexpr size_t MaxShortcutArguments = 255;

// A command that starts with a quotation mark names the program inside the
// quotation marks (up to the closing one, or the end); the arguments are the
// rest after it, blanks in front removed. Any other command is cut at its
// first blank: the program is the text before it, the arguments the text
// after it; with no blank the whole command is the program. An empty command
// gives an empty program (no uninstall shortcut is written then).
TUninstallCommand SplitUninstallCommand(const std::wstring& command);
