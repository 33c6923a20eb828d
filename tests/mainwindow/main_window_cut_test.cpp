#include "main_window_fixture.h"

class MainWindowCutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w = std::make_unique<MainWindowFixture>(); }
  void cleanup() { w.reset(); }

  void addingRowsByTypingAndEnter() {
    QVERIFY(w->Open());
    w->TypeCut("2.5", "10600", "  A1  ");
    w->Enter("txtDescrCut");
    QCOMPARE(w->job.cuts[0].length, 1.5);
    QCOMPARE(w->Lines("LstCut"), QStringList{"   2 pcs.            A1 @             1'-6\""});
    QCOMPARE(w->Status(), QStringLiteral(" 1 cut list items for a total of  2 cut pieces"));
    QCOMPARE(w->Selected("LstCut"), 0);

    w->TypeCut("12", "610", "B1");
    w->Enter("txtCutQty");
    QCOMPARE(w->Lines("LstCut").last(),
             QStringLiteral("  12 pcs.            B1 @            6 5/8\""));
    QCOMPARE(w->Selected("LstCut"), 1);
    QCOMPARE(w->Text("txtCutQty"), QStringLiteral("  12"));
    QCOMPARE(w->Text("txtCutLength"), QStringLiteral("6 5/8\""));
    QCOMPARE(w->Status(), QStringLiteral(" 2 cut list items for a total of  14 cut pieces"));
    QVERIFY(w->Get<QLineEdit>("txtCutQty")->hasFocus());
    QVERIFY(w->dialogs.messages.empty());
  }

  void refusedRows() {
    QVERIFY(w->Open());
    w->TypeCut("3", "10000", "");
    w->Click("btnAddCut");
    QCOMPARE(w->dialogs.MessageTexts(), QStringList{"Please enter a description or mark."});

    w->Type("txtDescrCut", "A");
    w->Type("txtCutQty", "1500.4");
    w->Click("btnAddCut");
    QCOMPARE(w->dialogs.MessageTexts().last(),
             QStringLiteral("Maximum cuts for a single line item is:  1500"));
    QCOMPARE(w->dialogs.messages.back().icon, MessageIcon::Information);
    QCOMPARE(w->dialogs.messages.back().title, QStringLiteral("Brx"));

    const struct {
      const char* quantity;
      const char* length;
      const char* message;
    } refused[] = {
        {"abc", "10000", "Cut quantity \"abc\" is not a quantity of 1 or more."},
        {"-3", "10000", "Cut quantity \"-3\" is not a quantity of 1 or more."},
        {"3", "1O000", "Cut length \"1O000\" is not a length greater than 0 in the current unit."},
        {"3", "6 5/7\"",
         "Cut length \"6 5/7\"\" is not a length greater than 0 in the current unit."},
    };
    for (const auto& entry : refused) {
      w->Type("txtCutQty", entry.quantity);
      w->Type("txtCutLength", entry.length);
      w->Click("btnAddCut");
      QCOMPARE(w->dialogs.MessageTexts().last(), QString::fromLatin1(entry.message));
      QCOMPARE(w->Text("txtCutLength"), QString::fromLatin1(entry.length));
    }
    QCOMPARE(w->Status(), QStringLiteral("Enter cut data"));
    QCOMPARE(w->job.cutCount, 0);
  }

  void piecesBeyondTwoThousandAreRefusedByAddAndChange() {
    QStringList rows;
    for (int i = 0; i < 199; ++i) rows.append(QStringLiteral("M%1,W8X31,10,%2").arg(i).arg(i + 1));
    QVERIFY(w->OpenWith({}, rows));
    QCOMPARE(w->job.pieceCount, 1990);
    const QString capacity = QStringLiteral(
        "The cut list can hold at most 2000 pieces in all; this line would go beyond that.");

    w->TypeCut("11", "10000", "X");
    w->Enter("txtDescrCut");
    QCOMPARE(w->dialogs.MessageTexts(), QStringList{capacity});
    QCOMPARE(w->job.cutCount, 199);

    w->Type("txtCutQty", "10");
    w->Enter("txtCutQty");
    QCOMPARE(w->job.pieceCount, 2000);
    QCOMPARE(w->Lines("LstCut").size(), 200);

    w->Choose("LstCut", 199);
    w->Type("txtCutQty", "11");
    w->Click("btnChangeCut");
    QCOMPARE(w->dialogs.MessageTexts().last(), capacity);
    QCOMPARE(w->job.pieceCount, 2000);
    QCOMPARE(w->job.cuts[199].quantity, 10);
  }

  void theThousandAndFirstRowIsRefused() {
    QStringList rows;
    for (int i = 0; i < 1000; ++i) rows.append(QStringLiteral("M%1,W8X31,1,%2").arg(i).arg(i + 1));
    QVERIFY(w->OpenWith({}, rows));
    w->TypeCut("1", "10000", "X");
    w->Click("btnAddCut");
    QCOMPARE(w->dialogs.MessageTexts(),
             QStringList{"The cut list is full: it holds at most 1000 line items."});
    QCOMPARE(w->job.cutCount, 1000);
  }

  void changingTheLastRowKeepsItsLengthAndTypedMark() {
    QVERIFY(w->OpenWith({}, {"A,W8X31,2,3.3", "B,W8X31,4,1.1"}));
    // With nothing selected Change does nothing, and says nothing.
    w->Type("txtCutQty", "6");
    w->Click("btnChangeCut");
    QCOMPARE(w->job.cuts[0].quantity, 2);
    QVERIFY(w->dialogs.messages.empty());

    w->Choose("LstCut", 1);
    QCOMPARE(w->Text("txtCutQty"), QStringLiteral("   4"));
    QCOMPARE(w->Text("txtDescrCut"), QStringLiteral("B"));
    w->Type("txtCutQty", "6");
    w->Type("txtDescrCut", " B2 ");
    w->Click("btnChangeCut");
    QCOMPARE(w->job.cuts[1].length, 1.1);
    QCOMPARE(w->job.cuts[1].quantity, 6);
    QCOMPARE(w->job.cuts[1].mark, std::string(" B2 "));
    QCOMPARE(w->job.pieceCount, 8);
    QCOMPARE(w->Selected("LstCut"), 1);
  }

  void deleteSelectsTheRowAboveOrRemovesTheLast() {
    QVERIFY(w->OpenWith(
        {}, {"A,W8X31,1,5", "B,W8X31,2,4", "C,W8X31,3,3", "D,W8X31,4,2", "E,W8X31,5,1"}));
    w->Choose("LstCut", 2);
    w->Click("btnDelCut");
    QCOMPARE(w->job.cutCount, 4);
    QCOMPARE(w->job.pieceCount, 12);
    QCOMPARE(w->job.cuts[2].mark, std::string("D"));
    QCOMPARE(w->Selected("LstCut"), 1);
    QCOMPARE(w->Text("txtDescrCut"), QStringLiteral("B"));

    w->Get<QListWidget>("LstCut")->clearSelection();
    w->Click("btnDelCut");
    QCOMPARE(w->job.cutCount, 3);
    QCOMPARE(w->job.cuts[2].mark, std::string("D"));
    QCOMPARE(w->job.pieceCount, 7);
    QCOMPARE(w->Selected("LstCut"), 2);

    w->Choose("LstCut", 1);
    w->Click("btnDelCut");
    QCOMPARE(w->Selected("LstCut"), -1);
    QCOMPARE(w->Lines("LstCut").size(), 2);
    QVERIFY(w->job.dataChanged);

    // Delete goes on to the last row, and on an empty list does nothing.
    for (int i = 0; i < 3; ++i) w->Click("btnDelCut");
    QVERIFY(w->Lines("LstCut").isEmpty());
    QCOMPARE(w->job.cutCount, 0);
    QCOMPARE(w->job.pieceCount, 0);
  }

  void accessKeyAddsInTheFrameThatHasTheFocus() {
    QVERIFY(w->Open());
    w->TypeCut("1", "20000", "K");
    QTest::keyClick(w->Get<QLineEdit>("txtDescrCut"), Qt::Key_A, Qt::AltModifier);
    QTRY_COMPARE(w->job.cutCount, 1);
    QCOMPARE(w->job.stockCount, 0);
  }

 private:
  std::unique_ptr<MainWindowFixture> w;
};

QTEST_MAIN(MainWindowCutTest)
#include "main_window_cut_test.moc"
