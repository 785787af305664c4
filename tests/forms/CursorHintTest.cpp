// The cursor hint window in a real parent: its lines and breaks with real
// fonts, its size after a move, its frame, edge and colours, that it takes
// neither the activation nor the pointer, and that closing frees it.

#include <gtest/gtest.h>

#include <string>

#include "WindowTest.h"
#include "forms/frchint.h"
#include "framework/Application.h"
#include "framework/Canvas.h"

namespace {

struct TDestroyWatch : TObject {
  bool destroyed = false;
  void Destroyed(TObject*) { destroyed = true; }
};

class CursorHint : public ::testing::Test {
protected:
  void SetUp() override {
    host = TCustomForm::Create<TForm>(Application);
    host->SetBounds(100, 100, 640, 480);
    host->Show();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(host->Handle()) != FALSE; }));
    hint = TCustomForm::Create<TfrmCursorHint>(nullptr);
    hint->SetVisible(false);
    hint->SetParent(host);
    hint->OnDestroy = TNotifyEvent::Of<&TDestroyWatch::Destroyed>(&watch);
  }
  void TearDown() override {
    if (!watch.destroyed) TComponent::Free(hint);
    TComponent::Free(host);
    TakeApplicationErrors();
  }
  // The hint takes its size from the text at its next move.
  void MoveTo(int x, int y) { hint->SetBounds(x, y, hint->Width(), hint->Height()); }
  int LineWidth(const std::string& line) {
    HDC dc = GetDC(nullptr);
    int w;
    {
      TCanvas canvas(dc);
      canvas.Font().Assign(hint->lbHint->GetFont());
      w = canvas.TextWidth(line);
    }
    ReleaseDC(nullptr, dc);
    return w;
  }

  TForm* host = nullptr;
  TfrmCursorHint* hint = nullptr;
  TDestroyWatch watch;
};

TEST_F(CursorHint, BarsGiveLinesAndTheWindowFitsTheTextAtItsNextMove) {
  hint->SetHintText("x|sigma_max = 235 N/mm2|y");
  EXPECT_EQ(hint->HintLineCount(), 3);
  EXPECT_EQ(hint->lbHint->Caption(), "x\r\nsigma_max = 235 N/mm2\r\ny");
  EXPECT_EQ(hint->HintText(), "x|sigma_max = 235 N/mm2|y");
  EXPECT_NEAR(hint->lbHint->Width(), LineWidth("sigma_max = 235 N/mm2"), 1);
  int oneLine = LineWidth("x") > 0 ? hint->lbHint->Height() / 3 : 0;
  EXPECT_GT(oneLine, 8);

  MoveTo(20, 30);
  EXPECT_EQ(hint->Left(), 20);
  EXPECT_EQ(hint->Width(), hint->lbHint->Width() + 10);
  EXPECT_EQ(hint->Height(), hint->lbHint->Height() + 4);
  EXPECT_EQ(hint->lbHint->Left(), 5);
  EXPECT_EQ(hint->lbHint->Top(), 2);

  hint->SetHintText("");  // shrinks to the margins at the next move
  EXPECT_EQ(hint->lbHint->Caption(), "");
  EXPECT_EQ(hint->HintLineCount(), 1);
  MoveTo(20, 30);
  EXPECT_EQ(hint->Width(), hint->lbHint->Width() + 10);
  EXPECT_LT(hint->Width(), 20);
  EXPECT_EQ(hint->Height(), oneLine + 4);
}

std::string LongFormula() {
  std::string formula = "M(x) = ";
  for (int i = 1; i <= 40; ++i) formula += "q" + std::to_string(i) + "*(x-a" + std::to_string(i) + ")^2/2 + ";
  return formula + "F*[x-b]";
}

TEST_F(CursorHint, ALongFormulaIsBrokenWithinThreeQuartersOfTheScreen) {
  const int limit = MulDiv(GetSystemMetrics(SM_CXSCREEN), 3, 4);
  const std::string formula = LongFormula();
  ASSERT_GT(LineWidth(formula), limit);
  hint->SetHintText(formula);
  const std::string caption = hint->lbHint->Caption();
  std::string joined;
  int lines = 0;
  for (size_t from = 0;;) {
    size_t end = caption.find("\r\n", from);
    std::string line = caption.substr(from, end == std::string::npos ? std::string::npos : end - from);
    ++lines;
    EXPECT_LE(LineWidth(line), limit) << line;
    // Every line but the last ends where a formula breaks well.
    if (end != std::string::npos) {
      char last = line.back(), next = caption[end + 2];
      EXPECT_TRUE(last == ')' || last == ']' || next == ' ' || next == '+' || next == '(' || next == '[')
          << line;
    }
    joined += line;
    if (end == std::string::npos) break;
    from = end + 2;
  }
  EXPECT_GE(lines, 2);
  EXPECT_EQ(hint->HintLineCount(), lines);
  EXPECT_EQ(joined, formula);  // nothing lost or added at the breaks
}

TEST_F(CursorHint, ATextGivenBeforeTheFirstShowIsBrokenWithTheFontItIsShownIn) {
  hint->SetHintText(LongFormula());
  const std::string before = hint->lbHint->Caption();
  hint->Show();
  hint->SetHintText(LongFormula());
  EXPECT_EQ(hint->lbHint->Caption(), before);
}

TEST_F(CursorHint, IsABorderlessChildWithARaisedEdgeThatLeavesFocusAndPointerAlone) {
  SetForegroundWindow(host->Handle());
  SetCursorPos(5, 5);
  hint->SetHintText("Fy = 12,5 kN|Mx = 40,25 kNm");
  MoveTo(40, 50);
  hint->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(hint->Handle()) != FALSE; }));
  UpdateWindow(hint->Handle());
  Pump(100);

  LONG_PTR style = GetWindowLongPtrW(hint->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & (WS_CAPTION | WS_DLGFRAME | WS_THICKFRAME | WS_BORDER));
  EXPECT_EQ(GetParent(hint->Handle()), host->Handle());
  RECT client;
  GetClientRect(hint->Handle(), &client);
  EXPECT_EQ(client.right, hint->Width());
  EXPECT_FALSE(hint->Header->Visible());

  auto pixel = [&](int x, int y) {
    POINT p = ClientToScreenPoint(hint->Handle(), x, y);
    return ScreenPixel(p.x, p.y);
  };
  EXPECT_EQ(pixel(0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(pixel(client.right - 1, client.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(pixel(2, client.bottom - 2), GetSysColor(COLOR_INFOBK));
  // Resized while shown: painted whole again, edge included.
  hint->SetHintText("Fy = 1");
  MoveTo(40, 50);
  Pump(100);
  GetClientRect(hint->Handle(), &client);
  EXPECT_EQ(pixel(client.right - 1, client.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(pixel(client.right / 2, client.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(pixel(client.right - 1, client.bottom / 2), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(hint->lbHint->GetFont().Charset(), 238);
  EXPECT_EQ(hint->lbHint->GetFont().Name(), "Arial");

  POINT pointer;
  GetCursorPos(&pointer);
  EXPECT_EQ(pointer.x, 5);
  EXPECT_EQ(pointer.y, 5);
  EXPECT_EQ(GetActiveWindow(), host->Handle());
}

TEST_F(CursorHint, ClosingFreesTheWindow) {
  hint->Show();
  PostMessageW(hint->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return watch.destroyed; }));
}

}  // namespace
