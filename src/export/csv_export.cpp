#include "export/csv_export.h"

#include <optional>

#include "graph/text_format.h"
#include "res/texts.h"

namespace oxi {

void CsvExport(Platform& platform, const CurrentMeasurement& m, int screenMode) {
  // Without samples there is nothing to save: a record of a header only, or a load that
  // failed and left the previous record's header values behind, which a file would then
  // pass off as this one's. Such a measurement also has no title to propose a name from.
  if (screenMode != kMeasurementShown || m.n == 0) return;
  const std::optional<SaveFileChoice> choice =
      platform.ChooseSaveFile(FormatText(texts::kCsvFileFormat, m.title.c_str()),
                              {{texts::kCsvFilter, texts::kCsvDefaultExtension}});
  if (!choice) return;
  if (!WriteFileAtomically(choice->path, CsvBytes(m))) {
    platform.ShowMessageBox(texts::kCsvError, platform.ApplicationName());
  }
}

}  // namespace oxi
