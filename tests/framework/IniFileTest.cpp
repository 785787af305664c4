// The settings store: lookups as the system's profile files do them, writes
// saved at once and atomically, and the text outside keys kept.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "framework/IniFile.h"

namespace {

// A folder for a store's file, named with letters that code page 1250 cannot
// hold (Cyrillic, Greek, CJK) beside one it can.
class TOddFolder {
public:
  TOddFolder() {
    for (char c : ::testing::TempDir()) path_ += static_cast<wchar_t>(static_cast<unsigned char>(c));
    path_ += L"korvex-ini-\u0416\u03A9\u4E2D-\u00E9/";
#ifdef _WIN32
    _wmkdir(path_.c_str());
#else
    mkdir(Utf8Path().c_str(), 0700);
#endif
  }
  ~TOddFolder() {
#ifdef _WIN32
    _wremove((path_ + kFile).c_str());
    _wrmdir(path_.c_str());
#else
    std::remove((Utf8Path() + "settings.ini").c_str());
    rmdir(Utf8Path().c_str());
#endif
  }
  std::wstring File() const { return path_ + kFile; }
  // Whether the file is there, asked of the system by its own name.
  bool HoldsFile() const {
#ifdef _WIN32
    std::FILE* f = _wfopen(File().c_str(), L"rb");
#else
    std::FILE* f = std::fopen((Utf8Path() + "settings.ini").c_str(), "rb");
#endif
    if (f) std::fclose(f);
    return f != nullptr;
  }

private:
  static constexpr const wchar_t* kFile = L"settings.ini";
#ifndef _WIN32
  static std::string Utf8Path() { return ::testing::TempDir() + "korvex-ini-\xD0\x96\xCE\xA9\xE4\xB8\xAD-\xC3\xA9/"; }
#endif
  std::wstring path_;
};

TEST(IniFile, ReadsLikeProfileFiles) {
  TIniFile ini;
  ini.SetText(
      "; settings\r\n"
      "[Forms]\r\n"
      " 5 = 1004A0062019A01D60400030000060 \r\n"
      "Quoted=\"  spaced  \"\r\n"
      "5=second occurrence is ignored\r\n"
      "[MainForm]\n"
      "ScrollButtonSize=17\n"
      "Hex=$1F\n"
      "Neg=-3\n"
      "Bad=12x\n"
      "Big=99999999999\n"
      "[forms]\n"
      "Other=1\n");
  EXPECT_EQ(ini.ReadString("forms", "5", "d"), "1004A0062019A01D60400030000060");
  EXPECT_EQ(ini.ReadString("Forms", "Quoted", ""), "  spaced  ");
  EXPECT_EQ(ini.ReadString("Forms", "Other", "none"), "none");  // only the first [Forms] counts
  EXPECT_EQ(ini.ReadString("Nope", "5", "d"), "d");
  EXPECT_EQ(ini.ReadInteger("MainForm", "ScrollButtonSize", 0), 17);
  EXPECT_EQ(ini.ReadInteger("MainForm", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("MainForm", "Neg", 0), -3);
  EXPECT_EQ(ini.ReadInteger("MainForm", "Bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger("MainForm", "Big", 7), 7);
  EXPECT_EQ(ini.ReadInteger("MainForm", "Missing", 9), 9);
  EXPECT_TRUE(ini.ValueExists("FORMS", "quoted"));
  EXPECT_FALSE(ini.ValueExists("Forms", "6"));
  EXPECT_TRUE(ini.SectionExists("mainform"));
  EXPECT_EQ(ini.ReadSection("Forms"), (std::vector<std::string>{"5", "Quoted"}));
  EXPECT_EQ(ini.DefaultRecord().size(), 29u);
}

TEST(IniFile, WritesKeepTheRestOfTheText) {
  TIniFile ini;
  ini.SetText("; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ini.WriteString("A", "z", "3");
  ini.WriteString("a", "X", "one");
  ini.WriteInteger("C", "n", -5);
  EXPECT_EQ(ini.Text(), "; keep me\r\n[A]\r\nX=one\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n[C]\r\nn=-5\r\n");
  ini.DeleteKey("A", "x");
  ini.EraseSection("B");
  EXPECT_EQ(ini.Text(), "; keep me\r\n[A]\r\nz=3\r\n\r\n[C]\r\nn=-5\r\n");
  EXPECT_THROW(ini.WriteString("A", "k", "two\r\nlines"), EIniFileException);
  EXPECT_THROW(ini.WriteString("A", "k=v", "x"), EIniFileException);
}

TEST(IniFile, EveryWriteIsOnDiskAndAFailedWriteChangesNothing) {
  TOddFolder folder;
  const std::wstring name = folder.File();
  {
    TIniFile ini(name);
    ini.WriteString("Forms", "1", "100100010002000300040050003000060");
  }
  EXPECT_TRUE(folder.HoldsFile());
  TIniFile again(name);
  EXPECT_EQ(again.ReadString("Forms", "1", ""), "100100010002000300040050003000060");

  TIniFile broken(name + L".d/no-such-folder/settings.ini");
  EXPECT_THROW(broken.WriteString("S", "k", "v"), EIniFileException);
  EXPECT_FALSE(broken.ValueExists("S", "k"));
}

}  // namespace
