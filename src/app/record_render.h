#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "platform/gdi/surface.h"

namespace oxi {

// What to show of one record file: optionally a moving-average window entered as the user
// enters it, and a graph offset scrolled to as the user drags the thumb.
struct RecordView {
  std::filesystem::path recordFile;
  std::optional<std::string> windowText;
  std::optional<int> offset;
};

struct RenderedGraph {
  std::optional<Surface> graph;  // the graph control, when it could be shown
  std::string error;             // why not, otherwise
};

// The graph control as the main window shows the record once a press on its day has
// loaded it, then the window entered and the thumb dragged. The record is read in place by
// the reader `oxitool info` and `csv` use, so whatever they accept is shown (any device
// ID, any date); the window is played on a scripted session, so the pixels are those of
// the screen.
RenderedGraph RenderRecordGraph(const RecordView& view);

}  // namespace oxi
