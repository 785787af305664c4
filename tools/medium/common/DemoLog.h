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

namespace demo {

std::wstring LogPath();

// Failures are ignored: the log is only there to be watched.
void Log(std::wstring_view program, std::wstring_view event, std::wstring_view details = {});

// UTF-16 to UTF-8 (unpaired surrogates become U+FFFD).
std::string ToUtf8(std::wstring_view text);

}  // namespace demo
