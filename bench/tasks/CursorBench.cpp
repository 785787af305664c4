// Cursor benchmark (run under Wine by tools/bench-cursor.sh; not a test).
//
// A 1920 x 1080 demo view in buffered mode with the crosshair task cursor
// shown; each "move" is one mouse move handed to the task (TrackMouse, the
// world position, the cursor's save - draw - flush repaint). The baseline
// is a bare BitBlt from the view's back buffer to the window of the same
// rectangle the cursor repaints (the union of the old and the new crosshair
// square), i.e. only restoring the cursor-sized areas. Both run over the
// same path of moves, interleaved (the order alternating), and the figures
// are medians over the repetitions: of the times, and of the ratio of each
// cursor batch to the baseline batch next to it, which the machine's load
// touches alike. After every move, in both, the thread looks for its next
// message as it would between two real mouse moves, which puts what was
// drawn on the display; each batch ends by reading a pixel of the window
// back. The cursor keeps its hint pause running
// as in the demo. The view's swap file of coordinate states holds 10 or 100,000
// states: the cost must not depend on it.
//
//   CursorBench [REPETITIONS] [MOVES]     (defaults 41, 500)

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/Application.h"
#include "framework/CustomForm.h"
#include "swap/Swapfile.h"
#include "tasks/TaskCallScope.h"
#include "tasks/TaskManager.h"
#include "tasks/TasksUnit.h"
#include "tools/taskdemo/CrossCursor.h"
#include "tools/taskdemo/DemoTasks.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

class THost : public TDemoHost {
public:
  THost(TDemoView* view, TComponent* form) : view_(view), form_(form) {}
  void PointPicked(const TWorldPoint&) override {}
  void DistanceMeasured(const TWorldPoint&, const TWorldPoint&, double) override {}
  TWorldPoint LastPoint() const override { return {}; }
  TDemoView* View() const override { return view_; }
  TComponent* Form() const override { return form_; }

private:
  TDemoView* view_;
  TComponent* form_;
};

double Now() {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER v;
    QueryPerformanceFrequency(&v);
    return v;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// What the thread does between two mouse moves: it looks for the next
// message and, finding none, lets the system put what was drawn on the
// display (Wine draws windows into surfaces of the process and copies them to
// the X server when the thread goes idle).
void ShowOnDisplay() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct TFigures {
  double cursor, baseline;  // medians of the batch times
  double ratio;             // median of the ratios of neighbouring batches
};

TFigures Run(int states, int repetitions, int moves) {
  TForm* form = TCustomForm::Create<TForm>(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, kWidth, kHeight);
  auto* view = new TDemoView(form, kWidth, kHeight, states);
  view->SetParent(form);
  view->SetBounds(0, 0, kWidth, kHeight);
  form->Show();
  SetForegroundWindow(form->Handle());
  view->SetFocus();
  Application->ProcessMessages();
  THost host(view, form);
  auto* task = new TPickPointTask(&host);
  TaskManager->Start(task);
  TTaskCursor* cursor = task->FCursor;
  SetCursorPos(kWidth / 2, kHeight / 2);
  task->ShowInView();
  if (!cursor->FVisible) {
    std::fprintf(stderr, "the cursor could not be shown\n");
    std::exit(1);
  }

  // A path of moves that each land on a new snapped position (5 pixels).
  std::vector<POINT> path;
  int x = 200, y = 200, dx = 5, dy = 5;
  for (int i = 0; i < moves; ++i) {
    x += dx;
    y += dy;
    if (x < 100 || x > kWidth - 100) dx = -dx;
    if (y < 100 || y > kHeight - 100) dy = -dy;
    path.push_back({x, y});
  }
  // The rectangles the cursor repaints along the path.
  std::vector<RECT> rects;
  const int a = TCrossCursor::kArm;
  POINT prev{cursor->FX, cursor->FY};
  for (POINT p : path) {
    rects.push_back({std::min(prev.x, p.x) - a, std::min(prev.y, p.y) - a, std::max(prev.x, p.x) + a + 1,
                     std::max(prev.y, p.y) + a + 1});
    prev = p;
  }
  HDC window = reinterpret_cast<HDC>(view->ScreenSurface());
  HDC back = reinterpret_cast<HDC>(view->BackBufferSurface());

  std::vector<double> cursorTimes, baseTimes;
  for (int r = 0; r < repetitions; ++r) {
    for (int order = 0; order < 2; ++order) {
      if ((order == 0) == (r % 2 == 0)) {
        double t0 = Now();
        for (POINT p : path) {
          {
            TTaskCallScope scope;
            task->MouseMove(view, {}, p.x, p.y);
          }
          ShowOnDisplay();
        }
        GdiFlush();
        GetPixel(window, 0, 0);  // waits until the display has drawn everything
        cursorTimes.push_back(Now() - t0);
      } else {
        double t0 = Now();
        for (const RECT& q : rects) {
          GdiFlush();
          BitBlt(window, q.left, q.top, q.right - q.left, q.bottom - q.top, back, q.left, q.top, SRCCOPY);
          ShowOnDisplay();
        }
        GdiFlush();
        GetPixel(window, 0, 0);
        baseTimes.push_back(Now() - t0);
      }
    }
    // Back to the start of the path for the next repetition.
    TTaskCallScope scope;
    task->MouseMove(view, {}, 200, 200);
    Application->ProcessMessages();
  }
  TaskManager->EndTasks(0);
  TComponent::Free(form);
  Application->ProcessMessages();
  std::vector<double> ratios;
  for (size_t i = 0; i < cursorTimes.size() && i < baseTimes.size(); ++i)
    ratios.push_back(cursorTimes[i] / baseTimes[i]);
  return {Median(cursorTimes), Median(baseTimes), Median(ratios)};
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 41;
  const int moves = argc > 2 ? std::atoi(argv[2]) : 500;
  StartFramework();
  SwapfileUnitStart();
  TasksUnitStart();
  Application->Initialize();
  std::printf("| coordinate states | moves per second | cursor, us per move | bare BitBlt, us per move | ratio |\n");
  std::printf("|---:|---:|---:|---:|---:|\n");
  int missed = 0;
  for (int states : {10, 100000}) {
    TFigures f = Run(states, repetitions, moves);
    const double perMove = f.cursor / moves, basePerMove = f.baseline / moves;
    const double ratio = f.ratio;
    std::printf("| %d | %.0f | %.1f | %.1f | %.2f |\n", states, 1.0 / perMove, perMove * 1e6, basePerMove * 1e6,
                ratio);
    if (1.0 / perMove < 240 || ratio > 1.5) ++missed;
  }
  std::printf("\nGoals: at least 240 moves per second, at most 1.5 times the bare BitBlt. %s\n",
              missed ? "MISSED" : "Met.");
  TasksUnitStop();
  SwapfileUnitStop();
  StopFramework();
  return missed ? 2 : 0;
}
