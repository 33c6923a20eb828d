#include <QAction>
#include <QApplication>
#include <QDir>

#include "core/ui_texts.h"
#include "main_window_fixture.h"

namespace {

// Runs a command by its menu item or by its shortcut, as a user would.
enum class Start { Menu, Shortcut };

void Run(const MainWindowFixture& w, const char* item, Start start) {
  auto* action = w.window->findChild<QAction*>(QString::fromLatin1(item));
  QVERIFY(action);
  if (start == Start::Menu) {
    action->trigger();
  } else {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w.window.get();
    QTest::keySequence(target, action->shortcut());
  }
}

}  // namespace

class MainWindowFileTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { UseHomeForSettings(home); }
  void init() {
    QFile::remove(SettingsFile());
    w = std::make_unique<MainWindowFixture>();
    QVERIFY(w->OpenWith({"W8X31,A1,2,20"}, {"P1,W8X31,3,5"}));
  }
  void cleanup() { w.reset(); }

  void openDerivesTheJobNames_data() {
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("start");
    QTest::newRow("stock file, menu") << QStringLiteral("Tower.stk") << "Tower" << int(Start::Menu);
    QTest::newRow("text pick, shortcut")
        << QStringLiteral("Tower.txt") << "Tower" << int(Start::Shortcut);
    QTest::newRow("folder with a point")
        << QStringLiteral("Rev.2/Tower") << "Rev.2/Tower" << int(Start::Menu);
  }
  void openDerivesTheJobNames() {
    QFETCH(QString, picked);
    QFETCH(QString, base);
    QFETCH(int, start);
    QDir().mkpath(w->Path("Rev.2"));
    w->WriteFile(base + ".stk", StockFile({"W8X31,,1,30", "W8X31,,1,40", "W6X9,,1,10"}));
    w->WriteFile(base + ".cut", CutFile({"Q,W8X31,2,7"}));
    w->dialogs.openFileAnswer = w->Path(picked);
    Run(*w, "mnuFileOpen", static_cast<Start>(start));

    QCOMPARE(w->dialogs.openDialogs.size(), 1u);
    const auto& dialog = w->dialogs.openDialogs.front();
    QCOMPARE(dialog.start, w->Path(QString()) + QLatin1Char('/'));
    const QString fullBase = w->Path(base);
    QCOMPARE(QString::fromStdString(w->job.filename), fullBase);
    QCOMPARE(QString::fromStdString(w->job.stock_filename), fullBase + ".stk");
    QCOMPARE(QString::fromStdString(w->job.cut_filename), fullBase + ".cut");
    QCOMPARE(QString::fromStdString(w->job.export_filename), fullBase + "_cutlist.txt");
    QCOMPARE(w->job.stockCount, 2);
    QCOMPARE(w->job.pieceCount, 2);
    QCOMPARE(w->Lines("LstStock").size(), 2);
    QCOMPARE(w->MaterialBox()->count(), 2);
    QCOMPARE(w->MaterialBox()->currentText(), QStringLiteral("W8X31"));
  }

  void cancelledDialogsChangeNothing() {
    const std::string stock = w->job.stock_filename;
    const std::string cut = w->job.cut_filename;
    // A double click on the stock file name opens too.
    QTest::mouseDClick(w->Get<QLineEdit>("txtStockFileName"), Qt::LeftButton);
    Run(*w, "mnuFileSaveAs", Start::Menu);
    Run(*w, "mnuWinEst", Start::Shortcut);
    Run(*w, "mnuKISS", Start::Menu);
    QCOMPARE(w->job.stock_filename, stock);
    QCOMPARE(w->job.cut_filename, cut);
    QCOMPARE(w->job.stockCount, 1);
    QCOMPARE(w->dialogs.saveDialogs.size(), 1u);
    QCOMPARE(w->dialogs.openDialogs.size(), 3u);
  }

  void saveAsNamesAndWritesTheJob_data() {
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("base");
    QTest::newRow("text pick") << QStringLiteral("Bridge.txt") << "Bridge";
    QTest::newRow("no extension") << QStringLiteral("Tower") << "Tower";
    QTest::newRow("stock pick") << QStringLiteral("Mill.stk") << "Mill";
    QTest::newRow("folder with a point") << QStringLiteral("Rev.2/Bridge") << "Rev.2/Bridge";
  }
  void saveAsNamesAndWritesTheJob() {
    QFETCH(QString, picked);
    QFETCH(QString, base);
    QDir().mkpath(w->Path(QStringLiteral("Rev.2")));
    w->dialogs.saveFileAnswer = w->Path(picked);
    Run(*w, "mnuFileSaveAs", Start::Menu);

    QCOMPARE(w->dialogs.saveDialogs.front().start, w->Path(QStringLiteral("job.stk")));
    // The stock file always gets the ".stk" that Open reads.
    QCOMPARE(QString::fromStdString(w->job.stock_filename), w->Path(base + ".stk"));
    QCOMPARE(QString::fromStdString(w->job.cut_filename), w->Path(base + ".cut"));
    QCOMPARE(QString::fromStdString(w->job.export_filename), w->Path(base + "_cutlist.txt"));
    QVERIFY(w->ReadFile(base + ".stk").contains(QStringLiteral("W8X31")));
    QVERIFY(w->ReadFile(base + ".cut").contains(QStringLiteral("P1")));
    QCOMPARE(w->Status(), QStringLiteral("File : ") + w->Path(base));
    QCOMPARE(w->Text("txtStockFileName"), w->Path(base + ".stk"));
    QVERIFY(!w->job.dataChanged);
  }

  void saveWritesBothFilesOnlyWithACutFileName() {
    QFile::remove(w->Path("job.stk"));
    QFile::remove(w->Path("job.cut"));
    Run(*w, "mnuFileSave", Start::Shortcut);
    QVERIFY(w->ReadFile("job.stk").contains("W8X31,A1,2,20"));
    QVERIFY(w->ReadFile("job.cut").contains("P1"));

    QFile::remove(w->Path("job.stk"));
    w->job.cut_filename.clear();
    Run(*w, "mnuFileSave", Start::Menu);
    QVERIFY(!QFile::exists(w->Path("job.stk")));
  }

  // Save keeps what the read did not load: a line without four fields where
  // it stood, a row not loaded after the loaded ones; the user is told once,
  // when the files are read. Cut rows never go into a file named like a
  // stock file.
  void saveKeepsWhatWasNotLoaded() {
    w = std::make_unique<MainWindowFixture>();
    const QStringList stock = {"W8X31,A1,2,20", "W8X31,A14,2,30,note", "L3,B3,6,20"};
    QVERIFY(w->OpenWith(stock, {"N1,W8X31,1e400,5", "P1,W8X31,3,5"}));
    Run(*w, "mnuFileSave", Start::Menu);
    Run(*w, "mnuFileSave", Start::Shortcut);
    QCOMPARE(w->ReadFile("job.stk"), StockFile(stock));
    QCOMPARE(w->ReadFile("job.cut"), CutFile({"P1,W8X31,3,5", "N1,W8X31,1e400,5"}));
    QCOMPARE(
        w->dialogs.MessageTexts(),
        (QStringList{
            w->Path("job.stk") + ": 1 line(s) do not hold four fields; they were not read and are "
                                 "kept in the file unchanged.",
            w->Path("job.cut") + ": 1 row(s) of W8X31 were not loaded; they are kept in the file "
                                 "unchanged."}));
    w->job.cut_filename = w->Path("job.STK").toStdString();
    Run(*w, "mnuFileSave", Start::Menu);
    QCOMPARE(w->dialogs.MessageTexts().last(), QStringLiteral("hold on error 1"));
    QVERIFY(!QFile::exists(w->Path("job.STK")));
  }

  void newStartsAnEmptyJobInTheDataFolder() {
    Run(*w, "mnuNew", Start::Shortcut);
    const QString folder = home.filePath(QStringLiteral("BRX"));
    QCOMPARE(QString::fromStdString(w->job.filename), folder);
    QCOMPARE(QString::fromStdString(w->job.stock_filename), folder + "/MyStock.stk");
    QCOMPARE(QString::fromStdString(w->job.cut_filename), folder + "/MyCuts.cut");
    QCOMPARE(w->job.matl, std::string());
    QCOMPARE(w->MaterialBox()->lineEdit()->placeholderText(),
             QString::fromLatin1(texts::kNewJobMaterial));
    for (const char* field :
         {"TxtStockLength", "txtStockQty", "txtBin", "txtCutQty", "txtCutLength", "txtDescrCut"}) {
      QCOMPARE(w->Text(field), QString());
    }
    QCOMPARE(w->job.stockCount, 0);
    QCOMPARE(w->job.pieceCount, 0);
    QVERIFY(w->Lines("LstStock").isEmpty());
    QVERIFY(w->Lines("LstCut").isEmpty());
    QCOMPARE(w->MaterialBox()->count(), 0);
    QCOMPARE(w->MaterialBox()->currentText(), QString());
    QCOMPARE(w->Text("txtStockFileName"), folder + "/MyStock.stk");
  }

  // Every command that would drop unsaved edits asks first: closing the
  // question, or cancelling the Save As that Yes starts, ends the command;
  // No goes on.
  void saveQuestionGuardsEveryCommand_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goesOn");
    for (const char* item : {"mnuNew", "mnuFileOpen", "mnuKISS", "mnuWinEst", "mnuFileExit"}) {
      QTest::addRow("%s closed", item) << item << int(Answer::Cancel) << false;
      QTest::addRow("%s yes, save cancelled", item) << item << int(Answer::Yes) << false;
      QTest::addRow("%s no", item) << item << int(Answer::No) << true;
    }
  }
  void saveQuestionGuardsEveryCommand() {
    QFETCH(QString, item);
    QFETCH(int, answer);
    QFETCH(bool, goesOn);
    w->job.dataChanged = true;
    w->dialogs.answers = {static_cast<Answer>(answer)};
    Run(*w, item.toLatin1().constData(), Start::Menu);
    QCOMPARE(w->dialogs.questions.size(), 1u);
    QCOMPARE(w->dialogs.questions.front().text, QStringLiteral("Save Changes ?"));
    const bool wentOn = item == QLatin1String("mnuNew")        ? w->job.stockCount == 0
                        : item == QLatin1String("mnuFileExit") ? !w->window->isVisible()
                                                               : !w->dialogs.openDialogs.empty();
    QCOMPARE(wentOn, goesOn);
    QCOMPARE(QFile::exists(SettingsFile()), goesOn && item == QLatin1String("mnuFileExit"));
  }

  void exitWithoutEditsSavesTheSettingsAndCloses() {
    w->Click("btnExit");
    QVERIFY(w->dialogs.questions.empty());
    QVERIFY(!w->window->isVisible());
    QVERIFY(QFile::exists(SettingsFile()));
  }

  void closeBoxAsksAboutEditsButNeverSavesSettings_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("no") << int(Answer::No) << true;
    QTest::newRow("closed") << int(Answer::Cancel) << false;
    QTest::newRow("yes, save cancelled") << int(Answer::Yes) << false;
  }
  void closeBoxAsksAboutEditsButNeverSavesSettings() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    w->job.dataChanged = true;
    w->dialogs.answers = {static_cast<Answer>(answer)};
    w->window->close();
    QCOMPARE(w->dialogs.questions.size(), 1u);
    QCOMPARE(!w->window->isVisible(), closes);
    QVERIFY(!QFile::exists(SettingsFile()));
  }

 private:
  QString SettingsFile() const { return home.filePath(QStringLiteral("config/Brx/Brx.ini")); }

  QTemporaryDir home;
  std::unique_ptr<MainWindowFixture> w;
};

QTEST_MAIN(MainWindowFileTest)
#include "main_window_file_test.moc"
