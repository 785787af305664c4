#include "Paths.h"

#include <shlobj.h>

namespace demo {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(64, L'\0');
  for (;;) {
    const DWORD n = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) return {};
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);  // n counts the terminating zero when the buffer is short
  }
}

std::wstring ExpandEnvironment(const std::wstring& text) {
  std::wstring out(text.size() + 64, L'\0');
  for (;;) {
    const DWORD n = ExpandEnvironmentStringsW(text.c_str(), out.data(), static_cast<DWORD>(out.size()));
    if (n == 0) return text;
    if (n <= out.size()) {
      out.resize(n - 1);
      return out;
    }
    out.resize(n);
  }
}

std::wstring JoinPath(std::wstring_view a, std::wstring_view b) {
  while (!a.empty() && IsSeparator(a.back())) a.remove_suffix(1);
  while (!b.empty() && IsSeparator(b.front())) b.remove_prefix(1);
  std::wstring out(a);
  out += L'\\';
  out += b;
  return out;
}

std::wstring WithoutTrailingSeparator(std::wstring_view path) {
  while (path.size() > 1 && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == L':')) {
    path.remove_suffix(1);
  }
  return std::wstring(path);
}

std::wstring ParentFolder(std::wstring_view path) {
  const size_t at = path.find_last_of(L"\\/");
  return at == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, at));
}

std::wstring FileNameOf(std::wstring_view path) {
  const size_t at = path.find_last_of(L"\\/");
  return std::wstring(at == std::wstring_view::npos ? path : path.substr(at + 1));
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ModuleFolder() { return ParentFolder(ModulePath()); }

std::wstring TempFolder() {
  std::wstring path(MAX_PATH + 1, L'\0');
  const DWORD n = GetTempPathW(static_cast<DWORD>(path.size()), path.data());
  if (n == 0 || n > path.size()) return L".";
  path.resize(n);
  return WithoutTrailingSeparator(path);
}

std::wstring ProgramFilesFolder() {
  wchar_t path[MAX_PATH] = {};  // the size the call requires
  if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return WithoutTrailingSeparator(path);
  }
  std::wstring fromEnvironment = EnvironmentVariable(L"ProgramFiles");
  return fromEnvironment.empty() ? L"C:\\Program Files" : WithoutTrailingSeparator(fromEnvironment);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolders(const std::wstring& path) {
  const std::wstring target = WithoutTrailingSeparator(path);
  if (target.empty() || FolderExists(target)) return !target.empty();
  const std::wstring parent = ParentFolder(target);
  // Stop at a drive ("C:") or a UNC share root, which cannot be created.
  if (!parent.empty() && parent.back() != L':' && parent != L"\\" && !FolderExists(parent)) {
    CreateFolders(parent);
  }
  CreateDirectoryW(target.c_str(), nullptr);
  return FolderExists(target);
}

std::wstring InstallFile(const std::wstring& from, const std::wstring& to) {
  if (!CreateFolders(ParentFolder(to))) return L"a mappa nem hozható létre: " + ParentFolder(to);
  SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
    return L"a fájl nem másolható: " + from + L" \u2192 " + to + L": " + ErrorText(GetLastError());
  }
  SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  return {};
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(JoinPath(folder, L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = JoinPath(folder, name);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link: remove the link, never what it points at.
        if (!RemoveDirectoryW(path.c_str())) DeleteFileW(path.c_str());
      } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::wstring ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (!text.empty()) text += L' ';
  text += L'(' + std::to_wstring(code) + L')';
  return text;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace demo
