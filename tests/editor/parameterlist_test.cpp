// The editor's parameter list: the parameter dialogs and their checks, copying variables,
// deleting, the list menus, and the live check of the expression. Nothing here touches the
// library until the formula is saved.
#include "editordriver.h"
#include "libraryfixture.h"
#include "mainwindow/form1.h"
#include "store/store.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

using namespace EditorDriver;

class ParameterListTest : public QObject
{
    Q_OBJECT

    std::optional<LibraryFixture> library_;
    form1* window_ = nullptr;
    QWidget* editor_ = nullptr;

    ScriptedDialogs& dialogs() { return library_->dialogs(); }
    QTreeWidget& parameters() { return child<QTreeWidget>(*editor_, "ListView1"); }
    QTreeWidget& variables() { return child<QTreeWidget>(*editor_, "ListView2"); }
    Ui::form1& menus() { return window_->controls(); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    // Every test starts in the editor on OhmsLaw: parameters R and I, the variables of
    // Electrical and the global ones.
    void init()
    {
        library_.emplace();
        window_ = &library_->openWindow();
        editor_ = openEditor(*window_, "OhmsLaw", "mmodfun");
        QVERIFY(editor_);
    }
    void cleanup()
    {
        VERIFY_NO_SURPRISES(*library_);
        library_.reset();
    }

    // The checks run in order, the first failing one names its reason; a refused parameter
    // leaves the list as it was and the dialog open with what was typed.
    void addChecks_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("both names empty") << "" << "" << "" << "Please add parameter name!";
        QTest::newRow("symbol empty") << "" << "Gain" << "x" << "Please add variant name!";
        QTest::newRow("default cleared") << "k" << "Gain" << "" << "Please add default value!";
        QTest::newRow("decimal comma") << "k" << "Gain" << "2,5" << "The default Value is only Numeral!";
        QTest::newRow("exponent") << "k" << "Gain" << "1e3" << "The default Value is only Numeral!";
        QTest::newRow("numeral, no number") << "k" << "Gain" << "1-2" << "The default value is not a number!";
        QTest::newRow("no symbol") << "m/s" << "Gain" << "1" << "The symbol can't be used in an expression, please add another!";
        QTest::newRow("a constant") << "_pi" << "Gain" << "1" << "The symbol can't be used in an expression, please add another!";
        QTest::newRow("symbol in the list") << "R" << "Gain" << "1" << "The variant name has been existed,please add another!";
        QTest::newRow("other case") << "r" << "Gain" << "-2.5" << "";
    }
    void addChecks()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, message);
        const FormulaParameter typed{name, symbol, "'unit'", value, "said \"so\""};
        if (!message.isEmpty())
            dialogs().expectMessage(message);
        const auto before = rows(parameters());
        auto stayed = std::make_shared<bool>(false);
        const auto shown = onModal([&, stayed](QDialog& dialog) {
            QCOMPARE(typedParameter(dialog).value, "0");
            typeParameter(dialog, typed);
            click(dialog, "Command1");
            *stayed = dialog.isVisible() && typedParameter(dialog).listFields() == typed.listFields();
        });
        click(*editor_, "Command3");
        QVERIFY(*shown);
        QCOMPARE(*stayed, !message.isEmpty());
        QCOMPARE(rows(parameters()), message.isEmpty() ? before + QList<QStringList>{typed.listFields()} : before);
    }

    // Enter is "Next": the row goes in and the dialog waits for the next one.
    void enterAddsAndStaysOpen()
    {
        auto next = std::make_shared<FormulaParameter>();
        onModal([next](QDialog& dialog) {
            typeParameter(dialog, {"Gain", "k", "", "2", ""});
            QTest::keyClick(&child<QLineEdit>(dialog, "Text4"), Qt::Key_Return);
            QVERIFY(dialog.isVisible());
            *next = typedParameter(dialog);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        click(*editor_, "Command3");
        QCOMPARE(next->listFields(), (QStringList{"", "", "0", "", ""}));
        QCOMPARE(symbols(parameters()), (QStringList{"R", "I", "k"}));
    }

    // The changed row keeps its place; a symbol is compared with the other rows only when it
    // changes.
    void modifyInPlace_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("message");
        QTest::newRow("symbol unchanged") << "I" << "";
        QTest::newRow("new symbol") << "J" << "";
        QTest::newRow("another row's symbol") << "R" << "The variant name has been existed,please add another!";
    }
    void modifyInPlace()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, message);
        if (!message.isEmpty())
            dialogs().expectMessage(message);
        const auto before = rows(parameters());
        clickRow(parameters(), 1);
        auto loaded = std::make_shared<QStringList>();
        onModal([=](QDialog& dialog) {
            *loaded = typedParameter(dialog).listFields();
            typeParameter(dialog, {"Current", symbol, "A", "0.5", ""});
            click(dialog, "Command1");
        });
        QTest::mouseDClick(parameters().viewport(), Qt::LeftButton, {},
                           parameters().visualItemRect(parameters().topLevelItem(1)).center());
        QCOMPARE(*loaded, before.at(1));
        const QStringList changed{symbol, "Current", "0.5", "A", ""};
        QCOMPARE(rows(parameters()).at(1), message.isEmpty() ? changed : before.at(1));
        QCOMPARE(rows(parameters()).at(0), before.at(0));
    }

    void deleteAsksFirst()
    {
        clickRow(parameters(), 0);
        dialogs().expectQuestion("Do you want to delete?", MsgAnswer::No);
        menus().Rdelpara->trigger();
        QCOMPARE(symbols(parameters()), (QStringList{"R", "I"}));
        dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
        menus().Rdelpara->trigger();
        QCOMPARE(symbols(parameters()), QStringList{"I"});
    }

    // A variable goes in once, whichever way it is copied; letter case makes another symbol.
    void copyVariables()
    {
        click(*editor_, "Command4"); // nothing selected
        QCOMPARE(parameters().topLevelItemCount(), 2);
        const QStringList listed = symbols(variables());
        clickRow(variables(), int(listed.indexOf("Rm")));
        click(*editor_, "Command4");
        click(*editor_, "Command4");
        menus().Raddvar->trigger();
        QCOMPARE(symbols(parameters()), (QStringList{"R", "I", "Rm"}));
        QCOMPARE(rows(parameters()).at(2), rows(variables()).at(listed.indexOf("Rm")));
    }

    // Clicks set the menu entries, right presses pop the menus up; a double click on no row
    // opens nothing.
    void menusFollowClicks()
    {
        clickRow(parameters(), 5);
        QVERIFY(!menus().Rmodpara->isEnabled() && !menus().Rdelpara->isEnabled());
        clickRow(parameters(), 0);
        QVERIFY(menus().Rmodpara->isEnabled() && menus().Rdelpara->isEnabled());
        clickRow(variables(), 50);
        QVERIFY(!menus().Raddvar->isEnabled());
        clickRow(variables(), 0);
        QVERIFY(menus().Raddvar->isEnabled());

        QTest::mousePress(parameters().viewport(), Qt::RightButton, {}, QPoint(10, 5));
        QTRY_VERIFY(menus().Rmenu->isVisible());
        QVERIFY(menus().Rmenu->isEnabled());
        menus().Rmenu->hide();
        QTest::mousePress(variables().viewport(), Qt::RightButton, {}, QPoint(10, 5));
        QTRY_VERIFY(menus().Rmenuaddvar->isVisible());
        menus().Rmenuaddvar->hide();

        clickRow(parameters(), 5);
        const auto shown = onModal([](QDialog&) {});
        QTest::mouseDClick(parameters().viewport(), Qt::LeftButton, {}, QPoint(10, 150));
        QCoreApplication::processEvents();
        QVERIFY(!*shown);
    }

    // The line under the expression follows the typing and the parameter list.
    void liveCheck()
    {
        auto& expression = child<QLineEdit>(*editor_, "Text4");
        const QLabel& check = child<QLabel>(*editor_, "ExpressionCheck");
        QCOMPARE(check.text(), QString());
        expression.clear();
        QTest::keyClicks(&expression, "R*I/(x");
        QCOMPARE(check.text(), "Character 6: Unknown symbol 'x'.");
        addParameters(*editor_, {{"Ratio", "x", "", "1", ""}});
        QCOMPARE(check.text(), "Character 7: Missing parenthesis");
        QTest::keyClicks(&expression, "*g)");
        QVERIFY(check.text().endsWith("It is a variable: copy it into the parameters with >>."));
        clickRow(variables(), int(symbols(variables()).indexOf("g")));
        click(*editor_, "Command4");
        QCOMPARE(check.text(), QString());
    }
};

QTEST_MAIN(ParameterListTest)
#include "parameterlist_test.moc"
