// A user across restarts: each session starts through the start-up code that
// main runs, on one settings store and one data folder, acts as a user does
// and ends with File > Exit; the next session shows what the user left.
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QRadioButton>

#include "app/single_instance.h"
#include "core/ui_texts.h"
#include "main_window_fixture.h"
#include "mainwindow/settings_dialog.h"
#include "mainwindow/settings_texts.h"
#include "mainwindow/window_texts.h"
#include "support/scoped_environment.h"

namespace {

// Points the settings store and the user data folder into a folder of its
// own and puts the environment back when it ends.
class AccountScope {
 public:
  AccountScope() {
    environment_.Set("XDG_CONFIG_HOME", home_.filePath(QStringLiteral("config")).toStdString());
    environment_.Set("USERPROFILE", home_.path().toStdString());
    environment_.Set("XDG_RUNTIME_DIR", home_.path().toStdString());  // a folder of mode 700
  }
  QString DataFile(const QString& name) const { return home_.filePath("BRX/" + name); }
  QString Path(const QString& name) const { return home_.filePath(name); }

 private:
  QTemporaryDir home_;
  ScopedEnvironment environment_;
};

void Trigger(const MainWindowFixture& w, const char* action) { w.Get<QAction>(action)->trigger(); }

void TypeMaterial(const MainWindowFixture& w, const QString& material) {
  QLineEdit* box = w.MaterialBox()->lineEdit();
  QTest::mouseClick(box, Qt::LeftButton);
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, material);
}

// Two stock rows and two cut rows of W8X31, typed as a user types them.
void EnterJob(const MainWindowFixture& w) {
  TypeMaterial(w, QStringLiteral("W8X31"));
  w.TypeStock(QStringLiteral("400000"), QStringLiteral("3"));
  w.Type("txtBin", QStringLiteral("A14"));
  w.Click("btnAddStock");
  w.TypeStock(QStringLiteral("200000"), QStringLiteral("0"));
  w.Type("txtBin", QString());
  w.Click("btnAddStock");
  w.TypeCut(QStringLiteral("4"), QStringLiteral("90600"), QStringLiteral("B1"));
  w.Click("btnAddCut");
  w.TypeCut(QStringLiteral("2"), QStringLiteral("120610"), QStringLiteral("C2"));
  w.Click("btnAddCut");
}

// What the user sees of the job.
QStringList Shown(const MainWindowFixture& w) {
  return QStringList{w.MaterialBox()->currentText(), w.Text("txtStockFileName")} +
         w.Lines("LstStock") + w.Lines("LstCut");
}

// Ends the session as a user does: File > Exit, answering any question.
void End(std::unique_ptr<MainWindowFixture>& w) {
  Trigger(*w, "mnuFileExit");
  QVERIFY(!w->window->isVisible());
  w.reset();
}

frmSettings* OpenSettings(const MainWindowFixture& w) {
  QTest::mouseDClick(w.Get<QLineEdit>("txtKerf"), Qt::LeftButton);
  return w.window->findChild<frmSettings*>();
}

void WriteText(const QString& path, const QString& text) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text.toLatin1());
}

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// Sends one request to the running copy's socket as any process could.
void Send(const QString& socketPath, const QByteArray& request) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  QVERIFY(socket.waitForConnected(1000));
  socket.write(request);
  QVERIFY(socket.waitForBytesWritten(1000));
  socket.disconnectFromServer();
}

}  // namespace

class StartJourneyTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    account = std::make_unique<AccountScope>();
    w = std::make_unique<MainWindowFixture>();
  }
  void cleanup() {
    w.reset();
    account.reset();
  }

  // A fresh account enters a job and cuts it (or saves it, or saves it
  // under a name without an extension); every later start opens that job.
  void theJobLeftIsTheJobOpened_data() {
    QTest::addColumn<QString>("ending");
    QTest::newRow("fresh account, Cut") << QStringLiteral("cut");
    QTest::newRow("default job, Save") << QStringLiteral("save");
    QTest::newRow("named job, Save As") << QStringLiteral("Tower");
  }
  void theJobLeftIsTheJobOpened() {
    QFETCH(QString, ending);
    QVERIFY(w->Start());
    QCOMPARE(w->MaterialBox()->currentText(), QString());
    QCOMPARE(w->MaterialBox()->lineEdit()->placeholderText(),
             QString::fromLatin1(texts::kNewJobMaterial));
    EnterJob(*w);
    QString stockFile = account->DataFile("MyStock.stk");
    if (ending == QLatin1String("cut")) {
      w->Click("btnCut");
      QVERIFY(QFile::exists(account->DataFile("MyStock.bxl")));
    } else if (ending == QLatin1String("save")) {
      Trigger(*w, "mnuFileSave");
    } else {
      w->dialogs.saveFileAnswer = account->Path(ending);
      Trigger(*w, "mnuFileSaveAs");
      stockFile = account->Path(ending + ".stk");
    }
    QCOMPARE(w->Text("txtStockFileName"), stockFile);
    const QStringList left = Shown(*w);
    QCOMPARE(left.size(), 6);
    End(w);

    w = std::make_unique<MainWindowFixture>();
    QVERIFY(w->Start());
    QCOMPARE(Shown(*w), left);
    QVERIFY(w->dialogs.questions.empty());
    End(w);
    // A job saved under a name opens again with Open.
    w = std::make_unique<MainWindowFixture>();
    QVERIFY(w->Start());
    Trigger(*w, "mnuNew");
    QVERIFY(w->Lines("LstStock").isEmpty());
    w->dialogs.openFileAnswer = stockFile;
    Trigger(*w, "mnuFileOpen");
    TypeMaterial(*w, QStringLiteral("W8X31"));
    QCOMPARE(Shown(*w), left);
  }

  // brx FILE.stk opens that job as File Open would; a name that is not a
  // regular file is said so and the last job opens.
  void aStockFileGivenOpensItsJob_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");
    QTest::newRow("stock file") << QStringLiteral("Tower.stk") << QString();
    QTest::newRow("missing") << QStringLiteral("Gone.stk") << QStringLiteral(" does not exist");
    QTest::newRow("folder") << QStringLiteral("Dir.stk")
                            << QStringLiteral(" is not a regular file");
  }
  void aStockFileGivenOpensItsJob() {
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QVERIFY(w->Start());
    EnterJob(*w);
    Trigger(*w, "mnuFileSave");
    const QStringList last = Shown(*w);
    End(w);
    QDir().mkpath(account->Path(QStringLiteral("Dir.stk")));
    WriteText(account->Path(QStringLiteral("Tower.stk")), StockFile({"W8X31,T1,2,300000"}));
    WriteText(account->Path(QStringLiteral("Tower.cut")), CutFile({"T9,W8X31,5,80000"}));

    w = std::make_unique<MainWindowFixture>();
    const QString path = account->Path(name);
    QVERIFY(w->Start(path.toStdString()));
    if (!problem.isEmpty()) {
      QCOMPARE(w->dialogs.MessageTexts(),
               QStringList{QString::fromLatin1(texts::kJobFileText) + path + problem});
      QCOMPARE(Shown(*w), last);
      return;
    }
    QVERIFY(w->dialogs.messages.empty());
    QCOMPARE(w->Text("txtStockFileName"), path);
    QCOMPARE(w->Lines("LstStock").size(), 1);
    QCOMPARE(w->Lines("LstCut").size(), 1);
    QVERIFY(w->Lines("LstCut")[0].contains(QStringLiteral("T9")));
    QCOMPARE(w->job.cut_filename, account->Path(QStringLiteral("Tower.cut")).toStdString());
    // The job opened is the job saved: an edit and Save write Tower's files.
    w->TypeCut(QStringLiteral("1"), QStringLiteral("50000"), QStringLiteral("T10"));
    w->Click("btnAddCut");
    Trigger(*w, "mnuFileSave");
    QVERIFY(ReadText(account->Path(QStringLiteral("Tower.cut"))).contains(QStringLiteral("T10")));
  }

  // The running copy's socket is the user's alone and takes only a
  // well-formed request: hostile ones change nothing, and a second brx given
  // a stock file hands it over, which asks about unsaved edits first.
  void aSecondCopyHandsItsFileOver() {
    QVERIFY(w->Start());
    SingleInstance instance(SingleInstance::PrivateFolder());
    QVERIFY(instance.TryAcquire());
    ListenForHandOver(instance, *w->window);
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(instance.SocketPath()).constData(), &info), 0);
    QVERIFY(S_ISSOCK(info.st_mode) && (info.st_mode & 077) == 0);

    EnterJob(*w);
    const QStringList edited = Shown(*w);
    const QString tower = account->Path(QStringLiteral("Tower.stk"));
    WriteText(tower, StockFile({"W8X31,T1,2,300000"}));
    WriteText(account->Path(QStringLiteral("Tower.cut")), CutFile({"T9,W8X31,5,80000"}));
    QDir().mkpath(account->Path(QStringLiteral("Dir.stk")));
    // Each names a real file, but not as one well-formed request.
    const QByteArray path = tower.toLocal8Bit();
    const QByteArray overlong = QByteArray(SingleInstance::kMaxHandOverPath, '/') + path + '\n';
    for (const QByteArray& request :
         {QByteArray("\x01\xff garbage \0 " + path), path, path + "\n" + path + "\n",
          QByteArray("Tower.stk\n"), overlong, account->Path("Dir.stk").toLocal8Bit() + '\n',
          path + "\r\n"}) {
      Send(instance.SocketPath(), request);
    }
    QTest::qWait(500);
    QCOMPARE(Shown(*w), edited);
    QVERIFY(w->job.dataChanged);
    QVERIFY(w->dialogs.questions.empty() && w->dialogs.messages.empty());

    // The real program, started as a file manager starts it.
    w->dialogs.answers = {Answer::No};
    QProcess second;
    second.setWorkingDirectory(account->Path(QString()));
    second.start(QStringLiteral(BRX_EXECUTABLE), {QStringLiteral("Tower.stk")});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(w->Text("txtStockFileName"), tower);
    QCOMPARE(w->dialogs.questions.size(), 1u);
    QCOMPARE(w->dialogs.questions[0].text, QString::fromLatin1(texts::kSaveChanges));
    QVERIFY(w->Lines("LstCut").join(' ').contains(QStringLiteral("T9")));
    QVERIFY(w->dialogs.messages.empty());
  }

  // Without a private runtime folder the lock and socket go to a folder of
  // mode 700 of the user's own.
  void anOpenRuntimeFolderIsNotUsed() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadOther | QFile::ExeOther));
    const QString folder = SingleInstance::PrivateFolder();
    QVERIFY(!folder.isEmpty() && folder != runtime);
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0700u);
    QCOMPARE(info.st_uid, getuid());
  }

  // Restore Defaults with unsaved edits asks first; each answer keeps its
  // promise.
  void restoreDefaultsAsksAboutUnsavedEdits_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes saves") << int(Answer::Yes);
    QTest::newRow("No discards") << int(Answer::No);
    QTest::newRow("Cancel keeps everything") << int(Answer::Cancel);
  }
  void restoreDefaultsAsksAboutUnsavedEdits() {
    QFETCH(int, answer);
    QVERIFY(w->Start());
    EnterJob(*w);
    w->job.kerf = "0.125";
    const QStringList edited = Shown(*w);
    w->dialogs.answers = {static_cast<Answer>(answer)};
    w->dialogs.saveFileAnswer = account->Path("Kept");
    frmSettings* dialog = OpenSettings(*w);
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnClearSettings"), Qt::LeftButton);
    QCOMPARE(w->dialogs.questions.size(), 1u);
    QCOMPARE(w->dialogs.questions[0].text, QString::fromLatin1(texts::kSaveChanges));

    if (static_cast<Answer>(answer) == Answer::Cancel) {
      QCOMPARE(Shown(*w), edited);
      QCOMPARE(w->job.kerf, std::string("0.125"));
      QVERIFY(w->job.dataChanged);
      return;
    }
    QCOMPARE(w->job.kerf, std::string("0.0"));
    QCOMPARE(w->MaterialBox()->currentText(), QString());
    QVERIFY(w->Lines("LstStock").isEmpty() && w->Lines("LstCut").isEmpty());
    QCOMPARE(QFile::exists(account->Path("Kept.stk")), answer == int(Answer::Yes));
    End(w);
    w = std::make_unique<MainWindowFixture>();
    QVERIFY(w->Start());
    QCOMPARE(w->Text("txtStockFileName"), account->DataFile("MyStock.stk"));
    if (answer == int(Answer::Yes)) {
      w->dialogs.openFileAnswer = account->Path("Kept.stk");
      Trigger(*w, "mnuFileOpen");
      TypeMaterial(*w, QStringLiteral("W8X31"));
      QCOMPARE(Shown(*w).mid(2), edited.mid(2));
    }
  }

  // A unit change with rows in the lists asks, as the lengths stay numbers
  // in the unit they were typed in.
  void aUnitChangeWithRowsAsks_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("answer");
    for (const char* option : {"chkMetric", "chkinches"}) {
      QTest::addRow("%s, Yes", option) << QString::fromLatin1(option) << int(Answer::Yes);
      QTest::addRow("%s, No", option) << QString::fromLatin1(option) << int(Answer::No);
    }
  }
  void aUnitChangeWithRowsAsks() {
    QFETCH(QString, option);
    QFETCH(int, answer);
    const bool yes = answer == int(Answer::Yes);
    QVERIFY(w->Start());
    EnterJob(*w);
    const QStringList feetInch = w->Lines("LstStock");
    w->dialogs.answers = {static_cast<Answer>(answer)};
    frmSettings* dialog = OpenSettings(*w);
    auto* button = dialog->findChild<QAbstractButton*>(option);
    button->click();
    QCOMPARE(w->dialogs.questions.size(), 1u);
    QCOMPARE(w->dialogs.questions[0].text, QString::fromLatin1(texts::kUnitChangeQuestion));
    QCOMPARE(button->isChecked(), yes);
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QCOMPARE(w->Lines("LstStock") == feetInch, !yes);
    const bool metric = option == QLatin1String("chkMetric");
    QCOMPARE(w->job.unit_flag, std::string(yes && metric ? "1" : "0"));
    QCOMPARE(w->job.inchOnlyFlag, std::string(yes && !metric ? "1" : "0"));
  }

  // A KISS file imported, a material chosen, stock entered and cut.
  void anImportIsCut() {
    QVERIFY(w->Start());
    QFile kiss(account->Path("bridge.kss"));
    QVERIFY(kiss.open(QIODevice::WriteOnly));
    kiss.write(
        "KISS,1.0,Detailer,Model,03/14/2024\r\n"
        "D,B1,2,B1,p1,2,W,8X31,A992,6096.00,,W8X31\r\n"
        "D,B2,1,B2,p2,3,W,8X31,A992,3048.00,,W8X31\r\n"
        "D,C3,1,C3,p3,1,L,3X3X1/4,A36,914.40,,L3X3X1/4\r\n");
    kiss.close();
    w->dialogs.openFileAnswer = kiss.fileName();
    Trigger(*w, "mnuKISS");
    const QString cutFile = account->Path("bridge.cut");
    QCOMPARE(w->Text("txtStockFileName"), account->Path("bridge.stk"));
    const int materials = w->MaterialBox()->count();
    QVERIFY(materials >= 2);
    QCOMPARE(w->Status(), texts::kImported + QStringLiteral("3") + texts::kImportedRowsOf +
                              QString::number(materials) + texts::kImportedMaterialsInto + cutFile +
                              texts::kChooseMaterial);

    QComboBox* box = w->MaterialBox();
    box->setCurrentIndex(0);
    emit box->activated(0);
    QVERIFY(!w->Lines("LstCut").isEmpty());
    w->TypeStock(QStringLiteral("400000"), QStringLiteral("5"));
    w->Click("btnAddStock");
    w->Click("btnCut");
    QFile report(QString::fromStdString(w->job.reportFileName));
    QVERIFY(report.open(QIODevice::ReadOnly));
    QVERIFY(report.readAll().contains("B1"));
  }

 private:
  std::unique_ptr<AccountScope> account;
  std::unique_ptr<MainWindowFixture> w;
};

QTEST_MAIN(StartJourneyTest)
#include "start_journey_test.moc"
