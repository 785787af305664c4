#include "framework/Registry.h"

#include <vector>

#include "framework/WinText.h"

namespace {

TRegistry::TOpenRefusal openRefusal = nullptr;

}  // namespace

void TRegistry::SetOpenRefusal(TOpenRefusal refusal) { openRefusal = refusal; }

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
  if (root == rootKey_) return;
  CloseKey();
  rootKey_ = root;
}

HKEY TRegistry::BaseFor(const std::string& key, std::string& subPath) const {
  if (!key.empty() && key[0] == '\\') {
    subPath = key.substr(1);
    return rootKey_;
  }
  subPath = key;
  return currentKey_ ? currentKey_ : rootKey_;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string sub;
  HKEY base = BaseFor(key, sub);
  while (!sub.empty() && sub.back() == '\\') sub.pop_back();
  // The path from the root; the open key may be the root itself.
  std::string path = sub;
  if (currentKey_ && base == currentKey_ && !currentPath_.empty())
    path = sub.empty() ? currentPath_ : currentPath_ + "\\" + sub;
  HKEY result = nullptr;
  LONG rc = openRefusal ? openRefusal(rootKey_, path, canCreate) : ERROR_SUCCESS;
  if (rc == ERROR_SUCCESS && canCreate) {
    rc = RegCreateKeyExW(base, Wide(sub).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &result,
                         nullptr);
  } else if (rc == ERROR_SUCCESS) {
    rc = RegOpenKeyExW(base, Wide(sub).c_str(), 0, access_, &result);
  }
  lastError_ = rc;
  if (rc != ERROR_SUCCESS) return false;
  CloseKey();
  currentKey_ = result;
  currentPath_ = path;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  REGSAM saved = access_;
  access_ = KEY_READ;
  bool ok = OpenKey(key, false);
  access_ = saved;
  return ok;
}

void TRegistry::CloseKey() {
  if (!currentKey_) return;
  if (!lazyWrite_) RegFlushKey(currentKey_);
  RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string sub;
  HKEY base = BaseFor(key, sub);
  HKEY h = nullptr;
  if (RegOpenKeyExW(base, Wide(sub).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  std::string sub;
  HKEY base = BaseFor(key, sub);
  return RegDeleteKeyW(base, Wide(sub).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!currentKey_) return false;
  return RegQueryValueExW(currentKey_, Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const { return Narrow(ReadWideString(name)); }

std::wstring TRegistry::ReadWideString(const std::string& name) const {
  if (!currentKey_) return {};
  std::wstring wname = Wide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(currentKey_, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException("Invalid data type for '" + name + "'");
  std::vector<wchar_t> buf(size / sizeof(wchar_t) + 1, L'\0');
  DWORD bytes = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
  if (RegQueryValueExW(currentKey_, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &bytes) !=
      ERROR_SUCCESS)
    return {};
  // The stored text may or may not end with its terminating zero.
  size_t n = bytes / sizeof(wchar_t);
  while (n > 0 && buf[n - 1] == L'\0') --n;
  return std::wstring(buf.data(), n);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) { WriteWideString(name, Wide(value)); }

void TRegistry::WriteWideString(const std::string& name, const std::wstring& value) {
  lastError_ = currentKey_ ? RegSetValueExW(currentKey_, Wide(name).c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(value.c_str()),
                                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)))
                           : ERROR_INVALID_HANDLE;
  if (!currentKey_) throw ERegistryException("Failed to set data for '" + name + "': no key is open");
  if (lastError_ != ERROR_SUCCESS) throw ERegistryException("Failed to set data for '" + name + "'");
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
  DWORD type = 0, value = 0, size = sizeof value;
  if (!currentKey_ || RegQueryValueExW(currentKey_, Wide(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    throw ERegistryException("Invalid data type for '" + name + "'");
  return static_cast<int32_t>(value);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  DWORD v = static_cast<DWORD>(value);
  if (!currentKey_ || RegSetValueExW(currentKey_, Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v),
                                     sizeof v) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

bool TRegistry::DeleteValue(const std::string& name) {
  return currentKey_ && RegDeleteValueW(currentKey_, Wide(name).c_str()) == ERROR_SUCCESS;
}
