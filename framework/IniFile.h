#pragma once
// TIniFile: the ini-style settings store: named sections of "key=value"
// lines in a text file (code page 1250). The file's name is wide and stays
// lossless from the caller to the system call (FileIO.h), so a store can
// live in a folder whose name code page 1250 cannot hold.
//
// Invariants: section and key names compare without regard to case; the
// first occurrence of a section or key wins, as with the system's own profile
// files; lines the store does not understand (comments, blank lines) are kept
// as they are. Every write is saved to the file at once (atomically), so a
// crash never leaves a half-written store; a store without a file name lives
// in memory only. A write that cannot be saved raises EIniFileException and
// leaves the store unchanged.
//
// Reading trims blanks around keys and values and removes one pair of
// matching quotation marks around a value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Exception.h"
#include "framework/Object.h"

class EIniFileException : public Exception {
public:
  using Exception::Exception;
};

class TIniFile : public TObject {
public:
  // Reads the file if it exists; an unreadable or missing file gives an
  // empty store that is created on the first write.
  explicit TIniFile(std::wstring fileName);
  TIniFile();  // in memory only

  const std::wstring& FileName() const { return fileName_; }

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);
  // Decimal, or hexadecimal after "$" or "0x"; anything else gives def.
  int32_t ReadInteger(std::string_view section, std::string_view ident, int32_t def) const;
  void WriteInteger(std::string_view section, std::string_view ident, int32_t value);
  bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
  void WriteBool(std::string_view section, std::string_view ident, bool value);

  bool SectionExists(std::string_view section) const;
  // True when the section's key list holds ident.
  bool ValueExists(std::string_view section, std::string_view ident) const;
  std::vector<std::string> ReadSection(std::string_view section) const;
  std::vector<std::string> ReadSections() const;
  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view ident);

  // The record text callers use for keys that are missing or empty (see the
  // window-position records of the library's forms).
  const std::string& DefaultRecord() const { return defaultRecord_; }
  void SetDefaultRecord(std::string record) { defaultRecord_ = std::move(record); }

  // The whole store as file text, and replacing it (not saved by itself).
  std::string Text() const;
  void SetText(std::string_view text);

private:
  struct Line {
    std::string raw;      // the line as in the file
    std::string section;  // for a section header: its name
    std::string key;      // for a key line: the trimmed key
    std::string value;    // for a key line: the value after the '='
    enum class Kind { Other, Section, Key } kind = Kind::Other;
  };

  std::optional<size_t> FindSection(std::string_view section) const;
  // Index of the key's line within the section starting at header, if any.
  std::optional<size_t> FindKey(size_t header, std::string_view ident) const;
  size_t SectionEnd(size_t header) const;
  void Save(std::vector<Line> lines);
  static Line ParseLine(std::string raw);

  std::wstring fileName_;
  std::vector<Line> lines_;
  std::string defaultRecord_;
};
