#include "swap/SwapDisk.h"

#include "framework/Cp1250.h"

namespace {
TSwapDisk* Current = nullptr;
}

TSwapDisk& SwapDisk() { return Current ? *Current : PlatformSwapDisk(); }

TSwapDisk* SetSwapDisk(TSwapDisk* Disk) {
  TSwapDisk* previous = Current ? Current : &PlatformSwapDisk();
  Current = Disk;
  return previous;
}

std::wstring WideName(std::string_view Cp1250Name) {
  std::wstring name;
  name.reserve(Cp1250Name.size());
  for (char c : Cp1250Name) name.push_back(static_cast<wchar_t>(cp1250::ToUnicode(static_cast<unsigned char>(c))));
  return name;
}

std::string NarrowName(std::wstring_view Name) {
  std::string text;
  text.reserve(Name.size());
  for (wchar_t c : Name) {
    const int b = cp1250::FromUnicode(static_cast<char32_t>(c));
    text.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return text;
}
