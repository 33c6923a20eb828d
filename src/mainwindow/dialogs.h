#pragma once

#include <QString>

#include "core/frontend.h"

class QPrinter;
class QWidget;

// What a print holds: the report, the cutting diagrams, or the report followed
// by the diagrams.
enum class PrintContent { Report, Diagrams, Both };

// Everything the windows ask the user through the platform's modal dialogs,
// and the one call that hands a web address to the desktop. Tests answer
// through a scripted implementation, so no test ever waits on a dialog.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // An OK-only message box; line breaks are "\n".
  virtual void Message(QWidget* parent, const QString& title, const QString& text,
                       MessageIcon icon) = 0;
  virtual Answer YesNo(QWidget* parent, const QString& title, const QString& text) = 0;

  // The chosen path, or an empty text when the dialog was cancelled. The
  // filter is "Description (*.a *.b);;..." and selectedFilter one of them; an
  // empty title leaves the dialog's default title.
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                               const QString& filter, const QString& selectedFilter) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& proposed, const QString& filter,
                               const QString& selectedFilter) = 0;
  // The chosen folder, or an empty text when the chooser was cancelled.
  virtual QString ExistingDirectory(QWidget* parent, const QString& title,
                                    const QString& folder) = 0;

  // The print dialog and the page setup dialog; false when cancelled. The
  // printer keeps what was chosen, the number of copies included; the print
  // dialog also offers the choice of content, opening on `content`.
  virtual bool Print(QWidget* parent, QPrinter& printer, PrintContent& content) = 0;
  virtual bool PageSetup(QWidget* parent, QPrinter& printer) = 0;

  // Asks the desktop to open a web address; failures are not reported.
  virtual void OpenUrl(const QString& url) = 0;
};

// The real dialogs.
class QtDialogs : public Dialogs {
 public:
  void Message(QWidget* parent, const QString& title, const QString& text,
               MessageIcon icon) override;
  Answer YesNo(QWidget* parent, const QString& title, const QString& text) override;
  QString OpenFileName(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter, const QString& selectedFilter) override;
  QString SaveFileName(QWidget* parent, const QString& proposed, const QString& filter,
                       const QString& selectedFilter) override;
  QString ExistingDirectory(QWidget* parent, const QString& title, const QString& folder) override;
  bool Print(QWidget* parent, QPrinter& printer, PrintContent& content) override;
  bool PageSetup(QWidget* parent, QPrinter& printer) override;
  void OpenUrl(const QString& url) override;
};
