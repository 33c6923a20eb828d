#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

#include "main_window_fixture.h"
#include "mainwindow/report_viewer_window.h"
#include "optimizer/cutting_run.h"

// The Cut button running the real cutting run: the empty-list messages, the
// report and export written, the viewer opened and the lists rebuilt.
class MainWindowCuttingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    w = std::make_unique<MainWindowFixture>(RunCutting);
    w->job.export_filename = w->Path("Export.txt").toStdString();
  }

  void cutOnAnEmptyStockListExplains() {
    QVERIFY(w->Open());
    w->Click("btnCut");
    QCOMPARE(w->dialogs.MessageTexts(),
             QStringList{"There is no W8X31 stock\nPlease enter stock material before cutting"});
    QVERIFY(!QFile::exists(w->Path("W8X31.bxl")));
  }

  void cutWritesTheReportAndExportAndShowsThem() {
    QVERIFY(w->OpenWith({"W8X31,A12,5,40", "L3X3,B1,2,20"}, {"B1,W8X31,3,12.5", "Z9,W8X31,1,50"}));
    w->Click("btnCut");
    QVERIFY(w->dialogs.messages.empty());
    const QString report = w->ReadFile("W8X31.bxl");
    QVERIFY(
        report.contains("INVENTORY Stock No. A12 length of 40'-0\"  cut:\r\n"
                        "      3 pieces          B1            12'-6\"\r\n"));
    QVERIFY(report.contains("Unable to cut 1 pc (Z9) of 50'-0\""));
    QVERIFY(w->ReadFile("Export_W8X31.txt").startsWith("Status,Stock#,Shape,Length,Mark,Cut\r\n"));
    auto* viewer = w->window->findChild<frmOutput*>();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    // The other material's stock row is carried over by the save before the run.
    QVERIFY(w->ReadFile("job.stk").contains("L3X3,B1,2,20"));
    QCOMPARE(w->Lines("LstStock").size(), 1);
    QVERIFY(w->Get<QPushButton>("btnCut")->isEnabled());
  }

  void bestOptimizerShowsItsBoundInTheViewer() {
    QVERIFY(w->OpenWith({"W8X31,A12,5,40"}, {"B1,W8X31,3,12.5", "B2,W8X31,2,25"}));
    w->job.optimizer = "best";
    w->Click("btnCut");
    const QString bound = "Lower bound on stock length: 120'-0\" (this plan is within 0.00% of it)";
    QVERIFY(w->ReadFile("W8X31.bxl").contains("%\r\n" + bound + "\r\n\r\n"));
    auto* viewer = w->window->findChild<frmOutput*>();
    QVERIFY(viewer != nullptr);
    QVERIFY(viewer->findChild<QPlainTextEdit*>("txtOutput")->toPlainText().contains(bound));
  }

  // Every Cut plans from the unplanned job: each run's report and export are
  // those of the same run in a fresh window, whatever ran before it.
  void everyCutGivesTheResultsOfAFreshRun() {
    const QStringList stock{"W8X31,A14,2,30", "W8X31,A40,5,40"};
    const QStringList cuts{"B1,W8X31,4,12.5", "B2,W8X31,3,22", "B3,W8X31,3,9.25"};
    QMap<QString, QStringList> fresh;
    for (const QString optimizer : {"classic", "best"}) {
      MainWindowFixture first(RunCutting);
      first.job.export_filename = first.Path("Export.txt").toStdString();
      first.job.optimizer = optimizer.toStdString();
      QVERIFY(first.OpenWith(stock, cuts));
      first.Click("btnCut");
      fresh[optimizer] = Results(first);
    }
    QVERIFY(w->OpenWith(stock, cuts));
    for (const QString optimizer : {"classic", "best", "best", "classic"}) {
      w->job.optimizer = optimizer.toStdString();
      w->Click("btnCut");
      QCOMPARE(Results(*w), fresh[optimizer]);
    }
    QVERIFY(w->dialogs.messages.empty());
  }

  void cutAfterEmptyingTheCutListExplains() {
    QVERIFY(w->OpenWith({"W8X31,A12,5,40"}, {"B1,W8X31,3,12.5"}));
    w->Choose("LstCut", 0);
    w->Click("btnDelCut");
    w->Click("btnCut");
    // The emptied list was saved, so the deleted row does not come back.
    QCOMPARE(w->dialogs.MessageTexts(),
             QStringList{"There are no W8X31 cuts\nPlease enter cut list before cutting."});
    QVERIFY(!w->ReadFile("job.cut").contains("B1,W8X31"));
  }

  // Cut All Materials: each material with cut rows is reported and exported
  // as Cut does, one without stock is passed over without a message box, and
  // the viewer opens on the summary; the window comes back to its material.
  void cutAllMaterialsReportsEachAndShowsTheSummary() {
    QVERIFY(w->OpenWith({"W8X31,A12,5,40", "FLAT,F1,0,20"},
                        {"B1,W8X31,3,12.5", "Z9,L3X3,1,5", "D1,FLAT,2,10"}));
    w->window->findChild<QAction*>("mnuCutAll")->trigger();
    QVERIFY(w->dialogs.messages.empty());
    QVERIFY(w->ReadFile("W8X31_W8X31.bxl").contains("INVENTORY Stock No. A12 length of 40'-0\""));
    QVERIFY(w->ReadFile("Export_FLAT.txt").contains("NON-INVENTORY,F1,FLAT,20'-0\",D1,10'-0\""));
    QVERIFY(!QFile::exists(w->Path("W8X31_L3X3.bxl")));
    const QString summary = w->ReadFile("W8X31_summary.bxl");
    QVERIFY(summary.contains("L3X3: there is no L3X3 stock in "));
    QVERIFY(summary.contains(
        "Material: FLAT\r\nOrder    2 item(s)            20'-0\"   total length          40'-0\""));
    auto* viewer = w->window->findChild<frmOutput*>();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    QVERIFY(viewer->findChild<QPlainTextEdit*>("txtOutput")
                ->toPlainText()
                .contains("BRX JOB SUMMARY:"));
    QCOMPARE(w->MaterialBox()->currentText(), QStringLiteral("W8X31"));
    QCOMPARE(w->Lines("LstCut").size(), 1);
  }

  // Cancel while the second of three materials is being cut: the first is
  // written and its stock subtracted; the others are left as they were.
  void cancelDuringCutAllKeepsFinishedMaterialsOnly() {
    w->job.stk_update = "1";
    const QStringList stock{"W8X31,A12,5,40", "L3X3,B1,5,20", "FLAT,F1,5,20"};
    QVERIFY(w->OpenWith(stock, {"B1,W8X31,3,12.5", "C1,L3X3,2,9", "D1,FLAT,2,10"}));
    QTimer pressCancel;
    QObject::connect(&pressCancel, &QTimer::timeout, [this] {
      auto* line = w->window->findChild<QLabel*>("lblMaterial");
      if (line->text() == QStringLiteral("Material 2 of 3: L3X3")) {
        QTest::mouseClick(w->window->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
      }
    });
    pressCancel.start(0);
    w->window->findChild<QAction*>("mnuCutAll")->trigger();
    pressCancel.stop();
    QVERIFY(QFile::exists(w->Path("W8X31_W8X31.bxl")));
    QVERIFY(QFile::exists(w->Path("Export_W8X31.txt")));
    for (const char* name :
         {"W8X31_L3X3.bxl", "W8X31_FLAT.bxl", "Export_L3X3.txt", "Export_FLAT.txt"}) {
      QVERIFY2(!QFile::exists(w->Path(name)), name);
    }
    const QString stockFile = w->ReadFile("job.stk");
    QVERIFY(stockFile.contains("W8X31,A12,4,40"));
    QVERIFY(stockFile.contains("L3X3,B1,5,20") && stockFile.contains("FLAT,F1,5,20"));
    QVERIFY(
        w->ReadFile("W8X31_summary.bxl").contains("FLAT: the run was cancelled before it was cut"));
  }

 private:
  // The report without its time line, and the export.
  static QStringList Results(const MainWindowFixture& fixture) {
    QString report = fixture.ReadFile("W8X31.bxl");
    report.truncate(report.indexOf("End of report: "));
    return {report, fixture.ReadFile("Export_W8X31.txt")};
  }

  std::unique_ptr<MainWindowFixture> w;
};

QTEST_MAIN(MainWindowCuttingTest)
#include "main_window_cutting_test.moc"
