#include <QAction>
#include <QGroupBox>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "main_window_fixture.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/length_help_window.h"
#include "mainwindow/report_viewer_window.h"
#include "mainwindow/splash_window.h"
#include "mainwindow/window_texts.h"

namespace {

QAction* ToolButton(const MainWindowFixture& w, const QString& key) {
  for (QAction* action : w.Get<QToolBar>("Toolbar1")->actions()) {
    if (action->data().toString() == key) return action;
  }
  return nullptr;
}

}  // namespace

class MainWindowShellTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w = std::make_unique<MainWindowFixture>(); }
  void cleanup() { w.reset(); }

  void windowAtStart() {
    QVERIFY(w->Open());
    QCOMPARE(w->MaterialBox()->currentText(), QStringLiteral("W8X31"));
    QCOMPARE(w->Get<QGroupBox>("FraCutLst")->title(),
             QString::fromLatin1(texts::kCutFramePrefix) + QStringLiteral("W8X31"));
    // The list columns line up only in a fixed-pitch font.
    QVERIFY(QFontInfo(w->Get<QListWidget>("LstStock")->font()).fixedPitch());
    // Every button shows its whole caption.
    for (QPushButton* button : w->window->findChildren<QPushButton*>()) {
      const QString caption = button->text().remove(QLatin1Char('&'));
      QVERIFY2(button->fontMetrics().horizontalAdvance(caption) <= button->contentsRect().width(),
               qPrintable(button->objectName()));
    }
  }

  // The length fields' hints follow the unit mode as the mouse comes over
  // them; an unknown unit leaves the hint as it was.
  void hintsFollowTheMouse() {
    const struct {
      const char* flags;  // unit, inches only, 32nds
      const char* cutHint;
      const char* stockHint;
    } modes[] = {
        {"000", texts::kFeet16Hint, texts::kFeet16Hint},
        {"001", texts::kFeet32Hint, texts::kFeet32Hint},
        {"010", texts::kInch16Hint, texts::kInch16Hint},
        {"011", texts::kInch32Hint, texts::kInch32Hint},
        {"111", texts::kMetricCutHint, texts::kMetricStockHint},
        {"300", texts::kMetricCutHint, texts::kMetricStockHint},
        {"200", texts::kUnit2Hint, texts::kUnit2Hint},
        {"300", texts::kUnit2Hint, texts::kUnit2Hint},
    };
    QVERIFY(w->Open());
    for (const auto& mode : modes) {
      w->job.unit_flag = std::string(1, mode.flags[0]);
      w->job.inchOnlyFlag = std::string(1, mode.flags[1]);
      w->job.inch32Flag = std::string(1, mode.flags[2]);
      QTest::mouseMove(w->Get<QLineEdit>("txtCutLength"));
      QTest::mouseMove(w->Get<QLineEdit>("TxtStockLength"));
      QCOMPARE(w->Get<QLineEdit>("txtCutLength")->toolTip(), QString::fromLatin1(mode.cutHint));
      QCOMPARE(w->Get<QLineEdit>("TxtStockLength")->toolTip(), QString::fromLatin1(mode.stockHint));
    }

    // Over the quantity field the status line empties; over the mark it stays.
    w->window->ShowStatus("something");
    QTest::mouseMove(w->Get<QLineEdit>("txtCutQty"));
    QCOMPARE(w->Get<QLineEdit>("txtCutQty")->toolTip(), QString::fromLatin1(texts::kCutQtyHint));
    QCOMPARE(w->Status(), QString());
    w->window->ShowStatus("something");
    QTest::mouseMove(w->Get<QLineEdit>("txtDescrCut"));
    QCOMPARE(w->Get<QLineEdit>("txtDescrCut")->toolTip(), QString::fromLatin1(texts::kMarkHint));
    QCOMPARE(w->Status(), QStringLiteral("something"));
  }

  void statusBarToggledTwiceIsShownAndChecked() {
    QVERIFY(w->Open());
    auto* item = w->Get<QAction>("mnuViewStatusBar");
    QVERIFY(item->isChecked());
    ChooseMenuItem(Qt::Key_V, Qt::Key_B);
    QVERIFY(!w->window->statusBar()->isVisible());
    QVERIFY(!item->isChecked());
    w->window->ShowStatus("hidden but kept");
    QCOMPARE(w->Status(), QStringLiteral("hidden but kept"));
    ChooseMenuItem(Qt::Key_V, Qt::Key_B);
    QVERIFY(w->window->statusBar()->isVisible());
    QVERIFY(item->isChecked());
  }

  void lastReportOpensTheViewerOnce() {
    QVERIFY(w->Open());
    // Without a report the missing file is named and no viewer opens.
    ChooseMenuItem(Qt::Key_V, Qt::Key_L);
    QCOMPARE(w->dialogs.MessageTexts(),
             QStringList{texts::kNoReport + w->Path("W8X31.bxl") + texts::kNoReportEnd});
    QVERIFY(w->window->findChildren<frmOutput*>().isEmpty());

    w->WriteFile("W8X31.bxl", "first line\r\nsecond line\r\n");
    ChooseMenuItem(Qt::Key_V, Qt::Key_L);
    QTRY_COMPARE(w->window->findChildren<frmOutput*>().size(), 1);
    QVERIFY(w->window->findChild<frmOutput*>()->isVisible());
    ToolButton(*w, "View Details")->trigger();
    QCOMPARE(w->window->findChildren<frmOutput*>().size(), 1);
  }

  void printRunsThePrintDialog() {
    QVERIFY(w->Open());
    QTest::keyClick(w->window.get(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(w->dialogs.printDialogs, 1);
    ToolButton(*w, "Print")->trigger();
    QCOMPARE(w->dialogs.printDialogs, 2);
    w->Get<QAction>("mnuFilePageSetup")->trigger();
    QCOMPARE(w->dialogs.pageSetups, 1);
  }

  void helpCommands() {
    QVERIFY(w->Open());
    ChooseMenuItem(Qt::Key_H, Qt::Key_W);
    QCOMPARE(w->dialogs.openedUrls.size(), 1u);
    QVERIFY(w->dialogs.openedUrls[0].startsWith(QStringLiteral("https://")));

    ChooseMenuItem(Qt::Key_H, Qt::Key_A);
    QTRY_COMPARE(w->window->findChildren<frmSplash*>().size(), 1);
    QCOMPARE(w->window->findChild<frmSplash*>()->findChild<QTimer*>("Timer1")->interval(), 8000);

    w->Click("btnfis");
    w->Click("Command1");
    QCOMPARE(w->window->findChildren<frmFIHelp*>().size(), 1);
    QVERIFY(w->window->findChild<frmFIHelp*>()->isVisible());
  }

  void sliderStoresTheLevel() {
    QVERIFY(w->Open());
    auto* slider = w->Get<QSlider>("Slider1");
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);
    for (int i = 0; i < 8; ++i) QTest::keyClick(slider, Qt::Key_Right);
    QCOMPARE(w->job.drop_length, std::string("8"));
    w->window->SetOptimizationLevel(3);
    QCOMPARE(slider->value(), 3);
    QCOMPARE(w->job.drop_length, std::string("3"));
  }

  void aRunLocksTheWindowUntilCancelEndsIt() {
    w = std::make_unique<MainWindowFixture>([this](JobState& job, Frontend& frontend, int level) {
      return WaitForCancel(job, frontend, level);
    });
    QVERIFY(w->Open());
    w->window->SetOptimizationLevel(7);
    w->Click("btnCut");
    QCOMPARE(runLevels_, std::vector<int>{7});
    QVERIFY(lockedDuringRun_);
    QVERIFY(closingAskedToStop_);
    QVERIFY(w->Get<QPushButton>("btnCut")->isEnabled());
    QVERIFY(w->MaterialBox()->isEnabled());
    QVERIFY(w->Get<QToolBar>("Toolbar1")->isEnabled());
    QVERIFY(!w->window->findChild<frmCuttingProgress*>()->isVisible());

    ToolButton(*w, "Cut")->trigger();
    QCOMPARE(runLevels_, (std::vector<int>{7, 7}));
  }

 private:
  // A search that goes on until Cancel is pressed on the progress window,
  // letting events through as the real one does.
  CuttingRunOutcome WaitForCancel(JobState& job, Frontend& frontend, int level) {
    runLevels_.push_back(level);
    lockedDuringRun_ =
        !w->Get<QPushButton>("btnCut")->isEnabled() && !w->MaterialBox()->isEnabled() &&
        !w->Get<QLineEdit>("txtCutQty")->isEnabled() &&
        !w->Get<QToolBar>("Toolbar1")->isEnabled() && !w->window->menuBar()->isEnabled();
    frontend.ShowProgressWindow(true);
    auto* progress = w->window->findChild<frmCuttingProgress*>();
    QTimer::singleShot(30, progress, [progress] {
      QTest::mouseClick(progress->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    });
    // Closing the main window meanwhile only asks the run to stop.
    w->window->close();
    closingAskedToStop_ = w->window->isVisible() && job.cancelRequested;
    job.cancelRequested = false;
    while (!job.cancelRequested) frontend.PumpEvents();
    frontend.ShowProgressWindow(false);
    return CuttingRunOutcome::Completed;
  }

  // Opens a menu by its access key and chooses an item by its own.
  void ChooseMenuItem(Qt::Key menu, Qt::Key item) {
    QTest::keyClick(w->window.get(), menu, Qt::AltModifier);
    QMenu* open = nullptr;
    QTRY_VERIFY((open = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
    QTest::keyClick(open, item);
    QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
  }

  std::unique_ptr<MainWindowFixture> w;
  std::vector<int> runLevels_;
  bool lockedDuringRun_ = false;
  bool closingAskedToStop_ = false;
};

QTEST_MAIN(MainWindowShellTest)
#include "main_window_shell_test.moc"
