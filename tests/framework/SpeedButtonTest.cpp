// The speed button on a panel: clicks by real mouse messages, the pushed
// look while held, and where and how its glyph is drawn (transparent colour,
// centring, the embossed look when disabled), read from the screen.

#include <gtest/gtest.h>

#include <windowsx.h>

#include "WindowTest.h"
#include "framework/Application.h"
#include "framework/CustomForm.h"
#include "framework/GdiCache.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"

namespace {

class SpeedButtonWindow : public ::testing::Test {
protected:
  void SetUp() override {
    form = TCustomForm::Create<TForm>(Application);
    form->SetBounds(60, 60, 200, 120);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 120, 60);
    button = new TSpeedButton(panel);
    button->SetParent(panel);
    button->SetBounds(10, 10, 17, 16);
    button->SetLayout(blGlyphTop);
    button->SetGlyphName("TESTGLYPH");  // the 9 x 9 arrow: rows 5, 3, 1 wide from its row 3, white around
    button->OnClick = TNotifyEvent::Of<&SpeedButtonWindow::Clicked>(this);
    form->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    Settle();
  }
  void TearDown() override {
    TComponent::Free(form);
    TakeApplicationErrors();
  }
public:  // event handlers
  void Clicked(TObject*) { ++clicks; }

protected:
  void Mouse(UINT message, int x, int y) {
    PostMessageW(panel->Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
    Settle();
  }
  void Settle() {
    Application->ProcessMessages();
    UpdateWindow(panel->Handle());
    Pump(20);
  }
  // A pixel of the button, in its own coordinates.
  COLORREF At(int x, int y) {
    POINT p = ClientToScreenPoint(panel->Handle(), 10 + x, 10 + y);
    return ScreenPixel(p.x, p.y);
  }

  TForm* form = nullptr;
  TPanel* panel = nullptr;
  TSpeedButton* button = nullptr;
  int clicks = 0;
};

TEST_F(SpeedButtonWindow, APressAndReleaseOverTheButtonIsOneClick) {
  Mouse(WM_LBUTTONDOWN, 15, 15);
  EXPECT_TRUE(button->Pushed());
  EXPECT_EQ(clicks, 0);
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_FALSE(button->Pushed());
  EXPECT_EQ(clicks, 1);

  // Moving off while held releases the look; releasing there is no click.
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_MOUSEMOVE, 80, 40);
  EXPECT_FALSE(button->Pushed());
  Mouse(WM_LBUTTONUP, 80, 40);
  EXPECT_EQ(clicks, 1);

  button->SetEnabled(false);
  Mouse(WM_LBUTTONDOWN, 15, 15);
  Mouse(WM_LBUTTONUP, 15, 15);
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonWindow, TheGlyphIsCentredWithItsWhiteLeftOut) {
  const COLORREF black = RGB(0, 0, 0), face = gdi::ColorToRGB(clBtnFace);
  // Centred: (17 - 9 + 1) / 2 = 4 across, (16 - 9 + 1) / 2 = 4 down.
  EXPECT_EQ(At(4 + 2, 4 + 3), black);
  EXPECT_EQ(At(4 + 6, 4 + 3), black);
  EXPECT_EQ(At(4 + 4, 4 + 5), black);
  EXPECT_EQ(At(4 + 1, 4 + 3), face);  // the glyph's white is not drawn
  EXPECT_EQ(At(4 + 4, 4 + 1), face);

  Mouse(WM_LBUTTONDOWN, 15, 15);  // pushed: one pixel right and down
  EXPECT_EQ(At(4 + 7, 4 + 4), black);
  EXPECT_EQ(At(4 + 2, 4 + 3), face);
  Mouse(WM_LBUTTONUP, 80, 40);

  button->SetEnabled(false);
  Settle();
  EXPECT_EQ(At(4 + 4, 4 + 4), gdi::ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(4 + 7, 4 + 4), gdi::ColorToRGB(clBtnHighlight));  // the light copy, one pixel off
}

}  // namespace
