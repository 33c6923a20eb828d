#include "mainwindow/report_viewer_window.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "core/brx_error.h"
#include "mainwindow/qt_text.h"
#include "mainwindow/report_printing.h"
#include "mainwindow/report_view.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

QPushButton* AddButton(QWidget* parent, const char* name, const char* caption, const QRect& rect) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(ControlFont());
  button->setGeometry(rect);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

frmOutput::frmOutput(Frontend& frontend, ReportPrinting& printing, QWidget* parent)
    : QWidget(parent, Qt::Window), frontend_(frontend), printing_(printing) {
  setObjectName(QStringLiteral("frmOutput"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromLatin1(texts::kReportCaption));
  setFixedSize(Px(10800), Px(8400));

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
  txtOutput->setGeometry(Twips(120, 120, 10080, 7320));

  vsbScroll1 = new QScrollBar(Qt::Vertical, this);
  vsbScroll1->setObjectName(QStringLiteral("vsbScroll1"));
  vsbScroll1->setGeometry(Twips(10200, 120, 360, 7320));
  btnPrint = AddButton(this, "btnPrint", texts::kPrintButton, Twips(3120, 7680, 1695, 495));
  CommandButton2 =
      AddButton(this, "CommandButton2", texts::kExitButton, Twips(5985, 7680, 1695, 495));
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
  btnPrint->setEnabled(true);
  vsbScroll1->setValue(range.minimum);
  vsbScroll1_Change(vsbScroll1->value());
}

void frmOutput::vsbScroll1_Change(int value) {
  QString text = ToQt(ReportWindowText(lines_, value));
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.chop(1);
  txtOutput->setPlainText(text);
}

void frmOutput::btnPrint_Click() {
  QCoreApplication::processEvents();
  printing_.Print(this);
}

void frmOutput::CommandButton2_Click() { close(); }
