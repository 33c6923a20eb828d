#include "mainwindow/length_help_window.h"

#include <QLabel>
#include <QPushButton>

#include "core/ui_texts.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const char* text, const QRect& rect) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(ControlFont());
  label->setGeometry(rect);
  return label;
}

}  // namespace

frmFIHelp::frmFIHelp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmFIHelp"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromLatin1(texts::kLengthHelpCaption));
  setFixedSize(Px(4680), Px(3240));

  QLabel* instruction =
      AddLabel(this, "Label1", texts::kLengthHelpText, Twips(240, 180, 4200, 1080));
  instruction->setWordWrap(true);
  instruction->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AddLabel(this, "Label2", texts::kExamples, Twips(240, 1380, 4200, 255));
  AddLabel(this, "Label3", texts::kExample1, Twips(600, 1680, 3840, 255));
  AddLabel(this, "Label4", texts::kExample2, Twips(600, 1980, 3840, 255));

  auto* ok = new QPushButton(QString::fromLatin1(texts::kOk), this);
  ok->setObjectName(QStringLiteral("Command1"));
  ok->setFont(ControlFont());
  ok->setGeometry(Twips(1800, 2460, 1080, 435));
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
}
