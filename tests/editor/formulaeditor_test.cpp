// The formula editor through its real widgets: opening in both modes, saving, renaming,
// refusing, closing; each on a fresh sample library, checked against the library afterwards.
#include "calc/parametergrid.h"
#include "editordriver.h"
#include "guidriver.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace EditorDriver;

namespace {

// Computes -10 with its defaults; quotes and line breaks wherever a text may hold them.
Formula lever()
{
    return {"Lever'1", "F\"2", "N 'net'", "F1*a/b", "It's \"so\"\nline two", "5",
            {{"Force 'in'", "F1", "N", "-2.5", "pushes"}, {"Long arm", "a", "m", "2", ""}, {"Short arm", "b", "m", "0.5", ""}}};
}

QList<QStringList> parameterRows(Store& store, const QString& table)
{
    QList<QStringList> found;
    for (const QSqlRecord& row : store.query("select * from " + sqlName(table) + " where ispara=1"))
        found << FormulaParameter{row.value("name").toString(), row.value("varname").toString(), row.value("unit").toString(),
                                  row.value("defvalue").toString(), row.value("descr").toString()}
                     .listFields();
    return found;
}

QList<QStringList> listFields(const QList<FormulaParameter>& parameters)
{
    QList<QStringList> fields;
    for (const FormulaParameter& parameter : parameters)
        fields << parameter.listFields();
    return fields;
}

int rowCount(Store& store)
{
    return int(store.query("select * from CataConstruct").size());
}

} // namespace

class FormulaEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // A new formula, its parameters typed and copied, is stored exactly as typed, shows in the
    // tree under its catalog, computes, and is still there after a restart.
    void addStoresAndComputes_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("copied"); // the first variable listed, copied with >>
        QTest::newRow("root") << "" << "mnewfunroot" << "g";
        QTest::newRow("catalog") << "Electrical" << "mnewfun" << "rhoCu";
        QTest::newRow("nested catalog") << "Beams" << "mnewfun" << "Esteel";
    }
    void addStoresAndComputes()
    {
        QFETCH(QString, parent);
        QFETCH(QString, entry);
        QFETCH(QString, copied);
        LibraryFixture library;
        form1& window = library.openWindow();
        QWidget* editor = openEditor(window, parent, entry.toLatin1());
        QVERIFY(editor);
        QVERIFY(!window.isEnabled());
        QCOMPARE(editor->windowTitle(), "Add Formula");
        const Formula formula = lever();
        fill(*editor, formula);
        auto& variables = child<QTreeWidget>(*editor, "ListView2");
        clickRow(variables, 0);
        QCOMPARE(variables.topLevelItem(0)->text(0), copied);
        click(*editor, "Command4");
        click(*editor, "Command1");

        QVERIFY(!openedEditor());
        QVERIFY(window.isEnabled());
        QTreeWidgetItem* node = window.tree().find(formula.name);
        QVERIFY(node);
        QCOMPARE(node->parent(), GuiDriver::node(window, parent));
        Store& store = library.store();
        const auto item = store.first("select * from CataConstruct where caption=?", {formula.name});
        QCOMPARE(item->value("belongto").toString(), parent.isEmpty() ? formula.name : parent);
        QCOMPARE(item->value("isroot").toInt(), parent.isEmpty() ? 1 : 0);
        const auto own = store.first("select * from " + sqlName(formula.name) + " where ispara=0");
        QCOMPARE((QStringList{own->value("name").toString(), own->value("varname").toString(), own->value("unit").toString(),
                              own->value("expression").toString(), own->value("descr").toString(),
                              own->value("preci").toString(), own->value("calcount").toString()}),
                 (QStringList{formula.name, formula.function, formula.unit, formula.expression, formula.description, "5", "0"}));
        const QList<QStringList> stored = parameterRows(store, formula.name);
        QCOMPARE(stored.mid(0, 3), listFields(formula.parameters));
        QCOMPARE(stored.size(), 4);
        QCOMPARE(stored.at(3).at(0), copied);

        GuiDriver::clickNode(window, formula.name);
        QTest::mouseClick(window.controls().Command1, Qt::LeftButton);
        QCOMPARE(window.controls().ListView1->topLevelItem(0)->text(2), "-10.00000");
        QVERIFY(library.restart().tree().find(formula.name));
        VERIFY_NO_SURPRISES(library);
    }

    // Every refusal names its reason and comes before anything is written; the editor stays
    // open with what was typed, the main window disabled.
    void refusalsKeepTheEditor_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank in the name") << "Text1" << "Le ver" << "The formula name can't exsit space.";
        QTest::newRow("empty name") << "Text1" << "" << "Please add the formula name! ";
        QTest::newRow("empty unit") << "Text3" << "" << "Please add the Unit ";
        QTest::newRow("no parameters") << "parameters" << "" << "Please add the parameter information";
        QTest::newRow("accuracy 9") << "Combo1" << "9" << "The accuracy is only a whole number from 1 to 8!";
        QTest::newRow("variable without value") << "copy" << "nix" << "The default value is not a number!";
        QTest::newRow("variable no symbol") << "copy" << "m/s" << "The symbol can't be used in an expression, please add another!";
        QTest::newRow("a catalog's name") << "Text1" << "Beams" << "The formula name has been exist!";
        QTest::newRow("a formula's, other case") << "Text1" << "ohmslaw" << "The formula name has been exist!";
        QTest::newRow("a fixed table") << "Text1" << "ParaResult" << "Ther is same table name in the database.";
        QTest::newRow("a table of no item") << "Text1" << "Stray" << "Ther is same table name in the database.";
        QTest::newRow("the root's key") << "Text1" << "GongShi" << "The name is reserved, please add another!";
        QTest::newRow("NUL") << "Text1" << QString("a") + QChar(0) << "The name holds a character that can't be stored, please add another!";
        QTest::newRow("symbol too long to store") << "symbol" << QString(21, 's') << "The library could not be changed";
    }
    void refusalsKeepTheEditor()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        LibraryFixture library;
        Store& store = library.store();
        store.execute("insert into GlobalVariant (varname,name) values ('nix','No value')");
        store.execute("insert into GlobalVariant (varname,name,defvalue) values ('m/s','Speed','1')");
        store.execute(Schema::catalogTable("Stray"));
        form1& window = library.openWindow();
        const int rows = rowCount(store);
        const QSet<QString> tables = store.tableNames();
        QWidget* editor = openEditor(window, "", "mnewfunroot");
        Formula formula = lever();
        if (field == "parameters")
            formula.parameters.clear();
        if (field == "symbol")
            formula.parameters[0].symbol = text;
        fill(*editor, formula);
        if (auto* box = editor->findChild<QLineEdit*>(field))
            box->setText(text);
        if (field == "Combo1")
            child<QComboBox>(*editor, "Combo1").setEditText(text);
        if (field == "copy") {
            auto& variables = child<QTreeWidget>(*editor, "ListView2");
            clickRow(variables, int(symbols(variables).indexOf(text)));
            click(*editor, "Command4");
        }
        const Formula typed = shown(*editor);
        if (message.endsWith("changed"))
            library.dialogs().expectMessageStarting(message);
        else
            library.dialogs().expectMessage(message);
        click(*editor, "Command1");

        QCOMPARE(openedEditor(), editor);
        QVERIFY(!window.isEnabled());
        QCOMPARE(shown(*editor).name, typed.name);
        QCOMPARE(listFields(shown(*editor).parameters), listFields(typed.parameters));
        QCOMPARE(rowCount(store), rows);
        QCOMPARE(store.tableNames(), tables);
        QCOMPARE(EditorDriver::disagreement(window, store), QString());
        VERIFY_NO_SURPRISES(library);
    }

    // The editor opens on the stored formula and sees its catalog's variables before the global
    // ones; the change replaces the parameters, keeps the counter, and the window shows it.
    void modifyReplacesParameters()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        Ui::form1& ui = window.controls();
        GuiDriver::clickNode(window, "OhmsLaw");
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QTreeWidget& tree = *ui.Tvwmain;
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(window.tree().find("OhmsLaw")).center());
        QWidget* editor = openedEditor();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), "Modify Formula");
        QVERIFY(!child<QPushButton>(*editor, "Command5").isEnabled());
        Store& store = library.store();
        const Formula before = shown(*editor);
        QCOMPARE((QStringList{before.name, before.function, before.unit, before.expression, before.precision}),
                 (QStringList{"OhmsLaw", "U", "V", "R*I", "3"}));
        QCOMPARE(listFields(before.parameters), parameterRows(store, "OhmsLaw"));
        QCOMPARE(symbols(child<QTreeWidget>(*editor, "ListView2")),
                 (QStringList{"rhoCu", "rhoAl", "Umains", "g", "Rm", "p0", "T0"}));

        auto& parameters = child<QTreeWidget>(*editor, "ListView1");
        clickRow(parameters, 1);
        library.dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
        ui.Rdelpara->trigger();
        addParameters(*editor, {{"Factor", "k", "", "3", ""}});
        child<QLineEdit>(*editor, "Text4").setText("R*k");
        click(*editor, "Command1");

        QVERIFY(window.isEnabled());
        QCOMPARE(store.first("select * from OhmsLaw where ispara=0")->value("calcount").toString(), "1");
        QCOMPARE(parameterRows(store, "OhmsLaw").size(), 2);
        QCOMPARE(parameterRows(store, "OhmsLaw").at(1), (QStringList{"k", "Factor", "3", "", ""}));
        QCOMPARE(ui.Text3->toPlainText(), "R*k");
        QCOMPARE(ui.Text4->toPlainText(), "OhmsLaw\n" + before.description);
        QCOMPARE(ui.MSFlexGrid1->rowCount(), 6);
        QCOMPARE(ParameterGrid::cell(*ui.MSFlexGrid1, 2, ParameterGrid::SymbolColumn), "k");
        QCOMPARE(ParameterGrid::cell(*ui.MSFlexGrid1, 3, ParameterGrid::SymbolColumn), "");
        VERIFY_NO_SURPRISES(library);
    }

    void rename_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: the rename goes through
        QTest::newRow("at the root") << "KineticEnergy" << "Ek" << "";
        QTest::newRow("in a catalog") << "OhmsLaw" << "Ohm" << "";
        QTest::newRow("letter case only") << "OhmsLaw" << "OHMSLAW" << "";
        QTest::newRow("onto another formula") << "OhmsLaw" << "kineticenergy" << "The formula name has been exist!";
        QTest::newRow("onto a catalog") << "OhmsLaw" << "Fluids" << "The formula name has been exist!";
        QTest::newRow("onto the root's key") << "OhmsLaw" << "gongshi" << "The name is reserved, please add another!";
    }
    void rename()
    {
        QFETCH(QString, formula);
        QFETCH(QString, name);
        QFETCH(QString, message);
        LibraryFixture library;
        form1& window = library.openWindow();
        QTreeWidgetItem* node = window.tree().find(formula);
        QTreeWidgetItem* parent = node->parent();
        QWidget* editor = openEditor(window, formula, "mmodfun");
        child<QLineEdit>(*editor, "Text1").setText(name);
        if (!message.isEmpty())
            library.dialogs().expectMessage(message);
        click(*editor, "Command1");
        Store& store = library.store();
        QCOMPARE(EditorDriver::disagreement(window, store), QString());
        VERIFY_NO_SURPRISES(library);
        if (!message.isEmpty()) {
            QCOMPARE(openedEditor(), editor);
            QCOMPARE(node->text(0), formula);
            return;
        }
        QCOMPARE(window.tree().find(name), node);
        QCOMPARE(node->text(0), name);
        QCOMPARE(window.controls().Text4->toPlainText().section('\n', 0, 0), name);
        // The table keeps its first name.
        QCOMPARE(store.first("select * from CataConstruct where caption=?", {name})->value("indtable").toString(), formula);

        const QString parentText = parent->text(0);
        form1& again = library.restart();
        QCOMPARE(again.tree().find(name)->parent()->text(0), parentText);
        GuiDriver::clickNode(again, name);
        QVERIFY(!again.controls().Text3->toPlainText().isEmpty());
        QCOMPARE(EditorDriver::disagreement(again, library.store()), QString());
    }

    // A formula another program removed is not opened: the editor would have nothing to show.
    void modifyingAVanishedFormulaSaysSo()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        GuiDriver::clickNode(window, "OhmsLaw");
        library.store().execute("drop table OhmsLaw");
        library.dialogs().expectMessage("The formula's data is missing from the library; it can only be deleted.");
        GuiDriver::trigger(window, "mmodfun");
        QVERIFY(!openedEditor());
        QVERIFY(window.isEnabled());
        VERIFY_NO_SURPRISES(library);
    }

    // However the editor closes without saving, nothing is written and the main window is
    // usable again; the next opening starts afresh.
    void closingWritesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("title bar") << "close";
    }
    void closingWritesNothing()
    {
        QFETCH(QString, how);
        LibraryFixture library;
        form1& window = library.openWindow();
        const int rows = rowCount(library.store());
        QWidget* editor = openEditor(window, "Fluids", "mnewfun");
        fill(*editor, lever());
        child<QComboBox>(*editor, "Combo1").setEditText("7");
        if (how == "Cancel")
            click(*editor, "Command2");
        else if (how == "Escape")
            QTest::keyClick(&child<QLineEdit>(*editor, "Text1"), Qt::Key_Escape);
        else
            editor->close();
        QVERIFY(!openedEditor());
        QVERIFY(window.isEnabled());
        QCOMPARE(rowCount(library.store()), rows);

        editor = openEditor(window, "Fluids", "mnewfun");
        const Formula fresh = shown(*editor);
        QCOMPARE(fresh.name + fresh.expression, QString());
        QCOMPARE(fresh.precision, "3");
        QVERIFY(fresh.parameters.isEmpty());
        QVERIFY(child<QPushButton>(*editor, "Command5").isEnabled());
        VERIFY_NO_SURPRISES(library);
    }

    // "Next" stores and clears for another formula in the same catalog, keeping the accuracy.
    void nextKeepsTheContext()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        QWidget* editor = openEditor(window, "Fluids", "mnewfun");
        Formula first = lever();
        first.precision = "6";
        fill(*editor, first);
        click(*editor, "Command5");
        QCOMPARE(openedEditor(), editor);
        QVERIFY(!window.isEnabled());
        const Formula cleared = shown(*editor);
        QCOMPARE(cleared.name + cleared.function + cleared.unit + cleared.expression + cleared.description, QString());
        QVERIFY(cleared.parameters.isEmpty());
        QCOMPARE(cleared.precision, "6");

        Formula second = lever();
        second.name = "Lever2";
        second.precision = QString();
        fill(*editor, second);
        child<QComboBox>(*editor, "Combo1").setEditText("6");
        click(*editor, "Command1");
        QVERIFY(window.isEnabled());
        for (const QString& name : {first.name, second.name}) {
            QCOMPARE(window.tree().find(name)->parent()->text(0), "Fluids");
            QCOMPARE(library.store().first("select * from " + sqlName(name) + " where ispara=0")->value("preci").toInt(), 6);
        }
        VERIFY_NO_SURPRISES(library);
    }

    // Whatever is typed into every field of the editor and the parameter dialog, the program
    // survives and the tree, CataConstruct and the formula tables agree.
    void anyTextKeepsTheLibraryWhole()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        Store& store = library.store();
        const QStringList texts{"'", "\"", "a'); drop table CataConstruct; --", QString(5000, 'x'), "Index",
                                QString("half") + QChar(0xD800), QString("n") + QChar(0), "\t\n", "1e999", "--",
                                QString::fromUtf8("𝔐ü"), "sqlite_x", "a]b[", "Formula Root"};
        int number = 0;
        for (const QString& text : texts) {
            // Once as the name, once in every other field of a formula whose name passes.
            for (const QString& name : {text, QString("Fuzz%1").arg(++number)}) {
                QWidget* editor = openEditor(window, "", "mnewfunroot");
                fill(*editor, {name, text, text, text, text, "3", {{text, text, text, text, text}}});
                auto& variables = child<QTreeWidget>(*editor, "ListView2");
                clickRow(variables, 0);
                click(*editor, "Command4");
                click(*editor, "Command1");
                if (openedEditor())
                    click(*editor, "Command2");
                QVERIFY2(window.isEnabled(), qPrintable(name.left(20)));
                QCOMPARE(EditorDriver::disagreement(window, store), QString());
            }
        }
        // Names the checks let through were stored.
        QVERIFY(window.tree().find("'") && window.tree().find("Index"));
        form1& again = library.restart();
        QCOMPARE(EditorDriver::disagreement(again, library.store()), QString());
    }
};

QTEST_MAIN(FormulaEditorTest)
#include "formulaeditor_test.moc"
