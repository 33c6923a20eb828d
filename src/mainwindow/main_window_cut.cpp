#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>

#include "core/number_text.h"
#include "core/ui_texts.h"
#include "lists/list_editing.h"
#include "lists/list_lines.h"
#include "mainwindow/main_window.h"
#include "mainwindow/main_window_util.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/window_texts.h"

CutEntry frmMain::ReadCutEntry() const {
  return {FromQt(txtCutQty->text()), ReadLength(txtCutLength, shownCutLength_),
          FromQt(txtDescrCut->text()), FromQt(cboSection->currentText())};
}

void frmMain::btnAddCut_Click() {
  ShowStatus(texts::kEnterCutData);
  if (!CheckMaterialChosen() || !CheckCutFields()) return;
  const int i = LstCut->count();
  switch (AddCutRow(job_, i, ReadCutEntry())) {
    case CutEdit::Done: ShowEditedCutRow(i); break;
    case CutEdit::ListFull: Notify(texts::kCutListFull); break;
    case CutEdit::NoMark: Notify(texts::kEnterMark); break;
    case CutEdit::TooManyForLine: NotifyMaxCutsPerLine(); break;
    case CutEdit::PieceCapacity: Notify(texts::kPieceCapacity); break;
    case CutEdit::NotPositive:
    case CutEdit::QuantityRefused:
    case CutEdit::NoSelection: break;
  }
}

void frmMain::btnChangeCut_Click() {
  const int i = SelectedRow(LstCut);
  if (LstCut->count() > 0 && i >= 0 && !CheckCutFields()) return;
  switch (ChangeCutRow(job_, i, LstCut->count(), ReadCutEntry())) {
    case CutEdit::Done: ShowEditedCutRow(i); break;
    case CutEdit::TooManyForLine: NotifyMaxCutsPerLine(); break;
    case CutEdit::PieceCapacity: Notify(texts::kPieceCapacity); break;
    case CutEdit::ListFull:
    case CutEdit::NoMark:
    case CutEdit::NotPositive:
    case CutEdit::QuantityRefused:
    case CutEdit::NoSelection: break;
  }
}

// The cut rows keep their order, so the edited row keeps its line.
void frmMain::ShowEditedCutRow(int row) {
  RefreshCutList(0);
  LstCut->setCurrentRow(row);
}

bool frmMain::CheckCutFields() {
  return CheckQuantityField(txtCutQty, IsCutQuantityText(FromQt(txtCutQty->text())),
                            texts::kCutQtyField, texts::kNotACutQuantity) &&
         CheckLengthField(txtCutLength, shownCutLength_, texts::kCutLengthField);
}

void frmMain::btnDelCut_Click() {
  LstCut->setFocus();
  if (LstCut->count() > 0 && SelectedRow(LstCut) < 0) LstCut->setCurrentRow(LstCut->count() - 1);
  RefreshCutList(DeleteCutRow(job_, SelectedRow(LstCut)));
}

void frmMain::NotifyMaxCutsPerLine() {
  ShowMessage(texts::kProgramTitle, texts::kMaxCutsPerLine + SignedCountText(kMaxPiecesPerCutRow),
              MessageIcon::Information);
}

void frmMain::LstCut_Click() {
  QCoreApplication::processEvents();
  const int i = SelectedRow(LstCut);
  if (i < 0) return;
  const CutItem& row = job_.cuts[i];
  txtCutQty->setText(ToQt(CutQuantityFieldText(row)));
  txtDescrCut->setText(ToQt(row.mark));
  ShowLength(txtCutLength, shownCutLength_, row.length);
  ShowStatus(CutStatusText(job_.cutCount, job_.pieceCount));
  txtCutQty->setFocus();
}

void frmMain::LstCut_GotFocus() { ShowStatus(CutStatusText(job_.cutCount, job_.pieceCount)); }

bool frmMain::HandleCutFieldEvent(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress && watched == txtCutQty) {
    txtCutQty->clear();
  } else if (type == QEvent::FocusIn && IsUserFocus(*static_cast<QFocusEvent*>(event)) &&
             watched == txtCutLength) {
    txtCutLength->clear();
  } else if (type == QEvent::FocusIn && IsUserFocus(*static_cast<QFocusEvent*>(event)) &&
             watched == LstCut) {
    LstCut_GotFocus();
  } else if ((type == QEvent::DragEnter || type == QEvent::DragMove) &&
             (watched == LstCut || watched == LstCut->viewport())) {
    txtCutQty->setFocus();
  } else {
    return false;
  }
  return true;
}
