// The download's ordinary runs: how measurements map to sectors and record files, the
// progress shown, the messages, the clock, the erase and the device that is shown after.
#include <gtest/gtest.h>

#include "device_test_support.h"
#include "res/texts.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;
using monitor::MonitorImage;

const std::string kId = "OXI000000001";

using DownloadRuns = DownloadTest;

TEST_F(DownloadRuns, EmptyTableReadsNothingSetsClockAndKeepsMemory) {
  Plug(ImageBuilder(kId).Build());
  const DownloadResult result = Run();
  EXPECT_EQ(SectorReads(0), std::vector<std::string>{"SR,0000"});
  EXPECT_FALSE(ReceivedCommand(0, "DE"));
  // The scripted local time is 2008-03-15 09:30:00.
  const std::array<std::uint8_t, 6> clock{0x08, 0x03, 0x15, 0x09, 0x30, 0x00};
  EXPECT_EQ(Memory(0).Clock(), clock);
  EXPECT_EQ(platform.Progress().status, texts::kDownloading);  // set back at the end
  const auto& log = platform.Progress().log;
  EXPECT_NE(std::find(log.begin(), log.end(), std::string("status ") + texts::kNoMeasurements),
            log.end());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, texts::kUnplugUsb);
  EXPECT_EQ(Boxes()[0].caption, "\xE3\x80\x80");
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNoMeasurements});
  EXPECT_TRUE(result.AllReadAndErased());
  EXPECT_EQ(store.currentDeviceId, kId);
}

// A monitor whose ID differs from a stored device's only in case: where folder names ignore
// case its records would land among the other device's, so they stay on the monitor.
TEST_F(DownloadRuns, RecordsLandOnlyInTheFolderSpelledAsTheirDevice) {
  fs::create_directories(Folder("OXI00000000A"));
  Plug(ImageBuilder("OXI00000000a").Add(1, Head(8, 3, 15, 9, 5), Samples(3)).Build());
  const DownloadResult result = Run();
  EXPECT_TRUE(fs::is_empty(Folder("OXI00000000A")));
  if (Erased(Memory(0))) {
    EXPECT_EQ(Records("OXI00000000a"), std::vector<std::string>{"0803150905.oxi"});
  } else {
    EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kIdRefused});
    EXPECT_TRUE(result.Records().empty());
    EXPECT_EQ(Boxes().front().text, texts::kDeviceIdRefused);
  }
}

TEST_F(DownloadRuns, SampleCountsFillHeadAndContinuationSectors) {
  // 48 samples fit the head sector, 49 and 99 need one continuation, 100 need two.
  const auto s48 = Samples(48, 1), s49 = Samples(49, 2), s99 = Samples(99, 3);
  const auto s100 = Samples(100, 4);
  Plug(ImageBuilder(kId)
           .Add(1, Head(8, 3, 1, 10, 0), s48)
           .Add(2, Head(8, 3, 2, 10, 0), s49)
           .Add(4, Head(8, 3, 3, 10, 0), s99)
           .Add(6, Head(8, 3, 4, 10, 0), s100)
           .Build());
  const DownloadResult result = Run();
  const std::vector<std::string> reads{"SR,0000", "SR,0001", "SR,0002", "SR,0003", "SR,0004",
                                       "SR,0005", "SR,0006", "SR,0007", "SR,0008"};
  EXPECT_EQ(SectorReads(0), reads);
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803011000.oxi"),
            ExpectedRecord(kId, 8, 3, 1, 10, 0, Head(8, 3, 1, 10, 0), s48, 48));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803021000.oxi"),
            ExpectedRecord(kId, 8, 3, 2, 10, 0, Head(8, 3, 2, 10, 0), s49, 49));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803031000.oxi"),
            ExpectedRecord(kId, 8, 3, 3, 10, 0, Head(8, 3, 3, 10, 0), s99, 99));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803041000.oxi"),
            ExpectedRecord(kId, 8, 3, 4, 10, 0, Head(8, 3, 4, 10, 0), s100, 100));
  EXPECT_TRUE(Erased(Memory(0)));
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kErased});
  EXPECT_EQ(result.Records().size(), 4u);
}

TEST_F(DownloadRuns, CountZeroReadsOneSectorAndWritesTheHeaderOnly) {
  Plug(ImageBuilder(kId).Add(5, Head(8, 3, 9, 7, 5), {}).Build());
  Run();
  EXPECT_EQ(SectorReads(0), (std::vector<std::string>{"SR,0000", "SR,0005"}));
  const Bytes record = ReadFileBytes(Folder(kId) / "0803090705.oxi");
  EXPECT_EQ(record.size(), 29u);
  EXPECT_EQ(record, ExpectedRecord(kId, 8, 3, 9, 7, 5, Head(8, 3, 9, 7, 5), {}, 0));
  EXPECT_TRUE(Erased(Memory(0)));
}

TEST_F(DownloadRuns, MeasurementComesRoundTheRingEnd) {
  const auto samples = Samples(100);
  Plug(ImageBuilder(kId, 1000).Add(999, Head(8, 3, 15, 9, 0), samples).Build());
  Run();
  EXPECT_EQ(SectorReads(0), (std::vector<std::string>{"SR,0000", "SR,03E7", "SR,03E8", "SR,0001"}));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150900.oxi"),
            ExpectedRecord(kId, 8, 3, 15, 9, 0, Head(8, 3, 15, 9, 0), samples, 100));
}

TEST_F(DownloadRuns, StartTimeIsDecodedFromBcd) {
  monitor::HeadSector head = Head(0, 0, 0, 0, 0);
  head.bcdStart = {0x08, 0x01, 0x15, 0x09, 0x30};
  Plug(ImageBuilder(kId).Add(1, head, Samples(3)).Build());
  Run();
  const Bytes record = ReadFileBytes(Folder(kId) / "0801150930.oxi");
  ASSERT_GE(record.size(), 17u);
  EXPECT_EQ(Bytes(record.begin() + 12, record.begin() + 17), (Bytes{8, 1, 15, 9, 30}));
}

TEST_F(DownloadRuns, SameMinuteKeepsBothAndRepeatedDownloadReplacesWithSameBytes) {
  const auto first = Samples(60, 1), second = Samples(70, 2);
  const MonitorImage image = ImageBuilder(kId)
                                 .Add(1, Head(8, 3, 15, 9, 5), first)
                                 .Add(3, Head(8, 3, 15, 9, 5), second)
                                 .Build();
  Plug(image);
  Run();
  EXPECT_EQ(Records(kId), (std::vector<std::string>{"0803150905.oxi", "0803150905b.oxi"}));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"),
            ExpectedRecord(kId, 8, 3, 15, 9, 5, Head(8, 3, 15, 9, 5), first, 60));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905b.oxi"),
            ExpectedRecord(kId, 8, 3, 15, 9, 5, Head(8, 3, 15, 9, 5), second, 70));
  // The same memory again (as if the erase had not happened) gives no third file.
  Plug(image, "Kx47A002");
  Run();
  EXPECT_EQ(Records(kId), (std::vector<std::string>{"0803150905.oxi", "0803150905b.oxi"}));
}

TEST_F(DownloadRuns, ProgressDialogSequence) {
  Plug(ImageBuilder(kId).Add(1, Head(8, 3, 15, 9, 5), Samples(100)).Build());
  Run();
  const std::vector<std::string> expected{"show",
                                          "bar 0",
                                          "cancellable 1",
                                          "bar 33",
                                          "percent 33%",
                                          "bar 66",
                                          "percent 66%",
                                          "bar 100",
                                          "percent 100%",
                                          "cancellable 0",
                                          std::string("status ") + texts::kFinishing,
                                          "bar 0",
                                          "bar 100",
                                          "hide",
                                          std::string("status ") + texts::kDownloading};
  EXPECT_EQ(platform.Progress().log, expected);
  EXPECT_FALSE(platform.Progress().visible);
  EXPECT_EQ(platform.Progress().percentText, "100%");
}

TEST_F(DownloadRuns, ProgressTextsCarryOverBetweenConvertersAndDownloads) {
  // A monitor with one single-sector measurement, then one without any.
  Plug(ImageBuilder(kId).Add(1, Head(8, 3, 15, 9, 5), Samples(10)).Build(), "Kx47A001");
  Plug(ImageBuilder("OXI000000002").Build(), "Kx47B002");
  Run();
  const std::string finishing = std::string("status ") + texts::kFinishing;
  const std::string nothing = std::string("status ") + texts::kNoMeasurements;
  const std::string downloading = std::string("status ") + texts::kDownloading;
  // The second monitor is read under the first one's end text; only its own end replaces
  // it, and the status goes back to its start text once the dialog is hidden.
  EXPECT_EQ(
      platform.Progress().log,
      (std::vector<std::string>{"show", "bar 0", "cancellable 1", "bar 100", "percent 100%",
                                "cancellable 0", finishing, "bar 0", "bar 100", "cancellable 1",
                                "cancellable 0", nothing, "hide", downloading}));

  // The next download reads no sector: the percentage keeps the text the last one left.
  platform.Progress().log.clear();
  Run();
  EXPECT_EQ(
      platform.Progress().log,
      (std::vector<std::string>{"show", "bar 0", "cancellable 1", "cancellable 0", nothing,
                                "cancellable 1", "cancellable 0", nothing, "hide", downloading}));
  EXPECT_EQ(platform.Progress().percentText, "100%");
}

TEST_F(DownloadRuns, TwoConvertersOneAfterTheOtherSecondBecomesCurrent) {
  const std::string otherId = "OXI000000002";
  Plug(ImageBuilder(kId).Add(1, Head(8, 3, 10, 9, 0), Samples(10)).Build(), "Kx47A001");
  Plug(ImageBuilder(otherId).Add(7, Head(8, 3, 21, 18, 45), Samples(20)).Build(), "Kx47B002");
  const DownloadResult result = Run();
  EXPECT_EQ(Records(kId), std::vector<std::string>{"0803100900.oxi"});
  EXPECT_EQ(Records(otherId), std::vector<std::string>{"0803211845.oxi"});
  EXPECT_TRUE(Erased(Memory(0)));
  EXPECT_TRUE(Erased(Memory(1)));
  EXPECT_EQ(store.currentDeviceId, otherId);
  // The month was scanned for the second device: its day is marked, the first one's not.
  EXPECT_TRUE(days.test(20));
  EXPECT_FALSE(days.test(9));
  EXPECT_TRUE(result.AllReadAndErased());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, texts::kUnplugUsb);
}

TEST_F(DownloadRuns, ConverterWithoutMonitorPrefixIsNotOpened) {
  SimulatedConverter& stranger = Plug(ImageBuilder("OXI00000000X").Build(), "FT9XQ1");
  Plug(ImageBuilder(kId).Add(1, Head(8, 3, 10, 9, 0), Samples(10)).Build(), "Kx47A001");
  const DownloadResult result = Run();
  EXPECT_TRUE(stranger.writes.empty());
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, texts::kDeviceNotRecognised);
  EXPECT_EQ(Boxes()[0].caption, texts::kErrorCaption);
  EXPECT_EQ(Boxes()[1].text, texts::kUnplugUsb);
  EXPECT_EQ(result.converters, (std::vector<ConverterOutcome>{ConverterOutcome::kNotRecognised,
                                                              ConverterOutcome::kErased}));
  EXPECT_FALSE(result.AllReadAndErased());
  EXPECT_TRUE(Erased(Memory(1)));
}

TEST_F(DownloadRuns, NoConverterShowsNoDialogAndKeepsTheDevice) {
  store.currentDeviceId = "OXIKEEPTHIS1";
  const std::int64_t start = platform.Virtual().NowMs();
  const DownloadResult result = Run();
  EXPECT_TRUE(platform.Progress().log.empty());
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, texts::kDeviceNotRecognised);
  EXPECT_EQ(Boxes()[0].caption, texts::kErrorCaption);
  EXPECT_EQ(Boxes()[1].text, texts::kUnplugUsb);
  EXPECT_EQ(store.currentDeviceId, "OXIKEEPTHIS1");
  EXPECT_EQ(platform.Virtual().NowMs() - start, 1500);
  EXPECT_FALSE(result.AllReadAndErased());
}

TEST_F(DownloadRuns, ConverterThatCannotBeOpened) {
  Plug(ImageBuilder(kId).Add(1, Head(8, 3, 10, 9, 0), Samples(10)).Build()).openFails = true;
  const DownloadResult result = Run();
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, texts::kDeviceNotOpened);
  EXPECT_EQ(Boxes()[0].caption, texts::kErrorCaption);
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotOpened});
  EXPECT_FALSE(Erased(Memory(0)));
}

TEST_F(DownloadRuns, ConverterTheSystemKeepsFromUsIsNamedWithWhatToDo) {
  Plug(ImageBuilder(kId).Add(1, Head(8, 3, 10, 9, 0), Samples(10)).Build()).accessDenied = true;
  const DownloadResult result = Run();
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text,
            std::string(texts::kDeviceNotRecognised) + "\n" + texts::kNoAccessToDevice);
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotRecognised});
  EXPECT_TRUE(SectorReads(0).empty());
}

TEST_F(DownloadRuns, FirstSectorThatIsNotASystemSectorSetsOnlyTheClock) {
  MonitorImage image = ImageBuilder(kId).Add(1, Head(8, 3, 10, 9, 0), Samples(10)).Build();
  image.System()[monitor::kTypeOffset] = 0x07;
  Plug(image);
  const DownloadResult result = Run();
  EXPECT_EQ(SectorReads(0), std::vector<std::string>{"SR,0000"});
  EXPECT_TRUE(ReceivedCommand(0, "SC,080315,093000"));
  EXPECT_FALSE(ReceivedCommand(0, "DE"));
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNoSystemSector});
  EXPECT_EQ(store.currentDeviceId, kNoDeviceId);
}

}  // namespace
}  // namespace oxi::testing
