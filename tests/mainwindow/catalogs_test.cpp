#include "guidriver.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace GuiDriver;

namespace {

int rowCount(Store& store)
{
    return int(store.query("select * from CataConstruct").size());
}

void addCatalogUnderRoot(form1& window, const QString& name)
{
    clickNode(window, "");
    answerCatalogDialog(name, "");
    trigger(window, "mnewcataroot");
}

} // namespace

class CatalogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Each refusal names its reason, keeps the dialog open with the input, and writes nothing.
    void addRefusesBadInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        const QString special = "The catalog name can't exsit special character.";
        QTest::newRow("blank") << "Heat Flow" << "" << special;
        QTest::newRow("underscore") << "Heat_Flow" << "" << special;
        QTest::newRow("apostrophe") << "O'Brien" << "" << special;
        QTest::newRow("51 characters") << "Optics" << QString(51, 'd') << "The formula Description is too long.";
        QTest::newRow("long description before empty name") << "" << QString(51, 'd') << "The formula Description is too long.";
        QTest::newRow("empty name") << "" << "" << "Please add the catalog name!";
        QTest::newRow("leading digit") << "3Phase" << "" << "The first charactor can't be numeral!";
        QTest::newRow("catalog name in use") << "Mechanics" << "" << "The catalog name has been existed!";
        QTest::newRow("in use in other case") << "MECHANICS" << "" << "The catalog name has been existed!";
        QTest::newRow("a formula's table") << "OhmsLaw" << "" << "Ther is same table name in the database.";
        QTest::newRow("a fixed table") << "ParaResult" << "" << "Ther is same table name in the database.";
        QTest::newRow("the root's key") << "gongshi" << "" << "The name is reserved, please add another!";
        const QString unstorable = "The name holds a character that can't be stored, please add another!";
        QTest::newRow("NUL in the name") << QStringLiteral("Nul") + QChar(0) << "" << unstorable;
        QTest::newRow("lone surrogate in the name") << QStringLiteral("Half") + QChar(0xD800) << "" << unstorable;
        QTest::newRow("SQL comment") << "Optics--" << "" << special;
        QTest::newRow("semicolon") << "Optics;drop" << "" << special;
        QTest::newRow("10,000-character description") << "Optics" << QString(10000, 'd') << "The formula Description is too long.";
        QTest::newRow("lone surrogate in the description")
            << "Optics" << QStringLiteral("x") + QChar(0xDC00) + QStringLiteral("', isroot=7 --")
            << "A text holds a broken character";
    }
    void addRefusesBadInput()
    {
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, message);
        LibraryFixture library;
        form1& window = library.openWindow();
        const int rows = rowCount(library.store());
        const QSet<QString> tables = library.store().tableNames();
        const int topLevel = window.tree().root()->childCount();
        if (message.endsWith('!') || message.endsWith('.'))
            library.dialogs().expectMessage(message);
        else
            library.dialogs().expectMessageStarting(message);
        clickNode(window, "");
        const auto outcome = answerCatalogDialog(name, description);
        trigger(window, "mnewcataroot");
        QVERIFY(outcome->shown);
        QCOMPARE(outcome->caption, "Add Catalog");
        QVERIFY(outcome->stayedOpen);
        QCOMPARE(rowCount(library.store()), rows);
        QCOMPARE(library.store().tableNames(), tables);
        QCOMPARE(window.tree().root()->childCount(), topLevel);
        VERIFY_NO_SURPRISES(library);
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
        QTest::newRow("non-ASCII letters") << "" << QString::fromUtf8("Wärmelehre") << QString::fromUtf8("Größen");
        QTest::newRow("50 characters, quotes") << "" << "Quoted" << QString("It's \"fine\"").leftJustified(50, '\'');
        QTest::newRow("10,000 characters") << "" << QString(10000, 'x') << "";
        QTest::newRow("keywords") << "" << "Index" << "";
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
        LibraryFixture library;
        form1& window = library.openWindow();
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
        Store& store = library.store();
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

        QCOMPARE(library.restart().tree().find(name)->parent()->text(0), parent.isEmpty() ? "Formula Root" : parent);
        VERIFY_NO_SURPRISES(library);
    }

    // Names differing only in the case of letters outside ASCII are different names, to the
    // library and to the tree alike.
    void caseOutsideAsciiMakesAnotherName()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        for (const QString& name : {QString::fromUtf8("Wärme"), QString::fromUtf8("WÄRME")})
            addCatalogUnderRoot(window, name);
        QCOMPARE(window.tree().find(QString::fromUtf8("Wärme"))->text(0), QString::fromUtf8("Wärme"));
        QCOMPARE(window.tree().find(QString::fromUtf8("WÄRME"))->text(0), QString::fromUtf8("WÄRME"));
        QCOMPARE(window.tree().find(QString::fromUtf8("wärme"))->text(0), QString::fromUtf8("Wärme"));
        QVERIFY(library.store().tableExists(QString::fromUtf8("WÄRME")));
        VERIFY_NO_SURPRISES(library);
    }

    // A top-level catalog renamed, even to a leading digit, stays in place with its children.
    void renameSurvivesARestart()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        const int children = window.tree().find("Electrical")->childCount();
        clickNode(window, "Electrical");
        const auto outcome = answerCatalogDialog("9Volt", "Renamed");
        trigger(window, "mmodcata");
        QCOMPARE(outcome->caption, "Modify Catalog");
        QCOMPARE(outcome->initialName, "Electrical");
        QVERIFY(!outcome->stayedOpen);
        QVERIFY(!window.tree().find("Electrical"));
        QCOMPARE(window.tree().find("9Volt")->childCount(), children);

        form1& again = library.restart();
        QTreeWidgetItem* renamed = again.tree().find("9Volt");
        QCOMPARE(renamed->parent(), again.tree().root());
        QCOMPARE(renamed->childCount(), children);
        // Its table keeps its first name and is still found.
        clickNode(again, "9Volt");
        QCOMPARE(again.controls().ListView2->topLevelItemCount(),
                 library.store().query("select * from Electrical").size());
        QCOMPARE(again.controls().Text4->toPlainText(), "9Volt\nRenamed");
        VERIFY_NO_SURPRISES(library);
    }

    void renameRefusesNamesInUse_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("another catalog") << "Fluids" << "The catalog name has been existed!";
        QTest::newRow("a formula") << "BendingStress" << "The catalog name has been existed!";
        QTest::newRow("the root's key") << "GongShi" << "The name is reserved, please add another!";
        QTest::newRow("a fixed table") << "GlobalVariant" << "Ther is same table name in the database.";
    }
    void renameRefusesNamesInUse()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        LibraryFixture library;
        form1& window = library.openWindow();
        library.dialogs().expectMessage(message);
        clickNode(window, "Beams");
        const auto outcome = answerCatalogDialog(name, "");
        trigger(window, "mmodcata");
        QVERIFY(outcome->stayedOpen);
        QVERIFY(window.tree().find("Beams"));
        QVERIFY(library.store().first("select * from CataConstruct where caption='Beams'"));
        VERIFY_NO_SURPRISES(library);
    }

    // A catalog another program removed is not offered for adding in its place.
    void modifyingAVanishedCatalogSaysSo()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        clickNode(window, "Fluids");
        library.store().execute("delete * from CataConstruct where caption=?", {"Fluids"});
        const int rows = rowCount(library.store());
        library.dialogs().expectMessage("The item is no longer in the library.");
        const auto outcome = answerCatalogDialog("Liquids", "");
        trigger(window, "mmodcata");
        QVERIFY(!outcome->shown);
        QCOMPARE(rowCount(library.store()), rows);
        QVERIFY(!library.store().first("select * from CataConstruct where caption=?", {"Liquids"}));
        VERIFY_NO_SURPRISES(library);
    }

    // A new letter case of a catalog's own name is no clash: the catalog keeps its children.
    void renameToOtherLetterCase()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        QTreeWidgetItem* beams = window.tree().find("Beams");
        const int children = beams->childCount();
        clickNode(window, "Beams");
        answerCatalogDialog("BEAMS", "");
        trigger(window, "mmodcata");
        QCOMPARE(beams->text(0), "BEAMS");
        QCOMPARE(library.restart().tree().find("BEAMS")->childCount(), children);
        VERIFY_NO_SURPRISES(library);
    }

    void describeOnlyKeepsNameAndChildren()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        QTreeWidgetItem* beams = window.tree().find("Beams");
        const int children = beams->childCount();
        clickNode(window, "Beams");
        answerCatalogDialog("Beams", "New words");
        trigger(window, "mmodcata");
        QCOMPARE(window.tree().find("Beams"), beams);
        QCOMPARE(beams->childCount(), children);
        QCOMPARE(library.store().first("select * from CataConstruct where caption='Beams'")->value("descr").toString(),
                 "New words");
        QCOMPARE(library.store().query("select * from CataConstruct where belongto='Beams'").size(), children);
        VERIFY_NO_SURPRISES(library);
    }

    void cancelStoresNothing()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        const int rows = rowCount(library.store());
        clickNode(window, "");
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("Text1")->setText("Optics");
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        trigger(window, "mnewcataroot");
        QCOMPARE(rowCount(library.store()), rows);
        QVERIFY(!window.tree().find("Optics"));
        VERIFY_NO_SURPRISES(library);
    }
};

QTEST_MAIN(CatalogsTest)
#include "catalogs_test.moc"
