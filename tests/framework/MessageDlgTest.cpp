// The message dialog, driven as a person (or a screen reader) would: its
// window and child windows carry the texts, buttons are pressed by click or
// key, and the result is the button's.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/MessageDlg.h"
#include "framework/Timer.h"

namespace {

struct Seen {
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
  std::wstring iconClass;
};

// Finds the dialog from a timer tick inside its modal loop, notes what it
// shows and acts on it.
class TDialogDriver : public TObject {
public:
  explicit TDialogDriver(std::function<void(HWND)> act) : act_(std::move(act)) {
    timer_ = new TTimer(nullptr);
    timer_->SetInterval(50);
    timer_->SetOnTimer(TNotifyEvent::Of<&TDialogDriver::Tick>(this));
  }
  ~TDialogDriver() override { TComponent::Free(timer_); }

  Seen seen;

private:
  static BOOL CALLBACK Child(HWND w, LPARAM p) {
    auto* self = reinterpret_cast<TDialogDriver*>(p);
    wchar_t cls[64];
    GetClassNameW(w, cls, 64);
    std::wstring c = cls;
    if (_wcsicmp(cls, L"Button") == 0) self->seen.buttons.push_back(WindowTextW(w));
    else if (_wcsicmp(cls, L"Static") == 0 && (GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      self->seen.iconClass = c;
    else if (_wcsicmp(cls, L"Static") == 0) self->seen.text = WindowTextW(w);
    return TRUE;
  }
  // The dialog of this test's own thread (other programs may show theirs).
  static BOOL CALLBACK Own(HWND w, LPARAM p) {
    wchar_t cls[64];
    GetClassNameW(w, cls, 64);
    if (wcscmp(cls, L"TMessageForm") != 0) return TRUE;
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
  }
  void Tick(TObject*) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), Own, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !IsWindowVisible(dialog)) return;
    timer_->SetEnabled(false);
    seen.caption = WindowTextW(dialog);
    EnumChildWindows(dialog, Child, reinterpret_cast<LPARAM>(this));
    act_(dialog);
  }

  std::function<void(HWND)> act_;
  TTimer* timer_;
};

HWND ButtonOf(HWND dialog, const wchar_t* text) { return FindWindowExW(dialog, nullptr, L"Button", text); }

void Key(HWND dialog, WPARAM key) {
  HWND focus = GetFocus();
  PostMessageW(focus ? focus : dialog, WM_KEYDOWN, key, 0);
  PostMessageW(focus ? focus : dialog, WM_KEYUP, key, 0xC0000000);
}

const std::string kQuestion = "Első sor\n\rMásodik sor!\r\nHarmadik ő?";

TEST(MessageDlg, ShowsExactlyTheCaptionsItIsGiven) {
  TDialogDriver driver([](HWND d) { SendMessageW(ButtonOf(d, L"&No"), BM_CLICK, 0, 0); });
  EXPECT_EQ(MessageDlg(kQuestion, mtInformation, TMsgDlgButtons{mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(driver.seen.caption, L"Information");
  EXPECT_EQ(driver.seen.text, L"Első sor\n\rMásodik sor!\r\nHarmadik ő?");
  EXPECT_EQ(driver.seen.buttons, (std::vector<std::wstring>{L"&Yes", L"&No"}));
  EXPECT_FALSE(driver.seen.iconClass.empty());
}

// A message that names a path is given as UTF-16 and shown exactly, letters
// that code page 1250 lacks included.
TEST(MessageDlg, AWideMessageKeepsEveryLetterOfAPath) {
  const std::wstring text = L"Nem indítható el:\r\nC:\\Disk \u00f8 \u00d1 \u0414\u0438\u0441\u043a \u65e5\u672c\\Setup.exe";
  TDialogDriver driver([](HWND d) { SendMessageW(ButtonOf(d, L"OK"), BM_CLICK, 0, 0); });
  EXPECT_EQ(MessageDlg(text, mtError, TMsgDlgButtons{mbOK}, 0), mrOk);
  EXPECT_EQ(driver.seen.text, text);
  EXPECT_EQ(driver.seen.caption, L"Error");
}

TEST(MessageDlg, EveryWayOfAnsweringGivesItsResult) {
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    int result;
  };
  const Case cases[] = {
      {"click Yes", [](HWND d) { SendMessageW(ButtonOf(d, L"&Yes"), BM_CLICK, 0, 0); }, mrYes},
      {"Enter presses Yes", [](HWND d) { Key(d, VK_RETURN); }, mrYes},
      {"Esc presses No", [](HWND d) { Key(d, VK_ESCAPE); }, mrNo},
      {"closing the window", [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); }, mrCancel},
  };
  for (const auto& c : cases) {
    TDialogDriver driver(c.act);
    EXPECT_EQ(MessageDlg("Kérdés?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0), c.result) << c.name;
    EXPECT_EQ(driver.seen.caption, L"Confirm") << c.name;
  }
}

TEST(MessageDlg, OtherWindowsAreDisabledWhileItIsOpen) {
  HWND app = Application->Handle();
  bool enabledDuring = true;
  TDialogDriver driver([&](HWND d) {
    enabledDuring = IsWindowEnabled(app) != FALSE;
    SendMessageW(ButtonOf(d, L"OK"), BM_CLICK, 0, 0);
  });
  ShowWindow(app, SW_SHOWNOACTIVATE);
  EXPECT_EQ(MessageDlg("x", mtWarning, TMsgDlgButtons{mbOK}, 0), mrOk);
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(app));
  EXPECT_EQ(driver.seen.caption, L"Warning");
  ShowWindow(app, SW_HIDE);
}

}  // namespace
