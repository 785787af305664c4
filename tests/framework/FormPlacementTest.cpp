// Forms inside other controls, anchors, size vetoes, window states and the
// deferred freeing of forms, in real windows.

#include <gtest/gtest.h>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/CustomForm.h"
#include "framework/Panel.h"

namespace {

struct TSizeRule : TObject {
  void FixedWidth(TObject*, int& w, int&, bool&) { w = 200; }
  void Refuse(TObject*, int&, int&, bool& allow) { allow = false; }
  bool destroyed = false;
  void Destroyed(TObject*) { destroyed = true; }
};

class FormPlacement : public ::testing::Test {
protected:
  void SetUp() override {
    host = TCustomForm::Create<TForm>(Application);
    host->SetBounds(50, 50, 500, 400);
    host->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(host->Handle()) != FALSE; }));
  }
  void TearDown() override {
    TComponent::Free(child);
    TComponent::Free(host);
    TakeApplicationErrors();
  }
  TForm* host = nullptr;
  TForm* child = nullptr;
};

TEST_F(FormPlacement, AFormGivenAParentBecomesItsChildWithParentRelativeBounds) {
  child = TCustomForm::Create<TForm>(Application);
  child->SetBorderStyle(bsNone);
  child->HandleNeeded();  // made top-level first: the new parent makes it again
  child->SetParent(host);
  child->SetBounds(30, 40, 100, 60);
  child->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(child->Handle()) != FALSE; }));
  EXPECT_EQ(GetParent(child->Handle()), host->Handle());
  EXPECT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_CHILD);
  SetWindowPos(child->Handle(), nullptr, 35, 45, 100, 60, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(child->Left(), 35);
  EXPECT_EQ(child->Top(), 45);
  EXPECT_EQ(GetActiveWindow(), host->Handle());  // shown without taking the activation

  child->SetParent(nullptr);  // top-level again, still shown
  EXPECT_FALSE(GetWindowLongPtrW(child->Handle(), GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(IsWindowVisible(child->Handle()));
}

TEST_F(FormPlacement, ChildrenKeepTheirDistanceToTheirAnchoredEdges) {
  auto* right = new TPanel(host);
  right->SetParent(host);
  right->SetBounds(400, 10, 50, 20);
  right->SetAnchors(TAnchors{akRight, akBottom});
  auto* both = new TPanel(host);
  both->SetParent(host);
  both->SetBounds(10, 10, 100, 20);
  both->SetAnchors(TAnchors{akLeft, akTop, akRight});
  auto* plain = new TPanel(host);
  plain->SetParent(host);
  plain->SetBounds(10, 50, 30, 20);
  int w = host->ClientWidth(), h = host->ClientHeight();
  host->SetClientWidth(w + 60);
  host->SetClientHeight(h + 30);
  EXPECT_EQ(right->Left(), 460);
  EXPECT_EQ(right->Top(), 40);
  EXPECT_EQ(both->Width(), 160);
  EXPECT_EQ(both->Left(), 10);
  EXPECT_EQ(plain->Left(), 10);
  EXPECT_EQ(plain->Top(), 50);
}

TEST_F(FormPlacement, CanResizeDecidesEveryNewSize) {
  TSizeRule rule;
  host->OnCanResize = TCanResizeEvent::Of<&TSizeRule::FixedWidth>(&rule);
  host->SetBounds(60, 60, 300, 250);
  EXPECT_EQ(host->Width(), 200);
  EXPECT_EQ(host->Height(), 250);
  host->OnCanResize = TCanResizeEvent::Of<&TSizeRule::Refuse>(&rule);
  host->SetBounds(70, 70, 400, 300);
  EXPECT_EQ(host->Left(), 70);  // moved, but not resized
  EXPECT_EQ(host->Width(), 200);
  host->OnCanResize = TCanResizeEvent();
}

TEST_F(FormPlacement, AWindowStateSetWhileHiddenIsShownAndReadBack) {
  child = TCustomForm::Create<TForm>(Application);
  child->SetWindowState(wsMaximized);
  child->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(child->Handle()) != FALSE; }));
  EXPECT_TRUE(IsZoomed(child->Handle()));
  EXPECT_EQ(child->WindowState(), wsMaximized);
  child->SetWindowState(wsNormal);
  EXPECT_FALSE(IsZoomed(child->Handle()));
  child->Hide();
  EXPECT_EQ(child->WindowState(), wsNormal);
}

TEST(FormRelease, ReleasedFormsAreFreedLaterOwnedOrNotAndOnlyOnce) {
  TSizeRule watch, early;
  auto* unowned = TCustomForm::Create<TForm>(nullptr);
  unowned->OnDestroy = TNotifyEvent::Of<&TSizeRule::Destroyed>(&watch);
  Application->Release(unowned);
  Application->Release(unowned);  // twice: still freed once
  EXPECT_FALSE(watch.destroyed);
  auto* freedFirst = TCustomForm::Create<TForm>(Application);
  freedFirst->OnDestroy = TNotifyEvent::Of<&TSizeRule::Destroyed>(&early);
  Application->Release(freedFirst);
  TComponent::Free(freedFirst);  // before the release arrives
  EXPECT_TRUE(WaitUntil([&] { return watch.destroyed; }));
  Pump(50);
  EXPECT_TRUE(early.destroyed);
}

}  // namespace
