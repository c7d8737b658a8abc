#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/form1.h"
#include "mainwindow/librarytree.h"
#include "store/formula.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "ui_form1.h"

#include <QDir>
#include <QTest>

using namespace GuiDriver;

namespace {

Rows catalogRows(Store& store)
{
    return store.query("select * from CataConstruct");
}

// Answers the catalog dialog the entry opens on the node; by default Add under the root, or
// Modify on a catalog.
std::shared_ptr<CatalogDialogOutcome> editCatalog(form1& window, const QString& node, const QString& name,
                                                  const QString& description = {}, const char* entry = nullptr)
{
    clickNode(window, node);
    auto outcome = answerCatalogDialog(name, description);
    trigger(window, entry ? entry : node.isEmpty() ? "mnewcataroot" : "mmodcata");
    return outcome;
}

// Exports the catalog through its menu to a file in the library's folder: the file's path.
QString exportCatalog(LibraryFixture& library, form1& window, const QString& catalog)
{
    const QString file = QDir(library.directory()).filePath(catalog + ".json");
    clickNode(window, catalog);
    library.dialogs().expectSaveFileName(file);
    trigger(window, "mexportcata");
    return file;
}

} // namespace

class CatalogsTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // The checks of a catalog's name and description, adding under the root or renaming Beams,
    // in the order the user meets them; KineticEnergy is renamed Ek, and its table keeps the
    // first name. (Names taken by a table or another catalog, and names that pass: the dialog tests.)
    void catalogChecks_data()
    {
        QTest::addColumn<QString>("catalog"); // empty: add under the root
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<Catalogs::Problem>("problem");
        using P = Catalogs::Problem;
        QTest::newRow("apostrophe") << "" << "O'Brien" << "" << P::SpecialCharacter;
        QTest::newRow("51-character description") << "" << "Optics" << QString(51, 'd') << P::DescriptionTooLong;
        QTest::newRow("no name") << "" << "" << "" << P::EmptyName;
        QTest::newRow("leading digit") << "" << "3Phase" << "" << P::FirstCharacterDigit;
        QTest::newRow("a catalog's, other case") << "" << "MECHANICS" << "" << P::NameInUse;
        QTest::newRow("a renamed formula's caption") << "" << "Ek" << "" << P::NameInUse;
        QTest::newRow("tab") << "" << "Tab\tName" << "" << P::UnprintableName;
        QTest::newRow("rename to the root's key") << "Beams" << "GongShi" << "" << P::ReservedName;
        QTest::newRow("rename of a catalog gone") << "Girders" << "Beams2" << "" << P::Missing;
    }
    void catalogChecks()
    {
        QFETCH(QString, catalog);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(Catalogs::Problem, problem);
        Store& store = library().store();
        store.execute("update CataConstruct set caption=? where caption=?", {"Ek", "KineticEnergy"});
        store.execute("update KineticEnergy set name=? where name=?", {"Ek", "KineticEnergy"});
        Catalogs::Problem found = Catalogs::checkInput(name, description);
        if (found == Catalogs::Problem::None)
            found = catalog.isEmpty() ? Catalogs::checkAdd(store, name) : Catalogs::checkRename(store, catalog, name);
        QCOMPARE(found, problem);
    }

    // A refusal, adding under the root or renaming Beams, names its reason, keeps the dialog open
    // with the input, and writes nothing. A name taken by a table is told whose it is on the
    // status line: a renamed formula's table keeps the formula's first name.
    void refusesBadInput_data()
    {
        QTest::addColumn<QString>("catalog"); // empty: add under the root
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        const QString inUse = "The catalog name has been existed!";
        const QString sameTable = "Ther is same table name in the database.";
        QTest::newRow("a formula's table") << "" << "OhmsLaw" << "" << sameTable << "OhmsLaw is taken by the table of formula OhmsLaw.";
        QTest::newRow("a renamed formula's first name")
            << "" << "kineticenergy" << "" << sameTable
            << "kineticenergy is taken by the table of formula Ek, which keeps the name the formula was first given.";
        QTest::newRow("lone surrogate in the description")
            << "" << "Optics" << QStringLiteral("x") + QChar(0xDC00) + QStringLiteral("', isroot=7 --")
            << "A text holds a broken character" << "";
        QTest::newRow("rename to another catalog") << "Beams" << "Fluids" << "" << inUse << "";
        QTest::newRow("rename to a fixed table") << "Beams" << "GlobalVariant" << "" << sameTable
                                                 << "GlobalVariant is taken by one of the library's own tables.";
    }
    void refusesBadInput()
    {
        QFETCH(QString, catalog);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, message);
        QFETCH(QString, status);
        Store& store = library().store();
        // KineticEnergy renamed Ek; its table keeps the first name.
        store.execute("update CataConstruct set caption=? where caption=?", {"Ek", "KineticEnergy"});
        store.execute("update KineticEnergy set name=? where name=?", {"Ek", "KineticEnergy"});
        form1& window = library().openWindow();
        const Rows rows = catalogRows(store);
        const QSet<QString> tables = store.tableNames();
        const int topLevel = window.tree().root()->childCount();
        if (message.endsWith('!') || message.endsWith('.'))
            library().dialogs().expectMessage(message);
        else
            library().dialogs().expectMessageStarting(message);
        const auto outcome = editCatalog(window, catalog, name, description);
        QVERIFY(outcome->shown && outcome->stayedOpen);
        QCOMPARE(outcome->caption, catalog.isEmpty() ? "Add Catalog" : "Modify Catalog");
        QVERIFY(catalogRows(store) == rows);
        QCOMPARE(store.tableNames(), tables);
        QCOMPARE(window.tree().root()->childCount(), topLevel);
        QVERIFY(catalog.isEmpty() || window.tree().find(catalog));
        QCOMPARE(statusLine(window), status);
    }

    // Names the checks let through become a catalog: node, row and table agree, and whatever
    // was typed is stored exactly. Case outside ASCII makes another name.
    void addStoresTheCatalog_data()
    {
        QTest::addColumn<QString>("first"); // a catalog added under the root before
        QTest::addColumn<QString>("parent"); // empty: the root
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("inside a catalog") << "" << "Mechanics" << "Gears" << "Lenses and mirrors";
        QTest::newRow("50 characters, quotes, --;") << "" << "" << "Quoted" << QString("It's \"fine\" --;").leftJustified(50, '\'');
        QTest::newRow("100 characters") << "" << "" << QString(100, 'x') << "";
        QTest::newRow("keyword inside a keyword") << "Order" << "Order" << "Values" << "";
        QTest::newRow("non-BMP name") << "" << "" << QString::fromUtf8("𝔐𝔢𝔠𝔥") << QString::fromUtf8("𝔄 ' \" ; -- 𝔅");
        QTest::newRow("non-ASCII case of another") << QString::fromUtf8("Wärme") << "" << QString::fromUtf8("WÄRME") << "";
        QTest::newRow("NUL in the description") << "" << "" << "Nul" << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    }
    void addStoresTheCatalog()
    {
        QFETCH(QString, first);
        QFETCH(QString, parent);
        QFETCH(QString, name);
        QFETCH(QString, description);
        form1& window = library().openWindow();
        if (!first.isEmpty())
            editCatalog(window, "", first);
        const auto outcome = editCatalog(window, parent, name, description, parent.isEmpty() ? "mnewcataroot" : "mnewcata");
        QVERIFY(outcome->shown && !outcome->stayedOpen);

        QTreeWidgetItem* added = window.tree().find(name);
        QVERIFY(added && added->text(0) == name);
        QCOMPARE(added->parent(), node(window, parent));
        QCOMPARE(window.controls().Text4->toPlainText(), name + "\n" + description);
        Store& store = library().store();
        const auto row = store.first("select * from CataConstruct where caption=?", {name});
        QVERIFY(row);
        QCOMPARE(row->value("belongto").toString(), parent.isEmpty() ? name : parent);
        QCOMPARE(row->value("isroot").toInt(), parent.isEmpty() ? 1 : 0);
        QCOMPARE(row->value("descr").toString(), description);
        // The new catalog's own table takes variables.
        store.execute("insert into " + sqlName(name) + " (varname,name,defvalue) values (?,?,?)", {"k", "Constant", "1.5"});
        clickNode(window, name);
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), 1);

        QCOMPARE(library().restart().tree().find(name)->parent()->text(0), parent.isEmpty() ? "Formula Root" : parent);
    }

    // A new description alone, a new letter case of the name, then a new name, even with a
    // leading digit, are no clash: the catalog keeps its place, its children and its table,
    // also after a restart.
    void modifyKeepsTheCatalog()
    {
        form1& window = library().openWindow();
        Store& store = library().store();
        QTreeWidgetItem* electrical = window.tree().find("Electrical");
        const int children = electrical->childCount();
        editCatalog(window, "Electrical", "Electrical", "New words");
        editCatalog(window, "Electrical", "ELECTRICAL", "New words");
        QCOMPARE(window.tree().find("Electrical"), electrical);
        QCOMPARE(electrical->text(0), "ELECTRICAL");
        const auto outcome = editCatalog(window, "ELECTRICAL", "9Volt", "Renamed");
        QCOMPARE(outcome->initialName, "ELECTRICAL");
        QCOMPARE(outcome->initialDescription, "New words");
        QVERIFY(!outcome->stayedOpen);
        QCOMPARE(window.tree().find("9Volt"), electrical);
        QCOMPARE(store.query("select * from CataConstruct where belongto='9Volt' and caption<>'9Volt'").size(), children);

        form1& again = library().restart();
        QTreeWidgetItem* renamed = again.tree().find("9Volt");
        QCOMPARE(renamed->parent(), again.tree().root());
        QCOMPARE(renamed->childCount(), children);
        // Its table keeps its first name and is still found.
        clickNode(again, "9Volt");
        QCOMPARE(again.controls().ListView2->topLevelItemCount(), library().store().query("select * from Electrical").size());
        QCOMPARE(again.controls().Text4->toPlainText(), "9Volt\nRenamed");
    }

    // Another window changes the library, before the dialog opens or while it is open. A catalog
    // it removed is not offered for changing in its place. Changing a catalog whose row it changed
    // is refused, naming the catalog: the dialog keeps what was typed and the library the other
    // window's change. A change beside the catalog's row is no obstacle. Adding into a catalog it
    // renamed or deleted is refused too.
    void anotherWindowsChangeIsKept_data()
    {
        QTest::addColumn<QString>("entry"); // on Fluids: mmodcata changes it, mnewcata adds into it
        QTest::addColumn<bool>("whileOpen"); // false: the change comes before the dialog opens
        QTest::addColumn<QStringList>("changes"); // made through the other window's connection
        QTest::addColumn<QString>("message"); // empty: saved
        const QString changed = "The catalog \"Fluids\" was changed in the library by another window since this dialog "
                                "opened it; nothing was saved. Close the dialog and open it again to see the change.";
        const QString gone = "The catalog \"Fluids\" is no longer in the library: another window renamed or deleted it. "
                             "Nothing was changed.";
        const QString rename = "update CataConstruct set caption='%1' where caption='Fluids'";
        const QString remove = "delete * from CataConstruct where caption='Fluids'";
        QTest::newRow("modify: deleted before it opens") << "mmodcata" << false << QStringList{remove}
                                                         << "The item is no longer in the library.";
        QTest::newRow("modify: described anew") << "mmodcata" << true << QStringList{"update CataConstruct set descr='Liquids' where caption='Fluids'"} << changed;
        QTest::newRow("modify: renamed in case") << "mmodcata" << true << QStringList{rename.arg("FLUIDS")} << changed;
        QTest::newRow("modify: a variable added") << "mmodcata" << true << QStringList{"insert into Fluids (varname,name,defvalue) values ('nu','Viscosity',1)"} << "";
        QTest::newRow("add: parent renamed") << "mnewcata" << true << QStringList{rename.arg("Liquids")} << gone;
        QTest::newRow("add: parent deleted") << "mnewcata" << true << QStringList{remove} << gone;
    }
    void anotherWindowsChangeIsKept()
    {
        QFETCH(QString, entry);
        QFETCH(bool, whileOpen);
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        form1& window = library().openWindow();
        clickNode(window, "Fluids");
        Store other(library().directory());
        Rows rows;
        QSet<QString> tables;
        const std::function<void()> change = [&] {
            for (const QString& statement : changes)
                other.execute(statement);
            rows = catalogRows(other);
            tables = other.tableNames();
        };
        if (!whileOpen)
            change();
        const auto outcome = answerCatalogDialog("Hydraulics", "Pipes", whileOpen ? change : nullptr);
        if (!message.isEmpty())
            library().dialogs().expectMessage(message);
        trigger(window, entry.toLatin1());
        QCOMPARE(outcome->shown, whileOpen);
        QCOMPARE(outcome->stayedOpen, whileOpen && !message.isEmpty());
        if (!message.isEmpty()) {
            QVERIFY(catalogRows(other) == rows);
            QCOMPARE(other.tableNames(), tables);
            return;
        }
        const auto stored = other.first("select * from CataConstruct where caption='Hydraulics'");
        QVERIFY(stored && stored->value("descr") == "Pipes" && stored->value("indtable") == "Fluids");
        QCOMPARE(other.query("select * from Fluids where varname='nu'").size(), 1);
    }

    // A catalog exported from the window and imported into a fresh library arrives whole, shown
    // in the tree at once: its catalogs in their places with their variables, and its formulas.
    void exportReadsBackIntoAnotherLibrary()
    {
        form1& window = library().openWindow();
        const QString file = exportCatalog(library(), window, "Mechanics");
        QCOMPARE(statusLine(window), "Exported Mechanics to " + file + '.');

        LibraryFixture copy(LibraryFixture::Contents::Empty);
        form1& other = copy.openWindow();
        clickNode(other, "");
        copy.dialogs().expectOpenFileName(file);
        trigger(other, "mimportcata");
        VERIFY_NO_SURPRISES(copy);
        QCOMPARE(statusLine(other), "Imported 2 catalog(s) and 7 formula(s) into the root.");
        const LibraryTree sample = LibraryTree::read(library().store());
        for (int i = 1; i < sample.size(); ++i) {
            const LibraryTree::Node& item = sample.node(i);
            if (sample.path(i) != "Mechanics" && !sample.path(i).startsWith("Mechanics/"))
                continue;
            const QTreeWidgetItem* shown = other.tree().find(item.caption);
            QVERIFY2(shown, qPrintable(item.caption));
            QCOMPARE(shown->parent()->text(0), item.parent ? sample.node(item.parent).caption : "Formula Root");
            if (item.catalog)
                QCOMPARE(NamedValue::readTable(copy.store(), item.caption), NamedValue::readTable(library().store(), item.table));
            else
                QVERIFY(Formula::read(copy.store(), item.caption) == Formula::read(library().store(), item.caption));
        }
    }

    // A catalog imported back into the library it came from clashes at every name: one box lists
    // each clash by its place in the file, and nothing is written or shown.
    void clashingImportIsRefusedWhole()
    {
        form1& window = library().openWindow();
        const QString file = exportCatalog(library(), window, "Fluids");
        Store& store = library().store();
        const Rows rows = catalogRows(store);
        const QSet<QString> tables = store.tableNames();
        const int children = node(window, "Mechanics")->childCount();
        clickNode(window, "Mechanics");
        const QString taken = ": is the name of a catalog or formula of the library";
        library().dialogs().expectMessage("Nothing was imported: " + file
                                          + " has 4 problem(s), each named by its place in the file. Correct them in "
                                            "the file, or rename or delete what the library holds under those names, "
                                            "and import it again.\n\ncatalog.name" + taken + "\ncatalog.formulas[0].name"
                                          + taken + "\ncatalog.formulas[1].name" + taken + "\ncatalog.formulas[2].name" + taken);
        library().dialogs().expectOpenFileName(file);
        trigger(window, "mimportcata");
        QVERIFY(catalogRows(store) == rows);
        QCOMPARE(store.tableNames(), tables);
        QCOMPARE(node(window, "Mechanics")->childCount(), children);
        QCOMPARE(node(window, "Fluids")->parent(), window.tree().root());
    }
};

QTEST_MAIN(CatalogsTest)
#include "catalogs_test.moc"
