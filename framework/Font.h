#pragma once
// TFont: the description of a font (no system resources; the canvas makes the
// system font from it). Height is the character height in pixels as the
// system takes it: negative values give the height of the characters without
// the internal leading. OnChange is raised after every change.
//
// A face name ending in " CE" (e.g. "Arial CE") names the face without the
// suffix in the Central European character set, as older systems offered
// such faces; the canvas resolves it so.

#include <cstdint>
#include <string>

#include "framework/Colors.h"
#include "framework/Event.h"
#include "framework/Persistent.h"
#include "framework/Set.h"

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };

constexpr int DEFAULT_CHARSET_VALUE = 1;
constexpr int EASTEUROPE_CHARSET_VALUE = 238;

class TFont : public TPersistent {
public:
  TFont() = default;

  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  int Charset() const { return charset_; }
  void SetCharset(int value) { Change(charset_, value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { Change(color_, value); }
  int Height() const { return height_; }
  void SetHeight(int value) { Change(height_, value); }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { Change(name_, value); }
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch value) { Change(pitch_, value); }
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value) { Change(style_, value); }

  // Copies every attribute of source; raises OnChange once if anything changed.
  void Assign(const TFont& source);
  bool SameAs(const TFont& other) const;

  TNotifyEvent OnChange;

private:
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    if (OnChange) OnChange(this);
  }

  int charset_ = DEFAULT_CHARSET_VALUE;
  TColor color_ = clWindowText;
  int height_ = -11;
  std::string name_ = "MS Sans Serif";
  TFontPitch pitch_ = fpDefault;
  TFontStyles style_;
};

const TEnumInfo& FontStyleInfo();
const TEnumInfo& FontPitchInfo();
