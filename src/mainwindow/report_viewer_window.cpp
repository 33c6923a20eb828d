#include "mainwindow/report_viewer_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_printing.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"
#include "reports/report_view.h"

namespace {

// The viewer's designed size at 100%, in twips.
constexpr int kWidthTwips = 10800;
constexpr int kHeightTwips = 8400;
// However small the window gets, this many report lines stay in view.
constexpr int kMinVisibleLines = 5;

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(ControlFont());
  button->setAutoDefault(false);
  button->setMinimumWidth(Px(1695));
  return button;
}

}  // namespace

frmOutput::frmOutput(Frontend& frontend, ReportPrinting& printing, QWidget* parent)
    : QWidget(parent, Qt::Window), frontend_(frontend), printing_(printing) {
  setObjectName(QStringLiteral("frmOutput"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromLatin1(texts::kReportCaption));

  txtOutput = new QPlainTextEdit(this);
  txtOutput->setObjectName(QStringLiteral("txtOutput"));
  txtOutput->setReadOnly(true);
  txtOutput->setFont(ReportFont());
  txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtOutput->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QPalette palette = txtOutput->palette();
  palette.setColor(QPalette::Text, Qt::black);
  txtOutput->setPalette(palette);
  txtOutput->setPlainText(QString::fromLatin1(texts::kReportPlaceholder));
  txtOutput->setMinimumHeight(QFontMetrics(txtOutput->font()).lineSpacing() * kMinVisibleLines);
  // The text grows with the window: a taller window shows more lines.
  txtOutput->viewport()->installEventFilter(this);

  vsbScroll1 = new QScrollBar(Qt::Vertical, this);
  vsbScroll1->setObjectName(QStringLiteral("vsbScroll1"));
  btnPrint = AddButton(this, "btnPrint", texts::kPrintButton);
  // Nothing to print until a report is loaded.
  btnPrint->setEnabled(false);
  CommandButton2 = AddButton(this, "CommandButton2", texts::kExitButton);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(3120);
  buttons->addWidget(btnPrint);
  buttons->addStretch(5985 - 3120 - 1695);
  buttons->addWidget(CommandButton2);
  buttons->addStretch(3120);
  auto* layout = new QGridLayout(this);
  layout->addWidget(txtOutput, 0, 0);
  layout->addWidget(vsbScroll1, 0, 1);
  layout->addLayout(buttons, 1, 0, 1, 2);
  layout->setRowStretch(0, 1);
  layout->setHorizontalSpacing(0);
  FitToScreen(this, QSize(Px(kWidthTwips), Px(kHeightTwips)));
  connect(vsbScroll1, &QScrollBar::valueChanged, this, &frmOutput::vsbScroll1_Change);
  connect(btnPrint, &QPushButton::clicked, this, &frmOutput::btnPrint_Click);
  connect(CommandButton2, &QPushButton::clicked, this, &frmOutput::CommandButton2_Click);
}

void frmOutput::Load(const std::string& reportPath) {
  try {
    lines_ = ReadReportLines(reportPath);
  } catch (const BrxError& error) {
    ShowError(frontend_, error);
    return;
  }
  const ReportScrollRange range = ScrollRangeFor(static_cast<int>(lines_.size()));
  vsbScroll1->setRange(range.minimum, range.maximum);
  vsbScroll1->setSingleStep(1);
  vsbScroll1->setPageStep(range.pageStep);
  loaded_ = true;
  btnPrint->setEnabled(true);
  vsbScroll1->setValue(range.minimum);
  vsbScroll1_Change(vsbScroll1->value());
}

// The lines from `value` on, as many as the text box has room for; lines
// past the end of the report are empty.
void frmOutput::vsbScroll1_Change(int value) {
  if (!loaded_) return;
  const int visible =
      std::max(1, txtOutput->viewport()->height() / QFontMetrics(txtOutput->font()).lineSpacing());
  QStringList shown;
  for (int number = value; number < value + visible; ++number) {
    const bool inReport = number >= 1 && number <= static_cast<int>(lines_.size());
    shown.append(inReport ? ToQt(lines_[static_cast<std::size_t>(number - 1)]) : QString());
  }
  txtOutput->setPlainText(shown.join(QLatin1Char('\n')));
}

bool frmOutput::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtOutput->viewport() && event->type() == QEvent::Resize) {
    vsbScroll1_Change(vsbScroll1->value());
  }
  return QWidget::eventFilter(watched, event);
}

void frmOutput::btnPrint_Click() {
  QCoreApplication::processEvents();
  printing_.Print(this);
}

void frmOutput::CommandButton2_Click() { close(); }
