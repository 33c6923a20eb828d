#include <QGroupBox>

#include "jobfiles/stock_file.h"
#include "main_window_fixture.h"

class MainWindowStockTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { w = std::make_unique<MainWindowFixture>(); }
  void cleanup() { w.reset(); }

  void addingRowsByTypingAndEnter() {
    QVERIFY(w->Open());
    w->TypeStock("200000", "0");
    w->Type("txtBin", "  R7  ");
    w->Enter("txtBin");
    QCOMPARE(w->job.stockCount, 1);
    QCOMPARE(w->Lines("LstStock"), QStringList{"   0 pcs          R7 @           20'-0\""});
    QCOMPARE(w->Status(), QStringLiteral(" 1 stock items"));
    // The row just added is highlighted and shown, its bin included, so
    // Change right after Add keeps the bin.
    QCOMPARE(w->Selected("LstStock"), 0);
    QCOMPARE(w->Text("txtBin"), QStringLiteral("R7"));
    QVERIFY(w->job.dataChanged);
    w->Type("txtStockQty", "3");
    w->Click("btnChangeStock");
    QCOMPARE(w->job.stock[0].bin, std::string("R7"));
    QCOMPARE(w->job.stock[0].quantity, 3);

    // The second row gets its position as bin; it sorts first and is the
    // row highlighted.
    w->TypeStock("400000", "5");
    w->Type("txtBin", "");
    w->Enter("txtStockQty");
    QCOMPARE(w->Lines("LstStock"), (QStringList{"   5 pcs           2 @           40'-0\"",
                                                "   3 pcs          R7 @           20'-0\""}));
    QCOMPARE(w->Selected("LstStock"), 0);
    QCOMPARE(w->Text("txtStockQty"), QStringLiteral("   5"));
    QCOMPARE(w->Text("TxtStockLength"), QStringLiteral("40'-0\""));
    QCOMPARE(w->Text("txtBin"), QStringLiteral("2"));
    QVERIFY(w->Get<QLineEdit>("txtStockQty")->hasFocus());
    QVERIFY(w->dialogs.messages.empty());
  }

  // Add and Change refuse what cannot be a row, name the field and its text
  // and leave the text for correction.
  void entriesThatCannotBeARowAreRefused() {
    QVERIFY(w->OpenWith({"W8X31,A14,2,30"}));
    auto* add = w->Get<QPushButton>("btnAddStock");
    QVERIFY(!add->isEnabled());
    w->Type("txtStockQty", "2");
    w->Type("TxtStockLength", "12'-6");
    QVERIFY(!add->isEnabled());
    const struct {
      const char* length;
      const char* quantity;
      const char* field;
      const char* message;
    } refused[] = {
        {"abc", "2", "TxtStockLength",
         "Stock length \"abc\" is not a length greater than 0 in the current unit."},
        {"99999999", "2", "TxtStockLength",
         "Stock length \"99999999\" is not a length greater than 0 in the current unit."},
        {"0", "2", "TxtStockLength",
         "Stock length \"0\" is not a length greater than 0 in the current unit."},
        {"120610", "-2", "txtStockQty", "Stock quantity \"-2\" is not a quantity from 0 to 29999."},
        {"120610", "40000", "txtStockQty",
         "Stock quantity \"40000\" is not a quantity from 0 to 29999."},
    };
    for (const auto& entry : refused) {
      for (const char* button : {"btnAddStock", "btnChangeStock"}) {
        w->Choose("LstStock", 0);
        w->TypeStock(entry.length, entry.quantity);
        w->dialogs.messages.clear();
        w->Click(button);
        QCOMPARE(w->dialogs.MessageTexts(), QStringList{QString::fromLatin1(entry.message)});
        QCOMPARE(w->Text(entry.field),
                 QString::fromLatin1(entry.field == std::string("txtStockQty") ? entry.quantity
                                                                               : entry.length));
        QCOMPARE(w->job.stockCount, 1);
        QCOMPARE(w->job.stock[0].length, 30.0);
        QCOMPARE(w->job.stock[0].quantity, 2);
      }
    }
  }

  void anEmptyMaterialBoxIsAskedFor() {
    QVERIFY(w->Open());
    QComboBox* box = w->MaterialBox();
    QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
    QTest::keyClick(box->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(w->job.matl, std::string());
    w->TypeStock("100000", "1");
    w->Click("btnAddStock");
    QCOMPARE(w->dialogs.MessageTexts().last(), QStringLiteral("Please enter or select a material"));
    QVERIFY(w->dialogs.MessageTexts().contains(
        QStringLiteral("Please select or enter a material type first.")));
    QCOMPARE(w->dialogs.messages.back().title, QStringLiteral("Brx"));
    QCOMPARE(w->MaterialColour(), QColor(255, 255, 0));
    QVERIFY(box->lineEdit()->hasFocus());
    QCOMPARE(w->job.stockCount, 0);
  }

  void theThousandAndFirstRowIsRefused() {
    QStringList rows;
    for (int i = 0; i < 1000; ++i) rows.append(QStringLiteral("W8X31,B%1,1,%2").arg(i).arg(i + 1));
    QVERIFY(w->OpenWith(rows));
    QCOMPARE(w->Lines("LstStock").size(), 1000);
    w->TypeStock("100000", "1");
    w->Click("btnAddStock");
    QCOMPARE(w->dialogs.MessageTexts(),
             QStringList{"The stock list is full: it holds at most 1000 items."});
    QCOMPARE(w->job.stockCount, 1000);
    QCOMPARE(w->Lines("LstStock").size(), 1000);
  }

  void changingOnlyTheQuantityKeepsTheLength() {
    QVERIFY(w->OpenWith({"W8X31,A,3,12.6", "W8X31,B,2,8"}));
    w->Type("txtStockQty", "2");
    w->Click("btnChangeStock");
    QCOMPARE(w->dialogs.MessageTexts(), QStringList{"Please select a line item first"});
    QCOMPARE(w->job.stock[0].quantity, 3);

    w->Choose("LstStock", 0);
    QCOMPARE(w->Text("TxtStockLength"), QStringLiteral("12'-7 3/16\""));
    QCOMPARE(w->Text("txtStockQty"), QStringLiteral("   3"));
    QCOMPARE(w->Status(), QStringLiteral(" 2 stock items"));
    w->Type("txtStockQty", "4");
    w->Click("btnChangeStock");
    QCOMPARE(w->job.stock[0].length, 12.6);
    QCOMPARE(w->job.stock[0].quantity, 4);

    // An edited shown length reads as the length it shows.
    w->Choose("LstStock", 0);
    w->Type("TxtStockLength", "12'-6 3/4\"");
    w->Click("btnChangeStock");
    QCOMPARE(w->job.stock[0].length, 12.5625);

    // The last row made orderable stays the highlighted last line.
    w->Choose("LstStock", 1);
    w->Type("txtStockQty", "0");
    w->Click("btnChangeStock");
    QCOMPARE(w->Lines("LstStock").last(),
             QStringLiteral("   0 pcs           B @            8'-0\""));
    QVERIFY(w->job.stock[1].nonInventory);
    QCOMPARE(w->Selected("LstStock"), 1);
  }

  void deleteRemovesTheSelectedOrTheLastRowAndSaves() {
    QVERIFY(w->OpenWith({"W8X31,A,3,40", "W8X31,B,2,30", "W8X31,C,0,20", "L3X3,Z,1,10"}));
    w->Choose("LstStock", 0);
    w->Click("btnDeleteStock");
    QCOMPARE(w->Lines("LstStock"), (QStringList{"   2 pcs           B @           30'-0\"",
                                                "   0 pcs           C @           20'-0\""}));
    QVERIFY(w->job.stock[1].nonInventory);
    QCOMPARE(w->Selected("LstStock"), -1);
    QCOMPARE(w->ReadFile("job.stk"), StockFile({"W8X31,B,2,30", "W8X31,C,0,20", "L3X3,Z,1,10"}));

    w->Click("btnDeleteStock");
    QCOMPARE(w->Lines("LstStock"), QStringList{"   2 pcs           B @           30'-0\""});
    // Delete on the emptied list leaves it empty.
    w->Click("btnDeleteStock");
    w->Click("btnDeleteStock");
    QVERIFY(w->Lines("LstStock").isEmpty());
    QCOMPARE(w->job.stockCount, 0);
    QCOMPARE(w->Status(), QStringLiteral(" 0 stock items"));
    QCOMPARE(w->ReadFile("job.stk"), StockFile({"L3X3,Z,1,10"}));
  }

  void choosingAnotherMaterialSavesUnsavedRowsFirst() {
    QVERIFY(w->OpenWith({"W8X31,A,3,40", "L3X3,Z,1,10"}));
    LoadMaterials(w->job, *w->window);
    w->TypeStock("300000", "2");
    w->Enter("txtStockQty");
    QVERIFY(w->job.dataChanged);

    QComboBox* box = w->MaterialBox();
    box->setFocus();
    box->setCurrentIndex(box->findText(QStringLiteral("W8X31")));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), QStringLiteral("L3X3"));
    QCOMPARE(w->job.matl, std::string("L3X3"));
    QCOMPARE(w->ReadFile("job.stk"), StockFile({"W8X31,A,3,40", "W8X31,2,2,30", "L3X3,Z,1,10"}));
    QCOMPARE(w->Lines("LstStock"), QStringList{"   1 pcs           Z @           10'-0\""});
    QCOMPARE(w->Get<QGroupBox>("FraCutLst")->title(), QStringLiteral("Cut list for L3X3"));
    QCOMPARE(w->MaterialColour(), QColor(192, 255, 192));
  }

  void typingAMaterialSavesOnceAndLoadsAsItGoes() {
    QVERIFY(w->OpenWith({"W8X31,A,3,40", "L3,Z,1,10"}));
    w->TypeStock("300000", "2");
    w->Enter("txtStockQty");

    QLineEdit* box = w->MaterialBox()->lineEdit();
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral(" L3 "));
    QCOMPARE(w->job.matl, std::string("L3"));
    QVERIFY(!w->job.dataChanged);
    QCOMPARE(w->Lines("LstStock"), QStringList{"   1 pcs           Z @           10'-0\""});
    QVERIFY(w->ReadFile("job.stk").contains(QStringLiteral("W8X31,2,2,30")));
  }

  void newMaterialEmptiesTheListsAndTheBox() {
    QVERIFY(w->OpenWith({"W8X31,A,3,40"}));
    w->Click("btnNewMaterial");
    QCOMPARE(w->job.matl, std::string());
    QCOMPARE(w->MaterialBox()->currentText(), QString());
    QCOMPARE(w->MaterialColour(), QColor(255, 255, 0));
    QVERIFY(w->Lines("LstStock").isEmpty());
    QVERIFY(w->Lines("LstCut").isEmpty());
    QVERIFY(w->job.dataChanged);
    QCOMPARE(w->ReadFile("job.stk"), StockFile({"W8X31,A,3,40"}));
  }

 private:
  std::unique_ptr<MainWindowFixture> w;
};

QTEST_MAIN(MainWindowStockTest)
#include "main_window_stock_test.moc"
