// The settings store: lookups as the system's profile files do them, writes
// saved at once and atomically, and the text outside keys kept.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/FileIO.h"
#include "framework/IniFile.h"

namespace {

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
  const std::string name = ::testing::TempDir() + "korvex-ini-test-é.ini";
  std::remove(name.c_str());
  {
    TIniFile ini(name);
    ini.WriteString("Forms", "1", "100100010002000300040050003000060");
  }
  TIniFile again(name);
  EXPECT_EQ(again.ReadString("Forms", "1", ""), "100100010002000300040050003000060");

  TIniFile broken(::testing::TempDir() + "no-such-folder/x/settings.ini");
  EXPECT_THROW(broken.WriteString("S", "k", "v"), EIniFileException);
  EXPECT_FALSE(broken.ValueExists("S", "k"));
  std::remove(name.c_str());
}

}  // namespace
