#pragma once
// Support for the window tests of the typed input controls: a form with two
// controls of one class (so the focus can leave the first), an event log the
// controls' events write to, and keyboard input sent as messages.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "WindowTest.h"
#include "controls/LocaleSeparators.h"
#include "controls/SajatCom.h"
#include "framework/Application.h"
#include "framework/Cp1250.h"
#include "framework/CustomForm.h"
#include "framework/Timer.h"

// Records events as "OnChange", "OnOtherKey 13", "OnKeyPress 5" ...
class TEventLog : public TObject {
public:
  std::vector<std::string> lines;
  bool throwOnUpdate = false;
  bool throwOnChange = false;

  void Change(TObject*) {
    lines.push_back("OnChange");
    if (throwOnChange) throw Exception("change failed");
  }
  void Update(TObject*) {
    lines.push_back("OnUpdate");
    if (throwOnUpdate) throw Exception("update failed");
  }
  void Overflow(TObject*) { lines.push_back("OnOverflow"); }
  void Underflow(TObject*) { lines.push_back("OnUnderflow"); }
  void Empty(TObject*) { lines.push_back("OnEmpty"); }
  void Exit(TObject*) { lines.push_back("OnExit"); }
  void DblClick(TObject*) { lines.push_back("OnDblClick"); }
  void OtherKey(TObject*, char key) { lines.push_back("OnOtherKey " + Code(key)); }
  void KeyPress(TObject*, char& key) { lines.push_back("OnKeyPress " + Code(key)); }
  void KeyDown(TObject*, uint16_t& key, TShiftState) { lines.push_back("OnKeyDown " + std::to_string(key)); }

  // Wires every event a control of class C has to this log.
  template <class C>
  void Attach(C* c) {
    c->OnChange = TNotifyEvent::Of<&TEventLog::Change>(this);
    c->OnUpdate = TNotifyEvent::Of<&TEventLog::Update>(this);
    c->OnOverflow = TNotifyEvent::Of<&TEventLog::Overflow>(this);
    c->OnUnderflow = TNotifyEvent::Of<&TEventLog::Underflow>(this);
    c->OnEmpty = TNotifyEvent::Of<&TEventLog::Empty>(this);
    c->OnExit = TNotifyEvent::Of<&TEventLog::Exit>(this);
    c->OnDblClick = TNotifyEvent::Of<&TEventLog::DblClick>(this);
    c->OnKeyPress = TKeyPressEvent::Of<&TEventLog::KeyPress>(this);
    c->OnKeyDown = TKeyEvent::Of<&TEventLog::KeyDown>(this);
    if constexpr (requires { c->OnOtherKey; }) c->OnOtherKey = TOtherKeyEvent::Of<&TEventLog::OtherKey>(this);
  }

  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(lines);
    return out;
  }

private:
  static std::string Code(char key) {
    unsigned char u = static_cast<unsigned char>(key);
    return u < 32 ? std::to_string(u) : std::string(1, key);
  }
};

using TLines = std::vector<std::string>;

// An English-style number text with the user locale's decimal separator.
inline std::string Dec(const std::string& english) {
  std::string out = english;
  for (char& c : out)
    if (c == '.') c = UserLocaleSeparators().Decimal;
  return out;
}

// Sends each code page 1250 character as the system would (WM_CHAR carries
// Unicode).
inline void TypeChars(HWND window, const std::string& text) {
  for (char c : text) SendMessageW(window, WM_CHAR, cp1250::ToUnicode(static_cast<unsigned char>(c)), 1);
}

// A shown form with two controls of class C, the first focused; the log
// sees the first one's events only.
template <class C>
class ValueControlWindow : public ::testing::Test {
protected:
  void SetUp() override {
    SajatComUnitStart();
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(80, 80, 320, 160);
    control = Add(10);
    other = Add(50);
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    SetForegroundWindow(form->Handle());
    control->SetFocus();
    Pump(20);
    log.Attach(control);
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }
  C* Add(int top) {
    auto* c = new C(form);
    c->SetParent(form);
    c->SetBounds(10, top, 150, 21);
    return c;
  }
  // Replaces the text as the user would (Modified set, no value stored).
  void UserText(const std::string& text) {
    control->SelectAll();
    control->SetSelText(text);
  }
  void Type(const std::string& text) { TypeChars(control->Handle(), text); }
  void Leave() {
    other->SetFocus();
    Pump(10);
  }

  TForm* form = nullptr;
  C* control = nullptr;
  C* other = nullptr;
  TEventLog log;
};
