#include "analysis/figures_cache_file.h"

#include <bit>
#include <charconv>
#include <vector>

#include "analysis/trend_cache.h"

namespace oxi {
namespace {

constexpr std::string_view kMagic = "OXIFIGURES";
constexpr std::string_view kEnd = "END";
constexpr int kFormatVersion = 1;
constexpr char kSeparator = '\t';
constexpr char kLineEnd = '\n';
constexpr std::string_view kNone = "-";
constexpr int kHexBase = 16;
constexpr const char* kHexDigits = "0123456789abcdef";
constexpr int kNibbleBits = 4;
constexpr unsigned kNibble = 0xF;
constexpr int kHeadFields = 6;  // magic, format, algorithm, delta, smooth, zones
constexpr int kKeyFields = 6;   // name, size, time, CRC, device, start

std::string Hex(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    out += kHexDigits[c >> kNibbleBits];
    out += kHexDigits[c & kNibble];
  }
  return out;
}

std::optional<std::string> Unhex(std::string_view hex) {
  if (hex.size() % 2) return std::nullopt;
  std::string out;
  for (std::size_t at = 0; at < hex.size(); at += 2) {
    unsigned byte = 0;
    const auto [end, ec] = std::from_chars(hex.data() + at, hex.data() + at + 2, byte, kHexBase);
    if (ec != std::errc() || end != hex.data() + at + 2) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

template <typename T>
std::string Number(T value, int base = 10) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, base);
  return std::string(text, end);
}

template <typename T>
bool ReadNumber(std::string_view text, T& value, int base = 10) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string Value(const std::optional<double>& v) {
  return v ? Number(std::bit_cast<std::uint64_t>(*v), kHexBase) : std::string(kNone);
}

bool ReadValue(std::string_view text, std::optional<double>& v) {
  if (text == kNone) return v.reset(), true;
  std::uint64_t bits = 0;
  if (!ReadNumber(text, bits, kHexBase)) return false;
  v = std::bit_cast<double>(bits);
  return true;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t at = 0;;) {
    const std::size_t tab = line.find(kSeparator, at);
    fields.push_back(line.substr(at, tab - at));
    if (tab == std::string_view::npos) return fields;
    at = tab + 1;
  }
}

std::string Head(const AnalysisParameters& p) {
  return std::string(kMagic) + kSeparator + Number(kFormatVersion) + kSeparator +
         Number(kFiguresAlgorithmVersion) + kSeparator + Number(p.delta) + kSeparator +
         Number(p.smooth) + kSeparator + ZonesText(p.zones);
}

std::string Row(const std::string& name, const CachedFigures& c) {
  const RecordFigures& f = c.figures;
  std::string out = Hex(name) + kSeparator + Number(c.key.size) + kSeparator +
                    Number(c.key.modified) + kSeparator + Number(c.key.crc, kHexBase) + kSeparator +
                    Hex(f.device) + kSeparator + (f.start ? Hex(*f.start) : std::string(kNone));
  for (const std::optional<double>& v : f.values) out += kSeparator + Value(v);
  out += kSeparator + Number(f.zoneSeconds.size());
  for (double z : f.zoneSeconds) out += kSeparator + Value(z);
  return out;
}

// One row; false when its fields are not what a row holds.
bool ReadRow(std::string_view line, FiguresRows& rows) {
  const std::vector<std::string_view> f = Fields(line);
  std::size_t zones = 0;
  if (f.size() < kKeyFields + kFigureCount + 1 ||
      !ReadNumber(f[kKeyFields + kFigureCount], zones) ||
      f.size() != kKeyFields + kFigureCount + 1 + zones) {
    return false;
  }
  CachedFigures c;
  const std::optional<std::string> name = Unhex(f[0]), device = Unhex(f[4]);
  if (!name || !device || !ReadNumber(f[1], c.key.size) || !ReadNumber(f[2], c.key.modified) ||
      !ReadNumber(f[3], c.key.crc, kHexBase)) {
    return false;
  }
  c.figures.device = *device;
  if (f[5] != kNone && !(c.figures.start = Unhex(f[5]))) return false;
  for (int k = 0; k < kFigureCount; ++k) {
    if (!ReadValue(f[kKeyFields + k], c.figures.values[k])) return false;
  }
  for (std::size_t z = 0; z < zones; ++z) {
    std::optional<double> seconds;
    if (!ReadValue(f[kKeyFields + kFigureCount + 1 + z], seconds) || !seconds) return false;
    c.figures.zoneSeconds.push_back(*seconds);
  }
  rows[*name] = std::move(c);
  return true;
}

// Why the head line cannot be read; empty when it is this format's.
std::string HeadProblem(std::string_view line) {
  const std::vector<std::string_view> f = Fields(line);
  int format = 0;
  if (f.size() != kHeadFields || f[0] != kMagic || !ReadNumber(f[1], format)) {
    return "not a figures cache";
  }
  if (format > kFormatVersion) return "written by a newer version";
  if (format != kFormatVersion) return "an unknown format";
  return {};
}

}  // namespace

std::string FormatFiguresCache(const FiguresRows& rows, const AnalysisParameters& parameters) {
  std::string out = Head(parameters) + kLineEnd;
  for (const auto& [name, c] : rows) out += Row(name, c) + kLineEnd;
  return out + std::string(kEnd) + kSeparator + Number(rows.size()) + kLineEnd;
}

ParsedCache ParseFiguresCache(std::string_view text, const AnalysisParameters& parameters) {
  ParsedCache parsed;
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find(kLineEnd, at);
    if (end == std::string_view::npos) return {{}, "cut short"};
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  if (lines.empty()) return {{}, "empty"};
  if (std::string problem = HeadProblem(lines.front()); !problem.empty()) {
    return {{}, std::move(problem)};
  }
  std::size_t count = 0;
  const std::vector<std::string_view> end = Fields(lines.back());
  if (lines.size() < 2 || end.size() != 2 || end[0] != kEnd || !ReadNumber(end[1], count) ||
      count != lines.size() - 2) {
    return {{}, "cut short"};
  }
  for (std::size_t k = 1; k + 1 < lines.size(); ++k) {
    if (!ReadRow(lines[k], parsed.rows)) return {{}, "a damaged row"};
  }
  // Figures of another algorithm or other parameters are no figures of these.
  if (lines.front() != Head(parameters)) parsed.rows.clear();
  return parsed;
}

}  // namespace oxi
