#include "framework/Font.h"

#include "framework/ClassBuilder.h"

const TEnumInfo& FontStyleInfo() {
  static const TEnumInfo info("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return info;
}

const TEnumInfo& FontPitchInfo() {
  static const TEnumInfo info("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
  return info;
}

const TClassInfo& TFont::StaticClassInfo() {
  static const TClassInfo info =
      TClassBuilder<TFont>("TFont", &TPersistent::StaticClassInfo())
          // No defaults but the pitch: a font is recorded whole, since a
          // control's own font starts as a copy of its parent's, not as a
          // new font.
          .Int("Charset", &TFont::Charset, &TFont::SetCharset)
          .Color("Color", &TFont::Color, &TFont::SetColor)
          .Int("Height", &TFont::Height, &TFont::SetHeight)
          .Str("Name", &TFont::Name, &TFont::SetName)
          .Enum<TFontPitch>("Pitch", FontPitchInfo(), &TFont::Pitch, &TFont::SetPitch, fpDefault)
          .SetOf<TFontStyle>("Style", FontStyleInfo(), &TFont::Style, &TFont::SetStyle)
          .Build();
  return info;
}

void TFont::Assign(const TFont& source) {
  if (SameAs(source)) return;
  charset_ = source.charset_;
  color_ = source.color_;
  height_ = source.height_;
  name_ = source.name_;
  pitch_ = source.pitch_;
  style_ = source.style_;
  if (OnChange) OnChange(this);
}

bool TFont::SameAs(const TFont& other) const {
  return charset_ == other.charset_ && color_ == other.color_ && height_ == other.height_ &&
         name_ == other.name_ && pitch_ == other.pitch_ && style_ == other.style_;
}
