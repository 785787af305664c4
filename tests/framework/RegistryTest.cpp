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

TEST_F(RegistryAccessor, PathsStartAtTheRootOrAtTheOpenKey) {
  const std::string base = kBase, abs = std::string("\\") + kBase;
  TRegistry reg;
  struct Step {
    std::string key;
    bool create, opens;
    std::string path;  // CurrentPath afterwards
  } steps[] = {
      {base + "\\A\\", true, true, base + "\\A"},  // a trailing backslash is dropped
      {"B", true, true, base + "\\A\\B"},          // relative to the open key
      {"", false, true, base + "\\A\\B"},          // the open key itself
      {"Missing", false, false, base + "\\A\\B"},  // a failed open keeps the key open
      {abs + "\\A", false, true, base + "\\A"},     // absolute while a key is open
      {"\\", false, true, ""},                     // the root
      {base + "\\A", false, true, base + "\\A"},   // relative to the root, open
  };
  for (const Step& s : steps) {
    EXPECT_EQ(reg.OpenKey(s.key, s.create), s.opens) << s.key;
    EXPECT_EQ(reg.CurrentPath(), s.path) << s.key;
  }
  ASSERT_TRUE(reg.OpenKey(abs + "\\A", false));
  EXPECT_TRUE(reg.KeyExists("B"));
  EXPECT_FALSE(reg.KeyExists(abs + "\\B"));
  EXPECT_TRUE(reg.DeleteKey("B"));
  EXPECT_FALSE(reg.KeyExists(abs + "\\A\\B"));
  // Another root closes the open key; paths then start there.
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_EQ(reg.CurrentPath(), "");
  EXPECT_FALSE(reg.KeyExists(base + "\\A"));
  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_TRUE(reg.KeyExists(base + "\\A"));
}

TEST_F(RegistryAccessor, AKeyOpenedForReadingRefusesWrites) {
  TRegistry setup;
  ASSERT_TRUE(setup.OpenKey(kBase, true));
  setup.WriteString("Kept", "érték");
  setup.CloseKey();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kBase));
  EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));  // for the next key
  EXPECT_EQ(reg.ReadString("Kept"), "érték");
  EXPECT_THROW(reg.WriteString("Kept", "x"), ERegistryException);
  EXPECT_FALSE(reg.DeleteValue("Kept"));
  EXPECT_EQ(reg.ReadString("Kept"), "érték");
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

TEST_F(RegistryAccessor, PathsKeepEveryCharacterAndFailuresTellTheirCode) {
  const std::wstring path = L"C:\\Programme\\Süß – Ñ ø 中";
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(kBase, true));
  EXPECT_EQ(reg.LastError(), ERROR_SUCCESS);
  reg.WriteWideString("Path", path);
  EXPECT_EQ(reg.ReadWideString("Path"), path);
  EXPECT_EQ(reg.ReadString("Path"), "C:\\Programme\\Süß – ? ? ?") << "shown texts are code page 1250";
  EXPECT_FALSE(reg.OpenKey(std::string("\\") + kBase + "\\Missing", false));
  EXPECT_EQ(reg.LastError(), ERROR_FILE_NOT_FOUND);

  TRegistry::SetOpenRefusal([](HKEY, const std::string& key, bool) -> long {
    return key.find("Refused") != std::string::npos ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
  });
  EXPECT_FALSE(reg.OpenKey(std::string("\\") + kBase + "\\Refused", true));
  EXPECT_EQ(reg.LastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(reg.OpenKey(std::string("\\") + kBase + "\\Allowed", true));
  TRegistry::SetOpenRefusal(nullptr);
  EXPECT_FALSE(reg.KeyExists(std::string("\\") + kBase + "\\Refused"));
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

