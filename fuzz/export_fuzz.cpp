// A record and a comment of any bytes, loaded as files, written as CSV, FIT and UTF-8
// CSV, and printed on a recording page context.
// Input: a control byte (bits 0..6: the moving-average window, bit 7: screen mode), the
// comment's length (two bytes) and bytes, then the record file's bytes.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/window_input.h"
#include "export/csv_export.h"
#include "export/fit_encoder.h"
#include "export/open_format.h"
#include "fuzz_support.h"
#include "graph/print_page.h"
#include "platform/gdi/recording_dc.h"
#include "platform/text/utf8.h"
#include "store/load_record.h"
#include "store/sample_count.h"

namespace oxi::fuzz {
namespace {

// A4 landscape, 297 x 210 mm, in device pixels.
constexpr double kPageWidthMm = 297;
constexpr double kPageHeightMm = 210;
constexpr double kMmPerInch = 25.4;
// Lines before the samples: date and settings, column titles.
constexpr int kCsvHeadLines = 2;

// True when every byte belongs to a well-formed UTF-8 character.
bool IsValidUtf8(std::string_view text) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t at = pos;
    if (NextCodePoint(text, pos) == kReplacementChar && text.substr(at, 3) != kReplacement) {
      return false;
    }
  }
  return true;
}

// Only CR LF line ends, one line per usable sample after the head, every sample line
// with as many fields as the column titles.
void CheckCsv(const std::string& csv, const CurrentMeasurement& m) {
  Check(csv.size() >= 2 && csv.compare(csv.size() - 2, 2, "\r\n") == 0, "CSV does not end a line");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < csv.size(); ++i) {
    if (csv[i] == '\r') Check(i + 1 < csv.size() && csv[i + 1] == '\n', "lone CR in CSV");
    if (csv[i] == '\n') {
      Check(i > 0 && csv[i - 1] == '\r', "lone LF in CSV");
      lines.push_back(csv.substr(start, i - 1 - start));
      start = i + 1;
    }
  }
  Check(static_cast<int>(lines.size()) == kCsvHeadLines + UsableSamples(m), "CSV line count",
        std::to_string(lines.size()));
  const auto fields = [](const std::string& line) {
    return std::count(line.begin(), line.end(), ',');
  };
  for (std::size_t i = kCsvHeadLines; i < lines.size(); ++i) {
    Check(fields(lines[i]) == fields(lines[kCsvHeadLines - 1]), "CSV sample line fields", lines[i]);
  }
}

// FIT and UTF-8 CSV either refuse the record with a reason or give a whole file: the FIT
// file's header counts its data and its CRC checks out, the CSV has a row per sample.
void CheckOpenFormats(const CurrentMeasurement& m) {
  for (OpenFormat format : {OpenFormat::kFit, OpenFormat::kCsvUtf8}) {
    const ExportedBytes made = OpenFormatBytes(format, m, ExportOptions{});
    if (!made.bytes) {
      Check(!made.error.empty(), "refused without a reason");
      continue;
    }
    const std::string& bytes = *made.bytes;
    if (format == OpenFormat::kFit) {
      Check(bytes.size() >= fit::kHeaderSize + fit::kCrcSize, "FIT file too short");
      std::uint32_t dataSize = 0;
      for (int i = 0; i < 4; ++i) dataSize |= std::uint32_t(std::uint8_t(bytes[4 + i])) << (8 * i);
      Check(dataSize == bytes.size() - fit::kHeaderSize - fit::kCrcSize, "FIT data size");
      Check(fit::Crc(bytes) == 0, "FIT CRC");
    } else {
      const auto rows = std::count(bytes.begin(), bytes.end(), '\n');
      Check(rows == UsableSamples(m) + 1, "UTF-8 CSV rows", std::to_string(rows));
    }
  }
}

// One document, pages opened and closed in turn, everything placed on the page, every
// text valid UTF-8.
void CheckPage(const RecordingDc& dc) {
  const auto& ops = dc.Ops();
  using Kind = RecordedOp::Kind;
  Check(!ops.empty() && ops.front().kind == Kind::kStartDoc && ops.back().kind == Kind::kEndDoc,
        "document not opened and closed");
  const int width = static_cast<int>(kPageWidthMm / kMmPerInch * dc.DpiX());
  const int height = static_cast<int>(kPageHeightMm / kMmPerInch * dc.DpiY());
  bool inPage = false;
  for (const RecordedOp& op : ops) {
    switch (op.kind) {
      case Kind::kStartPage:
        Check(!inPage, "page started twice");
        inPage = true;
        break;
      case Kind::kEndPage:
        Check(inPage, "page ended twice");
        inPage = false;
        break;
      case Kind::kStartDoc:
      case Kind::kEndDoc:
        Check(!inPage, "document boundary inside a page");
        break;
      default:
        Check(inPage, "drawing outside a page");
        for (const auto& [x, y] : {std::pair{op.x0, op.y0}, std::pair{op.x1, op.y1}}) {
          Check(x >= 0 && x <= width && y >= 0 && y <= height, "drawn off the page",
                std::to_string(x) + "," + std::to_string(y));
        }
        Check(IsValidUtf8(op.text), "text not UTF-8", op.text);
    }
  }
}

}  // namespace
}  // namespace oxi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace oxi;
  fuzz::Input in(data, size);
  const std::uint8_t control = in.Byte();
  const int window = kMinWindow + (control & 0x7F) % kMaxWindow;
  const int screenMode = control >> 7;
  const std::string_view comment = in.Bytes(in.U16());
  const std::string_view record = in.Rest();

  const auto folder = fuzz::Scratch::Fresh();
  fuzz::WriteFile(folder / "0803150905.oxi", record);
  fuzz::WriteFile(folder / "0803150905", comment);
  CurrentMeasurement m;
  if (!LoadRecordFile(folder / "0803150905.oxi", m).empty()) return 0;
  const auto commentCp932 = ReadCommentFile(folder / "0803150905");
  fuzz::Check(commentCp932.has_value(), "comment file unreadable");

  fuzz::CheckCsv(CsvBytes(m), m);
  fuzz::CheckOpenFormats(m);
  RecordingDc dc;
  DrawPrintedDocument(dc, m, window, screenMode, commentCp932->text);
  fuzz::CheckPage(dc);
  return 0;
}
