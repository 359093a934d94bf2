#include "graph/detail_graph.h"

#include "graph/detail_layout.h"
#include "graph/detail_parts.h"
#include "graph/draw_steps.h"
#include "graph/visible_window.h"
#include "platform/gdi/surface.h"

namespace oxi {
namespace {

using namespace detail_layout;

void DrawControlOutline(Dc& control) {
  control.SelectPen(Pen{kFrameColor});
  DrawOutline(control, 0, 0, kControlRight, kControlBottom);
}

void ClearBitmap(Dc& dc) {
  dc.SelectPen(Pen{kWhite});
  dc.SelectBrush(Brush{kWhite});
  dc.Rectangle(1, 1, kBitmapWidth - 1, kBitmapHeight);
}

// Left, top and right edges of the bitmap; below it lies the scroll bar's strip, which
// draws its own edge.
void DrawBitmapEdges(Dc& dc) {
  dc.SelectPen(Pen{kFrameColor});
  DrawLine(dc, 0, 0, 0, kBitmapHeight);
  DrawLine(dc, kControlRight, kBitmapHeight, kControlRight, 0);
  dc.LineTo(0, 0);
}

}  // namespace

void DrawDetailGraph(SurfaceDc& control, const CurrentMeasurement& m, const DisplaySeries& series,
                     int& graphOffset, int graphThumbWidth) {
  graphOffset = ClampGraphOffset(graphOffset, graphThumbWidth);
  const VisibleWindow window = ComputeVisibleWindow(m.n, graphOffset, graphThumbWidth);

  DrawControlOutline(control);
  Surface bitmap(kBitmapWidth, kBitmapHeight);
  SurfaceDc dc(bitmap);
  ClearBitmap(dc);
  detail_parts::DrawGrid(dc);
  detail_parts::DrawPlotTitles(dc);
  detail_parts::DrawAxisLabels(dc);
  if (m.n > 0) {
    detail_parts::DrawHeader(dc, m);
    detail_parts::DrawCurves(dc, m, series, window);
  }
  detail_parts::DrawTimeAxis(dc, window.start, m.rate);
  DrawBitmapEdges(dc);
  detail_parts::DrawPlotFrames(dc);
  control.BitBlt(0, 0, kBlitWidth, kBitmapHeight, bitmap, 0, 0);
}

}  // namespace oxi
