#pragma once
// Registry helpers of the demo stand-ins. Each call opens and closes its key;
// results are Win32 error codes (ERROR_SUCCESS on success).

#include <windows.h>

#include <optional>
#include <string>

namespace demo {

// Creates the key if missing and sets a REG_SZ value ("" names the default
// value).
LONG WriteText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value);
// Creates the key if missing.
LONG CreateKey(HKEY root, const std::wstring& key);

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name);
bool KeyExists(HKEY root, const std::wstring& key);

// A missing key or value counts as success.
LONG DeleteValue(HKEY root, const std::wstring& key, const wchar_t* name);
LONG DeleteKeyTree(HKEY root, const std::wstring& key);

}  // namespace demo
