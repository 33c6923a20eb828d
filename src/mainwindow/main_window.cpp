#include "mainwindow/main_window.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "core/ui_texts.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/report_printing.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

// The client area's size at 100%, in twips, which the window opens at when
// the screen has room for it.
constexpr int kClientWidthTwips = 11505;
constexpr int kClientHeightTwips = 8715;
// The stock column and the cut column share the width as 5055 to 5655.
constexpr int kStockColumnStretch = 5055;
constexpr int kCutColumnStretch = 5655;
// A list keeps room for this many lines however small the window gets.
constexpr int kMinListLines = 4;

QLabel* AddLabel(QWidget* parent, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setFont(ControlFont());
  return label;
}

QLineEdit* AddField(QWidget* parent, const char* name, const char* toolTip = nullptr) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFont(EntryFont());
  SetBackground(field, kLightGreen);
  if (toolTip) field->setToolTip(QString::fromLatin1(toolTip));
  return field;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption,
                       const char* toolTip = nullptr) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(ControlFont());
  button->setAutoDefault(false);
  if (toolTip) button->setToolTip(QString::fromLatin1(toolTip));
  return button;
}

QGroupBox* AddFrame(QWidget* parent, const char* name, const char* caption) {
  auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setFont(ControlFont());
  return frame;
}

// A list grows with the window; it never shrinks below a few lines.
QListWidget* AddList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setFont(ListFont());
  list->setUniformItemSizes(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  SetBackground(list, Qt::white);
  list->setMinimumHeight(QFontMetrics(list->font()).lineSpacing() * kMinListLines +
                         2 * list->frameWidth());
  list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  return list;
}

// The "?" buttons are square, as high as the entry fields beside them.
void SetHelpButtonStyle(QPushButton* button) {
  button->setFont(HelpButtonFont());
  const int side = QLineEdit().sizeHint().height();
  button->setFixedSize(std::max(side, button->sizeHint().height()),
                       std::max(side, button->sizeHint().height()));
}

// A row of buttons that share the width equally.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  for (QPushButton* button : buttons) row->addWidget(button, 1);
  return row;
}

// Each frame's "&Add" acts for the frame that holds the focus; the two
// buttons would otherwise share one ambiguous access key.
void ScopeAccessKey(QPushButton* button, QWidget* frame) {
  const QKeySequence key = button->shortcut();
  button->setShortcut(QKeySequence());
  auto* shortcut = new QShortcut(key, frame);
  shortcut->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(shortcut, &QShortcut::activated, button, &QPushButton::animateClick);
}

// Enter in an entry field presses its frame's Add button.
void PressOnEnter(QLineEdit* field, QPushButton* button) {
  QObject::connect(field, &QLineEdit::returnPressed, button, [button] {
    if (button->isEnabled()) button->click();
  });
}

// The parts of a list frame: the list, three captioned entry fields with
// their width shares, the help button and the row of command buttons, the
// first of which is the frame's Add.
struct ListFrameParts {
  QListWidget* list;
  std::array<const char*, 3> captions;
  std::array<QLineEdit*, 3> fields;
  std::array<int, 3> widthShares;
  QPushButton* help;
  QHBoxLayout* buttons;
  QPushButton* add;
};

// Lays out a list frame: the list on top takes the spare height, the
// captions and fields below it, then the buttons.
void LayOutListFrame(QGroupBox* frame, const ListFrameParts& parts) {
  auto* layout = new QGridLayout(frame);
  layout->addWidget(parts.list, 0, 0, 1, 4);
  for (int column = 0; column < 3; ++column) {
    layout->addWidget(AddLabel(frame, parts.captions[column]), 1, column);
    layout->addWidget(parts.fields[column], 2, column);
    layout->setColumnStretch(column, parts.widthShares[column]);
    PressOnEnter(parts.fields[column], parts.add);
  }
  layout->addWidget(parts.help, 2, 3);
  layout->addLayout(parts.buttons, 3, 0, 1, 4);
  layout->setRowStretch(0, 1);
  ScopeAccessKey(parts.add, frame);
}

}  // namespace

frmMain::frmMain(JobState& job, Dialogs& dialogs, SettingsAccess& settings, CuttingRunner runner,
                 QWidget* parent)
    : QMainWindow(parent),
      job_(job),
      dialogs_(dialogs),
      settingsStore_(settings),
      runner_(std::move(runner)),
      lengthText_(job, *this) {
  InitWindowResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(texts::kMainCaption));
  setFont(ListFont());
  CreateControls();
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  ConnectStockEditing();
  ConnectCutEditing();
  WatchEvents();
  printing_ = std::make_unique<ReportPrinting>(job_, *this, dialogs_);
  progress_ = new frmCuttingProgress(job_, this);
  sinceLastPump_.start();
  // The client area's designed size, plus the menu and status bars.
  const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  FitToScreen(this, QSize(Px(kClientWidthTwips), Px(kClientHeightTwips) + bars));
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
  auto* canvas = new QWidget(this);
  setCentralWidget(canvas);
  auto* line = new QFrame(canvas);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* stockColumn = new QVBoxLayout;
  stockColumn->addLayout(CreateMaterialBox(canvas));
  stockColumn->addWidget(CreateStockFrame(canvas), 1);
  stockColumn->addWidget(CreateStockSettingsFrame(canvas));
  auto* cutColumn = new QVBoxLayout;
  cutColumn->addWidget(CreateCutFrame(canvas), 1);
  cutColumn->addLayout(CreateCuttingControls(canvas));

  auto* layout = new QGridLayout(canvas);
  layout->addWidget(line, 0, 0, 1, 2);
  layout->addLayout(stockColumn, 1, 0);
  layout->addLayout(cutColumn, 1, 1);
  layout->setColumnStretch(0, kStockColumnStretch);
  layout->setColumnStretch(1, kCutColumnStretch);
  layout->setRowStretch(1, 1);

  const std::vector<QWidget*> tabOrder{
      cboSection,   LstStock,       TxtStockLength, txtStockQty,    txtBin,       btnfis,
      btnAddStock,  btnChangeStock, btnDeleteStock, btnNewMaterial, LstCut,       txtCutQty,
      txtCutLength, txtDescrCut,    Command1,       btnAddCut,      btnChangeCut, btnDelCut,
      Slider1,      btnCut,         btnExit};
  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

QLayout* frmMain::CreateMaterialBox(QWidget* canvas) {
  QLabel* label = AddLabel(canvas, texts::kMaterialLabel);
  cboSection = new QComboBox(canvas);
  cboSection->setObjectName(QStringLiteral("cboSection"));
  cboSection->setEditable(true);
  // A plain drop-down list: no completion of typed text, Enter adds nothing.
  cboSection->setCompleter(nullptr);
  cboSection->setInsertPolicy(QComboBox::NoInsert);
  cboSection->setFont(EntryFont());
  cboSection->setToolTip(QString::fromLatin1(texts::kMaterialTip));
  // The prompt is no material: it shows only while the box is empty.
  cboSection->lineEdit()->setPlaceholderText(QString::fromLatin1(texts::kNewJobMaterial));
  // Long material names do not widen the window.
  cboSection->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboSection->setMinimumContentsLength(12);
  MarkMaterialPresent();
  auto* layout = new QVBoxLayout;
  layout->setSpacing(2);
  layout->addWidget(label);
  layout->addWidget(cboSection);
  return layout;
}

QGroupBox* frmMain::CreateStockFrame(QWidget* canvas) {
  FraStockMtl = AddFrame(canvas, "FraStockMtl", texts::kStockFrame);
  LstStock = AddList(FraStockMtl, "LstStock");
  TxtStockLength = AddField(FraStockMtl, "TxtStockLength");
  txtStockQty = AddField(FraStockMtl, "txtStockQty", texts::kStockQtyTip);
  txtBin = AddField(FraStockMtl, "txtBin", texts::kBinTip);
  btnfis = AddButton(FraStockMtl, "btnfis", texts::kHelpButton);
  SetHelpButtonStyle(btnfis);
  btnAddStock = AddButton(FraStockMtl, "btnAddStock", texts::kAdd, texts::kAddStockTip);
  btnAddStock->setEnabled(false);
  btnChangeStock = AddButton(FraStockMtl, "btnChangeStock", texts::kChange, texts::kChangeTip);
  btnDeleteStock = AddButton(FraStockMtl, "btnDeleteStock", texts::kDelete, texts::kDeleteStockTip);
  btnNewMaterial = AddButton(FraStockMtl, "btnNewMaterial", texts::kNewMaterial);

  // Length, quantity and bin in the widths 1680, 720 and 1680 of the design.
  LayOutListFrame(FraStockMtl,
                  {LstStock,
                   {texts::kLengthLabel, texts::kQtyLabel, texts::kBinLabel},
                   {TxtStockLength, txtStockQty, txtBin},
                   {7, 3, 7},
                   btnfis,
                   ButtonRow({btnAddStock, btnChangeStock, btnDeleteStock, btnNewMaterial}),
                   btnAddStock});
  return FraStockMtl;
}

QGroupBox* frmMain::CreateCutFrame(QWidget* canvas) {
  FraCutLst = AddFrame(canvas, "FraCutLst", texts::kCutFrameAtStart);
  LstCut = AddList(FraCutLst, "LstCut");
  LstCut->setAcceptDrops(true);
  txtCutQty = AddField(FraCutLst, "txtCutQty");
  txtCutLength = AddField(FraCutLst, "txtCutLength");
  txtDescrCut = AddField(FraCutLst, "txtDescrCut", texts::kMarkTip);
  Command1 = AddButton(FraCutLst, "Command1", texts::kHelpButton);
  SetHelpButtonStyle(Command1);
  btnAddCut = AddButton(FraCutLst, "btnAddCut", texts::kAdd, texts::kAddCutTip);
  btnChangeCut = AddButton(FraCutLst, "btnChangeCut", texts::kChange, texts::kChangeTip);
  btnDelCut = AddButton(FraCutLst, "btnDelCut", texts::kDelete, texts::kDeleteCutTip);

  // Quantity, length and mark in the widths 840, 1800 and 2040 of the design.
  auto* buttons = ButtonRow({btnAddCut, btnChangeCut, btnDelCut});
  buttons->addStretch(1);
  LayOutListFrame(FraCutLst, {LstCut,
                              {texts::kQtyLabel, texts::kLengthLabel, texts::kIdentificationLabel},
                              {txtCutQty, txtCutLength, txtDescrCut},
                              {4, 9, 10},
                              Command1,
                              buttons,
                              btnAddCut});
  return FraCutLst;
}

QGroupBox* frmMain::CreateStockSettingsFrame(QWidget* canvas) {
  QGroupBox* frame = AddFrame(canvas, "Frame1", texts::kStockSettingsFrame);
  txtStockFileName = AddField(frame, "txtStockFileName", texts::kStockFileTip);
  txtStockFileName->setReadOnly(true);
  SetBackground(txtStockFileName, Qt::white);
  txtKerf = AddField(frame, "txtKerf", texts::kKerfTip);
  txtKerf->setReadOnly(true);
  SetBackground(txtKerf, kLightGrey);
  auto* layout = new QGridLayout(frame);
  layout->addWidget(AddLabel(frame, texts::kStockFileLabel), 0, 0);
  layout->addWidget(txtStockFileName, 0, 1, 1, 2);
  layout->addWidget(AddLabel(frame, texts::kKerfLabel), 1, 0);
  layout->addWidget(txtKerf, 1, 1);
  layout->setColumnStretch(1, 1);
  layout->setColumnStretch(2, 1);
  return frame;
}

QLayout* frmMain::CreateCuttingControls(QWidget* canvas) {
  QLabel* optimization = AddLabel(canvas, texts::kOptimizationLabel);
  optimization->setAlignment(Qt::AlignHCenter);
  Slider1 = new QSlider(Qt::Horizontal, canvas);
  Slider1->setObjectName(QStringLiteral("Slider1"));
  Slider1->setRange(0, 10);
  Slider1->setPageStep(1);
  Slider1->setTickPosition(QSlider::TicksBelow);
  Slider1->setTickInterval(1);
  Slider1->setToolTip(QString::fromLatin1(texts::kSliderTip));
  QLabel* hi = AddLabel(canvas, texts::kHi);
  hi->setAlignment(Qt::AlignRight);
  auto* ends = new QHBoxLayout;
  ends->addWidget(AddLabel(canvas, texts::kLo));
  ends->addStretch(1);
  ends->addWidget(hi);
  auto* slider = new QVBoxLayout;
  slider->setSpacing(2);
  slider->addWidget(optimization);
  slider->addWidget(Slider1);
  slider->addLayout(ends);

  btnCut = AddButton(canvas, "btnCut", texts::kCut, texts::kCutTip);
  btnCut->setFont(CutButtonFont());
  btnExit = AddButton(canvas, "btnExit", texts::kExit, texts::kExitTip);
  btnExit->setFont(ExitButtonFont());
  for (QPushButton* button : {btnCut, btnExit}) {
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    button->setMinimumWidth(Px(975));
  }
  connect(btnExit, &QPushButton::clicked, this, &frmMain::mnuFileExit_Click);
  connect(btnCut, &QPushButton::clicked, this, &frmMain::btnCut_Click);
  connect(Slider1, &QSlider::valueChanged, this, &frmMain::Slider1_Change);

  auto* layout = new QHBoxLayout;
  layout->addLayout(slider, 1);
  layout->addWidget(btnCut);
  layout->addWidget(btnExit);
  return layout;
}

void frmMain::ConnectStockEditing() {
  connect(btnAddStock, &QPushButton::clicked, this, &frmMain::btnAddStock_Click);
  connect(btnChangeStock, &QPushButton::clicked, this, &frmMain::btnChangeStock_Click);
  connect(btnDeleteStock, &QPushButton::clicked, this, &frmMain::btnDeleteStock_Click);
  connect(btnNewMaterial, &QPushButton::clicked, this, &frmMain::btnNewMaterial_Click);
  connect(btnfis, &QPushButton::clicked, this, &frmMain::btnfis_Click);
  connect(cboSection->lineEdit(), &QLineEdit::textEdited, this, &frmMain::cboSection_Change);
  connect(cboSection, &QComboBox::activated, this, &frmMain::cboSection_Click);
  connect(LstStock, &QListWidget::itemSelectionChanged, this, &frmMain::LstStock_Click);
  connect(LstStock, &QListWidget::itemClicked, this, &frmMain::LstStock_Click);
  connect(TxtStockLength, &QLineEdit::textChanged, this, &frmMain::TxtStockLength_Change);
  connect(txtStockQty, &QLineEdit::textChanged, this, &frmMain::txtStockQty_Change);
}

void frmMain::ConnectCutEditing() {
  connect(btnAddCut, &QPushButton::clicked, this, &frmMain::btnAddCut_Click);
  connect(btnChangeCut, &QPushButton::clicked, this, &frmMain::btnChangeCut_Click);
  connect(btnDelCut, &QPushButton::clicked, this, &frmMain::btnDelCut_Click);
  connect(Command1, &QPushButton::clicked, this, &frmMain::btnfis_Click);
  connect(LstCut, &QListWidget::itemSelectionChanged, this, &frmMain::LstCut_Click);
  connect(LstCut, &QListWidget::itemClicked, this, &frmMain::LstCut_Click);
}

void frmMain::WatchEvents() {
  for (QObject* watched : std::initializer_list<QObject*>{
           cboSection, cboSection->lineEdit(), LstStock, TxtStockLength, txtStockQty, txtBin,
           LstCut, txtCutQty, txtCutLength, txtDescrCut, txtKerf, txtStockFileName}) {
    watched->installEventFilter(this);
  }
  for (QListWidget* list : {LstStock, LstCut}) list->viewport()->installEventFilter(this);
  for (QLineEdit* field : {TxtStockLength, txtStockQty, txtCutQty, txtCutLength, txtDescrCut}) {
    field->setMouseTracking(true);
  }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (HandleHintEvent(watched, event->type())) return false;
  if (HandleDoubleClick(watched, event->type())) return true;
  if (HandleStockFieldEvent(watched, event)) return false;
  if (HandleCutFieldEvent(watched, event)) return false;
  return QMainWindow::eventFilter(watched, event);
}

#include "moc_main_window.cpp"
