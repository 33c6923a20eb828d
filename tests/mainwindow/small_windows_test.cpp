#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <limits>

#include "core/job_state.h"
#include "core/version.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/length_help_window.h"
#include "mainwindow/splash_window.h"
#include "mainwindow/window_texts.h"

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
    QCOMPARE(LabelText(splash, "lblVersion"),
             QStringLiteral("v ") + QString::fromLatin1(texts::kVersion));
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
    // The instruction wraps above the examples instead of widening the window.
    auto* instruction = help->findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(instruction->text(), QString::fromLatin1(texts::kLengthHelpText));
    QVERIFY(instruction->wordWrap());
    QVERIFY(instruction->geometry().bottom() < help->findChild<QLabel*>("Label3")->y());
    QTest::mouseClick(help->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(help.isNull());
  }

  void progressCancelAsksTheRunToStopAndStays() {
    JobState job;
    frmCuttingProgress progress(job, nullptr);
    progress.show();
    auto* cancel = progress.findChild<QPushButton*>(QStringLiteral("btnCancel"));

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
