#include "export/csv_export.h"

#include <optional>

#include "export/save_failure.h"
#include "platform/text/text_format.h"
#include "res/texts.h"

namespace oxi {

void CsvExport(Platform& platform, const CurrentMeasurement& m, int screenMode) {
  // After a failed load the header values are the previous record's, which a file would
  // pass off as this one's: nothing is saved until a record loads. A record of a header
  // and no samples is saved as its two header lines.
  if (screenMode != kMeasurementShown || m.headerStale) return;
  // Such a record leaves the title empty; "<title>.csv" would then propose ".csv", a name
  // that hides the file. The user names such a file himself.
  const std::string proposed =
      m.title.empty() ? std::string() : FormatText(texts::kCsvFileFormat, m.title.c_str());
  const std::optional<SaveFileChoice> choice =
      platform.ChooseSaveFile(proposed, {{texts::kCsvFilter, texts::kCsvDefaultExtension}});
  if (!choice) return;
  const WriteStatus status = WriteFileSafely(PathFromUtf8(choice->path), CsvBytes(m));
  if (status != WriteStatus::kWritten) {
    platform.ShowMessageBox(SaveFailureText(status, texts::kCsvError), platform.ApplicationName());
  }
}

}  // namespace oxi
