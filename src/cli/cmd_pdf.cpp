// oxitool pdf: the pages the Print button prints for a record, as a PDF file.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/window_input.h"
#include "cli/command.h"
#include "cli/output.h"
#include "graph/printed_pdf.h"
#include "store/comment.h"
#include "store/load_record.h"

namespace oxi::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "pdf";

struct PdfArgs {
  std::string record;
  std::string output;  // "-": standard output
  int window = kMinWindow;
  std::optional<std::string> comment;
};

// The window as the moving-average input takes it.
bool ParseWindow(const std::string& text, int& window) {
  const std::optional<int> parsed = ParseEnteredWindow(text);
  if (parsed) window = *parsed;
  return parsed.has_value();
}

bool Parse(const std::vector<std::string>& args, PdfArgs& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" && hasValue) {
      out.output = args[++i];
    } else if (arg == "--window" && hasValue) {
      if (!ParseWindow(args[++i], out.window)) return false;
    } else if (arg == "--comment" && hasValue) {
      out.comment = args[++i];
    } else if (out.record.empty() && !arg.empty() && arg[0] != '-') {
      out.record = arg;
    } else {
      return false;
    }
  }
  return !out.record.empty() && !out.output.empty();
}

int RunPdf(const std::vector<std::string>& argv) {
  PdfArgs args;
  if (!Parse(argv, args)) return FailUsage(kName, "W from 1 to 100");
  CurrentMeasurement m;
  const std::string loadError = LoadRecordFile(PathFromUtf8(args.record), m);
  if (!loadError.empty()) return Fail(args.record + ": " + loadError);
  std::string comment;
  if (args.comment) {
    std::optional<CommentText> read = ReadCommentFile(PathFromUtf8(*args.comment));
    if (!read) return Fail(*args.comment + ": cannot be read");
    if (read->cut) {
      Note(*args.comment + ": only the first " + std::to_string(kMaxCommentBytes) +
           " bytes are printed; the rest is cut");
    }
    comment = std::move(read->text);
  }
  if (!PdfSupported()) return Fail("this oxitool was built without Qt, which writes the PDF");
  const std::optional<std::string> pdf = PrintedPdf(m, args.window, comment);
  if (!pdf) return Fail(args.output + ": nothing was drawn");
  const std::string failure = WriteOutput(args.output, *pdf, Existing::kReplace, args.record);
  return failure.empty() ? 0 : Fail(failure);
}

const CommandRegistration kPdf(
    {kName, "FILE.oxi -o OUT.pdf|- [--window W] [--comment TEXTFILE]",
     "the pages the Print button prints, as an A4 landscape PDF (a comment is read up to 64 "
     "KiB and printed on 20 pages at most)",
     RunPdf});

}  // namespace
}  // namespace oxi::cli
