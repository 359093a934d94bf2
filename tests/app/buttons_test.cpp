#include "app/buttons.h"

#include <gtest/gtest.h>

#include "app/screen_layout.h"
#include "platform/gdi/recording_dc.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

constexpr Colorref kOutline = Rgb(128, 192, 255);
constexpr Colorref kLightBevel = Rgb(245, 255, 255);
constexpr Colorref kDarkBevel = Rgb(192, 230, 255);
constexpr Colorref kPressedBevel = Rgb(212, 245, 255);
constexpr Colorref kFaceNormal = Rgb(212, 245, 255);
constexpr Colorref kFaceHovered = Rgb(232, 245, 255);
constexpr Colorref kFacePressed = Rgb(192, 230, 255);
constexpr Colorref kPaper = Rgb(1, 2, 3);

struct Look {
  int look;
  Colorref face, upperLeft, commandLowerRight, spinLowerRight;
};
constexpr Look kLooks[] = {
    {kButtonNormal, kFaceNormal, kLightBevel, kDarkBevel, kDarkBevel},
    {kButtonHovered, kFaceHovered, kLightBevel, kDarkBevel, kLightBevel},
    {kButtonPressed, kFacePressed, kPressedBevel, kPressedBevel, kPressedBevel},
};

Surface Drawn(int code) {
  Surface s(kFaceWidth, kFaceHeight, kPaper);
  SurfaceDc dc(s);
  DrawButton(dc, code);
  return s;
}

TEST(CommandButtons, ShapeAndColoursOfEveryLook) {
  for (int control : {kDownloadButton, kPrintButton, kSaveButton}) {
    const ButtonRect r = ButtonRectOf(control);
    for (const Look& look : kLooks) {
      const Surface s = Drawn(ButtonCode(control, look.look));
      SCOPED_TRACE(ButtonCode(control, look.look));
      EXPECT_EQ(s.Pixel(r.left, 30), kOutline);
      EXPECT_EQ(s.Pixel(r.right, 30), kOutline);
      EXPECT_EQ(s.Pixel(r.left + 10, r.top), kOutline);
      EXPECT_EQ(s.Pixel(r.left + 10, r.bottom), kOutline);
      EXPECT_EQ(s.Pixel(r.left, r.bottom), kPaper);  // the outline leaves its corners out
      EXPECT_EQ(s.Pixel(r.right, r.top), kPaper);
      EXPECT_EQ(s.Pixel(r.left + 2, 30), look.upperLeft);
      EXPECT_EQ(s.Pixel(r.left + 10, r.top + 2), look.upperLeft);
      EXPECT_EQ(s.Pixel(r.right - 1, 30), look.commandLowerRight);
      EXPECT_EQ(s.Pixel(r.left + 10, r.bottom - 1), look.commandLowerRight);
      EXPECT_EQ(s.Pixel(r.left + 4, 44), look.face);
      EXPECT_EQ(s.Pixel(r.left + 3, r.top + 3), kPaper);  // rounded inner corner
      EXPECT_EQ(s.Pixel(r.left + 4, r.top + 3), look.face);
    }
  }
}

TEST(CommandButtons, CaptionsInTheScreenFontOnTheFace) {
  RecordingDc dc;
  DrawButton(dc, ButtonCode(kDownloadButton, kButtonHovered));
  DrawButton(dc, ButtonCode(kPrintButton, kButtonNormal));
  DrawButton(dc, ButtonCode(kSaveButton, kButtonPressed));
  const auto texts = dc.OpsOf(RecordedOp::Kind::kTextOut);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].text, "Download");
  EXPECT_EQ(std::pair(texts[0].x0, texts[0].y0), std::pair(760, 26));
  EXPECT_EQ(std::pair(texts[1].x0, texts[1].y0), std::pair(853, 26));
  EXPECT_EQ(std::pair(texts[2].x0, texts[2].y0), std::pair(931, 26));
  for (const RecordedOp& t : texts) {
    EXPECT_EQ(t.bkMode, BkMode::kTransparent);
    EXPECT_EQ(t.font.height, 16);
  }
}

TEST(SpinArrows, ShapeChevronAndTheHoveredLowerBevel) {
  for (int control : {kSpinUpButton, kSpinDownButton}) {
    const ButtonRect r = ButtonRectOf(control);
    const bool up = control == kSpinUpButton;
    for (const Look& look : kLooks) {
      const Surface s = Drawn(ButtonCode(control, look.look));
      SCOPED_TRACE(ButtonCode(control, look.look));
      EXPECT_EQ(s.Pixel(885, r.top + 5), kOutline);
      EXPECT_EQ(s.Pixel(903, r.top + 5), kOutline);
      EXPECT_EQ(s.Pixel(887, r.top + 5), look.upperLeft);
      EXPECT_EQ(s.Pixel(902, r.top + 5), look.spinLowerRight);
      EXPECT_EQ(s.Pixel(895, r.bottom - 1), look.spinLowerRight);
      EXPECT_EQ(s.Pixel(900, r.top + 5), look.face);
      // The chevron's tip and one of its feet.
      EXPECT_EQ(s.Pixel(894, up ? 574 : 592), Rgb(32, 64, 128));
      EXPECT_EQ(s.Pixel(891, up ? 578 : 588), Rgb(32, 64, 128));
      EXPECT_EQ(s.Pixel(894, up ? 576 : 590), look.face);
    }
  }
}

TEST(Buttons, UnknownCodesDrawNothing) {
  for (int code : {0, 33, 50, 60, 75, 100, -1}) {
    RecordingDc dc;
    DrawButton(dc, code);
    EXPECT_TRUE(dc.Ops().empty()) << code;
  }
}

}  // namespace
}  // namespace oxi
