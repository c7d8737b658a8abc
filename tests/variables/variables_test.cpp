// The variable dialog and the variable list through their real widgets, each test on a fresh
// sample library and checked against every variable table afterwards. Fields and entries are
// given as symbol, name, value, unit, description: the order of the list's columns.
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "ui_form1.h"
#include "variables/frmaddvar.h"
#include "variables/listrow.h"
#include "variables/parameterchecks.h"
#include "variables/variables.h"

#include <QApplication>
#include <QSqlRecord>
#include <QTimer>

using namespace GuiDriver;

namespace {

// The fields given, then empty ones up to five.
QStringList five(QStringList fields)
{
    while (fields.size() < 5)
        fields << QString();
    return fields;
}

// The dialog's boxes in the order of the list's columns, and the property holding their text.
const QList<std::pair<const char*, const char*>> Boxes{
    {"Text1", "text"}, {"Text2", "text"}, {"Text4", "text"}, {"Text3", "text"}, {"Text5", "plainText"}};

QStringList dialogFields(QDialog& dialog)
{
    QStringList fields;
    for (const auto& [box, property] : Boxes)
        fields << dialog.findChild<QWidget*>(box)->property(property).toString();
    return fields;
}

struct DialogOutcome
{
    QStringList initialFields; // empty: no dialog opened
    QStringList fieldsAfter;   // after the last press
    bool stayedOpen = false;
};

// Fills the variable dialog opened by what runs next with each set of fields in turn, pressing
// button ("Command1" OK, "Command3" Next) after each; a dialog still open at the end is cancelled.
std::shared_ptr<DialogOutcome> answerDialog(const QList<QStringList>& entries, const char* button = "Command1")
{
    auto outcome = std::make_shared<DialogOutcome>();
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<Frmaddvar*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        outcome->initialFields = dialogFields(*dialog);
        for (const QStringList& fields : entries) {
            for (int i = 0; i < Boxes.size(); ++i)
                dialog->findChild<QWidget*>(Boxes[i].first)->setProperty(Boxes[i].second, fields.value(i));
            dialog->findChild<QPushButton*>(button)->click();
            if (!dialog->isVisible())
                break;
        }
        outcome->fieldsAfter = dialogFields(*dialog);
        outcome->stayedOpen = dialog->isVisible();
        if (outcome->stayedOpen)
            dialog->findChild<QPushButton*>("Command2")->click();
    });
    return outcome;
}

// Every variable of the library as stored, by table: GlobalVariant and each catalog's table.
QMap<QString, QList<QStringList>> storedVariables(Store& store)
{
    QStringList tables{"GlobalVariant"};
    for (const QSqlRecord& catalog : store.query("select * from CataConstruct where flag=1"))
        tables << catalog.value("indtable").toString();
    QMap<QString, QList<QStringList>> variables;
    for (const QString& table : tables) {
        QTreeWidget rows;
        for (const QSqlRecord& row : store.query("select * from " + sqlName(table)))
            addListRow(rows, NamedValue::fromRow(row));
        variables.insert(table, listRows(rows));
    }
    return variables;
}

// Clicks the list's entry of that symbol, or below the last entry; twice, as a user double
// clicks: QTest sends the double click alone, a user's comes after a click and before a release.
void clickEntry(form1& window, const QString& symbol, bool twice = false)
{
    QTreeWidget& list = *window.controls().ListView2;
    const qsizetype found = symbol.isEmpty() ? -1 : columnTexts(list).indexOf(symbol);
    const QPoint point = clickRow(list, found < 0 ? list.topLevelItemCount() : int(found));
    if (twice) {
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, point);
    }
}

} // namespace

class VariablesTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // Adding to a level, or modifying the second entry of Mechanics. A refusal names its reason,
    // keeps the dialog open with what was typed and writes nothing. What passes lands in the
    // level's table exactly as typed (a modified entry in its place; only the list's other
    // symbols are taken); the list shows the typed texts at once and the stored ones when the
    // level is shown again; a value the library keeps rounded is stored with a notice saying so.
    // An entry another program deleted meanwhile is not written back.
    void addAndModify_data()
    {
        QTest::addColumn<QString>("level"); // empty: the root; Mechanics: modify
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<QString>("storedValue");
        QTest::newRow("10,000-character symbol") << "" << QStringList{QString(10000, 's'), "Long", "1"}
                                                 << "The symbol of global variable Long has more than 20 characters. Nothing "
                                                    "was changed; shorten it to 20 characters at most."
                                                 << "";
        QTest::newRow("lone surrogate in the unit") << "" << QStringList{"x", "Name", "1", "m" + QString(QChar(0xDC00))}
                                                    << "A text holds a broken character" << "";
        QTest::newRow("quotes and SQL in every text")
            << "Fluids" << QStringList{"q", "O'Brien \"x\"", "-1.5", "';--", "a\"b'c); drop table GlobalVariant; --"} << "" << "-1.5";
        QTest::newRow("lines and tabs in the description")
            << "Thermodynamics" << QStringList{QString::fromUtf8("α"), "Expansion", "12", "1/K", "one\ntwo\tthree"} << "" << "12";
        QTest::newRow("longest texts") << "" << QStringList{"d", QString(100, 'n'), "2", "", QString(4000, 'd')} << "" << "2";
        // A new symbol is refused where its level, a catalog above it or the root has it.
        QTest::newRow("a global's symbol") << "" << QStringList{"g", "Gravity", "1"} << "The Variant has been existed!" << "";
        QTest::newRow("a symbol of a catalog above") << "Beams" << QStringList{"Esteel", "Steel", "1"}
                                                     << "The Variant has been existed!" << "";
        QTest::newRow("value rounded when stored")
            << "" << QStringList{"r", "Rounded", "1.23456"}
            << "The value 1.23456 is stored as 1.2346: the library keeps four decimal places." << "1.2346";
        QTest::newRow("modify: same symbol, all else new")
            << "Mechanics" << QStringList{"Ealu", "Aluminium", "69000", "MPa", "Rewritten"} << "" << "69000";
        QTest::newRow("modify: another entry's symbol")
            << "Mechanics" << QStringList{"Esteel", "Steel", "1"} << "The variant name has been existed,please add another!" << "";
        QTest::newRow("modify: a global's symbol") << "Mechanics" << QStringList{"g", "Gravity here", "9.81"} << "" << "9.81";
        QTest::newRow("modify: case variant of another entry") << "Mechanics" << QStringList{"ESTEEL", "Loud", "1"} << "" << "1";
        QTest::newRow("modify: deleted meanwhile")
            << "Mechanics" << QStringList{"Ealu", "Aluminium", "1"} << "The item is no longer in the library." << "";
    }
    void addAndModify()
    {
        QFETCH(QString, level);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        QFETCH(QString, storedValue);
        form1& window = library().openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        const QString table = level.isEmpty() ? "GlobalVariant" : level;
        const bool modifying = level == "Mechanics";
        const bool vanished = message.startsWith("The item");
        const bool notice = message.contains(" is stored as ");
        clickNode(window, level);
        auto expected = storedVariables(library().store());
        const QStringList old = listRows(list).value(1);
        if (vanished) {
            library().store().execute("delete * from Mechanics where varname=?", {old.at(0)});
            expected[table].removeAt(1);
        }
        if (message.endsWith('!') || vanished || notice)
            library().dialogs().expectMessage(message);
        else if (!message.isEmpty())
            library().dialogs().expectMessageStarting(message);
        const auto outcome = answerDialog({five(fields)});
        if (modifying)
            clickEntry(window, old.at(0), true);
        else
            trigger(window, level.isEmpty() ? "mdefvarroot" : "mdefval");
        QCOMPARE(outcome->initialFields, modifying ? old : five({}));
        QCOMPARE(outcome->stayedOpen, !message.isEmpty() && !vanished && !notice);
        QList<QStringList>& entries = expected[table];
        if (outcome->stayedOpen)
            QCOMPARE(outcome->fieldsAfter, five(fields));
        else if (modifying && !vanished)
            entries[1] = five(fields);
        else if (!vanished)
            entries << five(fields);
        QCOMPARE(listRows(list), entries);
        if (message.isEmpty() || notice)
            entries[modifying ? 1 : entries.size() - 1][2] = storedValue;
        QCOMPARE(storedVariables(library().store()), expected);
        clickNode(window, level);
        QCOMPARE(listRows(list), entries);
    }

    // Another window changes a variable of Mechanics while the list shows it. Changing or
    // deleting it then is refused, naming it: the dialog keeps what was typed, the list its
    // entry and the library the other window's change. The entry of this window's own change,
    // showing the value as typed (0.00001, kept as 0), matches what the library keeps, also
    // after the other window writes a value that rounds alike. Adding into the catalog, or
    // deleting from it, after the other window renamed it is refused.
    void anotherWindowsChangeIsKept_data()
    {
        QTest::addColumn<QString>("command"); // on the entry of Ealu, or mdefval on Mechanics
        QTest::addColumn<QStringList>("changes"); // made through the other window's connection
        QTest::addColumn<QString>("message"); // empty: done
        const QString changed = "The variant \"Ealu\" was changed in the library by another window since the list "
                                "showed it; nothing was changed. Click its catalog or the root in the tree to see the change.";
        QTest::newRow("modify: value changed") << "Rmodvar" << QStringList{"update Mechanics set defvalue=1 where varname='Ealu'"} << changed;
        QTest::newRow("delete: description changed") << "Rdelvar" << QStringList{"update Mechanics set descr='' where varname='Ealu'"} << changed;
        QTest::newRow("modify: a value rounding alike") << "Rmodvar" << QStringList{"update Mechanics set defvalue=0.00004 where varname='Ealu'"} << "";
        QTest::newRow("delete: unchanged") << "Rdelvar" << QStringList{} << "";
        const QStringList rename{"update CataConstruct set caption='Mech' where caption='Mechanics'",
                                 "update CataConstruct set belongto='Mech' where belongto='Mechanics'"};
        const QString gone = "The catalog \"Mechanics\" is no longer in the library: another window renamed or deleted it. "
                             "Nothing was changed.";
        QTest::newRow("add: catalog renamed") << "mdefval" << rename << gone;
        QTest::newRow("delete: catalog renamed") << "Rdelvar" << rename << gone;
    }
    void anotherWindowsChangeIsKept()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        form1& window = library().openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        clickNode(window, "Mechanics");
        clickEntry(window, "Ealu");
        const QStringList own = five({"Ealu", "Modulus of aluminium", "0.00001", "MPa", "Tiny"});
        answerDialog({own});
        library().dialogs().expectMessage("The value 0.00001 is stored as 0.0000: the library keeps four decimal places.");
        trigger(window, "Rmodvar");
        Store other(library().directory());
        for (const QString& change : changes)
            other.execute(change);
        auto stored = storedVariables(other);
        auto entries = listRows(list);
        const int ealu = int(entries.indexOf(own));

        const QStringList typed = five({"Emag", "Modulus of magnesium", "45000", "MPa", "Typed"});
        std::shared_ptr<DialogOutcome> outcome;
        if (command == "Rdelvar") {
            library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
            if (!message.isEmpty())
                library().dialogs().expectMessage(message);
            clickEntry(window, "Ealu");
            trigger(window, "Rdelvar");
        } else {
            if (!message.isEmpty())
                library().dialogs().expectMessage(message);
            outcome = answerDialog({typed});
            if (command == "Rmodvar")
                clickEntry(window, "Ealu");
            trigger(window, command.toLatin1());
            QCOMPARE(outcome->stayedOpen, !message.isEmpty());
            QCOMPARE(outcome->fieldsAfter, typed);
        }
        if (message.isEmpty()) {
            if (command == "Rdelvar") {
                entries.removeAt(ealu);
                stored["Mechanics"].removeAt(ealu);
            } else {
                entries[ealu] = typed;
                stored["Mechanics"][ealu] = typed;
            }
        }
        QCOMPARE(listRows(list), entries);
        QCOMPARE(storedVariables(other), stored);
    }

    // The checks of what is typed for a variable and for a parameter, in the order the user meets
    // them: the first problem is the one told. Values are numerals (digits, a point, a minus sign)
    // that read as a number; names show whole on a line. A parameter's symbol differs exactly from
    // the other parameters' of its formula.
    void fieldChecks_data()
    {
        QTest::addColumn<QStringList>("fields"); // symbol, name, value, unit, description
        QTest::addColumn<QStringList>("taken");  // the formula's other parameters' symbols
        QTest::addColumn<int>("variable");       // Variables::Problem
        QTest::addColumn<int>("parameter");      // ParameterChecks::Problem
        using V = Variables::Problem;
        using P = ParameterChecks::Problem;
        const auto row = [](const char* name, const QStringList& fields, V variable, P parameter, const QStringList& taken = {}) {
            QTest::newRow(name) << fields << taken << int(variable) << int(parameter);
        };
        row("nothing typed: the symbol, or the parameter's name, first", {"", "", ""}, V::EmptySymbol, P::EmptyName);
        row("NUL in the symbol, before the name", {QString("a") + QChar(0), "", "1"}, V::UnusableSymbol, P::EmptyName);
        row("symbol no expression can name", {"1a", "Name", "1"}, V::UnusableSymbol, P::UnusableSymbol);
        row("no value", {"x", "Name", ""}, V::EmptyValue, P::EmptyValue);
        row("exponent", {"x", "Name", "1e5"}, V::NotNumeral, P::NotNumeral);
        row("decimal comma", {"x", "Name", "2,5"}, V::NotNumeral, P::NotNumeral);
        row("numerals that are no number", {"x", "Name", "1-2"}, V::NotANumber, P::NotANumber);
        row("a minus sign alone", {"x", "Name", "-"}, V::NotANumber, P::NotANumber);
        row("a zero-width space in the name", {"x", QString::fromUtf8("Zero\u200Bwidth"), "1"}, V::UnprintableName, P::UnprintableName);
        row("101-character name", {"x", QString(101, 'n'), "1"}, V::NameTooLong, P::NameTooLong);
        row("4001-character description", {"x", "Name", "1", "", QString(4001, 'd')}, V::DescriptionTooLong, P::DescriptionTooLong);
        row("another parameter's symbol", {"R", "Gain", "1"}, V::None, P::SymbolInUse, {"I", "R"});
        row("its case differs", {"r", "Gain", "-2.5", "'unit'", "one\ntwo"}, V::None, P::None, {"I", "R"});
        row("longest texts", {"x", QString(100, 'n'), "2", "", QString(4000, 'd')}, V::None, P::None);
    }
    void fieldChecks()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, taken);
        QFETCH(int, variable);
        QFETCH(int, parameter);
        const NamedValue typed = NamedValue::fromListFields(five(fields));
        QCOMPARE(int(Variables::checkFields(typed)), variable);
        QCOMPARE(int(ParameterChecks::check(typed, taken)), parameter);
    }

    // Nearest first, through a renamed catalog; a loop of parents in a damaged library ends the walk.
    void visibleTablesFollowTheChain()
    {
        Store& store = library().store();
        Catalogs::add(store, "Deep", "Beams", "");
        Catalogs::modify(store, "Beams", "Girders", "", *Catalogs::read(store, "Beams"));
        store.execute("update CataConstruct set belongto='Deep', isroot=0 where caption='Mechanics'");
        QCOMPARE(Variables::visibleTables(store, "Deep").value_or(QStringList()), (QStringList{"Deep", "Beams", "Mechanics", "GlobalVariant"}));
        QVERIFY(!Variables::visibleTables(store, "Beams"));
    }

    // Two variables at the root whose symbols and names differ only in case, added one after the
    // other with Next: each command touches only the entry chosen; Delete asks first, by key or
    // menu; with no entry selected, double click, Delete and Modify do nothing. Delete All
    // empties the root's table and nothing else; while another program holds the library it is
    // refused, and the list shows again what is still there.
    void rootVariables()
    {
        form1& window = library().openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        auto expected = storedVariables(library().store());
        clickNode(window, "");
        const QList<QStringList> twins{five({"x", "Length", "1"}), five({"X", "LENGTH", "2"})};
        const auto added = answerDialog(twins, "Command3");
        trigger(window, "mdefvarroot");
        QVERIFY(added->stayedOpen);
        QCOMPARE(added->fieldsAfter, five({}));
        QCOMPARE(listRows(list).mid(expected.value("GlobalVariant").size()), twins);
        clickEntry(window, "X");
        answerDialog({five({"X", "LENGTH", "3", "m"})});
        trigger(window, "Rmodvar");
        clickEntry(window, "x");
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::No);
        QTest::keyClick(&list, Qt::Key_Delete);
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
        trigger(window, "Rdelvar");
        expected["GlobalVariant"] << five({"X", "LENGTH", "3", "m"});
        QCOMPARE(storedVariables(library().store()), expected);
        QCOMPARE(listRows(list), expected.value("GlobalVariant"));

        const auto outcome = answerDialog({});
        clickEntry(window, "", true);
        QTest::keyClick(&list, Qt::Key_Delete);
        trigger(window, "Rmodvar");
        QVERIFY(outcome->initialFields.isEmpty());
        {
            Store other(library().directory());
            Store::Transaction lock(other);
            other.execute("delete * from ParaResult");
            library().dialogs().expectQuestion("Do you want to delete all?", MsgAnswer::Yes);
            library().dialogs().expectMessageStarting("The formula library");
            trigger(window, "Rdelallvar");
            QCOMPARE(storedVariables(library().store()), expected);
            QCOMPARE(listRows(list), expected.value("GlobalVariant"));
        }
        library().dialogs().expectQuestion("Do you want to delete all?", MsgAnswer::Yes);
        trigger(window, "Rdelallvar");
        expected["GlobalVariant"].clear();
        QCOMPARE(storedVariables(library().store()), expected);
        QCOMPARE(list.topLevelItemCount(), 0);
    }
};

QTEST_MAIN(VariablesTest)
#include "variables_test.moc"
