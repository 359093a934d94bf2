#pragma once
// Every text the program shows, prints or writes, in UTF-8. Texts that leave the program
// as bytes (the CSV file) are converted to CP932 where they are written.

namespace oxi::texts {

// Application.
inline constexpr const char* kProductTitle = "OxiView";
inline constexpr const char* kProductVersionFormat = "OxiView Version %s";
// The title bar and the about box say where the store is: the store is a folder below the
// one the program starts in, and a start elsewhere finds another.
inline constexpr const char* kWindowTitleFormat = "%s - %s";  // product title, store folder
inline constexpr const char* kAboutStoreFormat = "データの保存先: %s";
// The about box names the window's log, where what the window cannot show is told.
inline constexpr const char* kAboutLogFormat = "ログファイル: %s";
inline constexpr const char* kApplicationName = "oxiview";              // caption of our own boxes
inline constexpr const char* kAboutMenuItem = "バージョン情報(&A)...";  // string 101
inline constexpr const char* kCommentLabel = "コメント";

// Command line and start-up (English, as the terminal's other programs speak).
inline constexpr const char* kViewUsage =
    "usage: oxiview [--root DIR] [Qt options]\n"
    "       oxiview --help | --version\n"
    "Shows the measurements of a tissue-oximetry exercise monitor. The store is the folder\n"
    "\"Application Data/StO2\" below DIR, by default below the folder oxiview starts in.\n"
    "  --root DIR   keep the store below DIR (which must exist)\n"
    "  -h, --help   show this help\n"
    "  --version    show the version\n";
// Why a command line is refused: the program, the reason, then the usage.
inline constexpr const char* kRefusalFormat = "%s: %s\n%s";
inline constexpr const char* kRootGivenTwice = "--root is given twice";
inline constexpr const char* kRootNeedsFolder = "--root needs a folder";
inline constexpr const char* kOptionNeedsValueFormat = "option '%s' needs a value";
inline constexpr const char* kUnexpectedArgumentFormat = "unexpected argument '%s'";
inline constexpr const char* kUnknownOptionFormat = "unknown option '%s'";
inline constexpr const char* kNoFolderFormat = "%s: %s: no such folder\n";
inline constexpr const char* kUnusableImageFormat = "%s: %s (not a monitor memory image)\n";
inline constexpr const char* kNoJapaneseFaceFormat =
    "%s: no Japanese font is installed; Japanese texts will show as boxes (install "
    "fonts-ipafont-gothic)\n";
inline constexpr const char* kNoDialogTranslationsFormat =
    "%s: Qt's Japanese translations were not found; its dialogs will speak English (install "
    "qt6-translations-l10n)\n";

// Main screen labels.
inline constexpr const char* kMovingAverageLabel = "移動平均";
inline constexpr const char* kRangeLabel = "(1～100)";
inline constexpr const char* kIntervalLabel = "区間";
inline constexpr const char* kEnterHint = "半角で入力後、ENTERを押してください";
inline constexpr const char* kInvalidInput = "入力値が不適切です。";
inline constexpr const char* kInitialWindowText = "1";

// Buttons.
inline constexpr const char* kDownloadCaption = "Download";
inline constexpr const char* kPrintCaption = "Print";
inline constexpr const char* kSaveCaption = "Save";

// Calendar.
inline constexpr const char* kYearFormat = "20%02d";
inline constexpr const char* kMonthFormat = " %d月 ";
inline constexpr const char* kPreviousMonth = "<<";
inline constexpr const char* kNextMonth = ">>";
inline constexpr const char* kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Day list.
inline constexpr const char* kDayListRowFormat = "20%02d年%02d月%02d日%02d時%02d分";

// Measurement.
inline constexpr const char* kNoDataTitle = "no-data";
inline constexpr const char* kTitleFormat = "20%02d_%02d%02d_%02d%02d";

// Detail graph.
inline constexpr const char* kScreenHeaderFormat =
    "Date 20%02d年%02d月%02d日%02d時%02d分　Time %d：%02d：%02d  脂肪厚み %d.%dmm　レート "
    "%d.%dsec";
inline constexpr const char* kStO2Title = "[StO2]";
inline constexpr const char* kHeartRateTitle = "[心拍数]";
inline constexpr const char* kOxHbTitle = "[oxHb]";
inline constexpr const char* kDxHbTitle = "[dxHb]";
inline constexpr const char* kToHbTitle = "[toHb]";
inline constexpr const char* kHeartRateVertical[3] = {"心", "拍", "数"};
inline constexpr const char* kStO2Vertical[4] = {"S", "t", "O", "2"};
inline constexpr const char* kPercentUnitFormat = "[%%]";
inline constexpr const char* kHbUnit = "[mM/L]";
inline constexpr const char* kHbScaleFormat = "0.%02d";
inline constexpr const char* kHbZero = "0.00";
inline constexpr const char* kShortTimeFormat = "%02d:%02d";
inline constexpr const char* kScreenLongTimeFormat = "%d:%02d:%02d";

// Printed page.
inline constexpr const char* kPrintHeaderFormat =
    "Date 20%02d年%02d月%02d日%02d時%02d分　Time %d:%02d:%02d  脂肪厚み %d.%dmm　レート "
    "%d.%dsec";
inline constexpr const char* kPrintLongTimeFormat = "%02d:%02d:%02d";
// The last printed line of a comment longer than the pages allow.
inline constexpr const char* kCommentCutLine = "…";
// Printing to a file that could not be written in full; the earlier file is kept.
inline constexpr const char* kPrintFileError = "ファイルに書き込むことができませんでした。";

// CSV file.
inline constexpr const char* kCsvDateFormat = "Date,20%02d-%02d-%02d %02d:%02d,";
inline constexpr const char* kCsvSettingsFormat =
    "測定時間,%02d:%02d:%02d,脂肪厚み,%d.%dmm,rate,%d.%dsec,\n";
inline constexpr const char* kCsvColumns = "time,HR,StO2,oxHb,dxHb,toHb,\n";
inline constexpr const char* kCsvFileFormat = "%s.csv";
inline constexpr const char* kCsvDefaultExtension = "csv";
inline constexpr const char* kCsvFilter = "csv(*.csv)";
inline constexpr const char* kCsvError = "error";
inline constexpr const char* kMissing = "---";
// The columns of a sample line, each with its trailing comma.
inline constexpr const char* kCsvTimeColumn = "%02d:%02d:%02d.%d,";
inline constexpr const char* kCsvHeartRateColumn = "%d,";
inline constexpr const char* kCsvStO2Column = "%d.%d,";
inline constexpr const char* kCsvHbColumn = "0.%03d,";
inline constexpr const char* kCsvMissingColumn = "---,";

// Open formats: the window menu's item, the save chooser's types, the UTF-8 CSV's
// header row, the failure to write.
inline constexpr const char* kExportMenuItem = "形式を選んで保存(&E)...";
inline constexpr const char* kFitFileType = "FIT アクティビティ (*.fit)";
inline constexpr const char* kSnirfFileType = "SNIRF (*.snirf)";
inline constexpr const char* kCsvUtf8FileType = "CSV UTF-8 (*.csv)";
inline constexpr const char* kCsvUtf8Columns =
    "time_s,elapsed,local_time,sto2_percent,heart_rate_bpm,oxhb_mM,dxhb_mM,tohb_mM\n";
inline constexpr const char* kExportError = "ファイルを保存できませんでした。";
// Saving (CSV or an open format) refused for a reason the user can mend; any other failure
// keeps the texts above.
inline constexpr const char* kReadOnlyFileError =
    "読み取り専用のファイルのため、保存できませんでした。";
inline constexpr const char* kFileInUseError =
    "ファイルが他のプログラムで使用中のため、保存できませんでした。";
inline constexpr const char* kDeviceNameError =
    "CON、PRN、AUX、NUL、COM1～9、LPT1～9 は Windows の装置の名前のため、ファイル名に使えません。";

// Analysis window: the menu item, the title (with the measurement's title), the fields and
// their refusals (each with its range), the copy of the episode table.
inline constexpr const char* kAnalysisMenuItem = "解析...";
inline constexpr const char* kAnalysisTitle = "解析";
inline constexpr const char* kAnalysisTitleFormat = "解析 - %s";
inline constexpr const char* kDeltaLabel = "Δ[%]";
inline constexpr const char* kSmoothLabel = "平滑化[秒]";
inline constexpr const char* kZonesLabel = "ゾーン[%]";
inline constexpr const char* kRecomputeHint = "ENTERで再計算";
inline constexpr const char* kDeltaInvalidFormat =
    "Δの値が不適切です。%s～%sの数を入力してください。";
inline constexpr const char* kSmoothInvalidFormat =
    "平滑化の値が不適切です。%s～%s秒の数を入力してください。";
inline constexpr const char* kZonesInvalidFormat =
    "ゾーンの値が不適切です。%s～%sの数を小さい順にカンマで区切って入力してください。";
inline constexpr const char* kCopyTableButton = "表をコピー";
inline constexpr const char* kTableCopied = "表をコピーしました";
inline constexpr const char* kTableNotCopied = "コピーできませんでした";
// The chart's legend and what it shows without samples.
inline constexpr const char* kLegendEpisode = "エピソード（ピーク～回復最大）";
inline constexpr const char* kLegendMinimum = "最小";
inline constexpr const char* kLegendHalfRecovery = "半回復";
inline constexpr const char* kNoSamples = "測定データがありません";
// The summary, in the order of its rows, and the zones.
inline constexpr const char* kSummaryColumns[3] = {"最小", "最大", "平均"};
inline constexpr const char* kSummaryLabels[3] = {"StO2 [%]", "toHb [mM]", "心拍数 [bpm]"};
inline constexpr const char* kValidSamplesFormat = "有効サンプル数 %d";
inline constexpr const char* kZonesHeading = "ゾーン";
inline constexpr const char* kSecondsHeading = "秒";
inline constexpr const char* kZoneBelowFormat = "%s%%未満";
inline constexpr const char* kZoneBetweenFormat = "%s～%s%%";
inline constexpr const char* kZoneFromFormat = "%s%%以上";
// The episode table: a heading and a unit per column, in the order of its columns.
inline constexpr const char* kEpisodeNumberHeading = "No.";
inline constexpr const char* kEpisodeHeadings[10] = {
    "ピーク時刻", "ピーク",   "最小時刻",   "最小",         "低下幅",
    "低下速度",   "回復速度", "半回復時間", "回復最大時刻", "回復最大"};
inline constexpr const char* kEpisodeUnits[10] = {"[s]",   "[%]",   "[s]", "[%]", "[%]",
                                                  "[%/s]", "[%/s]", "[s]", "[s]", "[%]"};
inline constexpr const char* kNoEpisodes = "エピソードはありません";
inline constexpr const char* kEpisodeRangeFormat = "%d～%d / %d件";

// Trend window: the menu item, the title (with the device's ID), the months shown, the
// state, the choice of figure in the figures' order (then one row per band), the hint.
inline constexpr const char* kTrendMenuItem = "推移...";
inline constexpr const char* kTrendTitle = "推移";
inline constexpr const char* kTrendTitleFormat = "推移 - %s";
inline constexpr const char* kTrendSpanFormat = "%04d-%02d ～ %04d-%02d";
inline constexpr const char* kTrendFillingFormat = "計算中 %d / %d";
inline constexpr const char* kTrendCountFormat = "測定 %d件";
inline constexpr const char* kTrendNoRecords = "この期間に測定はありません";
inline constexpr const char* kTrendChoices[13] = {
    "測定時間 [秒]",     "有効サンプル数",    "StO2 最小 [%]",          "StO2 最大 [%]",
    "StO2 平均 [%]",     "toHb 平均 [mM]",    "心拍数 平均 [bpm]",      "心拍数 最大 [bpm]",
    "エピソード数",      "低下幅 中央値 [%]", "半回復時間 中央値 [秒]", "最大低下速度 [%/s]",
    "最大回復速度 [%/s]"};
inline constexpr const char* kTrendZoneFormat = "%s [秒]";  // the band
inline constexpr const char* kTrendHint =
    "点を押すと、その測定をメイン画面に表示します。赤線は週ごとの中央値です。";

// Device-ID chooser.
inline constexpr const char* kIdDialogCaption = "IDの選択";
inline constexpr const char* kIdDialogPrompt = "機器ＩＤを選択して下さい。";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kCancel = "キャンセル";

// Download.
inline constexpr const char* kDownloadDialogCaption = "データの転送";
inline constexpr const char* kDownloading = "　ダウンロード中・・・";
inline constexpr const char* kFinishing = "　終了処理中・・・";
inline constexpr const char* kNoMeasurements = "測定データはありません。";
inline constexpr const char* kPercentFormat = "%d%%";
inline constexpr const char* kInitialPercent = "0%";
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kDeviceNotRecognised = "デバイスが認識できません。";
inline constexpr const char* kDeviceNotOpened = "デバイスを開くことができませんでした。";
inline constexpr const char* kCommunicationError = "通信エラーが起きました。";
// Follows the two texts above on a line of its own when the system refused access.
inline constexpr const char* kNoAccessToDevice =
    "USBデバイスを使用する権限がありません。udevルール(70-oxi-monitor.rules)をインストールし、"
    "USBを差し直して下さい。";
// The count of measurements not stored whole.
inline constexpr const char* kNotErasedFormat =
    "測定データのうち%d件を転送できなかったため、機器のメモリは消去しませんでした。";
inline constexpr const char* kUnplugUsb = "USBを取り外して下さい。";
inline constexpr const char* kUnplugCaption = "　";  // one ideographic space
inline constexpr const char* kDeviceIdRefused =
    "機器ＩＤが正しくないため、データを転送できませんでした。";
// The folder, then the system's reason.
inline constexpr const char* kStoreNotWritableFormat =
    "データの保存先フォルダに書き込めませんでした。\n%s\n（%s）";
// The count of measurements stored before the user cancelled.
inline constexpr const char* kCancelledFormat =
    "転送を中止しました。保存した測定データは%d件です。機器のメモリは消去していません。";

// Backup of the store: the window menu's item, the folder chooser's title, the boxes.
inline constexpr const char* kBackupMenuItem = "バックアップ...";
inline constexpr const char* kBackupChooserTitle = "バックアップ先のフォルダを選択して下さい。";
// The first line of the result, then the folder and the counts (kBackupCountsFormat).
inline constexpr const char* kBackupDone = "バックアップしました。";
inline constexpr const char* kBackupUpToDate =
    "バックアップ先は最新の状態です。コピーしたファイルはありません。";
// The count of files not copied, the first one's name and its reason.
inline constexpr const char* kBackupFailedFormat =
    "%d件のファイルをバックアップできませんでした。\n%s\n（%s）";
inline constexpr const char* kBackupCountsFormat =
    "%s\n\nバックアップ先: %s\nコピーしたファイル: %d件\n変更のなかったファイル: %d件\n"
    "バックアップ先の方が新しいため上書きしなかったファイル: %d件";
// The folder, then the reason.
inline constexpr const char* kBackupRefusedFormat =
    "バックアップ先フォルダに書き込めませんでした。\n%s\n（%s）";
// Asked after a download that erased a monitor; the folder chosen last.
inline constexpr const char* kBackupOfferFormat =
    "機器のメモリを消去しました。測定データは今このパソコンにしかありません。\n"
    "%s にバックアップしますか？";

}  // namespace oxi::texts
