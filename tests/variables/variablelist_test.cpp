#include "guidriver.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "store/store.h"
#include "variabledriver.h"

#include <QTest>

using namespace GuiDriver;
using namespace VariableDriver;

namespace {

const QString AskDelete = "Do you want to delete?";

QStringList enabledEntries(form1& window)
{
    QStringList enabled;
    for (const QAction* entry : {window.controls().Rmodvar, window.controls().Rdelvar, window.controls().Rdelallvar}) {
        if (entry->isEnabled())
            enabled << entry->objectName();
    }
    return enabled;
}

} // namespace

class VariableListTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void menuEnableRules()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        const QStringList all{"Rmodvar", "Rdelvar", "Rdelallvar"};
        const QStringList none;
        QCOMPARE(enabledEntries(window), none);
        // The first menu keeps the states the tree click gave; afterwards all three are on.
        clickNode(window, "Mechanics");
        QCOMPARE(rightClickEntry(window, "Ealu").value_or(QStringList{"no menu"}), all.mid(0, 2));
        QCOMPARE(enabledEntries(window), all);
        // A tree click on an empty catalog turns off what needs an entry, and leaves Delete All.
        clickNode(window, "Beams");
        QCOMPARE(enabledEntries(window), all.mid(2));
        QVERIFY(!rightClickEntry(window, ""));
        clickEntry(window, "");
        QCOMPARE(enabledEntries(window), none);
        clickNode(window, "Mechanics");
        QCOMPARE(enabledEntries(window), all.mid(0, 2));
        clickEntry(window, "");
        QCOMPARE(enabledEntries(window), all);
        VERIFY_NO_SURPRISES(library);
    }

    // Without a selected entry, double click, Delete and Modify do nothing.
    void nothingSelectedDoesNothing()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        const auto before = storedVariables(library.store());
        clickNode(window, "Mechanics");
        const auto outcome = answerDialog({});
        doubleClickEntry(window, "");
        QTest::keyClick(window.controls().ListView2, Qt::Key_Delete);
        trigger(window, "Rmodvar");
        QVERIFY(!outcome->shown);
        QCOMPARE(storedVariables(library.store()), before);
        QCOMPARE(window.controls().ListView2->topLevelItemCount(), before.value("Mechanics").size());
        VERIFY_NO_SURPRISES(library);
    }

    void deleteVariant_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("byKey");
        QTest::newRow("menu, yes") << MsgAnswer::Yes << false;
        QTest::newRow("delete key, no") << MsgAnswer::No << true;
        QTest::newRow("delete key, yes") << MsgAnswer::Yes << true;
    }
    void deleteVariant()
    {
        QFETCH(int, answer);
        QFETCH(bool, byKey);
        LibraryFixture library;
        form1& window = library.openWindow();
        clickNode(window, "Mechanics");
        clickEntry(window, "Ealu");
        auto expected = storedVariables(library.store());
        library.dialogs().expectQuestion(AskDelete, answer);
        if (byKey)
            QTest::keyClick(window.controls().ListView2, Qt::Key_Delete);
        else
            trigger(window, "Rdelvar");
        if (answer == MsgAnswer::Yes)
            expected["Mechanics"].removeAt(1);
        QCOMPARE(storedVariables(library.store()), expected);
        QCOMPARE(listEntries(*window.controls().ListView2), expected.value("Mechanics"));
        VERIFY_NO_SURPRISES(library);
    }

    // Two variables whose symbols and names differ only in case, added one after the other
    // with Next: each command touches only the entry chosen.
    void caseOnlyTwinsStayApart()
    {
        LibraryFixture library;
        form1& window = library.openWindow();
        QTreeWidget& list = *window.controls().ListView2;
        auto expected = storedVariables(library.store());
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
        library.dialogs().expectQuestion(AskDelete, MsgAnswer::Yes);
        QTest::keyClick(&list, Qt::Key_Delete);

        expected["GlobalVariant"] << five({"X", "LENGTH", "3", "m"});
        QCOMPARE(storedVariables(library.store()), expected);
        QCOMPARE(listEntries(list), expected.value("GlobalVariant"));
        VERIFY_NO_SURPRISES(library);
    }

    // Delete All empties the selected level's table and nothing else; when the library refuses,
    // the list shows again what is still there.
    void deleteAll_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("locked");
        QTest::newRow("catalog") << "Mechanics" << false;
        QTest::newRow("root") << "" << false;
        QTest::newRow("library locked by another program") << "Fluids" << true;
    }
    void deleteAll()
    {
        QFETCH(QString, level);
        QFETCH(bool, locked);
        LibraryFixture library;
        form1& window = library.openWindow();
        clickNode(window, level);
        clickEntry(window, "");
        auto expected = storedVariables(library.store());
        library.dialogs().expectQuestion("Do you want to delete all?", MsgAnswer::Yes);
        std::unique_ptr<Store> other;
        std::optional<Store::Transaction> lock;
        if (locked) {
            other = std::make_unique<Store>(library.directory());
            lock.emplace(*other);
            other->execute("delete * from ParaResult");
            library.dialogs().expectMessageStarting("The formula library");
        } else {
            expected[sampleTable(level)].clear();
        }
        trigger(window, "Rdelallvar");
        QCOMPARE(storedVariables(library.store()), expected);
        QCOMPARE(listEntries(*window.controls().ListView2), expected.value(sampleTable(level)));
        VERIFY_NO_SURPRISES(library);
    }
};

QTEST_MAIN(VariableListTest)
#include "variablelist_test.moc"
