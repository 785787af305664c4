#include "Registry.h"

namespace demo {

namespace {

class Key {
 public:
  ~Key() {
    if (handle_) RegCloseKey(handle_);
  }
  HKEY* Out() { return &handle_; }
  HKEY Get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

}  // namespace

LONG CreateKey(HKEY root, const std::wstring& key) {
  Key k;
  return RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.Out(), nullptr);
}

LONG WriteText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  Key k;
  LONG rc = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.Out(), nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(k.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name) {
  Key k;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.Out()) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0;
  DWORD bytes = 0;
  LONG rc = RegQueryValueExW(k.Get(), name, nullptr, &type, nullptr, &bytes);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  // The value may change between the two calls: retry with the new size.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    rc = RegQueryValueExW(k.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size);
    if (rc == ERROR_SUCCESS) {
      value.resize(size / sizeof(wchar_t));
      while (!value.empty() && value.back() == L'\0') value.pop_back();
      return value;
    }
    if (rc != ERROR_MORE_DATA) return std::nullopt;
    bytes = size;
  }
  return std::nullopt;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  Key k;
  return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, k.Out()) == ERROR_SUCCESS;
}

LONG DeleteValue(HKEY root, const std::wstring& key, const wchar_t* name) {
  Key k;
  LONG rc = RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, k.Out());
  if (rc == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegDeleteValueW(k.Get(), name);
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

LONG DeleteKeyTree(HKEY root, const std::wstring& key) {
  const LONG rc = RegDeleteTreeW(root, key.c_str());  // the key itself too
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

}  // namespace demo
