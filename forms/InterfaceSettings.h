#pragma once
// The library's shared interface settings: what a host program tells the
// library's forms about itself. Only a host program sets them; this program
// never does, so its forms keep no positions and use the defaults below.

#include <cstdint>
#include <string>

#include "framework/Colors.h"
#include "framework/Font.h"

class TIniFile;

// The interface language whose texts need the Central European character
// set: forms switch their controls to it when shown (TfrmDefault).
constexpr uint8_t kCentralEuropeanLanguage = 6;

// The font the library's forms take at creation (ApplyDefaultFont).
struct TInterfaceFont {
  uint8_t Charset = EASTEUROPE_CHARSET_VALUE;
  TColor Color = clWindowText;
  int32_t Height = -11;           // character height 11 pixels
  std::string Name = "Arial";     // only the first 60 characters are used
  TFontPitch Pitch = fpDefault;
  TFontStyles Style;
};

struct TInterfaceSettings {
  // The host's settings store: window positions (section "Forms") and the
  // floating forms' scroll button size (section "MainForm"). Not owned; null
  // when the host has none.
  TIniFile* Store = nullptr;
  uint8_t LanguageCode = 1;
  TInterfaceFont Font;
};

extern TInterfaceSettings InterfaceSettings;
