// The variable dialog and the variable list through their real widgets, each test on a fresh
// sample library and checked against every variable table afterwards. Fields and entries are
// given as symbol, name, value, unit, description: the order of the list's columns.
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/form1.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "variables/frmaddvar.h"
#include "variables/listrow.h"
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

QStringList dialogFields(QDialog& dialog)
{
    QStringList fields;
    for (const char* box : {"Text1", "Text2", "Text4", "Text3"})
        fields << dialog.findChild<QLineEdit*>(box)->text();
    return fields << dialog.findChild<QPlainTextEdit*>("Text5")->toPlainText();
}

struct DialogOutcome
{
    bool shown = false;
    QString caption;
    QStringList initialFields;
    bool nextEnabled = false;
    bool stayedOpen = false;
    QStringList fieldsAfter; // after the last press
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
        outcome->shown = true;
        outcome->caption = dialog->windowTitle();
        outcome->initialFields = dialogFields(*dialog);
        outcome->nextEnabled = dialog->findChild<QPushButton*>("Command3")->isEnabled();
        for (const QStringList& fields : entries) {
            int i = 0;
            for (const char* box : {"Text1", "Text2", "Text4", "Text3"})
                dialog->findChild<QLineEdit*>(box)->setText(fields.value(i++));
            dialog->findChild<QPlainTextEdit*>("Text5")->setPlainText(fields.value(i));
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

std::shared_ptr<DialogOutcome> addThroughDialog(form1& window, const QString& level, const QStringList& fields)
{
    clickNode(window, level);
    const auto outcome = answerDialog({five(fields)});
    trigger(window, level.isEmpty() ? "mdefvarroot" : "mdefval");
    return outcome;
}

QList<QStringList> listEntries(const QTreeWidget& list)
{
    QList<QStringList> entries;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        entries << listRowFields(*list.topLevelItem(i));
    return entries;
}

// The table of a level of the sample library (empty: the root), whose catalogs were never renamed.
QString sampleTable(const QString& level)
{
    return level.isEmpty() ? "GlobalVariant" : level;
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
            addListRow(rows, row);
        variables.insert(table, listEntries(rows));
    }
    return variables;
}

// The list's entry of that symbol, or a point below the last entry.
QPoint entryPoint(QTreeWidget& list, const QString& symbol)
{
    const auto found = list.findItems(symbol, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return {list.viewport()->width() / 2, list.viewport()->height() - 2};
    return list.visualItemRect(found.constFirst()).center();
}

void clickEntry(form1& window, const QString& symbol)
{
    QTreeWidget& list = *window.controls().ListView2;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, entryPoint(list, symbol));
}

void doubleClickEntry(form1& window, const QString& symbol)
{
    QTreeWidget& list = *window.controls().ListView2;
    const QPoint point = entryPoint(list, symbol);
    // QTest sends the double click alone; a user's comes after a click and before a release.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, point);
}

} // namespace

class VariablesTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // A refusal names its reason, keeps the dialog open with what was typed, writes nothing.
    void addRefusesBadInput_data()
    {
        QTest::addColumn<QString>("level"); // empty: the root
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        const QString exists = "The Variant has been existed!";
        const QString unusable = "The symbol can't be used in an expression, please add another!";
        QTest::newRow("only the symbol is named") << "" << QStringList{"", "", "abc"} << "Please add variant symbol!";
        QTest::newRow("the symbol before the name") << "Beams" << QStringList{"a'b", "", ""} << unusable;
        QTest::newRow("NUL in the symbol") << "" << QStringList{QString("a") + QChar(0), "Name", "1"} << unusable;
        QTest::newRow("exponent") << "" << QStringList{"x", "Name", "1e5"} << "The default Value is only Numeral!";
        QTest::newRow("value that is no number") << "" << QStringList{"x", "Name", "1-2"} << "The default value is not a number!";
        QTest::newRow("a global at the root") << "" << QStringList{"g", "Gravity", "9.81"} << exists;
        QTest::newRow("in a catalog above") << "Beams" << QStringList{"Esteel", "Steel", "1"} << exists;
        QTest::newRow("a global, in a catalog") << "Beams" << QStringList{"g", "Gravity", "1"} << exists;
        QTest::newRow("10,000-character symbol") << "" << QStringList{QString(10000, 's'), "Long", "1"}
                                                 << "The library could not be changed";
        QTest::newRow("lone surrogate in the unit") << "" << QStringList{"x", "Name", "1", "m" + QString(QChar(0xDC00))}
                                                    << "A text holds a broken character";
    }
    void addRefusesBadInput()
    {
        QFETCH(QString, level);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        form1& window = library().openWindow();
        const auto before = storedVariables(library().store());
        if (message.endsWith('!'))
            library().dialogs().expectMessage(message);
        else
            library().dialogs().expectMessageStarting(message);
        const auto outcome = addThroughDialog(window, level, fields);
        QCOMPARE(outcome->caption, "Add Variant");
        QVERIFY(outcome->stayedOpen);
        QCOMPARE(outcome->fieldsAfter, five(fields));
        QCOMPARE(storedVariables(library().store()), before);
        QCOMPARE(listEntries(*window.controls().ListView2), before.value(sampleTable(level)));
    }

    // What passes lands in the selected level's table exactly as typed; the list shows the typed
    // texts at once and the stored ones when the level is shown again.
    void addStoresTheVariable_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("storedValue");
        QTest::newRow("case twin of a global") << "" << QStringList{"G", "Upper g", "9.81", "m/s²", "Twin of g"} << "9.81";
        QTest::newRow("another branch's symbol") << "Beams" << QStringList{"rhoCu", "Copper", "0.0172", "Ω·mm²/m"} << "0.0172";
        QTest::newRow("quotes and SQL in every text")
            << "Fluids" << QStringList{"q", "O'Brien \"x\"", "-1.5", "';--", "a\"b'c); drop table GlobalVariant; --"} << "-1.5";
        QTest::newRow("NUL in the name, lines in the description")
            << "Thermodynamics" << QStringList{QString::fromUtf8("α"), QString("a") + QChar(0) + "b", "12", "1/K", "one\ntwo"}
            << "12";
        QTest::newRow("10,000-character texts") << "" << QStringList{"d", QString(10000, 'n'), "2", "", QString(10000, 'd')} << "2";
        QTest::newRow("value rounded when stored") << "" << QStringList{"r", "Rounded", "1.23456"} << "1.2346";
    }
    void addStoresTheVariable()
    {
        QFETCH(QString, level);
        QFETCH(QStringList, fields);
        QFETCH(QString, storedValue);
        form1& window = library().openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        auto expected = storedVariables(library().store());
        const auto outcome = addThroughDialog(window, level, fields);
        QVERIFY(outcome->shown && !outcome->stayedOpen);
        QCOMPARE(listEntries(list).constLast(), five(fields));

        QStringList stored = five(fields);
        stored[2] = storedValue;
        expected[sampleTable(level)] << stored;
        QCOMPARE(storedVariables(library().store()), expected);
        clickNode(window, level);
        QCOMPARE(listEntries(list).constLast(), stored);
    }

    // Modify changes the selected variable in place; only the list's other symbols are taken.
    void modify_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("same symbol, all else new") << QStringList{"Ealu", "Aluminium", "69000", "MPa", "Rewritten"} << "";
        QTest::newRow("another entry's symbol") << QStringList{"Esteel", "Steel", "1"}
                                                << "The variant name has been existed,please add another!";
        QTest::newRow("a global's symbol") << QStringList{"g", "Gravity here", "9.81"} << "";
        QTest::newRow("case variant of another entry") << QStringList{"ESTEEL", "Loud", "1"} << "";
    }
    void modify()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        form1& window = library().openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        clickNode(window, "Mechanics");
        auto expected = storedVariables(library().store());
        const QStringList old = listEntries(list).at(1);
        if (!message.isEmpty())
            library().dialogs().expectMessage(message);
        const auto outcome = answerDialog({five(fields)});
        doubleClickEntry(window, old.at(0));
        QCOMPARE(outcome->caption, "Modify Variant");
        QCOMPARE(outcome->initialFields, old);
        QVERIFY(!outcome->nextEnabled);
        QCOMPARE(outcome->stayedOpen, !message.isEmpty());
        if (message.isEmpty())
            expected["Mechanics"][1] = five(fields);
        QCOMPARE(storedVariables(library().store()), expected);
        QCOMPARE(listEntries(list), expected.value("Mechanics"));
    }

    // A variable another program deleted is not written back; its entry goes.
    void modifyingAVanishedVariableSaysSo()
    {
        form1& window = library().openWindow();
        clickNode(window, "Mechanics");
        library().store().execute("delete * from Mechanics where varname='Ealu'");
        const auto expected = storedVariables(library().store());
        library().dialogs().expectMessage("The item is no longer in the library.");
        const auto outcome = answerDialog({five({"Ealu", "Aluminium", "1"})});
        doubleClickEntry(window, "Ealu");
        QVERIFY(outcome->shown && !outcome->stayedOpen);
        QCOMPARE(storedVariables(library().store()), expected);
        QCOMPARE(listEntries(*window.controls().ListView2), expected.value("Mechanics"));
    }

    // Nearest first, through renamed catalogs, up to the one under the root; the walk ends even
    // in a library whose parents form a loop.
    void visibleTablesFollowTheChain()
    {
        Store& store = library().store();
        Catalogs::add(store, "Deep", "Beams", "");
        Catalogs::modify(store, "Beams", "Girders", "");
        const QStringList chain{"Deep", "Beams", "Mechanics", "GlobalVariant"};
        const auto visible = [&](const QString& catalog) { return Variables::visibleTables(store, catalog).value_or(QStringList{"missing"}); };
        QCOMPARE(visible("Deep"), chain);
        QCOMPARE(visible("Girders"), chain.mid(1));
        QCOMPARE(visible(""), QStringList{"GlobalVariant"});
        QCOMPARE(visible("Beams"), QStringList{"missing"});

        store.execute("update CataConstruct set belongto='Deep', isroot=0 where caption='Mechanics'");
        QCOMPARE(visible("Deep"), chain);
    }

    // Without a selected entry, double click, Delete and Modify do nothing.
    void nothingSelectedDoesNothing()
    {
        form1& window = library().openWindow();
        const auto before = storedVariables(library().store());
        clickNode(window, "Mechanics");
        const auto outcome = answerDialog({});
        doubleClickEntry(window, "");
        QTest::keyClick(window.controls().ListView2, Qt::Key_Delete);
        trigger(window, "Rmodvar");
        QVERIFY(!outcome->shown);
        QCOMPARE(storedVariables(library().store()), before);
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), before.value("Mechanics").size());
    }

    // Two variables whose symbols and names differ only in case, added one after the other
    // with Next: each command touches only the entry chosen; Delete asks first, by key or menu.
    void caseOnlyTwinsStayApart()
    {
        form1& window = library().openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        auto expected = storedVariables(library().store());
        clickNode(window, "");
        const QList<QStringList> twins{five({"x", "Length", "1"}), five({"X", "LENGTH", "2"})};
        const auto added = answerDialog(twins, "Command3");
        trigger(window, "mdefvarroot");
        QVERIFY(added->stayedOpen);
        QCOMPARE(added->caption, "Add Variant");
        QCOMPARE(added->fieldsAfter, five({}));
        QCOMPARE(listEntries(list).mid(expected.value("GlobalVariant").size()), twins);
        clickEntry(window, "X");
        answerDialog({five({"X", "LENGTH", "3", "m"})});
        trigger(window, "Rmodvar");
        clickEntry(window, "x");
        const auto beforeDelete = storedVariables(library().store());
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::No);
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(storedVariables(library().store()), beforeDelete);
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
        trigger(window, "Rdelvar");

        expected["GlobalVariant"] << five({"X", "LENGTH", "3", "m"});
        QCOMPARE(storedVariables(library().store()), expected);
        QCOMPARE(listEntries(list), expected.value("GlobalVariant"));
    }

    // Delete All empties the selected level's table and nothing else; when the library refuses,
    // the list shows again what is still there.
    void deleteAll_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("locked");
        QTest::newRow("root") << "" << false;
        QTest::newRow("library locked by another program") << "Fluids" << true;
    }
    void deleteAll()
    {
        QFETCH(QString, level);
        QFETCH(bool, locked);
        form1& window = library().openWindow();
        clickNode(window, level);
        clickEntry(window, "");
        auto expected = storedVariables(library().store());
        library().dialogs().expectQuestion("Do you want to delete all?", MsgAnswer::Yes);
        std::unique_ptr<Store> other;
        std::optional<Store::Transaction> lock;
        if (locked) {
            other = std::make_unique<Store>(library().directory());
            lock.emplace(*other);
            other->execute("delete * from ParaResult");
            library().dialogs().expectMessageStarting("The formula library");
        } else {
            expected[sampleTable(level)].clear();
        }
        trigger(window, "Rdelallvar");
        QCOMPARE(storedVariables(library().store()), expected);
        QCOMPARE(listEntries(*window.controls().ListView2), expected.value(sampleTable(level)));
    }
};

QTEST_MAIN(VariablesTest)
#include "variables_test.moc"
