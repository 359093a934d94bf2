#include "store/load_record.h"

#include <gtest/gtest.h>

#include "store/comment.h"
#include "store_test_util.h"

namespace oxi {
namespace {

namespace fs = std::filesystem;
using testing::MakeHeader;
using testing::RecordBytes;
using testing::WriteBytes;

using testing::kTestDeviceId;
constexpr const char* kId = kTestDeviceId;

class LoadRecordTest : public testing::DeviceFolderTest {
 protected:
  void Put(const std::string& name, const std::string& bytes) {
    WriteBytes(Folder() / name, bytes);
  }
  void PutComment(const std::string& key, const std::string& bytes) {
    WriteBytes(Folder() / "Comment" / key, bytes);
  }
  int Load(const std::string& name) { return LoadRecord(store, name, m, comment); }

  CurrentMeasurement m;
  std::string comment;
};

TEST_F(LoadRecordTest, ReadsHeaderSamplesAndTitle) {
  const RecordHeader h = MakeHeader(kId, 8, 3, 15, 9, 5);
  Put("0803150905.oxi", RecordBytes(h, 3600));
  ASSERT_EQ(Load("0803150905.oxi"), 1);
  EXPECT_EQ(m.n, 3600);
  EXPECT_EQ(m.sto2.size(), 3600u);
  EXPECT_EQ(m.title, "2008_0315_0905");
  EXPECT_EQ(m.recordName, "0803150905.oxi");
  EXPECT_EQ(m.fatThickness, 55);
  EXPECT_EQ(m.sto2Average, 683);
  EXPECT_EQ(m.maxHeartRate, 181);
  for (int i : {0, 3, 47, 48, 3599}) {
    const Sample s = testing::MakeSample(i);
    EXPECT_EQ(m.sto2[i], s.sto2) << i;
    EXPECT_EQ(m.hr[i], s.hr) << i;
    EXPECT_EQ(m.oxhb[i], s.oxhb) << i;
    EXPECT_EQ(m.dxhb[i], s.dxhb) << i;
  }

  Put("0803151000.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 10, 0), 3601));
  ASSERT_EQ(Load("0803151000.oxi"), 1);
  EXPECT_EQ(m.n, 3601);
  EXPECT_EQ(m.hr[3600], testing::MakeSample(3600).hr);
}

TEST_F(LoadRecordTest, TrailingIncompleteSampleReadsMissingBytesAsZero) {
  std::string bytes = RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 10);
  bytes += std::string("\x20\x03\x55", 3);
  Put("0803150905.oxi", bytes);
  ASSERT_EQ(Load("0803150905.oxi"), 1);
  EXPECT_EQ(m.n, 11);
  EXPECT_EQ(m.sto2[10], 0x0320);
  EXPECT_EQ(m.hr[10], 0x55);
  EXPECT_EQ(m.oxhb[10], 0);
  EXPECT_EQ(m.dxhb[10], 0);
}

TEST_F(LoadRecordTest, FailuresKeepThePreviousHeaderNameAndComment) {
  Put("0803150905.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 20));
  PutComment("0803150905", "first");
  ASSERT_EQ(Load("0803150905.oxi"), 1);
  ASSERT_EQ(comment, "first");

  Put("0803160000.oxi", "");
  Put("0803160001.oxi", std::string(28, '0'));
  Put("0803160002.oxi", RecordBytes(MakeHeader("0123456789AC", 8, 3, 16, 0, 2), 5));
  fs::create_directory(Folder() / "0803160003.oxi");
  WriteBytes(store.dataRoot / "0803160004.oxi", RecordBytes(MakeHeader(kId, 8, 3, 16, 0, 4), 5));
  for (const std::string& name : std::vector<std::string>{
           "0803160000.oxi", "0803160001.oxi", "0803160002.oxi", "0803160003.oxi", "missing.oxi",
           "../0803160004.oxi", "..", "", std::string("0803150905.oxi\0x", 16)}) {
    m.title = "stale";
    EXPECT_EQ(Load(name), -1) << name;
    EXPECT_EQ(m.n, 0) << name;
    EXPECT_EQ(m.title, "") << name;
    EXPECT_EQ(m.day, 15) << name;
    EXPECT_EQ(m.minute, 5) << name;
    EXPECT_EQ(m.recordName, "0803150905.oxi") << name;
    EXPECT_EQ(comment, "first") << name;
    EXPECT_TRUE(m.headerStale) << name;  // those header values are not this record's
  }
  ASSERT_EQ(Load("0803150905.oxi"), 1);
  EXPECT_FALSE(m.headerStale);
}

TEST_F(LoadRecordTest, FileOfTooManySamplesFailsBeforeAnythingGrows) {
  Put("0803150905.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 0));
  fs::resize_file(Folder() / "0803150905.oxi", kRecordHeaderSize + kSampleSize * 1'000'001L);
  EXPECT_EQ(Load("0803150905.oxi"), -1);
  EXPECT_EQ(m.n, 0);
  EXPECT_EQ(m.sto2.size(), 3600u);

  // The largest allowed still loads; its samples are the sparse file's zeros.
  fs::resize_file(Folder() / "0803150905.oxi", kRecordHeaderSize + kSampleSize * 1'000'000L);
  EXPECT_EQ(Load("0803150905.oxi"), 1);
  EXPECT_EQ(m.n, 1'000'000);
}

TEST_F(LoadRecordTest, HeaderWithoutSamplesLoadsNothingButTheHeader) {
  Put("0803150905.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 5));
  ASSERT_EQ(Load("0803150905.oxi"), 1);
  Put("0803200700.oxi", RecordBytes(MakeHeader(kId, 8, 3, 20, 7, 0), 0));
  PutComment("0803200700", "empty one");
  EXPECT_EQ(Load("0803200700.oxi"), 1);
  EXPECT_EQ(m.n, 0);
  EXPECT_EQ(m.title, "");
  EXPECT_EQ(m.recordName, "0803150905.oxi");
  EXPECT_EQ(m.day, 20);
  EXPECT_EQ(comment, "empty one");
}

TEST_F(LoadRecordTest, CommentFollowsTheSameRecordRule) {
  Put("0803150905.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 3));
  Put("0803150905b.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 4));
  Put("0803151000.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 10, 0), 3));
  PutComment("0803150905", "before");
  Load("0803150905.oxi");
  EXPECT_EQ(comment, "before");
  PutComment("0803150905", "after");
  Load("0803150905.oxi");
  EXPECT_EQ(comment, "before");  // same record again: the field stays
  Load("0803150905b.oxi");
  EXPECT_EQ(comment, "before");  // the same ten digits share one comment
  Load("0803151000.oxi");
  EXPECT_EQ(comment, "");  // no comment file
  Load("0803150905.oxi");
  EXPECT_EQ(comment, "after");
  fs::remove(Folder() / "Comment" / "0803150905");
  Load("0803150905.oxi");
  EXPECT_EQ(comment, "");  // missing empties even for the same record
}

TEST_F(LoadRecordTest, CommentTextEndsAtNulAndEveryLineEndsInCrLf) {
  Put("0803150905.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 9, 5), 3));
  Put("0803151000.oxi", RecordBytes(MakeHeader(kId, 8, 3, 15, 10, 0), 3));
  PutComment("0803150905", std::string("a\r\nb\nc\rd\r\r\n\x82\xa0\0tail", 16));
  Load("0803150905.oxi");
  EXPECT_EQ(comment, "a\r\nb\r\nc\r\nd\r\n\r\n\x82\xa0");

  std::string big(3'000'000, 'x');
  for (std::size_t i = 0; i < big.size(); i += 97) big[i] = static_cast<char>(1 + i % 255);
  PutComment("0803151000", big);
  Load("0803151000.oxi");
  EXPECT_GE(comment.size(), kMaxCommentBytes);
  EXPECT_LE(comment.size(), 2 * kMaxCommentBytes);  // bounded, even with its line ends
  EXPECT_EQ(comment.find('\0'), std::string::npos);

  fs::remove(Folder() / "Comment" / "0803150905");
  fs::create_directory(Folder() / "Comment" / "0803150905");
  Load("0803150905.oxi");
  EXPECT_EQ(comment, "");
}

TEST_F(LoadRecordTest, ACommentIsReadUpToItsBoundOnAWholeCharacter) {
  const fs::path file = Folder() / "Comment" / "c";
  auto read = [&](const std::string& bytes) {
    WriteBytes(file, bytes);
    return *ReadCommentFile(file);
  };
  // 20 MB of line ends: 64 KiB of them are read, each made CR LF, and the cut is said.
  const CommentText lineEnds = read(std::string(20'000'000, '\n'));
  EXPECT_TRUE(lineEnds.cut);
  EXPECT_EQ(lineEnds.text.size(), 2 * kMaxCommentBytes);
  const CommentText exact = read(std::string(kMaxCommentBytes, 'a'));
  EXPECT_FALSE(exact.cut);
  EXPECT_EQ(exact.text.size(), kMaxCommentBytes);
  // A double-byte character across the bound is left out whole; one ending on it stays.
  const CommentText across = read("a" + std::string(kMaxCommentBytes, '\x82'));
  EXPECT_TRUE(across.cut);
  EXPECT_EQ(across.text.size(), kMaxCommentBytes - 1);
  const CommentText ending = read(std::string(kMaxCommentBytes + 2, '\x82'));
  EXPECT_EQ(ending.text.size(), kMaxCommentBytes);
}

}  // namespace
}  // namespace oxi
