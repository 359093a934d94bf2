#include <gtest/gtest.h>

#include <cstdint>

#include "graph/print_page.h"
#include "graph/test_measurement.h"
#include "platform/gdi/recording_dc.h"
#include "win32/gdi_page_dc.h"

namespace oxi {
namespace {

// A page context over a white bitmap in memory, read back pixel by pixel.
class BitmapPage {
 public:
  BitmapPage(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~BitmapPage() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  Colorref At(int x, int y) const {
    const COLORREF c = GetPixel(dc_, x, y);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

constexpr Colorref kRed = Rgb(255, 0, 0);
constexpr Colorref kBlue = Rgb(0, 0, 255);
constexpr Colorref kYellow = Rgb(255, 255, 0);

// The drawing calls keep the meaning the printed page is written for.
TEST(GdiPageDcTest, LinesRectanglesAndTextKeepTheDcMeaning) {
  BitmapPage bitmap(200, 120);
  {
    GdiPageDc page(bitmap.Dc(), false);
    page.SelectPen(Pen{kBlack, 1});
    page.MoveTo(10, 10);
    page.LineTo(20, 10);  // the end point is left out
    page.SelectPen(Pen{kRed, 4});
    page.MoveTo(30, 30);
    page.LineTo(60, 30);  // a flat-ended band, 4 dots across
    page.LineTo(60, 30);  // no length: a square of the pen's width
    page.MoveTo(100, 30);
    page.LineTo(100, 30);
    page.SelectPen(Pen{kBlue, 2});
    page.SelectBrush(Brush{kYellow});
    page.Rectangle(120, 60, 140, 70);  // outline inside, right and bottom left out
    page.SelectFont(Font{kPrintFace, 20, 0});
    page.SetTextColor(kBlue);
    page.SetBkMode(BkMode::kTransparent);
    page.TextOutUtf8(10, 80, "0");
  }
  EXPECT_EQ(bitmap.At(10, 10), kBlack);
  EXPECT_EQ(bitmap.At(19, 10), kBlack);
  EXPECT_EQ(bitmap.At(20, 10), kWhite);

  EXPECT_EQ(bitmap.At(45, 28), kRed);
  EXPECT_EQ(bitmap.At(45, 31), kRed);
  EXPECT_EQ(bitmap.At(45, 33), kWhite);
  EXPECT_EQ(bitmap.At(27, 30), kWhite);  // flat: nothing before the start
  for (int y = 28; y < 32; ++y) {
    for (int x = 98; x < 102; ++x) EXPECT_EQ(bitmap.At(x, y), kRed) << x << "," << y;
  }
  EXPECT_EQ(bitmap.At(97, 30), kWhite);
  EXPECT_EQ(bitmap.At(102, 30), kWhite);

  EXPECT_EQ(bitmap.At(120, 60), kBlue);
  EXPECT_EQ(bitmap.At(121, 61), kBlue);
  EXPECT_EQ(bitmap.At(122, 62), kYellow);
  EXPECT_EQ(bitmap.At(139, 69), kBlue);
  EXPECT_EQ(bitmap.At(140, 65), kWhite);
  EXPECT_EQ(bitmap.At(130, 70), kWhite);

  int blue = 0;
  for (int y = 80; y < 100; ++y) {
    for (int x = 10; x < 30; ++x) blue += bitmap.At(x, y) == kBlue;
  }
  EXPECT_GT(blue, 8);  // a digit drawn in the text colour
  // The context's own objects are back: the bitmap's DC works as it did.
  EXPECT_EQ(GetCurrentObject(bitmap.Dc(), OBJ_PEN), GetStockObject(BLACK_PEN));
}

// The whole printed page on the bitmap lands where the layout put it: the curves' lines
// pass through pixels of their colour.
TEST(GdiPageDcTest, ThePrintedPageDrawsTheCurvesWhereTheLayoutPutsThem) {
  const CurrentMeasurement m = testing::MakeMeasurement(600, 10, [](int i) {
    // StO2 high in its plot and the heart rate low, so that no curve covers another.
    return Sample{static_cast<std::int16_t>(800 + i % 100), 30, 100, 60};
  });
  BitmapPage bitmap(1169, 827);  // A4 landscape at 100 dpi, more than a memory DC's 96
  RecordingDc recorded;
  {
    GdiPageDc page(bitmap.Dc(), false);
    recorded = RecordingDc(page.DpiX(), page.DpiY());
    DrawPrintedDocument(page, m, 1, kMeasurementShown, "");
  }
  DrawPrintedDocument(recorded, m, 1, kMeasurementShown, "");
  int redLines = 0;
  int redOnRed = 0;
  for (const RecordedOp& op : recorded.OpsOf(RecordedOp::Kind::kLineTo)) {
    if (op.pen.color != kRed || (op.x0 == op.x1 && op.y0 == op.y1)) continue;
    ++redLines;
    redOnRed += bitmap.At((op.x0 + op.x1) / 2, (op.y0 + op.y1) / 2) == kRed;
  }
  EXPECT_GT(redLines, 100);
  EXPECT_GE(redOnRed * 10, redLines * 9);
}

}  // namespace
}  // namespace oxi
