#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace oxi {

// The moving-average window the user may enter.
inline constexpr int kMinWindow = 1;
inline constexpr int kMaxWindow = 100;

// The window a confirmed edit text stands for: at most three digits making 1..100.
// Nothing for anything else (a blank, a letter, an empty text, a longer text), which the
// screen answers with its "invalid input" message.
std::optional<int> ParseEnteredWindow(std::string_view text);

// The edit text after one spin step of `direction` (+1 or -1), kept within 1..100; nothing
// when the text is not a number 1..100 of at most four digits, which then stays as it is.
std::optional<std::string> SteppedWindowText(std::string_view text, int direction);

}  // namespace oxi
