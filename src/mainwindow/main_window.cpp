#include "mainwindow/main_window.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>

#include "core/ui_texts.h"
#include "mainwindow/cutting_progress_window.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/report_printing.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

// The window's layout is given in twips: the top of the client area holds
// the toolbar, so the controls below it sit that much higher on the canvas.
constexpr int kToolbarTwips = 420;
constexpr int kClientWidthTwips = 11505;
constexpr int kCanvasHeightTwips = 7980;

QRect Canvas(int left, int top, int width, int height) {
  return Twips(left, top - kToolbarTwips, width, height);
}

QLabel* AddLabel(QWidget* parent, const char* text, const QRect& rect) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setFont(ControlFont());
  label->setGeometry(rect);
  return label;
}

QLineEdit* AddField(QWidget* parent, const char* name, const QRect& rect,
                    const char* toolTip = nullptr) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFont(EntryFont());
  SetBackground(field, kLightGreen);
  field->setGeometry(rect);
  if (toolTip) field->setToolTip(QString::fromLatin1(toolTip));
  return field;
}

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, const QRect& rect,
                       const char* toolTip = nullptr) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(ControlFont());
  button->setGeometry(rect);
  button->setAutoDefault(false);
  if (toolTip) button->setToolTip(QString::fromLatin1(toolTip));
  return button;
}

QGroupBox* AddFrame(QWidget* parent, const char* name, const char* caption, const QRect& rect) {
  auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setFont(ControlFont());
  frame->setGeometry(rect);
  return frame;
}

QListWidget* AddList(QWidget* parent, const char* name, const QRect& rect) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setFont(ListFont());
  list->setUniformItemSizes(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  SetBackground(list, Qt::white);
  list->setGeometry(rect);
  return list;
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

}  // namespace

frmMain::frmMain(JobState& job, Dialogs& dialogs, CuttingRunner runner, QWidget* parent)
    : QMainWindow(parent),
      job_(job),
      dialogs_(dialogs),
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
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
  auto* canvas = new QWidget(this);
  canvas->setFixedSize(Px(kClientWidthTwips), Px(kCanvasHeightTwips));
  setCentralWidget(canvas);

  auto* line = new QFrame(canvas);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(Canvas(0, 600, kClientWidthTwips, 30));

  CreateMaterialBox(canvas);
  CreateStockFrame(canvas);
  CreateCutFrame(canvas);
  CreateStockSettingsFrame(canvas);
  CreateCuttingControls(canvas);
  const std::vector<QWidget*> tabOrder{
      cboSection,   LstStock,       TxtStockLength, txtStockQty,    txtBin,       btnfis,
      btnAddStock,  btnChangeStock, btnDeleteStock, btnNewMaterial, LstCut,       txtCutQty,
      txtCutLength, txtDescrCut,    Command1,       btnAddCut,      btnChangeCut, btnDelCut,
      Slider1,      btnCut,         btnExit};
  for (std::size_t i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void frmMain::CreateMaterialBox(QWidget* canvas) {
  AddLabel(canvas, texts::kMaterialLabel, Canvas(120, 720, 735, 255));
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
  cboSection->setGeometry(Canvas(120, 960, 5055, 360));
  MarkMaterialPresent();
}

void frmMain::CreateStockFrame(QWidget* canvas) {
  FraStockMtl = AddFrame(canvas, "FraStockMtl", texts::kStockFrame, Canvas(120, 1440, 5055, 5175));
  LstStock = AddList(FraStockMtl, "LstStock", Twips(120, 300, 4815, 3300));
  AddLabel(FraStockMtl, texts::kLengthLabel, Twips(120, 3660, 1680, 255));
  AddLabel(FraStockMtl, texts::kQtyLabel, Twips(1920, 3660, 720, 255));
  AddLabel(FraStockMtl, texts::kBinLabel, Twips(2760, 3660, 1680, 255));
  TxtStockLength = AddField(FraStockMtl, "TxtStockLength", Twips(120, 3900, 1680, 360));
  txtStockQty =
      AddField(FraStockMtl, "txtStockQty", Twips(1920, 3900, 720, 360), texts::kStockQtyTip);
  txtBin = AddField(FraStockMtl, "txtBin", Twips(2760, 3900, 1680, 360), texts::kBinTip);
  btnfis = AddButton(FraStockMtl, "btnfis", texts::kHelpButton, Twips(4560, 3900, 375, 360));
  btnfis->setFont(HelpButtonFont());
  btnAddStock = AddButton(FraStockMtl, "btnAddStock", texts::kAdd, Twips(120, 4440, 1095, 420),
                          texts::kAddStockTip);
  btnAddStock->setEnabled(false);
  btnChangeStock = AddButton(FraStockMtl, "btnChangeStock", texts::kChange,
                             Twips(1320, 4440, 1095, 420), texts::kChangeTip);
  btnDeleteStock = AddButton(FraStockMtl, "btnDeleteStock", texts::kDelete,
                             Twips(2520, 4440, 1095, 420), texts::kDeleteStockTip);
  btnNewMaterial =
      AddButton(FraStockMtl, "btnNewMaterial", texts::kNewMaterial, Twips(3720, 4440, 1215, 420));
  ScopeAccessKey(btnAddStock, FraStockMtl);
  for (QLineEdit* field : {TxtStockLength, txtStockQty, txtBin}) PressOnEnter(field, btnAddStock);
}

void frmMain::CreateCutFrame(QWidget* canvas) {
  FraCutLst = AddFrame(canvas, "FraCutLst", texts::kCutFrameAtStart, Canvas(5760, 840, 5655, 5775));
  LstCut = AddList(FraCutLst, "LstCut", Twips(120, 300, 5415, 3900));
  LstCut->setAcceptDrops(true);
  AddLabel(FraCutLst, texts::kQtyLabel, Twips(120, 4260, 840, 255));
  AddLabel(FraCutLst, texts::kLengthLabel, Twips(1080, 4260, 1800, 255));
  AddLabel(FraCutLst, texts::kIdentificationLabel, Twips(3000, 4260, 2040, 255));
  txtCutQty = AddField(FraCutLst, "txtCutQty", Twips(120, 4500, 840, 360));
  txtCutLength = AddField(FraCutLst, "txtCutLength", Twips(1080, 4500, 1800, 360));
  txtDescrCut = AddField(FraCutLst, "txtDescrCut", Twips(3000, 4500, 2040, 360), texts::kMarkTip);
  Command1 = AddButton(FraCutLst, "Command1", texts::kHelpButton, Twips(5160, 4500, 375, 360));
  Command1->setFont(HelpButtonFont());
  btnAddCut = AddButton(FraCutLst, "btnAddCut", texts::kAdd, Twips(120, 5040, 1095, 420),
                        texts::kAddCutTip);
  btnChangeCut = AddButton(FraCutLst, "btnChangeCut", texts::kChange, Twips(1320, 5040, 1095, 420),
                           texts::kChangeTip);
  btnDelCut = AddButton(FraCutLst, "btnDelCut", texts::kDelete, Twips(2520, 5040, 1095, 420),
                        texts::kDeleteCutTip);
  ScopeAccessKey(btnAddCut, FraCutLst);
  for (QLineEdit* field : {txtCutQty, txtCutLength, txtDescrCut}) PressOnEnter(field, btnAddCut);
}

void frmMain::CreateStockSettingsFrame(QWidget* canvas) {
  QGroupBox* frame =
      AddFrame(canvas, "Frame1", texts::kStockSettingsFrame, Canvas(120, 6960, 5055, 1215));
  AddLabel(frame, texts::kStockFileLabel, Twips(120, 330, 1095, 255));
  txtStockFileName =
      AddField(frame, "txtStockFileName", Twips(1320, 270, 3615, 330), texts::kStockFileTip);
  txtStockFileName->setReadOnly(true);
  SetBackground(txtStockFileName, Qt::white);
  AddLabel(frame, texts::kKerfLabel, Twips(120, 750, 1095, 255));
  txtKerf = AddField(frame, "txtKerf", Twips(1320, 690, 1695, 330), texts::kKerfTip);
  txtKerf->setReadOnly(true);
  SetBackground(txtKerf, kLightGrey);
}

void frmMain::CreateCuttingControls(QWidget* canvas) {
  QLabel* optimization = AddLabel(canvas, texts::kOptimizationLabel, Canvas(5760, 6780, 3255, 255));
  optimization->setAlignment(Qt::AlignHCenter);
  Slider1 = new QSlider(Qt::Horizontal, canvas);
  Slider1->setObjectName(QStringLiteral("Slider1"));
  Slider1->setRange(0, 10);
  Slider1->setPageStep(1);
  Slider1->setTickPosition(QSlider::TicksBelow);
  Slider1->setTickInterval(1);
  Slider1->setToolTip(QString::fromLatin1(texts::kSliderTip));
  Slider1->setGeometry(Canvas(5760, 7080, 3255, 420));
  AddLabel(canvas, texts::kLo, Canvas(5760, 7560, 495, 255));
  QLabel* hi = AddLabel(canvas, texts::kHi, Canvas(8520, 7560, 495, 255));
  hi->setAlignment(Qt::AlignRight);

  btnCut = AddButton(canvas, "btnCut", texts::kCut, Canvas(9240, 7200, 1095, 615), texts::kCutTip);
  btnCut->setFont(CutButtonFont());
  btnExit =
      AddButton(canvas, "btnExit", texts::kExit, Canvas(10440, 7200, 975, 615), texts::kExitTip);
  btnExit->setFont(ExitButtonFont());
  connect(btnExit, &QPushButton::clicked, this, &frmMain::mnuFileExit_Click);
  connect(btnCut, &QPushButton::clicked, this, &frmMain::btnCut_Click);
  connect(Slider1, &QSlider::valueChanged, this, &frmMain::Slider1_Change);
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
