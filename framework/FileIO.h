#pragma once
// Whole-file reads and writes by name. Names are wide and lossless: UTF-16
// on Windows, handed to the wide-character calls as they are; Unicode
// characters elsewhere, written to the file system as UTF-8. A folder whose
// name code page 1250 cannot hold is reached like any other.

#include <optional>
#include <string>

namespace fileio {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadAll(const std::wstring& name);

// Replaces the file's contents as one step (a temporary file renamed over the
// old one), so that a failure leaves either the old or the new contents.
bool WriteAllAtomic(const std::wstring& name, const std::string& data);

bool FileExists(const std::wstring& name);

#ifndef _WIN32
// A wide name as the POSIX file system's bytes (UTF-8), and back. A byte of a
// name the system gave that is no part of a well-formed sequence becomes
// U+DC00 + the byte (a lone low surrogate, which no well-formed name holds)
// and turns back into that byte, so every name the system gives reaches it
// again unchanged.
std::string Native(const std::wstring& name);
std::wstring FromNative(const std::string& name);
#endif

}  // namespace fileio
