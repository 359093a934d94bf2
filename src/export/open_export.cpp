#include "export/open_export.h"

#include <vector>

#include "export/export_name.h"
#include "export/open_format.h"
#include "export/save_failure.h"
#include "platform/fs/safe_write.h"
#include "res/texts.h"

namespace oxi {

void OpenFormatExport(Platform& platform, const CurrentMeasurement& m, int screenMode) {
  if (screenMode != kMeasurementShown || m.n == 0) return;
  std::vector<OpenFormat> offered;
  std::vector<SaveFileType> types;
  for (const OpenFormatInfo& info : OpenFormats()) {
    if (!Supported(info.format)) continue;
    offered.push_back(info.format);
    types.push_back({info.chooserText, info.extension});
  }
  // The name without an extension: the chooser adds the one of the type picked.
  const std::optional<SaveFileChoice> choice =
      platform.ChooseSaveFile(ExportFileStem(m.recordName, m.title), types);
  if (!choice || choice->type >= offered.size()) return;
  const ExportedBytes exported = OpenFormatBytes(offered[choice->type], m, ExportOptions{});
  const WriteStatus status = exported.bytes
                                 ? WriteFileSafely(PathFromUtf8(choice->path), *exported.bytes)
                                 : WriteStatus::kCannotWrite;
  if (status != WriteStatus::kWritten) {
    platform.ShowMessageBox(SaveFailureText(status, texts::kExportError),
                            platform.ApplicationName());
  }
}

}  // namespace oxi
