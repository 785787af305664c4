#include "controls/TexLayout.h"

#include <cmath>
#include <cstdlib>
#include <limits>

int TexCharKind(char c) {
  switch (c) {
    case '^': return 1;
    case '_': return 2;
    case '\\': return 3;
    case '~': return 4;
    default: return 0;
  }
}

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t p = static_cast<int64_t>(a) * b;
  int64_t q = p / c;
  const int64_t r = p % c;
  // Round half away from zero: compare twice the remainder with the divisor.
  if (std::llabs(r) * 2 >= std::llabs(static_cast<int64_t>(c))) q += ((p < 0) == (c < 0)) ? 1 : -1;
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

TTexSizes TexSizesFor(int mainHeight, int labelIndexSize) {
  TTexSizes s;
  if (std::abs(mainHeight) >= 14) {
    s.IndexSize = 70;
    s.SuperOffset = -35;
    s.SubOffset = 20;
  } else {
    s.IndexSize = labelIndexSize;
    s.SuperOffset = -33;
    s.SubOffset = 33;
  }
  s.IndexHeight = MulDivRound(mainHeight, s.IndexSize, 100);
  s.SymbolHeight = MulDivRound(mainHeight, 110, 100);
  return s;
}

TTexPoint TexPiecePosition(int cur, int v, int x, int baseY, double sinAngle, double cosAngle) {
  TTexPoint p;
  p.X = static_cast<int>(std::nearbyint(cur * cosAngle + x + v * sinAngle));
  p.Y = static_cast<int>(std::nearbyint(baseY - cur * sinAngle + v * cosAngle));
  return p;
}

namespace {

// One pass over the text; positions count from 0, unlike the markup's own
// description, and every read of the text checks the position first.
class TTexLayouter {
public:
  TTexLayouter(std::string_view text, const TTexMetrics& m, TTexMeasurer& measurer)
      : t_(text), m_(m), measurer_(measurer) {}

  TTexLayout Run() {
    const size_t len = t_.size();
    while (pos_ < len) {
      DrawRun();
      if (pos_ + 1 < len) {
        switch (TexCharKind(t_[pos_])) {
          case 1:
            cur_ += overhang_;
            if (t_[pos_ + 1] == '\\') {
              ++pos_;
              DrawIndexChar(TTexFont::Symbol, m_.SuperOffset);
            } else {
              DrawIndexChar(TTexFont::Index, m_.SuperOffset);
            }
            break;
          case 2:
            if (t_[pos_ + 1] == '\\') {
              ++pos_;
              DrawIndexChar(TTexFont::Symbol, m_.SubOffset);
            } else {
              DrawIndexChar(TTexFont::Index, m_.SubOffset);
            }
            break;
          case 3:
            DrawIndexChar(TTexFont::Symbol, 0);
            break;
          case 4:
            ++out_.Toggles;
            ++pos_;
            break;
          default:
            ++pos_;  // not reached: a run stops only at markup
            break;
        }
      } else {
        ++pos_;  // the last character is markup, or the text is done
      }
    }
    out_.Advance = cur_;
    return std::move(out_);
  }

private:
  void Add(std::string_view text, TTexFont font, int v) {
    out_.Pieces.push_back(TTexPiece{text, font, cur_, v, out_.Toggles});
  }

  void DrawRun() {
    const bool atStart = pos_ == 0;
    const size_t start = pos_;
    while (pos_ < t_.size() && TexCharKind(t_[pos_]) == 0) ++pos_;
    const std::string_view run = t_.substr(start, pos_ - start);
    if (run.empty()) return;
    if (m_.Italic && atStart) {
      if (auto abc = measurer_.ABC(TTexFont::Main, run.front()); abc && abc->A < 0) cur_ -= abc->A;
    }
    Add(run, TTexFont::Main, 0);
    const int width = measurer_.Width(TTexFont::Main, run);
    if (m_.Italic) {
      if (auto abc = measurer_.ABC(TTexFont::Main, run.back())) overhang_ = abc->C < 0 ? -abc->C : 0;
    }
    cur_ += width;
  }

  // pos_ is at the markup character (or the backslash after it).
  void DrawIndexChar(TTexFont font, int percent) {
    ++pos_;
    if (pos_ >= t_.size()) return;
    const int v = percent == 0 ? 0 : MulDivRound(m_.AbsHeight, percent, 100);
    const std::string_view ch = t_.substr(pos_, 1);
    const int w = measurer_.Width(font, ch);
    Add(ch, font, v);
    cur_ += w;
    if (m_.Italic && v == 0) {
      if (auto abc = measurer_.ABC(font, ch.front())) overhang_ = abc->C < 0 ? -abc->C : 0;
    }
    ++pos_;
    if (font != TTexFont::Index || pos_ >= t_.size()) return;
    switch (TexCharKind(t_[pos_])) {
      case 0:
      case 3:
        cur_ += 2;  // a gap between an index and what follows it
        break;
      case 1:
        if (v > 0) cur_ -= w;  // a superscript over the subscript
        break;
      default:
        break;
    }
  }

  std::string_view t_;
  const TTexMetrics& m_;
  TTexMeasurer& measurer_;
  TTexLayout out_;
  size_t pos_ = 0;
  int cur_ = 0;
  int overhang_ = 0;
};

}  // namespace

TTexLayout LayoutTex(std::string_view text, const TTexMetrics& metrics, TTexMeasurer& measurer) {
  if (text.empty()) return {};
  return TTexLayouter(text, metrics, measurer).Run();
}
