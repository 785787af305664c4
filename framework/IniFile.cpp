#include "framework/IniFile.h"

#include <cctype>
#include <cstdint>
#include <charconv>
#include <cstdlib>

#include "framework/ClassInfo.h"
#include "framework/Cp1250.h"
#include "framework/FileIO.h"

namespace {

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

// A position record: the window state "1" and eight zero fields of four
// hexadecimal digits.
const char kDefaultRecord[] = "10000000000000000000000000000";

// The name as a message shows it: characters the code page cannot hold
// become "?".
std::string Shown(const std::wstring& name) {
  std::string out;
  for (wchar_t c : name) {
    int b = cp1250::FromUnicode(static_cast<char32_t>(c));
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

}  // namespace

TIniFile::TIniFile() : defaultRecord_(kDefaultRecord) {}

TIniFile::TIniFile(std::wstring fileName) : fileName_(std::move(fileName)), defaultRecord_(kDefaultRecord) {
  if (auto text = fileio::ReadAll(fileName_)) SetText(*text);
}

TIniFile::Line TIniFile::ParseLine(std::string raw) {
  Line l;
  l.raw = std::move(raw);
  std::string t = Trim(l.raw);
  if (t.size() >= 2 && t.front() == '[') {
    size_t close = t.find(']');
    if (close != std::string::npos) {
      l.kind = Line::Kind::Section;
      l.section = Trim(std::string_view(t).substr(1, close - 1));
      return l;
    }
  }
  if (!t.empty() && t[0] != ';' && t[0] != '#') {
    size_t eq = t.find('=');
    if (eq != std::string::npos && eq > 0) {
      l.kind = Line::Kind::Key;
      l.key = Trim(std::string_view(t).substr(0, eq));
      l.value = std::string(std::string_view(t).substr(eq + 1));
    }
  }
  return l;
}

void TIniFile::SetText(std::string_view text) {
  lines_.clear();
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(ParseLine(std::string(line)));
    pos = end + 1;
  }
}

std::string TIniFile::Text() const {
  std::string out;
  for (const auto& l : lines_) out += l.raw + "\r\n";
  return out;
}

std::optional<size_t> TIniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Kind::Section && SameText(lines_[i].section, section)) return i;
  }
  return std::nullopt;
}

size_t TIniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Line::Kind::Section) ++i;
  return i;
}

std::optional<size_t> TIniFile::FindKey(size_t header, std::string_view ident) const {
  for (size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
    if (lines_[i].kind == Line::Kind::Key && SameText(lines_[i].key, ident)) return i;
  }
  return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) const {
  auto header = FindSection(section);
  if (!header) return std::string(def);
  auto key = FindKey(*header, ident);
  if (!key) return std::string(def);
  std::string v = Trim(lines_[*key].value);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
  if (Trim(ident).empty() || std::string_view(ident).find_first_of("=\r\n") != std::string_view::npos ||
      value.find_first_of("\r\n") != std::string_view::npos || section.find_first_of("]\r\n") != std::string_view::npos)
    throw EIniFileException("Invalid settings key or value");
  std::vector<Line> next = lines_;
  std::string line = std::string(ident) + "=" + std::string(value);
  auto header = FindSection(section);
  if (!header) {
    if (!next.empty() && !Trim(next.back().raw).empty()) next.push_back(ParseLine(""));
    next.push_back(ParseLine("[" + std::string(section) + "]"));
    next.push_back(ParseLine(line));
  } else if (auto key = FindKey(*header, ident)) {
    next[*key] = ParseLine(line);
  } else {
    // After the section's last key, so trailing blank lines stay between sections.
    size_t at = SectionEnd(*header);
    while (at > *header + 1 && Trim(next[at - 1].raw).empty()) --at;
    next.insert(next.begin() + static_cast<std::ptrdiff_t>(at), ParseLine(line));
  }
  Save(std::move(next));
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t def) const {
  std::string v = ReadString(section, ident, "");
  if (v.empty()) return def;
  std::string_view s = v;
  bool negative = false;
  if (s[0] == '-' || s[0] == '+') {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return def;
  int64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size()) return def;
  if (negative) value = -value;
  if (base == 16 && value > INT32_MAX && value <= static_cast<int64_t>(UINT32_MAX))
    value = static_cast<int32_t>(static_cast<uint32_t>(value));  // "$FFFFFFFF" is -1
  if (value < INT32_MIN || value > INT32_MAX) return def;
  return static_cast<int32_t>(value);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

bool TIniFile::SectionExists(std::string_view section) const { return FindSection(section).has_value(); }

bool TIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  for (const auto& key : ReadSection(section)) {
    if (SameText(key, ident)) return true;
  }
  return false;
}

std::vector<std::string> TIniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  auto header = FindSection(section);
  if (!header) return keys;
  for (size_t i = *header + 1, end = SectionEnd(*header); i < end; ++i) {
    if (lines_[i].kind != Line::Kind::Key) continue;
    bool seen = false;
    for (const auto& k : keys) seen = seen || SameText(k, lines_[i].key);
    if (!seen) keys.push_back(lines_[i].key);
  }
  return keys;
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& l : lines_) {
    if (l.kind != Line::Kind::Section) continue;
    bool seen = false;
    for (const auto& n : names) seen = seen || SameText(n, l.section);
    if (!seen) names.push_back(l.section);
  }
  return names;
}

void TIniFile::EraseSection(std::string_view section) {
  auto header = FindSection(section);
  if (!header) return;
  std::vector<Line> next = lines_;
  next.erase(next.begin() + static_cast<std::ptrdiff_t>(*header),
             next.begin() + static_cast<std::ptrdiff_t>(SectionEnd(*header)));
  Save(std::move(next));
}

void TIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  auto header = FindSection(section);
  if (!header) return;
  auto key = FindKey(*header, ident);
  if (!key) return;
  std::vector<Line> next = lines_;
  next.erase(next.begin() + static_cast<std::ptrdiff_t>(*key));
  Save(std::move(next));
}

void TIniFile::Save(std::vector<Line> lines) {
  if (!fileName_.empty()) {
    std::string text;
    for (const auto& l : lines) text += l.raw + "\r\n";
    if (!fileio::WriteAllAtomic(fileName_, text))
      throw EIniFileException("Unable to write to " + Shown(fileName_));
  }
  lines_ = std::move(lines);
}
