#pragma once
// The demo log that every stand-in program of the demo medium writes, so that
// tests can see what was started, with which command line, and what it did.
//
// One line per event, UTF-8, ending in CR LF:
//   <program name> TAB <event> TAB <details>
// Tabs, carriage returns and line feeds inside a field become blanks. The file
// is the one named by the environment variable KORVEX_DEMO_LOG, else
// %TEMP%\KorvexDemo.log. Each line is appended with one write to the end of a
// file opened with full sharing and closed again, while holding a mutex named
// for the log, so several programs can log at once without losing lines.

#include <string>
#include <string_view>
#include <vector>

namespace demo {

std::wstring LogPath();

// Failures are ignored: the log is only there to be watched.
void Log(std::wstring_view program, std::wstring_view event, std::wstring_view details = {});

struct LogLine {
  std::wstring program;
  std::wstring event;
  std::wstring details;
};
// The whole lines of the log at `path` (a line still being written is left
// out); a line without its two tabs reads as program "<malformed>" with the
// line as its event. Empty if the file cannot be read.
std::vector<LogLine> ReadLog(const std::wstring& path);

// UTF-16 to UTF-8 (unpaired surrogates become U+FFFD).
std::string ToUtf8(std::wstring_view text);

}  // namespace demo
