#include "app/viewer_log.h"

#include <cstdio>
#include <memory>
#include <system_error>

#include "platform/fs/files.h"
#include "platform/fs/safe_write.h"
#include "platform/text/text_format.h"
#include "platform/ui/local_time.h"

namespace oxi {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Each line with the time it was logged at in front.
std::string Stamped(std::string_view lines) {
  const LocalTime t = CurrentLocalTime();
  const std::string stamp = FormatText("%04d-%02d-%02d %02d:%02d:%02d ", t.year, t.month, t.day,
                                       t.hour, t.minute, t.second);
  std::string out;
  std::size_t start = 0;
  while (start < lines.size()) {
    const std::size_t end = lines.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? lines.size() : end + 1;
    out += stamp;
    out += lines.substr(start, next - start);
    start = next;
  }
  return out;
}

// Once the log has passed its limit, its older half goes: what remains starts at the first
// whole line of the newer half.
void KeepNewerHalf(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::file_size(file, ec) <= kViewerLogLimitBytes || ec) return;
  const std::string bytes = ReadWholeFile(file).value_or(std::string());
  const std::size_t lineEnd = bytes.find('\n', bytes.size() / 2);
  const std::size_t keep = lineEnd == std::string::npos ? bytes.size() : lineEnd + 1;
  WriteFileSafely(file, std::string_view(bytes).substr(keep));
}

}  // namespace

std::filesystem::path ViewerLogFile(const std::filesystem::path& dataRoot) {
  return dataRoot / kViewerLogName;
}

void ViewerLog::Log(std::string_view lines) {
  std::fwrite(lines.data(), 1, lines.size(), stderr);
  std::fflush(stderr);
  if (file_.empty()) {
    waiting_ += Stamped(lines);
  } else {
    Append(Stamped(lines));
  }
}

void ViewerLog::OpenFile(const std::filesystem::path& file) {
  file_ = file;
  if (!waiting_.empty()) Append(waiting_);
  waiting_.clear();
}

// A log that cannot be written loses the lines; stderr still had them.
void ViewerLog::Append(std::string_view stamped) {
  {
    const File out(OpenStream(file_, "ab"));
    if (!out) return;
    std::fwrite(stamped.data(), 1, stamped.size(), out.get());
  }
  KeepNewerHalf(file_);
}

}  // namespace oxi
