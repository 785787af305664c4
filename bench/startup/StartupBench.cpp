// Start-up benchmark: starts each program given on the command line several
// times, alternating, and measures the time from process creation to the
// first painted frame (the window's background colour on the screen at a
// point of its client area) and the process's peak working set. Prints one
// line per program: median and spread of both, and their ratios to the
// first program given (the baseline): the ratio of the medians, and the
// median of the ratios of the starts made one after the other in the same
// round, which a machine whose speed drifts during the run (a shared virtual
// machine) disturbs less.
//
//   StartupBench.exe RUNS baseline.exe other.exe ...

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms = 0;
  double peakMiB = 0;
};

struct Find {
  DWORD pid;
  HWND window;
};

BOOL CALLBACK FindWindowOf(HWND w, LPARAM p) {
  auto* f = reinterpret_cast<Find*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  RECT r;
  if (pid == f->pid && IsWindowVisible(w) && GetClientRect(w, &r) && r.right >= 604 && r.bottom >= 337) {
    f->window = w;
    return FALSE;
  }
  return TRUE;
}

bool Painted(HWND window) {
  POINT p{330, 40};  // free background in both windows
  if (!ClientToScreen(window, &p)) return false;
  HDC dc = GetDC(nullptr);
  COLORREF c = GetPixel(dc, p.x, p.y);
  ReleaseDC(nullptr, dc);
  return c == RGB(164, 193, 185);
}

bool RunOnce(const std::wstring& program, Sample& s) {
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
  std::wstring cmd = L"\"" + program + L"\"";
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  if (!CreateProcessW(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return false;
  bool ok = false;
  for (int i = 0; i < 30000; ++i) {
    Find f{pi.dwProcessId, nullptr};
    EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&f));
    if (f.window && Painted(f.window)) {
      QueryPerformanceCounter(&t1);
      ok = true;
      break;
    }
    Sleep(1);
  }
  if (ok) {
    s.ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
    Sleep(300);  // let the program settle before reading its peak
    PROCESS_MEMORY_COUNTERS pmc{sizeof pmc};
    GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof pmc);
    s.peakMiB = static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  Sleep(200);
  return ok;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: StartupBench RUNS baseline.exe other.exe ...\n");
    return 2;
  }
  int runs = _wtoi(argv[1]);
  std::vector<std::wstring> programs(argv + 2, argv + argc);
  std::vector<std::vector<Sample>> samples(programs.size());
  for (int r = 0; r < runs; ++r) {
    for (size_t i = 0; i < programs.size(); ++i) {
      Sample s;
      if (!RunOnce(programs[i], s)) {
        std::fwprintf(stderr, L"%ls: no painted window\n", programs[i].c_str());
        return 1;
      }
      samples[i].push_back(s);
    }
  }
  double baseMs = 0, baseMiB = 0;
  std::printf("%-16s %10s %10s %10s %10s %8s %8s %8s\n", "program", "ms median", "ms min", "ms max", "peak MiB",
              "time x", "paired x", "memory x");
  for (size_t i = 0; i < programs.size(); ++i) {
    std::vector<double> ms, mib;
    for (const auto& s : samples[i]) {
      ms.push_back(s.ms);
      mib.push_back(s.peakMiB);
    }
    double m = Median(ms), p = Median(mib);
    if (i == 0) {
      baseMs = m;
      baseMiB = p;
    }
    std::vector<double> paired;
    for (size_t r = 0; r < samples[i].size(); ++r) paired.push_back(samples[i][r].ms / samples[0][r].ms);
    std::wstring name = programs[i].substr(programs[i].find_last_of(L"\\/") + 1);
    std::printf("%-16ls %10.1f %10.1f %10.1f %10.2f %8.2f %8.2f %8.2f\n", name.c_str(), m,
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()), p, m / baseMs,
                Median(paired), p / baseMiB);
  }
  return 0;
}
