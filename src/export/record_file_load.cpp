#include "export/record_file_load.h"

#include <fstream>
#include <iterator>

#include "store/record_reader.h"

namespace oxi {
namespace {

void TakeHeader(const RecordHeader& h, CurrentMeasurement& m) {
  m.year = h.year;
  m.month = h.month;
  m.day = h.day;
  m.hour = h.hour;
  m.minute = h.minute;
  std::copy(h.reserved.begin(), h.reserved.end(), m.reserved.begin());
  m.fatThickness = h.fatThickness;
  m.rate = h.rate;
  m.sto2Average = h.sto2Average;
  m.reserved4 = h.reserved4;
  m.maxHeartRate = h.maxHeartRate;
  m.currentSetting = h.currentSetting;
  m.announcedSamples = h.announcedSamples;
}

}  // namespace

std::string LoadRecordFile(const std::filesystem::path& path, CurrentMeasurement& m) {
  RecordReader reader;
  const RecordReader::Status status = reader.Open(path);
  if (status != RecordReader::Status::kOk) return StatusText(status);
  TakeHeader(reader.Header(), m);
  m.n = reader.ReadSamples(m);
  ComputeDisplaySeriesUnaveraged(m);
  m.title = MeasurementTitle(m.year, m.month, m.day, m.hour, m.minute);
  m.recordName = path.filename().string();
  return {};
}

std::optional<std::string> ReadCommentFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      text += "\r\n";
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace oxi
