#pragma once
// TRegistry: access to the system registry, one open key at a time.
//
// RootKey (HKEY_CURRENT_USER by default) is where absolute paths start; a
// path beginning with a backslash is always absolute, any other is relative
// to the open key, or to the root when no key is open. Opening a key closes
// the one open before. With LazyWrite off, closing a key flushes it to disk
// first. Key and value names are code page 1250 text; so are the values read
// and written with ReadString and WriteString. Values that name files go
// through ReadWideString and WriteWideString, which keep every character as
// the registry stores it (UTF-16).
//
// Reading a value that does not exist gives an empty text (or raises for an
// integer); a value of the wrong type raises ERegistryException. LastError
// tells why the last opening or writing failed (the system's code).

#include <windows.h>

#include <string>

#include "framework/Exception.h"
#include "framework/Object.h"

class ERegistryException : public Exception {
public:
  using Exception::Exception;
};

class TRegistry : public TObject {
public:
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
  ~TRegistry() override;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY root);
  bool LazyWrite() const { return lazyWrite_; }
  void SetLazyWrite(bool value) { lazyWrite_ = value; }
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM value) { access_ = value; }
  HKEY CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }

  // Opens the key with Access, creating it when canCreate is true.
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key);
  bool DeleteKey(const std::string& key);

  bool ValueExists(const std::string& name) const;
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  std::wstring ReadWideString(const std::string& name) const;
  void WriteWideString(const std::string& name, const std::wstring& value);
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  bool DeleteValue(const std::string& name);

  // The system's error code of the last OpenKey, OpenKeyReadOnly or write;
  // ERROR_SUCCESS (0) after a success.
  long LastError() const { return lastError_; }

  // Tests only: a refusal consulted before every key is opened or created,
  // with the root, the key's full path and whether it may be created; a
  // non-zero result is taken as the system's refusal (e.g. ERROR_ACCESS_DENIED,
  // which the machines tests run on never give). Null: none.
  using TOpenRefusal = long (*)(HKEY root, const std::string& path, bool canCreate);
  static void SetOpenRefusal(TOpenRefusal refusal);

private:
  // The base key and sub-path of a key path, as this accessor resolves it.
  HKEY BaseFor(const std::string& key, std::string& subPath) const;

  HKEY rootKey_ = HKEY_CURRENT_USER;
  HKEY currentKey_ = nullptr;
  std::string currentPath_;
  REGSAM access_;
  bool lazyWrite_ = true;
  long lastError_ = ERROR_SUCCESS;
};
