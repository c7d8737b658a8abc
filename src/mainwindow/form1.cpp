#include "mainwindow/form1.h"

#include "calc/parametergrid.h"
#include "calc/resultlist.h"
#include "calc/unitconversion.h"
#include "calc/units.h"
#include "editor/editorlauncher.h"
#include "layout/celltips.h"
#include "layout/focusmarker.h"
#include "layout/messages.h"
#include "layout/qtlayout.h"
#include "layout/userdialogs.h"
#include "mainwindow/catalogsharing.h"
#include "mainwindow/findbox.h"
#include "mainwindow/imagelist.h"
#include "mainwindow/statusline.h"
#include "store/integritycheck.h"
#include "store/store.h"
#include "ui_form1.h"
#include "variables/variablelist.h"

#include <QCloseEvent>
#include <QScreen>
#include <QShortcut>

namespace {

std::unique_ptr<Ui::form1> createControls(form1* window)
{
    auto controls = std::make_unique<Ui::form1>();
    controls->setupUi(window);
    return controls;
}

} // namespace

form1::form1(Store& store, UserDialogs& dialogs, QWidget* parent, std::future<LibraryTree> treeReadAhead)
    : QWidget(parent)
    , ui(createControls(this))
    , store_(store)
    , messages_(new Messages(*this, dialogs))
    , images_(new ImageList(this))
    , tree_(*ui->Tvwmain, *images_)
    , treeReadAhead_(std::move(treeReadAhead))
    , integrityCheck_(new IntegrityCheck(store.path(), this))
    , units_(std::make_unique<Units>())
{
    connectTree();
    createPanels();
    ui->Text4->setBackgroundRole(QPalette::Button);
    ui->Text4->viewport()->setBackgroundRole(QPalette::Button);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    Form_Load();
    connect(integrityCheck_, &IntegrityCheck::damaged, this, [this](const QString& report) {
        store_.markDamaged(report);
        messages_->boxTrouble(StoreError({}, report, StoreError::Kind::Damaged, store_.path()).userText());
    });
    integrityCheck_->start();

    connectStatusLine();
    connectKeyboard();
    CellTips::install(*ui->Tvwmain);
    // Laid out once now, at the designed size, so that the designed geometry is what is
    // recorded; a saved size given before the window shows is then a resize like any other.
    Form_Resize();
}

form1::~form1() = default;

void form1::createPanels()
{
    results_ = std::make_unique<ResultList>(ResultList::Controls{*ui->ListView1, *ui->Rdelresmenu, *ui->delres, *ui->delallres,
                                                                 *ui->Routresult, *ui->Routtxt, *ui->Routexcel, *ui->Rcopyres,
                                                                 *ui->Text8},
                                            store_, *messages_, *units_);
    connect(results_.get(), &ResultList::recalled, this, &form1::showRecalled);
    connect(results_.get(), &ResultList::resultsDeleted, this, &form1::clearFormulaView);
    grid_ = std::make_unique<ParameterGrid>(ParameterGrid::Controls{*ui->MSFlexGrid1, *ui->Text1, *ui->Command3, *ui->Text5,
                                                                    *ui->Text6},
                                            store_, *messages_, *results_, [this] {
                                                const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
                                                return node ? node->text(0) : QString();
                                            });
    connect(results_.get(), &ResultList::exporting, grid_.get(), &ParameterGrid::hideChooseButton);
    variables_ = std::make_unique<VariableList>(VariableList::Controls{*ui->ListView2, *ui->Rmoddelvar, *ui->mdefval,
                                                                       *ui->mdefvarroot, *ui->Rmodvar, *ui->Rdelvar,
                                                                       *ui->Rdelallvar},
                                                store_, *messages_, [this] { return variableLevel(); });
    editor_ = std::make_unique<EditorLauncher>(
        EditorLauncher::Controls{*this, *ui->Text2, *ui->mnewfun, *ui->mnewfunroot, *ui->mmodfun,
                                 {*ui->Rmenu, *ui->Rmenuaddvar, *ui->Rmodpara, *ui->Rdelpara, *ui->Raddvar}},
        store_, *messages_, *units_, [this] { return selectedKey(true); }, [this] { return selectedKey(false); });
    connect(editor_.get(), &EditorLauncher::formulaAdded, this, &form1::showAddedFormula);
    connect(editor_.get(), &EditorLauncher::formulaModified, this, &form1::showModifiedFormula);
    connect(ui->Command1, &QPushButton::clicked, this, &form1::Command1_Click);
    sharing_ = std::make_unique<CatalogSharing>(CatalogSharing::Controls{*this, *ui->mexportcata, *ui->mimportcata}, store_,
                                                *messages_, tree_);
    find_ = std::make_unique<FindBox>(FindBox::Controls{*ui->FindBox, *ui->Tvwmain}, tree_, store_);
    // Enter on a match shows it as a click on it does: a press, the node made current, a click.
    connect(find_.get(), &FindBox::chosen, this, [this](QTreeWidgetItem* node) {
        nodeShownByPress_ = false;
        ui->Tvwmain->setCurrentItem(node);
        emit ui->Tvwmain->itemClicked(node, 0);
    });
    connect(sharing_.get(), &CatalogSharing::imported, find_.get(), &FindBox::libraryChanged);
}

void form1::setDesktop(Desktop* desktop)
{
    results_->setDesktop(desktop);
}

LibraryTree form1::takeLibraryTree()
{
    // Whatever stopped the read ahead is met again here, and then shown as any refusal is.
    if (treeReadAhead_.valid()) {
        try {
            return treeReadAhead_.get();
        } catch (const StoreError&) {
        }
    }
    return LibraryTree::read(store_);
}

void form1::Form_Load()
{
    results_->setUp();
    variables_->setUp();
    grid_->setUp();

    messages_->run([this] {
        tree_.reset(messages_->text(Messages::Label24));
        tree_.load(takeLibraryTree());
    });
    tree_.root()->setExpanded(true);

    variables_->enableVariableEntries(false);
    for (QAction* entry : {ui->mnewcataroot, ui->mnewfunroot, ui->mdefvarroot, ui->mdelallfunroot})
        entry->setEnabled(false);
    ui->Command1->hide();
    ui->ListView2->show();
    ui->ListView2->raise();
}

void form1::Form_Resize()
{
    grid_->hideChooseButton();
    resizeAllControls(layouts_, *this);
}

void form1::Form_Unload()
{
    // Nothing was recorded in a library that cannot be written, and nothing more is written
    // to a damaged one; the user was told about either when it was found.
    if (store_.readOnly() || store_.damaged())
        return;
    // Another program's lock must not leave this run's history behind: the user is told with
    // the window back on screen, and once they answer, the history is cleared.
    for (;;) {
        try {
            Computation::resetHistory(store_);
            return;
        } catch (const StoreError& error) {
            const bool locked = error.kind() == StoreError::Kind::Busy;
            show();
            messages_->boxTrouble(error.userText()
                                  + (locked ? QStringLiteral("\n\nPress OK once the other program is done: Calcora "
                                                             "then clears the results of this session and closes.")
                                            : QString()));
            if (!locked)
                return;
        }
    }
}

void form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void form1::closeEvent(QCloseEvent* event)
{
    // The window goes at once; the history is cleared behind it, before the program ends.
    hide();
    Form_Unload();
    event->accept();
}

void form1::connectStatusLine()
{
    statusLine_ = new StatusLine(*ui->StatusLine, store_);
    connect(results_.get(), &ResultList::calculationFailed, statusLine_, &StatusLine::tell);
    connect(results_.get(), &ResultList::calculated, statusLine_, [this](const QString& note) {
        statusLine_->tell(note);
        statusLine_->clearConversion();
    });
    connect(messages_, &Messages::noticed, statusLine_, &StatusLine::tell);
    connect(sharing_.get(), &CatalogSharing::done, statusLine_, &StatusLine::tell);
    connect(messages_, &Messages::troubleShown, statusLine_, &StatusLine::show);
    connect(find_.get(), &FindBox::counted, statusLine_, &StatusLine::tell);
    // A note lasts until the next node is shown; what opening did, until the user clicks one:
    // the last session's node made current again is no start.
    const auto clearNote = [this] { statusLine_->tell({}); };
    connect(ui->Tvwmain, &QTreeWidget::itemClicked, statusLine_, clearNote);
    connect(ui->Tvwmain, &QTreeWidget::currentItemChanged, statusLine_, clearNote);
    connect(ui->Tvwmain, &QTreeWidget::itemClicked, statusLine_, &StatusLine::clearConversion);
}

void form1::connectKeyboard()
{
    // Ctrl+Return and F9 run "Calculate" from anywhere in the window; a value still being typed
    // is written back first, as when the button is clicked.
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter),
                                     QKeySequence(Qt::Key_F9)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] {
            if (ui->Text1->hasFocus())
                ui->MSFlexGrid1->setFocus(Qt::ShortcutFocusReason);
            ui->Command1->click();
        });
    }
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, find_.get(), &FindBox::focus);
    // Tab goes only to controls that take input; the expression and the description are
    // still there to be selected with the mouse.
    for (QWidget* shown : std::initializer_list<QWidget*>{ui->Text3, ui->Text4})
        shown->setFocusPolicy(Qt::ClickFocus);
    markFocus(*this);
}

void form1::Command1_Click()
{
    grid_->hideChooseButton();
    const QString expression = ui->Text3->toPlainText();
    const QTreeWidgetItem* node = ui->Tvwmain->currentItem();
    // With no node current (after a deletion, say) there is no formula to file a result under.
    if (expression.isEmpty() || !node) {
        messages_->box(Messages::Label49, MsgStyle::Information);
        return;
    }
    // Inputs given with a unit are computed, and kept, in their parameters' units.
    const UnitConversion::Inputs inputs = UnitConversion::inputs(*units_, grid_->rowsToCompute());
    // A computation that fails leaves nothing in the library or the list; only the status line
    // says why.
    const Computation::Evaluation evaluation = inputs.refusal.isEmpty()
                                                   ? Computation::evaluate(expression, inputs.rows)
                                                   : Computation::Evaluation{std::nullopt, Computation::notComputed(inputs.refusal)};
    if (!evaluation.value) {
        statusLine_->tell(evaluation.failure);
        return;
    }
    results_->add(node->text(0), expression, inputs.rows, *evaluation.value, inputs.note());
}

void form1::showRecalled(const QString& formula, const Computation::Recalled& computation, const QString& note)
{
    // The grid is refilled: an edit still open belongs to what it showed before, as after a
    // tree click.
    grid_->selectionChanged();
    ui->Text3->show();
    ui->Text3->setPlainText(computation.expression);
    showDescription(formula, computation.description);
    // "Calculate" computes the formula selected in the tree.
    if (QTreeWidgetItem* node = tree_.find(formula))
        tree_.selectQuietly(node);
    ui->MSFlexGrid1->show();
    grid_->showRows(computation.parameters);

    ui->ListView2->hide();
    grid_->hideChooseButton();
    ui->Label2->setText(ui->Text8->text());
    ui->Label4->show();
    ui->Command1->show();
    statusLine_->tell(note);
}

void form1::clearFormulaView()
{
    ui->Text3->clear();
    ui->Text4->clear();
    grid_->clear();
}
