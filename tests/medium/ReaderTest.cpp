// The stand-in reader installer under Wine: the viewer is registered for .pdf
// before the reader key appears, and then opens a medium document through
// the shell.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "MediumTest.h"
#include "common/Paths.h"
#include "common/Registry.h"
#include "reader/Reader.h"

namespace {

using namespace medium_test;
namespace reader = demo::reader;

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousPdf_ = demo::ReadText(HKEY_CLASSES_ROOT, L".pdf", L"");
    demo::DeleteKeyTree(HKEY_LOCAL_MACHINE, reader::kReaderKey);
  }
  void TearDown() override {
    demo::DeleteKeyTree(HKEY_LOCAL_MACHINE, reader::kReaderKey);
    demo::DeleteKeyTree(HKEY_CLASSES_ROOT, reader::kProgId);
    if (previousPdf_) {
      demo::WriteText(HKEY_CLASSES_ROOT, L".pdf", L"", *previousPdf_);
    } else {
      demo::DeleteValue(HKEY_CLASSES_ROOT, L".pdf", L"");
    }
  }

  void RunInstaller(const std::vector<std::pair<std::wstring, std::wstring>>& extra) {
    std::vector<std::pair<std::wstring, std::wstring>> settings{
        {L"TargetDir", viewerFolder_}, {L"StartDelayMs", L"0"}, {L"KeyDelayMs", L"100"}, {L"StayOpenMs", L"0"}};
    settings.insert(settings.end(), extra.begin(), extra.end());
    WriteSettings(temp_ / L"ar505eng.ini", L"Reader", settings);
    Process installer(L"\"" + MediumFile(L"AcrobatReader50\\ar505eng.exe") + L"\"");
    ASSERT_TRUE(installer.Started());
    const bool ended = WaitUntil(
        [&] {
          const bool running = installer.Running();
          if (!keySeen_ && demo::KeyExists(HKEY_LOCAL_MACHINE, reader::kReaderKey)) {
            keySeen_ = true;
            pdfAtKey_ = demo::ReadText(HKEY_CLASSES_ROOT, L".pdf", L"").value_or(L"");
            viewerAtKey_ = FileExists(viewer_);
          }
          return !running;
        },
        30000);
    ASSERT_TRUE(ended);
    EXPECT_EQ(installer.ExitCode(), 0u);
  }

  std::optional<std::wstring> previousPdf_;
  TempFolder temp_;
  const std::wstring viewerFolder_ = temp_ / L"Program Files\\PDF Viewer";
  const std::wstring viewer_ = viewerFolder_ + L"\\pdfview.exe";
  ScopedEnvironment log_{L"KORVEX_DEMO_LOG", temp_ / L"demo.log"};
  ScopedEnvironment ini_{L"KORVEX_READER_INI", temp_ / L"ar505eng.ini"};
  bool keySeen_ = false;
  std::wstring pdfAtKey_;
  bool viewerAtKey_ = false;
};

TEST_F(ReaderTest, RegistersTheViewerBeforeTheReaderKeyAndOpensDocuments) {
  RunInstaller({});
  ASSERT_TRUE(keySeen_);
  EXPECT_EQ(pdfAtKey_, reader::kProgId);
  EXPECT_TRUE(viewerAtKey_);
  EXPECT_EQ(demo::ReadText(HKEY_CLASSES_ROOT, std::wstring(reader::kProgId) + L"\\shell\\open\\command", L""),
            L"\"" + viewer_ + L"\" \"%1\"");

  // As the launcher opens the manual: the default verb through the shell.
  const std::wstring document = MediumFile(L"Kezikonyv\\kezikonyv70.pdf");
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpFile = document.c_str();
  info.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExW(&info));
  ASSERT_NE(info.hProcess, nullptr);
  const DWORD viewerId = GetProcessId(info.hProcess);
  HWND window = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (window = FindWindowOf(viewerId, L"KorvexDemoPdfViewer")) != nullptr; }, 15000));
  if (window) {
    EXPECT_EQ(WindowTitle(window), L"kezikonyv70.pdf");
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  EXPECT_EQ(WaitForSingleObject(info.hProcess, ScaledMs(10000UL)), WAIT_OBJECT_0);
  if (WaitForSingleObject(info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 99);
  CloseHandle(info.hProcess);
  EXPECT_EQ(DetailsOf(ReadLog(temp_ / L"demo.log"), L"pdfview.exe", L"open"), document);
}

TEST_F(ReaderTest, CanBeToldNeverToCreateTheReaderKey) {
  RunInstaller({{L"CreateKey", L"0"}});
  EXPECT_FALSE(keySeen_);
  EXPECT_FALSE(demo::KeyExists(HKEY_LOCAL_MACHINE, reader::kReaderKey));
  const auto events = EventsOf(ReadLog(temp_ / L"demo.log"), L"ar505eng.exe");
  EXPECT_NE(std::find(events.begin(), events.end(), L"reader-key-skipped"), events.end());
}

}  // namespace
