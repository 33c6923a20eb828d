#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "main_window_fixture.h"
#include "mainwindow/settings_dialog.h"

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseHomeForSettings(home); }
  void init() {
    w = std::make_unique<MainWindowFixture>();
    w->job.kerf = "0.125";
    w->job.UnuseableLen = "2";
    QVERIFY(w->OpenWith({"W8X31,A1,2,20"}));
  }
  void cleanup() { w.reset(); }

  void opensNotModalFromTheKerfField() {
    QTest::mouseDClick(w->Get<QLineEdit>("txtKerf"), Qt::LeftButton);
    auto* dialog = w->window->findChild<frmSettings*>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible() && !dialog->isModal());
  }

  void unitSwitchConvertsOnlyTheKerf_data() {
    QTest::addColumn<QString>("inchOnly");
    QTest::addColumn<QString>("metricKerf");
    QTest::newRow("feet") << QStringLiteral("0") << QStringLiteral("38.1");
    QTest::newRow("inches only") << QStringLiteral("1") << QStringLiteral("3.175");
  }
  void unitSwitchConvertsOnlyTheKerf() {
    QFETCH(QString, inchOnly);
    QFETCH(QString, metricKerf);
    w->job.inchOnlyFlag = inchOnly.toStdString();
    w->job.inch32Flag = "1";
    w->dialogs.answers.assign(2, Answer::Yes);  // the list holds a row
    frmSettings* dialog = OpenDialog();
    Get<QRadioButton>(dialog, "chkEnglish")->click();
    QCOMPARE(w->job.kerf, std::string("0.125"));
    Get<QRadioButton>(dialog, "chkMetric")->click();
    QCOMPARE(QString::fromStdString(w->job.kerf), metricKerf);
    QCOMPARE(w->job.unit_flag, std::string("1"));
    QVERIFY(!Get<QGroupBox>(dialog, "frmInches")->isEnabled());
    Get<QRadioButton>(dialog, "chkEnglish")->click();
    QCOMPARE(w->job.kerf, std::string("0.125"));
    QCOMPARE(w->job.UnuseableLen, std::string("2"));
    QCOMPARE(QString::fromStdString(w->job.inchOnlyFlag), inchOnly);
    QCOMPARE(w->job.inch32Flag, std::string("1"));
  }

  void lengthFieldsChangeOnlyWhenEdited() {
    frmSettings* dialog = OpenDialog();
    auto* kerf = Get<QLineEdit>(dialog, "txtKerf");
    QTest::mouseClick(kerf, Qt::LeftButton);
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Shift, Qt::Key_Left, Qt::Key_End}) {
      QTest::keyClick(kerf, key);
    }
    QCOMPARE(w->job.kerf, std::string("0.125"));
    kerf->setFocus();
    kerf->selectAll();
    QTest::keyClick(kerf, Qt::Key_Backspace);
    QCOMPARE(kerf->text(), QStringLiteral("0"));
    QCOMPARE(w->job.kerf, std::string("0"));
    // "03" is the coded entry for 3/16 of an inch, in feet.
    QTest::keyClicks(kerf, QStringLiteral("3"));
    QCOMPARE(w->job.kerf, std::string("0.015625"));

    auto* unuseable = Get<QLineEdit>(dialog, "txtUnuseableLen");
    unuseable->setFocus();
    unuseable->selectAll();
    QTest::keyClick(unuseable, Qt::Key_Backspace);
    QCOMPARE(unuseable->text(), QStringLiteral("0.0"));
    QCOMPARE(w->job.UnuseableLen, std::string("0"));

    // A typed length is taken without its sign: neither field stores a
    // negative one.
    for (QLineEdit* field : {kerf, unuseable}) {
      field->setFocus();
      field->selectAll();
      QTest::keyClicks(field, QStringLiteral("-100"));
    }
    QCOMPARE(w->job.kerf, std::string("0.0833333333333333"));
    QCOMPARE(w->job.UnuseableLen, w->job.kerf);
  }

  void linesPerPageStaysInRange() {
    w->job.linesPerPage = "63";
    frmSettings* dialog = OpenDialog();
    auto* spin = Get<QSpinBox>(dialog, "SpinButton1");
    QCOMPARE(Get<QLabel>(dialog, "txtLinesPerPage")->text(), QStringLiteral("63"));
    spin->stepUp();
    QCOMPARE(w->job.linesPerPage, std::string("64"));
    QCOMPARE(Get<QLabel>(dialog, "txtLinesPerPage")->text(), QStringLiteral("64"));
    spin->setValue(500);
    QCOMPARE(w->job.linesPerPage, std::string("120"));
  }

  void checkBoxesTakeEffectOnlyThroughOk() {
    w->dialogs.answers.assign(1, Answer::Yes);
    frmSettings* dialog = OpenDialog();
    Get<QCheckBox>(dialog, "chkStockUpdate")->click();
    Get<QRadioButton>(dialog, "chkMetric")->click();
    dialog->close();
    QCOMPARE(w->job.stk_update, std::string("0"));
    QCOMPARE(w->job.unit_flag, std::string("1"));

    dialog = OpenDialog();
    Get<QCheckBox>(dialog, "chkStockUpdate")->click();
    Get<QCheckBox>(dialog, "chkReportFlag")->click();
    QTest::mouseClick(Get<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    QCOMPARE(w->job.stk_update, std::string("1"));
    QCOMPARE(w->job.inputReportFlag, std::string("1"));
  }

  void optimizerChoiceShowsTheStoredTextAndSetsItWhenClicked() {
    w->job.optimizer = "BEST";
    frmSettings* dialog = OpenDialog();
    auto* best = Get<QRadioButton>(dialog, "optBest");
    auto* classic = Get<QRadioButton>(dialog, "optClassic");
    QVERIFY(best->isChecked() && !classic->isChecked());
    QCOMPARE(w->job.optimizer, std::string("BEST"));
    classic->click();
    QCOMPARE(w->job.optimizer, std::string("classic"));
    best->click();
    QCOMPARE(w->job.optimizer, std::string("best"));
    QTest::mouseClick(Get<QPushButton>(dialog, "btnClearSettings"), Qt::LeftButton);
    QCOMPARE(w->job.optimizer, std::string("classic"));

    w->job.optimizer = "something else";
    QVERIFY(Get<QRadioButton>(OpenDialog(), "optClassic")->isChecked());
  }

  void listsFollowTheUnitWhenTheDialogCloses() {
    const QStringList english = w->Lines("LstStock");
    w->dialogs.answers.assign(1, Answer::Yes);
    frmSettings* dialog = OpenDialog();
    Get<QRadioButton>(dialog, "chkMetric")->click();
    QTest::mouseClick(Get<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    QCOMPARE(w->Lines("LstStock").size(), 1);
    QVERIFY(w->Lines("LstStock") != english);
    QCOMPARE(w->Get<QGroupBox>("FraStockMtl")->title(), QStringLiteral("Stock"));
    QCOMPARE(w->Text("txtKerf"), QStringLiteral("38.10000"));
  }

  void batchDirectoryIsChosenWithTheFolderChooser() {
    w->job.batchDir = w->Path(QStringLiteral("gone")).toStdString();
    frmSettings* dialog = OpenDialog();
    QCOMPARE(QString::fromStdString(w->job.batchDir), QCoreApplication::applicationDirPath());
    w->dialogs.folderAnswer = w->Path(QString());
    QTest::mouseClick(Get<QPushButton>(dialog, "btnBatchDir"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(w->job.batchDir), w->Path(QString()));
    QCOMPARE(Get<QLineEdit>(dialog, "txtBatchDir")->text(), w->Path(QString()));
  }

 private:
  frmSettings* OpenDialog() {
    // Closed dialogs are deleted first, so the one found is the new one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w->window->findChild<QAction*>(QStringLiteral("mnuProgramSettings"))->trigger();
    return w->window->findChild<frmSettings*>();
  }
  template <typename Widget>
  static Widget* Get(QWidget* parent, const char* name) {
    return parent->findChild<Widget*>(QString::fromLatin1(name));
  }

  QTemporaryDir home;
  std::unique_ptr<MainWindowFixture> w;
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
