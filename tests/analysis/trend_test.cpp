// The figures of a whole store and the cache that keeps them: every answer must be the
// analysis of the record's bytes as they are now, whatever the cache holds.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <utility>

#include "analysis/figures_cache_file.h"
#include "analysis/trend_cache.h"
#include "diagnostics_log.h"
#include "platform/text/crc32.h"
#include "platform/text/text_format.h"
#include "store/load_record.h"
#include "store/store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;
using testing::DiagnosticsLog;
using testing::MakeHeader;
using testing::RecordBytes;
using testing::WriteBytes;

TEST(Median, OfCounts) {
  const std::vector<std::pair<std::vector<double>, std::optional<double>>> cases = {
      {{}, std::nullopt}, {{3}, 3}, {{4, 1}, 2.5}, {{5, 1, 3}, 3}, {{4, 1, 3, 2}, 2.5}};
  for (const auto& [values, median] : cases) EXPECT_EQ(Median(values), median);
}

TEST(Crc32, KnownValues) {
  for (auto* crc : {&Crc32, &Crc32Portable}) {
    EXPECT_EQ(crc(""), 0u);
    EXPECT_EQ(crc("a"), 0xE8B7BE43u);
    EXPECT_EQ(crc("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  }
}

// Every length and alignment around the steps of the tables and of the folding gives what
// the polynomial gives bit by bit.
TEST(Crc32, EqualsTheBitwiseCrcAtEveryLengthAndOffset) {
  auto bitwise = [](std::string_view bytes) {
    std::uint32_t crc = ~0u;
    for (unsigned char c : bytes) {
      crc ^= c;
      for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1u) ? 0xEDB88320u : 0u);
    }
    return ~crc;
  };
  std::string bytes(20000, '\0');
  std::uint32_t state = 12345;
  for (char& c : bytes) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
  for (std::size_t offset = 0; offset < 16; ++offset) {
    for (std::size_t length : {0, 15, 16, 63, 64, 65, 79, 80, 127, 128, 129, 200, 1000, 18013}) {
      const std::string_view part = std::string_view(bytes).substr(offset, length);
      SCOPED_TRACE(::testing::Message() << "offset " << offset << " length " << length);
      EXPECT_EQ(Crc32(part), bitwise(part));
      EXPECT_EQ(Crc32Portable(part), bitwise(part));
    }
  }
}

class TrendStore : public ::testing::Test {
 public:  // the cases' changes reach in
  void SetUp() override {
    Put("2603150905.oxi", 15, 9, 5, 1500);
    Put("2603140800.oxi", 14, 8, 0, 900);
    Put("2603161000.oxi", 16, 10, 0, 40);
  }
  fs::path Folder() const { return root_.Path() / ("OXI" + std::string(testing::kTestDeviceId)); }
  fs::path Cache() const { return Folder() / kCacheFolder / kFiguresCacheName; }
  void Put(const std::string& name, int day, int hour, int minute, int samples) {
    WriteBytes(Folder() / name,
               RecordBytes(MakeHeader(testing::kTestDeviceId, 26, 3, day, hour, minute), samples));
  }
  TrendResult Figures(const AnalysisParameters& p = {}, const TrendProgress& progress = {}) {
    TrendQuery q;
    q.parameters = p;
    return StoreFigures(root_.Path(), q, log_, progress);
  }
  // What the analysis of each record file says now, by start.
  std::vector<RecordFigures> Expected(const AnalysisParameters& p = {}) {
    std::vector<RecordFigures> out;
    for (const auto& entry : fs::directory_iterator(Folder())) {
      if (!entry.is_regular_file()) continue;
      CurrentMeasurement m;
      EXPECT_EQ(LoadRecordFile(entry.path(), m), "");
      out.push_back(FiguresOf(PathToUtf8(entry.path()), m, Analyse(m, p)));
    }
    std::sort(out.begin(), out.end(), StartsBefore);
    return out;
  }
  testing::TempFolder root_{"oxi-trend"};
  DiagnosticsLog log_;
};

TEST_F(TrendStore, FiguresAreTheAnalysisOfEachRecordByStart) {
  const TrendResult first = Figures();
  EXPECT_EQ(first.figures, Expected());
  ASSERT_EQ(first.figures.size(), 3u);
  EXPECT_EQ(first.figures[0].start, "2026-03-14T08:00:00");
  EXPECT_GT(*first.figures[1][Figure::kEpisodes], 0);
  EXPECT_TRUE(fs::exists(Cache()));
  EXPECT_EQ(Figures().figures, first.figures);
  EXPECT_EQ(log_.said, "");
}

// A row whose key fits is taken as it is: the warm answer really comes from the cache.
TEST_F(TrendStore, RowThatFitsIsTaken) {
  Figures();
  ParsedCache cache = ParseFiguresCache(testing::ReadBytes(Cache()), {});
  cache.rows.at("2603150905.oxi").figures.values[static_cast<int>(Figure::kHrMax)] = 1234;
  WriteBytes(Cache(), FormatFiguresCache(cache.rows, {}));
  EXPECT_EQ(Figures().figures[1][Figure::kHrMax], 1234);
}

// Every change to the records, the parameters or the cache file ends in the figures of the
// records as they are; a cache that cannot be read says so in one diagnostics line.
TEST_F(TrendStore, ChangesAndDamageGiveTheRecordsFigures) {
  struct Case {
    const char* what;
    std::function<void(TrendStore&)> change;
    int diagnosticLines;
  };
  const std::vector<Case> cases = {
      {"a byte changed, size and time kept",
       [](TrendStore& t) {
         const fs::path file = t.Folder() / "2603150905.oxi";
         const auto time = fs::last_write_time(file);
         std::string bytes = testing::ReadBytes(file);
         bytes[kRecordHeaderSize + 100 * kSampleSize] ^= 0x7F;
         WriteBytes(file, bytes);
         fs::last_write_time(file, time);
       },
       0},
      {"replaced by another record of the same name",
       [](TrendStore& t) {
         const fs::path file = t.Folder() / "2603150905.oxi";
         const auto time = fs::last_write_time(file);
         WriteBytes(file, RecordBytes(MakeHeader(testing::kTestDeviceId, 26, 3, 15, 9, 5), 700));
         fs::last_write_time(file, time);
       },
       0},
      {"a record added and one removed",
       [](TrendStore& t) {
         t.Put("2603170700.oxi", 17, 7, 0, 600);
         fs::remove(t.Folder() / "2603140800.oxi");
       },
       0},
      {"the cache cut in the middle",
       [](TrendStore& t) {
         const std::string text = testing::ReadBytes(t.Cache());
         WriteBytes(t.Cache(), text.substr(0, text.size() / 2));
       },
       1},
      {"the cache written by a newer version",
       [](TrendStore& t) { WriteBytes(t.Cache(), "OXIFIGURES\t99\t7\tnew\trows\there\nEND\t0\n"); },
       1},
      {"the cache is garbage", [](TrendStore& t) { WriteBytes(t.Cache(), "\x01\x02\n"); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(Folder());
    SetUp();
    Figures();
    log_.said.clear();
    c.change(*this);
    EXPECT_EQ(Figures().figures, Expected());
    EXPECT_EQ(std::count(log_.said.begin(), log_.said.end(), '\n'), c.diagnosticLines) << log_.said;
    // What was written back is whole and right.
    log_.said.clear();
    EXPECT_EQ(Figures().figures, Expected());
    EXPECT_EQ(log_.said, "");
    EXPECT_EQ(ParseFiguresCache(testing::ReadBytes(Cache()), {}).rows.size(), Expected().size());
  }
}

TEST_F(TrendStore, OtherParametersRecomputeEverything) {
  Figures();
  AnalysisParameters coarse;
  coarse.delta = 300;
  coarse.zones = {500};
  EXPECT_EQ(Figures(coarse).figures, Expected(coarse));
  EXPECT_NE(Expected(coarse), Expected());
}

// Only the days and the device asked for are read; the rows of the others stay.
TEST_F(TrendStore, DatesAndDeviceChooseTheRecords) {
  Figures();
  TrendQuery q;
  q.from = 20260315;
  q.to = 20260315;
  fs::remove(Folder() / "2603161000.oxi");
  const TrendResult one = StoreFigures(root_.Path(), q, log_);
  ASSERT_EQ(one.figures.size(), 1u);
  EXPECT_EQ(one.figures[0].start, "2026-03-15T09:05:00");
  EXPECT_EQ(ParseFiguresCache(testing::ReadBytes(Cache()), {}).rows.size(), 2u);
  q.device = "OTHERDEVICE1";
  EXPECT_TRUE(StoreFigures(root_.Path(), q, log_).figures.empty());
}

// A progress that asks to stop gets what was done, and that much is kept for next time.
TEST_F(TrendStore, AStopKeepsWhatWasDone) {
  const TrendResult part =
      StoreFigures(root_.Path(), TrendQuery{}, log_, [](int done, int) { return done < 2; });
  EXPECT_TRUE(part.stopped);
  ASSERT_EQ(part.figures.size(), 2u);
  EXPECT_EQ(ParseFiguresCache(testing::ReadBytes(Cache()), {}).rows.size(), 2u);
  EXPECT_EQ(Figures().figures, Expected());
}

// Enough records to be made on several threads give the same figures, in order, a row each;
// a stop part-way keeps a row for each record made, and no other, however late the thread
// that tells the progress gets to run; without a stop the count is told up to the total.
TEST_F(TrendStore, ManyRecordsMadeSideBySide) {
  for (int i = 0; i < 150; ++i) {
    Put(FormatText("260317%02d%02d.oxi", i / 60, i % 60), 17, i / 60, i % 60, 200 + i);
  }
  int lastTold = 0;
  Figures({}, [&](int done, int) { return lastTold = done, true; });
  EXPECT_EQ(lastTold, 153);
  fs::remove_all(Folder() / kCacheFolder);
  // The telling thread is held up long enough for the others to make every record.
  bool first = true;
  const TrendResult part = StoreFigures(root_.Path(), TrendQuery{}, log_, [&](int done, int) {
    if (std::exchange(first, false)) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return done < 40;
  });
  EXPECT_TRUE(part.stopped);
  EXPECT_GE(part.figures.size(), 40u);
  EXPECT_LT(part.figures.size(), 100u);
  EXPECT_EQ(ParseFiguresCache(testing::ReadBytes(Cache()), {}).rows.size(), part.figures.size());
  EXPECT_EQ(Figures().figures, Expected());
  EXPECT_EQ(ParseFiguresCache(testing::ReadBytes(Cache()), {}).rows.size(), 153u);
}

}  // namespace
}  // namespace oxi
