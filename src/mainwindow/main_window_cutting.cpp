#include <QCloseEvent>
#include <QCoreApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QToolBar>
#include <string>

#include "core/ui_texts.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/main_window.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_viewer_window.h"
#include "mainwindow/window_texts.h"
#include "optimizer/stock_file_lock.h"

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

// Every material with cut rows, behind one progress window, then the summary.
void frmMain::mnuCutAll_Click() {
  if (cutting_) return;
  {
    const CuttingLock lock([this](bool active) { SetCuttingActive(active); });
    StockFileLock stockLock;
    if (!stockLock.Acquire(job_.stock_filename, kStockLockWait, *this)) {
      ShowMessage(texts::kProgramTitle, StockInUseText(job_.stock_filename),
                  MessageIcon::Exclamation);
      return;
    }
    const auto started = [this](int number, int count, const std::string& material) {
      progress_->SetMaterialLine(QString::fromLatin1(texts::kMaterialWord) +
                                 QString::number(number) + QString::fromLatin1(texts::kOfWord) +
                                 QString::number(count) + QStringLiteral(": ") + ToQt(material));
      // The line shows, and a Cancel pressed between materials counts.
      QCoreApplication::processEvents();
    };
    const WholeJobResult result =
        RunWholeJobLocked(job_, *this, Slider1->value(), ListOrder::LongestFirst, started);
    progress_->SetMaterialLine({});
    ShowWholeJobOutcome(result);
  }
  LstStock->update();
  LstCut->update();
}

// The viewer opens afresh on the summary; without one, the reasons are told.
void frmMain::ShowWholeJobOutcome(const WholeJobResult& result) {
  if (result.summaryFile.empty()) {
    std::string text = texts::kNoMaterialCut;
    for (const MaterialPlan& plan : result.plans) {
      text += "\r" + plan.material + ": " + plan.notCutReason;
    }
    ShowMessage(texts::kProgramTitle, text, MessageIcon::Exclamation);
    return;
  }
  if (output_) {
    output_->close();
    output_ = nullptr;
  }
  ShowReport(result.summaryFile);
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
