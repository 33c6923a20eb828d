#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <array>

#include "diagrams/diagram_texts.h"
#include "mainwindow/dialogs.h"

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::Message(QWidget* parent, const QString& title, const QString& text,
                        MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, parent);
  box.exec();
}

Answer QtDialogs::YesNo(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

QString QtDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                const QString& filter, const QString& selectedFilter) {
  QString chosenFilter = selectedFilter;
  return QFileDialog::getOpenFileName(parent, title, folder, filter, &chosenFilter);
}

QString QtDialogs::SaveFileName(QWidget* parent, const QString& proposed, const QString& filter,
                                const QString& selectedFilter) {
  QString chosenFilter = selectedFilter;
  return QFileDialog::getSaveFileName(parent, QString(), proposed, filter, &chosenFilter);
}

QString QtDialogs::ExistingDirectory(QWidget* parent, const QString& title, const QString& folder) {
  return QFileDialog::getExistingDirectory(parent, title, folder);
}

bool QtDialogs::Print(QWidget* parent, QPrinter& printer, PrintContent& content) {
  QPrintDialog dialog(&printer, parent);
  // The choice of content is a tab of its own among the dialog's options.
  auto* choice = new QWidget(&dialog);
  choice->setWindowTitle(QString::fromLatin1(diagram_texts::kPrintChoiceTab));
  auto* layout = new QVBoxLayout(choice);
  const std::array<std::pair<PrintContent, const char*>, 3> options = {{
      {PrintContent::Report, diagram_texts::kPrintReport},
      {PrintContent::Diagrams, diagram_texts::kPrintDiagrams},
      {PrintContent::Both, diagram_texts::kPrintBoth},
  }};
  std::array<QRadioButton*, 3> buttons{};
  for (std::size_t i = 0; i < options.size(); ++i) {
    buttons[i] = new QRadioButton(QString::fromLatin1(options[i].second), choice);
    buttons[i]->setChecked(options[i].first == content);
    layout->addWidget(buttons[i]);
  }
  layout->addStretch();
  dialog.setOptionTabs({choice});
  if (dialog.exec() != QDialog::Accepted) return false;
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (buttons[i]->isChecked()) content = options[i].first;
  }
  return true;
}

bool QtDialogs::PageSetup(QWidget* parent, QPrinter& printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::OpenUrl(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }
