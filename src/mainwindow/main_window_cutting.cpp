#include <QCloseEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QToolBar>
#include <string>

#include "mainwindow/main_window.h"

namespace {

// Keeps the window locked for as long as a cutting run lasts, however it ends.
class CuttingLock {
 public:
  explicit CuttingLock(std::function<void(bool)> setActive) : setActive_(std::move(setActive)) {
    setActive_(true);
  }
  ~CuttingLock() { setActive_(false); }
  CuttingLock(const CuttingLock&) = delete;
  CuttingLock& operator=(const CuttingLock&) = delete;

 private:
  std::function<void(bool)> setActive_;
};

}  // namespace

void frmMain::btnCut_Click() {
  if (cutting_) return;
  {
    const CuttingLock lock([this](bool active) { SetCuttingActive(active); });
    runner_(job_, *this, Slider1->value());
  }
  LstStock->update();
  LstCut->update();
}

// Nothing but the progress window's Cancel may act while the search runs:
// the lists it works on must not change under it.
void frmMain::SetCuttingActive(bool active) {
  cutting_ = active;
  centralWidget()->setEnabled(!active);
  menuBar()->setEnabled(!active);
  Toolbar1->setEnabled(!active);
}

void frmMain::Slider1_Change(int position) { job_.drop_length = std::to_string(position); }

void frmMain::closeEvent(QCloseEvent* event) {
  if (cutting_) {
    // The run must end first; closing asks it to stop.
    job_.cancelRequested = true;
    event->ignore();
    return;
  }
  if (!MayClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}
