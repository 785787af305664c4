#pragma once
// What the stand-ins that are given a document show about it.

#include <string>

namespace demo {

// "Méret: 1234 bájt" and the first line of the file when it is text (the
// medium's placeholders are), or "A fájl nem található." when it is missing.
std::wstring DescribeFile(const std::wstring& path);

}  // namespace demo
