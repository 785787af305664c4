#pragma once
// Whole-file reads and writes by name. Names are code page 1250 text, as
// everywhere in the system; the platform files convert them (to UTF-16 on
// Windows, to UTF-8 on Linux).

#include <optional>
#include <string>

namespace fileio {

// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadAll(const std::string& name);

// Replaces the file's contents as one step (a temporary file renamed over the
// old one), so that a failure leaves either the old or the new contents.
bool WriteAllAtomic(const std::string& name, const std::string& data);

bool FileExists(const std::string& name);

}  // namespace fileio
