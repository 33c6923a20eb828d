#pragma once

#include <QWidget>
#include <string>
#include <vector>

class DiagramView;
class Frontend;
class ReportPrinting;
class QPlainTextEdit;
class QTabWidget;
class QPushButton;
class QScrollBar;

// The report viewer: the report file as many lines at a time as the window's
// height holds (about 29 at its designed size), with a scroll bar, PRINT and EXIT. Not modal; it
// keeps the lines it loaded until it is closed, and each opening loads the file afresh. A second
// tab draws the diagrams of the same run.
class frmOutput : public QWidget {
  Q_OBJECT

 public:
  frmOutput(Frontend& frontend, ReportPrinting& printing, QWidget* parent);

  // Reads the report file and the plan's diagrams; a failure to read the
  // report is reported and leaves the window without its lines.
  void Load(const std::string& reportPath);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void vsbScroll1_Change(int value);
  void btnPrint_Click();
  void CommandButton2_Click();

 private:
  void LoadDiagram();

  Frontend& frontend_;
  ReportPrinting& printing_;
  std::vector<std::string> lines_;
  bool loaded_ = false;

  QPlainTextEdit* txtOutput = nullptr;
  QScrollBar* vsbScroll1 = nullptr;
  QPushButton* btnPrint = nullptr;
  QPushButton* CommandButton2 = nullptr;
  QTabWidget* tabs_ = nullptr;
  DiagramView* diagram_ = nullptr;
};
