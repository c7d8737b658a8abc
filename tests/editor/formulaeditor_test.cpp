// The formula editor and its parameter list through their real widgets, each test on a fresh
// sample library and checked against the library afterwards.
#include "calc/parametergrid.h"
#include "editor/formulas.h"
#include "editor/frmaddnewfun.h"
#include "guidriver.h"
#include "layout/celltips.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "ui_form1.h"
#include "variables/listrow.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>

using namespace GuiDriver;

namespace {

QWidget* openedEditor()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<Frmaddnewfun*>(widget) && widget->isVisible())
            return widget;
    return nullptr;
}

// Selects the node captioned caption (the root when empty) and triggers the menu entry.
QWidget* openEditor(form1& window, const QString& caption, const char* entry)
{
    clickNode(window, caption);
    trigger(window, entry);
    return openedEditor();
}

template <class Widget>
Widget& child(const QWidget& parent, const char* name)
{
    return *parent.findChild<Widget*>(QLatin1String(name));
}

void click(const QWidget& dialog, const char* button)
{
    QTest::mouseClick(&child<QPushButton>(dialog, button), Qt::LeftButton);
}

// The property holding the text of a line, a text box or an editable combo box.
const char* textProperty(const QWidget* widget)
{
    return widget->inherits("QPlainTextEdit") ? "plainText" : widget->inherits("QComboBox") ? "currentText" : "text";
}

QString text(const QWidget& dialog, const char* box)
{
    const QWidget* widget = dialog.findChild<QWidget*>(QLatin1String(box));
    return widget->property(textProperty(widget)).toString();
}

void setTexts(const QWidget& dialog, const QList<std::pair<const char*, QString>>& texts)
{
    for (const auto& [box, text] : texts) {
        QWidget* widget = dialog.findChild<QWidget*>(QLatin1String(box));
        widget->setProperty(textProperty(widget), text);
    }
}

// Runs body on the modal dialog the next command opens, then cancels it if still open; tells
// whether a dialog opened.
std::shared_ptr<bool> onModal(const std::function<void(QDialog&)>& body)
{
    auto shown = std::make_shared<bool>(false);
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *shown = true;
        body(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    return shown;
}

void typeParameter(const QDialog& dialog, const NamedValue& parameter)
{
    setTexts(dialog, {{"Text2", parameter.symbol}, {"Text1", parameter.name}, {"Text3", parameter.value},
                      {"Text4", parameter.unit}, {"Text6", parameter.description}});
}

// Adds the parameters through "Add Para", each entered with the Enter key.
void addParameters(const QWidget& editor, const QList<NamedValue>& parameters)
{
    onModal([=](QDialog& dialog) {
        for (const NamedValue& parameter : parameters) {
            typeParameter(dialog, parameter);
            QTest::keyClick(&child<QLineEdit>(dialog, "Text1"), Qt::Key_Return);
        }
    });
    click(editor, "Command3");
}

// The editor's fields as a formula, its parameter list included; and the other way round.
Formula shown(const QWidget& editor)
{
    Formula formula{text(editor, "Text1"), text(editor, "Text2"), text(editor, "Text3"), text(editor, "Text4"),
                    text(editor, "Text5"), text(editor, "Combo1"), {}};
    for (const QStringList& row : listRows(child<QTreeWidget>(editor, "ListView1")))
        formula.parameters.append(NamedValue::fromListFields(row));
    return formula;
}

void fill(const QWidget& editor, const Formula& formula)
{
    setTexts(editor, {{"Text1", formula.name}, {"Text2", formula.function}, {"Text3", formula.unit},
                      {"Text4", formula.expression}, {"Text5", formula.description}, {"Combo1", formula.precision}});
    addParameters(editor, formula.parameters);
}

// Where the tree, CataConstruct and the item tables disagree, in words; empty when they agree.
QString disagreement(form1& window, Store& store)
{
    FormulaTree& tree = window.tree();
    const Rows items = store.query("select * from CataConstruct");
    for (const QSqlRecord& item : items) {
        const QString caption = item.value("caption").toString();
        const QString belongto = item.value("belongto").toString();
        const QTreeWidgetItem* node = tree.find(caption);
        if (!node || node->text(0) != caption)
            return "no node " + caption;
        if (node->parent() != (belongto == caption ? tree.root() : tree.find(belongto)))
            return "parent of " + caption;
        const QString table = item.value("indtable").toString();
        if (!store.tableExists(table))
            return "no table of " + caption;
        if (item.value("flag").toInt() == 0) {
            const Rows own = store.query("select * from " + sqlName(table) + " where ispara=0");
            if (own.size() != 1 || own.at(0).value("name").toString() != caption)
                return "formula row of " + caption;
        }
    }
    // Every row found its node; no other node may be left over besides the root.
    int nodes = -1;
    for (QTreeWidgetItemIterator it(window.controls().Tvwmain); *it; ++it)
        ++nodes;
    return nodes == items.size() ? QString() : QString("%1 nodes, %2 rows").arg(nodes).arg(items.size());
}

// Computes -10 with its defaults; quotes and line breaks wherever a text may hold them.
Formula lever()
{
    return {"Lever'1", "F\"2", "N 'net'", "F1*a/b", "It's \"so\"\nline two", "5",
            {{"Force 'in'", "F1", "N", "-2.5", "pushes"}, {"Long arm", "a", "m", "2", ""}, {"Short arm", "b", "m", "0.5", ""}}};
}

// A formula's stored parameters as list rows.
QList<QStringList> parameterRows(Store& store, const QString& table)
{
    QTreeWidget list;
    for (const QSqlRecord& row : store.query("select * from " + sqlName(table) + " where ispara=1"))
        addListRow(list, NamedValue::fromRow(row));
    return listRows(list);
}

} // namespace

class FormulaEditorTest : public LibraryTest
{
    Q_OBJECT

private slots:
    // A new formula, its parameters typed and copied, is stored exactly as typed, shows in the
    // tree under its catalog and computes. "Next" stores it and clears the editor for another in
    // the same catalog, keeping the accuracy; closing the editor then writes nothing more.
    // Renamed, a formula keeps its place and its table, also after a restart.
    void addStoresAndComputes_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("copied"); // the first variable listed, copied with >>
        QTest::addColumn<QString>("button");
        QTest::newRow("root, OK") << "" << "mnewfunroot" << "g" << "Command1";
        QTest::newRow("nested catalog, Next") << "Beams" << "mnewfun" << "Esteel" << "Command5";
    }
    void addStoresAndComputes()
    {
        QFETCH(QString, parent);
        QFETCH(QString, entry);
        QFETCH(QString, copied);
        QFETCH(QString, button);
        form1& window = library().openWindow();
        QWidget* editor = openEditor(window, parent, entry.toLatin1());
        QVERIFY(editor);
        QVERIFY(!window.isEnabled());
        const Formula formula = lever();
        fill(*editor, formula);
        clickRow(child<QTreeWidget>(*editor, "ListView2"), 0);
        click(*editor, "Command4");
        click(*editor, button.toLatin1());
        Store& store = library().store();
        if (button == "Command5") {
            const Formula cleared = shown(*editor);
            QCOMPARE(cleared.name + cleared.function + cleared.unit + cleared.expression + cleared.description, QString());
            QCOMPARE(cleared.precision, formula.precision);
            QVERIFY(cleared.parameters.isEmpty());
            fill(*editor, {"Lever2", "y", "m", "2", "", "3", {}});
            editor->close();
            QVERIFY(!store.tableExists("Lever2"));
        }

        QVERIFY(!openedEditor() && window.isEnabled());
        QCOMPARE(window.tree().find(formula.name)->parent(), GuiDriver::node(window, parent));
        QCOMPARE(store.first("select isroot from CataConstruct where caption=?", {formula.name})->value(0).toInt(), parent.isEmpty() ? 1 : 0);
        const auto own = store.first("select * from " + sqlName(formula.name) + " where ispara=0");
        QCOMPARE((QStringList{own->value("name").toString(), own->value("varname").toString(), own->value("unit").toString(),
                              own->value("expression").toString(), own->value("descr").toString(),
                              own->value("preci").toString(), own->value("calcount").toString()}),
                 (QStringList{formula.name, formula.function, formula.unit, formula.expression, formula.description, "5", "0"}));
        const QList<QStringList> stored = parameterRows(store, formula.name);
        QCOMPARE(stored.size(), 4);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(stored.at(i), formula.parameters.at(i).listFields());
        QCOMPARE(stored.at(3).at(0), copied);

        clickNode(window, formula.name);
        QTest::mouseClick(window.controls().Command1, Qt::LeftButton);
        QCOMPARE(window.controls().ListView1->topLevelItem(0)->text(2), "-10.00000");

        // Renamed after a refused name, it keeps its place; its table keeps its first name.
        editor = openEditor(window, formula.name, "mmodfun");
        library().dialogs().expectMessage("The formula name has been exist!");
        for (const char* name : {"ohmslaw", "Ek"}) {
            setTexts(*editor, {{"Text1", name}});
            click(*editor, "Command1");
        }
        QCOMPARE(store.first("select * from CataConstruct where caption='Ek'")->value("indtable").toString(), formula.name);
        form1& again = library().restart();
        QCOMPARE(again.tree().find("Ek")->parent(), GuiDriver::node(again, parent));
        QCOMPARE(disagreement(again, library().store()), QString());
        clickNode(again, "Ek");
        QCOMPARE(again.controls().Text3->toPlainText(), formula.expression);
    }

    // The checks of a formula, in the order the user meets them; the first problem is told. A name
    // is held to the rule of every item's name, then to the captions and tables of the library.
    void formulaChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Formulas::Problem>("problem");
        using P = Formulas::Problem;
        QTest::newRow("blank in the name") << "name" << "Le ver" << P::BlankInName;
        QTest::newRow("no-break space in the function name") << "function" << QString::fromUtf8("F\u00A0x") << P::UnprintableFunction;
        QTest::newRow("101-character function name") << "function" << QString(101, 'f') << P::FunctionTooLong;
        QTest::newRow("no unit") << "unit" << "" << P::EmptyUnit;
        QTest::newRow("4001-character description") << "description" << QString(4001, 'd') << P::DescriptionTooLong;
        QTest::newRow("no parameters") << "parameters" << "" << P::NoParameters;
        QTest::newRow("precision 0") << "precision" << "0" << P::BadPrecision;
        QTest::newRow("precision 3.5") << "precision" << "3.5" << P::BadPrecision;
        QTest::newRow("precision 8, blanks around") << "precision" << " 8 " << P::None;
        QTest::newRow("default no number") << "default" << "1e999" << P::DefaultNotANumber;
        QTest::newRow("symbol no expression can name") << "symbol" << "m/s" << P::UnusableSymbol;
        QTest::newRow("a formula's, other case") << "name" << "ohmslaw" << P::NameInUse;
        QTest::newRow("a catalog's") << "name" << "BEAMS" << P::NameInUse;
        QTest::newRow("a table of no item") << "name" << "Stray" << P::TableNameInUse;
        QTest::newRow("the root's key") << "name" << "GongShi" << P::ReservedName;
    }
    void formulaChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(Formulas::Problem, problem);
        Store& store = library().store();
        store.execute(Schema::catalogTable("Stray"));
        Formula formula = lever();
        const QHash<QString, QString*> fields{{"name", &formula.name}, {"function", &formula.function},
                                             {"unit", &formula.unit}, {"description", &formula.description},
                                             {"precision", &formula.precision}, {"default", &formula.parameters[0].value},
                                             {"symbol", &formula.parameters[0].symbol}};
        if (field == "parameters")
            formula.parameters.clear();
        else
            *fields.value(field) = text;
        const Formulas::Problem typed = Formulas::checkFields(formula);
        QCOMPARE(typed == Formulas::Problem::None ? Formulas::checkAdd(store, formula.name) : typed, problem);
    }

    // Opened by a double click, the editor shows the stored formula and its catalog's variables
    // before the global ones. A parameter is changed in its place (its symbol checked against
    // the others only when it changes), one deleted after asking, one added, the name's case
    // changed; the change keeps the counter and the window shows it, with a word on the default
    // the library keeps rounded. A formula whose table went meanwhile is not opened.
    void modifyReplacesParameters()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, "OhmsLaw");
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QTest::mouseDClick(ui.Tvwmain->viewport(), Qt::LeftButton, {}, ui.Tvwmain->visualItemRect(window.tree().find("OhmsLaw")).center());
        QWidget* editor = openedEditor();
        QVERIFY(editor);
        QVERIFY(!child<QPushButton>(*editor, "Command5").isEnabled());
        Store& store = library().store();
        const Formula before = shown(*editor);
        QCOMPARE((QStringList{before.name, before.function, before.unit, before.expression, before.precision}),
                 (QStringList{"OhmsLaw", "U", "V", "R*I", "3"}));
        auto& parameters = child<QTreeWidget>(*editor, "ListView1");
        const QList<QStringList> stored = parameterRows(store, "OhmsLaw");
        QCOMPARE(listRows(parameters), stored);
        QCOMPARE(columnTexts(child<QTreeWidget>(*editor, "ListView2")),
                 (QStringList{"rhoCu", "rhoAl", "Umains", "g", "Rm", "p0", "T0"}));

        const QStringList load{"R", "Load", "4", "Ohm", "changed"};
        library().dialogs().expectMessage("The variant name has been existed,please add another!");
        onModal([=](QDialog& dialog) {
            for (const char* symbol : {"I", "R"}) {
                typeParameter(dialog, NamedValue::fromListFields(QStringList{symbol} + load.mid(1)));
                click(dialog, "Command1");
            }
        });
        QTest::mouseDClick(parameters.viewport(), Qt::LeftButton, {}, clickRow(parameters, 0));
        // A symbol the library cannot hold undoes the whole change, the rename included.
        setTexts(*editor, {{"Text1", "OHMSLAW"}, {"Text4", "R*k"}});
        addParameters(*editor, {{"Factor", "k", "", "0.00001", ""}, {"Long", QString(21, 'a'), "", "1", ""}});
        library().dialogs().expectMessage("The symbol of parameter Long of formula OhmsLaw has more than 20 characters. "
                                          "Nothing was changed; shorten it to 20 characters at most.");
        click(*editor, "Command1");
        QCOMPARE(openedEditor(), editor);
        QCOMPARE(parameterRows(store, "OhmsLaw"), stored);
        QCOMPARE(disagreement(window, store), QString());

        // Delete asks first.
        for (const auto& [row, answer] : QList<std::pair<int, int>>{{3, MsgAnswer::Yes}, {1, MsgAnswer::No}, {1, MsgAnswer::Yes}}) {
            clickRow(parameters, row);
            library().dialogs().expectQuestion("Do you want to delete?", answer);
            ui.Rdelpara->trigger();
        }
        library().dialogs().expectMessage("The default value 0.00001 of k is stored as 0.0000: the library keeps four decimal places.");
        click(*editor, "Command1");

        QVERIFY(window.isEnabled());
        QCOMPARE(store.first("select * from OhmsLaw where ispara=0")->value("calcount").toString(), "1");
        // A change of letter case alone renames; the table keeps its name.
        QCOMPARE(store.first("select * from CataConstruct where caption='OHMSLAW'")->value("caption").toString(), "OHMSLAW");
        QCOMPARE(parameterRows(store, "OhmsLaw"), (QList<QStringList>{load, {"k", "Factor", "0", "", ""}}));
        QCOMPARE(ui.Text4->toPlainText(), "OHMSLAW\n" + before.description);
        QCOMPARE(ParameterGrid::cell(*ui.MSFlexGrid1, 2, ParameterGrid::SymbolColumn), "k");

        store.execute("drop table OhmsLaw");
        library().dialogs().expectMessage("The formula's data is missing from the library; it can only be deleted.");
        trigger(window, "mmodfun");
        QVERIFY(!openedEditor() && window.isEnabled());
    }

    // Another window changes the library while the editor is open. A change of the formula that
    // would be undone is refused, naming it: the editor keeps what was typed and the library the
    // other window's change. A change the editor does not show (the counter, a default written
    // again as the library rounds it) is no obstacle. A formula added into a catalog the other
    // window renamed is refused too.
    void anotherWindowsChangeIsKept_data()
    {
        QTest::addColumn<QString>("node"); // OhmsLaw is changed; into a catalog a formula is added
        QTest::addColumn<QStringList>("changes"); // made through the other window's connection
        QTest::addColumn<QString>("message"); // empty: saved
        const QString changed = "The formula \"OhmsLaw\" was changed in the library by another window since this "
                                "editor opened it; nothing was saved. Close the editor and open it again to see the change.";
        QTest::newRow("a parameter's default") << "OhmsLaw" << QStringList{"update OhmsLaw set defvalue=0.06 where varname='I'"} << changed;
        QTest::newRow("the name's case")
            << "OhmsLaw"
            << QStringList{"update CataConstruct set caption='OHMSLAW' where caption='OhmsLaw'", "update OhmsLaw set name='OHMSLAW' where ispara=0"}
            << changed;
        QTest::newRow("computed") << "OhmsLaw" << QStringList{"update OhmsLaw set calcount='7' where ispara=0"} << "";
        QTest::newRow("a default rounded alike") << "OhmsLaw" << QStringList{"update OhmsLaw set defvalue=0.050001 where varname='I'"} << "";
        QTest::newRow("catalog renamed")
            << "Beams"
            << QStringList{"update CataConstruct set caption='Girders' where caption='Beams'", "update CataConstruct set belongto='Girders' where belongto='Beams'"}
            << "The catalog \"Beams\" is no longer in the library: another window renamed or deleted it. Nothing was changed.";
        QTest::newRow("catalog described anew") << "Beams" << QStringList{"update CataConstruct set descr='Girders' where caption='Beams'"} << "";
    }
    void anotherWindowsChangeIsKept()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        form1& window = library().openWindow();
        const bool adding = node != "OhmsLaw";
        QWidget* editor = openEditor(window, node, adding ? "mnewfun" : "mmodfun");
        Store other(library().directory());
        for (const QString& change : changes)
            other.execute(change);
        const Rows items = other.query("select * from CataConstruct");
        const Rows ohmsLaw = other.query("select * from OhmsLaw");
        const QString counter = other.first("select * from OhmsLaw where ispara=0")->value("calcount").toString();
        const QSet<QString> tables = other.tableNames();
        if (adding)
            fill(*editor, lever());
        else
            setTexts(*editor, {{"Text3", "mV"}, {"Text4", "R*I*1000"}});
        const QList<QStringList> typed = listRows(child<QTreeWidget>(*editor, "ListView1"));
        if (!message.isEmpty())
            library().dialogs().expectMessage(message);
        click(*editor, "Command1");

        if (!message.isEmpty()) {
            QCOMPARE(openedEditor(), editor);
            QCOMPARE(text(*editor, "Text4"), adding ? lever().expression : "R*I*1000");
            QCOMPARE(listRows(child<QTreeWidget>(*editor, "ListView1")), typed);
            QVERIFY(other.query("select * from CataConstruct") == items);
            QVERIFY(other.query("select * from OhmsLaw") == ohmsLaw);
            QCOMPARE(other.tableNames(), tables);
            return;
        }
        QVERIFY(!openedEditor());
        if (adding) {
            QCOMPARE(other.first("select * from CataConstruct where caption=?", {lever().name})->value("belongto").toString(), node);
            return;
        }
        const auto own = other.first("select * from OhmsLaw where ispara=0");
        QCOMPARE(own->value("expression").toString() + own->value("unit").toString(), "R*I*1000mV");
        QCOMPARE(own->value("calcount").toString(), counter);
    }

    // Whatever is typed into every field of the editor and the parameter dialog, the program
    // survives and the tree, CataConstruct and the formula tables agree.
    void anyTextKeepsTheLibraryWhole()
    {
        LibraryFixture fuzzed; // its refusals are not scripted
        form1& window = fuzzed.openWindow();
        Store& store = fuzzed.store();
        const QStringList texts{"'", "\"", "a'); drop table CataConstruct; --", QString(5000, 'x'), "Index",
                                QString("half") + QChar(0xD800), QString("n") + QChar(0), "\t\n", "1e999", "--",
                                QString::fromUtf8("𝔐ü"), "sqlite_x", "a]b[", "Formula Root"};
        for (const QString& text : texts) {
            // Once as the name, once in every other field of a formula whose name passes.
            for (const QString& name : {text, "Fuzz" + QString::number(texts.indexOf(text))}) {
                QWidget* editor = openEditor(window, "", "mnewfunroot");
                fill(*editor, {name, text, text, text, text, "3", {{text, text, text, text, text}}});
                clickRow(child<QTreeWidget>(*editor, "ListView2"), 0);
                click(*editor, "Command4");
                click(*editor, "Command1");
                if (openedEditor())
                    click(*editor, "Command2");
                QVERIFY2(window.isEnabled(), qPrintable(name.left(20)));
                QCOMPARE(disagreement(window, store), QString());
            }
        }
        // Names the checks let through were stored.
        QVERIFY(window.tree().find("'") && window.tree().find("Index"));
        form1& again = fuzzed.restart();
        QCOMPARE(disagreement(again, fuzzed.store()), QString());
    }

    // The parameter dialog tells a refusal and keeps what was typed; a symbol differing from a
    // listed one in case only passes. With no row selected, >>, Delete and a double click do nothing; a variable goes in once, whichever
    // way it is copied. The line under the expression follows the typing and the list.
    void parameterListAndLiveCheck()
    {
        form1& window = library().openWindow();
        QWidget& editor = *openEditor(window, "OhmsLaw", "mmodfun");
        auto& parameters = child<QTreeWidget>(editor, "ListView1");
        auto& variables = child<QTreeWidget>(editor, "ListView2");
        const QLabel& check = child<QLabel>(editor, "ExpressionCheck");
        click(editor, "Command4");
        clickRow(parameters, 5);
        window.controls().Rdelpara->trigger(); // no row, no question
        const auto opened = onModal([](QDialog&) {});
        QTest::mouseDClick(parameters.viewport(), Qt::LeftButton, {}, QPoint(10, 150));
        QCoreApplication::processEvents();
        QVERIFY(!*opened);

        // Symbol, name and default; unit and description when given.
        const QList<std::pair<QStringList, QString>> attempts{
            {{"R", "Gain", "1"}, "The variant name has been existed,please add another!"},
            {{"r", "Gain", "-2.5"}, ""}};
        library().dialogs().expectMessage(attempts.constFirst().second);
        auto kept = std::make_shared<QList<bool>>();
        onModal([=](QDialog& dialog) {
            for (const auto& [fields, message] : attempts) {
                typeParameter(dialog, NamedValue::fromListFields(fields.size() == 5 ? fields : fields + QStringList{"'unit'", "said \"so\""}));
                click(dialog, "Command1");
                *kept << (dialog.isVisible() && QStringList{text(dialog, "Text2"), text(dialog, "Text1"), text(dialog, "Text3")} == fields.mid(0, 3));
            }
        });
        click(editor, "Command3");
        QCOMPARE(*kept, (QList<bool>{true, false}));
        QCOMPARE(listRows(parameters).value(2), (QStringList{"r", "Gain", "-2.5", "'unit'", "said \"so\""}));

        setTexts(editor, {{"Text4", "R*I/(x"}});
        QCOMPARE(check.text(), "Character 6: Unknown symbol 'x'.");
        setTexts(editor, {{"Text4", "R*I/(g"}});
        QVERIFY(check.text().endsWith("It is a variable: copy it into the parameters with >>."));
        const int g = int(columnTexts(variables).indexOf("g"));
        clickRow(variables, g);
        click(editor, "Command4");
        click(editor, "Command4");
        window.controls().Raddvar->trigger();
        QCOMPARE(check.text(), "Character 7: Missing parenthesis");
        QCOMPARE(columnTexts(parameters), (QStringList{"R", "I", "r", "g"}));
        QCOMPARE(listRows(parameters).at(3), listRows(variables).at(g));
        // A division by zero is the values' fault, not the expression's.
        setTexts(editor, {{"Text4", "R/(I-I)"}});
        QCOMPARE(check.text(), QString());
        setTexts(editor, {{"Text4", "1,5*R"}});
        QCOMPARE(check.text(), "Character 2: A comma only separates a function's arguments; decimals are written with a point.");
    }

    // The units line under the expression follows the typing: the expression's units against
    // the result's. It only warns: a formula whose units disagree is stored all the same.
    void unitsCheckLine_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("said");
        QTest::newRow("agree") << "R*I" << "V" << "Units agree";
        QTest::newRow("agree, in other units") << "R*I/1000" << "kV" << "Units agree";
        QTest::newRow("another kind") << "R*I*I" << "V" << "The expression gives kg·m²/s³ (W) where the result is in V";
        QTest::newRow("result unit not understood") << "R*I" << "zorps" << "The result's unit, \"zorps\", is not understood";
        QTest::newRow("no result unit yet") << "R*I" << "" << "";
        QTest::newRow("the expression's own fault") << "R*I*(" << "V" << "";
    }
    void unitsCheckLine()
    {
        QFETCH(QString, expression);
        QFETCH(QString, unit);
        QFETCH(QString, said);
        form1& window = library().openWindow();
        QWidget& editor = *openEditor(window, "OhmsLaw", "mmodfun");
        setTexts(editor, {{"Text3", unit}, {"Text4", ""}});
        QTest::keyClicks(&child<QLineEdit>(editor, "Text4"), expression);
        QCOMPARE(child<QLabel>(editor, "UnitsCheck").text(), said);
        if (unit.isEmpty() || said.isEmpty())
            return;
        click(editor, "Command1");
        QVERIFY(!openedEditor());
        QCOMPARE(Formula::read(library().store(), "OhmsLaw")->expression, expression);
    }

    // >> on a variable whose symbol is a parameter's already: a parameter in another unit of the
    // variable's kind takes its value, converted, as its default; any other stays as it is.
    void copiedVariableConvertsTheDefault_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("value");
        QTest::newRow("same kind") << "Ω·m" << "0.0000000172";
        QTest::newRow("same unit") << "Ω·mm²/m" << "1";
        QTest::newRow("another kind") << "m" << "1";
        QTest::newRow("a label") << "ohms per metre" << "1";
    }
    void copiedVariableConvertsTheDefault()
    {
        QFETCH(QString, unit);
        QFETCH(QString, value);
        Formulas::add(library().store(), {"Wire", "R", "Ω", "rhoCu*2", "", "3", {{"Resistivity", "rhoCu", unit, "1", ""}}}, "Electrical");
        form1& window = library().openWindow();
        QWidget& editor = *openEditor(window, "Wire", "mmodfun");
        auto& variables = child<QTreeWidget>(editor, "ListView2");
        clickRow(variables, int(columnTexts(variables).indexOf("rhoCu")));
        click(editor, "Command4");
        QCOMPARE(listRows(child<QTreeWidget>(editor, "ListView1")), (QList<QStringList>{{"rhoCu", "Resistivity", value, unit, ""}}));
    }

    // A library made by hand may hold texts of megabytes, which would hold the window up for
    // minutes. The window, the editor and the tooltips show their beginning, up to the longest
    // description the dialogs take; the parameter list keeps the whole text, and the editor
    // stores the description only once it is shortened.
    void longTextsShowCut()
    {
        QString megabyte;
        while (megabyte.size() < 1000000)
            megabyte += "lorem ipsum ";
        const QString cut = megabyte.left(4000) + QChar(0x2026);
        Formulas::add(library().store(), {"Wordy", "y", "m", "2*x", megabyte, "3", {{"Length", "x", "m", "1", megabyte}}}, "");
        form1& window = library().openWindow();
        clickNode(window, "Wordy");
        QCOMPARE(window.controls().Text4->toPlainText(), "Wordy\n" + cut);
        QWidget* editor = openEditor(window, "Wordy", "mmodfun");
        QCOMPARE(text(*editor, "Text5"), cut);
        auto& parameters = child<QTreeWidget>(*editor, "ListView1");
        QCOMPARE(parameters.topLevelItem(0)->text(4), megabyte);
        QCOMPARE(CellTips::text(parameters, parameters.model()->index(0, 4)), cut);
        library().dialogs().expectMessage("The description is longer than 4000 characters, please shorten it!");
        click(*editor, "Command1");
        QCOMPARE(openedEditor(), editor);
    }
};

QTEST_MAIN(FormulaEditorTest)
#include "formulaeditor_test.moc"
