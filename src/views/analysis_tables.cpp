#include "views/analysis_tables.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "analysis/episode_table.h"
#include "graph/draw_steps.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "views/analysis_layout.h"
#include "views/view_drawing.h"

namespace oxi {
namespace {

using namespace analysis_layout;

constexpr const char* kEmptyValue = "-";

static_assert(std::size(texts::kSummaryLabels) == std::size(kSummaryRows));
static_assert(std::size(texts::kSummaryColumns) == kSummaryColumnRight.size());

void DrawSummary(Dc& dc, const Summary& s) {
  for (std::size_t c = 0; c < kSummaryColumnRight.size(); ++c) {
    TextEndingAt(dc, kSummaryColumnRight[c], kSummaryTop, texts::kSummaryColumns[c]);
  }
  int y = kSummaryTop;
  for (std::size_t r = 0; r < std::size(kSummaryRows); ++r) {
    y += kRowPitch;
    const SummaryRow& row = kSummaryRows[r];
    const Statistics& st = s.*row.statistics;
    dc.TextOutUtf8(kSummaryLabelX, y, texts::kSummaryLabels[r]);
    const std::optional<double> values[] = {st.Min(), st.Max(), st.Mean()};
    for (std::size_t c = 0; c < kSummaryColumnRight.size(); ++c) {
      TextEndingAt(dc, kSummaryColumnRight[c], y,
                   FormatNumber(values[c], row.decimals, kEmptyValue));
    }
  }
  dc.TextOutUtf8(kSummaryLabelX, kValidSamplesY,
                 FormatText(texts::kValidSamplesFormat, s.validSamples));
}

// Columns of kZoneRows bands under one heading; bands beyond the last column are left out.
void DrawZones(Dc& dc, const std::vector<Zone>& zones) {
  dc.TextOutUtf8(kZonesX, kSummaryTop, texts::kZonesHeading);
  TextEndingAt(dc, kZonesX + kZoneSecondsRight, kSummaryTop, texts::kSecondsHeading);
  const std::size_t shown = std::min<std::size_t>(zones.size(), kZoneRows * kZoneColumns);
  for (std::size_t k = 0; k < shown; ++k) {
    const int x = kZonesX + static_cast<int>(k / kZoneRows) * kZoneColumnWidth;
    const int y = kSummaryTop + kRowPitch * (1 + static_cast<int>(k % kZoneRows));
    dc.TextOutUtf8(x, y, BandText(zones[k]));
    TextEndingAt(dc, x + kZoneSecondsRight, y, FormatNumber(zones[k].seconds, kZoneDecimals));
  }
}

int ColumnRight(std::size_t column) {
  return kNumberColumnRight + static_cast<int>(column + 1) * kValueColumnWidth;
}

void DrawTableHeading(Dc& dc) {
  TextEndingAt(dc, kNumberColumnRight, kTableHeadingY, texts::kEpisodeNumberHeading);
  for (std::size_t c = 0; c < EpisodeColumns().size(); ++c) {
    TextEndingAt(dc, ColumnRight(c), kTableHeadingY, texts::kEpisodeHeadings[c]);
    TextEndingAt(dc, ColumnRight(c), kTableUnitY, texts::kEpisodeUnits[c]);
  }
  dc.SelectPen(Pen{kGrid});
  DrawLine(dc, kTableLeft, kTableRuleY, ColumnRight(EpisodeColumns().size() - 1), kTableRuleY);
}

// A triangle pointing left (direction -1) or right (+1) in the middle of the button.
}  // namespace

std::string BandText(const Zone& z) {
  const std::string from = FormatNumber(z.from, kZoneDecimals, "");
  const std::string to = FormatNumber(z.to, kZoneDecimals, "");
  if (!z.from) return FormatText(texts::kZoneBelowFormat, to.c_str());
  if (!z.to) return FormatText(texts::kZoneFromFormat, from.c_str());
  return FormatText(texts::kZoneBetweenFormat, from.c_str(), to.c_str());
}

void DrawSummaryAndZones(Dc& dc, const Analysis& a) {
  dc.SelectFont(kSmallFont);
  dc.SetTextColor(kText);
  dc.SetBkMode(BkMode::kTransparent);
  DrawSummary(dc, a.summary);
  DrawZones(dc, a.zones);
}

void DrawEpisodePage(Dc& dc, const Analysis& a, int first) {
  dc.SelectFont(kSmallFont);
  dc.SetTextColor(kText);
  dc.SetBkMode(BkMode::kTransparent);
  DrawTableHeading(dc);
  const int total = static_cast<int>(a.episodes.size());
  const int end = std::min(total, first + kTableRows);
  if (total == 0) dc.TextOutUtf8(kTableLeft, kTableFirstRowY, texts::kNoEpisodes);
  for (int k = first; k < end; ++k) {
    const int y = kTableFirstRowY + (k - first) * kTableRowPitch;
    TextEndingAt(dc, kNumberColumnRight, y, FormatText("%d", k + 1));
    for (std::size_t c = 0; c < EpisodeColumns().size(); ++c) {
      const EpisodeColumn& column = EpisodeColumns()[c];
      TextEndingAt(dc, ColumnRight(c), y,
                   FormatNumber(column.value(a.episodes[k]), column.decimals, kEmptyValue));
    }
  }
  DrawArrowButton(dc, kPreviousPage, -1, first > 0);
  DrawArrowButton(dc, kNextPage, +1, end < total);
  if (total > 0) {
    dc.TextOutUtf8(kPageTextX, kPageTextY,
                   FormatText(texts::kEpisodeRangeFormat, first + 1, end, total));
  }
}

}  // namespace oxi
