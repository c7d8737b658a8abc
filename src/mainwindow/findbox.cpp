#include "mainwindow/findbox.h"

#include "mainwindow/formulatree.h"
#include "store/formula.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

// The made nodes below node, depth first, each before its children.
template <typename Visit>
void forEachBelow(QTreeWidgetItem* node, const Visit& visit)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem* child = node->child(i);
        visit(child);
        forEachBelow(child, visit);
    }
}

LibrarySearch::Texts textsOf(const Formula& formula)
{
    return {formula.name, formula.function, formula.description, formula.expression};
}

} // namespace

FindBox::FindBox(const Controls& controls, FormulaTree& tree, Store& store)
    : ui_(controls)
    , tree_(tree)
    , store_(store)
{
    ui_.FindBox.setClearButtonEnabled(true);
    ui_.FindBox.installEventFilter(this);
    connect(&ui_.FindBox, &QLineEdit::textChanged, this, &FindBox::search);
    // A node the user shows while the search is on is where they want to be afterwards.
    const auto picked = [this] { picked_ = searching_; };
    connect(&ui_.Tvwmain, &QTreeWidget::itemClicked, this, picked);
    connect(&ui_.Tvwmain, &QTreeWidget::currentItemChanged, this, picked);
}

void FindBox::focus()
{
    ui_.FindBox.setFocus(Qt::ShortcutFocusReason);
    ui_.FindBox.selectAll();
}

void FindBox::clear()
{
    ui_.FindBox.clear();
}

bool FindBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &ui_.FindBox)
        return QObject::eventFilter(watched, event);
    // The texts are read as the user comes to type, not at the first key.
    if (event->type() == QEvent::FocusIn)
        index();
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        clear();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveHighlight(key->key() == Qt::Key_Up ? -1 : 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (key->modifiers() & Qt::ControlModifier)
            return false;
        if (!matches_.isEmpty()) {
            picked_ = true;
            emit chosen(matches_.at(highlighted_));
            highlight();
        }
        return true;
    default:
        return false;
    }
}

LibrarySearch& FindBox::index()
{
    if (!index_) {
        try {
            index_ = LibrarySearch::read(store_);
        } catch (const StoreError&) {
            // A library that cannot be read now finds nothing; the next change reads it again.
            index_ = LibrarySearch();
        }
    }
    return *index_;
}

void FindBox::search(const QString& text)
{
    if (text.isEmpty()) {
        restoreTree();
        emit counted({});
        return;
    }
    QTreeWidget& view = ui_.Tvwmain;
    if (!searching_) {
        searching_ = true;
        picked_ = false;
        expanded_.clear();
        forEachBelow(tree_.root(), [this](QTreeWidgetItem* node) {
            if (node->isExpanded())
                expanded_ << FormulaTree::key(node);
        });
        current_ = view.currentItem() ? std::optional(FormulaTree::key(view.currentItem())) : std::nullopt;
    }
    const LibrarySearch::Found found = index().find(text);
    matches_.clear();
    QSet<const QTreeWidgetItem*> shown{tree_.root()};
    shown.reserve(found.matches.size() + found.leading.size() + 1);
    for (const LibrarySearch::Match& match : found.matches) {
        if (QTreeWidgetItem* node = tree_.made(match.caption)) {
            matches_.append(node);
            shown.insert(node);
        }
    }
    QSet<const QTreeWidgetItem*> leading{tree_.root()};
    QList<QTreeWidgetItem*> opened{tree_.root()};
    for (const QString& caption : found.leading) {
        if (QTreeWidgetItem* node = tree_.made(caption)) {
            shown.insert(node);
            leading.insert(node);
            opened.append(node);
        }
    }
    hideBelow(tree_.root(), shown, leading);
    for (QTreeWidgetItem* node : std::as_const(opened))
        node->setExpanded(true);
    highlighted_ = 0;
    highlight();
    emit counted(countNote(found));
}

void FindBox::hideBelow(QTreeWidgetItem* node, const QSet<const QTreeWidgetItem*>& shown,
                        const QSet<const QTreeWidgetItem*>& leading)
{
    const bool filtered = leading.contains(node);
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem* child = node->child(i);
        const bool hide = filtered && !shown.contains(child);
        setHidden(child, hide);
        // What lies inside a hidden catalog is not seen until the catalog is shown again.
        if (!hide && child->childCount() > 0)
            hideBelow(child, shown, leading);
    }
}

void FindBox::setHidden(QTreeWidgetItem* node, bool hidden)
{
    // Each change of a row costs the view a lookup: only the rows that change are touched.
    if (hidden_.contains(node) == hidden)
        return;
    node->setHidden(hidden);
    if (hidden)
        hidden_.insert(node);
    else
        hidden_.remove(node);
}

void FindBox::restoreTree()
{
    if (!searching_)
        return;
    searching_ = false;
    for (QTreeWidgetItem* node : std::as_const(hidden_))
        node->setHidden(false);
    hidden_.clear();
    matches_.clear();
    const QSet<QString> expanded(expanded_.cbegin(), expanded_.cend());
    forEachBelow(tree_.root(), [&expanded](QTreeWidgetItem* node) {
        if (node->isExpanded() && !expanded.contains(FormulaTree::key(node)))
            node->setExpanded(false);
    });
    for (const QString& key : std::as_const(expanded_)) {
        if (QTreeWidgetItem* node = tree_.find(key))
            node->setExpanded(true);
    }
    // The node shown during the search stays, in view; otherwise the one current before.
    QTreeWidgetItem* current = ui_.Tvwmain.currentItem();
    if (!picked_)
        current = current_ ? tree_.find(*current_) : nullptr;
    if (current)
        tree_.selectQuietly(current);
    else
        tree_.unselect();
}

void FindBox::moveHighlight(int step)
{
    if (matches_.isEmpty())
        return;
    highlighted_ = std::clamp(highlighted_ + step, 0, int(matches_.size()) - 1);
    highlight();
}

void FindBox::highlight()
{
    QTreeWidget& view = ui_.Tvwmain;
    view.clearSelection();
    if (matches_.isEmpty())
        return;
    QTreeWidgetItem* node = matches_.at(highlighted_);
    node->setSelected(true);
    view.scrollToItem(node);
}

QString FindBox::countNote(const LibrarySearch::Found& found)
{
    qsizetype catalogs = 0;
    for (const LibrarySearch::Match& match : found.matches)
        catalogs += match.catalog ? 1 : 0;
    const qsizetype formulas = found.matches.size() - catalogs;
    const auto count = [](qsizetype n, const char* one, const char* many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    if (found.matches.isEmpty())
        return QStringLiteral("No formula or catalog matches \"%1\".").arg(found.text);
    QStringList parts;
    if (formulas > 0)
        parts << count(formulas, "formula", "formulas");
    if (catalogs > 0)
        parts << count(catalogs, "catalog", "catalogs");
    return QStringLiteral("%1 %2 \"%3\".")
        .arg(parts.join(QLatin1String(" and ")), QLatin1String(found.matches.size() == 1 ? "matches" : "match"), found.text);
}

void FindBox::catalogAdded(const QString& parent, const QString& caption, const QString& description)
{
    if (index_)
        index_->addCatalog(parent, caption, description);
    searchAgain();
}

void FindBox::catalogChanged(const QString& caption, const QString& newCaption, const QString& description)
{
    if (index_)
        index_->changeCatalog(caption, newCaption, description);
    for (QString& key : expanded_) {
        if (foldedName(key) == foldedName(caption))
            key = newCaption;
    }
    renamed(caption, newCaption);
}

void FindBox::formulaAdded(const QString& parent, const QString& caption)
{
    if (index_) {
        if (const std::optional<Formula> formula = Formula::read(store_, caption))
            index_->addFormula(parent, textsOf(*formula));
        else
            index_->addFormula(parent, {caption, {}, {}, {}});
    }
    searchAgain();
}

void FindBox::formulaChanged(const QString& caption, const QString& newCaption)
{
    if (index_) {
        if (const std::optional<Formula> formula = Formula::read(store_, newCaption))
            index_->changeFormula(caption, textsOf(*formula));
    }
    renamed(caption, newCaption);
}

void FindBox::renamed(const QString& caption, const QString& newCaption)
{
    if (current_ && foldedName(*current_) == foldedName(caption))
        current_ = newCaption;
    searchAgain();
}

void FindBox::removed(const QString& caption)
{
    if (index_)
        index_->remove(caption);
    searchAgain();
}

void FindBox::libraryChanged()
{
    index_.reset();
    searchAgain();
}

void FindBox::searchAgain()
{
    if (!searching_)
        return;
    // Nodes may have gone with the change: the hidden ones are taken from the tree again.
    hidden_.clear();
    forEachBelow(tree_.root(), [this](QTreeWidgetItem* node) {
        if (node->isHidden())
            hidden_.insert(node);
    });
    search(ui_.FindBox.text());
}
