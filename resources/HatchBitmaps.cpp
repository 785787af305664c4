// Build tool (compiled for the build machine): writes the twelve hatch
// bitmaps from their rule (controls/HatchRule.h) as 32 x 32 one-bit Windows
// bitmaps, black lines on white, and a resource script naming them.
//
//   hatch-bitmaps <folder> [--top-down] [--only N]
//
// Bottom-up rows (the usual order) unless --top-down; --only N writes just
// the first N patterns (test resources).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/HatchRule.h"

namespace {

void Put16(std::vector<uint8_t>& b, unsigned v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

std::vector<uint8_t> Bitmap(int index, bool topDown) {
  const THatchPattern p = HatchRulePattern(index);
  const uint32_t headers = 14 + 40 + 2 * 4;
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, headers + HatchRecordSize);
  Put32(b, 0);
  Put32(b, headers);
  Put32(b, 40);
  Put32(b, HatchPatternSide);
  Put32(b, topDown ? static_cast<uint32_t>(-HatchPatternSide) : HatchPatternSide);
  Put16(b, 1);  // planes
  Put16(b, 1);  // bits per pixel
  Put32(b, 0);  // BI_RGB
  Put32(b, HatchRecordSize);
  Put32(b, 2835);  // 72 dpi
  Put32(b, 2835);
  Put32(b, 2);
  Put32(b, 2);
  Put32(b, 0x000000);  // index 0: black (line)
  Put32(b, 0xFFFFFF);  // index 1: white
  for (int i = 0; i < HatchPatternSide; ++i) {
    int y = topDown ? i : HatchPatternSide - 1 - i;
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(~p[4 * y + k]));
  }
  return b;
}

bool Write(const std::string& path, const void* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <folder> [--top-down] [--only N]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool topDown = false;
  int count = HatchPatternCount;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--top-down") == 0) topDown = true;
    else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) count = std::atoi(argv[++i]);
  }
  std::string rc = "// Written by resources/HatchBitmaps.cpp.\n";
  for (int i = 0; i < count; ++i) {
    const std::string name = HatchPatternNames[i];
    const std::vector<uint8_t> bmp = Bitmap(i, topDown);
    if (!Write(folder + "/" + name + ".bmp", bmp.data(), bmp.size())) {
      std::perror(name.c_str());
      return 1;
    }
    rc += name + " BITMAP \"" + name + ".bmp\"\n";
  }
  if (!Write(folder + "/hatch.rc", rc.data(), rc.size())) {
    std::perror("hatch.rc");
    return 1;
  }
  return 0;
}
