// The windows on a given screen: every button of the main window, the report
// viewer and the settings dialog lies inside the screen and shows its whole
// caption. The screen comes from BRX_TEST_SCREEN ("1920x1080") and the scale
// from QT_SCALE_FACTOR, so one program checks 200% on 1920x1080 and 100% on
// 1280x720.
#include <QAction>
#include <QScreen>
#include <QTemporaryFile>

#include "main_window_fixture.h"
#include "mainwindow/report_viewer_window.h"
#include "mainwindow/settings_dialog.h"

namespace {

// Every visible button inside the screen, wide and high enough for its
// caption.
void CheckButtonsFit(QWidget* window) {
  QVERIFY(QTest::qWaitForWindowExposed(window));
  const QRect screen = window->screen()->geometry();
  QVERIFY2(screen.contains(window->geometry()), qPrintable(window->objectName()));
  const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
  QVERIFY(!buttons.isEmpty());
  for (const QPushButton* button : buttons) {
    if (!button->isVisibleTo(window)) continue;
    const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
    QVERIFY2(screen.contains(global), qPrintable(button->objectName()));
    const QString caption = button->text().remove(QLatin1Char('&'));
    QVERIFY2(button->fontMetrics().horizontalAdvance(caption) <= button->contentsRect().width() &&
                 button->fontMetrics().height() <= button->contentsRect().height(),
             qPrintable(button->objectName()));
  }
}

}  // namespace

class WindowFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseHomeForSettings(home_); }

  void everyButtonIsOnTheScreen() {
    // The screen in logical pixels: 960x540 at 200% on 1920x1080.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    QCOMPARE(QString::number(size.width()) + "x" + QString::number(size.height()),
             QString::fromLatin1(qgetenv("BRX_TEST_SCREEN")));
    MainWindowFixture w;
    w.WriteFile("W8X31.bxl", "report line\r\n");
    QVERIFY(w.OpenWith({"W8X31,A1,2,20"}, {"P1,W8X31,3,5"}));
    CheckButtonsFit(w.window.get());

    w.window->findChild<QAction*>(QStringLiteral("mnuViewOutput"))->trigger();
    auto* viewer = w.window->findChild<frmOutput*>();
    QVERIFY(viewer);
    CheckButtonsFit(viewer);

    QTest::mouseDClick(w.Get<QLineEdit>("txtKerf"), Qt::LeftButton);
    auto* settings = w.window->findChild<frmSettings*>();
    QVERIFY(settings);
    CheckButtonsFit(settings);
  }

 private:
  QTemporaryDir home_;
};

// The offscreen platform takes its screen from a configuration file.
int main(int argc, char** argv) {
  const QByteArray size =
      qgetenv("BRX_TEST_SCREEN").isEmpty() ? "1920x1080" : qgetenv("BRX_TEST_SCREEN");
  const QList<QByteArray> parts = size.split('x');
  QTemporaryFile config;
  if (!config.open()) return 1;
  config.write("{\"screens\":[{\"name\":\"test\",\"x\":0,\"y\":0,\"width\":" + parts.value(0) +
               ",\"height\":" + parts.value(1) + ",\"logicalDpi\":96,\"dpr\":1}]}");
  config.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
  QApplication app(argc, argv);
  WindowFitTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_fit_test.moc"
