// The launcher started from the installation CD: the image extracted and
// given to Wine as a CD-ROM drive (tests/launcher/cdrom-e2e.sh, which names
// the drive in KORVEX_CDROM), Start.exe run from the drive's root with the
// root as its current folder. The window appears, and its manual entry opens
// the manual from the CD in the PDF viewer the shell knows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "E2eSupport.h"
#include "common/DemoLog.h"
#include "common/Paths.h"
#include "common/Registry.h"

namespace e2e {
namespace {

class Cdrom : public ::testing::Test {
 protected:
  void SetUp() override {
    const wchar_t* drive = _wgetenv(L"KORVEX_CDROM");
    ASSERT_NE(drive, nullptr) << "run by cdrom-e2e.sh";
    root = std::wstring(drive) + L"\\";
    log = demo::JoinPath(demo::TempFolder(), L"korvex-cdrom-demo.log");
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"KORVEX_DEMO_LOG", log.c_str());
    ResetSystem();
  }
  void TearDown() override {
    ResetSystem();
    DeleteFileW(log.c_str());
  }

  std::wstring root, log;
};

TEST_F(Cdrom, TheLauncherRunsFromTheDriveAndOpensTheManual) {
  ASSERT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_CDROM));
  for (const wchar_t* file : {L"Start.exe", L"autorun.inf", L"Kezikonyv\\kezikonyv70.pdf"})
    EXPECT_NE(GetFileAttributesW((root + file).c_str()), INVALID_FILE_ATTRIBUTES) << demo::ToUtf8(file);

  // The shell opens PDF documents with the viewer on the CD; a reader is
  // installed, so the launcher asks nothing.
  WriteRegistryText(HKEY_CLASSES_ROOT, L"Lavonsys.DemoPdfViewer\\shell\\open\\command", L"",
                    L"\"" + root + L"AcrobatReader50\\Viewer\\pdfview.exe\" \"%1\"");
  WriteRegistryText(HKEY_CLASSES_ROOT, L".pdf", L"", L"Lavonsys.DemoPdfViewer");
  demo::CreateKey(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Adobe\\Acrobat Reader");

  Launcher launcher(root + L"Start.exe", root);
  ASSERT_TRUE(launcher.WaitShown());
  EXPECT_EQ(TextOf(launcher.Window()), L"Korvex 7 telepítő CD");

  launcher.Click(ManualEntry);
  ASSERT_TRUE(WaitUntil([&] { return CountOf(ReadLog(log), L"pdfview.exe", L"open") > 0; }, 10000));
  EXPECT_EQ(Details(ReadLog(log), L"pdfview.exe", L"open").front(), root + L"Kezikonyv\\kezikonyv70.pdf");
  EXPECT_TRUE(launcher.Visible());
}

}  // namespace
}  // namespace e2e
