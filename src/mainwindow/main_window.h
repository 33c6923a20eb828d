#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/length_text.h"
#include "import/import_command.h"
#include "lists/length_entry.h"
#include "lists/list_editing.h"
#include "optimizer/cutting_run.h"
#include "optimizer/whole_job_run.h"

class Dialogs;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QToolBar;
class frmCuttingProgress;
class frmFIHelp;
class frmOutput;
class frmSettings;
class ReportPrinting;
class SettingsAccess;

// The program's one working window: the material box, the stock and cut
// lists with their entry fields, the stock settings, the optimisation slider
// and the Cut button, with menus, toolbar and status bar. It is also the
// Frontend through which the engine shows statuses, messages and lists.
//
// The class is split by responsibility: main_window.cpp builds the controls,
// main_window_shell.cpp the menus, toolbar, status bar and hints,
// main_window_stock.cpp and main_window_cut.cpp the list editing,
// main_window_frontend.cpp the Frontend, main_window_cutting.cpp the
// cutting run and main_window_file.cpp the File commands and imports.
class frmMain : public QMainWindow, public Frontend {
  Q_OBJECT

 public:
  using CuttingRunner = std::function<CuttingRunOutcome(JobState&, Frontend&, int)>;

  frmMain(JobState& job, Dialogs& dialogs, SettingsAccess& settings,
          CuttingRunner runner = RunCutting, QWidget* parent = nullptr);
  ~frmMain() override;

  // Opens the job a file names, as File Open does after its dialog. A path
  // that is not a regular file is refused with a message and changes nothing;
  // false then.
  bool OpenJobFile(const std::string& path);
  // A file another copy of the program was given: asks about unsaved edits
  // first, then opens it as above and comes to the front.
  void OpenHandedOverFile(const std::string& path);

  // Frontend.
  void ShowStatus(const std::string& text) override;
  void ShowMessage(const std::string& title, const std::string& text,
                   MessageIcon icon = MessageIcon::None) override;
  Answer AskYesNo(const std::string& title, const std::string& text) override;
  void RefreshStockList(int selectIndex) override;
  void RefreshCutList(int selectIndex) override;
  std::vector<std::string> MaterialEntries() const override;
  void SetMaterialEntries(const std::vector<std::string>& entries) override;
  void ShowStockFileName(const std::string& path) override;
  void ShowCutFileName(const std::string& path) override;
  void MarkMaterialSaved() override;
  void RunSaveAs() override;
  void SetOptimizationLevel(int level) override;
  void ShowProgressWindow(bool visible) override;
  void ShowProgress(float percent) override;
  void ShowReport(const std::string& reportPath) override;
  void PumpEvents() override;
  void PauseWithEvents(int milliseconds) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private slots:
  // Stock list editing and the material box.
  void btnAddStock_Click();
  void btnChangeStock_Click();
  void btnDeleteStock_Click();
  void btnNewMaterial_Click();
  void cboSection_Change();
  void cboSection_Click();
  void cboSection_LostFocus();
  void LstStock_Click();
  void LstStock_GotFocus();
  void TxtStockLength_Change();
  void txtStockQty_Change();

  // Cut list editing.
  void btnAddCut_Click();
  void btnChangeCut_Click();
  void btnDelCut_Click();
  void LstCut_Click();
  void LstCut_GotFocus();

  // Shell.
  void Toolbar1_ButtonClick(QAction* button);
  void mnuViewStatusBar_Click();
  void mnuViewOutput_Click();
  void mnuHelpContents_Click();
  void mnuHelpAbout_Click();
  void mnuFilePageSetup_Click();
  void mnuFilePrint_Click();
  void btnfis_Click();
  void Form_Activate();

  // File commands, imports and settings (main_window_file.cpp).
  void mnuNew_Click();
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void mnuFileExit_Click();
  void mnuKISS_Click();
  void mnuWinEst_Click();
  void mnuProgramSettings_Click();

  // Cutting run.
  void btnCut_Click();
  void mnuCutAll_Click();
  void Slider1_Change(int position);

 private:
  // File Open after its dialog: the job the chosen file belongs to.
  void OpenChosenJob(const std::string& path);

  // Construction (main_window.cpp).
  void CreateControls();
  QLayout* CreateMaterialBox(QWidget* canvas);
  QGroupBox* CreateStockFrame(QWidget* canvas);
  QGroupBox* CreateCutFrame(QWidget* canvas);
  QGroupBox* CreateStockSettingsFrame(QWidget* canvas);
  QLayout* CreateCuttingControls(QWidget* canvas);
  void ConnectStockEditing();
  void ConnectCutEditing();
  void WatchEvents();

  // Shell (main_window_shell.cpp).
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void SetLengthHint(QLineEdit* field, const char* metricHint);
  bool HandleHintEvent(QObject* watched, QEvent::Type type);

  // Stock editing helpers (main_window_stock.cpp).
  StockEntry ReadStockEntry() const;
  void SaveLists();
  void ReadListsForMaterial();
  void SetMaterialBoxText(const QString& text);
  void MarkMaterialMissing();
  void MarkMaterialPresent();
  void ShowCutFrameCaption();
  bool HandleStockFieldEvent(QObject* watched, QEvent* event);

  // Entry checks of Add and Change (main_window_stock.cpp): false, after a
  // message, when the row must not change.
  bool CheckMaterialChosen();
  bool CheckStockFields();
  bool CheckCutFields();
  bool CheckLengthField(QLineEdit* field, const std::optional<ShownLength>& shown,
                        const char* name);
  bool CheckQuantityField(QLineEdit* field, bool accepted, const char* name, const char* reason);
  void RefuseField(QLineEdit* field, const char* name, const char* reason);
  void ShowEditedStockRow(int row);

  // Cut editing helpers (main_window_cut.cpp).
  CutEntry ReadCutEntry() const;
  void ShowEditedCutRow(int row);
  bool HandleCutFieldEvent(QObject* watched, QEvent* event);

  // Cutting run (main_window_cutting.cpp).
  void SetCuttingActive(bool active);
  void ShowWholeJobOutcome(const WholeJobResult& result);

  // File commands (main_window_file.cpp).
  void CreateFileActions();
  bool SaveChangesFirst();
  bool SaveAsChosen();
  void ClearEntryFields();
  void ShowOpenedMaterial();
  void RestoreDefaultJob();
  void RunImportCommand(ImportFormat format, const char* title, const char* filter);
  bool HandleDoubleClick(QObject* watched, QEvent::Type type);
  bool MayClose();

  // Message boxes of the list editing: OK only, the program's title.
  void Notify(const char* text, MessageIcon icon = MessageIcon::None);
  void NotifyMaxCutsPerLine();
  double ReadLength(const QLineEdit* field, const std::optional<ShownLength>& shown) const;
  void ShowLength(QLineEdit* field, std::optional<ShownLength>& shown, double length);

  JobState& job_;
  Dialogs& dialogs_;
  SettingsAccess& settingsStore_;
  CuttingRunner runner_;
  LengthText lengthText_;

  // The lengths last put into the length fields by selecting a row.
  std::optional<ShownLength> shownStockLength_;
  std::optional<ShownLength> shownCutLength_;
  bool cutting_ = false;
  // Set by Exit, whose own question has been answered, so that closing the
  // window does not ask again.
  bool exiting_ = false;
  QElapsedTimer sinceLastPump_;

  QToolBar* Toolbar1 = nullptr;
  QAction* mnuNew = nullptr;
  QAction* mnuFileOpen = nullptr;
  QAction* mnuKISS = nullptr;
  QAction* mnuWinEst = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuFileSaveAs = nullptr;
  QAction* mnuCutAll = nullptr;
  QAction* mnuFileExit = nullptr;
  QAction* mnuProgramSettings = nullptr;
  QAction* toolNew_ = nullptr;
  QAction* toolOpen_ = nullptr;
  QAction* toolSave_ = nullptr;
  QAction* mnuFilePageSetup = nullptr;
  QAction* mnuFilePrint = nullptr;
  QAction* mnuViewOutput = nullptr;
  QAction* mnuViewStatusBar = nullptr;
  QAction* mnuHelpContents = nullptr;
  QAction* mnuHelpAbout = nullptr;
  QAction* toolCut_ = nullptr;
  QAction* toolViewDetails_ = nullptr;
  QAction* toolPrint_ = nullptr;
  QLabel* StatusBar1 = nullptr;

  QComboBox* cboSection = nullptr;
  QGroupBox* FraStockMtl = nullptr;
  QListWidget* LstStock = nullptr;
  QLineEdit* TxtStockLength = nullptr;
  QLineEdit* txtStockQty = nullptr;
  QLineEdit* txtBin = nullptr;
  QPushButton* btnfis = nullptr;
  QPushButton* btnAddStock = nullptr;
  QPushButton* btnChangeStock = nullptr;
  QPushButton* btnDeleteStock = nullptr;
  QPushButton* btnNewMaterial = nullptr;

  QGroupBox* FraCutLst = nullptr;
  QListWidget* LstCut = nullptr;
  QLineEdit* txtCutQty = nullptr;
  QLineEdit* txtCutLength = nullptr;
  QLineEdit* txtDescrCut = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* btnAddCut = nullptr;
  QPushButton* btnChangeCut = nullptr;
  QPushButton* btnDelCut = nullptr;

  QLineEdit* txtStockFileName = nullptr;
  QLineEdit* txtKerf = nullptr;
  QSlider* Slider1 = nullptr;
  QPushButton* btnCut = nullptr;
  QPushButton* btnExit = nullptr;

  std::unique_ptr<ReportPrinting> printing_;
  frmCuttingProgress* progress_ = nullptr;
  QPointer<frmOutput> output_;
  QPointer<frmFIHelp> lengthHelp_;
  QPointer<frmSettings> settings_;
};
