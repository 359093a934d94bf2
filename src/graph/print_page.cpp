#include "graph/print_page.h"

#include <algorithm>
#include <new>

#include "graph/comment_lines.h"
#include "graph/print_parts.h"
#include "platform/text/cp932.h"
#include "res/texts.h"

namespace oxi {
namespace print_parts {
namespace {

using namespace print_layout;

// The comment's printed lines: all of them when they fit on the pages a comment may take,
// else as many as fit, the last of them replaced by the mark that more was left out.
std::vector<std::string> PrintedCommentLines(const std::string& commentCp932) {
  std::vector<std::string> lines = CutCommentLines(commentCp932, kMaxCommentLines + 1);
  if (lines.size() > kMaxCommentLines) {
    lines.resize(kMaxCommentLines);
    lines.back() = Utf8ToCp932(texts::kCommentCutLine);
  }
  return lines;
}

// Prints lines [next, next + count) of the comment, one below the other from y; returns
// the index of the first line not printed.
std::size_t PrintCommentLines(PagePainter& p, const std::vector<std::string>& lines,
                              std::size_t next, int count, double y) {
  for (int j = 0; j < count && next < lines.size(); ++j, ++next) {
    p.Text(kCommentX, y + kCommentLineStep * j, kBlack, Cp932ToUtf8(lines[next]));
  }
  return next;
}

// How far the page's drawing reaches to the right: the graph, or a longer comment line.
double LayoutRight(const std::vector<std::string>& lines) {
  std::size_t widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, line.size());
  return std::max(kLayoutRight, kCommentX + kCommentByteUnits * static_cast<double>(widest));
}

// The first page's comment lines, the end of that page, and pages for the rest.
void FinishPagesWithComment(PagePainter& p, const std::vector<std::string>& lines) {
  p.UseFont(kLabelFontUnits);
  std::size_t next = PrintCommentLines(p, lines, 0, kFirstPageCommentLines, kFirstPageCommentY);
  p.Dc().EndPage();
  while (next < lines.size()) {
    p.Dc().StartPage();
    p.UseFont(kLabelFontUnits);
    next = PrintCommentLines(p, lines, next, kMorePagesCommentLines, kMorePagesCommentY);
    p.Dc().EndPage();
  }
}

}  // namespace

bool DrawDocument(PageDc& page, const CurrentMeasurement& m, const PrintedValues& values,
                  int screenMode, const std::string& commentCp932) {
  const std::vector<std::string> lines = PrintedCommentLines(commentCp932);
  PagePainter p(page, PageScale(page.DpiX(), page.DpiY(), page.PrintableWidth(),
                                page.PrintableHeight(), LayoutRight(lines)));
  page.StartDocument(m.title);
  page.StartPage();
  DrawFrameElements(p, m.n, m.rate);
  if (screenMode == kMeasurementShown) {
    DrawHeader(p, m);
    DrawCurves(p, m, values);
  }
  DrawPlotFrames(p);
  FinishPagesWithComment(p, lines);
  return page.EndDocument();
}

}  // namespace print_parts

bool DrawPrintedDocument(PageDc& page, const CurrentMeasurement& m, int window, int screenMode,
                         const std::string& commentCp932) {
  print_parts::PrintedValues values;
  if (screenMode == kMeasurementShown) {
    values = print_parts::ComputePrintedValues(m, window);
  }
  return print_parts::DrawDocument(page, m, values, screenMode, commentCp932);
}

void Print(Platform& platform, const CurrentMeasurement& m, int window, int screenMode,
           const std::string& commentCp932) {
  // After a failed load the header values and the comment are the previous record's: a
  // page of them would pass them off as this one's. Nothing is printed until a record
  // loads, as nothing is saved.
  if (m.headerStale) return;
  // The averages are made before the dialog: a measurement too large for memory ends the
  // print quietly instead of leaving a started job behind.
  print_parts::PrintedValues values;
  try {
    if (screenMode == kMeasurementShown) {
      values = print_parts::ComputePrintedValues(m, window);
    }
  } catch (const std::bad_alloc&) {
    return;
  }
  std::unique_ptr<PageDc> page = platform.ShowPrintDialog(m.title);
  if (!page) return;
  const bool completed = print_parts::DrawDocument(*page, m, values, screenMode, commentCp932);
  // The page context goes before the box: the temporary file of a failed file output is
  // not left standing while the user reads it.
  page.reset();
  if (!completed) platform.ShowMessageBox(texts::kPrintFileError, platform.ApplicationName());
}

}  // namespace oxi
