#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "core/length_text.h"
#include "lists/length_entry.h"

struct JobState;
class Dialogs;
class Frontend;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class SettingsAccess;

// The program settings, not modal. Most controls write their setting text
// into the job the moment they change; Update List and Print Input Data are
// taken over by OK only. Closing it, by any means, redraws the main window's
// lists in the unit now set.
class frmSettings : public QDialog {
  Q_OBJECT

 public:
  // What the main window does around Restore Defaults: ask about unsaved
  // edits first (false: the command ends with nothing changed), and open
  // the default job once the settings are restored. Empty hooks do nothing.
  struct JobHooks {
    std::function<bool()> saveChangesFirst;
    std::function<void()> defaultsRestored;
  };

  frmSettings(JobState& job, Frontend& frontend, Dialogs& dialogs, SettingsAccess& settings,
              QWidget* parent, JobHooks hooks = {});

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void chkEnglish_Click();
  void chkMetric_Click();
  void chk32nds_Click();
  void chkinches_Click();
  void txtKerf_Change();
  void txtUnuseableLen_Change();
  void SpinButton1_Change(int value);
  void optOptimizer_Click();
  void btnBatchDir_Click();
  void btnClearSettings_Click();
  void cmdOK_Click();

 private:
  void CreateUnitControls();
  void CreateStockControls();
  void CreateReportControls();
  void CreateOptimizerControls();
  void CreateBatchControls();
  void CreateButtons();
  void Form_Load();
  void ShowBatchDir();
  void ConvertKerf(bool toMetric);
  void EnableInchOptions(bool enabled);
  bool MayChangeUnit();

  JobState& job_;
  Frontend& frontend_;
  Dialogs& dialogs_;
  SettingsAccess& settings_;
  JobHooks hooks_;
  LengthText lengthText_;
  // What the dialog put into the two length fields when it opened.
  std::optional<ShownLength> shownKerf_;
  std::optional<ShownLength> shownUnuseableLen_;

  QGroupBox* fraUnits = nullptr;
  QRadioButton* chkEnglish = nullptr;
  QRadioButton* chkMetric = nullptr;
  QGroupBox* frmInches = nullptr;
  QCheckBox* chk32nds = nullptr;
  QCheckBox* chkinches = nullptr;
  QGroupBox* frmStock = nullptr;
  QLineEdit* txtKerf = nullptr;
  QLineEdit* txtUnuseableLen = nullptr;
  QCheckBox* chkStockUpdate = nullptr;
  QGroupBox* frmOptions = nullptr;
  QCheckBox* chkReportFlag = nullptr;
  QLabel* txtLinesPerPage = nullptr;
  QSpinBox* SpinButton1 = nullptr;
  QGroupBox* fraOptimizer = nullptr;
  QRadioButton* optClassic = nullptr;
  QRadioButton* optBest = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLineEdit* txtBatchDir = nullptr;
  QPushButton* btnBatchDir = nullptr;
  QPushButton* btnClearSettings = nullptr;
  QPushButton* cmdOK = nullptr;
};
