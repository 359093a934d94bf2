#include "export/csv_export.h"

#include <optional>

#include "graph/text_format.h"
#include "res/texts.h"

namespace oxi {

void CsvExport(Platform& platform, const CurrentMeasurement& m, int screenMode) {
  if (screenMode != kMeasurementShown) return;
  const std::optional<std::string> path =
      platform.ChooseSaveFile(FormatText(texts::kCsvFileFormat, m.title.c_str()),
                              texts::kCsvDefaultExtension, texts::kCsvFilter);
  if (!path) return;
  if (!WriteFileAtomically(*path, CsvBytes(m))) {
    platform.MessageBox(texts::kCsvError, platform.ApplicationName());
  }
}

}  // namespace oxi
