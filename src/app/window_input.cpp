#include "app/window_input.h"

#include <algorithm>

#include "platform/text/text_format.h"

namespace oxi {
namespace {

// The longest texts each reader takes: Enter reads three digits (100 has three), the spin
// step four; longer texts are refused rather than cut.
constexpr std::size_t kEnterDigits = 3;
constexpr std::size_t kStepDigits = 4;

// The value of a text of digits only, at most `maxDigits` long; nothing otherwise. An
// empty text is 0.
std::optional<int> DigitsValue(std::string_view text, std::size_t maxDigits) {
  if (text.size() > maxDigits) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool InWindowRange(int value) {
  return value >= kMinWindow && value <= kMaxWindow;
}

}  // namespace

std::optional<int> ParseEnteredWindow(std::string_view text) {
  const std::optional<int> value = DigitsValue(text, kEnterDigits);
  if (!value || !InWindowRange(*value)) return std::nullopt;
  return value;
}

std::optional<std::string> SteppedWindowText(std::string_view text, int direction) {
  const std::optional<int> value = DigitsValue(text, kStepDigits);
  if (!value || !InWindowRange(*value)) return std::nullopt;
  return FormatText("%d", std::clamp(*value + direction, kMinWindow, kMaxWindow));
}

}  // namespace oxi
