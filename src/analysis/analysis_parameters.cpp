#include "analysis/analysis_parameters.h"

#include "store/record_file.h"

namespace oxi {
namespace {

// More integer digits than any field needs, so that no value overflows while parsed.
constexpr std::size_t kMaxIntegerDigits = 6;
constexpr char kZoneSeparator = ',';
constexpr int kHalfDigit = 5;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "12", "12.", "12.34", ".5": a plain decimal without sign or exponent, in tenths. The
// parse is our own, not strtod's, so a window's locale cannot change the decimal point.
std::optional<int> ParseTenths(std::string_view text) {
  std::size_t at = 0;
  int whole = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (at >= kMaxIntegerDigits) return std::nullopt;
    whole = whole * 10 + (text[at++] - '0');
  }
  const std::size_t integerDigits = at;
  int tenth = 0;
  bool roundUp = false;
  if (at < text.size() && text[at] == '.') {
    ++at;
    for (std::size_t k = 0; at < text.size() && IsDigit(text[at]); ++k, ++at) {
      if (k == 0) tenth = text[at] - '0';
      if (k == 1) roundUp = text[at] - '0' >= kHalfDigit;
    }
    if (integerDigits == 0 && at == integerDigits + 1) return std::nullopt;
  } else if (integerDigits == 0) {
    return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;
  return whole * kTenthsPerUnit + tenth + (roundUp ? 1 : 0);
}

std::optional<int> InRange(std::optional<int> value, int low, int high) {
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> ParseDelta(std::string_view text) {
  return InRange(ParseTenths(text), kMinDelta, kMaxDelta);
}

std::optional<int> ParseSmooth(std::string_view text) {
  return InRange(ParseTenths(text), 0, kMaxSmooth);
}

std::optional<std::vector<int>> ParseZones(std::string_view text) {
  std::vector<int> edges;
  while (true) {
    const std::size_t end = text.find(kZoneSeparator);
    const std::optional<int> edge = InRange(ParseTenths(text.substr(0, end)), 0, kMaxEdge);
    if (!edge || (!edges.empty() && *edge <= edges.back())) return std::nullopt;
    edges.push_back(*edge);
    if (end == std::string_view::npos) return edges;
    text.remove_prefix(end + 1);
  }
}

std::string TenthsText(int tenths) {
  std::string text = std::to_string(tenths / kTenthsPerUnit);
  if (tenths % kTenthsPerUnit != 0) {
    text += '.';
    text += std::to_string(tenths % kTenthsPerUnit);
  }
  return text;
}

std::string ZonesText(const std::vector<int>& zones) {
  std::string text;
  for (int edge : zones) {
    if (!text.empty()) text += kZoneSeparator;
    text += TenthsText(edge);
  }
  return text;
}

}  // namespace oxi
