// The download when things go wrong: every fault ends with what is stored being whole, the
// memory erased only when everything is stored, and the user told.
#include <gtest/gtest.h>

#include <fstream>

#include "device/link.h"
#include "device/sector_read.h"
#include "device_test_support.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi::testing {
namespace {

using Kind = SimulatedFault::Kind;
using monitor::MonitorImage;

const std::string& kId = kTwoId;

class DownloadFaults : public TwoMeasurementTest {
 protected:
  // Both records whole and the memory erased.
  void ExpectEverythingStoredAndErased(const DownloadResult& result) {
    EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(100));
    EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803161000.oxi"), RecordB());
    EXPECT_TRUE(Erased(Memory(0)));
    EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kErased});
    EXPECT_EQ(Texts(), std::vector<std::string>{texts::kUnplugUsb});
  }
};

// Each of these spoils one reply; the receiver or one retry copes.
class DownloadDisturbances : public DownloadFaults,
                             public ::testing::WithParamInterface<SimulatedFault> {};

TEST_P(DownloadDisturbances, AreOvercome) {
  Plug(image).faults = {GetParam()};
  ExpectEverythingStoredAndErased(Run());
}

INSTANTIATE_TEST_SUITE_P(Faults, DownloadDisturbances,
                         ::testing::Values(SimulatedFault{Kind::kNak, "SR,0002"},
                                           SimulatedFault{Kind::kSilence, "SR,0003"},
                                           SimulatedFault{Kind::kGarbageBefore, "SR,0001", 6},
                                           SimulatedFault{Kind::kSecondStx, "SR,0004", 40},
                                           SimulatedFault{Kind::kSplitFrame, "SR,0000", 700},
                                           SimulatedFault{Kind::kNak, "SR,0004", 0, 0, 2},
                                           SimulatedFault{Kind::kDelay, "SR,0002", 2000}));

TEST_F(DownloadFaults, SectorThatStaysUnreadableKeepsTheMemory) {
  Plug(image).faults = {{Kind::kNak, "SR,0002", 0, 0, -1}};
  const DownloadResult result = Run();
  // Tried three times, then the measurement ends with the head sector's 48 samples.
  const auto reads = SectorReads(0);
  EXPECT_EQ(std::count(reads.begin(), reads.end(), "SR,0002"), kSectorReadTries);
  EXPECT_EQ(std::count(reads.begin(), reads.end(), "SR,0003"), 0);
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(48));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803161000.oxi"), RecordB());
  EXPECT_FALSE(ReceivedCommand(0, "DE"));
  EXPECT_FALSE(Erased(Memory(0)));
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, NotErasedText(1));
  EXPECT_EQ(Boxes()[0].caption, texts::kErrorCaption);
  EXPECT_EQ(Boxes()[1].text, texts::kUnplugUsb);
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotErased});
  EXPECT_FALSE(result.AllReadAndErased());
}

TEST_F(DownloadFaults, WrongSectorTypesEndTheMeasurementAndKeepTheMemory) {
  // A head that is not a head gives no record; a continuation that is not one ends the
  // record with the samples before it.
  Plug(image).faults = {{Kind::kSectorType, "SR,0004", 0x02}, {Kind::kSectorType, "SR,0002", 0x01}};
  const DownloadResult result = Run();
  EXPECT_EQ(Records(kId), (std::vector<std::string>{".damaged-head-0004", "0803150905.oxi"}));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(48));
  const auto reads = SectorReads(0);
  EXPECT_EQ(std::count(reads.begin(), reads.end(), "SR,0003"), 0);
  EXPECT_FALSE(Erased(Memory(0)));
  // Neither measurement is whole: the message counts both.
  EXPECT_EQ(Texts(), (std::vector<std::string>{NotErasedText(2), texts::kUnplugUsb}));
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotErased});
  // Sector 3 was never asked for, so it never counted: 3 of 4 sectors, and the bar stops
  // short of 100 %.
  EXPECT_EQ(platform.Progress().percentText, "75%");
}

TEST_F(DownloadFaults, UnplugInTheMiddleEndsTheDeviceKeepingWhatWasStored) {
  Plug(image).faults = {{Kind::kUnplug, "SR,0003", 60}};
  const std::int64_t start = platform.Virtual().NowMs();
  const DownloadResult result = Run();
  EXPECT_LT(platform.Virtual().NowMs() - start, 10'000);
  // The first measurement's record keeps its first two sectors; nothing after is asked.
  EXPECT_EQ(Records(kId), std::vector<std::string>{"0803150905.oxi"});
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(99));
  EXPECT_FALSE(ReceivedCommand(0, "SR,0004"));
  EXPECT_FALSE(ReceivedCommand(0, "SC"));
  EXPECT_FALSE(Erased(Memory(0)));
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].text, texts::kCommunicationError);
  EXPECT_EQ(Boxes()[0].caption, texts::kErrorCaption);
  EXPECT_EQ(Boxes()[1].text, texts::kUnplugUsb);
  EXPECT_EQ(result.converters,
            std::vector<ConverterOutcome>{ConverterOutcome::kCommunicationError});
  // The system sector was taken: the device read is shown.
  EXPECT_EQ(store.currentDeviceId, kId);
}

TEST_F(DownloadFaults, MonitorThatFallsSilentEndsTheDeviceInBoundedTime) {
  Plug(image).faults = {{Kind::kSilence, "SR,0002", 0, 0, -1}};
  const std::int64_t start = platform.Virtual().NowMs();
  const DownloadResult result = Run();
  // Three tries of at most about 3 s each, then the end steps.
  EXPECT_LT(platform.Virtual().NowMs() - start, 3 * (Link::kQueryLimitMs + 600) + 3000);
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(48));
  EXPECT_FALSE(ReceivedCommand(0, "DE"));
  EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kCommunicationError, texts::kUnplugUsb}));
  EXPECT_EQ(result.converters,
            std::vector<ConverterOutcome>{ConverterOutcome::kCommunicationError});
}

TEST_F(DownloadFaults, UnreadableSystemSectorIsACommunicationError) {
  Plug(image).faults = {{Kind::kNak, "SR,0000", 0, 0, -1}};
  store.currentDeviceId = "OXIKEEPTHIS1";
  Run();
  EXPECT_EQ(SectorReads(0).size(), static_cast<std::size_t>(kSectorReadTries));
  EXPECT_FALSE(ReceivedCommand(0, "SC"));
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kCommunicationError, texts::kUnplugUsb}));
  EXPECT_EQ(store.currentDeviceId, "OXIKEEPTHIS1");
}

class DownloadUnsafeIds : public DownloadFaults,
                          public ::testing::WithParamInterface<std::string> {};

TEST_P(DownloadUnsafeIds, AreRefused) {
  image.SetDeviceId(GetParam());
  Plug(image);
  const DownloadResult result = Run();
  EXPECT_EQ(SectorReads(0), std::vector<std::string>{"SR,0000"});
  EXPECT_FALSE(ReceivedCommand(0, "SC"));
  EXPECT_FALSE(Erased(Memory(0)));
  // Nothing was created in or beside the store.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store.dataRoot),
                          std::filesystem::directory_iterator()),
            0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kDeviceIdRefused, texts::kUnplugUsb}));
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kIdRefused});
  EXPECT_EQ(store.currentDeviceId, kNoDeviceId);
}

// What a path or a Windows file name cannot hold, an end that Windows drops, and bytes
// that are no printable ASCII.
INSTANTIATE_TEST_SUITE_P(Ids, DownloadUnsafeIds,
                         ::testing::Values("../../escape", "OXI00000001/", "OXI0000\\0001",
                                           "OXI:00000001", "OXI*00000001", "OXI?00000001",
                                           "OXI\"00000001", "OXI<0000000>", "OXI|00000001",
                                           " OXI00000001", "OXI0000001  ", "OXI00000001.",
                                           ".OXI00000001",
                                           "OXI0000\x7f"
                                           "0001",
                                           "OXI0000\xe9"
                                           "0001",
                                           "OXI0000\t0001",
                                           std::string("OXI0000\0"
                                                       "0001",
                                                       12)));

// Any other printable ASCII names a folder: a monitor whose short ID was padded inside,
// punctuation, lower case.
class DownloadPlainIds : public DownloadFaults,
                         public ::testing::WithParamInterface<std::string> {};

TEST_P(DownloadPlainIds, AreTaken) {
  image.SetDeviceId(GetParam());
  Plug(image);
  const DownloadResult result = Run();
  EXPECT_TRUE(result.AllReadAndErased());
  EXPECT_EQ(Records(GetParam()), (std::vector<std::string>{"0803150905.oxi", "0803161000.oxi"}));
  EXPECT_EQ(Folder(GetParam()).filename().string(), "OXI" + GetParam());
  EXPECT_EQ(store.currentDeviceId, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Ids, DownloadPlainIds,
                         ::testing::Values("OXI 0000 001", "a.b-c_d(e)#1", "~!@$%^&'+=,;",
                                           "[x]{y}`z` xy"));

TEST_F(DownloadFaults, DeviceFolderThatCannotBeMadeIsNamedBeforeAnyMeasurementIsRead) {
  // A plain file where the device folder belongs: no record can be written.
  std::ofstream(Folder(kId)) << "not a folder";
  Plug(image);
  const DownloadResult result = Run();
  EXPECT_EQ(SectorReads(0), std::vector<std::string>{"SR,0000"});
  EXPECT_FALSE(ReceivedCommand(0, "SC"));
  EXPECT_FALSE(Erased(Memory(0)));
  const std::string reason = std::make_error_code(std::errc::not_a_directory).message();
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{FormatText(texts::kStoreNotWritableFormat,
                                                 Folder(kId).string().c_str(), reason.c_str()),
                                      texts::kUnplugUsb}));
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kStoreNotWritable});
  EXPECT_TRUE(result.Records().empty());
}

TEST_F(DownloadFaults, EraseCompletionInALaterReadIsAwaited) {
  Plug(image).faults = {{Kind::kEraseDuration, "DE", 2500}};
  const DownloadResult result = Run();
  ExpectEverythingStoredAndErased(result);
  // While the monitor erases, the bar counts tenths of a second, then shows 100.
  const auto& log = platform.Progress().log;
  const auto finishing =
      std::find(log.begin(), log.end(), std::string("status ") + texts::kFinishing);
  ASSERT_NE(finishing, log.end());
  const std::vector<std::string> erase(finishing + 1, log.end());
  ASSERT_GE(erase.size(), 20u);
  EXPECT_EQ(erase.front(), "bar 0");
  EXPECT_EQ(erase[1], "bar 1");
  EXPECT_EQ(erase[10], "bar 10");
  EXPECT_EQ(erase[erase.size() - 3], "bar 100");
}

// A refused or unanswered erase keeps every record but leaves the measurements on the
// monitor: the user is told, and the result says so.
class EraseNotTaken : public DownloadFaults, public ::testing::WithParamInterface<Kind> {};

TEST_P(EraseNotTaken, IsReportedToTheUser) {
  Plug(image).faults = {{GetParam(), "DE"}};
  const DownloadResult result = Run();
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kEraseFailed});
  EXPECT_FALSE(result.AllReadAndErased());
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_EQ(Records(kId).size(), 2u);
  EXPECT_EQ(Texts(), (std::vector<std::string>{texts::kCommunicationError, texts::kUnplugUsb}));
}

INSTANTIATE_TEST_SUITE_P(RefusedAndSilent, EraseNotTaken,
                         ::testing::Values(Kind::kNak, Kind::kSilence));

}  // namespace
}  // namespace oxi::testing
