#include "app/window_input.h"

#include <gtest/gtest.h>

namespace oxi {
namespace {

TEST(EnteredWindow, AcceptsOneToHundredAsPlainDigits) {
  EXPECT_EQ(ParseEnteredWindow("1"), 1);
  EXPECT_EQ(ParseEnteredWindow("100"), 100);
  EXPECT_EQ(ParseEnteredWindow("42"), 42);
  EXPECT_EQ(ParseEnteredWindow("07"), 7);
  for (const char* bad : {"0", "101", "", "5a", "a", " 5", "5 ", "-5", "+5", "999", "１"}) {
    EXPECT_EQ(ParseEnteredWindow(bad), std::nullopt) << '"' << bad << '"';
  }
}

// Texts longer than the three digits a window has are refused, not cut short: "1000"
// must not read as 100, nor "0050" as 5.
TEST(EnteredWindow, LongerTextsAreRefused) {
  EXPECT_EQ(ParseEnteredWindow("1000"), std::nullopt);
  EXPECT_EQ(ParseEnteredWindow("0050"), std::nullopt);
  EXPECT_EQ(ParseEnteredWindow("10000000000000000000000"), std::nullopt);
}

TEST(SpinStep, StepsWithinOneToHundred) {
  EXPECT_EQ(SteppedWindowText("5", +1), "6");
  EXPECT_EQ(SteppedWindowText("5", -1), "4");
  EXPECT_EQ(SteppedWindowText("100", +1), "100");
  EXPECT_EQ(SteppedWindowText("1", -1), "1");
  EXPECT_EQ(SteppedWindowText("99", +1), "100");
  EXPECT_EQ(SteppedWindowText("0050", +1), "51");  // four digits still read
}

TEST(SpinStep, UnreadableTextsStayAsTheyAre) {
  for (const char* text : {"abc", "", "0", "101", "1000", "5a", " 5", "00050", "123456789012"}) {
    EXPECT_EQ(SteppedWindowText(text, +1), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(SteppedWindowText(text, -1), std::nullopt) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace oxi
