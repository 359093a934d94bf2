// The user's Cancel: the download stops after the sector being read, keeps every whole
// record, writes nothing half-read, sets no clock, erases nothing and says what it kept.
#include <gtest/gtest.h>

#include "device_test_support.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi::testing {
namespace {

const std::string kId = "OXI000000001";

struct CancelCase {
  const char* name;
  const char* pressedAt;  // the percentage shown when Cancel is pressed ("": at once)
  std::vector<std::string> reads;
  std::vector<std::string> records;
  std::vector<MeasurementEnd> ends;
};

void PrintTo(const CancelCase& c, std::ostream* os) {
  *os << c.name;
}

class DownloadCancel : public DownloadTest, public ::testing::WithParamInterface<CancelCase> {
 protected:
  // A: 100 samples in sectors 1..3 (25 %, 50 %, 75 %); B: 30 samples in sector 4 (100 %).
  // A second monitor after it.
  void SetUp() override {
    DownloadTest::SetUp();
    Plug(ImageBuilder(kId)
             .Add(1, Head(8, 3, 15, 9, 5), Samples(100, 1))
             .Add(4, Head(8, 3, 16, 10, 0), Samples(30, 2))
             .Build());
    Plug(ImageBuilder("OXI000000002").Add(1, Head(8, 3, 17, 9, 0), Samples(10)).Build(),
         "Kx47B002");
    const std::string pressedAt = GetParam().pressedAt;
    platform.Progress().cancelWhen = [pressedAt](const RecordingProgressDialog& d) {
      return pressedAt.empty() || d.percentText == pressedAt;
    };
  }
};

TEST_P(DownloadCancel, KeepsWholeRecordsOnlyAndLeavesTheMonitorAsItWas) {
  const CancelCase& c = GetParam();
  const DownloadResult result = Run();
  EXPECT_EQ(SectorReads(0), c.reads);
  EXPECT_EQ(Records(kId), c.records);  // no temporary file among them
  EXPECT_FALSE(ReceivedCommand(0, "SC"));
  EXPECT_FALSE(ReceivedCommand(0, "DE"));
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_TRUE(d2xx.Converter(1).commands.empty());
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kCancelled});
  std::vector<MeasurementEnd> ends;
  for (const MeasurementReport& m : result.measurements) ends.push_back(m.end);
  EXPECT_EQ(ends, c.ends);
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text,
            FormatText(texts::kCancelledFormat, static_cast<int>(c.records.size())));
  EXPECT_EQ(Boxes()[1].text, texts::kUnplugUsb);
}

using End = MeasurementEnd;

INSTANTIATE_TEST_SUITE_P(
    Moments, DownloadCancel,
    ::testing::Values(CancelCase{"at once", "", {"SR,0000"}, {}, {End::kNotRead, End::kNotRead}},
                      CancelCase{"in the middle of A",
                                 "25%",
                                 {"SR,0000", "SR,0001"},
                                 {},
                                 {End::kCancelled, End::kNotRead}},
                      CancelCase{"with the last sector of A",
                                 "75%",
                                 {"SR,0000", "SR,0001", "SR,0002", "SR,0003"},
                                 {"0803150905.oxi"},
                                 {End::kWhole, End::kNotRead}},
                      CancelCase{"before the clock",
                                 "100%",
                                 {"SR,0000", "SR,0001", "SR,0002", "SR,0003", "SR,0004"},
                                 {"0803150905.oxi", "0803161000.oxi"},
                                 {End::kWhole, End::kWhole}}));

}  // namespace
}  // namespace oxi::testing
