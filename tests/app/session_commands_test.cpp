// Scripted sessions of the Download, Print and Save buttons and the menu's export and
// backup.
#include <gtest/gtest.h>

#include <fstream>

#include "app/buttons.h"
#include "device/demo_monitor.h"
#include "export/open_format.h"
#include "platform/d2xx/simulated_monitor.h"
#include "platform/gdi/recording_dc.h"
#include "res/texts.h"
#include "screen_test_support.h"
#include "store/backup_setting.h"

namespace oxi::testing {
namespace {

constexpr PixelPoint kDownload = {790, 33};
constexpr PixelPoint kPrint = {870, 33};
constexpr PixelPoint kSave = {950, 33};
constexpr const char* kDemoId = "DEMO00000001";

void Plug(Session& s, int measurements) {
  DemoMonitorOptions options;
  options.measurements = measurements;
  options.deviceId = kDemoId;
  s.d2xx.AddConverter("Kx47SIM0",
                      std::make_unique<SimulatedMonitor>(MakeDemoMonitor(options, s.platform.now)));
}

int Shows(Session& s) {
  int shows = 0;
  for (const std::string& entry : s.platform.Progress().log) shows += entry == "show";
  return shows;
}

// What the window shows is checked while the box that asks to unplug the converter is up:
// the download is over, and the window behind the box shows its outcome already.
TEST(DownloadButton, TheCalendarShowsTheDeviceJustReadBeforeTheUnplugBox) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  s.Click(s.DayPoint(15));
  ASSERT_EQ(s.State().dayListCount, 1);
  Plug(s, 3);
  int marked = 0;
  s.platform.onMessageBox = [&](const ScriptedPlatform::Box& box) {
    if (box.text != texts::kUnplugUsb) return;
    // The records of the other device's day are no longer listed.
    EXPECT_EQ(s.State().dayListCount, 0);
    EXPECT_EQ(s.State().listThumbLength, 137);
    for (int day = 1; day <= 31; ++day) {
      const PixelPoint p = s.DayPoint(day);
      // The outer frame on the calendar control, left of the day's origin.
      const bool framed =
          s.Pixel(SurfaceId::kCalendar, p.x - 755 - 9, p.y - 60 + 5) == Rgb(255, 0, 255);
      EXPECT_EQ(framed, s.State().dayTable[day - 1] == kDayTableMarked) << "day " << day;
      marked += framed;
    }
  };
  s.Click(kDownload.x, kDownload.y);
  EXPECT_GT(marked, 0);
  EXPECT_EQ(s.dialog.Store().currentDeviceId, kDemoId);
  // The release arrived while the download was pumping messages; the button keeps its
  // pressed look until the pointer moves off it.
  EXPECT_EQ(s.State().downloadButtonState, kButtonPressed);
  s.Move(500, 300);
  EXPECT_EQ(s.State().downloadButtonState, kButtonNormal);
}

// The download pumps messages while it waits for the monitor; a second press on the button
// that arrives then must not start a second download inside the first.
TEST(DownloadButton, APressDuringADownloadDoesNothing) {
  Session s;
  s.Start();
  Plug(s, 2);
  s.platform.QueueMove(kDownload.x, kDownload.y);
  s.platform.QueueDown(kDownload.x, kDownload.y);
  s.platform.QueueDown(kDownload.x, kDownload.y);
  s.platform.QueueUp(kDownload.x, kDownload.y);
  s.platform.RunUntilIdle();
  EXPECT_EQ(Shows(s), 1);
  EXPECT_FALSE(s.dialog.Downloading());  // lifted once the download is over
}

// A month arrow pressed while the download pumps messages changes the shown month; the
// calendar must then mark that month's days, not those of the month shown at the start.
TEST(DownloadButton, AMonthChangedDuringADownloadIsTheOneMarked) {
  constexpr PixelPoint kPreviousMonth = {810, 103};
  constexpr PixelPoint kNextMonth = {940, 103};
  Session s;
  s.Start();
  Plug(s, 3);  // measurements of the month shown at the start
  s.platform.QueueMove(kDownload.x, kDownload.y);
  s.platform.QueueDown(kDownload.x, kDownload.y);
  s.platform.QueueUp(kDownload.x, kDownload.y);
  s.Click(kPreviousMonth.x, kPreviousMonth.y);
  ASSERT_EQ(s.dialog.Store().currentDeviceId, kDemoId);
  EXPECT_EQ(s.State().shownMonth, 2);
  for (int day = 1; day <= 31; ++day) EXPECT_EQ(s.State().dayTable[day - 1], kDayTableEmpty);
  EXPECT_TRUE(s.dialog.Store().monthList.empty());

  s.Click(kNextMonth.x, kNextMonth.y);  // back to the month the records are of
  EXPECT_EQ(s.State().shownMonth, 3);
  EXPECT_EQ(s.dialog.Store().monthList.size(), 3u);
}

// Save, Print and the export open dialogs that would hold the download up, out of reach of
// its Cancel: while it runs, their presses, keys and menu item do nothing.
TEST(DownloadButton, SavePrintAndExportWaitForTheDownload) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  s.Click(s.DayPoint(15));
  Plug(s, 2);
  int dialogs = 0;
  s.platform.printDialogAnswer = [&dialogs] {
    ++dialogs;
    return std::unique_ptr<PageDc>();
  };
  bool tried = false;
  s.platform.Progress().cancelWhen = [&](const RecordingProgressDialog&) {
    if (tried) return false;
    tried = true;
    s.dialog.OnCommandKey(CommandKey::kPrint);
    s.dialog.OnCommandKey(CommandKey::kSave);
    s.dialog.OnExportCommand();
    for (const PixelPoint& p : {kPrint, kSave}) {  // as pumped messages deliver them
      s.dialog.OnMouseMove(p.x, p.y);
      s.dialog.OnLButtonDown(p.x, p.y);
      s.dialog.OnLButtonUp(p.x, p.y);
    }
    return false;
  };
  s.Click(kDownload.x, kDownload.y);
  EXPECT_TRUE(tried);
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(s.platform.lastProposedSaveName, "");
  EXPECT_TRUE(s.platform.lastSaveTypes.empty());
  s.dialog.OnCommandKey(CommandKey::kPrint);  // and once it is over, they work again
  EXPECT_EQ(dialogs, 1);
}

TEST(PrintButton, PrintsTheShownMeasurementUnderItsTitle) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  s.Click(s.DayPoint(15));
  // The page context lives only as long as the printing; keep what was drawn on it.
  struct KeptPage : RecordingDc {
    std::vector<std::string>* documents = nullptr;
    ~KeptPage() override {
      for (const RecordedOp& op : OpsOf(RecordedOp::Kind::kStartDoc)) documents->push_back(op.text);
    }
  };
  std::vector<std::string> documents;
  s.platform.printDialogAnswer = [&documents]() {
    auto page = std::make_unique<KeptPage>();
    page->documents = &documents;
    return page;
  };
  s.platform.QueueMove(kPrint.x, kPrint.y);
  s.platform.QueueDown(kPrint.x, kPrint.y);
  s.platform.RunUntilIdle();
  EXPECT_EQ(s.State().printButtonState, kButtonPressed);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 838, 44), Rgb(192, 230, 255));  // pressed face
  s.platform.QueueUp(kPrint.x, kPrint.y);
  s.platform.RunUntilIdle();
  EXPECT_EQ(s.State().printButtonState, kButtonHovered);
  s.Move(500, 300);
  EXPECT_EQ(s.State().printButtonState, kButtonNormal);
  EXPECT_EQ(s.Pixel(SurfaceId::kFace, 838, 44), Rgb(212, 245, 255));
  EXPECT_EQ(documents, std::vector<std::string>{s.dialog.Measurement().title});
  EXPECT_EQ(s.platform.lastPrintDocumentName, "2008_0315_0905");  // the dialog knew it
}

TEST(SaveButton, WritesTheCsvFileChosen) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  s.Click(s.DayPoint(15));
  const fs::path out = s.DataRoot().parent_path() / "out.csv";
  s.platform.saveFileAnswer = out.string();
  s.Click(kSave.x, kSave.y);
  EXPECT_EQ(s.platform.lastProposedSaveName, s.dialog.Measurement().title + ".csv");
  EXPECT_TRUE(fs::exists(out));
}

TEST(ExportCommand, NothingUntilAMeasurementIsShownThenTheFormatChosen) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  s.dialog.OnExportCommand();
  EXPECT_TRUE(s.platform.lastSaveTypes.empty());  // screen mode 0: no chooser

  s.Click(s.DayPoint(15));
  std::vector<std::string> offered;
  for (const OpenFormatInfo& info : OpenFormats()) {
    if (Supported(info.format)) offered.push_back(info.extension);
  }
  const fs::path out = s.DataRoot().parent_path() / "out.csv";
  s.platform.saveFileAnswer = out.string();
  s.platform.saveTypeAnswer = offered.size() - 1;  // the UTF-8 CSV, offered last
  s.dialog.OnExportCommand();
  EXPECT_EQ(s.platform.lastProposedSaveName, "2008_0315_0905");
  std::vector<std::string> extensions;
  for (const SaveFileType& type : s.platform.lastSaveTypes) extensions.push_back(type.extension);
  EXPECT_EQ(extensions, offered);
  std::ifstream file(out);
  std::string header;
  std::getline(file, header);
  EXPECT_EQ(header.rfind("time_s,", 0), 0u) << header;
  EXPECT_TRUE(s.platform.MessageBoxes().empty());
}

// Ctrl+P and Ctrl+S run what the buttons run, and nothing before a measurement is shown.
TEST(CommandKeys, DoWhatTheButtonsDoOnceAMeasurementIsShown) {
  Session s;
  s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  int printDialogs = 0;
  s.platform.printDialogAnswer = [&printDialogs] {
    ++printDialogs;
    return std::make_unique<RecordingDc>();
  };
  const fs::path out = s.DataRoot().parent_path() / "key.csv";
  s.platform.saveFileAnswer = out.string();
  s.dialog.OnCommandKey(CommandKey::kPrint);
  s.dialog.OnCommandKey(CommandKey::kSave);
  EXPECT_EQ(printDialogs, 0);
  EXPECT_FALSE(fs::exists(out));

  s.Click(s.DayPoint(15));
  s.dialog.OnCommandKey(CommandKey::kPrint);
  EXPECT_EQ(printDialogs, 1);
  EXPECT_EQ(s.platform.lastPrintDocumentName, "2008_0315_0905");
  s.dialog.OnCommandKey(CommandKey::kSave);
  EXPECT_EQ(s.platform.lastProposedSaveName, "2008_0315_0905.csv");
  EXPECT_TRUE(fs::exists(out));
  // The buttons keep their looks: no press was drawn.
  EXPECT_EQ(s.State().printButtonState, kButtonNormal);
  EXPECT_EQ(s.State().saveButtonState, kButtonNormal);
}

TEST(BackupCommand, ChoosesAFolderRemembersItAndTellsTheResult) {
  Session s;
  const std::string name = s.AddRecord(kDeviceA, 8, 3, 15, 9, 5, 100);
  s.Start();
  TempFolder stick("oxi-stick");
  const fs::path folder = stick.Path() / PathFromUtf8("バックアップ");
  s.platform.folderAnswer = PathToUtf8(folder);
  s.dialog.OnBackupCommand();
  EXPECT_EQ(s.platform.lastFolderInitial, "");
  EXPECT_TRUE(fs::exists(folder / ("OXI" + std::string(kDeviceA)) / name));
  ASSERT_EQ(s.platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(s.platform.MessageBoxes()[0].caption, texts::kApplicationName);
  EXPECT_TRUE(s.platform.MessageBoxes()[0].text.starts_with(texts::kBackupDone));

  // The chooser opens at the folder chosen last; cancelled, it does nothing.
  s.platform.folderAnswer.reset();
  s.dialog.OnBackupCommand();
  EXPECT_EQ(s.platform.lastFolderInitial, PathToUtf8(folder));
  EXPECT_EQ(s.platform.MessageBoxes().size(), 1u);
  s.platform.folderAnswer = PathToUtf8(folder);
  s.dialog.OnBackupCommand();
  ASSERT_EQ(s.platform.MessageBoxes().size(), 2u);
  EXPECT_TRUE(s.platform.MessageBoxes()[1].text.starts_with(texts::kBackupUpToDate));
}

// Once a monitor is erased its measurements exist only in the store: with a backup folder
// chosen before, the window offers to back up now, and does so on Yes only.
TEST(BackupCommand, OfferedAfterADownloadThatErasedAMonitor) {
  const struct {
    bool remembered;
    int measurements;
    bool yes;
    bool asked;
  } cases[] = {
      {false, 3, true, false},
      {true, 0, true, false},  // nothing erased
      {true, 3, false, true},
      {true, 3, true, true},
  };
  for (const auto& c : cases) {
    Session s;
    s.Start();
    TempFolder stick("oxi-stick");
    fs::create_directories(s.DataRoot());
    if (c.remembered) {
      ASSERT_EQ(RememberBackupFolder(s.DataRoot(), stick.Path()), WriteStatus::kWritten);
    }
    s.platform.yesNoAnswers = {c.yes};
    Plug(s, c.measurements);
    s.Click(kDownload.x, kDownload.y);
    ASSERT_EQ(s.platform.questions.size(), c.asked ? 1u : 0u) << c.remembered << c.measurements;
    const bool copied = fs::exists(stick.Path() / ("OXI" + std::string(kDemoId)));
    EXPECT_EQ(copied, c.asked && c.yes);
    if (!c.asked) continue;
    EXPECT_NE(s.platform.questions[0].text.find(PathToUtf8(stick.Path())), std::string::npos);
    // The offer comes after the download's last words; Yes shows the backup's result.
    const std::string& last = s.platform.MessageBoxes().back().text;
    EXPECT_TRUE(c.yes ? last.starts_with(texts::kBackupDone) : last == texts::kUnplugUsb) << last;
  }
}

}  // namespace
}  // namespace oxi::testing
