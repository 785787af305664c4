// The application's message hooks on messages taken by its loops: order,
// swallowing, and hooks that change the hook list while a message goes round.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"

namespace {

constexpr UINT kProbe = WM_APP + 7;
std::vector<std::string> seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) seen.push_back("window " + std::to_string(wParam));
  return DefWindowProcW(window, message, wParam, lParam);
}

class THook : public TObject {
public:
  THook(std::string name, bool swallow) : name_(std::move(name)), swallow_(swallow) {}
  void Hook(MSG& msg, bool& handled) {
    if (msg.message != kProbe) return;
    seen.push_back(name_ + " " + std::to_string(msg.wParam));
    if (victim) Application->RemoveMessageHook(victim);
    handled = swallow_;
  }
  TMessageEvent Event() { return TMessageEvent::Of<&THook::Hook>(this); }
  TMessageEvent victim;

private:
  std::string name_;
  bool swallow_;
};

class MessageHooks : public ::testing::Test {
protected:
  void SetUp() override {
    seen.clear();
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KorvexHookProbe";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"KorvexHookProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    for (THook* h : {&older, &newer}) Application->RemoveMessageHook(h->Event());
    DestroyWindow(window);
  }
  std::vector<std::string> Send(int id) {
    seen.clear();
    PostMessageW(window, kProbe, static_cast<WPARAM>(id), 0);
    Application->ProcessMessages();
    return seen;
  }

  HWND window = nullptr;
  THook older{"older", false};
  THook newer{"newer", false};
};

using TLines = std::vector<std::string>;

TEST_F(MessageHooks, RunNewestFirstAndAHandledMessageGoesNoFurther) {
  Application->AddMessageHook(older.Event());
  Application->AddMessageHook(newer.Event());
  Application->AddMessageHook(older.Event());  // already there: still called once
  EXPECT_EQ(Send(1), (TLines{"newer 1", "older 1", "window 1"}));

  THook swallower("swallower", true);
  Application->AddMessageHook(swallower.Event());
  EXPECT_EQ(Send(2), (TLines{"swallower 2"}));
  Application->RemoveMessageHook(swallower.Event());
  EXPECT_FALSE(Application->HasMessageHook(swallower.Event()));
  EXPECT_EQ(Send(3), (TLines{"newer 3", "older 3", "window 3"}));
}

TEST_F(MessageHooks, AHookRemovedWhileTheMessageGoesRoundIsNotCalled) {
  Application->AddMessageHook(older.Event());
  Application->AddMessageHook(newer.Event());
  newer.victim = older.Event();
  EXPECT_EQ(Send(1), (TLines{"newer 1", "window 1"}));
  EXPECT_FALSE(Application->HasMessageHook(older.Event()));

  // A hook may also take itself out.
  newer.victim = newer.Event();
  EXPECT_EQ(Send(2), (TLines{"newer 2", "window 2"}));
  EXPECT_EQ(Send(3), (TLines{"window 3"}));
}

TEST_F(MessageHooks, WaitingForAMessageRunsTheHooksToo) {
  Application->AddMessageHook(newer.Event());
  seen.clear();
  PostMessageW(window, kProbe, 4, 0);
  for (int i = 0; i < 100 && seen.size() < 2; ++i) Application->HandleMessage();
  EXPECT_EQ(seen, (TLines{"newer 4", "window 4"}));
}

// A modal loop of the system (Wine's menu loop) can take the quit message
// that closing the main form posted and drop it: the application's loop ends
// all the same after the message that ran it.
TEST(ApplicationLoop, EndsWhenASystemLoopDroppedTheQuitMessage) {
  TApplication app(nullptr);
  app.Terminate();
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // dropped
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
  app.HandleMessage();
  EXPECT_TRUE(app.Terminated());
}

}  // namespace
