// Writes the seed corpora of the fuzz targets into OUT/<target>/, each seed made by the
// program's own writers: records through the record writer, monitor memories through the
// demo monitor and the memory image, reply frames through the sector reply encoder.
// Usage: make_seeds OUT
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/demo_monitor.h"
#include "monitor/protocol.h"
#include "platform/d2xx/monitor_image.h"
#include "platform/d2xx/simulated_d2xx.h"
#include "platform/text/cp932.h"
#include "store/record_writer.h"

namespace oxi::seeds {
namespace {

namespace fs = std::filesystem;
using namespace monitor;
using Bytes = std::string;

fs::path outRoot;

void Put(const char* target, const std::string& name, const Bytes& bytes) {
  const fs::path dir = outRoot / target;
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

Bytes U16(std::size_t v) {
  return {static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v & 0xFF)};
}

// A record of `n` samples as the record writer writes it; every seventh sample invalid.
Bytes RecordBytes(int n, int rate) {
  const fs::path dir = fs::temp_directory_path() / ("oxi-seeds-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  RecordFileWriter writer(dir);
  RecordHeader h;
  const std::string id = "FUZZ00000001";
  std::copy(id.begin(), id.end(), h.deviceId.begin());
  h.year = 8, h.month = 3, h.day = 15, h.hour = 9, h.minute = 5;
  h.fatThickness = 55, h.rate = static_cast<std::uint8_t>(rate), h.sto2Average = 683;
  h.maxHeartRate = 181, h.announcedSamples = static_cast<std::uint16_t>(n);
  writer.WriteHeader(h);
  for (int i = 0; i < n; ++i) {
    const auto sto2 = static_cast<std::int16_t>(i % 7 == 6 ? -1 : 400 + i * 3 % 500);
    writer.AppendSample({sto2, static_cast<std::uint8_t>(60 + i % 120),
                         static_cast<std::uint8_t>(i % 200),
                         static_cast<std::uint8_t>(i * 3 % 200)});
  }
  const auto stored = writer.Commit("0803150905");
  std::ifstream in(stored->path, std::ios::binary);
  Bytes bytes{std::istreambuf_iterator<char>(in), {}};
  fs::remove_all(dir);
  return bytes;
}

std::vector<Bytes> Comments() {
  const Bytes longLine = Utf8ToCp932(std::string(119, 'a') + "日本語のコメント");
  return {Utf8ToCp932("右脚 外側広筋\r\n3 セット目で疲労\r\n"), "line\nlone lf\rlone cr\r\n",
          longLine + "\r\n" + longLine, Bytes("before nul\0after", 16), ""};
}

void RecordSeeds() {
  int k = 0;
  for (const auto& [n, rate] :
       std::vector<std::pair<int, int>>{{0, 10}, {10, 5}, {150, 0}, {600, 20}}) {
    Put("record_fuzz", "seed" + std::to_string(k++), "\x01" + RecordBytes(n, rate));
  }
  Put("record_fuzz", "seed-part-sample", "\x15" + RecordBytes(20, 10) + "\x90\x01");
}

void CommentAndExportSeeds() {
  int k = 0;
  for (const Bytes& c : Comments()) {
    Put("comment_fuzz", "seed" + std::to_string(k), c);
    const Bytes record = RecordBytes(k * 97, 10);
    Put("export_fuzz", "seed" + std::to_string(k),
        Bytes(1, static_cast<char>(k * 37)) + U16(c.size()) + c + record);
    ++k;
  }
}

Bytes SectorFrame(const SectorBytes& sector) {
  return "\x02" + EncodeSectorReplyText("SR,0001,", sector) + "\x03";
}

void ReplySeeds() {
  MonitorImage image = MakeDemoMonitor({1, 1, "DEMO00000001", 40}, {2008, 3, 15, 9, 5, 0});
  const Bytes frame = SectorFrame(image.Sector(1));
  Put("reply_receiver_fuzz", "frame", Bytes(1, '\0') + frame);
  Put("reply_receiver_fuzz", "frame-chunks", Bytes("\x04\x05\x3E\x64\x01", 5) + frame);
  Put("reply_receiver_fuzz", "noise-frame", Bytes("\0#\x03Zq", 5) + frame);
  Put("reply_receiver_fuzz", "second-stx", Bytes(1, '\0') + frame.substr(0, 40) + frame);
  Put("reply_receiver_fuzz", "nak", Bytes("\0\x15", 2));
  Put("reply_receiver_fuzz", "ack-erase-done",
      Bytes("\x01\x01\x06\x02"
            "DE\x03",
            7));
}

Bytes ImageBytes(const MonitorImage& image) {
  Bytes bytes;
  for (int s = 0; s < image.SectorCount(); ++s)
    bytes.append(image.Sector(s).begin(), image.Sector(s).end());
  return bytes;
}

// A fault: kind, command selector, value, skip, times, as the download target reads them.
Bytes Fault(SimulatedFault::Kind kind, int command, int value, int times = 1) {
  return Bytes(1, static_cast<char>(kind)) + static_cast<char>(command) + U16(value) + '\0' +
         static_cast<char>(times);
}

void DownloadSeeds() {
  using Kind = SimulatedFault::Kind;
  const Bytes demo =
      ImageBytes(MakeDemoMonitor({1, 3, "DEMO00000001", 32}, {2008, 3, 15, 9, 5, 0}));
  // Two short measurements, the second coming round the end of a ring of 6 sectors.
  MonitorImage small(6);
  small.SetDeviceId("OXI000000001");
  HeadSector head;
  head.bcdStart = {0x08, 0x03, 0x15, 0x09, 0x05};
  head.rate = 10;
  std::vector<MonitorSample> samples;
  for (int i = 0; i < 120; ++i) {
    samples.push_back({static_cast<std::uint16_t>(i % 9 == 8 ? 0x8000 | 500 : 500 + i),
                       static_cast<std::uint8_t>(70 + i % 50), static_cast<std::uint8_t>(i),
                       static_cast<std::uint8_t>(200 - i)});
  }
  small.WriteMeasurement(1, head, samples);
  small.SetTableEntry(0, {1, 120});
  head.bcdStart[4] = 0x06;
  small.WriteMeasurement(4, head, {samples.begin(), samples.begin() + 100});
  small.SetTableEntry(1, {4, 100});
  const Bytes smallBytes = ImageBytes(small);
  Put("download_fuzz", "demo", Bytes(1, '\0') + demo);
  Put("download_fuzz", "ring-wrap", Bytes(1, '\0') + smallBytes);
  Put("download_fuzz", "split-and-late-erase",
      "\x02" + Fault(Kind::kSplitFrame, 1, 300) + Fault(Kind::kEraseDuration, 4, 2500) +
          smallBytes);
  Put("download_fuzz", "unplug", "\x01" + Fault(Kind::kUnplug, 1, 40, 3) + smallBytes);
  Put("download_fuzz", "sector-type", "\x01" + Fault(Kind::kSectorType, 17, 1) + smallBytes);
}

}  // namespace
}  // namespace oxi::seeds

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_seeds OUT\n");
    return 2;
  }
  oxi::seeds::outRoot = argv[1];
  oxi::seeds::RecordSeeds();
  oxi::seeds::CommentAndExportSeeds();
  oxi::seeds::ReplySeeds();
  oxi::seeds::DownloadSeeds();
  return 0;
}
