// The stand-in set-up and uninstaller, run under Wine into a private folder:
// the files, the uninstall entry and the "Path" value the launcher waits for,
// which must come last.
#include <gtest/gtest.h>

#include "MediumTest.h"
#include "common/Paths.h"
#include "common/Product.h"
#include "common/Registry.h"

namespace {

using namespace medium_test;
namespace product = demo::product;

struct SetupCase {
  const char* name;
  std::vector<std::pair<std::wstring, std::wstring>> settings;
  bool writesPath;
  std::vector<std::wstring> leftOut;  // payload files that must be missing
  // Expected "UninstallString"; {T} stands for the product folder; empty:
  // no uninstall entry at all.
  std::wstring uninstallString;
  DWORD exitCode;
};

std::wstring Expand(std::wstring text, const std::wstring& target) {
  const size_t at = text.find(L"{T}");
  if (at != std::wstring::npos) text.replace(at, 3, target);
  return text;
}

class SetupTest : public ::testing::TestWithParam<SetupCase> {
 protected:
  void SetUp() override { ClearRegistry(); }
  void TearDown() override { ClearRegistry(); }
  static void ClearRegistry() {
    demo::DeleteValue(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue);
    demo::DeleteKeyTree(HKEY_LOCAL_MACHINE, product::kUninstallKey);
  }

  TempFolder temp_;
  // A blank in the folder, as under Program Files.
  const std::wstring target_ = temp_ / L"Program Files\\Lavonsys\\Korvex 7";
  ScopedEnvironment log_{L"KORVEX_DEMO_LOG", temp_ / L"demo.log"};
  ScopedEnvironment ini_{L"KORVEX_SETUP_INI", temp_ / L"Setup.ini"};
};

TEST_P(SetupTest, InstallsAndWritesPathLast) {
  const SetupCase& c = GetParam();
  std::vector<std::pair<std::wstring, std::wstring>> settings{
      {L"TargetDir", target_}, {L"StepDelayMs", L"0"}, {L"PathDelayMs", L"0"}, {L"StayOpenMs", L"0"}};
  settings.insert(settings.end(), c.settings.begin(), c.settings.end());
  WriteSettings(temp_ / L"Setup.ini", L"Setup", settings);
  // A file from an earlier set-up must not survive being left out.
  demo::CreateFolders(target_);
  for (const std::wstring& file : c.leftOut) {
    HANDLE h = CreateFileW(demo::JoinPath(target_, file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    CloseHandle(h);
  }

  const std::wstring commandLine = L"\"" + MediumFile(L"Setup\\Setup.exe") + L"\"";
  Process setup(commandLine);
  ASSERT_TRUE(setup.Started());

  // Poll the way the launcher does; at the moment "Path" appears everything
  // else must already be in place.
  bool pathSeen = false;
  std::vector<std::wstring> missingAtPath;
  bool keyAtPath = false;
  const bool ended = WaitUntil(
      [&] {
        const bool running = setup.Running();
        if (!pathSeen && demo::ReadText(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue)) {
          pathSeen = true;
          for (const wchar_t* file : product::kFiles) {
            if (!FileExists(demo::JoinPath(target_, file))) missingAtPath.push_back(file);
          }
          keyAtPath = demo::ReadText(HKEY_LOCAL_MACHINE, product::kUninstallKey, L"UninstallString").has_value();
        }
        return !running;
      },
      30000);
  ASSERT_TRUE(ended) << "Setup.exe did not end";
  EXPECT_EQ(setup.ExitCode(), c.exitCode);

  EXPECT_EQ(pathSeen, c.writesPath);
  if (c.writesPath) {
    EXPECT_EQ(missingAtPath, c.leftOut) << "files missing when Path appeared";
    EXPECT_EQ(keyAtPath, !c.uninstallString.empty()) << "uninstall entry when Path appeared";
    EXPECT_EQ(demo::ReadText(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue).value_or(L"<none>"),
              target_);
  }
  for (const wchar_t* file : product::kFiles) {
    const bool leftOut = std::find(c.leftOut.begin(), c.leftOut.end(), file) != c.leftOut.end();
    EXPECT_EQ(FileExists(demo::JoinPath(target_, file)), !leftOut) << file;
  }
  EXPECT_EQ(demo::ReadText(HKEY_LOCAL_MACHINE, product::kUninstallKey, L"UninstallString").value_or(L""),
            Expand(c.uninstallString, target_));

  const auto log = ReadLog(temp_ / L"demo.log");
  EXPECT_EQ(DetailsOf(log, L"Setup.exe", L"start"), commandLine);
  const auto events = EventsOf(log, L"Setup.exe");
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[events.size() - 3], c.writesPath ? L"path" : L"path-skipped");
  EXPECT_EQ(events[events.size() - 2], L"done");
  EXPECT_EQ(events.back(), L"end");
  EXPECT_EQ(DetailsOf(log, L"Setup.exe", L"end"), L"done");
}

const std::wstring kDefaultUninstall = L"\"{T}\\Uninstall\\Uninst.exe\" /Korvex7";

INSTANTIATE_TEST_SUITE_P(
    Settings, SetupTest,
    ::testing::Values(
        SetupCase{"Defaults", {}, true, {}, kDefaultUninstall, 0},
        SetupCase{"WithoutPath", {{L"WritePath", L"0"}}, false, {}, kDefaultUninstall, 0},
        SetupCase{"LeavesOutFiles",
                  {{L"OmitFile", L"Korvex7Hu.htm; Licenc_Korvex70Hu.Txt"}},
                  true,
                  {L"Korvex7Hu.htm", L"Licenc_Korvex70Hu.Txt"},
                  kDefaultUninstall,
                  0},
        SetupCase{"UnquotedUninstallCommand",
                  {{L"UninstallString", L"{TargetDir}\\Uninstall\\Uninst.exe /Korvex7"}},
                  true,
                  {},
                  L"{T}\\Uninstall\\Uninst.exe /Korvex7",
                  0},
        SetupCase{"NoUninstallEntry", {{L"WriteUninstallKey", L"0"}}, true, {}, L"", 0},
        SetupCase{"ExitCode", {{L"ExitCode", L"3"}}, true, {}, kDefaultUninstall, 3}),
    [](const auto& test) { return std::string(test.param.name); });

class UninstallTest : public SetupTest {};

TEST_F(UninstallTest, SilentUninstallRemovesWhatSetupWrote) {
  WriteSettings(temp_ / L"Setup.ini", L"Setup",
                {{L"TargetDir", target_}, {L"StepDelayMs", L"0"}, {L"PathDelayMs", L"0"}, {L"StayOpenMs", L"0"}});
  Process setup(L"\"" + MediumFile(L"Setup\\Setup.exe") + L"\"");
  ASSERT_TRUE(setup.WaitForEnd(30000));
  const auto command = demo::ReadText(HKEY_LOCAL_MACHINE, product::kUninstallKey, L"UninstallString");
  ASSERT_TRUE(command.has_value());

  Process uninstall(*command + L" /silent");
  ASSERT_TRUE(uninstall.WaitForEnd(30000));
  EXPECT_EQ(uninstall.ExitCode(), 0u);
  for (const wchar_t* file : {product::kProgram, product::kHelp, product::kLicence}) {
    EXPECT_FALSE(FileExists(demo::JoinPath(target_, file))) << file;
  }
  EXPECT_FALSE(demo::KeyExists(HKEY_LOCAL_MACHINE, product::kUninstallKey));
  EXPECT_FALSE(demo::ReadText(HKEY_CURRENT_USER, product::kSettingsKey, product::kPathValue).has_value());
  EXPECT_EQ(DetailsOf(ReadLog(temp_ / L"demo.log"), L"Uninst.exe", L"end"), L"done");
}

TEST_F(UninstallTest, LeavesAFolderSetupDidNotRecordAlone) {
  // The copy in the set-up's payload on the medium must never empty it.
  Process uninstall(L"\"" + MediumFile(L"Setup\\Korvex7\\Uninstall\\Uninst.exe") + L"\" /silent");
  ASSERT_TRUE(uninstall.WaitForEnd(30000));
  EXPECT_EQ(uninstall.ExitCode(), 2u);
  EXPECT_TRUE(FileExists(MediumFile(L"Setup\\Korvex7\\korvex.exe")));
  EXPECT_EQ(DetailsOf(ReadLog(temp_ / L"demo.log"), L"Uninst.exe", L"end"), L"failed");
}

}  // namespace
