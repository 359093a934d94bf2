#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <memory>

#include "platform/ui/clock.h"
#include "qt/about_dialog.h"
#include "qt/download_dialog.h"
#include "qt/id_chooser.h"
#include "qt/qt_platform.h"
#include "qt_test_support.h"
#include "res/build_info.h"
#include "res/texts.h"

namespace oxi {
namespace {

using testing::App;
using testing::LoggingIdHandlers;
using testing::RecordingHandlers;
using testing::TestSurfaces;

class DownloadDialogTest : public ::testing::Test {
 protected:
  DownloadDialogTest() {
    App();
    window = std::make_unique<HostWindow>(handlers, surfaces.Pointers());
    platform.AttachWindow(*window);
    dialog = dynamic_cast<CDLDialog*>(&platform.DownloadDialog());
  }

  RecordingHandlers handlers;
  TestSurfaces surfaces;
  SystemClock clock;
  QtPlatform platform{clock};
  std::unique_ptr<HostWindow> window;
  CDLDialog* dialog = nullptr;
};

TEST_F(DownloadDialogTest, StartsHiddenAtItsPlaceWithItsTexts) {
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->parentWidget(), window.get());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->pos(), QPoint(362, 284));
  EXPECT_EQ(dialog->size(), QSize(300, 200));
  EXPECT_EQ(dialog->windowTitle().toStdString(), texts::kDownloadDialogCaption);
  EXPECT_TRUE(dialog->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(dialog->Bar().minimum(), 0);
  EXPECT_EQ(dialog->Bar().maximum(), 100);
  EXPECT_EQ(dialog->Bar().value(), 0);
  EXPECT_EQ(dialog->Status().text().toStdString(), texts::kDownloading);
  EXPECT_EQ(dialog->Percent().text().toStdString(), texts::kInitialPercent);
  // Its template's 8-point face, smaller than the main window's 9 points.
  EXPECT_EQ(dialog->Status().font().pointSize(), 8);
  EXPECT_EQ(dialog->Percent().font().pointSize(), 8);
  // The same window every time it is asked for.
  EXPECT_EQ(&platform.DownloadDialog(), dialog);
}

TEST_F(DownloadDialogTest, ShowsWhatTheDownloadSetsAndSurvivesEscAndClose) {
  ProgressDialog& progress = platform.DownloadDialog();
  progress.Show();
  // On the screen when Show returns: the download dispatches nothing while it reads.
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->IsExposed());
  progress.SetBar(42);
  progress.SetPercentText("42%");
  progress.SetStatus(texts::kFinishing);
  progress.Repaint();
  EXPECT_EQ(dialog->Bar().value(), 42);
  EXPECT_EQ(dialog->Percent().text().toStdString(), "42%");
  EXPECT_EQ(dialog->Status().text().toStdString(), texts::kFinishing);

  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(dialog, &esc);
  dialog->close();
  QCoreApplication::processEvents();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(handlers.Count("cancel"), 0);  // the main window did not see that Esc

  progress.Hide();
  EXPECT_FALSE(dialog->isVisible());
  progress.Show();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->pos(), QPoint(362, 284));
  EXPECT_EQ(dialog->Percent().text().toStdString(), "42%");
  progress.Hide();
}

// Cancel and the close box ask the download to stop, only while it may be stopped; the
// press reaches it through the messages its pump dispatches.
TEST_F(DownloadDialogTest, CancelAndTheCloseBoxAskTheDownloadToStop) {
  ProgressDialog& progress = platform.DownloadDialog();
  QPushButton& cancel = dialog->CancelButton();
  progress.Show();
  EXPECT_EQ(cancel.text().toStdString(), texts::kCancel);
  EXPECT_TRUE(cancel.isVisible());
  EXPECT_TRUE(dialog->rect().contains(cancel.geometry()));
  EXPECT_FALSE(cancel.isEnabled());  // until the download allows it
  dialog->close();
  EXPECT_FALSE(progress.CancelRequested());

  progress.SetCancellable(true);
  ASSERT_TRUE(cancel.isEnabled());
  const QPoint middle = cancel.rect().center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QCoreApplication::postEvent(
        &cancel, new QMouseEvent(type, middle, cancel.mapToGlobal(middle), Qt::LeftButton,
                                 Qt::LeftButton, Qt::NoModifier));
  }
  EXPECT_FALSE(progress.CancelRequested());
  platform.PumpOneMessage();
  EXPECT_TRUE(progress.CancelRequested());
  EXPECT_FALSE(cancel.isEnabled());
  EXPECT_TRUE(dialog->isVisible());  // only the download hides it

  // Shown again for the next download, it has forgotten; its close box does what Cancel
  // does; once the erase has gone out, neither does anything.
  progress.Hide();
  progress.Show();
  EXPECT_FALSE(progress.CancelRequested());
  progress.SetCancellable(true);
  dialog->close();
  EXPECT_TRUE(progress.CancelRequested());
  EXPECT_TRUE(dialog->isVisible());
  progress.Hide();
  progress.Show();
  progress.SetCancellable(false);
  cancel.click();
  dialog->close();
  EXPECT_FALSE(progress.CancelRequested());
  progress.Hide();
}

// A style that puts icons on dialog buttons, as desktop themes do, for as long as it lives.
class ButtonIconStyle {
 public:
  ButtonIconStyle() : name_(QApplication::style()->name()) {
    QApplication::setStyle(new Style(QStyleFactory::create(name_)));
  }
  ~ButtonIconStyle() { QApplication::setStyle(QStyleFactory::create(name_)); }

 private:
  struct Style : QProxyStyle {
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
      if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
      return QProxyStyle::styleHint(hint, option, widget, returned);
    }
  };
  QString name_;
};

// The message boxes and the about box: the given texts, modal, one plain OK that ends them.
TEST_F(DownloadDialogTest, MessageBoxesAndTheAboutBoxShowAPlainOk) {
  ButtonIconStyle desktopStyle;
  std::string seenText;
  std::string seenCaption;
  bool modal = false;
  bool okHasIcon = true;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seenText = box->text().toStdString();
    seenCaption = box->windowTitle().toStdString();
    modal = box->isModal();
    ASSERT_EQ(box->buttons().size(), 1);
    okHasIcon = !box->button(QMessageBox::Ok)->icon().isNull();
    box->button(QMessageBox::Ok)->click();
  });
  platform.ShowMessageBox(texts::kUnplugUsb, texts::kUnplugCaption);
  EXPECT_EQ(seenText, texts::kUnplugUsb);
  EXPECT_EQ(seenCaption, texts::kUnplugCaption);
  EXPECT_TRUE(modal);
  EXPECT_FALSE(okHasIcon);

  // It says which version runs and where its store is.
  CAboutDialog about(window.get(), "/home/u/Application Data/StO2");
  QString labels;
  for (const QLabel* label : about.findChildren<QLabel*>()) labels += label->text() + '|';
  EXPECT_TRUE(labels.contains(QString("Version ") + build::kVersion + '|')) << labels.toStdString();
  EXPECT_TRUE(labels.contains(" /home/u/Application Data/StO2|")) << labels.toStdString();
  EXPECT_TRUE(labels.contains(" /home/u/Application Data/StO2/viewer.log|"))
      << labels.toStdString();
  const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons.front()->text().remove('&').toStdString(), texts::kOk);
  EXPECT_TRUE(buttons.front()->icon().isNull());
  QTimer::singleShot(0, [&] { buttons.front()->click(); });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

class IdChooserTest : public ::testing::Test {
 protected:
  IdChooserTest() { App(); }

  // Plays `user` against the chooser once it is up; what the user does must end it.
  void Run(const std::function<void(IdChooserWindow&)>& user) {
    QTimer::singleShot(0, [&] {
      auto* chooser = dynamic_cast<IdChooserWindow*>(QApplication::activeModalWidget());
      ASSERT_NE(chooser, nullptr);
      user(*chooser);
    });
    // Whatever happens above, the dialog must not stay up; but having to close it here
    // means the user's input did not end it.
    bool safetyClosed = false;
    QObject scope;
    QTimer::singleShot(5000, &scope, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        safetyClosed = true;
        modal->close();
      }
    });
    platform.RunIdDialog(handlers);
    EXPECT_FALSE(safetyClosed) << "the chooser did not end";
  }

  SystemClock clock;
  QtPlatform platform{clock};
  LoggingIdHandlers handlers;
};

QPushButton* ButtonLabelled(QWidget& dialog, const char* text) {
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
    if (b->text().toStdString() == text) return b;
  }
  return nullptr;
}

TEST_F(IdChooserTest, ShowsItsTextsAndFillsTheListWhenShown) {
  Run([&](IdChooserWindow& chooser) {
    EXPECT_EQ(chooser.windowTitle().toStdString(), texts::kIdDialogCaption);
    const QLabel* prompt = nullptr;
    for (const QLabel* label : chooser.findChildren<QLabel*>()) {
      if (label->text().toStdString() == texts::kIdDialogPrompt) prompt = label;
    }
    ASSERT_NE(prompt, nullptr);
    EXPECT_GE(prompt->width(), prompt->sizeHint().width());  // the whole text shows
    EXPECT_EQ(prompt->font().pointSize(), 8);
    EXPECT_EQ(chooser.Combo().font().pointSize(), 8);
    EXPECT_EQ(chooser.Combo().count(), 2);
    EXPECT_EQ(chooser.Combo().currentText().toStdString(), "AAAA00000001");
    QPushButton* ok = ButtonLabelled(chooser, texts::kOk);
    QPushButton* cancel = ButtonLabelled(chooser, texts::kCancel);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(chooser.focusWidget(), ok);  // it starts on OK
    EXPECT_FALSE(cancel->isVisible());
    ok->click();
  });
  // The program's own filling notified nothing; OK at once keeps the first ID.
  EXPECT_EQ(handlers.log, std::vector<std::string>{"show"});
  EXPECT_EQ(handlers.chosen, "AAAA00000001");
}

TEST_F(IdChooserTest, TheListClosingUpHandsOverTheChoice) {
  Run([&](IdChooserWindow& chooser) {
    chooser.Combo().showPopup();
    // It drops down below the field, leaving the field and its text in view.
    const QWidget* list = chooser.Combo().view()->window();
    ASSERT_TRUE(list->isVisible());
    EXPECT_GE(list->geometry().top(),
              chooser.Combo().mapToGlobal(QPoint(0, chooser.Combo().height())).y() - 1);
    chooser.Combo().setCurrentIndex(1);
    chooser.Combo().hidePopup();
    chooser.close();  // the close box ends it as well
  });
  std::vector<std::string> expected{"show", "selchange BBBB00000002", "closeup BBBB00000002"};
  EXPECT_EQ(handlers.log, expected);
  EXPECT_EQ(handlers.chosen, "BBBB00000002");
}

TEST_F(IdChooserTest, EnterPressesOk) {
  Run([&](IdChooserWindow& chooser) {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&chooser, &enter);
  });
  EXPECT_EQ(handlers.chosen, "AAAA00000001");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace oxi
