#include "store/record_reader.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "platform/fs/files.h"

namespace oxi {
namespace {

// Samples read per call: the block size the monitor's sectors made customary.
constexpr int kSamplesPerBlock = 48;

}  // namespace

RecordReader::~RecordReader() {
  if (file_) std::fclose(file_);
}

RecordReader::Status RecordReader::Open(const std::filesystem::path& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return Status::kUnreadable;
  if (!std::filesystem::is_regular_file(status)) return Status::kNotAFile;
  const auto length = std::filesystem::file_size(path, ec);
  if (ec) return Status::kUnreadable;
  if (length < static_cast<std::uintmax_t>(kRecordHeaderSize)) return Status::kTooShort;
  const std::uintmax_t samples = (length - kRecordHeaderSize + kSampleSize - 1) / kSampleSize;
  if (samples > static_cast<std::uintmax_t>(kMaxRecordSamples)) return Status::kTooLarge;
  file_ = OpenStream(path, "rb");
  if (!file_) return Status::kUnreadable;
  std::array<std::uint8_t, kRecordHeaderSize> head;
  if (std::fread(head.data(), 1, head.size(), file_) != head.size()) return Status::kTooShort;
  header_ = DecodeHeader(head.data());
  samples_ = static_cast<long>(samples);
  return Status::kOk;
}

int RecordReader::ReadSamples(CurrentMeasurement& m) {
  if (!file_) return 0;
  m.EnsureCapacity(static_cast<int>(samples_));
  std::array<std::uint8_t, kSamplesPerBlock * kSampleSize> block;
  int count = 0;
  // The file may have grown since it was measured; the arrays hold what was measured.
  while (count < samples_) {
    const std::size_t want =
        std::min<std::size_t>(block.size(), (samples_ - count) * std::size_t{kSampleSize});
    const std::size_t got = std::fread(block.data(), 1, want, file_);
    if (got == 0) break;
    std::fill(block.begin() + got, block.end(), 0);
    const int decoded = static_cast<int>((got + kSampleSize - 1) / kSampleSize);
    DecodeSamples(block.data(), decoded, m, count);
    count += decoded;
    if (got < want) break;
  }
  return count;
}

void RecordReader::ReadInto(CurrentMeasurement& m) {
  TakeHeaderValues(header_, m);
  m.n = ReadSamples(m);
}

void TakeHeaderValues(const RecordHeader& h, CurrentMeasurement& m) {
  m.deviceId.assign(h.deviceId.begin(), h.deviceId.end());
  m.year = h.year;
  m.month = h.month;
  m.day = h.day;
  m.hour = h.hour;
  m.minute = h.minute;
  CopyHeadSettings(h, m);
  m.announcedSamples = h.announcedSamples;
}

RecordReader::Status DecodeRecord(std::string_view bytes, CurrentMeasurement& m) {
  if (bytes.size() < static_cast<std::size_t>(kRecordHeaderSize)) {
    return RecordReader::Status::kTooShort;
  }
  const std::size_t samples = (bytes.size() - kRecordHeaderSize + kSampleSize - 1) / kSampleSize;
  if (samples > static_cast<std::size_t>(kMaxRecordSamples)) return RecordReader::Status::kTooLarge;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  TakeHeaderValues(DecodeHeader(data), m);
  m.EnsureCapacity(static_cast<int>(samples));
  // The whole samples straight from the bytes; a trailing incomplete one from a copy
  // whose missing bytes are 0.
  const int whole = static_cast<int>((bytes.size() - kRecordHeaderSize) / kSampleSize);
  DecodeSamples(data + kRecordHeaderSize, whole, m, 0);
  if (static_cast<std::size_t>(whole) < samples) {
    std::array<std::uint8_t, kSampleSize> last{};
    const std::size_t at = kRecordHeaderSize + static_cast<std::size_t>(whole) * kSampleSize;
    std::copy(data + at, data + bytes.size(), last.begin());
    DecodeSamples(last.data(), 1, m, whole);
  }
  m.n = static_cast<int>(samples);
  m.headerStale = false;
  return RecordReader::Status::kOk;
}

const char* StatusText(RecordReader::Status status) {
  switch (status) {
    case RecordReader::Status::kOk:
      return "ok";
    case RecordReader::Status::kUnreadable:
      return "cannot be read";
    case RecordReader::Status::kNotAFile:
      return "is not a file";
    case RecordReader::Status::kTooShort:
      return "is shorter than a record header";
    case RecordReader::Status::kTooLarge:
      return "holds more samples than any measurement";
  }
  return "";
}

}  // namespace oxi
