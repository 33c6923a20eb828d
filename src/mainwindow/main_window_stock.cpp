#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/number_text.h"
#include "core/ui_texts.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/open_job.h"
#include "jobfiles/stock_file.h"
#include "lists/list_editing.h"
#include "lists/list_lines.h"
#include "mainwindow/main_window.h"
#include "mainwindow/main_window_util.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

StockEntry frmMain::ReadStockEntry() const {
  return {ReadLength(TxtStockLength, shownStockLength_), FromQt(txtStockQty->text()),
          FromQt(txtBin->text()), FromQt(cboSection->currentText())};
}

void frmMain::btnAddStock_Click() {
  if (!CheckMaterialChosen() || !CheckStockFields()) return;
  const int i = LstStock->count();
  switch (AddStockRow(job_, i, ReadStockEntry())) {
    case StockEdit::Done: ShowEditedStockRow(i); break;
    case StockEdit::NoMaterial:
      Notify(texts::kEnterOrSelectMaterial);
      MarkMaterialMissing();
      break;
    case StockEdit::ListFull: Notify(texts::kStockListFull); break;
    case StockEdit::QuantityRefused:
    case StockEdit::NoSelection: break;
  }
}

void frmMain::btnChangeStock_Click() {
  const int i = SelectedRow(LstStock);
  if (LstStock->count() > 0 && i >= 0 && !CheckStockFields()) return;
  LstStock->setFocus();
  switch (ChangeStockRow(job_, i, LstStock->count(), ReadStockEntry())) {
    case StockEdit::Done: ShowEditedStockRow(i); break;
    case StockEdit::NoSelection: Notify(texts::kSelectLineFirst); break;
    case StockEdit::NoMaterial:
    case StockEdit::ListFull:
    case StockEdit::QuantityRefused: break;
  }
}

// The list is rebuilt sorted, so the edited row is highlighted where it now
// stands; selecting it shows its length, quantity and bin in the fields.
void frmMain::ShowEditedStockRow(int row) {
  const int position = SortedStockPosition(job_, row);
  RefreshStockList(0);
  LstStock->setCurrentRow(position);
}

bool frmMain::CheckMaterialChosen() {
  if (!MaterialName(FromQt(cboSection->currentText())).empty()) return true;
  Notify(texts::kEnterOrSelectMaterial);
  MarkMaterialMissing();
  return false;
}

bool frmMain::CheckStockFields() {
  return CheckLengthField(TxtStockLength, shownStockLength_, texts::kStockLengthField) &&
         CheckQuantityField(txtStockQty, IsStockQuantityText(FromQt(txtStockQty->text())),
                            texts::kStockQtyField, texts::kNotAStockQuantity);
}

bool frmMain::CheckLengthField(QLineEdit* field, const std::optional<ShownLength>& shown,
                               const char* name) {
  const std::string text = FromQt(field->text());
  const bool shownAsIs = shown && text == shown->text;
  if ((shownAsIs || IsLengthText(text, UnitModeOf(job_))) && ReadLength(field, shown) > 0) {
    return true;
  }
  RefuseField(field, name, texts::kNotALength);
  return false;
}

bool frmMain::CheckQuantityField(QLineEdit* field, bool accepted, const char* name,
                                 const char* reason) {
  if (!accepted) RefuseField(field, name, reason);
  return accepted;
}

// The message names the field and its text; the text stays for correction.
// The focus returns as it does after a message box, which does not empty the
// field as a click into it would.
void frmMain::RefuseField(QLineEdit* field, const char* name, const char* reason) {
  ShowMessage(texts::kProgramTitle, name + (" \"" + FromQt(field->text()) + "\"") + reason,
              MessageIcon::Exclamation);
  field->setFocus(Qt::PopupFocusReason);
  field->selectAll();
}

void frmMain::btnDeleteStock_Click() {
  LstStock->setFocus();
  DeleteStockRow(job_, SelectedRow(LstStock));
  WriteStockFile(job_, *this);
  RefreshStockList(0);
  job_.dataChanged = true;
}

void frmMain::btnNewMaterial_Click() {
  SaveLists();
  job_.dataChanged = true;
  LstStock->clear();
  LstCut->clear();
  job_.matl.clear();
  ReadListsForMaterial();
  job_.matl.clear();
  SetMaterialBoxText(QString());
  MarkMaterialMissing();
  job_.dataChanged = true;
}

void frmMain::SaveLists() {
  WriteStockFile(job_, *this);
  WriteCutFile(job_, *this);
}

void frmMain::ReadListsForMaterial() {
  const OpenedJob read = ReadJobLists(job_, *this);
  if (read.stockRead) RefreshStockList(0);
  if (read.cutRead) RefreshCutList(0);
}

void frmMain::SetMaterialBoxText(const QString& text) {
  if (cboSection->currentText() == text) return;
  {
    const QSignalBlocker blocker(cboSection);
    cboSection->setEditText(text);
  }
  cboSection_Change();
}

void frmMain::cboSection_Change() {
  // Only the first keystroke after an edit saves; every keystroke loads the
  // lists of the material typed so far.
  if (job_.dataChanged) {
    SaveLists();
    job_.dataChanged = false;
  }
  job_.matl = MaterialName(FromQt(cboSection->currentText()));
  ReadListsForMaterial();
  if (!cboSection->currentText().isEmpty()) SetBackground(cboSection->lineEdit(), kLightGreen);
  LstStock->update();
  LstCut->update();
}

void frmMain::cboSection_Click() {
  SaveLists();
  job_.matl = MaterialName(FromQt(cboSection->currentText()));
  ReadListsForMaterial();
  SetBackground(cboSection->lineEdit(),
                cboSection->currentText().isEmpty() ? kYellow : kLightGreen);
  ShowCutFrameCaption();
}

void frmMain::cboSection_LostFocus() { ShowCutFrameCaption(); }

void frmMain::ShowCutFrameCaption() {
  FraCutLst->setTitle(QString::fromLatin1(texts::kCutFramePrefix) + ToQt(job_.matl));
}

void frmMain::MarkMaterialMissing() {
  SetBackground(cboSection->lineEdit(), kYellow);
  cboSection->setFocus();
}

void frmMain::MarkMaterialPresent() { SetBackground(cboSection->lineEdit(), kLightGreen); }

void frmMain::LstStock_Click() {
  const int i = SelectedRow(LstStock);
  if (i < 0) return;
  const StockItem& row = job_.stock[i];
  txtStockQty->setText(ToQt(StockQuantityFieldText(row)));
  txtBin->setText(ToQt(row.bin));
  ShowLength(TxtStockLength, shownStockLength_, row.length);
  txtStockQty->setFocus();
  ShowStatus(StockStatusText(job_.stockCount));
}

void frmMain::LstStock_GotFocus() { ShowStatus(StockListFocusText(job_.stockCount)); }

void frmMain::TxtStockLength_Change() {
  btnAddStock->setEnabled(IsNumericText(FromQt(TxtStockLength->text())) &&
                          IsNumericText(FromQt(txtStockQty->text())));
}

void frmMain::txtStockQty_Change() {
  if (!TxtStockLength->text().isEmpty() && !txtStockQty->text().isEmpty()) {
    btnAddStock->setEnabled(true);
  }
  if (cboSection->currentText().isEmpty()) {
    Notify(texts::kSelectOrEnterMaterialType);
    MarkMaterialMissing();
  }
}

bool frmMain::HandleStockFieldEvent(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusIn && IsUserFocus(*static_cast<QFocusEvent*>(event))) {
    if (watched == TxtStockLength || watched == txtBin) {
      static_cast<QLineEdit*>(watched)->clear();
    } else if (watched == LstStock) {
      LstStock_GotFocus();
    } else {
      return false;
    }
    return true;
  }
  if (type == QEvent::MouseButtonRelease && watched == txtStockQty) {
    txtStockQty->clear();
    return true;
  }
  if (type == QEvent::FocusOut && (watched == cboSection || watched == cboSection->lineEdit()) &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    cboSection_LostFocus();
    return true;
  }
  return false;
}
