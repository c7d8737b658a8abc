#include "mainwindow/form1.h"

#include "calc/fillparametergrid.h"
#include "calc/gridparameters.h"
#include "calc/history.h"
#include "calc/parametergrid.h"
#include "calc/resultlist.h"
#include "layout/celltips.h"
#include "layout/lists.h"
#include "layout/qtlayout.h"
#include "layout/userdialogs.h"
#include "mainwindow/keyboard.h"
#include "mainwindow/statusline.h"
#include "store/integritycheck.h"
#include "store/store.h"

#include <QCloseEvent>
#include <QScreen>

namespace {

// Twips, the designed unit of the window, to pixels.
constexpr int TwipsPerPixel = 15;

Ui::form1 createControls(form1* window)
{
    Ui::form1 controls;
    controls.setupUi(window);
    return controls;
}

} // namespace

form1::form1(Store& store, UserDialogs& dialogs, QWidget* parent, std::future<LibraryTree> treeReadAhead)
    : QWidget(parent)
    , ui(createControls(this))
    , store_(store)
    , messages_(new Messages(*this, dialogs))
    , images_(new ImageList(this))
    , tree_(*ui.Tvwmain, *images_)
    , treeReadAhead_(std::move(treeReadAhead))
    , integrityCheck_(new IntegrityCheck(store.path(), this))
{
    connectCommands();
    results_ = std::make_unique<ResultList>(ResultList::Controls{*ui.ListView1, *ui.Rdelresmenu, *ui.delres, *ui.delallres,
                                                                 *ui.Routresult, *ui.Routtxt, *ui.Routexcel, *ui.Rcopyres,
                                                                 *ui.Text8},
                                            store_, *messages_);
    connect(results_.get(), &ResultList::calculationFailed, this, &form1::calculationFailed);
    connect(results_.get(), &ResultList::calculated, this, &form1::calculated);
    connect(results_.get(), &ResultList::recalled, this, &form1::showRecalled);
    connect(results_.get(), &ResultList::resultsDeleted, this, &form1::clearFormulaView);
    connect(results_.get(), &ResultList::exporting, ui.Command3, &QWidget::hide);
    connectGrid();
    connect(ui.Command1, &QPushButton::clicked, this, &form1::Command1_Click);
    connectVariables();
    connectEditor();
    ui.Text4->setBackgroundRole(QPalette::Button);
    ui.Text4->viewport()->setBackgroundRole(QPalette::Button);
    cutLongCells(*ui.ListView2);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    Form_Load();
    connect(integrityCheck_, &IntegrityCheck::damaged, this, [this](const QString& report) {
        store_.markDamaged(report);
        messages_->boxTrouble(StoreError({}, report, StoreError::Kind::Damaged, store_.path()).userText());
    });
    integrityCheck_->start();

    // What the window offers beyond its design, each part in a file of its own.
    connectStatusLine(*this);
    connectKeyboard(*this);
    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{ui.Tvwmain, ui.ListView2, ui.MSFlexGrid1})
        CellTips::install(*view);
    // Laid out once now, at the designed size, so that the designed geometry is what is
    // recorded; a saved size given before the window shows is then a resize like any other.
    Form_Resize();
}

form1::~form1() = default;

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
    const Messages& texts = *messages_;
    setListColumns(*ui.ListView2, {{texts.text(Messages::Label5), 4}, {texts.text(Messages::Label6), 3.5},
                                   {texts.text(Messages::Label7), 4}, {texts.text(Messages::Label8), 5},
                                   {texts.text(Messages::Label9), 5}});

    QTableWidget& grid = *ui.MSFlexGrid1;
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    ParameterGrid::clear(grid, gridHeader(), ParameterGrid::MinimumRows);
    for (int column = 0; column < ParameterGrid::ColumnCount; ++column) {
        static constexpr double divisors[] = {4, 4.5, 4, 4, 6};
        grid.setColumnWidth(column, qRound(grid.width() / divisors[column]));
    }
    grid.verticalHeader()->setMinimumSectionSize(1);
    grid.verticalHeader()->setDefaultSectionSize(qRound(240.0 / TwipsPerPixel));
    grid.setRowHeight(0, qRound(280.0 / TwipsPerPixel));

    messages_->run([this] {
        tree_.reset(messages_->text(Messages::Label24));
        tree_.load(takeLibraryTree());
    });
    tree_.root()->setExpanded(true);

    for (QAction* entry : {ui.Rmodvar, ui.Rdelvar, ui.Rdelallvar, ui.mnewcataroot, ui.mnewfunroot,
                           ui.mdefvarroot, ui.mdelallfunroot})
        entry->setEnabled(false);
    ui.Command1->hide();
    ui.ListView2->show();
    ui.ListView2->raise();
    MouseEditOpen = 0;
}

void form1::Form_Resize()
{
    ui.Command3->hide();
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
            History::reset(store_);
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

QStringList form1::gridHeader() const
{
    return {messages_->text(Messages::Label16), messages_->text(Messages::Label17), messages_->text(Messages::Label19), messages_->text(Messages::Label18), messages_->text(Messages::Label13)};
}

void form1::Command1_Click()
{
    ui.Command3->hide();
    const QString expression = ui.Text3->toPlainText();
    const QTreeWidgetItem* node = ui.Tvwmain->currentItem();
    // With no node current (after a deletion, say) there is no formula to file a result under.
    if (expression.isEmpty() || !node) {
        messages_->box(Messages::Label49, MsgStyle::Information);
        return;
    }
    QTableWidget& grid = *ui.MSFlexGrid1;
    const QList<GridRow> rows = gridParameters(grid);
    moveCurrentCell(grid, grid.rowCount() - 1, ParameterGrid::InputColumn);
    // A computation that fails leaves nothing in the library or the list; only the status line
    // says why.
    const Computation::Evaluation evaluation = Computation::evaluate(expression, rows);
    if (!evaluation.value) {
        emit calculationFailed(evaluation.failure);
        return;
    }
    results_->add(node->text(0), expression, rows, *evaluation.value);
}

void form1::showRecalled(const QString& formula, const Computation::Recalled& computation, const QString& note)
{
    // The grid is refilled: an edit still open belongs to what it showed before, as after a
    // tree click.
    SelectionChanged = 1;
    ui.Text1->clear();
    ui.Text3->show();
    ui.Text3->setPlainText(computation.expression);
    showDescription(formula, computation.description);
    // "Calculate" computes the formula selected in the tree.
    if (QTreeWidgetItem* node = tree_.find(formula))
        tree_.selectQuietly(node);
    QTableWidget& grid = *ui.MSFlexGrid1;
    grid.show();
    showGridRows(grid, gridHeader(), computation.parameters);
    moveCurrentCell(grid, 0, 0);

    ui.ListView2->hide();
    ui.Command3->hide();
    ui.Label2->setText(ui.Text8->text());
    ui.Label4->show();
    ui.Command1->show();
    emit recalled(note);
}

void form1::clearFormulaView()
{
    ui.Text3->clear();
    ui.Text4->clear();
    // An edit still open belongs to the grid as it was.
    SelectionChanged = 1;
    ParameterGrid::clear(*ui.MSFlexGrid1, gridHeader());
    moveCurrentCell(*ui.MSFlexGrid1, 0, 0);
}
