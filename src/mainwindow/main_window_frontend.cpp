#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <algorithm>

#include "core/number_text.h"
#include "core/pump_interval.h"
#include "core/ui_texts.h"
#include "lists/list_lines.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/main_window.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_viewer_window.h"
#include "mainwindow/window_texts.h"

namespace {

QString MessageText(const std::string& text) {
  QString shown = ToQt(text);
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

void FillList(QListWidget* list, const std::vector<std::string>& lines) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) items.append(ToQt(line));
  list->clear();
  list->addItems(items);
}

}  // namespace

void frmMain::ShowStatus(const std::string& text) { StatusBar1->setText(ToQt(text)); }

void frmMain::ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) {
  dialogs_.Message(this, ToQt(title), MessageText(text), icon);
}

Answer frmMain::AskYesNo(const std::string& title, const std::string& text) {
  return dialogs_.YesNo(this, ToQt(title), MessageText(text));
}

void frmMain::Notify(const char* text, MessageIcon icon) {
  ShowMessage(texts::kProgramTitle, text, icon);
}

void frmMain::RefreshStockList(int selectIndex) {
  FillList(LstStock, SortedStockLines(job_, lengthText_));
  if (selectIndex > 0 && selectIndex < LstStock->count()) LstStock->setCurrentRow(selectIndex);
  txtKerf->setText(ToQt(lengthText_.FormatLength(LeadingNumber(job_.kerf))));
  FraStockMtl->setTitle(QString::fromLatin1(texts::kStockFrameRebuilt));
  ShowStatus(StockStatusText(job_.stockCount));
  LstStock->setVisible(true);
}

void frmMain::RefreshCutList(int selectIndex) {
  FillList(LstCut, SortedCutLines(job_, lengthText_));
  if (selectIndex > 0 && selectIndex < LstCut->count()) LstCut->setCurrentRow(selectIndex);
  ShowStatus(CutStatusText(job_.cutCount, job_.pieceCount));
}

std::vector<std::string> frmMain::MaterialEntries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < cboSection->count(); ++i) entries.push_back(FromQt(cboSection->itemText(i)));
  return entries;
}

void frmMain::SetMaterialEntries(const std::vector<std::string>& entries) {
  // The typed text stays: changing the entries is no edit of the material.
  const QSignalBlocker blocker(cboSection);
  const QString text = cboSection->currentText();
  cboSection->clear();
  for (const std::string& entry : entries) cboSection->addItem(ToQt(entry));
  cboSection->setEditText(text);
}

void frmMain::ShowStockFileName(const std::string& path) { txtStockFileName->setText(ToQt(path)); }

// The main window has no box for the cut file's name.
void frmMain::ShowCutFileName(const std::string&) {}

void frmMain::MarkMaterialSaved() { MarkMaterialPresent(); }

void frmMain::SetOptimizationLevel(int level) { Slider1->setValue(std::clamp(level, 0, 10)); }

void frmMain::ShowProgressWindow(bool visible) { progress_->setVisible(visible); }

void frmMain::ShowProgress(float percent) { progress_->SetProgress(percent); }

void frmMain::ShowReport(const std::string& reportPath) {
  if (!output_) {
    output_ = new frmOutput(*this, *printing_, this);
    output_->Load(reportPath);
  }
  output_->show();
  output_->raise();
  output_->activateWindow();
}

void frmMain::PumpEvents() {
  if (sinceLastPump_.elapsed() < kPumpInterval.count()) return;
  QCoreApplication::processEvents();
  sinceLastPump_.restart();
}

void frmMain::PauseWithEvents(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

double frmMain::ReadLength(const QLineEdit* field, const std::optional<ShownLength>& shown) const {
  const UnitMode mode = UnitModeOf(job_);
  return ReadLengthField(lengthText_, mode.metric, mode.inchOnly, FromQt(field->text()), shown);
}

void frmMain::ShowLength(QLineEdit* field, std::optional<ShownLength>& shown, double length) {
  shown = ShownLength{lengthText_.FormatLength(length), length};
  field->setText(ToQt(shown->text));
}
