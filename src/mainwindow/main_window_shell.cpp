#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "mainwindow/dialogs.h"
#include "mainwindow/length_help_window.h"
#include "mainwindow/main_window.h"
#include "mainwindow/main_window_util.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_printing.h"
#include "mainwindow/splash_window.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

constexpr int kAboutMilliseconds = 8000;

}  // namespace

QAction* NewAction(QObject* parent, const char* name, const char* text) {
  auto* action = new QAction(QString::fromLatin1(text), parent);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

QAction* NewToolButton(QObject* parent, const char* key, const char* toolTip, const char* icon) {
  auto* action = new QAction(QIcon(QString::fromLatin1(icon)), QString::fromLatin1(key), parent);
  action->setData(QString::fromLatin1(key));
  action->setToolTip(QString::fromLatin1(toolTip));
  return action;
}

void frmMain::CreateActions() {
  CreateFileActions();
  mnuFilePageSetup = NewAction(this, "mnuFilePageSetup", texts::kPageSetupItem);
  connect(mnuFilePageSetup, &QAction::triggered, this, &frmMain::mnuFilePageSetup_Click);
  mnuFilePrint = NewAction(this, "mnuFilePrint", texts::kPrintItem);
  mnuFilePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(mnuFilePrint, &QAction::triggered, this, &frmMain::mnuFilePrint_Click);
  mnuViewOutput = NewAction(this, "mnuViewOutput", texts::kLastReportItem);
  connect(mnuViewOutput, &QAction::triggered, this, &frmMain::mnuViewOutput_Click);
  mnuViewStatusBar = NewAction(this, "mnuViewStatusBar", texts::kStatusBarItem);
  mnuViewStatusBar->setCheckable(true);
  mnuViewStatusBar->setChecked(true);
  connect(mnuViewStatusBar, &QAction::triggered, this, &frmMain::mnuViewStatusBar_Click);
  mnuHelpContents = NewAction(this, "mnuHelpContents", texts::kWebSupportItem);
  connect(mnuHelpContents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
  mnuHelpAbout = NewAction(this, "mnuHelpAbout", texts::kAboutItem);
  connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);

  toolCut_ = NewToolButton(this, texts::kToolCut, texts::kToolCut, ":/icons/cut.svg");
  toolViewDetails_ = NewToolButton(this, texts::kToolViewDetails, texts::kToolViewDetailsTip,
                                   ":/icons/view_details.svg");
  toolPrint_ = NewToolButton(this, texts::kToolPrint, texts::kToolPrintTip, ":/icons/print.svg");
}

void frmMain::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QString::fromLatin1(texts::kFileMenu));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->addActions({mnuNew, mnuFileOpen, mnuKISS, mnuWinEst});
  file->addSeparator();
  file->addActions({mnuFileSave, mnuFileSaveAs});
  file->addSeparator();
  file->addAction(mnuCutAll);
  file->addSeparator();
  file->addAction(mnuFilePageSetup);
  file->addAction(mnuFilePrint);
  file->addSeparator();
  file->addAction(mnuFileExit);
  QMenu* view = menuBar()->addMenu(QString::fromLatin1(texts::kViewMenu));
  view->setObjectName(QStringLiteral("mnuView"));
  view->addAction(mnuViewOutput);
  view->addAction(mnuViewStatusBar);
  QMenu* settings = menuBar()->addMenu(QString::fromLatin1(texts::kSettingsMenu));
  settings->setObjectName(QStringLiteral("mnuSettings"));
  settings->addAction(mnuProgramSettings);
  QMenu* help = menuBar()->addMenu(QString::fromLatin1(texts::kHelpMenu));
  help->setObjectName(QStringLiteral("mnuHelp"));
  help->addAction(mnuHelpContents);
  help->addSeparator();
  help->addAction(mnuHelpAbout);
}

void frmMain::CreateToolBar() {
  Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);
  Toolbar1->setFloatable(false);
  Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
  Toolbar1->addActions({toolNew_, toolOpen_, toolSave_});
  Toolbar1->addSeparator();
  Toolbar1->addAction(toolCut_);
  Toolbar1->addAction(toolViewDetails_);
  Toolbar1->addAction(toolPrint_);
  connect(Toolbar1, &QToolBar::actionTriggered, this, &frmMain::Toolbar1_ButtonClick);
}

void frmMain::CreateStatusBar() {
  StatusBar1 = new QLabel(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setFont(ListFont());
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(StatusBar1, 1);
}

void frmMain::Toolbar1_ButtonClick(QAction* button) {
  const QString key = button->data().toString();
  // A command run from the toolbar reports its own failures; nothing more
  // is shown here.
  try {
    if (key == QLatin1String(texts::kToolNew)) {
      mnuNew_Click();
    } else if (key == QLatin1String(texts::kToolOpen)) {
      mnuFileOpen_Click();
    } else if (key == QLatin1String(texts::kToolSave)) {
      mnuFileSave_Click();
    } else if (key == QLatin1String(texts::kToolCut)) {
      btnCut_Click();
    } else if (key == QLatin1String(texts::kToolViewDetails)) {
      mnuViewOutput_Click();
    } else if (key == QLatin1String(texts::kToolPrint)) {
      mnuFilePrint_Click();
    }
  } catch (...) {
  }
}

void frmMain::mnuViewStatusBar_Click() {
  // The item's check mark has already been toggled by the click.
  statusBar()->setVisible(mnuViewStatusBar->isChecked());
}

void frmMain::mnuFilePageSetup_Click() { printing_->PageSetup(this); }

void frmMain::mnuFilePrint_Click() { printing_->Print(this); }

// Without a report file there is nothing to view or print: say which file is
// missing instead of opening an empty viewer.
void frmMain::mnuViewOutput_Click() {
  if (!QFileInfo(ToQt(job_.reportFileName)).isFile()) {
    Notify((texts::kNoReport + job_.reportFileName + texts::kNoReportEnd).c_str(),
           MessageIcon::Information);
    return;
  }
  ShowReport(job_.reportFileName);
}

void frmMain::mnuHelpContents_Click() {
  dialogs_.OpenUrl(QString::fromLatin1(texts::kWebSupportUrl));
}

void frmMain::mnuHelpAbout_Click() {
  auto* splash = new frmSplash(this, kAboutMilliseconds);
  splash->show();
}

void frmMain::btnfis_Click() {
  if (!lengthHelp_) lengthHelp_ = new frmFIHelp(this);
  lengthHelp_->show();
  lengthHelp_->raise();
  lengthHelp_->activateWindow();
}

void frmMain::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
  QMainWindow::changeEvent(event);
}

void frmMain::Form_Activate() {
  if (cutting_) return;
  SetMaterialBoxText(ToQt(job_.matl));
  ShowCutFrameCaption();
  LstStock->setVisible(true);
}

void frmMain::SetLengthHint(QLineEdit* field, const char* metricHint) {
  const char* hint = nullptr;
  if (job_.unit_flag == "0") {
    const bool inch32 = job_.Shows32nds();
    if (job_.InchesOnly()) {
      hint = inch32 ? texts::kInch32Hint : texts::kInch16Hint;
    } else {
      hint = inch32 ? texts::kFeet32Hint : texts::kFeet16Hint;
    }
  } else if (job_.unit_flag == "1") {
    hint = metricHint;
  } else if (job_.unit_flag == "2") {
    hint = texts::kUnit2Hint;
  }
  if (hint) field->setToolTip(QString::fromLatin1(hint));
}

bool frmMain::HandleHintEvent(QObject* watched, QEvent::Type type) {
  const bool mouseMove = type == QEvent::MouseMove || type == QEvent::Enter;
  const bool dragOver = type == QEvent::DragEnter || type == QEvent::DragMove;
  if (mouseMove && watched == txtCutQty) {
    txtCutQty->setToolTip(QString::fromLatin1(texts::kCutQtyHint));
    ShowStatus({});
  } else if (mouseMove && watched == txtDescrCut) {
    txtDescrCut->setToolTip(QString::fromLatin1(texts::kMarkHint));
  } else if (mouseMove && watched == txtStockQty) {
    ShowStatus({});
  } else if (dragOver && watched == txtStockQty) {
    txtStockQty->setToolTip(QString::fromLatin1(texts::kOrderableHint));
  } else if (mouseMove && watched == txtCutLength) {
    SetLengthHint(txtCutLength, texts::kMetricCutHint);
  } else if (mouseMove && watched == TxtStockLength) {
    SetLengthHint(TxtStockLength, texts::kMetricStockHint);
  } else {
    return false;
  }
  return true;
}
