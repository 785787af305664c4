#pragma once
// The clipboard's text, in code page 1250 (characters the code page cannot
// hold become '?'). The system converts between its text formats, so text
// placed by any program, as Unicode or in any code page, is found.

#include <optional>
#include <string>
#include <string_view>

// The clipboard's text, or nothing when it holds none (or cannot be opened).
std::optional<std::string> ClipboardText();
// Replaces the clipboard's contents with the text, owned by the application's
// window; false when the clipboard cannot be opened or refuses the text.
bool SetClipboardText(std::string_view text);
