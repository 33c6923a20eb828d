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

  void captionsAndToolTips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("btnAddStock") << "btnAddStock"
                                 << "&Add"
                                 << "Add the current materia to the list";
    QTest::newRow("btnChangeStock") << "btnChangeStock"
                                    << "Change"
                                    << "change the selected list item";
    QTest::newRow("btnDeleteStock") << "btnDeleteStock"
                                    << "Delete"
                                    << "Delete the selected stock";
    QTest::newRow("btnNewMaterial") << "btnNewMaterial"
                                    << "New Material"
                                    << "";
    QTest::newRow("btnfis") << "btnfis"
                            << "?"
                            << "";
    QTest::newRow("btnAddCut") << "btnAddCut"
                               << "&Add"
                               << "adds the current description to the list";
    QTest::newRow("btnChangeCut") << "btnChangeCut"
                                  << "Change"
                                  << "change the selected list item";
    QTest::newRow("btnDelCut") << "btnDelCut"
                               << "Delete"
                               << "Delete the selected cut";
    QTest::newRow("btnCut") << "btnCut"
                            << "Cut"
                            << "Start the cutting ";
    QTest::newRow("btnExit") << "btnExit"
                             << "Exit"
                             << "Exit BRX";
  }

  void captionsAndToolTips() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QVERIFY(w->Open());
    auto* button = w->Get<QPushButton>(name.toLatin1().constData());
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
  }

  void windowAtStart() {
    QVERIFY(w->Open());
    QCOMPARE(w->window->windowTitle(), QStringLiteral("BRX"));
    QCOMPARE(w->Get<QLineEdit>("txtStockQty")->toolTip(),
             QStringLiteral("Enter 0 if no inventory"));
    QCOMPARE(w->Get<QLineEdit>("txtBin")->toolTip(),
             QStringLiteral("Enter stock bin/ID#  or leave blank"));
    QCOMPARE(w->Get<QLineEdit>("txtKerf")->toolTip(),
             QStringLiteral("The length lost at each cut. Double click to set."));
    QCOMPARE(w->Get<QSlider>("Slider1")->toolTip(),
             QStringLiteral("Adjust maximum optimization potential"));
    QCOMPARE(w->MaterialBox()->toolTip(), QStringLiteral("Enter Material Description here"));
    QVERIFY(!w->Get<QPushButton>("btnAddStock")->isEnabled());
    QVERIFY(w->Get<QPushButton>("btnExit")->isEnabled());
    QCOMPARE(w->MaterialBox()->currentText(), QStringLiteral("W8X31"));
    QCOMPARE(w->Get<QGroupBox>("FraCutLst")->title(), QStringLiteral("Cut list for W8X31"));
    QCOMPARE(w->Get<QListWidget>("LstStock")->font().family(), QStringLiteral("Liberation Mono"));
    QCOMPARE(w->Get<QLineEdit>("txtCutQty")->font().family(), QStringLiteral("Liberation Sans"));
    QVERIFY(w->Get<QLineEdit>("txtCutQty")->font().bold());
    QCOMPARE(w->Get<QLineEdit>("txtCutQty")->palette().color(QPalette::Base),
             QColor(192, 255, 192));
    // 9240, 7200, 1095, 615 twips, 15 to a pixel, below the toolbar.
    QCOMPARE(w->Get<QPushButton>("btnCut")->size(), QSize(73, 41));
    QCOMPARE(w->Get<QPushButton>("btnCut")->x(), 616);
    QCOMPARE(ToolButton(*w, "View Details")->toolTip(),
             QStringLiteral("View last computed cutting list"));
    QCOMPARE(ToolButton(*w, "Print")->toolTip(),
             QStringLiteral("Print last computed cutting list"));
  }

  void lengthHintsFollowTheUnitMode_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("inchOnly");
    QTest::addColumn<QString>("inch32");
    QTest::addColumn<QString>("cutHint");
    QTest::addColumn<QString>("stockHint");
    const QString feet16 = "feet+inches+sixteenths, eg: 120610 = 12'-6 5/8";
    const QString feet32 = "feet+inches+32nds, eg: 400911 = 40' 9 11/32";
    const QString inch16 = "inches+16ths, eg: 12011 = 120 11/16\"";
    const QString inch32 = "inches+32nds, eg: 12019 = 120 19/32\"";
    QTest::newRow("feet 16ths") << "0"
                                << "0"
                                << "0" << feet16 << feet16;
    QTest::newRow("feet 32nds") << "0"
                                << "0"
                                << "1" << feet32 << feet32;
    QTest::newRow("inches 16ths") << "0"
                                  << "1"
                                  << "0" << inch16 << inch16;
    QTest::newRow("inches 32nds") << "0"
                                  << "1"
                                  << "1" << inch32 << inch32;
    QTest::newRow("metric") << "1"
                            << "1"
                            << "1"
                            << "xxxxxx"
                            << "xxxx.xxxx";
    QTest::newRow("unit 2") << "2"
                            << "0"
                            << "0"
                            << "xxx.xxxx"
                            << "xxx.xxxx";
    QTest::newRow("other") << "3"
                           << "0"
                           << "0" << feet16 << feet16;
  }

  void lengthHintsFollowTheUnitMode() {
    QFETCH(QString, unit);
    QFETCH(QString, inchOnly);
    QFETCH(QString, inch32);
    QFETCH(QString, cutHint);
    QFETCH(QString, stockHint);
    QVERIFY(w->Open());
    // An unknown unit leaves the hint as it was: the feet-inch one here.
    MoveOverLengthFields();
    w->job.unit_flag = unit.toStdString();
    w->job.inchOnlyFlag = inchOnly.toStdString();
    w->job.inch32Flag = inch32.toStdString();
    MoveOverLengthFields();
    QCOMPARE(w->Get<QLineEdit>("txtCutLength")->toolTip(), cutHint);
    QCOMPARE(w->Get<QLineEdit>("TxtStockLength")->toolTip(), stockHint);
  }

  void quantityAndMarkHints() {
    QVERIFY(w->Open());
    w->window->ShowStatus("something");
    QTest::mouseMove(w->Get<QLineEdit>("txtCutQty"));
    QCOMPARE(w->Get<QLineEdit>("txtCutQty")->toolTip(),
             QStringLiteral("Enter quantity of pieces to cut"));
    QCOMPARE(w->Status(), QString());
    w->window->ShowStatus("something");
    QTest::mouseMove(w->Get<QLineEdit>("txtDescrCut"));
    QCOMPARE(w->Get<QLineEdit>("txtDescrCut")->toolTip(),
             QStringLiteral("Identification label of cut piece"));
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
    w->WriteFile("W8X31.bxl", "first line\r\nsecond line\r\n");
    QVERIFY(w->Open());
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

  void MoveOverLengthFields() {
    QTest::mouseMove(w->Get<QLineEdit>("txtCutLength"));
    QTest::mouseMove(w->Get<QLineEdit>("TxtStockLength"));
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
