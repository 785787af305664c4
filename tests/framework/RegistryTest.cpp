// The registry accessor against the real (Wine) registry: paths, creation,
// texts in code page 1250, values that are missing or of another type.

#include <gtest/gtest.h>

#include "framework/Registry.h"

namespace {

const char kBase[] = "Software\\KorvexFrameworkTest";

class RegistryAccessor : public ::testing::Test {
protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvexFrameworkTest"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvexFrameworkTest"); }
};

TEST_F(RegistryAccessor, OpensWithOrWithoutCreating) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(std::string(kBase) + "\\Sub", false));
  EXPECT_FALSE(reg.KeyExists(std::string(kBase) + "\\Sub"));
  ASSERT_TRUE(reg.OpenKey(std::string(kBase) + "\\Sub", true));
  EXPECT_TRUE(reg.KeyExists(std::string("\\") + kBase + "\\Sub"));
  // Relative to the open key; a leading backslash starts at the root again.
  ASSERT_TRUE(reg.OpenKey("Deeper", true));
  EXPECT_EQ(reg.CurrentPath(), std::string(kBase) + "\\Sub\\Deeper");
  ASSERT_TRUE(reg.OpenKey(std::string("\\") + kBase, false));
  EXPECT_EQ(reg.CurrentPath(), kBase);
}

TEST_F(RegistryAccessor, TextsKeepTheirHungarianLetters) {
  TRegistry reg;
  reg.SetLazyWrite(false);
  ASSERT_TRUE(reg.OpenKey(kBase, true));
  reg.WriteString("Path", "C:\\Program Files\\Lavonsys\\Korvex 7 – ő");
  reg.WriteString("", "alapérték");
  reg.CloseKey();

  HKEY raw;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\KorvexFrameworkTest", 0, KEY_READ, &raw), ERROR_SUCCESS);
  wchar_t buf[128];
  DWORD size = sizeof buf;
  ASSERT_EQ(RegQueryValueExW(raw, L"Path", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
  RegCloseKey(raw);
  EXPECT_STREQ(buf, L"C:\\Program Files\\Lavonsys\\Korvex 7 – ő");

  ASSERT_TRUE(reg.OpenKeyReadOnly(kBase));
  EXPECT_EQ(reg.ReadString("Path"), "C:\\Program Files\\Lavonsys\\Korvex 7 – ő");
  EXPECT_EQ(reg.ReadString(""), "alapérték");
  EXPECT_EQ(reg.ReadString("Missing"), "");
}

TEST_F(RegistryAccessor, ValuesAreDeletedAndTypesChecked) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kBase, true));
  reg.WriteInteger("Count", 7);
  reg.WriteString("Text", "x");
  EXPECT_EQ(reg.ReadInteger("Count"), 7);
  EXPECT_THROW(reg.ReadString("Count"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger("Text"), ERegistryException);
  EXPECT_TRUE(reg.DeleteValue("Text"));
  EXPECT_FALSE(reg.ValueExists("Text"));
  EXPECT_FALSE(reg.DeleteValue("Text"));
  reg.CloseKey();
  EXPECT_THROW(reg.WriteString("Text", "x"), ERegistryException);
}

}  // namespace
