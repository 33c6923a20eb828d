#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "core/file_names.h"
#include "core/ui_texts.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/open_job.h"
#include "jobfiles/stock_file.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/main_window.h"
#include "mainwindow/main_window_util.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/settings_access.h"
#include "mainwindow/settings_dialog.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

// The job dialogs offer text files and stock files, stock files first.
QString JobFilter() {
  return QString::fromLatin1(texts::kTextFilter) + QStringLiteral(";;") +
         QString::fromLatin1(texts::kStockFilter);
}

// Everything up to and including the last "/", where the open dialog starts.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

QAction* NewCommand(QObject* parent, const char* name, const char* text, QKeyCombination key) {
  QAction* action = NewAction(parent, name, text);
  action->setShortcut(QKeySequence(key));
  // Ctrl+X must run Exit even while a text field, which would cut, has the
  // focus.
  action->setShortcutContext(Qt::WindowShortcut);
  return action;
}

}  // namespace

void frmMain::CreateFileActions() {
  mnuNew = NewCommand(this, "mnuNew", texts::kNewItem, Qt::CTRL | Qt::Key_N);
  mnuFileOpen = NewCommand(this, "mnuFileOpen", texts::kOpenItem, Qt::CTRL | Qt::Key_O);
  mnuKISS = NewAction(this, "mnuKISS", texts::kImportKissItem);
  mnuWinEst = NewCommand(this, "mnuWinEst", texts::kImportWinEstItem, Qt::CTRL | Qt::Key_W);
  mnuFileSave = NewCommand(this, "mnuFileSave", texts::kSaveItem, Qt::CTRL | Qt::Key_S);
  mnuFileSaveAs = NewAction(this, "mnuFileSaveAs", texts::kSaveAsItem);
  mnuFileExit = NewCommand(this, "mnuFileExit", texts::kExitItem, Qt::CTRL | Qt::Key_X);
  mnuProgramSettings = NewAction(this, "mnuProgramSettings", texts::kProgramSettingsItem);
  mnuCutAll = NewAction(this, "mnuCutAll", texts::kCutAllItem);
  connect(mnuCutAll, &QAction::triggered, this, &frmMain::mnuCutAll_Click);
  connect(mnuNew, &QAction::triggered, this, &frmMain::mnuNew_Click);
  connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
  connect(mnuKISS, &QAction::triggered, this, &frmMain::mnuKISS_Click);
  connect(mnuWinEst, &QAction::triggered, this, &frmMain::mnuWinEst_Click);
  connect(mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
  connect(mnuFileSaveAs, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
  connect(mnuFileExit, &QAction::triggered, this, &frmMain::mnuFileExit_Click);
  connect(mnuProgramSettings, &QAction::triggered, this, &frmMain::mnuProgramSettings_Click);

  toolNew_ = NewToolButton(this, texts::kToolNew, texts::kToolNew, ":/icons/new.svg");
  toolOpen_ = NewToolButton(this, texts::kToolOpen, texts::kToolOpen, ":/icons/open.svg");
  toolSave_ = NewToolButton(this, texts::kToolSave, texts::kToolSave, ":/icons/save.svg");
}

// Unsaved edits are never dropped silently: Yes saves through Save As, No
// goes on. False when the question was closed or the Save As cancelled, which
// ends the command that asked.
bool frmMain::SaveChangesFirst() {
  if (!job_.dataChanged || job_.batchMode) return true;
  switch (AskYesNo(texts::kProgramTitle, texts::kSaveChanges)) {
    case Answer::Yes: return SaveAsChosen();
    case Answer::No: return true;
    case Answer::Cancel: break;
  }
  return false;
}

void frmMain::mnuNew_Click() {
  if (!SaveChangesFirst()) return;
  job_.stockCount = 0;
  job_.pieceCount = 0;
  job_.cutCount = 0;
  const std::string folder = UserDataFolder();
  job_.filename = folder;
  job_.stock_filename = JoinPath(folder, kDefaultStockFile);
  job_.cut_filename = JoinPath(folder, kDefaultCutFile);
  // No material until the user types or picks one; the box shows its prompt.
  job_.matl.clear();
  // The empty job has nothing left to save.
  job_.dataChanged = false;
  {
    // The box is emptied for display only; its change behaviour would read
    // the lists again.
    const QSignalBlocker blocker(cboSection);
    cboSection->clear();
    cboSection->setEditText(QString());
  }
  ClearEntryFields();
  RefreshStockList(0);
  RefreshCutList(0);
  ShowStockFileName(job_.stock_filename);
}

void frmMain::ClearEntryFields() {
  for (QLineEdit* field :
       {TxtStockLength, txtStockQty, txtBin, txtCutQty, txtCutLength, txtDescrCut}) {
    field->clear();
  }
  shownStockLength_.reset();
  shownCutLength_.reset();
}

// After Restore Defaults: the default job as the restored settings name it.
void frmMain::RestoreDefaultJob() {
  OpenJob(job_, *this);
  ClearEntryFields();
  ShowOpenedMaterial();
}

// After a job was opened or imported: the material box shows the current
// material without reading the lists again.
void frmMain::ShowOpenedMaterial() {
  {
    const QSignalBlocker blocker(cboSection);
    cboSection->setEditText(ToQt(job_.matl));
  }
  SetBackground(cboSection->lineEdit(), job_.matl.empty() ? kYellow : kLightGreen);
  ShowCutFrameCaption();
}

void frmMain::mnuFileOpen_Click() {
  if (!SaveChangesFirst()) return;
  const QString chosen =
      dialogs_.OpenFileName(this, QString(), ToQt(FolderOf(job_.stock_filename)), JobFilter(),
                            QString::fromLatin1(texts::kStockFilter));
  if (chosen.isEmpty()) return;
  OpenChosenJob(FromQt(chosen));
}

// Whatever type was picked, the job is the .stk and .cut pair beside it.
void frmMain::OpenChosenJob(const std::string& path) {
  OpenJob(job_, *this, JobFileNamesFor(path));
  ClearEntryFields();
  ShowOpenedMaterial();
  ShowStatus(texts::kFileStatus + job_.filename);
}

// The open dialog only lets an existing file be picked; a name from
// elsewhere is checked here as the dialog would.
bool frmMain::OpenJobFile(const std::string& path) {
  if (const std::string problem = JobFileProblem(path); !problem.empty()) {
    ShowMessage(texts::kProgramTitle, problem, MessageIcon::Exclamation);
    return false;
  }
  OpenChosenJob(path);
  return true;
}

void frmMain::OpenHandedOverFile(const std::string& path) {
  if (SaveChangesFirst()) OpenJobFile(path);
  showNormal();
  raise();
  activateWindow();
}

void frmMain::mnuFileSave_Click() {
  if (job_.cut_filename.empty()) return;
  const bool stockSaved = WriteStockFile(job_, *this);
  const bool cutSaved = WriteCutFile(job_, *this);
  if (stockSaved && cutSaved) job_.dataChanged = false;
}

void frmMain::mnuFileSaveAs_Click() { SaveAsChosen(); }

void frmMain::RunSaveAs() { SaveAsChosen(); }

// The job is saved under the names Open derives from the same choice: the
// stock file gets ".stk" whatever extension was chosen (or none), so the
// saved job opens again.
bool frmMain::SaveAsChosen() {
  const QString chosen = dialogs_.SaveFileName(this, ToQt(job_.stock_filename), JobFilter(),
                                               QString::fromLatin1(texts::kStockFilter));
  if (chosen.isEmpty()) return false;
  const JobFileNames names = JobFileNamesFor(FromQt(chosen));
  job_.filename = names.base;
  job_.stock_filename = names.stockFile;
  job_.cut_filename = names.cutFile;
  job_.export_filename = names.exportFile;
  mnuFileSave_Click();
  ShowStatus(texts::kFileStatus + job_.filename);
  ShowStockFileName(job_.stock_filename);
  return true;
}

void frmMain::mnuFileExit_Click() {
  if (!SaveChangesFirst()) return;
  settingsStore_.Save(job_);
  exiting_ = true;
  close();
}

// The close box asks about unsaved edits as Exit does, but does not save
// the settings.
bool frmMain::MayClose() { return exiting_ || SaveChangesFirst(); }

void frmMain::mnuKISS_Click() {
  RunImportCommand(ImportFormat::Kiss, texts::kKissImportTitle, texts::kKissFilter);
}

void frmMain::mnuWinEst_Click() {
  RunImportCommand(ImportFormat::WinEst, texts::kWinEstImportTitle, texts::kTextFilter);
}

void frmMain::RunImportCommand(ImportFormat format, const char* title, const char* filter) {
  if (!SaveChangesFirst()) return;
  const QString chosen =
      dialogs_.OpenFileName(this, QString::fromLatin1(title), ToQt(FolderOf(job_.stock_filename)),
                            QString::fromLatin1(filter), QString::fromLatin1(filter));
  if (chosen.isEmpty()) return;
  if (!RunImport(job_, *this, format, FromQt(chosen))) return;
  ClearEntryFields();
  ShowOpenedMaterial();
  ShowStatus(texts::kImported + std::to_string(CutFileRecordCount(job_.cut_filename)) +
             texts::kImportedRowsOf + std::to_string(cboSection->count()) +
             texts::kImportedMaterialsInto + job_.cut_filename + texts::kChooseMaterial);
}

void frmMain::mnuProgramSettings_Click() {
  // A dialog closed a moment ago may still await deletion; a new one loads
  // afresh from the settings.
  if (!settings_ || !settings_->isVisible()) {
    settings_ =
        new frmSettings(job_, *this, dialogs_, settingsStore_, this,
                        {[this] { return SaveChangesFirst(); }, [this] { RestoreDefaultJob(); }});
  }
  settings_->show();
  settings_->raise();
  settings_->activateWindow();
}

bool frmMain::HandleDoubleClick(QObject* watched, QEvent::Type type) {
  if (type != QEvent::MouseButtonDblClick) return false;
  if (watched == txtKerf) {
    mnuProgramSettings_Click();
  } else if (watched == txtStockFileName) {
    mnuFileOpen_Click();
  } else {
    return false;
  }
  return true;
}
