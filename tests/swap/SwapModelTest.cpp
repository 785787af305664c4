// Model-based randomized test: long random sequences of every operation on
// two stores at once, checked against plain arrays of records.
//
// Seeded and repeatable. KORVEX_SWAP_MODEL_SCALE multiplies the number of
// operations (default 1); KORVEX_SWAP_MODEL_SEED changes the seed.

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <random>

#include "SwapTestSupport.h"

namespace {

using namespace swaptest;

using TRecord = std::vector<uint8_t>;
// The reference: records 1 .. size; nullopt where the content is undefined
// (records skipped over by a write beyond the end).
using TModel = std::vector<std::optional<TRecord>>;

struct TForm {
  const char* name;
  std::function<TSwapFile*(const std::string& file, int32_t R)> make;
};

const TForm Forms[] = {
    {"memory", [](const std::string&, int32_t R) { return TSwapFile::Create(R); }},
    {"memory-small", [](const std::string&, int32_t R) { return TSwapFile::Create(R, 2); }},
    {"memory-share", [](const std::string& f, int32_t R) { return TSwapFile::CreateNew(f, R, 4, 8, 100.0f); }},
    {"paged-1", [](const std::string& f, int32_t R) { return TSwapFile::CreateNew(f, R, 5, 1, 0.0f); }},
    {"paged-2", [](const std::string& f, int32_t R) { return TSwapFile::CreateNew(f, R, 3, 2, 0.0f); }},
    {"paged-many", [](const std::string& f, int32_t R) { return TSwapFile::CreateNew(f, R, 4, 9, 0.0f); }},
};

int EnvInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atoi(v) : fallback;
}

struct TSubject {
  std::unique_ptr<TSwapFile> store;
  TModel model;
  int64_t count() const { return static_cast<int64_t>(model.size()); }
};

class TModelRun {
public:
  TModelRun(int32_t R, uint32_t seed, std::function<std::string(const std::string&)> path)
      : R_(R), rng_(seed), path_(std::move(path)) {}

  void Run(const TForm& form, int ops) {
    subjects_[0].store.reset(form.make(path_("a"), R_));
    const TForm& other = Forms[Pick(0, std::size(Forms) - 1)];
    subjects_[1].store.reset(other.make(path_("b"), R_));
    SCOPED_TRACE(std::string("with ") + other.name);
    for (int op = 0; op < ops && !::testing::Test::HasFatalFailure(); ++op) {
      TSubject& s = subjects_[Pick(0, 3) == 0 ? 1 : 0];
      Step(s, op);
      if (::testing::Test::HasFailure()) {
        ADD_FAILURE() << "after operation " << op << " (" << last_ << ")";
        return;
      }
      if (op % 50 == 0) {
        Agree(subjects_[0]);
        Agree(subjects_[1]);
      }
    }
    Agree(subjects_[0]);
    Agree(subjects_[1]);
  }

private:
  size_t Pick(size_t lo, size_t hi) { return std::uniform_int_distribution<size_t>(lo, hi)(rng_); }
  int32_t PickRec(int64_t lo, int64_t hi) { return static_cast<int32_t>(lo + Pick(0, static_cast<size_t>(hi - lo))); }

  TRecord Fresh() {
    TRecord r(static_cast<size_t>(R_));
    for (auto& b : r) b = static_cast<uint8_t>(rng_());
    return r;
  }

  static void Put(TModel& m, int64_t i, std::optional<TRecord> r) {
    if (i > static_cast<int64_t>(m.size())) m.resize(static_cast<size_t>(i));
    m[static_cast<size_t>(i - 1)] = std::move(r);
  }

  void Step(TSubject& s, int op) {
    TSwapFile& st = *s.store;
    const int64_t n = s.count();
    const bool full = n > 160;
    switch (Pick(0, full ? 15 : 13)) {
      case 0: case 1: {
        const int32_t i = PickRec(0, n + 3);
        last_ = "WriteRec " + std::to_string(i);
        const TRecord r = Fresh();
        st.WriteRec(i, r.data());
        if (i >= 1) Put(s.model, i, r);
        break;
      }
      case 2: case 3: {
        last_ = "AppendRec";
        const TRecord r = Fresh();
        EXPECT_EQ(st.AppendRec(r.data()), n + 1);
        Put(s.model, n + 1, r);
        break;
      }
      case 4: {
        const int32_t i = PickRec(0, n + 1);
        last_ = "ReadRec " + std::to_string(i);
        TRecord got(static_cast<size_t>(R_), 0xCD);
        const bool inside = i >= 1 && i <= n;
        EXPECT_EQ(st.ReadRec(i, got.data()), inside);
        if (!inside) {
          EXPECT_EQ(got, TRecord(static_cast<size_t>(R_), 0));
        } else if (s.model[static_cast<size_t>(i - 1)]) {
          EXPECT_EQ(got, *s.model[static_cast<size_t>(i - 1)]);
        }
        void* p = st.GetRecPtr(i);
        EXPECT_EQ(p != nullptr, inside);
        if (inside && s.model[static_cast<size_t>(i - 1)]) {
          EXPECT_EQ(0, std::memcmp(p, s.model[static_cast<size_t>(i - 1)]->data(), static_cast<size_t>(R_)));
        }
        break;
      }
      case 5: {
        const int32_t i = PickRec(0, n + 1), k = PickRec(0, 12);
        last_ = "ReadRecs " + std::to_string(i) + "," + std::to_string(k);
        std::vector<uint8_t> buf(static_cast<size_t>((k + 1) * R_), 0xCD);
        const bool ok = st.ReadRecs(i, k, buf.data());
        const bool valid = i >= 1 && i <= n && k >= 1;
        EXPECT_EQ(ok, valid && i + k - 1 <= n);
        const int64_t copied = valid ? std::min<int64_t>(k, n - i + 1) : 0;
        for (int64_t j = 0; j < copied; ++j) {
          const auto& m = s.model[static_cast<size_t>(i - 1 + j)];
          if (m) {
            EXPECT_EQ(0, std::memcmp(buf.data() + j * R_, m->data(), static_cast<size_t>(R_))) << j;
          }
        }
        for (size_t b = static_cast<size_t>(copied * R_); b < buf.size(); ++b) ASSERT_EQ(buf[b], 0xCD);
        break;
      }
      case 6: {
        const int32_t i = PickRec(0, n + 2), k = PickRec(0, 12);
        last_ = "WriteRecs " + std::to_string(i) + "," + std::to_string(k);
        std::vector<uint8_t> buf;
        std::vector<TRecord> recs;
        for (int j = 0; j < k; ++j) {
          recs.push_back(Fresh());
          buf.insert(buf.end(), recs.back().begin(), recs.back().end());
        }
        st.WriteRecs(i, k, buf.data());
        if (i >= 1)
          for (int j = 0; j < k; ++j) Put(s.model, i + j, recs[static_cast<size_t>(j)]);
        break;
      }
      case 7: case 8: {
        TSubject& src = subjects_[Pick(0, 1)];
        const int64_t sn = src.count();
        // Now and then a run longer than the transfer buffer of large records.
        const int32_t S = PickRec(0, sn + 1), N = PickRec(0, Pick(0, 3) == 0 ? sn + 2 : 15), D = PickRec(0, n + 2);
        last_ = std::string("CopyFrom ") + (&src == &s ? "self " : "other ") + std::to_string(S) + "," +
                std::to_string(N) + "," + std::to_string(D);
        st.CopyFrom(*src.store, S, N, D);
        if (N >= 1 && S >= 1 && S <= sn && D >= 1) {
          const int64_t k = std::min<int64_t>(N, sn - S + 1);
          const TModel run(src.model.begin() + (S - 1), src.model.begin() + (S - 1 + k));
          for (int64_t j = 0; j < k; ++j) Put(s.model, D + j, run[static_cast<size_t>(j)]);
        }
        break;
      }
      case 9: {
        const uint32_t m = static_cast<uint32_t>(Pick(2, 5)), phase = static_cast<uint32_t>(Pick(0, 4));
        const bool flip = Pick(0, 1) == 1;
        last_ = "RemoveWhere " + std::to_string(m) + "," + std::to_string(phase);
        auto pred = [&](int32_t RecNo, void* rec, uint32_t x) {
          EXPECT_EQ(x, phase);
          if (flip) static_cast<uint8_t*>(rec)[0] ^= 0x5A;
          return (static_cast<uint32_t>(RecNo) + x) % m == 0;
        };
        TModel kept;
        for (int64_t j = 1; j <= n; ++j) {
          if ((static_cast<uint32_t>(j) + phase) % m == 0) continue;
          auto r = s.model[static_cast<size_t>(j - 1)];
          if (r && flip) (*r)[0] ^= 0x5A;
          kept.push_back(r);
        }
        EXPECT_EQ(st.RemoveWhere(phase, pred), n - static_cast<int64_t>(kept.size()));
        s.model = std::move(kept);
        break;
      }
      case 10: {
        last_ = "maintenance";
        switch (Pick(0, 3)) {
          case 0: st.FlushAll(); break;
          case 1: st.Commit(); break;
          case 2: st.Compact(); break;
          default: st.ReleaseFile(); break;
        }
        break;
      }
      case 11: {
        const int32_t F = PickRec(1, n + 1), N = PickRec(0, n + 2);
        last_ = "SaveToFile " + std::to_string(F) + "," + std::to_string(N);
        const std::string name = path_("saved" + std::to_string(op % 3));
        const bool whole = Pick(0, 2) == 0;
        if (whole) st.SaveToFile(name);
        else st.SaveToFile(name, F, N);
        const int64_t first = whole ? 1 : F, last = whole ? n : std::min<int64_t>(F + N - 1, n);
        const std::vector<uint8_t> bytes = ReadFileBytes(name);
        ASSERT_EQ(static_cast<int64_t>(bytes.size()), std::max<int64_t>(0, last - first + 1) * R_);
        for (int64_t j = first; j <= last; ++j) {
          const auto& m = s.model[static_cast<size_t>(j - 1)];
          if (m) {
            EXPECT_EQ(0, std::memcmp(bytes.data() + (j - first) * R_, m->data(), static_cast<size_t>(R_))) << j;
          }
        }
        if (Pick(0, 1) == 0) Reread(name, TModel(s.model.begin() + (first - 1), s.model.begin() + std::max(first - 1, last)));
        break;
      }
      case 12: {
        last_ = "ReadRecs all";
        Agree(s);
        break;
      }
      case 13: {
        if (Pick(0, 9) != 0) break;
        last_ = "CopyFrom other size";
        TSwapFile odd(R_ + 1);
        odd.AppendRec(TRecord(static_cast<size_t>(R_ + 1), 1).data());
        st.CopyFrom(odd, 1, 1, 1);
        break;
      }
      default: {
        last_ = "Clear";
        st.Clear();
        s.model.clear();
        break;
      }
    }
    EXPECT_EQ(st.Count(), s.count()) << last_;
  }

  // A saved file read back through read-only storage of a random form.
  void Reread(const std::string& name, const TModel& expected) {
    const int32_t B = static_cast<int32_t>(Pick(0, 7)), P = static_cast<int32_t>(Pick(0, 3));
    const float M = Pick(0, 1) ? 50.0f : 0.0f;
    std::unique_ptr<TSwapFile> ro(TSwapFile::OpenReadOnly(name, R_, B, P, M));
    ASSERT_EQ(ro->Count(), static_cast<int64_t>(expected.size())) << B << "/" << P << "/" << M;
    TRecord got(static_cast<size_t>(R_));
    for (size_t j = 0; j < expected.size(); ++j) {
      ASSERT_TRUE(ro->ReadRec(static_cast<int32_t>(j + 1), got.data()));
      if (expected[j]) {
        EXPECT_EQ(got, *expected[j]) << j + 1;
      }
    }
  }

  void Agree(TSubject& s) {
    TSwapFile& st = *s.store;
    ASSERT_EQ(st.Count(), s.count());
    if (s.count() == 0) return;
    std::vector<uint8_t> all(static_cast<size_t>(s.count() * R_));
    ASSERT_TRUE(st.ReadRecs(1, static_cast<int32_t>(s.count()), all.data()));
    for (int64_t j = 0; j < s.count(); ++j) {
      const auto& m = s.model[static_cast<size_t>(j)];
      if (m) {
        ASSERT_EQ(0, std::memcmp(all.data() + j * R_, m->data(), static_cast<size_t>(R_))) << "record " << j + 1;
      }
    }
  }

  int32_t R_;
  std::mt19937 rng_;
  std::function<std::string(const std::string&)> path_;
  TSubject subjects_[2];
  std::string last_;
};

class SwapModelTest : public SwapTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(SwapModelTest, EveryFormAgreesWithThePlainArray) {
  const int32_t R = GetParam();
  const int scale = std::max(1, EnvInt("KORVEX_SWAP_MODEL_SCALE", 1));
  const uint32_t seed = static_cast<uint32_t>(EnvInt("KORVEX_SWAP_MODEL_SEED", 20240611));
  // Large records make every operation dearer: fewer of them.
  const int ops = (R >= 1000 ? 1500 : 4000) * scale;
  uint32_t formNo = 0;
  for (const TForm& form : Forms) {
    const uint32_t runSeed = seed ^ (static_cast<uint32_t>(R) * 7919u) ^ (++formNo * 104729u);
    SCOPED_TRACE(std::string("form ") + form.name + ", seed " + std::to_string(runSeed));
    TModelRun run(R, runSeed, [this](const std::string& leaf) { return Path(leaf); });
    run.Run(form, ops);
    if (HasFailure()) return;
  }
  EXPECT_EQ(SwapMngr->FileCount(), 0);
  EXPECT_EQ(Disk.OpenNow(), 0);
}

INSTANTIATE_TEST_SUITE_P(RecordSizes, SwapModelTest, ::testing::Values(1, 12, 52, 103, 3000));

}  // namespace
