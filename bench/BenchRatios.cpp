#include "BenchRatios.h"

namespace {

enum TMetric { mItems, mBytes, mTime, mAbsoluteNs };

struct TFigure {
  const char* title;
  const char* subject;
  const char* baseline;  // nullptr: an absolute figure
  TMetric metric;
  double goal;  // ratio at least (items, bytes), at most (time, ns)
};

const TFigure Figures[] = {
    {"in-memory ReadRec, sequential", "Mem/ReadRecSeq", "Vector/ReadSeq", mItems, 0.9},
    {"in-memory ReadRec, random", "Mem/ReadRecRand", "Vector/ReadRand", mItems, 0.75},
    {"in-memory AppendRec, reserved", "Mem/AppendRec", "Vector/PushBackReserved", mItems, 0.8},
    {"in-memory ReadRecs, runs of 1024", "Mem/ReadRecsRun", "Memcpy/RunOut", mBytes, 0.8},
    {"in-memory WriteRecs, runs of 1024", "Mem/WriteRecsRun", "Memcpy/RunIn", mBytes, 0.8},
    {"in-memory CopyFrom, runs of 1024", "Mem/CopyFromRun", "Memcpy/RunCopy", mBytes, 0.8},
    {"paged ReadRec, sequential", "Paged/ReadRecSeq", "Raw/ReadSeq", mBytes, 0.5},
    {"paged ReadRecs, runs of one page", "Paged/ReadRecsRun", "Raw/ReadSeq", mBytes, 0.8},
    {"paged AppendRec, sequential", "Paged/AppendRecSeq", "Raw/WriteSeq", mBytes, 0.5},
    {"paged page miss (time)", "Paged/MissRandom", "Raw/ReadRandomPage", mTime, 1.2},
    {"paged page hit (ns)", "Paged/HitCached", nullptr, mAbsoluteNs, 10.0},
};

double Value(const TBenchResult& r, TMetric m) {
  switch (m) {
    case mItems: return r.ItemsPerSecond;
    case mBytes: return r.BytesPerSecond;
    default: return r.NsPerIteration;
  }
}

std::string Show(const TBenchResult& r, TMetric m) {
  char buf[64];
  switch (m) {
    case mItems: std::snprintf(buf, sizeof buf, "%.1f M rec/s", r.ItemsPerSecond / 1e6); break;
    case mBytes: std::snprintf(buf, sizeof buf, "%.2f GB/s", r.BytesPerSecond / 1e9); break;
    default: std::snprintf(buf, sizeof buf, "%.1f ns", r.NsPerIteration); break;
  }
  return buf;
}

// The same figure on processor time instead of the wall clock: a rate per
// processor second. Descheduling on a shared machine stretches the wall
// clock of whichever case it hits; it does not stretch processor time.
double CpuValue(const TBenchResult& r, TMetric m) {
  if (r.CpuNsPerIteration <= 0) return 0;
  if (m == mTime || m == mAbsoluteNs) return r.CpuNsPerIteration;
  return Value(r, m) * r.NsPerIteration / r.CpuNsPerIteration;
}

}  // namespace

int PrintRatioTable(const TBenchResults& Results, std::FILE* Out) {
  int missed = 0;
  std::fprintf(Out, "\n| figure | subject | baseline | ratio | goal | met | ratio on cpu time |\n"
                    "|---|---|---|---|---|---|---|\n");
  for (const TFigure& f : Figures) {
    auto s = Results.find(f.subject);
    if (s == Results.end()) continue;
    if (!f.baseline) {
      const double v = s->second.NsPerIteration, cpu = CpuValue(s->second, f.metric);
      const bool met = v <= f.goal;
      missed += !met;
      char cpuText[32] = "-";
      if (cpu > 0) std::snprintf(cpuText, sizeof cpuText, "%.1f ns", cpu);
      std::fprintf(Out, "| %s | %s | - | %.1f ns | <= %.0f ns | %s | %s |\n", f.title, Show(s->second, f.metric).c_str(),
                   v, f.goal, met ? "yes" : "NO", cpuText);
      continue;
    }
    auto b = Results.find(f.baseline);
    if (b == Results.end() || Value(b->second, f.metric) <= 0) continue;
    const double ratio = Value(s->second, f.metric) / Value(b->second, f.metric);
    const bool met = f.metric == mTime ? ratio <= f.goal : ratio >= f.goal;
    missed += !met;
    char cpuText[32] = "-";
    const double cs = CpuValue(s->second, f.metric), cb = CpuValue(b->second, f.metric);
    if (cs > 0 && cb > 0) std::snprintf(cpuText, sizeof cpuText, "%.2fx", cs / cb);
    std::fprintf(Out, "| %s | %s | %s | %.2fx | %s %.2fx | %s | %s |\n", f.title, Show(s->second, f.metric).c_str(),
                 Show(b->second, f.metric).c_str(), ratio, f.metric == mTime ? "<=" : ">=", f.goal, met ? "yes" : "NO",
                 cpuText);
  }
  return missed;
}
