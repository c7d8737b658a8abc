// The formula editor and its parameter list through their real widgets, each test on a fresh
// sample library and checked against the library afterwards.
#include "calc/parametergrid.h"
#include "editor/formulas.h"
#include "editor/frmaddnewfun.h"
#include "guidriver.h"
#include "librarytest.h"
#include "mainwindow/form1.h"
#include "store/schema.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

using namespace GuiDriver;

namespace {

QWidget* openedEditor()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Frmaddnewfun*>(widget) && widget->isVisible())
            return widget;
    }
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
    if (qobject_cast<const QPlainTextEdit*>(widget))
        return "plainText";
    return qobject_cast<const QComboBox*>(widget) ? "currentText" : "text";
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

QList<QStringList> rows(const QTreeWidget& list)
{
    QList<QStringList> all;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        QStringList fields;
        for (int column = 0; column < list.columnCount(); ++column)
            fields << list.topLevelItem(i)->text(column);
        all << fields;
    }
    return all;
}

QStringList symbols(const QTreeWidget& list)
{
    QStringList all;
    for (const QStringList& row : rows(list))
        all << row.value(0);
    return all;
}

// A left click on row (an empty part of the list when row is past the last one).
void clickRow(QTreeWidget& list, int row)
{
    QPoint point(10, 5);
    if (row < list.topLevelItemCount())
        point = list.visualItemRect(list.topLevelItem(row)).center();
    else if (list.topLevelItemCount() > 0)
        point = list.visualItemRect(list.topLevelItem(list.topLevelItemCount() - 1)).bottomLeft() + QPoint(10, 20);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, point);
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

void typeParameter(const QDialog& dialog, const FormulaParameter& parameter)
{
    setTexts(dialog, {{"Text2", parameter.symbol}, {"Text1", parameter.name}, {"Text3", parameter.value},
                      {"Text4", parameter.unit}, {"Text6", parameter.description}});
}

FormulaParameter typedParameter(const QDialog& dialog)
{
    return {text(dialog, "Text1"), text(dialog, "Text2"), text(dialog, "Text4"), text(dialog, "Text3"), text(dialog, "Text6")};
}

// Adds the parameters through "Add Para", each entered with the Enter key.
void addParameters(const QWidget& editor, const QList<FormulaParameter>& parameters)
{
    if (parameters.isEmpty())
        return;
    onModal([=](QDialog& dialog) {
        for (const FormulaParameter& parameter : parameters) {
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
    for (const QStringList& row : rows(child<QTreeWidget>(editor, "ListView1")))
        formula.parameters.append(FormulaParameter::fromListFields(row));
    return formula;
}

void fill(const QWidget& editor, const Formula& formula)
{
    setTexts(editor, {{"Text1", formula.name}, {"Text2", formula.function}, {"Text3", formula.unit},
                      {"Text4", formula.expression}, {"Text5", formula.description}, {"Combo1", formula.precision}});
    addParameters(editor, formula.parameters);
}

int countBelow(const QTreeWidgetItem* node)
{
    int count = node->childCount();
    for (int i = 0; i < node->childCount(); ++i)
        count += countBelow(node->child(i));
    return count;
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
        if (FormulaTree::isFolder(node) != (item.value("flag").toInt() == 1))
            return "image of " + caption;
        const QString table = item.value("indtable").toString();
        if (!store.tableExists(table))
            return "no table of " + caption;
        if (item.value("flag").toInt() == 0) {
            const Rows own = store.query("select * from " + sqlName(table) + " where ispara=0");
            if (own.size() != 1 || own.at(0).value("name").toString() != caption)
                return "formula row of " + caption;
        }
    }
    // Every row found its node; no other node may be left over.
    if (countBelow(tree.root()) != items.size())
        return QString("%1 nodes, %2 rows").arg(countBelow(tree.root())).arg(items.size());
    return {};
}

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

class FormulaEditorTest : public LibraryTest
{
    Q_OBJECT

    form1* window_ = nullptr;

    // The editor on OhmsLaw: parameters R and I, the variables of Electrical and the global ones.
    QWidget& ohmsLawEditor()
    {
        window_ = &library().openWindow();
        return *openEditor(*window_, "OhmsLaw", "mmodfun");
    }

private slots:
    // A new formula, its parameters typed and copied, is stored exactly as typed, shows in the
    // tree under its catalog, computes, and is still there after a restart.
    void addStoresAndComputes_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("copied"); // the first variable listed, copied with >>
        QTest::newRow("root") << "" << "mnewfunroot" << "g";
        QTest::newRow("nested catalog") << "Beams" << "mnewfun" << "Esteel";
    }
    void addStoresAndComputes()
    {
        QFETCH(QString, parent);
        QFETCH(QString, entry);
        QFETCH(QString, copied);
        form1& window = library().openWindow();
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
        Store& store = library().store();
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

        clickNode(window, formula.name);
        QTest::mouseClick(window.controls().Command1, Qt::LeftButton);
        QCOMPARE(window.controls().ListView1->topLevelItem(0)->text(2), "-10.00000");
        QVERIFY(library().restart().tree().find(formula.name));
    }

    // Every refusal names its reason and comes before anything is written; the editor stays
    // open with what was typed, the main window disabled.
    void refusalsKeepTheEditor_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank in the name") << "Text1" << "Le ver" << "The formula name can't exsit space.";
        QTest::newRow("empty unit") << "Text3" << "" << "Please add the Unit ";
        QTest::newRow("no parameters") << "parameters" << "" << "Please add the parameter information";
        QTest::newRow("accuracy 9") << "Combo1" << "9" << "The accuracy is only a whole number from 1 to 8!";
        QTest::newRow("variable without value") << "copy" << "nix" << "The default value is not a number!";
        QTest::newRow("variable no symbol") << "copy" << "m/s" << "The symbol can't be used in an expression, please add another!";
        QTest::newRow("a formula's, other case") << "Text1" << "ohmslaw" << "The formula name has been exist!";
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
        Store& store = library().store();
        store.execute("insert into GlobalVariant (varname,name) values ('nix','No value')");
        store.execute("insert into GlobalVariant (varname,name,defvalue) values ('m/s','Speed','1')");
        store.execute(Schema::catalogTable("Stray"));
        form1& window = library().openWindow();
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
            library().dialogs().expectMessageStarting(message);
        else
            library().dialogs().expectMessage(message);
        click(*editor, "Command1");

        QCOMPARE(openedEditor(), editor);
        QVERIFY(!window.isEnabled());
        QCOMPARE(shown(*editor).name, typed.name);
        QCOMPARE(listFields(shown(*editor).parameters), listFields(typed.parameters));
        QCOMPARE(rowCount(store), rows);
        QCOMPARE(store.tableNames(), tables);
        QCOMPARE(disagreement(window, store), QString());
    }

    // The editor opens on the stored formula and sees its catalog's variables before the global
    // ones; the change replaces the parameters, keeps the counter, and the window shows it.
    void modifyReplacesParameters()
    {
        form1& window = library().openWindow();
        Ui::form1& ui = window.controls();
        clickNode(window, "OhmsLaw");
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QTreeWidget& tree = *ui.Tvwmain;
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(window.tree().find("OhmsLaw")).center());
        QWidget* editor = openedEditor();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), "Modify Formula");
        QVERIFY(!child<QPushButton>(*editor, "Command5").isEnabled());
        Store& store = library().store();
        const Formula before = shown(*editor);
        QCOMPARE((QStringList{before.name, before.function, before.unit, before.expression, before.precision}),
                 (QStringList{"OhmsLaw", "U", "V", "R*I", "3"}));
        QCOMPARE(listFields(before.parameters), parameterRows(store, "OhmsLaw"));
        QCOMPARE(symbols(child<QTreeWidget>(*editor, "ListView2")),
                 (QStringList{"rhoCu", "rhoAl", "Umains", "g", "Rm", "p0", "T0"}));

        // Delete asks first; No keeps the row.
        auto& parameters = child<QTreeWidget>(*editor, "ListView1");
        clickRow(parameters, 1);
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::No);
        ui.Rdelpara->trigger();
        QCOMPARE(symbols(parameters), (QStringList{"R", "I"}));
        library().dialogs().expectQuestion("Do you want to delete?", MsgAnswer::Yes);
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
    }

    // A change is one transaction: a parameter the library cannot hold undoes the whole of it,
    // the rename included, and the editor stays open.
    void modifyIsAllOrNothing()
    {
        QWidget& editor = ohmsLawEditor();
        Store& store = library().store();
        const QList<QStringList> before = parameterRows(store, "OhmsLaw");
        setTexts(editor, {{"Text1", "Ohm"}});
        addParameters(editor, {{"Long", QString(21, 'a'), "", "1", ""}});
        library().dialogs().expectMessageStarting("The library could not be changed");
        click(editor, "Command1");
        QCOMPARE(openedEditor(), &editor);
        QVERIFY(store.first("select * from CataConstruct where caption='OhmsLaw'"));
        QCOMPARE(parameterRows(store, "OhmsLaw"), before);
        QCOMPARE(before.size(), 2);
        QCOMPARE(disagreement(*window_, store), QString());
    }

    void rename_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: the rename goes through
        QTest::newRow("at the root") << "KineticEnergy" << "Ek" << "";
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
        form1& window = library().openWindow();
        QTreeWidgetItem* node = window.tree().find(formula);
        QTreeWidgetItem* parent = node->parent();
        QWidget* editor = openEditor(window, formula, "mmodfun");
        child<QLineEdit>(*editor, "Text1").setText(name);
        if (!message.isEmpty())
            library().dialogs().expectMessage(message);
        click(*editor, "Command1");
        Store& store = library().store();
        QCOMPARE(disagreement(window, store), QString());
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
        form1& again = library().restart();
        QCOMPARE(again.tree().find(name)->parent()->text(0), parentText);
        clickNode(again, name);
        QVERIFY(!again.controls().Text3->toPlainText().isEmpty());
        QCOMPARE(disagreement(again, library().store()), QString());
    }

    // A formula another program removed is not opened: the editor would have nothing to show.
    void modifyingAVanishedFormulaSaysSo()
    {
        form1& window = library().openWindow();
        clickNode(window, "OhmsLaw");
        library().store().execute("drop table OhmsLaw");
        library().dialogs().expectMessage("The formula's data is missing from the library; it can only be deleted.");
        trigger(window, "mmodfun");
        QVERIFY(!openedEditor());
        QVERIFY(window.isEnabled());
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
        form1& window = library().openWindow();
        const int rows = rowCount(library().store());
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
        QCOMPARE(rowCount(library().store()), rows);

        editor = openEditor(window, "Fluids", "mnewfun");
        const Formula fresh = shown(*editor);
        QCOMPARE(fresh.name + fresh.expression, QString());
        QCOMPARE(fresh.precision, "3");
        QVERIFY(fresh.parameters.isEmpty());
        QVERIFY(child<QPushButton>(*editor, "Command5").isEnabled());
    }

    // "Next" stores and clears for another formula in the same catalog, keeping the accuracy.
    void nextKeepsTheContext()
    {
        form1& window = library().openWindow();
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
            QCOMPARE(library().store().first("select * from " + sqlName(name) + " where ispara=0")->value("preci").toInt(), 6);
        }
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
                QCOMPARE(disagreement(window, store), QString());
            }
        }
        // Names the checks let through were stored.
        QVERIFY(window.tree().find("'") && window.tree().find("Index"));
        form1& again = fuzzed.restart();
        QCOMPARE(disagreement(again, fuzzed.store()), QString());
    }

    // The parameter dialog's checks run in order, the first failing one names its reason; a
    // refused parameter leaves the list as it was and the dialog open with what was typed.
    void parameterChecks_data()
    {
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("both names empty") << "" << "" << "" << "Please add parameter name!";
        QTest::newRow("default cleared") << "k" << "Gain" << "" << "Please add default value!";
        QTest::newRow("decimal comma") << "k" << "Gain" << "2,5" << "The default Value is only Numeral!";
        QTest::newRow("numeral, no number") << "k" << "Gain" << "1-2" << "The default value is not a number!";
        QTest::newRow("a constant") << "_pi" << "Gain" << "1" << "The symbol can't be used in an expression, please add another!";
        QTest::newRow("symbol in the list") << "R" << "Gain" << "1" << "The variant name has been existed,please add another!";
        QTest::newRow("other case") << "r" << "Gain" << "-2.5" << "";
    }
    void parameterChecks()
    {
        QFETCH(QString, symbol);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QWidget& editor = ohmsLawEditor();
        auto& parameters = child<QTreeWidget>(editor, "ListView1");
        const FormulaParameter typed{name, symbol, "'unit'", value, "said \"so\""};
        if (!message.isEmpty())
            library().dialogs().expectMessage(message);
        const auto before = rows(parameters);
        auto stayed = std::make_shared<bool>(false);
        const auto shown = onModal([&, stayed](QDialog& dialog) {
            QCOMPARE(typedParameter(dialog).value, "0");
            typeParameter(dialog, typed);
            click(dialog, "Command1");
            *stayed = dialog.isVisible() && typedParameter(dialog).listFields() == typed.listFields();
        });
        click(editor, "Command3");
        QVERIFY(*shown);
        QCOMPARE(*stayed, !message.isEmpty());
        QCOMPARE(rows(parameters), message.isEmpty() ? before + QList<QStringList>{typed.listFields()} : before);
    }

    // The changed row keeps its place; a symbol is compared with the other rows only when it
    // changes.
    void modifyParameterInPlace()
    {
        auto& parameters = child<QTreeWidget>(ohmsLawEditor(), "ListView1");
        const auto before = rows(parameters);
        // Double clicks row 1, types symbol into it and presses OK; what the dialog showed first.
        const auto modifyRow = [&](const QString& symbol) {
            clickRow(parameters, 1);
            auto loaded = std::make_shared<QStringList>();
            onModal([=](QDialog& dialog) {
                *loaded = typedParameter(dialog).listFields();
                typeParameter(dialog, {"Current", symbol, "A", "0.5", ""});
                click(dialog, "Command1");
            });
            QTest::mouseDClick(parameters.viewport(), Qt::LeftButton, {}, parameters.visualItemRect(parameters.topLevelItem(1)).center());
            return *loaded;
        };
        library().dialogs().expectMessage("The variant name has been existed,please add another!");
        QCOMPARE(modifyRow("R"), before.at(1));
        QCOMPARE(rows(parameters), before);
        QCOMPARE(modifyRow("I"), before.at(1));
        QCOMPARE(rows(parameters).at(1), (QStringList{"I", "Current", "0.5", "A", ""}));
        QCOMPARE(rows(parameters).at(0), before.at(0));
    }

    // A variable goes in once, whichever way it is copied; with no row selected, Delete and a
    // double click do nothing.
    void copyVariables()
    {
        QWidget& editor = ohmsLawEditor();
        Ui::form1& menus = window_->controls();
        auto& parameters = child<QTreeWidget>(editor, "ListView1");
        auto& variables = child<QTreeWidget>(editor, "ListView2");
        click(editor, "Command4"); // nothing selected
        QCOMPARE(parameters.topLevelItemCount(), 2);
        const QStringList listed = symbols(variables);
        clickRow(variables, int(listed.indexOf("Rm")));
        click(editor, "Command4");
        click(editor, "Command4");
        menus.Raddvar->trigger();
        QCOMPARE(symbols(parameters), (QStringList{"R", "I", "Rm"}));
        QCOMPARE(rows(parameters).at(2), rows(variables).at(listed.indexOf("Rm")));

        clickRow(parameters, 5);
        menus.Rdelpara->trigger(); // no row, no question
        QCOMPARE(parameters.topLevelItemCount(), 3);
        const auto shown = onModal([](QDialog&) {});
        QTest::mouseDClick(parameters.viewport(), Qt::LeftButton, {}, QPoint(10, 150));
        QCoreApplication::processEvents();
        QVERIFY(!*shown);
    }

    // The line under the expression follows the typing and the parameter list.
    void liveCheck()
    {
        QWidget& editor = ohmsLawEditor();
        auto& expression = child<QLineEdit>(editor, "Text4");
        const QLabel& check = child<QLabel>(editor, "ExpressionCheck");
        auto& variables = child<QTreeWidget>(editor, "ListView2");
        QCOMPARE(check.text(), QString());
        expression.clear();
        QTest::keyClicks(&expression, "R*I/(x");
        QCOMPARE(check.text(), "Character 6: Unknown symbol 'x'.");
        addParameters(editor, {{"Ratio", "x", "", "1", ""}});
        QCOMPARE(check.text(), "Character 7: Missing parenthesis");
        QTest::keyClicks(&expression, "*g)");
        QVERIFY(check.text().endsWith("It is a variable: copy it into the parameters with >>."));
        clickRow(variables, int(symbols(variables).indexOf("g")));
        click(editor, "Command4");
        QCOMPARE(check.text(), QString());
        // A division by zero is the values' fault, not the expression's.
        expression.clear();
        QTest::keyClicks(&expression, "R/(I-I)");
        QCOMPARE(check.text(), QString());
        expression.clear();
        QTest::keyClicks(&expression, "1,5*R");
        QCOMPARE(check.text(), "Character 2: A comma only separates a function's arguments; decimals are written with a point.");
    }
};

QTEST_MAIN(FormulaEditorTest)
#include "formulaeditor_test.moc"
