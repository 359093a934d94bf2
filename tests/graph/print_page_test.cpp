#include "graph/print_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "graph/test_measurement.h"
#include "platform/gdi/recording_dc.h"
#include "platform/ui/scripted_platform.h"

namespace oxi {
namespace {

using testing::MakeConstant;
using testing::MakeMeasurement;
using Kind = RecordedOp::Kind;

constexpr Sample kSteady{500, 100, 100, 50};

// The page as a ruler measures it: millimetres from the printable area's top left, in dots
// of a `dpi` printer. Drawing truncates to whole dots, so a position may lie a dot off.
int Dots(double mm, int dpi = 600) {
  return static_cast<int>(std::lround(mm * dpi / 25.4));
}
bool Near(int dots, double mm, int dpi = 600) {
  return std::abs(dots - Dots(mm, dpi)) <= 1;
}

// Where the comment's lines stand: 30 mm from the left edge.
constexpr double kCommentMm = 30;
// The plot: 200 mm wide from 30 mm; StO2 100 %, 50 % and 0 % rows of the upper plot, the
// top row of the lower plot.
constexpr double kPlotLeftMm = 30;
constexpr double kStO2FullMm = 18.67;
constexpr double kStO2HalfMm = 61;
constexpr double kStO2ZeroMm = 103;
constexpr double kLowerPlotTopMm = 107;

std::vector<RecordedOp> Print(const CurrentMeasurement& m, int mode, const std::string& comment,
                              int window = 1, int dpiX = 600, int dpiY = 600) {
  RecordingDc dc(dpiX, dpiY);
  EXPECT_TRUE(DrawPrintedDocument(dc, m, window, mode, comment));
  return dc.Ops();
}

// The texts standing in the comment's column.
std::vector<RecordedOp> CommentTexts(const std::vector<RecordedOp>& ops, int dpi = 600) {
  std::vector<RecordedOp> out;
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kTextOut && Near(op.x0, kCommentMm, dpi)) out.push_back(op);
  }
  return out;
}

std::vector<RecordedOp> Lines(const std::vector<RecordedOp>& ops, Colorref color, int width) {
  std::vector<RecordedOp> out;
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kLineTo && op.pen.color == color && op.pen.width == width) {
      out.push_back(op);
    }
  }
  return out;
}

int CountKind(const std::vector<RecordedOp>& ops, Kind kind) {
  int n = 0;
  for (const RecordedOp& op : ops) n += op.kind == kind;
  return n;
}

bool HasTextStarting(const std::vector<RecordedOp>& ops, const std::string& prefix) {
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kTextOut && op.text.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

constexpr Colorref kCurveRed = Rgb(255, 0, 0);
constexpr Colorref kCurveGreen = Rgb(0, 128, 0);
constexpr Colorref kCurveOrange = Rgb(255, 128, 0);

TEST(PrintedPage, ScalesLayoutUnitsToThePrinter) {
  // 600 dpi: 0.3 mm = 7 dots.
  const std::vector<RecordedOp> ops = Print(MakeConstant(3600, 10, kSteady), 1, "");
  ASSERT_EQ(ops.front().kind, Kind::kStartDoc);
  EXPECT_EQ(ops.front().text, "2008_0315_0905");
  EXPECT_EQ(ops[1].kind, Kind::kStartPage);
  EXPECT_EQ(ops[ops.size() - 2].kind, Kind::kEndPage);
  EXPECT_EQ(ops.back().kind, Kind::kEndDoc);
  EXPECT_EQ(CountKind(ops, Kind::kStartPage), 1);
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kTextOut) {
      EXPECT_EQ(op.font.face, kPrintFace);
      EXPECT_TRUE(op.font.height == 125 || op.font.height == 94) << op.text;
    }
  }
  EXPECT_EQ(Lines(ops, kBlack, 7).size(), 4u * 2 + 5);  // two frames, five ticks
  EXPECT_EQ(Lines(ops, kCurveRed, 14).size(), 3599u);
}

TEST(PrintedPage, UnequalResolutionsScaleEachAxisByItsOwn) {
  const std::vector<RecordedOp> ops = Print(MakeConstant(0, 10, kSteady), 1, "x", 1, 600, 300);
  const std::vector<RecordedOp> comment = CommentTexts(ops);
  ASSERT_EQ(comment.size(), 1u);
  EXPECT_TRUE(Near(comment[0].y0, 113.33, 300)) << comment[0].y0;
  EXPECT_EQ(comment[0].font.height, 47);
  EXPECT_FALSE(Lines(ops, kBlack, 7).empty());  // the pen follows the finer resolution
}

// Comment lines stand 4 mm apart: six on the first page from 113.3 mm down, over the top
// of the lower plot, then forty on each further page from 20 mm down.
TEST(PrintedPage, CommentLinesAndPages) {
  const std::vector<RecordedOp> three =
      Print(MakeConstant(0, 10, kSteady), 1, std::string(250, 'a'));
  const std::vector<RecordedOp> lines = CommentTexts(three);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text.size(), 120u);
  EXPECT_EQ(lines[2].text.size(), 10u);
  EXPECT_EQ(lines[0].y0, 2676);
  EXPECT_TRUE(Near(lines[1].y0, 117.33)) << lines[1].y0;
  EXPECT_TRUE(Near(lines[2].y0, 121.33)) << lines[2].y0;
  EXPECT_EQ(CountKind(three, Kind::kStartPage), 1);

  std::string long_comment;
  for (int i = 0; i < 50; ++i) long_comment += "line " + std::to_string(i) + "\r\n";
  const std::vector<RecordedOp> ops = Print(MakeConstant(0, 10, kSteady), 1, long_comment);
  EXPECT_EQ(CountKind(ops, Kind::kStartPage), 3);
  EXPECT_EQ(CountKind(ops, Kind::kEndPage), 3);
  std::vector<std::vector<int>> rowsOfPage;  // the lines' tops, page by page
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kStartPage) rowsOfPage.emplace_back();
    if (op.kind == Kind::kTextOut && op.text.rfind("line ", 0) == 0) {
      int seen = 0;
      for (const auto& rows : rowsOfPage) seen += static_cast<int>(rows.size());
      EXPECT_EQ(op.text, "line " + std::to_string(seen));
      rowsOfPage.back().push_back(op.y0);
    }
  }
  ASSERT_EQ(rowsOfPage.size(), 3u);
  EXPECT_EQ(rowsOfPage[0].size(), 6u);
  EXPECT_EQ(rowsOfPage[1].size(), 40u);
  EXPECT_EQ(rowsOfPage[2].size(), 4u);
  for (std::size_t page = 0; page < rowsOfPage.size(); ++page) {
    const double top = page == 0 ? 113.33 : 20;
    for (std::size_t i = 0; i < rowsOfPage[page].size(); ++i) {
      EXPECT_TRUE(Near(rowsOfPage[page][i], top + 4.0 * static_cast<double>(i)))
          << "page " << page + 1 << " line " << i << " at " << rowsOfPage[page][i];
    }
  }
}

TEST(PrintedPage, ACommentStopsAfterTwentyPagesWithAnEllipsis) {
  // 6 lines on the first page and 40 on each of 19 more fill 20 pages exactly.
  auto printLines = [](std::size_t lines) {
    std::string comment;
    for (std::size_t i = 0; i < lines; ++i) comment += "l" + std::to_string(i) + "\r\n";
    const std::vector<RecordedOp> ops = Print(MakeConstant(0, 10, kSteady), 1, comment);
    return std::pair{CountKind(ops, Kind::kStartPage), CommentTexts(ops)};
  };
  const auto [fullPages, full] = printLines(766);
  EXPECT_EQ(fullPages, 20);
  EXPECT_EQ(full.back().text, "l765");
  // A million line ends (what a comment file of them would be without its read bound):
  // still 20 pages, the last line saying that more was left out.
  const auto [cutPages, cut] = printLines(1'000'000);
  EXPECT_EQ(cutPages, 20);
  ASSERT_EQ(cut.size(), 766u);
  EXPECT_EQ(cut[764].text, "l764");
  EXPECT_EQ(cut.back().text, "…");
  EXPECT_TRUE(Near(cut.back().y0, 20 + 4 * 39)) << cut.back().y0;  // the last row of a page
}

TEST(PrintedPage, ANarrowerPageScalesTheLayoutToItsPrintableArea) {
  const CurrentMeasurement m = MakeConstant(3600, 10, kSteady);
  // The right end of the lines and of the heart-rate title's full-width characters, the
  // layout's farthest reach.
  auto rightmost = [](const std::vector<RecordedOp>& ops) {
    int right = 0;
    for (const RecordedOp& op : ops) {
      if (op.kind == Kind::kLineTo) right = std::max({right, op.x0, op.x1});
      if (op.kind == Kind::kTextOut && op.text == "心")
        right = std::max(right, op.x0 + op.font.height);
    }
    return right;
  };
  // Letter across, less printer margins of 6.35 mm (266.7 mm), holds the graph as A4 does:
  // the same dots. A comment line of 120 bytes would reach past that edge: with one, the
  // whole page is scaled to keep it.
  RecordingDc a4;
  DrawPrintedDocument(a4, m, 1, 1, "");
  RecordingDc letter;
  letter.SetPrintableArea(6300, 4800);
  DrawPrintedDocument(letter, m, 1, 1, "");
  EXPECT_EQ(letter.Ops().size(), a4.Ops().size());
  for (std::size_t i = 0; i < a4.Ops().size(); ++i) {
    ASSERT_EQ(letter.Ops()[i].x1, a4.Ops()[i].x1);
    ASSERT_EQ(letter.Ops()[i].y1, a4.Ops()[i].y1);
    ASSERT_EQ(letter.Ops()[i].font, a4.Ops()[i].font);
  }
  RecordingDc letterWithComment;
  letterWithComment.SetPrintableArea(6300, 4800);
  DrawPrintedDocument(letterWithComment, m, 1, 1, std::string(120, 'a'));
  const RecordedOp line = letterWithComment.OpsOf(Kind::kTextOut).back();
  ASSERT_EQ(line.text, std::string(120, 'a'));
  EXPECT_LE(line.x0 + 120 * line.font.height / 2, 6300);
  EXPECT_GT(line.x0 + 120 * line.font.height / 2, 6000);
  // Portrait A4 (210 mm across): the margin stays, the graph shrinks to the area's edge,
  // fonts with it, pens not.
  RecordingDc portrait;
  portrait.SetPrintableArea(4960, 7015);
  DrawPrintedDocument(portrait, m, 1, 1, "");
  const int right = rightmost(portrait.Ops());
  EXPECT_LE(right, 4960);
  EXPECT_GT(right, 4960 * 9 / 10);
  std::set<int> fontHeights;
  bool framePenKept = false;
  for (const RecordedOp& op : portrait.Ops()) {
    if (op.kind == Kind::kTextOut) fontHeights.insert(op.font.height);
    framePenKept = framePenKept || (op.kind == Kind::kLineTo && op.pen.width == 7);
  }
  ASSERT_EQ(fontHeights.size(), 2u);  // the label and title fonts, 94 and 125 on A4
  EXPECT_LT(*fontHeights.begin(), 94);
  EXPECT_LT(*fontHeights.rbegin(), 125);
  EXPECT_TRUE(framePenKept);
  // A page too short for the time axis is scaled to keep it.
  RecordingDc shortPage;
  shortPage.SetPrintableArea(7015, 3000);
  DrawPrintedDocument(shortPage, m, 1, 1, "");
  for (const RecordedOp& op : shortPage.Ops()) EXPECT_LE(std::max(op.y0, op.y1), 3000);
}

TEST(PrintedPage, CommentBytesAreDrawnDecoded) {
  const std::vector<RecordedOp> ops =
      Print(MakeConstant(0, 10, kSteady), 1, "\x82\xa0\xff\r\nok\nend");
  const std::vector<RecordedOp> lines = CommentTexts(ops);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "あ\xEF\xBF\xBD");
  EXPECT_EQ(lines[1].text, "ok");
  EXPECT_EQ(lines[2].text, "end");
}

// The time axis's ticks run from 192 mm to 193.3 mm down, their labels below them; `tickMm`
// says where each tick stands across.
void ExpectTimeAxis(int n, const std::vector<double>& tickMm,
                    const std::vector<std::string>& labels) {
  const std::vector<RecordedOp> ops = Print(MakeConstant(n, 10, kSteady), 1, "");
  std::vector<int> ticks;
  for (const RecordedOp& op : Lines(ops, kBlack, 7)) {
    if (Near(op.y0, 192) && Near(op.y1, 193.33) && op.x0 == op.x1) ticks.push_back(op.x0);
  }
  ASSERT_EQ(ticks.size(), tickMm.size()) << n;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_TRUE(Near(ticks[i], tickMm[i])) << n << ": tick " << i << " at " << ticks[i];
  }
  std::vector<std::string> drawn;
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kTextOut && Near(op.y0, 193.33)) drawn.push_back(op.text);
  }
  EXPECT_EQ(drawn, labels) << n;
}

// An hour spans the 200 mm plot in four quarters; a longer measurement packs its quarters
// (or half hours) closer.
TEST(PrintedPage, TimeAxisCoversTheWholeMeasurement) {
  ExpectTimeAxis(3600, {30, 80, 130, 180, 230}, {"00:00", "15:00", "30:00", "45:00", "01:00:00"});
  ExpectTimeAxis(5000, {30, 66, 102, 138, 174, 210},
                 {"00:00", "15:00", "30:00", "45:00", "01:00:00", "01:15:00"});
  ExpectTimeAxis(7200, {30, 80, 130, 180, 230},
                 {"00:00", "30:00", "01:00:00", "01:30:00", "02:00:00"});
}

TEST(PrintedPage, HeaderAndCurvesOnlyWhenAMeasurementIsShown) {
  const std::vector<RecordedOp> idle = Print(MakeConstant(3600, 10, kSteady), 0, "note");
  EXPECT_FALSE(HasTextStarting(idle, "Date "));
  for (const RecordedOp& op : idle) EXPECT_NE(op.pen.width, 14);
  EXPECT_EQ(CommentTexts(idle).size(), 1u);

  const std::vector<RecordedOp> empty = Print(MakeConstant(0, 10, kSteady), 1, "");
  EXPECT_TRUE(HasTextStarting(empty, "Date 2008年03月15日09時05分　Time 0:00:00  脂肪厚み 5.5mm"));
  for (const RecordedOp& op : empty) EXPECT_NE(op.pen.width, 14);
}

TEST(PrintedPage, CurvesUseTheMovingAverageClampedIntoThePlot) {
  // StO2 alternating 0 and 100.0 %: unaveraged it touches both plot edges, averaged over
  // two samples it stays at 50 %.
  const CurrentMeasurement m = MakeMeasurement(600, 10, [](int i) {
    return Sample{static_cast<std::int16_t>(i % 2 ? 1000 : 0), 255, 255, 255};
  });
  std::set<int> rawRows;
  for (const RecordedOp& op : Lines(Print(m, 1, ""), kCurveRed, 14)) rawRows.insert(op.y1);
  ASSERT_EQ(rawRows.size(), 2u);
  EXPECT_TRUE(Near(*rawRows.begin(), kStO2FullMm)) << *rawRows.begin();
  EXPECT_TRUE(Near(*rawRows.rbegin(), kStO2ZeroMm)) << *rawRows.rbegin();
  const std::vector<RecordedOp> averaged = Print(m, 1, "", 2);
  for (const RecordedOp& op : Lines(averaged, kCurveRed, 14)) {
    ASSERT_TRUE(Near(op.y1, kStO2HalfMm)) << op.y1;
  }
  // HR 255 is held at 200, the upper plot's top; toHb is the sum of the held oxHb and dxHb,
  // the lower plot's top.
  for (const RecordedOp& op : Lines(averaged, kCurveGreen, 14)) {
    if (op.y1 < Dots(kLowerPlotTopMm - 1)) {
      ASSERT_TRUE(Near(op.y1, kStO2FullMm)) << op.y1;
    }
  }
  for (const RecordedOp& op : Lines(averaged, kCurveOrange, 14)) {
    ASSERT_TRUE(Near(op.y1, kLowerPlotTopMm)) << op.y1;
  }
}

TEST(PrintedPage, GapsBecomeDotsEveryThirdUnitFromTheLastDrawnPoint) {
  // Samples 1200..2399 invalid: a third of the hour, units 200..399 of the 600 across the
  // plot (1/3 mm each); the last drawn point is at unit 199.
  const CurrentMeasurement m = MakeMeasurement(3600, 10, [](int i) {
    return i >= 1200 && i < 2400 ? Sample{-1, 100, 0, 0} : kSteady;
  });
  const std::vector<RecordedOp> ops = Print(m, 1, "");
  auto unitX = [](int unit) { return kPlotLeftMm + unit / 3.0; };
  // Six samples share a unit, so a steady curve has zero-length lines of its own; inside
  // the gap every zero-length line is a dot.
  std::set<int> dotColumns;
  const std::vector<RecordedOp> sto2 = Lines(ops, kCurveRed, 14);
  for (const RecordedOp& op : sto2) {
    if (op.x0 == op.x1 && op.y0 == op.y1 && op.x0 >= Dots(unitX(200)) &&
        op.x0 <= Dots(unitX(399))) {
      EXPECT_TRUE(Near(op.y0, kStO2HalfMm)) << op.y0;
      dotColumns.insert(op.x0);
    }
  }
  std::vector<double> expectedMm;
  for (int q = 202; q < 400; q += 3) expectedMm.push_back(unitX(q));
  ASSERT_EQ(dotColumns.size(), expectedMm.size());
  auto column = dotColumns.begin();
  for (std::size_t i = 0; i < expectedMm.size(); ++i, ++column) {
    EXPECT_TRUE(Near(*column, expectedMm[i])) << "dot " << i << " at " << *column;
  }
  // 2399 lines of valid samples and six dots in each of the 66 dotted units.
  EXPECT_EQ(sto2.size(), 2399u + 66 * 6);
  // The heart rate goes on as a line through the gap.
  int hrLines = 0;
  for (const RecordedOp& op : Lines(ops, kCurveGreen, 14)) {
    hrLines += op.y1 < Dots(kLowerPlotTopMm - 1);
  }
  EXPECT_EQ(hrLines, 3599);
}

// A page that hands its calls to the test when the print is done with it.
class KeptPage : public RecordingDc {
 public:
  explicit KeptPage(std::vector<RecordedOp>& out) : out_(out) {}
  ~KeptPage() override { out_ = Ops(); }

 private:
  std::vector<RecordedOp>& out_;
};

// A page whose document cannot be completed, as a file on a full disk; it notes when it
// is gone.
class FailingPage : public RecordingDc {
 public:
  explicit FailingPage(bool& alive) : alive_(alive) { alive_ = true; }
  ~FailingPage() override { alive_ = false; }
  bool EndDocument() override {
    RecordingDc::EndDocument();
    return false;
  }

 private:
  bool& alive_;
};

TEST(PrintButton, AFileThatCannotBeWrittenShowsTheErrorBox) {
  ScriptedPlatform platform;
  bool pageAlive = false;
  platform.printDialogAnswer = [&] { return std::make_unique<FailingPage>(pageAlive); };
  bool pageAliveAtTheBox = true;
  platform.onMessageBox = [&](const ScriptedPlatform::Box&) { pageAliveAtTheBox = pageAlive; };
  oxi::Print(platform, MakeConstant(100, 10, kSteady), 1, 1, "c");
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].text, "ファイルに書き込むことができませんでした。");
  EXPECT_EQ(platform.MessageBoxes()[0].caption, platform.ApplicationName());
  EXPECT_FALSE(pageAliveAtTheBox);  // its temporary file is gone before the box shows
}

TEST(PrintButton, NothingAfterAFailedLoad) {
  // What a failed load leaves: the previous record's header values and comment.
  ScriptedPlatform platform;
  CurrentMeasurement failed = MakeConstant(0, 10, kSteady);
  failed.headerStale = true;
  bool asked = false;
  platform.printDialogAnswer = [&] {
    asked = true;
    return std::make_unique<RecordingDc>();
  };
  oxi::Print(platform, failed, 1, 1, "previous comment");
  EXPECT_FALSE(asked);
  EXPECT_TRUE(platform.MessageBoxes().empty());
}

TEST(PrintButton, PrintsOnlyWhenTheDialogIsConfirmed) {
  ScriptedPlatform platform;
  const CurrentMeasurement m = MakeConstant(100, 10, kSteady);
  oxi::Print(platform, m, 1, 1, "c");  // cancelled: nothing to print on

  std::vector<RecordedOp> printed;
  platform.printDialogAnswer = [&] { return std::make_unique<KeptPage>(printed); };
  oxi::Print(platform, m, 1, 1, "c");
  EXPECT_EQ(CountKind(printed, Kind::kEndDoc), 1);
  EXPECT_EQ(Lines(printed, kCurveRed, 14).size(), 99u);
  EXPECT_EQ(CommentTexts(printed).size(), 1u);
}

}  // namespace
}  // namespace oxi
