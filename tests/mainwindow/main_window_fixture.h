#pragma once

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/interactive_start.h"
#include "app/settings_store.h"
#include "core/job_state.h"
#include "mainwindow/main_window.h"
#include "mainwindow/splash_window.h"
#include "scripted_dialogs.h"

// Stock file text: the header, then one row per "material,bin,quantity,length".
inline QString StockFile(const QStringList& rows) {
  return QStringLiteral("MATERIAL, MARK, QTY, LENGTH\r\n") + rows.join(QStringLiteral("\r\n")) +
         QStringLiteral("\r\n");
}

// Cut file text: an empty header record, then "mark,material,quantity,length" rows.
inline QString CutFile(const QStringList& rows) {
  return QStringLiteral(",,,\r\n") + rows.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// Points the settings store and the user data folder into `home`, so a test
// never reads or writes the real user's settings.
inline void UseHomeForSettings(const QTemporaryDir& home) {
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLatin1());
  qputenv("USERPROFILE", home.path().toLatin1());
}

// A main window on a job in a temporary folder, driven as a user would:
// clicks, typed keys and Enter. Message boxes are answered by script.
class MainWindowFixture {
 public:
  // A runner that stands in for the cutting run where a test needs one.
  explicit MainWindowFixture(frmMain::CuttingRunner runner = {}) : runner_(std::move(runner)) {
    job.stock_filename = Path("job.stk").toStdString();
    job.cut_filename = Path("job.cut").toStdString();
    job.reportFileName = Path("W8X31.bxl").toStdString();
    job.matl = "W8X31";
  }

  // Shows the window; it reads the current material's files as it becomes
  // active.
  bool Open() {
    window = runner_ ? std::make_unique<frmMain>(job, dialogs, settings, runner_)
                     : std::make_unique<frmMain>(job, dialogs, settings, NoRun);
    window->show();
    return QTest::qWaitForWindowActive(window.get());
  }

  // Starts the program as main does, on the settings store and data folder
  // of the environment, and presses OK on the splash window, which shows the
  // main window. A stock file given is the one `brx FILE.stk` names.
  bool Start(const std::string& stockFile = {}) {
    window = StartInteractive(job, dialogs, settings, {}, stockFile);
    auto* splash = window->findChild<frmSplash*>();
    if (splash == nullptr) return false;
    QTest::mouseClick(splash->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    return QTest::qWaitForWindowActive(window.get());
  }

  // Writes the rows given to job.stk and job.cut, then shows the window.
  bool OpenWith(const QStringList& stockRows, const QStringList& cutRows = {}) {
    if (!stockRows.isEmpty()) WriteFile(QStringLiteral("job.stk"), StockFile(stockRows));
    if (!cutRows.isEmpty()) WriteFile(QStringLiteral("job.cut"), CutFile(cutRows));
    return Open();
  }

  QString Path(const QString& name) const { return dir_.filePath(name); }

  void WriteFile(const QString& name, const QString& content) const {
    QFile file(Path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(content.toLatin1());
  }
  QString ReadFile(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
  }

  template <typename Widget>
  Widget* Get(const char* name) const {
    return window->findChild<Widget*>(QString::fromLatin1(name));
  }

  // Clicks into the field (which may empty it), clears what is left and
  // types the text.
  void Type(const char* field, const QString& text) const {
    auto* edit = Get<QLineEdit>(field);
    QTest::mouseClick(edit, Qt::LeftButton);
    if (!edit->text().isEmpty()) {
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(edit, Qt::Key_Backspace);
    }
    QTest::keyClicks(edit, text);
  }
  // Fills a row's entry fields in the order a user goes through them.
  void TypeStock(const QString& length, const QString& quantity) const {
    Type("TxtStockLength", length);
    Type("txtStockQty", quantity);
  }
  void TypeCut(const QString& quantity, const QString& length, const QString& mark) const {
    Type("txtCutQty", quantity);
    Type("txtCutLength", length);
    Type("txtDescrCut", mark);
  }
  void Enter(const char* field) const { QTest::keyClick(Get<QLineEdit>(field), Qt::Key_Return); }
  void Click(const char* button) const {
    QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton);
  }

  // Clicks on a line of a list box.
  void Choose(const char* list, int row) const {
    auto* box = Get<QListWidget>(list);
    box->scrollToItem(box->item(row));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {},
                      box->visualItemRect(box->item(row)).center());
  }

  QStringList Lines(const char* list) const {
    QStringList lines;
    auto* box = Get<QListWidget>(list);
    for (int i = 0; i < box->count(); ++i) lines.append(box->item(i)->text());
    return lines;
  }
  int Selected(const char* list) const {
    const QList<QListWidgetItem*> items = Get<QListWidget>(list)->selectedItems();
    return items.isEmpty() ? -1 : Get<QListWidget>(list)->row(items.front());
  }
  QString Text(const char* field) const { return Get<QLineEdit>(field)->text(); }
  QString Status() const { return Get<QLabel>("StatusBar1")->text(); }
  QComboBox* MaterialBox() const { return Get<QComboBox>("cboSection"); }
  QColor MaterialColour() const {
    return MaterialBox()->lineEdit()->palette().color(QPalette::Base);
  }

  JobState job;
  ScriptedDialogs dialogs;
  UserSettingsStore settings;
  std::unique_ptr<frmMain> window;

 private:
  static CuttingRunOutcome NoRun(JobState&, Frontend&, int) { return CuttingRunOutcome::NoStock; }

  QTemporaryDir dir_;
  frmMain::CuttingRunner runner_;
};
