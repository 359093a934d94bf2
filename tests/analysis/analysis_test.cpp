// The analysis against traces whose answers are worked out by hand: the exercise bout of
// test_bouts.h, copies of it, gaps and other rates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/analysis.h"
#include "analysis/episode_table.h"
#include "analysis/test_bouts.h"

namespace oxi {
namespace {

using testing::Bouts;
using testing::kBoutSamples;
using testing::kOneSecond;
using testing::MakeMeasurement;

// Smoothing over one sample at the record's rate: the trace as the record stores it.
AnalysisParameters Unsmoothed(int rate) {
  AnalysisParameters p;
  p.smooth = rate == 0 ? kOneSecond : rate;
  return p;
}

std::vector<double> ZoneSeconds(const Analysis& a) {
  std::vector<double> seconds;
  for (const Zone& z : a.zones) seconds.push_back(z.seconds);
  return seconds;
}

// One bout at any rate: every time is the 1 Hz answer times the sampling interval. At 1 Hz
// the half-recovery is 13.9 s (the stored 49.1 % and 50.1 % at 163 and 164 s straddle
// 50 %), the recovery first stores 70.0 % at 284 s, the fall is 40 points in 60 s (-0.667
// %/s, its steepest fit through the 0.1 % steps -0.6673), and the bands hold 15 + 30 + 5,
// 30 + 22 and 198 samples.
TEST(Analyse, OneBoutAtEveryRate) {
  for (const int rate : {10, 0, 5, 100}) {
    SCOPED_TRACE(rate);
    const Analysis a = Analyse(Bouts(kBoutSamples, rate), Unsmoothed(rate));
    const double interval = (rate == 0 ? kOneSecond : rate) / 10.0;
    ASSERT_EQ(a.episodes.size(), 1u);
    const Episode& e = a.episodes[0];
    EXPECT_EQ(e.peakSeconds, 0);
    EXPECT_EQ(e.peak, 70);
    EXPECT_EQ(e.minSeconds, 150 * interval);
    EXPECT_EQ(e.min, 30);
    EXPECT_EQ(e.drop, 40);
    EXPECT_NEAR(*e.halfRecoverySeconds, 13.9 * interval, 1e-9);
    EXPECT_NEAR(*e.desatSlope, -0.667 / interval, 0.0005 / interval);
    EXPECT_EQ(e.recoveryMaxSeconds, 284 * interval);
    EXPECT_EQ(e.recoveryMax, 70);
    EXPECT_EQ(ZoneSeconds(a), (std::vector<double>{50 * interval, 52 * interval, 198 * interval}));
    EXPECT_EQ(a.summary.validSamples, kBoutSamples);
  }
}

// Each new episode opens at the recovery maximum of the one before; the last, cut off on
// its floor, has no recovery. 65,535 samples are 218 bouts and 135 s of a 219th.
TEST(Analyse, BoutsOneAfterAnother) {
  struct Case {
    int samples;
    std::size_t episodes;
    bool lastRecovers;
  };
  for (const Case c : {Case{4 * kBoutSamples, 4, true}, Case{65535, 219, false}}) {
    SCOPED_TRACE(c.samples);
    const Analysis a = Analyse(Bouts(c.samples, kOneSecond), Unsmoothed(kOneSecond));
    ASSERT_EQ(a.episodes.size(), c.episodes);
    for (std::size_t k = 0; k < a.episodes.size(); ++k) {
      const Episode& e = a.episodes[k];
      EXPECT_EQ(e.peakSeconds, k == 0 ? 0 : 284 + 300 * (k - 1.0)) << k;
      EXPECT_EQ(e.minSeconds, std::min(150 + 300.0 * k, c.samples - 1.0)) << k;
      EXPECT_EQ(e.drop, 40) << k;
      const bool recovers = k + 1 < a.episodes.size() || c.lastRecovers;
      EXPECT_EQ(e.recoveryMax.has_value(), recovers) << k;
      EXPECT_EQ(e.halfRecoverySeconds.has_value(), recovers) << k;
      EXPECT_EQ(e.reoxSlope.has_value(), recovers) << k;
    }
  }
}

// Invalid samples inside the fall leave holes in the smoothed trace that every step
// skips: the episode is the same, the steepest slope is found beside the hole, and the
// ten missing seconds leave the band they fell in.
TEST(Analyse, InvalidSamplesInsideTheFall) {
  const Analysis a = Analyse(Bouts(kBoutSamples, kOneSecond, 80, 89), Unsmoothed(kOneSecond));
  EXPECT_TRUE(std::isnan(a.smoothed[80]));
  EXPECT_TRUE(std::isnan(a.smoothed[89]));
  ASSERT_EQ(a.episodes.size(), 1u);
  EXPECT_EQ(a.episodes[0].minSeconds, 150);
  EXPECT_EQ(a.episodes[0].drop, 40);
  EXPECT_NEAR(*a.episodes[0].desatSlope, -0.667, 0.0005);
  EXPECT_EQ(ZoneSeconds(a), (std::vector<double>{50, 42, 198}));
  EXPECT_EQ(a.summary.validSamples, kBoutSamples - 10);
}

// The thresholds hold at exactly delta: a fall or rise of 10.0 points counts, 9.9 does not.
TEST(Analyse, ThresholdsHoldAtExactlyDelta) {
  struct Case {
    std::vector<std::int16_t> sto2;
    std::vector<std::pair<int, std::optional<int>>> episodes;  // floor, recovery maximum
  };
  const Case cases[] = {
      {{700, 601}, {}},
      {{700, 600}, {{1, std::nullopt}}},
      {{700, 600, 699}, {{1, std::nullopt}}},
      {{700, 600, 700}, {{1, 2}}},
      {{700, 600, 600, 700, 705, 605}, {{2, 4}, {5, std::nullopt}}},
  };
  for (const Case& c : cases) {
    const CurrentMeasurement m =
        MakeMeasurement(static_cast<int>(c.sto2.size()), kOneSecond, [&](int i) {
          return Sample{c.sto2[i], 0, 0, 0};
        });
    const Analysis a = Analyse(m, Unsmoothed(kOneSecond));
    std::vector<std::pair<int, std::optional<int>>> found;
    for (const Episode& e : a.episodes) found.push_back({e.minIndex, e.recoveryMaxIndex});
    EXPECT_EQ(found, c.episodes) << ::testing::PrintToString(c.sto2);
  }
}

// The smoothing window covers round(smooth / rate) samples, halved and rounded down either
// side, and averages only the valid samples in it: a 100 % sample among zeros, with an
// invalid sample after it, spreads over 2h + 1 levels and is worth 100 / 2h at its own.
TEST(Analyse, SmoothingWindowFollowsTheRate) {
  struct Case {
    int rate;
    int smooth;
    int half;
  };
  for (const Case c : {Case{10, 50, 2}, Case{10, 10, 0}, Case{10, 20, 1}, Case{10, 0, 0},
                       Case{5, 50, 5}, Case{100, 50, 0}, Case{100, 150, 1}}) {
    SCOPED_TRACE(::testing::Message() << c.rate << " " << c.smooth);
    const CurrentMeasurement m = MakeMeasurement(40, c.rate, [](int i) {
      return Sample{static_cast<std::int16_t>(i == 20 ? 1000 : i == 21 ? -1 : 0), 0, 0, 0};
    });
    AnalysisParameters p;
    p.smooth = c.smooth;
    const Analysis a = Analyse(m, p);
    EXPECT_EQ(a.smoothed[20], c.half == 0 ? 100 : 100.0 / (2 * c.half));
    EXPECT_EQ(!std::isnan(a.smoothed[21]), c.half > 0);
    EXPECT_EQ(std::count_if(a.smoothed.begin(), a.smoothed.end(), [](double s) { return s > 0; }),
              2 * c.half + 1);
  }
}

// A step down and up again, smoothed over 5 samples: the levels move by 20 points a
// sample, so the fall's steepest fit is -1400 / 110 %/s, the floor ends at 17 (the last
// window of zeros), and 50 % lies half-way between 40 at 19 and 60 at 20: 2.5 s after it.
TEST(Analyse, SmoothedStep) {
  const CurrentMeasurement m = MakeMeasurement(40, kOneSecond, [](int i) {
    return Sample{static_cast<std::int16_t>(i >= 10 && i < 20 ? 0 : 1000), 0, 0, 0};
  });
  const Analysis a = Analyse(m, AnalysisParameters{});
  ASSERT_EQ(a.episodes.size(), 1u);
  const Episode& e = a.episodes[0];
  EXPECT_EQ(e.minSeconds, 17);
  EXPECT_EQ(e.recoveryMaxSeconds, 22);
  EXPECT_DOUBLE_EQ(*e.desatSlope, -1400.0 / 110);
  EXPECT_DOUBLE_EQ(*e.halfRecoverySeconds, 2.5);
}

// Nothing to measure: no slope fits in ten samples, and an all-invalid record has no
// smoothed trace, no episode, no summary and empty bands.
TEST(Analyse, TooShortForASlopeOrAllInvalid) {
  const std::vector<std::int16_t> tenSamples = {700, 700, 550, 500, 500, 550, 650, 700, 700, 700};
  const Analysis shortOne = Analyse(MakeMeasurement(10, kOneSecond,
                                                    [&](int i) {
                                                      return Sample{tenSamples[i], 0, 0, 0};
                                                    }),
                                    Unsmoothed(kOneSecond));
  ASSERT_EQ(shortOne.episodes.size(), 1u);
  EXPECT_FALSE(shortOne.episodes[0].desatSlope.has_value());
  EXPECT_FALSE(shortOne.episodes[0].reoxSlope.has_value());
  EXPECT_NEAR(*shortOne.episodes[0].halfRecoverySeconds, 1.5, 1e-12);

  const Analysis none = Analyse(Bouts(kBoutSamples, kOneSecond, 0, kBoutSamples), {});
  EXPECT_TRUE(none.episodes.empty());
  EXPECT_TRUE(std::isnan(none.smoothed[0]));
  EXPECT_FALSE(none.summary.sto2.Mean().has_value());
  EXPECT_FALSE(none.summary.tohb.Min().has_value());
  EXPECT_EQ(none.summary.validSamples, 0);
  EXPECT_EQ(ZoneSeconds(none), (std::vector<double>{0, 0, 0}));
}

// Heart rates are counted wherever they are in range, also beside an invalid StO2;
// StO2 and toHb only where StO2 is valid.
TEST(Summarise, ValidSamplesAndHeartRatesInRange) {
  const Sample samples[] = {
      {650, 49, 100, 50}, {700, 50, 120, 60}, {-1, 200, 255, 255}, {600, 201, 80, 40}};
  const Summary s =
      Summarise(MakeMeasurement(4, kOneSecond, [&](int i) { return samples[i]; }), 0, 4);
  EXPECT_EQ(s.validSamples, 3);
  EXPECT_EQ(s.sto2.Min(), 60);
  EXPECT_EQ(s.sto2.Max(), 70);
  EXPECT_EQ(s.sto2.Mean(), 65);
  EXPECT_EQ(s.tohb.Min(), 0.12);
  EXPECT_EQ(s.tohb.Max(), 0.18);
  EXPECT_NEAR(*s.tohb.Mean(), 0.15, 1e-12);
  EXPECT_EQ(s.hr.Min(), 50);
  EXPECT_EQ(s.hr.Max(), 200);
  EXPECT_EQ(s.hr.Mean(), 125);
}

TEST(EpisodeTable, TabSeparatedForTheClipboard) {
  Analysis a = Analyse(Bouts(kBoutSamples + 151, kOneSecond), Unsmoothed(kOneSecond));
  a.episodes[0].reoxSlope = 1.23456;  // its own value is not this table's concern
  EXPECT_EQ(TabSeparated(a),
            "episode\tpeak_s\tpeak\tmin_s\tmin\tdrop\tdesat_slope\treox_slope\t"
            "half_recovery_s\trecovery_max_s\trecovery_max\n"
            "1\t0\t70\t150\t30\t40\t-0.667\t1.235\t13.9\t284\t70\n"
            "2\t284\t70\t450\t30\t40\t-0.667\t\t\t\t\n");
}

}  // namespace
}  // namespace oxi
