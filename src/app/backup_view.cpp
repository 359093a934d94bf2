#include "app/backup_view.h"

#include <algorithm>
#include <optional>
#include <string>

#include "app/download_view.h"
#include "platform/fs/files.h"
#include "platform/text/text_format.h"
#include "res/texts.h"
#include "store/backup_setting.h"
#include "store/store_backup.h"

namespace oxi {
namespace {

void ShowResult(Platform& platform, const std::filesystem::path& folder,
                const BackupReport& report) {
  const std::string where = PathToUtf8(folder);
  if (!report.refused.empty()) {
    platform.ShowMessageBox(
        FormatText(texts::kBackupRefusedFormat, where.c_str(), report.refused.c_str()),
        texts::kErrorCaption);
    return;
  }
  std::string lead = report.copied > 0 ? texts::kBackupDone : texts::kBackupUpToDate;
  if (!report.problems.empty()) {
    const BackupProblem& first = report.problems.front();
    lead = FormatText(texts::kBackupFailedFormat, report.failed, first.path.c_str(),
                      first.reason.c_str());
  }
  const std::string text = FormatText(texts::kBackupCountsFormat, lead.c_str(), where.c_str(),
                                      report.copied, report.unchanged, report.skippedNewer);
  const MessageCaption caption =
      report.failed > 0 ? MessageCaption::kError : MessageCaption::kProgram;
  platform.ShowMessageBox(text, CaptionText(caption, platform.ApplicationName()));
}

void RunBackup(Platform& platform, const std::filesystem::path& dataRoot,
               const std::filesystem::path& folder) {
  ShowResult(platform, folder, BackupStore(dataRoot, folder));
}

bool ErasedAny(const DownloadResult& download) {
  // An erase sent but not confirmed has most likely erased as well.
  return std::any_of(download.converters.begin(), download.converters.end(),
                     [](ConverterOutcome o) {
                       return o == ConverterOutcome::kErased || o == ConverterOutcome::kEraseFailed;
                     });
}

}  // namespace

void BackupFromMenu(Platform& platform, const std::filesystem::path& dataRoot) {
  const std::optional<std::filesystem::path> last = RememberedBackupFolder(dataRoot);
  const std::optional<std::string> chosen =
      platform.ChooseFolder(texts::kBackupChooserTitle, last ? PathToUtf8(*last) : "");
  if (!chosen || chosen->empty()) return;
  const std::filesystem::path folder = PathFromUtf8(*chosen);
  // Remembering is a convenience: a store that cannot take the small file still gets its
  // backup, and the result box tells of any trouble with the store itself.
  RememberBackupFolder(dataRoot, folder);
  RunBackup(platform, dataRoot, folder);
}

void OfferBackupAfterDownload(Platform& platform, const std::filesystem::path& dataRoot,
                              const DownloadResult& download) {
  if (!ErasedAny(download)) return;
  const std::optional<std::filesystem::path> folder = RememberedBackupFolder(dataRoot);
  if (!folder) return;
  const std::string question = FormatText(texts::kBackupOfferFormat, PathToUtf8(*folder).c_str());
  if (platform.AskYesNo(question,
                        CaptionText(MessageCaption::kProgram, platform.ApplicationName()))) {
    RunBackup(platform, dataRoot, *folder);
  }
}

}  // namespace oxi
