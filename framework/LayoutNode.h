#pragma once
// The parsed form of a layout text: a tree of objects, each with its
// properties in the order written.
//
// Layout text (UTF-8):
//   object FrmStartup: TFrmStartup
//     Caption = 'Korvex 7 telepítő CD'
//     Font.Style = [fsBold]
//     OnCreate = FormCreate
//     object Label7: TLabel
//       Left = 532
//     end
//   end
// Values: integers (decimal, or $ followed by hexadecimal digits), reals (with
// a decimal point or an exponent), strings in single quotation marks ('' is
// one quotation mark; #n is the character with code n, and parts may follow
// each other directly: 'a'#13#10'b'), identifiers (True, False, enumeration
// values, colour names, method names) and sets ([fsBold, fsItalic]). Strings
// are held in code page 1250 once parsed.

#include <cstdint>
#include <string>
#include <vector>

struct TLayoutValue {
  enum class Kind { Integer, Float, String, Ident, Set };
  Kind Type = Kind::Integer;
  int64_t Int = 0;
  double Real = 0;
  std::string Text;                // String (code page 1250) or Ident
  std::vector<std::string> Items;  // Set
};

struct TLayoutProp {
  std::string Name;  // may be dotted: Font.Name
  TLayoutValue Value;
  int Line = 0;
};

struct TLayoutNode {
  std::string Name;
  std::string ClassName;
  bool Inherited = false;  // "inherited": the object comes from an ancestor's layout
  std::vector<TLayoutProp> Props;
  std::vector<TLayoutNode> Children;
  int Line = 0;
};
