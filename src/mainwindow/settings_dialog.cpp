#include "mainwindow/settings_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "core/frontend.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "core/ui_texts.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/settings_access.h"
#include "mainwindow/settings_texts.h"
#include "optimizer/best_plan.h"

namespace {

constexpr int kMinLinesPerPage = 10;
constexpr int kMaxLinesPerPage = 120;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kInchesPerFoot = 12.0;

QString Latin(const char* text) { return QString::fromLatin1(text); }

template <typename Widget>
Widget* Named(Widget* widget, const char* name, const char* toolTip = nullptr) {
  widget->setObjectName(Latin(name));
  if (toolTip) widget->setToolTip(Latin(toolTip));
  return widget;
}

QGroupBox* Frame(const char* name, const char* caption, const char* toolTip = nullptr) {
  return Named(new QGroupBox(Latin(caption)), name, toolTip);
}

const char* FlagText(bool on) { return on ? "1" : "0"; }

}  // namespace

frmSettings::frmSettings(JobState& job, Frontend& frontend, Dialogs& dialogs,
                         SettingsAccess& settings, QWidget* parent, JobHooks hooks)
    : QDialog(parent),
      job_(job),
      frontend_(frontend),
      dialogs_(dialogs),
      settings_(settings),
      hooks_(std::move(hooks)),
      lengthText_(job, frontend) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(Latin(texts::kSettingsCaption));
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  auto* layout = new QGridLayout(this);
  CreateUnitControls();
  CreateStockControls();
  CreateReportControls();
  CreateOptimizerControls();
  CreateBatchControls();
  CreateButtons();
  layout->addWidget(fraUnits, 0, 0);
  layout->addWidget(frmInches, 0, 1);
  layout->addWidget(frmStock, 1, 0);
  layout->addWidget(frmOptions, 1, 1);
  layout->addWidget(fraOptimizer, 2, 0, 1, 2);
  layout->addWidget(Frame1, 3, 0, 1, 2);
  layout->addWidget(btnClearSettings, 4, 0);
  layout->addWidget(cmdOK, 4, 1);
  Form_Load();
}

void frmSettings::CreateUnitControls() {
  fraUnits = Frame("fraUnits", texts::kUnitsFrame, texts::kUnitsTip);
  chkEnglish = Named(new QRadioButton(Latin(texts::kEnglish)), "chkEnglish", texts::kEnglishTip);
  chkMetric = Named(new QRadioButton(Latin(texts::kMetric)), "chkMetric", texts::kMetricTip);
  auto* units = new QVBoxLayout(fraUnits);
  units->addWidget(chkEnglish);
  units->addWidget(chkMetric);
  frmInches = Frame("frmInches", texts::kInchesFrame);
  chk32nds = Named(new QCheckBox(Latin(texts::k32nds)), "chk32nds");
  chkinches = Named(new QCheckBox(Latin(texts::kInchesOnly)), "chkinches");
  auto* inches = new QVBoxLayout(frmInches);
  inches->addWidget(chk32nds);
  inches->addWidget(chkinches);
  // Selection alone counts: clicking the option already selected converts
  // nothing.
  connect(chkEnglish, &QRadioButton::toggled, this, [this](bool on) {
    if (on) chkEnglish_Click();
  });
  connect(chkMetric, &QRadioButton::toggled, this, [this](bool on) {
    if (on) chkMetric_Click();
  });
  connect(chk32nds, &QCheckBox::toggled, this, &frmSettings::chk32nds_Click);
  connect(chkinches, &QCheckBox::toggled, this, &frmSettings::chkinches_Click);
}

void frmSettings::CreateStockControls() {
  frmStock = Frame("frmStock", texts::kStockFrameCaption);
  auto* lblKerf = Named(new QLabel(Latin(texts::kKerf)), "lblKerf", texts::kKerfLabelTip);
  txtKerf = Named(new QLineEdit, "txtKerf", texts::kKerfFieldTip);
  auto* Label1 =
      Named(new QLabel(Latin(texts::kUnusableLength)), "Label1", texts::kUnuseableLengthTip);
  txtUnuseableLen = Named(new QLineEdit, "txtUnuseableLen");
  chkStockUpdate =
      Named(new QCheckBox(Latin(texts::kUpdateList)), "chkStockUpdate", texts::kUpdateListTip);
  auto* stock = new QGridLayout(frmStock);
  stock->addWidget(lblKerf, 0, 0);
  stock->addWidget(txtKerf, 0, 1);
  stock->addWidget(Label1, 1, 0);
  stock->addWidget(txtUnuseableLen, 1, 1);
  stock->addWidget(chkStockUpdate, 2, 0, 1, 2);
  // Only typing changes the lengths; keys that leave the text as it was,
  // such as Tab or an arrow, change nothing.
  connect(txtKerf, &QLineEdit::textEdited, this, &frmSettings::txtKerf_Change);
  connect(txtUnuseableLen, &QLineEdit::textEdited, this, &frmSettings::txtUnuseableLen_Change);
}

void frmSettings::CreateReportControls() {
  frmOptions = Frame("frmOptions", texts::kReportOptionsFrame);
  chkReportFlag = Named(new QCheckBox(Latin(texts::kPrintInputData)), "chkReportFlag",
                        texts::kPrintInputDataTip);
  auto* lblLines = Named(new QLabel(Latin(texts::kLinesPerPage)), "lblLines");
  txtLinesPerPage = Named(new QLabel, "txtLinesPerPage");
  SpinButton1 = Named(new QSpinBox, "SpinButton1", texts::kSpinTip);
  SpinButton1->setRange(kMinLinesPerPage, kMaxLinesPerPage);
  SpinButton1->setSingleStep(1);
  auto* options = new QGridLayout(frmOptions);
  options->addWidget(chkReportFlag, 0, 0, 1, 3);
  options->addWidget(lblLines, 1, 0);
  options->addWidget(txtLinesPerPage, 1, 1);
  options->addWidget(SpinButton1, 1, 2);
  connect(SpinButton1, &QSpinBox::valueChanged, this, &frmSettings::SpinButton1_Change);
}

void frmSettings::CreateOptimizerControls() {
  fraOptimizer = Frame("fraOptimizer", texts::kOptimizerFrame, texts::kOptimizerTip);
  optClassic = Named(new QRadioButton(Latin(texts::kClassic)), "optClassic", texts::kClassicTip);
  optBest = Named(new QRadioButton(Latin(texts::kBest)), "optBest", texts::kBestTip);
  auto* optimizer = new QHBoxLayout(fraOptimizer);
  optimizer->addWidget(optClassic);
  optimizer->addWidget(optBest);
  optimizer->addStretch(1);
  connect(optBest, &QRadioButton::toggled, this, &frmSettings::optOptimizer_Click);
}

void frmSettings::CreateBatchControls() {
  Frame1 = Frame("Frame1", texts::kBatchFrame, texts::kBatchFrameTip);
  txtBatchDir = Named(new QLineEdit, "txtBatchDir");
  txtBatchDir->setReadOnly(true);
  btnBatchDir = Named(new QPushButton(Latin(texts::kChooseFolder)), "btnBatchDir");
  auto* batch = new QHBoxLayout(Frame1);
  batch->addWidget(txtBatchDir, 1);
  batch->addWidget(btnBatchDir);
  connect(btnBatchDir, &QPushButton::clicked, this, &frmSettings::btnBatchDir_Click);
}

void frmSettings::CreateButtons() {
  btnClearSettings = Named(new QPushButton(Latin(texts::kRestoreDefaults)), "btnClearSettings",
                           texts::kRestoreDefaultsTip);
  cmdOK = Named(new QPushButton(Latin(texts::kOk)), "cmdOK");
  for (QPushButton* button : {btnClearSettings, cmdOK}) button->setAutoDefault(false);
  connect(btnClearSettings, &QPushButton::clicked, this, &frmSettings::btnClearSettings_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmSettings::cmdOK_Click);
}

void frmSettings::Form_Load() {
  const double kerf = LeadingNumber(job_.kerf);
  const double unuseable = LeadingNumber(job_.UnuseableLen);
  shownKerf_ = ShownLength{lengthText_.FormatLength(kerf), kerf};
  shownUnuseableLen_ = ShownLength{lengthText_.FormatLength(unuseable), unuseable};
  txtKerf->setText(ToQt(shownKerf_->text));
  txtUnuseableLen->setText(ToQt(shownUnuseableLen_->text));
  if (job_.unit_flag == "0") {
    chkEnglish->setChecked(true);
  } else if (job_.unit_flag == "1") {
    chkMetric->setChecked(true);
  }
  chkStockUpdate->setChecked(job_.UpdatesStockList());
  chkReportFlag->setChecked(job_.PrintsInputData());
  chk32nds->setChecked(job_.Shows32nds());
  chkinches->setChecked(job_.InchesOnly());
  // A stored value outside the control's range is brought into it.
  const auto lines = static_cast<int>(std::lround(LeadingNumber(job_.linesPerPage)));
  {
    const QSignalBlocker blocker(SpinButton1);
    SpinButton1->setValue(std::clamp(lines, kMinLinesPerPage, kMaxLinesPerPage));
  }
  txtLinesPerPage->setText(QString::number(SpinButton1->value()));
  {
    // Showing the stored choice leaves its text as stored.
    const QSignalBlocker blocker(optBest);
    const bool best = OptimizerNamed(job_.optimizer) == OptimizerKind::Best;
    (best ? optBest : optClassic)->setChecked(true);
  }
  if (!QFileInfo(ToQt(job_.batchDir)).isDir()) {
    job_.batchDir = FromQt(QCoreApplication::applicationDirPath());
  }
  ShowBatchDir();
}

// Only the kerf follows the unit; in inches-only mode English lengths are
// inches, so the factor is 25.4 there and 25.4 x 12 for feet.
void frmSettings::ConvertKerf(bool toMetric) {
  const double factor =
      job_.InchesOnly() ? kMillimetresPerInch : kMillimetresPerInch * kInchesPerFoot;
  const double kerf = LeadingNumber(job_.kerf);
  const double converted = toMetric ? kerf * factor : kerf / factor;
  job_.kerf = ShortestDecimal(converted);
  // The text shown stays; it now stands for the converted kerf.
  if (shownKerf_) shownKerf_->value = LeadingNumber(job_.kerf);
}

void frmSettings::EnableInchOptions(bool enabled) {
  for (QWidget* widget : std::initializer_list<QWidget*>{frmInches, chkinches, chk32nds}) {
    widget->setEnabled(enabled);
  }
}

// Lengths are stored in the unit they were typed in, so a unit change shows
// every row of the lists as another length. With rows in a list the user
// confirms it first.
bool frmSettings::MayChangeUnit() {
  if (job_.stockCount == 0 && job_.cutCount == 0) return true;
  return frontend_.AskYesNo(texts::kProgramTitle, texts::kUnitChangeQuestion) == Answer::Yes;
}

void frmSettings::chkEnglish_Click() {
  if (job_.unit_flag != "0" && !MayChangeUnit()) {
    const QSignalBlocker blocker(chkMetric);
    chkMetric->setChecked(job_.unit_flag == "1");
    if (job_.unit_flag != "1") chkEnglish->setChecked(false);
    return;
  }
  if (LeadingNumber(job_.unit_flag) == 1.0) ConvertKerf(false);
  job_.unit_flag = "0";
  EnableInchOptions(true);
}

void frmSettings::chkMetric_Click() {
  if (job_.unit_flag != "1" && !MayChangeUnit()) {
    const QSignalBlocker blocker(chkEnglish);
    chkEnglish->setChecked(job_.unit_flag == "0");
    if (job_.unit_flag != "0") chkMetric->setChecked(false);
    return;
  }
  if (LeadingNumber(job_.unit_flag) == 0.0) ConvertKerf(true);
  job_.unit_flag = "1";
  EnableInchOptions(false);
}

void frmSettings::chk32nds_Click() { job_.inch32Flag = FlagText(chk32nds->isChecked()); }

void frmSettings::chkinches_Click() {
  const char* flag = FlagText(chkinches->isChecked());
  if (job_.inchOnlyFlag != flag && !MayChangeUnit()) {
    const QSignalBlocker blocker(chkinches);
    chkinches->setChecked(!chkinches->isChecked());
    return;
  }
  job_.inchOnlyFlag = flag;
}

void frmSettings::txtKerf_Change() {
  if (txtKerf->text().isEmpty()) txtKerf->setText(QStringLiteral("0"));
  const UnitMode mode = UnitModeOf(job_);
  job_.kerf = ShortestDecimal(ReadLengthField(lengthText_, mode.metric, mode.inchOnly,
                                              FromQt(txtKerf->text()), shownKerf_));
}

void frmSettings::txtUnuseableLen_Change() {
  if (txtUnuseableLen->text().isEmpty()) txtUnuseableLen->setText(QStringLiteral("0.0"));
  const UnitMode mode = UnitModeOf(job_);
  job_.UnuseableLen =
      ShortestDecimal(ReadLengthField(lengthText_, mode.metric, mode.inchOnly,
                                      FromQt(txtUnuseableLen->text()), shownUnuseableLen_));
}

void frmSettings::SpinButton1_Change(int value) {
  job_.linesPerPage = std::to_string(value);
  txtLinesPerPage->setText(QString::number(value));
}

void frmSettings::optOptimizer_Click() {
  job_.optimizer = optBest->isChecked() ? kBestOptimizerName : kClassicOptimizerName;
}

void frmSettings::btnBatchDir_Click() {
  const QString chosen =
      dialogs_.ExistingDirectory(this, Latin(texts::kBatchFrame), ToQt(job_.batchDir));
  if (chosen.isEmpty()) return;
  job_.batchDir = FromQt(chosen);
  ShowBatchDir();
}

void frmSettings::ShowBatchDir() { txtBatchDir->setText(ToQt(job_.batchDir)); }

// Restoring the defaults also names the default job, so unsaved edits are
// asked about first; Cancel leaves the job and the settings as they were.
void frmSettings::btnClearSettings_Click() {
  if (hooks_.saveChangesFirst && !hooks_.saveChangesFirst()) return;
  settings_.RestoreDefaults(job_, frontend_);
  if (hooks_.defaultsRestored) hooks_.defaultsRestored();
  close();
}

void frmSettings::cmdOK_Click() {
  job_.stk_update = FlagText(chkStockUpdate->isChecked());
  job_.inputReportFlag = FlagText(chkReportFlag->isChecked());
  close();
}

// The main window's lists show the lengths in the unit now set; refreshing
// the stock list also gives its frame the caption "Stock".
void frmSettings::closeEvent(QCloseEvent* event) {
  frontend_.RefreshStockList(0);
  frontend_.RefreshCutList(0);
  QDialog::closeEvent(event);
}
