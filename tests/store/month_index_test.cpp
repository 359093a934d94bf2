#include <gtest/gtest.h>

#include <cstdio>

#include "store/store_state.h"
#include "store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;
using testing::MakeHeader;
using testing::RecordBytes;
using testing::WriteBytes;

constexpr const char* kId = testing::kTestDeviceId;
constexpr const char* kOther = "ZZZZ-ZZZZ_ZZ";

class MonthIndexTest : public testing::DeviceFolderTest {
 protected:
  // A record of `id` put into the current device's folder under its own time's name.
  std::string Put(const std::string& id, int dd, int hh, int mi, const std::string& suffix = "") {
    const RecordHeader h = MakeHeader(id, 8, 3, dd, hh, mi);
    const std::string name = RecordBaseName(h) + suffix;
    WriteBytes(Folder(kId) / name, RecordBytes(h, 2));
    return name;
  }
  void Scan() { days = ScanMonth(store, 8, 3); }
  std::vector<int> MarkedDays() const {
    std::vector<int> marked;
    for (int d = 1; d <= 31; ++d) {
      if (days.test(d - 1)) marked.push_back(d);
    }
    return marked;
  }

  DaysWithRecords days;
};

TEST_F(MonthIndexTest, ListsTheMonthsRecordsInTimeOrderAndMarksTheirDays) {
  Put(kId, 20, 7, 0, ".oxi");
  Put(kId, 15, 9, 5, ".oxi");
  Put(kId, 15, 9, 5, "b.oxi");
  Put(kId, 15, 8, 0, ".OXI");
  WriteBytes(Folder(kId) / "0804010000.oxi", RecordBytes(MakeHeader(kId, 8, 4, 1, 0, 0), 1));
  WriteBytes(Folder(kId) / "0703150905.oxi", RecordBytes(MakeHeader(kId, 7, 3, 15, 9, 5), 1));
  Scan();
  EXPECT_EQ(store.monthList, (std::vector<std::string>{"0803150800.OXI", "0803150905.oxi",
                                                       "0803150905b.oxi", "0803200700.oxi"}));
  EXPECT_EQ(MarkedDays(), (std::vector<int>{15, 20}));
  EXPECT_EQ(SelectDay(store, 15), 3);
  EXPECT_EQ(store.dayList.front(), "0803150800.OXI");
  EXPECT_EQ(SelectDay(store, 20), 1);
  EXPECT_EQ(SelectDay(store, 14), 0);
  EXPECT_TRUE(store.dayList.empty());
}

TEST_F(MonthIndexTest, OneRecordMarksItsDayOnly) {
  Put(kId, 15, 9, 5, ".oxi");
  days.set();  // whatever the previous month showed
  Scan();
  EXPECT_EQ(MarkedDays(), std::vector<int>{15});
  for (int d = 1; d <= 31; ++d) EXPECT_EQ(SelectDay(store, d), d == 15 ? 1 : 0) << d;
}

TEST_F(MonthIndexTest, SkipsWhatIsNoReadableRecordOfTheMonth) {
  Put(kId, 10, 0, 0, ".oxi");
  WriteBytes(Folder(kId) / "0803110000.oxi", "");
  WriteBytes(Folder(kId) / "0803120000.oxi", "0123456789A");  // 11 bytes
  fs::create_directory(Folder(kId) / "0803130000.oxi");
  WriteBytes(Folder(kId) / "0803AB0000.oxi", RecordBytes(MakeHeader(kId, 8, 3, 14, 0, 0), 1));
  WriteBytes(Folder(kId) / "0803.oxi", RecordBytes(MakeHeader(kId, 8, 3, 14, 0, 0), 1));
  WriteBytes(Folder(kId) / "0803140000.txt", RecordBytes(MakeHeader(kId, 8, 3, 14, 0, 0), 1));
  WriteBytes(Folder(kId) / "0803000000.oxi", RecordBytes(MakeHeader(kId, 8, 3, 0, 0, 0), 1));
  WriteBytes(Folder(kId) / "0803990000.oxi", RecordBytes(MakeHeader(kId, 8, 3, 99, 0, 0), 1));
  Scan();
  EXPECT_EQ(store.monthList,
            (std::vector<std::string>{"0803000000.oxi", "0803100000.oxi", "0803990000.oxi"}));
  EXPECT_EQ(MarkedDays(), std::vector<int>{10});  // days 00 and 99 mark nothing
  EXPECT_TRUE(fs::exists(Folder(kId) / "0803120000.oxi"));
}

TEST_F(MonthIndexTest, RecordOfAnotherDeviceMovesToItsOwnersFolder) {
  const std::string mine = Put(kId, 15, 9, 5, ".oxi");
  const std::string theirs = Put(kOther, 16, 10, 0, ".oxi");
  Scan();
  EXPECT_EQ(store.monthList, std::vector<std::string>{mine});
  EXPECT_EQ(MarkedDays(), std::vector<int>{15});
  EXPECT_FALSE(fs::exists(Folder(kId) / theirs));
  EXPECT_EQ(testing::ReadBytes(Folder(kOther) / theirs),
            RecordBytes(MakeHeader(kOther, 8, 3, 16, 10, 0), 2));
}

TEST_F(MonthIndexTest, OwnerIdThatCannotNameAFolderLeavesTheRecordInPlace) {
  const std::vector<std::string> owners = {"../../etc/xx", std::string("ABC\0EFGHIJKL", 12),
                                           "ABCDEF/HIJKL", "..         .", "ABCDEFGHIJK\xff"};
  std::vector<std::string> names;
  for (std::size_t k = 0; k < owners.size(); ++k) {
    names.push_back(Put(owners[k], 20 + static_cast<int>(k), 0, 0, ".oxi"));
  }
  const auto before = testing::Names(store.dataRoot);
  Scan();
  EXPECT_TRUE(store.monthList.empty());
  for (const std::string& name : names) EXPECT_TRUE(fs::exists(Folder(kId) / name)) << name;
  EXPECT_EQ(testing::Names(store.dataRoot), before);
  EXPECT_EQ(testing::Names(tmp.Path()), std::vector<std::string>{"root"});
}

TEST_F(MonthIndexTest, MoveNeverReplacesAFileInTheOwnersFolder) {
  const std::string theirs = Put(kOther, 16, 10, 0, ".oxi");
  WriteBytes(Folder(kOther) / theirs, "already here");
  Scan();
  EXPECT_TRUE(store.monthList.empty());
  EXPECT_TRUE(fs::exists(Folder(kId) / theirs));
  EXPECT_EQ(testing::ReadBytes(Folder(kOther) / theirs), "already here");
}

TEST_F(MonthIndexTest, ABusyMonthMarksEveryDayAndADayListsAtMostFiveHundredTwelve) {
  for (int k = 0; k < 600; ++k) Put(kId, 1 + k / 60, k % 60 / 6, k % 6, ".oxi");
  Put(kId, 31, 23, 59, ".oxi");
  Scan();
  ASSERT_EQ(store.monthList.size(), 601u);
  EXPECT_EQ(store.monthList.front(), "0803010000.oxi");
  EXPECT_EQ(store.monthList.back(), "0803312359.oxi");
  // The days after the 512th record of the month keep their marks and their lists.
  EXPECT_EQ(MarkedDays(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 31}));
  EXPECT_EQ(SelectDay(store, 10), 60);
  EXPECT_EQ(SelectDay(store, 31), 1);
  EXPECT_EQ(store.dayList, std::vector<std::string>{"0803312359.oxi"});

  store.monthList.assign(600, "0803150905.oxi");
  EXPECT_EQ(SelectDay(store, 15), 512);
}

TEST_F(MonthIndexTest, NoDeviceFindsNothing) {
  Put(kId, 15, 9, 5, ".oxi");
  store.currentDeviceId = kNoDeviceId;
  Scan();
  EXPECT_TRUE(store.monthList.empty());
  EXPECT_TRUE(MarkedDays().empty());
}

}  // namespace
}  // namespace oxi
