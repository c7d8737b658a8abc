#include "mainwindow/form1.h"

#include "calc/history.h"
#include "calc/parametergrid.h"
#include "calc/resultdetails.h"
#include "calc/resultlist.h"
#include "layout/qtlayout.h"
#include "mainwindow/celltips.h"
#include "mainwindow/keyboard.h"
#include "mainwindow/longcells.h"
#include "mainwindow/statusline.h"
#include "mainwindow/userdialogs.h"
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
    , dialogs_(dialogs)
    , images_(new ImageList(this))
    , cd1(new CommonDialog(QStringLiteral("cd1"), QStringLiteral("Textfiles(*.txt)|*.txt"), this))
    , tree_(*ui.Tvwmain, *images_)
    , treeReadAhead_(std::move(treeReadAhead))
    , integrityCheck_(new IntegrityCheck(store.path(), this))
{
    connectCommands();
    connectCalculation();
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
        dialogs_.msgBox(this, StoreError({}, report, StoreError::Kind::Damaged, store_.path()).userText(),
                        MsgStyle::Information, ui.Label25->text());
        emit libraryTroubleShown();
    });
    integrityCheck_->start();

    // What the window offers beyond its design, each part in a file of its own.
    connectStatusLine(*this);
    connectKeyboard(*this);
    connectCellTips(*this);
    connectResultDetails(*this);
    // Laid out once now, at the designed size, so that the designed geometry is what is
    // recorded; a saved size given before the window shows is then a resize like any other.
    Form_Resize();
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
    setListColumns(*ui.ListView1, {{ui.Label10, 2.5}, {ui.Label11, 5}, {ui.Label12, 2.5},
                                   {ui.Label13, 5}, {ui.Label14, 3}, {ui.Label15, 5}});
    setListColumns(*ui.ListView2, {{ui.Label5, 4}, {ui.Label6, 3.5}, {ui.Label7, 4}, {ui.Label8, 5}, {ui.Label9, 5}});

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

    runCommand([this] {
        tree_.reset(ui.Label24->text());
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
            dialogs_.msgBox(this,
                            error.userText()
                                + (locked ? QStringLiteral("\n\nPress OK once the other program is done: Calcora then "
                                                           "clears the results of this session and closes.")
                                          : QString()),
                            MsgStyle::Information, ui.Label25->text());
            emit libraryTroubleShown();
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

int form1::message(const QLabel* label, int style, QWidget* over)
{
    return message(label->text(), style, over);
}

int form1::message(const QString& text, int style, QWidget* over)
{
    return dialogs_.msgBox(over ? over : this, text, style, ui.Label25->text());
}

int form1::message(const QLabel* label, const QString& item, int style, QWidget* over)
{
    const QString text = label->text();
    return dialogs_.msgBox(over ? over : this, text.contains(QLatin1String("%1")) ? text.arg(item) : text, style,
                           ui.Label25->text());
}

bool form1::runCommand(const std::function<void()>& command, QWidget* over)
{
    try {
        command();
        return true;
    } catch (const StoreError& error) {
        dialogs_.msgBox(over ? over : this, error.userText(), MsgStyle::Information, ui.Label25->text());
        emit libraryTroubleShown();
    }
    return false;
}

bool form1::runChecked(const std::function<const QLabel*()>& check, const std::function<void()>& write, QWidget* over)
{
    const QLabel* refusal = nullptr;
    const bool written = runCommand([&] {
        refusal = check();
        if (!refusal)
            write();
    }, over);
    if (refusal) {
        message(refusal, MsgStyle::Information, over);
        return false;
    }
    return written;
}

QStringList form1::gridHeader() const
{
    return {ui.Label16->text(), ui.Label17->text(), ui.Label19->text(), ui.Label18->text(), ui.Label13->text()};
}
