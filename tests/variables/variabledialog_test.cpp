#include "guidriver.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "store/store.h"
#include "variabledriver.h"

#include <QTest>

using namespace GuiDriver;
using namespace VariableDriver;

namespace {

std::shared_ptr<DialogOutcome> addThroughDialog(form1& window, const QString& level, const QStringList& fields)
{
    clickNode(window, level);
    const auto outcome = answerDialog({five(fields)});
    trigger(window, level.isEmpty() ? "mdefvarroot" : "mdefval");
    return outcome;
}

} // namespace

class VariableDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // A refusal names its reason, keeps the dialog open with what was typed, writes nothing.
    void addRefusesBadInput_data()
    {
        QTest::addColumn<QString>("level"); // empty: the root
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        const QString exists = "The Variant has been existed!";
        QTest::newRow("only the symbol is named") << "" << QStringList{"", "", "abc"} << "Please add variant symbol!";
        QTest::newRow("the symbol before the name") << "Beams" << QStringList{"a'b", "", ""}
                                                    << "The symbol can't be used in an expression, please add another!";
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
        LibraryFixture library;
        form1& window = library.openWindow();
        const auto before = storedVariables(library.store());
        if (message.endsWith('!'))
            library.dialogs().expectMessage(message);
        else
            library.dialogs().expectMessageStarting(message);
        const auto outcome = addThroughDialog(window, level, fields);
        QCOMPARE(outcome->caption, "Add Variant");
        QVERIFY(outcome->stayedOpen);
        QCOMPARE(outcome->fieldsAfter, five(fields));
        QCOMPARE(storedVariables(library.store()), before);
        QCOMPARE(listEntries(*window.controls().ListView2), before.value(sampleTable(level)));
        VERIFY_NO_SURPRISES(library);
    }

    // What passes lands in the selected level's table exactly as typed; the list shows the typed
    // texts at once and the stored ones when the level is shown again.
    void addStoresTheVariable_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("storedValue");
        QTest::newRow("case twin of a global") << "" << QStringList{"G", "Upper g", "9.81", "m/s²", "Twin of g"} << "9.81";
        QTest::newRow("a catalog's symbol at the root") << "" << QStringList{"Esteel", "Steel", "210000"} << "210000";
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
        LibraryFixture library;
        form1& window = library.openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        auto expected = storedVariables(library.store());
        const auto outcome = addThroughDialog(window, level, fields);
        QVERIFY(outcome->shown && !outcome->stayedOpen);
        QCOMPARE(listEntries(list).constLast(), five(fields));

        QStringList stored = five(fields);
        stored[2] = storedValue;
        expected[sampleTable(level)] << stored;
        QCOMPARE(storedVariables(library.store()), expected);
        clickNode(window, level);
        QCOMPARE(listEntries(list).constLast(), stored);
        VERIFY_NO_SURPRISES(library);
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
        QTest::newRow("unusable symbol") << QStringList{"E alu", "Spaced", "1"}
                                         << "The symbol can't be used in an expression, please add another!";
    }
    void modify()
    {
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        LibraryFixture library;
        form1& window = library.openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        clickNode(window, "Mechanics");
        auto expected = storedVariables(library.store());
        const QStringList old = listEntries(list).at(1);
        if (!message.isEmpty())
            library.dialogs().expectMessage(message);
        const auto outcome = answerDialog({five(fields)});
        doubleClickEntry(window, old.at(0));
        QCOMPARE(outcome->caption, "Modify Variant");
        QCOMPARE(outcome->initialFields, old);
        QVERIFY(!outcome->nextEnabled);
        QCOMPARE(outcome->stayedOpen, !message.isEmpty());
        if (message.isEmpty())
            expected["Mechanics"][1] = five(fields);
        QCOMPARE(storedVariables(library.store()), expected);
        QCOMPARE(listEntries(list), expected.value("Mechanics"));
        VERIFY_NO_SURPRISES(library);
    }

    // A variable another program deleted is not written back; its entry goes.
    void modifyingAVanishedVariableSaysSo()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        clickNode(window, "Mechanics");
        library.store().execute("delete * from Mechanics where varname='Ealu'");
        const auto expected = storedVariables(library.store());
        library.dialogs().expectMessage("The item is no longer in the library.");
        const auto outcome = answerDialog({five({"Ealu", "Aluminium", "1"})});
        doubleClickEntry(window, "Ealu");
        QVERIFY(outcome->shown && !outcome->stayedOpen);
        QCOMPARE(storedVariables(library.store()), expected);
        QCOMPARE(listEntries(*window.controls().ListView2), expected.value("Mechanics"));
        VERIFY_NO_SURPRISES(library);
    }
};

QTEST_MAIN(VariableDialogTest)
#include "variabledialog_test.moc"
