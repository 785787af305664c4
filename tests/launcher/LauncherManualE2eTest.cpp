// The electronic manual, end to end: with a PDF reader's key it opens at
// once; without one the launcher asks whether to install the reader from the
// medium: "&No" hands the document to the shell all the same, "&Yes" runs the
// reader's installer and opens the document about a second after the
// reader's key appears.
#include <gtest/gtest.h>

#include "E2eSupport.h"
#include "TestTime.h"
#include "common/DemoLog.h"
#include "common/Paths.h"
#include "common/Registry.h"

namespace e2e {
namespace {

constexpr int IdYes = 6, IdNo = 7;
const std::wstring ReaderKey = L"SOFTWARE\\Adobe\\Acrobat Reader";

class Manual : public ::testing::Test {
 protected:
  void SetUp() override { ResetSystem(); }
  void TearDown() override { ResetSystem(); }

  std::wstring ManualPath() const { return medium.File(L"Kezikonyv\\kezikonyv70.pdf"); }
  size_t Opened() const { return CountOf(ReadLog(medium.LogPath()), L"pdfview.exe", L"open"); }

  // Clicks the manual entry and returns the reader question (null if none).
  HWND ClickAndWaitForQuestion(const Launcher& launcher) {
    launcher.Click(ManualEntry);
    HWND question = launcher.WaitVisible(L"TMessageForm", 5000);
    if (!question) return nullptr;
    EXPECT_EQ(TextOf(question), L"Confirm");
    EXPECT_EQ(ChildText(question, L"Static"), AcrobatQuestion);
    EXPECT_EQ(TextOf(ChildWithId(question, IdYes)), L"&Yes");
    EXPECT_EQ(TextOf(ChildWithId(question, IdNo)), L"&No");
    return question;
  }

  Medium medium;
};

TEST_F(Manual, WithAReaderKeyItOpensAtOnce) {
  for (const wchar_t* key : {L"SOFTWARE\\Adobe\\Acrobat Reader", L"SOFTWARE\\Adobe\\Acrobat"}) {
    SCOPED_TRACE(demo::ToUtf8(key));
    ResetSystem();
    RegisterViewer(medium);
    demo::CreateKey(HKEY_LOCAL_MACHINE, key);
    const size_t before = Opened();
    Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
    ASSERT_TRUE(launcher.WaitShown());

    launcher.Click(ManualEntry);
    bool asked = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
          asked = asked || launcher.FindVisible(L"TMessageForm") != nullptr;
          return Opened() > before;
        },
        5000));
    EXPECT_FALSE(asked) << "no question with a reader present";
    EXPECT_EQ(Details(ReadLog(medium.LogPath()), L"pdfview.exe", L"open").back(), ManualPath());
  }
}

TEST_F(Manual, ADoubleClickOpensItOnce) {
  RegisterViewer(medium);
  demo::CreateKey(HKEY_LOCAL_MACHINE, ReaderKey);
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  launcher.DoubleClick(ManualEntry);
  ASSERT_TRUE(WaitUntil([&] { return Opened() > 0; }, 5000));
  Sleep(ScaledMs(2000));  // room for a second viewer to show up
  EXPECT_EQ(Opened(), 1u);
}

TEST_F(Manual, SpaceOpensItOnceAlsoWhenHeldDown) {
  RegisterViewer(medium);
  demo::CreateKey(HKEY_LOCAL_MACHINE, ReaderKey);
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  ASSERT_TRUE(launcher.WaitFocused());
  ASSERT_TRUE(Type("key Down Down"));
  ASSERT_TRUE(WaitUntil([&] { return RedEntries(launcher.Window()) == "manual"; }, 3000));
  // Held long enough for the system to repeat the key.
  ASSERT_TRUE(Type("keydown space sleep 1.5 keyup space"));
  ASSERT_TRUE(WaitUntil([&] { return Opened() > 0; }, 5000));
  Sleep(ScaledMs(1500));  // room for a second viewer to show up
  EXPECT_EQ(Opened(), 1u);
}

TEST_F(Manual, DecliningTheReaderStillHandsTheDocumentToTheShell) {
  RegisterViewer(medium);
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  HWND question = ClickAndWaitForQuestion(launcher);
  ASSERT_NE(question, nullptr);

  Press(question, IdNo);
  ASSERT_TRUE(WaitUntil([&] { return Opened() == 1; }, 5000));
  const auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(Details(log, L"pdfview.exe", L"open"), std::vector<std::wstring>{ManualPath()});
  EXPECT_EQ(CountOf(log, L"ar505eng.exe", L"start"), 0u);
  EXPECT_TRUE(launcher.Visible());
}

TEST_F(Manual, AcceptingTheReaderOpensTheDocumentASecondAfterItsKeyAppears) {
  // The installer stays open well after its key is there.
  medium.ReaderSettings({{L"KeyDelayMs", L"700"}, {L"StayOpenMs", std::to_wstring(ScaledMs(5000))}});
  Launcher launcher(medium.File(L"Start.exe"), medium.WorkFolder());
  ASSERT_TRUE(launcher.WaitShown());
  HWND question = ClickAndWaitForQuestion(launcher);
  ASSERT_NE(question, nullptr);

  Press(question, IdYes);
  ULONGLONG keyAppeared = 0, documentOpened = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (!keyAppeared && demo::KeyExists(HKEY_LOCAL_MACHINE, ReaderKey)) keyAppeared = GetTickCount64();
        if (Opened() > 0) documentOpened = GetTickCount64();
        return documentOpened != 0;
      },
      15000));
  ASSERT_NE(keyAppeared, 0u);
  // Timer2 looks every 500 ms, then the launcher waits a second.
  EXPECT_GE(documentOpened - keyAppeared, 900u);
  EXPECT_LE(documentOpened - keyAppeared, static_cast<ULONGLONG>(ScaledMs(5000)));
  auto log = ReadLog(medium.LogPath());
  EXPECT_EQ(CountOf(log, L"ar505eng.exe", L"end"), 0u) << "the document opens while the installer still runs";
  EXPECT_EQ(Details(log, L"pdfview.exe", L"open"), std::vector<std::wstring>{ManualPath()});

  // Once the reader is found the launcher stops looking: one document only.
  ASSERT_TRUE(WaitUntil([&] { return CountOf(ReadLog(medium.LogPath()), L"ar505eng.exe", L"end") == 1; }, 10000));
  Pause(1500);
  EXPECT_EQ(Opened(), 1u);
  EXPECT_EQ(launcher.FindVisible(L"TMessageForm"), nullptr);
}

}  // namespace
}  // namespace e2e
