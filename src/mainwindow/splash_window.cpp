#include "mainwindow/splash_window.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "core/ui_texts.h"
#include "core/version.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

constexpr int kPictureWidth = 339;
constexpr int kPictureHeight = 146;

}  // namespace

frmSplash::frmSplash(QWidget* mainWindow, int milliseconds)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow) {
  InitWindowResources();
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString());
  setFixedSize(kPictureWidth, kPictureHeight);

  auto* picture = new QLabel(this);
  picture->setPixmap(QPixmap(QStringLiteral(":/icons/splash.svg")));
  picture->setGeometry(0, 0, kPictureWidth, kPictureHeight);

  auto* lblVersion = new QLabel(
      QString::fromLatin1(texts::kVersionPrefix) + QString::fromLatin1(texts::kVersion), this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblVersion->setFont(ControlFont());
  lblVersion->setGeometry(12, kPictureHeight - 30, 120, 20);

  auto* btnOk = new QPushButton(QString::fromLatin1(texts::kOk), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setFont(ControlFont());
  btnOk->setGeometry(kPictureWidth - 72, kPictureHeight - 34, 60, 24);
  connect(btnOk, &QPushButton::clicked, this, &frmSplash::btnOk_Click);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setInterval(milliseconds);
  connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
  Timer1->start();
}

void frmSplash::Timer1_Timer() { CloseAndShowMain(); }

void frmSplash::btnOk_Click() { CloseAndShowMain(); }

void frmSplash::CloseAndShowMain() {
  Timer1->stop();
  close();
  if (mainWindow_) {
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
  }
}
