#include "export/csv_export.h"

#include <optional>

#include "graph/text_format.h"
#include "res/texts.h"

namespace oxi {

void CsvExport(Platform& platform, const CurrentMeasurement& m, int screenMode) {
  if (screenMode != kMeasurementShown) return;
  // A record without samples leaves the title empty; "<title>.csv" would then propose
  // ".csv", a name that hides the file. The user names such a file himself.
  const std::string proposed =
      m.title.empty() ? std::string() : FormatText(texts::kCsvFileFormat, m.title.c_str());
  const std::optional<std::string> path =
      platform.ChooseSaveFile(proposed, texts::kCsvDefaultExtension, texts::kCsvFilter);
  if (!path) return;
  if (!WriteFileAtomically(*path, CsvBytes(m))) {
    platform.MessageBox(texts::kCsvError, platform.ApplicationName());
  }
}

}  // namespace oxi
