#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace GuiDriver;

namespace {

Rows catalogRows(Store& store)
{
    return store.query("select * from CataConstruct");
}

void addCatalogUnderRoot(form1& window, const QString& name)
{
    clickNode(window, "");
    answerCatalogDialog(name, "");
    trigger(window, "mnewcataroot");
}

} // namespace

class CatalogsTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // Each refusal, adding under the root or renaming Beams, names its reason, keeps the dialog
    // open with the input, and writes nothing.
    void refusesBadInput_data()
    {
        QTest::addColumn<QString>("catalog"); // empty: add under the root
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        const QString special = "The catalog name can't exsit special character.";
        const QString tooLong = "The formula Description is too long.";
        const QString inUse = "The catalog name has been existed!";
        const QString sameTable = "Ther is same table name in the database.";
        const QString reserved = "The name is reserved, please add another!";
        QTest::newRow("apostrophe") << "" << "O'Brien" << "" << special;
        QTest::newRow("semicolon") << "" << "Optics;drop" << "" << special;
        QTest::newRow("51 characters") << "" << "Optics" << QString(51, 'd') << tooLong;
        QTest::newRow("empty name") << "" << "" << "" << "Please add the catalog name!";
        QTest::newRow("leading digit") << "" << "3Phase" << "" << "The first charactor can't be numeral!";
        QTest::newRow("in use in other case") << "" << "MECHANICS" << "" << inUse;
        QTest::newRow("a formula's table") << "" << "OhmsLaw" << "" << sameTable;
        QTest::newRow("the root's key") << "" << "gongshi" << "" << reserved;
        QTest::newRow("NUL in the name") << "" << QStringLiteral("Nul") + QChar(0) << ""
                                         << "The name holds a character that can't be stored, please add another!";
        QTest::newRow("lone surrogate in the description")
            << "" << "Optics" << QStringLiteral("x") + QChar(0xDC00) + QStringLiteral("', isroot=7 --")
            << "A text holds a broken character";
        QTest::newRow("rename to another catalog") << "Beams" << "Fluids" << "" << inUse;
        QTest::newRow("rename to a formula") << "Beams" << "BendingStress" << "" << inUse;
        QTest::newRow("rename to the root's key") << "Beams" << "GongShi" << "" << reserved;
        QTest::newRow("rename to a fixed table") << "Beams" << "GlobalVariant" << "" << sameTable;
    }
    void refusesBadInput()
    {
        QFETCH(QString, catalog);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, message);
        form1& window = library().openWindow();
        const Rows rows = catalogRows(library().store());
        const QSet<QString> tables = library().store().tableNames();
        const int topLevel = window.tree().root()->childCount();
        if (message.endsWith('!') || message.endsWith('.'))
            library().dialogs().expectMessage(message);
        else
            library().dialogs().expectMessageStarting(message);
        clickNode(window, catalog);
        const auto outcome = answerCatalogDialog(name, description);
        trigger(window, catalog.isEmpty() ? "mnewcataroot" : "mmodcata");
        QVERIFY(outcome->shown);
        QCOMPARE(outcome->caption, catalog.isEmpty() ? "Add Catalog" : "Modify Catalog");
        QVERIFY(outcome->stayedOpen);
        QVERIFY(catalogRows(library().store()) == rows);
        QCOMPARE(library().store().tableNames(), tables);
        QCOMPARE(window.tree().root()->childCount(), topLevel);
        QVERIFY(catalog.isEmpty() || window.tree().find(catalog));
    }

    // Names the checks let through become a catalog: node, row and table agree, and whatever
    // was typed is stored exactly.
    void addStoresTheCatalog_data()
    {
        QTest::addColumn<QString>("parent"); // empty: the root
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("under the root") << "" << "Optics" << "Lenses and mirrors";
        QTest::newRow("inside a catalog") << "Mechanics" << "Gears" << "";
        QTest::newRow("50 characters, quotes") << "" << "Quoted" << QString("It's \"fine\"").leftJustified(50, '\'');
        QTest::newRow("10,000 characters") << "" << QString(10000, 'x') << "";
        QTest::newRow("keyword inside a keyword") << "Order" << "Values" << "";
        QTest::newRow("keyword, a sibling's table") << "" << "Table" << "--;";
        QTest::newRow("control character") << "" << QStringLiteral("Tab\tName") << "";
        QTest::newRow("non-BMP name") << "" << QString::fromUtf8("𝔐𝔢𝔠𝔥") << QString::fromUtf8("𝔄 ' \" ; -- 𝔅");
        QTest::newRow("NUL in the description") << "" << "Nul" << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    }
    void addStoresTheCatalog()
    {
        QFETCH(QString, parent);
        QFETCH(QString, name);
        QFETCH(QString, description);
        form1& window = library().openWindow();
        if (parent == "Order")
            addCatalogUnderRoot(window, parent);
        clickNode(window, parent);
        const auto outcome = answerCatalogDialog(name, description);
        trigger(window, parent.isEmpty() ? "mnewcataroot" : "mnewcata");
        QVERIFY(outcome->shown && !outcome->stayedOpen);

        QTreeWidgetItem* added = window.tree().find(name);
        QVERIFY(added);
        QCOMPARE(added->parent(), node(window, parent));
        QCOMPARE(window.controls().Text4->toPlainText(), name + "\n" + description);
        Store& store = library().store();
        const auto row = store.first("select * from CataConstruct where caption=?", {name});
        QVERIFY(row);
        QCOMPARE(row->value("belongto").toString(), parent.isEmpty() ? name : parent);
        QCOMPARE(row->value("isroot").toInt(), parent.isEmpty() ? 1 : 0);
        QCOMPARE(row->value("descr").toString(), description);
        QVERIFY(store.tableExists(name));
        // The new catalog's own table takes variables.
        store.execute("insert into " + sqlName(name) + " (varname,name,defvalue) values (?,?,?)", {"k", "Constant", "1.5"});
        clickNode(window, name);
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), 1);

        QCOMPARE(library().restart().tree().find(name)->parent()->text(0), parent.isEmpty() ? "Formula Root" : parent);
    }

    // Names differing only in the case of letters outside ASCII are different names, to the
    // library and to the tree alike.
    void caseOutsideAsciiMakesAnotherName()
    {
        form1& window = library().openWindow();
        const QString lower = QString::fromUtf8("Wärme"), upper = QString::fromUtf8("WÄRME");
        addCatalogUnderRoot(window, lower);
        addCatalogUnderRoot(window, upper);
        QCOMPARE(window.tree().find(lower)->text(0), lower);
        QCOMPARE(window.tree().find(upper)->text(0), upper);
        QCOMPARE(window.tree().find(QString::fromUtf8("wärme"))->text(0), lower);
        QVERIFY(library().store().tableExists(upper));
    }

    // A top-level catalog renamed, even to a leading digit, stays in place with its children.
    void renameSurvivesARestart()
    {
        form1& window = library().openWindow();
        const int children = window.tree().find("Electrical")->childCount();
        clickNode(window, "Electrical");
        const auto outcome = answerCatalogDialog("9Volt", "Renamed");
        trigger(window, "mmodcata");
        QCOMPARE(outcome->caption, "Modify Catalog");
        QCOMPARE(outcome->initialName, "Electrical");
        QVERIFY(!outcome->stayedOpen);
        QVERIFY(!window.tree().find("Electrical"));
        QCOMPARE(window.tree().find("9Volt")->childCount(), children);

        form1& again = library().restart();
        QTreeWidgetItem* renamed = again.tree().find("9Volt");
        QCOMPARE(renamed->parent(), again.tree().root());
        QCOMPARE(renamed->childCount(), children);
        // Its table keeps its first name and is still found.
        clickNode(again, "9Volt");
        QCOMPARE(again.controls().ListView2->topLevelItemCount(),
                 library().store().query("select * from Electrical").size());
        QCOMPARE(again.controls().Text4->toPlainText(), "9Volt\nRenamed");
    }

    // A catalog another program removed is not offered for adding in its place.
    void modifyingAVanishedCatalogSaysSo()
    {
        form1& window = library().openWindow();
        clickNode(window, "Fluids");
        library().store().execute("delete * from CataConstruct where caption=?", {"Fluids"});
        const int rows = catalogRows(library().store()).size();
        library().dialogs().expectMessage("The item is no longer in the library.");
        const auto outcome = answerCatalogDialog("Liquids", "");
        trigger(window, "mmodcata");
        QVERIFY(!outcome->shown);
        QCOMPARE(catalogRows(library().store()).size(), rows);
        QVERIFY(!library().store().first("select * from CataConstruct where caption=?", {"Liquids"}));
    }

    // A new description alone, then a new letter case of the catalog's own name, is no clash:
    // the catalog keeps its node and its children.
    void describeThenRenameToOtherLetterCase()
    {
        form1& window = library().openWindow();
        Store& store = library().store();
        QTreeWidgetItem* beams = window.tree().find("Beams");
        const int children = beams->childCount();
        clickNode(window, "Beams");
        answerCatalogDialog("Beams", "New words");
        trigger(window, "mmodcata");
        QCOMPARE(window.tree().find("Beams"), beams);
        QCOMPARE(beams->childCount(), children);
        QCOMPARE(store.first("select * from CataConstruct where caption='Beams'")->value("descr").toString(), "New words");
        QCOMPARE(store.query("select * from CataConstruct where belongto='Beams'").size(), children);

        clickNode(window, "Beams");
        answerCatalogDialog("BEAMS", "");
        trigger(window, "mmodcata");
        QCOMPARE(beams->text(0), "BEAMS");
        QCOMPARE(library().restart().tree().find("BEAMS")->childCount(), children);
    }

    void cancelStoresNothing()
    {
        form1& window = library().openWindow();
        const Rows rows = catalogRows(library().store());
        clickNode(window, "");
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("Text1")->setText("Optics");
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        trigger(window, "mnewcataroot");
        QVERIFY(catalogRows(library().store()) == rows);
        QVERIFY(!window.tree().find("Optics"));
    }
};

QTEST_MAIN(CatalogsTest)
#include "catalogs_test.moc"
