// Downloads of a monitor whose memory was kept by an earlier one: each measurement keeps one
// record file, damage read the same way twice lets the erase go ahead, records whose start
// time is no date are named by the download's time, and a store that cannot take records
// stops the download before the monitor is asked for anything.
#include <gtest/gtest.h>

#include <fstream>

#include "device_test_support.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;
using Kind = SimulatedFault::Kind;
using monitor::MonitorImage;

const std::string& kId = kTwoId;

using DownloadAgain = TwoMeasurementTest;

TEST_F(DownloadAgain, WholeReadingReplacesTheInterruptedOne) {
  MonitorImage memory = image;
  Again(memory, {{Kind::kSectorType, "SR,0003", 0x01}});
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(99));
  EXPECT_FALSE(Erased(memory));

  const DownloadResult result = Again(memory);
  EXPECT_EQ(Records(kId), (std::vector<std::string>{"0803150905.oxi", "0803161000.oxi"}));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(100));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803161000.oxi"), RecordB());
  ASSERT_EQ(result.measurements.size(), 2u);
  EXPECT_EQ(result.measurements[0].record->how, StoredAs::kExtended);
  EXPECT_EQ(result.measurements[1].record->how, StoredAs::kAlreadyStored);
  EXPECT_TRUE(Erased(memory));
}

TEST_F(DownloadAgain, DamageReadTheSameWayTwiceLetsTheEraseGoAhead) {
  MonitorImage memory = image;
  memory.Sector(3)[monitor::kTypeOffset] = 0x07;  // the monitor's own memory is damaged
  DownloadResult result = Again(memory);
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(99));
  EXPECT_FALSE(Erased(memory));
  EXPECT_EQ(Texts(), (std::vector<std::string>{NotErasedText(1), texts::kUnplugUsb}));
  EXPECT_FALSE(result.measurements[0].complete);

  // The second reading brings the same 99 samples: all the monitor can give. B cannot be
  // read this time, so only B keeps the memory, and the message counts only B.
  result = Again(memory, {{Kind::kNak, "SR,0004", 0, 0, -1}});
  EXPECT_TRUE(result.measurements[0].complete);
  EXPECT_FALSE(result.measurements[1].complete);
  EXPECT_FALSE(Erased(memory));
  EXPECT_EQ(Boxes()[2].text, NotErasedText(1));

  result = Again(memory);
  EXPECT_TRUE(Erased(memory));
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kErased});
  EXPECT_EQ(Records(kId), (std::vector<std::string>{"0803150905.oxi", "0803161000.oxi"}));
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905.oxi"), RecordA(99));
}

// A damaged head gives no record: the bytes read are noted, and the same bytes read again
// count as the monitor's own damage. A new measurement at that sector is no second reading.
TEST_F(DownloadAgain, DamagedHeadReadTheSameWayTwiceLetsTheEraseGoAhead) {
  MonitorImage memory = image;
  memory.Sector(1)[monitor::kTypeOffset] = 0x02;
  DownloadResult result = Again(memory);
  EXPECT_FALSE(result.measurements[0].record);
  EXPECT_FALSE(result.measurements[0].complete);
  EXPECT_FALSE(Erased(memory));
  EXPECT_EQ(Boxes()[Boxes().size() - 2].text, NotErasedText(1));

  MonitorImage moved = memory;  // another head sector's bytes at the same place
  moved.Sector(1)[monitor::kTypeOffset + 1] ^= 0xFF;
  Again(moved);
  EXPECT_FALSE(Erased(moved));

  Again(memory);  // the note now holds the other bytes: a first reading again
  EXPECT_FALSE(Erased(memory));
  result = Again(memory);
  EXPECT_TRUE(result.measurements[0].damagedHead);
  EXPECT_TRUE(result.measurements[0].complete);
  EXPECT_TRUE(Erased(memory));
  // The note goes with the erase: a new measurement there is read afresh.
  EXPECT_EQ(Records(kId), std::vector<std::string>{"0803161000.oxi"});
}

// The same sectors listed twice in one table are no second reading of the same damage.
TEST_F(DownloadAgain, DamageListedTwiceInOneTableKeepsTheMemory) {
  for (const int damaged : {3, 1}) {  // a continuation sector, then the head
    MonitorImage listedTwice =
        ImageBuilder(kId).Add(1, Head(8, 3, 15, 9, 5), a).AddEntry(1, 100).Build();
    listedTwice.Sector(damaged)[monitor::kTypeOffset] = 0x07;
    Again(listedTwice);
    EXPECT_FALSE(Erased(listedTwice)) << "damaged sector " << damaged;
  }
}

// Head start times that name no minute: the record keeps the bytes as read, and is named by
// the download's minute (the scripted clock says 2008-03-15 09:30) so the calendar shows it.
struct UndatedCase {
  std::array<std::uint8_t, 5> bcd;
  const char* name;  // the record's file name
};

class DownloadStartTimes : public DownloadAgain,
                           public ::testing::WithParamInterface<UndatedCase> {};

TEST_P(DownloadStartTimes, NameTheRecordOnlyWhenTheyAreReal) {
  monitor::HeadSector head = Head(8, 3, 15, 9, 5);
  head.bcdStart = GetParam().bcd;
  MonitorImage memory = ImageBuilder(kId).Add(1, head, a).Build();
  const DownloadResult result = Again(memory);
  EXPECT_EQ(Records(kId), std::vector<std::string>{GetParam().name});
  const auto& t = GetParam().bcd;
  EXPECT_EQ(
      ReadFileBytes(Folder(kId) / GetParam().name),
      ExpectedRecord(kId, monitor::BcdToInt(t[0]), monitor::BcdToInt(t[1]), monitor::BcdToInt(t[2]),
                     monitor::BcdToInt(t[3]), monitor::BcdToInt(t[4]), head, a, 100));
  EXPECT_EQ(result.measurements[0].undated, std::string(GetParam().name) == "0803150930.oxi");
  EXPECT_TRUE(Erased(memory));
}

INSTANTIATE_TEST_SUITE_P(
    Heads, DownloadStartTimes,
    ::testing::Values(UndatedCase{{0x26, 0x13, 0x01, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x00, 0x01, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x01, 0x1A, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x01, 0x00, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x01, 0xA5, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x02, 0x30, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x09, 0x02, 0x29, 0x10, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x01, 0x10, 0x25, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x26, 0x01, 0x10, 0x09, 0x61}, "0803150930.oxi"},
                      UndatedCase{{0xA0, 0x01, 0x10, 0x09, 0x00}, "0803150930.oxi"},
                      UndatedCase{{0x08, 0x02, 0x29, 0x23, 0x59}, "0802292359.oxi"},
                      UndatedCase{{0x99, 0x12, 0x31, 0x00, 0x00}, "9912310000.oxi"}));

TEST_F(DownloadAgain, UndatedRecordsAreFoundAgainByTheirBytes) {
  monitor::HeadSector undated = Head(8, 3, 15, 9, 5);
  undated.bcdStart = {0x26, 0x13, 0x01, 0x10, 0x00};
  monitor::HeadSector other = undated;
  other.fatThickness = 7;
  MonitorImage memory = ImageBuilder(kId).Add(1, undated, a).Add(4, other, b).Build();
  // B cannot be read the first time: the memory is kept.
  Again(memory, {{Kind::kNak, "SR,0004", 0, 0, -1}});
  EXPECT_EQ(Records(kId), std::vector<std::string>{"0803150930.oxi"});
  platform.now.minute = 45;
  const DownloadResult result = Again(memory);
  EXPECT_EQ(Records(kId), (std::vector<std::string>{"0803150930.oxi", "0803150945.oxi"}));
  EXPECT_EQ(result.measurements[0].record->how, StoredAs::kAlreadyStored);
  EXPECT_TRUE(Erased(memory));
}

TEST_F(DownloadAgain, LeftoversOfAKilledDownloadGoOnceTheyAreStale) {
  fs::create_directories(Folder(kId));
  std::ofstream(Folder(kId) / ".tmp-killed1234") << "half a record";
  std::ofstream(Folder(kId) / ".tmp-running123") << "a download at work";
  fs::last_write_time(Folder(kId) / ".tmp-killed1234",
                      fs::file_time_type::clock::now() - std::chrono::hours(2));
  MonitorImage memory = image;
  Again(memory);
  EXPECT_EQ(Records(kId),
            (std::vector<std::string>{".tmp-running123", "0803150905.oxi", "0803161000.oxi"}));
}

TEST_F(DownloadAgain, StoreThatCannotBeWrittenIsNamedBeforeTheMonitorIsAsked) {
  fs::remove_all(store.dataRoot);
  std::ofstream(store.dataRoot) << "a file where the data root belongs";
  SimulatedConverter& converter = Plug(image);
  const DownloadResult result = Run();
  EXPECT_TRUE(converter.commands.empty());
  EXPECT_FALSE(Erased(Memory(0)));
  EXPECT_TRUE(result.converters.empty());
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[0].caption, texts::kErrorCaption);
  const std::string reason = std::make_error_code(std::errc::not_a_directory).message();
  EXPECT_EQ(Boxes()[0].text, FormatText(texts::kStoreNotWritableFormat,
                                        store.dataRoot.string().c_str(), reason.c_str()));
  EXPECT_EQ(Boxes()[1].text, texts::kUnplugUsb);
}

}  // namespace
}  // namespace oxi::testing
