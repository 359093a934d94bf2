#include "device_test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/download_view.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi::testing {
namespace fs = std::filesystem;
using namespace monitor;

HeadSector Head(int yy, int mm, int dd, int hh, int mi) {
  HeadSector h;
  h.bcdStart = {IntToBcd(yy), IntToBcd(mm), IntToBcd(dd), IntToBcd(hh), IntToBcd(mi)};
  h.reserved = {0xA1, 0xA2, 0xA3};
  h.fatThickness = 45;
  h.rate = 5;
  h.sto2Average = 0x0291;  // 65.7 %
  h.reserved4 = 0xB4;
  h.maxHeartRate = 171;
  h.currentSetting = 3;
  return h;
}

std::vector<MonitorSample> Samples(int n, int seed) {
  std::vector<MonitorSample> samples;
  for (int i = 0; i < n; ++i) {
    auto sto2 = static_cast<std::uint16_t>(400 + (i * 7 + seed * 13) % 500);
    if (i % 7 == 6) sto2 |= kInvalidSampleBit;
    samples.push_back({sto2, static_cast<std::uint8_t>(60 + (i + seed) % 120),
                       static_cast<std::uint8_t>((i * 3 + seed) % 200),
                       static_cast<std::uint8_t>((i * 5 + seed) % 200)});
  }
  return samples;
}

Bytes ExpectedRecord(const std::string& id, int yy, int mm, int dd, int hh, int mi,
                     const HeadSector& head, const std::vector<MonitorSample>& samples,
                     int announced) {
  Bytes b(id.begin(), id.end());
  for (int v : {yy, mm, dd, hh, mi}) b.push_back(static_cast<std::uint8_t>(v));
  b.insert(b.end(), head.reserved.begin(), head.reserved.end());
  b.push_back(head.fatThickness);
  b.push_back(head.rate);
  b.push_back(head.sto2Average & 0xFF);
  b.push_back(head.sto2Average >> 8);
  b.push_back(head.reserved4);
  b.push_back(head.maxHeartRate);
  b.push_back(head.currentSetting);
  b.push_back(announced & 0xFF);
  b.push_back(announced >> 8);
  for (const MonitorSample& s : samples) {
    b.push_back(s.sto2 & 0xFF);
    b.push_back(s.sto2 >> 8);
    b.push_back(s.hr);
    b.push_back(s.oxhb);
    b.push_back(s.dxhb);
  }
  return b;
}

Bytes ReadFileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ImageBuilder::ImageBuilder(std::string id, int ringSize) : image_(ringSize) {
  image_.SetDeviceId(id);
}

ImageBuilder& ImageBuilder::Add(int first, const HeadSector& head,
                                const std::vector<MonitorSample>& samples) {
  image_.WriteMeasurement(first, head, samples);
  return AddEntry(first, static_cast<int>(samples.size()));
}

ImageBuilder& ImageBuilder::AddEntry(int first, int sampleCount) {
  image_.SetTableEntry(
      entries_++, {static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(sampleCount)});
  return *this;
}

void DownloadTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = fs::temp_directory_path() /
        (std::string("oxi-device-") + info->test_suite_name() + "-" + info->name());
  fs::remove_all(dir);
  fs::create_directories(dir);
  StartStore(store, dir, ChooseFirstDevice);
}

void DownloadTest::TearDown() {
  fs::remove_all(dir);
}

SimulatedConverter& DownloadTest::Plug(MonitorImage image, const std::string& serial) {
  return d2xx.AddConverter(serial, std::make_unique<SimulatedMonitor>(std::move(image)));
}

DownloadResult DownloadTest::Run() {
  WindowDownloadEvents events(platform, [this] { ScanShownMonth(); });
  return Download(events, d2xx, store);
}

std::vector<std::string> DownloadTest::Records(const std::string& id) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(Folder(id), ec), end; !ec && it != end; it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> DownloadTest::SectorReads(int converter) {
  std::vector<std::string> reads;
  for (const std::string& c : d2xx.Converter(converter).commands) {
    if (c.rfind("SR", 0) == 0) reads.push_back(c);
  }
  return reads;
}

bool DownloadTest::ReceivedCommand(int converter, const std::string& prefix) {
  const auto& commands = d2xx.Converter(converter).commands;
  return std::any_of(commands.begin(), commands.end(),
                     [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}

bool DownloadTest::Erased(const MonitorImage& image) {
  return ReadTableEntry(image.System(), 0).firstSector == kEndOfTable;
}

void TwoMeasurementTest::SetUp() {
  DownloadTest::SetUp();
  image =
      ImageBuilder(kTwoId).Add(1, Head(8, 3, 15, 9, 5), a).Add(4, Head(8, 3, 16, 10, 0), b).Build();
}

Bytes TwoMeasurementTest::RecordA(int samples) const {
  const std::vector<MonitorSample> part(a.begin(), a.begin() + samples);
  return ExpectedRecord(kTwoId, 8, 3, 15, 9, 5, Head(8, 3, 15, 9, 5), part, 100);
}

Bytes TwoMeasurementTest::RecordB() const {
  return ExpectedRecord(kTwoId, 8, 3, 16, 10, 0, Head(8, 3, 16, 10, 0), b, 30);
}

DownloadResult TwoMeasurementTest::Again(MonitorImage& memory, std::vector<SimulatedFault> faults) {
  SimulatedD2xx line(platform.Virtual());
  line.AddConverter("Kx47A001", std::make_unique<SimulatedMonitor>(memory)).faults = faults;
  WindowDownloadEvents events(platform, [this] { ScanShownMonth(); });
  const DownloadResult result = Download(events, line, store);
  memory = line.Converter(0).monitor->Image();
  return result;
}

std::vector<std::string> TwoMeasurementTest::Texts() const {
  std::vector<std::string> texts;
  for (const auto& box : Boxes()) texts.push_back(box.text);
  return texts;
}

std::string TwoMeasurementTest::NotErasedText(int incomplete) {
  return FormatText(texts::kNotErasedFormat, incomplete);
}

}  // namespace oxi::testing
