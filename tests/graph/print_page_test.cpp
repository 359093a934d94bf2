#include "graph/print_page.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Layout units to dots, as a printer of `dpi` places them (10 mm margin, 1/3 mm units).
int Dot(double units, int dpi = 600) {
  return static_cast<int>(dpi * 10 / 25.4) + static_cast<int>(units * dpi * 100 / 7620.0);
}

std::vector<RecordedOp> Print(const CurrentMeasurement& m, int mode, const std::string& comment,
                              int window = 1, int dpiX = 600, int dpiY = 600) {
  RecordingDc dc(dpiX, dpiY);
  EXPECT_TRUE(DrawPrintedDocument(dc, m, window, mode, comment));
  return dc.Ops();
}

std::vector<RecordedOp> TextsAtX(const std::vector<RecordedOp>& ops, int x) {
  std::vector<RecordedOp> out;
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kTextOut && op.x0 == x) out.push_back(op);
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
  // 600 dpi: margin 236 dots, 7.874 dots a unit, 0.3 mm = 7 dots.
  EXPECT_EQ(Dot(60), 708);
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
  const std::vector<RecordedOp> comment = TextsAtX(ops, Dot(60));
  ASSERT_EQ(comment.size(), 1u);
  EXPECT_EQ(comment[0].y0, Dot(310, 300));
  EXPECT_EQ(comment[0].font.height, 47);
  EXPECT_FALSE(Lines(ops, kBlack, 7).empty());  // the pen follows the finer resolution
}

TEST(PrintedPage, CommentLinesAndPages) {
  const std::vector<RecordedOp> three =
      Print(MakeConstant(0, 10, kSteady), 1, std::string(250, 'a'));
  const std::vector<RecordedOp> lines = TextsAtX(three, Dot(60));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text.size(), 120u);
  EXPECT_EQ(lines[2].text.size(), 10u);
  EXPECT_EQ(lines[0].y0, 2676);
  EXPECT_EQ(lines[1].y0, Dot(322));
  EXPECT_EQ(lines[2].y0, Dot(334));
  EXPECT_EQ(CountKind(three, Kind::kStartPage), 1);

  std::string long_comment;
  for (int i = 0; i < 50; ++i) long_comment += "line " + std::to_string(i) + "\r\n";
  const std::vector<RecordedOp> ops = Print(MakeConstant(0, 10, kSteady), 1, long_comment);
  EXPECT_EQ(CountKind(ops, Kind::kStartPage), 3);
  EXPECT_EQ(CountKind(ops, Kind::kEndPage), 3);
  std::vector<int> pageOfLine;
  int page = 0;
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kStartPage) ++page;
    if (op.kind == Kind::kTextOut && op.text.rfind("line ", 0) == 0) {
      EXPECT_EQ(op.text, "line " + std::to_string(pageOfLine.size()));
      const int j = static_cast<int>(pageOfLine.size()) - (page == 1 ? 0 : 6 + 40 * (page - 2));
      EXPECT_EQ(op.y0, page == 1 ? Dot(310 + 12 * j) : Dot(30 + 12 * j)) << op.text;
      pageOfLine.push_back(page);
    }
  }
  ASSERT_EQ(pageOfLine.size(), 50u);
  EXPECT_EQ(pageOfLine[5], 1);
  EXPECT_EQ(pageOfLine[6], 2);
  EXPECT_EQ(pageOfLine[45], 2);
  EXPECT_EQ(pageOfLine[46], 3);
}

TEST(PrintedPage, ACommentStopsAfterTwentyPagesWithAnEllipsis) {
  // 6 lines on the first page and 40 on each of 19 more fill 20 pages exactly.
  auto printLines = [](std::size_t lines) {
    std::string comment;
    for (std::size_t i = 0; i < lines; ++i) comment += "l" + std::to_string(i) + "\r\n";
    const std::vector<RecordedOp> ops = Print(MakeConstant(0, 10, kSteady), 1, comment);
    return std::pair{CountKind(ops, Kind::kStartPage), TextsAtX(ops, Dot(60))};
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
  EXPECT_EQ(cut.back().y0, Dot(30 + 12 * 39));
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
  const std::vector<RecordedOp> lines = TextsAtX(ops, Dot(60));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "あ\xEF\xBF\xBD");
  EXPECT_EQ(lines[1].text, "ok");
  EXPECT_EQ(lines[2].text, "end");
}

void ExpectTimeAxis(int n, const std::vector<int>& p, const std::vector<std::string>& labels) {
  const std::vector<RecordedOp> ops = Print(MakeConstant(n, 10, kSteady), 1, "");
  std::vector<int> ticks;
  for (const RecordedOp& op : Lines(ops, kBlack, 7)) {
    if (op.y0 == Dot(546) && op.y1 == Dot(550)) ticks.push_back(op.x0);
  }
  std::vector<int> expected;
  for (int v : p) expected.push_back(Dot(60 + v));
  EXPECT_EQ(ticks, expected) << n;
  std::vector<std::string> drawn;
  for (const RecordedOp& op : ops) {
    if (op.kind == Kind::kTextOut && op.y0 == Dot(550)) drawn.push_back(op.text);
  }
  EXPECT_EQ(drawn, labels) << n;
}

TEST(PrintedPage, TimeAxisCoversTheWholeMeasurement) {
  ExpectTimeAxis(3600, {0, 150, 300, 450, 600}, {"00:00", "15:00", "30:00", "45:00", "01:00:00"});
  ExpectTimeAxis(5000, {0, 108, 216, 324, 432, 540},
                 {"00:00", "15:00", "30:00", "45:00", "01:00:00", "01:15:00"});
  ExpectTimeAxis(7200, {0, 150, 300, 450, 600},
                 {"00:00", "30:00", "01:00:00", "01:30:00", "02:00:00"});
}

TEST(PrintedPage, HeaderAndCurvesOnlyWhenAMeasurementIsShown) {
  const std::vector<RecordedOp> idle = Print(MakeConstant(3600, 10, kSteady), 0, "note");
  EXPECT_FALSE(HasTextStarting(idle, "Date "));
  for (const RecordedOp& op : idle) EXPECT_NE(op.pen.width, 14);
  EXPECT_EQ(TextsAtX(idle, Dot(60)).size(), 1u);

  const std::vector<RecordedOp> empty = Print(MakeConstant(0, 10, kSteady), 1, "");
  EXPECT_TRUE(HasTextStarting(empty, "Date 2008年03月15日09時05分　Time 0:00:00  脂肪厚み 5.5mm"));
  for (const RecordedOp& op : empty) EXPECT_NE(op.pen.width, 14);
}

TEST(PrintedPage, CurvesUseTheMovingAverageClampedIntoThePlot) {
  // StO2 alternating 0 and 100.0 %: unaveraged it touches both plot edges, averaged over
  // two samples it stays at 50 % (row 25 + 255 - 127).
  const CurrentMeasurement m = MakeMeasurement(600, 10, [](int i) {
    return Sample{static_cast<std::int16_t>(i % 2 ? 1000 : 0), 255, 255, 255};
  });
  std::set<int> rawRows;
  for (const RecordedOp& op : Lines(Print(m, 1, ""), kCurveRed, 14)) rawRows.insert(op.y1);
  EXPECT_EQ(rawRows, (std::set<int>{Dot(26), Dot(279)}));
  const std::vector<RecordedOp> averaged = Print(m, 1, "", 2);
  for (const RecordedOp& op : Lines(averaged, kCurveRed, 14)) ASSERT_EQ(op.y1, Dot(153));
  // HR 255 is held at 200; toHb is the sum of the held oxHb and dxHb.
  for (const RecordedOp& op : Lines(averaged, kCurveGreen, 14)) {
    if (op.y1 < Dot(290)) {
      ASSERT_EQ(op.y1, Dot(26));
    }
  }
  for (const RecordedOp& op : Lines(averaged, kCurveOrange, 14)) ASSERT_EQ(op.y1, Dot(291));
}

TEST(PrintedPage, GapsBecomeDotsEveryThirdUnitFromTheLastDrawnPoint) {
  // Samples 1200..2399 invalid: units 200..399; the last drawn point is at unit 199.
  const CurrentMeasurement m = MakeMeasurement(3600, 10, [](int i) {
    return i >= 1200 && i < 2400 ? Sample{-1, 100, 0, 0} : kSteady;
  });
  const std::vector<RecordedOp> ops = Print(m, 1, "");
  // Six samples share a unit, so a steady curve has zero-length lines of its own; inside
  // the gap every zero-length line is a dot.
  std::set<int> dotUnits;
  const std::vector<RecordedOp> sto2 = Lines(ops, kCurveRed, 14);
  for (const RecordedOp& op : sto2) {
    if (op.x0 == op.x1 && op.y0 == op.y1 && op.x0 >= Dot(260) && op.x0 <= Dot(459)) {
      EXPECT_EQ(op.y0, Dot(153));
      dotUnits.insert(op.x0);
    }
  }
  std::set<int> expected;
  for (int q = 202; q < 400; q += 3) expected.insert(Dot(60 + q));
  EXPECT_EQ(dotUnits, expected);
  // 2399 lines of valid samples and six dots in each of the 66 dotted units.
  EXPECT_EQ(sto2.size(), 2399u + 66 * 6);
  // The heart rate goes on as a line through the gap.
  int hrLines = 0;
  for (const RecordedOp& op : Lines(ops, kCurveGreen, 14)) hrLines += op.y1 < Dot(290);
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
  EXPECT_EQ(TextsAtX(printed, Dot(60)).size(), 1u);
}

}  // namespace
}  // namespace oxi
