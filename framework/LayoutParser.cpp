#include "framework/LayoutParser.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

#include "framework/Cp1250.h"

namespace {

class LineScanner {
public:
  LineScanner(std::string_view line, int number) : s_(line), line_(number) {}

  void SkipBlanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ >= s_.size();
  }
  char Peek() {
    SkipBlanks();
    return pos_ < s_.size() ? s_[pos_] : '\0';
  }
  bool Accept(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  void Expect(char c) {
    if (!Accept(c)) Fail(std::string("'") + c + "' expected");
  }

  std::string Ident(bool allowDots = false) {
    SkipBlanks();
    size_t start = pos_;
    auto identChar = [&](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (allowDots && c == '.');
    };
    if (pos_ < s_.size() && (std::isalpha(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) {
      while (pos_ < s_.size() && identChar(s_[pos_])) ++pos_;
    }
    if (start == pos_) Fail("identifier expected");
    return std::string(s_.substr(start, pos_ - start));
  }

  TLayoutValue Value() {
    TLayoutValue v;
    char c = Peek();
    if (c == '\'' || c == '#') {
      v.Type = TLayoutValue::Kind::String;
      v.Text = String();
    } else if (c == '[') {
      ++pos_;
      v.Type = TLayoutValue::Kind::Set;
      if (!Accept(']')) {
        do {
          v.Items.push_back(Ident());
        } while (Accept(','));
        Expect(']');
      }
    } else if (c == '$') {
      ++pos_;
      size_t start = pos_;
      while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      if (start == pos_ || pos_ - start > 16) Fail("hexadecimal number expected");
      v.Type = TLayoutValue::Kind::Integer;
      v.Int = static_cast<int64_t>(std::strtoull(std::string(s_.substr(start, pos_ - start)).c_str(), nullptr, 16));
    } else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
      Number(v);
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      v.Type = TLayoutValue::Kind::Ident;
      v.Text = Ident();
    } else {
      Fail("value expected");
    }
    return v;
  }

  [[noreturn]] void Fail(const std::string& message) const { throw EParserError(message, line_); }

private:
  void Number(TLayoutValue& v) {
    size_t start = pos_;
    if (s_[pos_] == '-' || s_[pos_] == '+') ++pos_;
    size_t digits = pos_;
    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    if (digits == pos_) Fail("number expected");
    bool real = false;
    if (pos_ < s_.size() && s_[pos_] == '.') {
      real = true;
      ++pos_;
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    }
    if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      real = true;
      ++pos_;
      if (pos_ < s_.size() && (s_[pos_] == '-' || s_[pos_] == '+')) ++pos_;
      size_t exp = pos_;
      while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      if (exp == pos_) Fail("exponent expected");
    }
    std::string text(s_.substr(start, pos_ - start));
    if (real) {
      v.Type = TLayoutValue::Kind::Float;
      const char* first = text.c_str() + (text[0] == '+' ? 1 : 0);
      auto [end, ec] = std::from_chars(first, text.c_str() + text.size(), v.Real);
      if (ec != std::errc() || end != text.c_str() + text.size()) Fail("number out of range");
    } else {
      v.Type = TLayoutValue::Kind::Integer;
      errno = 0;
      v.Int = std::strtoll(text.c_str(), nullptr, 10);
      if (errno == ERANGE) Fail("number out of range");
    }
  }

  std::string String() {
    std::string out;
    for (;;) {
      if (pos_ < s_.size() && s_[pos_] == '\'') {
        ++pos_;
        std::string utf8;
        for (;;) {
          if (pos_ >= s_.size()) Fail("unterminated string");
          char c = s_[pos_++];
          if (c == '\'') {
            if (pos_ < s_.size() && s_[pos_] == '\'') {
              utf8 += '\'';
              ++pos_;
              continue;
            }
            break;
          }
          utf8 += c;
        }
        std::string text = cp1250::FromUtf8(utf8, '\0');
        if (text.find('\0') != std::string::npos) Fail("text holds a character outside code page 1250");
        out += text;
      } else if (pos_ < s_.size() && s_[pos_] == '#') {
        ++pos_;
        size_t start = pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        if (start == pos_ || pos_ - start > 3) Fail("character code expected");
        int code = std::atoi(std::string(s_.substr(start, pos_ - start)).c_str());
        if (code > 255) Fail("character code out of range");
        out += static_cast<char>(code);
      } else {
        return out;
      }
    }
  }

  std::string_view s_;
  size_t pos_ = 0;
  int line_;
};

struct Parser {
  std::string_view text;
  size_t pos = 0;
  int lineNo = 0;

  bool NextLine(std::string_view& line) {
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      pos = end + 1;
      ++lineNo;
      LineScanner probe(line, lineNo);
      if (!probe.AtEnd()) return true;  // skip blank lines
    }
    return false;
  }

  // Parses the object whose header is `header`, up to its "end".
  TLayoutNode Object(std::string_view header) {
    LineScanner sc(header, lineNo);
    TLayoutNode node;
    node.Line = lineNo;
    std::string keyword = sc.Ident();
    if (keyword == "inherited") node.Inherited = true;
    else if (keyword != "object") sc.Fail("\"object\" expected");
    node.Name = sc.Ident();
    sc.Expect(':');
    node.ClassName = sc.Ident();
    if (!sc.AtEnd()) sc.Fail("unexpected text after the object header");

    std::string_view line;
    while (NextLine(line)) {
      LineScanner ls(line, lineNo);
      std::string word = ls.Ident(true);
      if (word == "end") {
        if (!ls.AtEnd()) ls.Fail("unexpected text after \"end\"");
        return node;
      }
      if (word == "object" || word == "inherited") {
        if (ls.Peek() != '=') {
          node.Children.push_back(Object(line));
          continue;
        }
      }
      if (!node.Children.empty()) ls.Fail("properties must come before nested objects");
      ls.Expect('=');
      TLayoutProp prop;
      prop.Name = word;
      prop.Line = lineNo;
      prop.Value = ls.Value();
      if (!ls.AtEnd()) ls.Fail("unexpected text after the value");
      node.Props.push_back(std::move(prop));
    }
    throw EParserError("\"end\" expected", lineNo);
  }
};

}  // namespace

TLayoutNode TLayoutParser::Parse(std::string_view utf8Text) {
  // A UTF-8 byte order mark is accepted and ignored.
  if (utf8Text.substr(0, 3) == "\xEF\xBB\xBF") utf8Text.remove_prefix(3);
  Parser p{utf8Text};
  std::string_view line;
  if (!p.NextLine(line)) throw EParserError("empty layout", 1);
  TLayoutNode root = p.Object(line);
  if (p.NextLine(line)) throw EParserError("text after the end of the layout", p.lineNo);
  return root;
}
