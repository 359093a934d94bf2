// oxitool render: the detail graph of one record file as the main window shows it.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/record_render.h"
#include "cli/command.h"
#include "cli/output.h"

namespace oxi::cli {
namespace {

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed < -100000 || parsed > 100000) return false;
  value = static_cast<int>(parsed);
  return true;
}

int Render(const std::vector<std::string>& args) {
  RecordView view;
  std::string output;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" && hasValue) {
      output = args[++i];
    } else if (arg == "--window" && hasValue) {
      view.windowText = args[++i];
    } else if (arg == "--offset" && hasValue) {
      int offset = 0;
      if (!ParseInt(args[++i], offset)) return Fail("--offset takes a number of pixels");
      view.offset = offset;
    } else if (view.recordFile.empty() && !arg.empty() && arg[0] != '-') {
      view.recordFile = PathFromUtf8(arg);
    } else {
      return FailUsage("render");
    }
  }
  if (view.recordFile.empty() || output.empty()) {
    return FailUsage("render");
  }
  const RenderedGraph rendered = RenderRecordGraph(view);
  if (!rendered.graph) return Fail(PathToUtf8(view.recordFile) + ": " + rendered.error);
  const std::string png = rendered.graph->EncodePng();
  if (png.empty()) return Fail("the graph cannot be encoded as PNG");
  const std::string failure =
      WriteOutput(output, png, Existing::kReplace, PathToUtf8(view.recordFile));
  return failure.empty() ? 0 : Fail(failure);
}

const CommandRegistration kRegistration({
    "render",
    "FILE.oxi -o OUT.png|- [--window W] [--offset PX]",
    "the detail graph and its scroll bar as the window shows them",
    Render,
});

}  // namespace
}  // namespace oxi::cli
