#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <limits>

#include "core/job_state.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/length_help_window.h"
#include "mainwindow/splash_window.h"

namespace {

QString LabelText(const QWidget* window, const char* name) {
  return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

}  // namespace

class SmallWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void splashOkShowsTheMainWindowAndStopsTheTimer() {
    QWidget mainWindow;
    QPointer<frmSplash> splash = new frmSplash(&mainWindow);
    splash->show();
    QCOMPARE(LabelText(splash, "lblVersion"), QStringLiteral("v 2.8.26"));
    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    QCOMPARE(timer->interval(), 5000);
    QVERIFY(timer->isActive());

    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    QVERIFY(mainWindow.isVisible());
    QVERIFY(!timer->isActive());
    QTRY_VERIFY(splash.isNull());
  }

  void splashTimerShowsTheMainWindow() {
    QWidget mainWindow;
    QPointer<frmSplash> splash = new frmSplash(&mainWindow, 20);
    splash->show();
    QTRY_VERIFY(mainWindow.isVisible());
    QTRY_VERIFY(splash.isNull());
  }

  void lengthHelpShowsItsTextsAndClosesOnOk() {
    QPointer<frmFIHelp> help = new frmFIHelp(nullptr);
    help->show();
    QCOMPARE(help->windowTitle(), QStringLiteral("Length Help"));
    QCOMPARE(LabelText(help, "Label1"),
             QStringLiteral("For Feet and Inches mode enter feet as a 2 digit number follwed by "
                            "inches as a two digit number followed by sixteenths as a two digit "
                            "number."));
    QCOMPARE(LabelText(help, "Label2"), QStringLiteral("Examples:"));
    QCOMPARE(LabelText(help, "Label3"), QStringLiteral("14' 7-5/8    =    140710"));
    QCOMPARE(LabelText(help, "Label4"), QStringLiteral("8' 0-1/4    =    080004"));
    QTest::mouseClick(help->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(help.isNull());
  }

  void progressCancelAsksTheRunToStopAndStays() {
    JobState job;
    frmCuttingProgress progress(job, nullptr);
    progress.show();
    QCOMPARE(progress.windowTitle(), QStringLiteral("Cutting Progress"));
    QCOMPARE(LabelText(&progress, "lbl0"), QStringLiteral("0"));
    QCOMPARE(LabelText(&progress, "lbl50"), QStringLiteral("50"));
    QCOMPARE(LabelText(&progress, "lbl100"), QStringLiteral("100"));
    auto* cancel = progress.findChild<QPushButton*>(QStringLiteral("btnCancel"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QCOMPARE(cancel->toolTip(), QStringLiteral("Click to cancel the cutting"));

    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(job.cancelRequested);
    QVERIFY(progress.isVisible());

    job.cancelRequested = false;
    QTest::keyClick(&progress, Qt::Key_Escape);
    QVERIFY(job.cancelRequested);
    QVERIFY(progress.isVisible());
  }

  void progressBarFollowsTheShareOfPieces() {
    JobState job;
    frmCuttingProgress progress(job, nullptr);
    auto* bar = progress.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    progress.SetProgress(37.5f);
    QCOMPARE(bar->value(), 37);
    progress.SetProgress(100.0f);
    QCOMPARE(bar->value(), 100);
    progress.SetProgress(std::numeric_limits<float>::quiet_NaN());
    QCOMPARE(bar->value(), 0);
  }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
