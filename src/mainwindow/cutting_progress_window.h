#pragma once

#include <QDialog>

struct JobState;
class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a cutting run: the share of pieces assigned and
// the Cancel button, the only control that acts while the search runs. It is
// application-modal but shown without a loop of its own; the search lets
// events through.
class frmCuttingProgress : public QDialog {
  Q_OBJECT

 public:
  frmCuttingProgress(JobState& job, QWidget* parent);

  // 0 to 100.
  void SetProgress(float percent);
  // The line under the Cancel button naming the material being cut while
  // every material is; empty hides it.
  void SetMaterialLine(const QString& text);

 protected:
  // Escape and the close box ask the run to stop, as Cancel does; the window
  // stays until the run hides it.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void btnCancel_Click();

 private:
  JobState& job_;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* btnCancel = nullptr;
  QLabel* lblMaterial = nullptr;
};
