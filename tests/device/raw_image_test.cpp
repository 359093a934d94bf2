// The raw image a download keeps before the erase, and the records decoded from it again:
// the download's own, byte for byte, whatever the decoder that ran at download time did.
#include <gtest/gtest.h>

#include <fstream>

#include "app/download_view.h"

#include "device/raw_recovery.h"
#include "device_test_support.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "store/raw_images.h"

namespace oxi::testing {
namespace {

namespace fs = std::filesystem;
using monitor::RawImage;

const std::string& kId = kTwoId;

// A decoder with a fault of ours: it drops the invalid mark.
Sample FaultyDecoder(const monitor::MonitorSample& s) {
  Sample sample = ToRecordSample(s);
  if (sample.sto2 < 0) sample.sto2 = static_cast<std::int16_t>(-sample.sto2);
  return sample;
}

class RawImageTest : public TwoMeasurementTest {
 protected:
  void SetUp() override {
    TwoMeasurementTest::SetUp();
    // B's start is no date: its record is named by the download's minute, which recovery
    // must give it again.
    image =
        ImageBuilder(kId).Add(1, Head(8, 3, 15, 9, 5), a).Add(4, Head(8, 13, 16, 10, 0), b).Build();
  }
  DownloadResult RunWith(SampleDecoder decode) {
    WindowDownloadEvents events(platform, [this] { ScanShownMonth(); });
    return Download(events, d2xx, store, decode);
  }
  RawImage KeptImage() const {
    const std::vector<fs::path> images = ListRawImages(Folder(kId));
    EXPECT_EQ(images.size(), 1u);
    std::string problem;
    const auto bytes = ReadRawImageFile(images.at(0), 1 << 20, &problem);
    const auto decoded = monitor::DecodeRawImage(bytes.value_or(""), &problem);
    EXPECT_TRUE(decoded) << problem;
    return decoded.value_or(RawImage{});
  }
  StoreState FreshStore(const std::string& name) const {
    StoreState fresh;
    fs::create_directories(dir / name);
    StartStore(fresh, dir / name, ChooseFirstDevice);
    return fresh;
  }
};

TEST_F(RawImageTest, EverySectorReadIsKeptWithItsNumber) {
  Plug(image);
  const DownloadResult result = RunWith(ToRecordSample);
  ASSERT_TRUE(result.AllReadAndErased());
  const RawImage kept = KeptImage();
  std::vector<int> numbers;
  for (const monitor::RawSector& sector : kept.sectors) {
    numbers.push_back(sector.number);
    EXPECT_EQ(sector.bytes, image.Sector(sector.number)) << sector.number;
  }
  EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(std::string(kept.deviceId.begin(), kept.deviceId.end()), kId);
  const LocalTime& now = platform.now;
  EXPECT_EQ(kept.time, (monitor::RawImageTime{now.year, now.month, now.day, now.hour, now.minute,
                                              now.second}));
}

// No image on disk, no erase: the message names the folder as for a store that cannot
// take records.
TEST_F(RawImageTest, AnImageThatCannotBeWrittenKeepsTheMemory) {
  fs::create_directories(Folder(kId));
  std::ofstream(RawFolder(Folder(kId))) << "a file where the folder belongs";
  Plug(image);
  const DownloadResult result = RunWith(ToRecordSample);
  EXPECT_EQ(result.converters, std::vector<ConverterOutcome>{ConverterOutcome::kNotErased});
  EXPECT_FALSE(ReceivedCommand(0, "DE"));
  EXPECT_FALSE(Erased(Memory(0)));
  const std::string named =
      FormatText(texts::kStoreNotWritableFormat, RawFolder(Folder(kId)).string().c_str(), "");
  ASSERT_FALSE(Texts().empty());
  EXPECT_EQ(Texts()[0].substr(0, named.size() - 3), named.substr(0, named.size() - 3));
}

TEST_F(RawImageTest, RecoveryGivesTheRightRecordsAFaultyDecoderGotWrong) {
  Plug(image);
  ASSERT_TRUE(RunWith(FaultyDecoder).AllReadAndErased());
  const std::vector<std::string> names = Records(kId);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_NE(ReadFileBytes(Folder(kId) / names[0]), RecordA(100));
  const RawImage kept = KeptImage();

  const StoreState fresh = FreshStore("fresh");
  const RawRecovery first = RecoverRawImage(kept, fresh);
  EXPECT_EQ(first.written, 2);
  const fs::path freshFolder = DeviceFolder(fresh, kId);
  EXPECT_EQ(ReadFileBytes(freshFolder / names[0]), RecordA(100));
  EXPECT_EQ(ReadFileBytes(freshFolder / names[1]),
            ExpectedRecord(kId, 8, 13, 16, 10, 0, Head(8, 13, 16, 10, 0), b, 30));
  const RawRecovery again = RecoverRawImage(kept, fresh);
  EXPECT_EQ(again.written, 0);
  EXPECT_EQ(again.alreadyStored, 2);

  // Into the store the faulty records are in: they stay, the right ones take the next letter.
  const Bytes wrong = ReadFileBytes(Folder(kId) / names[0]);
  EXPECT_EQ(RecoverRawImage(kept, store).written, 2);
  EXPECT_EQ(ReadFileBytes(Folder(kId) / names[0]), wrong);
  EXPECT_EQ(ReadFileBytes(Folder(kId) / "0803150905b.oxi"), RecordA(100));
  EXPECT_EQ(Records(kId).size(), 4u);
}

}  // namespace
}  // namespace oxi::testing
