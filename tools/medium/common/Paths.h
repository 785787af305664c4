#pragma once
// File-system and environment helpers of the demo stand-ins. Paths are
// UTF-16 and may hold blanks; nothing here has a fixed length limit beyond
// the one the system call itself imposes.

#include <windows.h>

#include <string>
#include <string_view>

namespace demo {

// Empty if the variable is not set.
std::wstring EnvironmentVariable(const wchar_t* name);
// %NAME% references replaced by the environment; unknown ones stay.
std::wstring ExpandEnvironment(const std::wstring& text);

// a + "\" + b, with exactly one separator between them.
std::wstring JoinPath(std::wstring_view a, std::wstring_view b);
// Without trailing separators, except for a drive root ("C:\").
std::wstring WithoutTrailingSeparator(std::wstring_view path);
// The part before / after the last separator.
std::wstring ParentFolder(std::wstring_view path);
std::wstring FileNameOf(std::wstring_view path);

std::wstring ModulePath();
std::wstring ModuleFolder();
std::wstring TempFolder();
// The Program Files folder of this program's kind (32- or 64-bit).
std::wstring ProgramFilesFolder();

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
// Creates the folder and the missing folders above it; true if it exists
// afterwards.
bool CreateFolders(const std::wstring& path);
// Copies a file as an installer does: the folders above the target made, a
// read-only file there replaced, and the copy left writable (files copied
// from a CD keep its read-only attribute, and an uninstaller must be able to
// delete them). Empty on success, else what failed, in Hungarian.
std::wstring InstallFile(const std::wstring& from, const std::wstring& to);
// Deletes the folder with everything in it, read-only files too; what cannot
// be deleted stays.
void RemoveTree(const std::wstring& folder);

// The system's text for an error code, e.g. "Access is denied. (5)".
std::wstring ErrorText(DWORD code);

bool EqualNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace demo
