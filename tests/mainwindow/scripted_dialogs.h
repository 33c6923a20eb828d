#pragma once

#include <QPrinter>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "mainwindow/dialogs.h"

// Dialogs for window tests: records every message box and question and
// answers from a script, so no test ever waits on a modal dialog.
class ScriptedDialogs : public Dialogs {
 public:
  struct Shown {
    QString title;
    QString text;
    MessageIcon icon;
  };

  void Message(QWidget*, const QString& title, const QString& text, MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }
  Answer YesNo(QWidget*, const QString& title, const QString& text) override {
    questions.push_back({title, text, MessageIcon::None});
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // File dialogs record what they were opened with and answer by script.
  struct FileDialog {
    QString title;
    QString start;
    QString filter;
    QString selectedFilter;
  };
  QString OpenFileName(QWidget*, const QString& title, const QString& folder, const QString& filter,
                       const QString& selectedFilter) override {
    openDialogs.push_back({title, folder, filter, selectedFilter});
    return openFileAnswer;
  }
  QString SaveFileName(QWidget*, const QString& proposed, const QString& filter,
                       const QString& selectedFilter) override {
    saveDialogs.push_back({QString(), proposed, filter, selectedFilter});
    return saveFileAnswer;
  }
  QString ExistingDirectory(QWidget*, const QString& title, const QString& folder) override {
    folderDialogs.push_back({title, folder, QString(), QString()});
    return folderAnswer;
  }
  // Prints to printToPdf with printCopies copies and printContent (when set),
  // or cancels when printToPdf is empty; records the content it opened on.
  bool Print(QWidget*, QPrinter& printer, PrintContent& content) override {
    ++printDialogs;
    offeredContent = content;
    if (printToPdf.isEmpty()) return false;
    if (printContent) content = *printContent;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    printer.setCopyCount(printCopies);
    return true;
  }
  bool PageSetup(QWidget*, QPrinter&) override {
    ++pageSetups;
    return false;
  }
  void OpenUrl(const QString& url) override { openedUrls.push_back(url); }

  // The texts of the message boxes shown so far, oldest first.
  QStringList MessageTexts() const {
    QStringList texts;
    for (const Shown& shown : messages) texts.append(shown.text);
    return texts;
  }

  std::vector<Shown> messages;
  std::vector<Shown> questions;
  std::deque<Answer> answers;
  QString openFileAnswer;
  QString saveFileAnswer;
  QString folderAnswer;
  std::vector<FileDialog> openDialogs;
  std::vector<FileDialog> saveDialogs;
  std::vector<FileDialog> folderDialogs;
  QString printToPdf;
  int printCopies = 1;
  std::optional<PrintContent> printContent;
  PrintContent offeredContent = PrintContent::Report;
  int printDialogs = 0;
  int pageSetups = 0;
  std::vector<QString> openedUrls;
};
