#include "mainwindow/cutting_progress_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "core/job_state.h"
#include "mainwindow/window_style.h"
#include "mainwindow/window_texts.h"

namespace {

QLabel* AddScaleLabel(QWidget* parent, const char* name, const char* text, const QRect& rect,
                      Qt::Alignment alignment) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(ControlFont());
  label->setAlignment(alignment);
  label->setGeometry(rect);
  return label;
}

}  // namespace

frmCuttingProgress::frmCuttingProgress(JobState& job, QWidget* parent)
    : QDialog(parent), job_(job) {
  setObjectName(QStringLiteral("frmCuttingProgress"));
  setWindowTitle(QString::fromLatin1(texts::kProgressCaption));
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(Px(5400), Px(1920));

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setGeometry(Twips(240, 240, 4920, 360));
  AddScaleLabel(this, "lbl0", "0", Twips(240, 660, 600, 255), Qt::AlignLeft);
  AddScaleLabel(this, "lbl50", "50", Twips(2400, 660, 600, 255), Qt::AlignHCenter);
  AddScaleLabel(this, "lbl100", "100", Twips(4560, 660, 600, 255), Qt::AlignRight);

  btnCancel = new QPushButton(QString::fromLatin1(texts::kCancel), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setFont(ControlFont());
  btnCancel->setToolTip(QString::fromLatin1(texts::kCancelTip));
  btnCancel->setGeometry(Twips(2100, 1080, 1200, 495));
  btnCancel->setAutoDefault(false);
  connect(btnCancel, &QPushButton::clicked, this, &frmCuttingProgress::btnCancel_Click);
  lblMaterial =
      AddScaleLabel(this, "lblMaterial", "", Twips(240, 1620, 4920, 255), Qt::AlignHCenter);
  lblMaterial->hide();
}

void frmCuttingProgress::SetMaterialLine(const QString& text) {
  lblMaterial->setText(text);
  lblMaterial->setVisible(!text.isEmpty());
}

void frmCuttingProgress::SetProgress(float percent) {
  const float bounded = percent >= 0.0f ? std::min(percent, 100.0f) : 0.0f;
  ProgressBar1->setValue(static_cast<int>(bounded));
}

void frmCuttingProgress::btnCancel_Click() { job_.cancelRequested = true; }

void frmCuttingProgress::reject() { btnCancel_Click(); }

void frmCuttingProgress::closeEvent(QCloseEvent* event) {
  btnCancel_Click();
  event->ignore();
}
