#pragma once

#include <QDialog>

class QTimer;

// The splash window with the program's picture and version; it doubles as
// the About box. It closes when its timer runs out or OK is pressed, and
// then shows and activates the main window.
class frmSplash : public QDialog {
  Q_OBJECT

 public:
  // Start-up shows it for kSplashMilliseconds, the About command for longer.
  static constexpr int kSplashMilliseconds = 5000;

  frmSplash(QWidget* mainWindow, int milliseconds = kSplashMilliseconds);

 private slots:
  void Timer1_Timer();
  void btnOk_Click();

 private:
  void CloseAndShowMain();

  QWidget* mainWindow_;
  QTimer* Timer1 = nullptr;
};
