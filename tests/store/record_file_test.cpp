#include "store/record_file.h"

#include <gtest/gtest.h>

#include "store/record_reader.h"

namespace oxi {
namespace {

RecordHeader SampleHeader() {
  RecordHeader h;
  const char* id = "0123456789AB";
  for (int i = 0; i < kDeviceIdLength; ++i) h.deviceId[i] = id[i];
  h.year = 8;
  h.month = 3;
  h.day = 15;
  h.hour = 9;
  h.minute = 5;
  h.reserved = {0xA1, 0xA2, 0xA3};
  h.fatThickness = 55;
  h.rate = 10;
  h.sto2Average = 0x02AB;
  h.reserved4 = 0xB4;
  h.maxHeartRate = 181;
  h.currentSetting = 0xC6;
  h.announcedSamples = 0x0E10;
  return h;
}

TEST(RecordFile, HeaderBytesAreLittleEndianInFieldOrder) {
  const auto b = EncodeHeader(SampleHeader());
  const std::uint8_t expected[kRecordHeaderSize] = {
      '0', '1', '2',  '3',  '4',  '5', '6', '7',  '8',  '9',  'A', 'B',  8,    3,   15,
      9,   5,   0xA1, 0xA2, 0xA3, 55,  10,  0xAB, 0x02, 0xB4, 181, 0xC6, 0x10, 0x0E};
  for (int i = 0; i < kRecordHeaderSize; ++i) EXPECT_EQ(b[i], expected[i]) << "byte " << i;
  EXPECT_EQ(DecodeHeader(b.data()), SampleHeader());
}

TEST(RecordFile, SampleBytesKeepSignAndOrder) {
  const Sample valid{683, 142, 17, 250};
  const auto b = EncodeSample(valid);
  EXPECT_EQ(b[0], 0xAB);
  EXPECT_EQ(b[1], 0x02);
  EXPECT_EQ(b[2], 142);
  EXPECT_EQ(b[3], 17);
  EXPECT_EQ(b[4], 250);
  EXPECT_EQ(DecodeSample(b.data()), valid);

  const std::uint8_t invalidBytes[kSampleSize] = {0xFF, 0xFF, 0, 0, 0};
  const Sample invalid = DecodeSample(invalidBytes);
  EXPECT_EQ(invalid.sto2, -1);
  EXPECT_FALSE(invalid.Valid());
  EXPECT_EQ(EncodeSample(Sample{-32768, 1, 2, 3})[1], 0x80);
}

TEST(RecordFile, NamesComeFromTheStartTime) {
  EXPECT_EQ(RecordBaseName(SampleHeader()), "0803150905");
  EXPECT_EQ(RecordFileName(SampleHeader()), "0803150905.oxi");
  RecordHeader late = SampleHeader();
  late.year = 99;
  late.month = 12;
  late.day = 31;
  late.hour = 23;
  late.minute = 59;
  EXPECT_EQ(RecordFileName(late), "9912312359.oxi");
}

// A start time that is no real minute is not passed off as one in the title, which names
// files: the title is the minute the record is filed under, or its name.
TEST(RecordFile, TitlesNameRealMinutesOnly) {
  struct Case {
    int year, month, day, hour, minute;
    const char* recordName;
    const char* title;
  };
  const Case cases[] = {
      {8, 3, 15, 9, 5, "0803150905.oxi", "2008_0315_0905"},
      {99, 12, 31, 23, 59, "x.oxi", "2099_1231_2359"},
      {127, 1, 1, 0, 0, "2603151200.oxi", "2026_0315_1200"},  // no four-digit year
      {26, 13, 15, 9, 5, "2603151200b.oxi", "2026_0315_1200"},
      {127, 1, 1, 0, 0, "2613151200.oxi", "2613151200"},
      {127, 1, 1, 0, 0, "weird.oxi", "weird"},
      {127, 1, 1, 0, 0, ".oxi", "no-data"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MeasurementTitle(c.year, c.month, c.day, c.hour, c.minute, c.recordName), c.title)
        << c.year << " " << c.month << " " << c.recordName;
  }
}

TEST(RecordFile, EveryHeaderValueReachesTheMeasurement) {
  CurrentMeasurement m;
  TakeHeaderValues(SampleHeader(), m);
  EXPECT_EQ((std::array<int, 5>{m.year, m.month, m.day, m.hour, m.minute}),
            (std::array<int, 5>{8, 3, 15, 9, 5}));
  EXPECT_EQ(m.reserved, (std::array<int, 3>{0xA1, 0xA2, 0xA3}));
  EXPECT_EQ(m.fatThickness, 55);
  EXPECT_EQ(m.rate, 10);
  EXPECT_EQ(m.sto2Average, 0x02AB);
  EXPECT_EQ(m.reserved4, 0xB4);
  EXPECT_EQ(m.maxHeartRate, 181);
  EXPECT_EQ(m.currentSetting, 0xC6);
  EXPECT_EQ(m.announcedSamples, 0x0E10);
}

}  // namespace
}  // namespace oxi
