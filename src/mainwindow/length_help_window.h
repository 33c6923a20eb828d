#pragma once

#include <QDialog>

// How English lengths are typed as coded numbers. Not modal; it holds no
// state and is closed by its OK button.
class frmFIHelp : public QDialog {
  Q_OBJECT

 public:
  explicit frmFIHelp(QWidget* parent);
};
