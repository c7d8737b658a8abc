#include "mainwindow/librarysearch.h"

#include "mainwindow/librarytree.h"
#include "store/itemname.h"
#include "store/itemtables.h"
#include "store/sqltext.h"
#include "store/store.h"

namespace {

// Ends each text of an entry, so that no match runs from one text into the next. Texts hold no
// NUL as a rule; a text searched for that holds one finds nothing.
constexpr QChar Separator(u'\0');

QString folded(const LibrarySearch::Texts& texts)
{
    QString all;
    all.reserve(texts.caption.size() + texts.function.size() + texts.description.size() + texts.expression.size() + 4);
    for (const QString* text : {&texts.caption, &texts.function, &texts.description, &texts.expression})
        all += *text + Separator;
    return all.toCaseFolded();
}

} // namespace

LibrarySearch::LibrarySearch()
{
    entries_.emplace_back();
    entries_.front().catalog = true;
}

LibrarySearch LibrarySearch::read(Store& store)
{
    return read(store, LibraryTree::read(store));
}

LibrarySearch LibrarySearch::read(Store& store, const LibraryTree& tree)
{
    LibrarySearch search;
    search.entries_.resize(std::size_t(tree.size()));
    search.indexes_.reserve(tree.size());
    // The formulas by their table, for the pass over the formulas' rows.
    QHash<QString, int> formulaTables;
    for (int i = 1; i < tree.size(); ++i) {
        const LibraryTree::Node& node = tree.node(i);
        Entry& entry = search.entries_[std::size_t(i)];
        entry.caption = node.caption;
        entry.parent = node.parent;
        entry.children = node.children;
        entry.catalog = node.catalog;
        if (node.catalog)
            entry.folded = folded({node.caption, {}, node.description, {}});
        else
            formulaTables.insert(foldedName(node.table), i);
        // As in the tree, a formula never takes a catalog's caption from it.
        if (tree.indexOf(node.caption) == i)
            search.indexes_.insert(foldedName(node.caption), i);
    }
    search.entries_.front().children = tree.root().children;

    // Every formula row of the library's own tables at once: one pass instead of a query per
    // formula. A formula's row is the one named by its caption, as when it is shown.
    std::vector<bool> found(search.entries_.size(), false);
    if (store.tableExists(ItemTables::Rows)) {
        store.forEachText(QStringLiteral("select tbl, name, varname, expression, descr from %1 where ispara = 0").arg(ItemTables::Rows),
                          [&](const Store::TextRow& row) {
                              const int index = formulaTables.value(foldedName(row.text(0)), 0);
                              if (index == 0 || found[std::size_t(index)])
                                  return;
                              Entry& entry = search.entries_[std::size_t(index)];
                              if (foldedName(row.text(1)) != foldedName(entry.caption))
                                  return;
                              entry.folded = folded({entry.caption, row.text(2), row.text(4), row.text(3)});
                              found[std::size_t(index)] = true;
                          });
    }
    // Formulas whose table is one of the library's SQLite tables (a library of the older
    // layout, or a table kept so), and those without a row, which are found by caption alone.
    for (int i = 1; i < tree.size(); ++i) {
        Entry& entry = search.entries_[std::size_t(i)];
        if (entry.catalog || found[std::size_t(i)])
            continue;
        entry.folded = folded({entry.caption, {}, {}, {}});
        const QString table = tree.node(i).table;
        if (!store.tableExists(table))
            continue;
        const auto own = store.first(QStringLiteral("select varname, expression, descr from %1 where ispara=0 and name=?").arg(sqlName(table)),
                                     {entry.caption});
        if (own)
            entry.folded = folded({entry.caption, own->value(0).toString(), own->value(2).toString(), own->value(1).toString()});
    }
    return search;
}

LibrarySearch::Found LibrarySearch::find(const QString& text)
{
    const QString needle = text.toCaseFolded();
    // Whatever holds the new text holds the last one too.
    const bool narrowing = lastValid_ && needle.contains(lastText_);
    std::vector<int> matches;
    if (!needle.contains(Separator)) {
        const std::vector<int>& candidates = narrowing ? lastMatches_ : order();
        for (const int index : candidates) {
            if (entries_[std::size_t(index)].folded.contains(needle))
                matches.push_back(index);
        }
    }

    Found found;
    found.text = text;
    found.matches.reserve(qsizetype(matches.size()));
    std::vector<bool> leads(entries_.size(), false);
    for (const int index : matches) {
        const Entry& entry = entries_[std::size_t(index)];
        found.matches.append({entry.caption, entry.catalog});
        for (int up = entry.parent; up > 0 && !leads[std::size_t(up)]; up = entries_[std::size_t(up)].parent)
            leads[std::size_t(up)] = true;
    }
    for (const int index : order()) {
        if (leads[std::size_t(index)])
            found.leading.append(entries_[std::size_t(index)].caption);
    }
    lastText_ = needle;
    lastMatches_ = std::move(matches);
    lastValid_ = true;
    return found;
}

QString LibrarySearch::path(const QString& caption) const
{
    QStringList captions;
    for (int index = indexOf(caption); index > 0; index = entries_[std::size_t(index)].parent)
        captions.prepend(entries_[std::size_t(index)].caption);
    return captions.join(QLatin1Char('/'));
}

void LibrarySearch::addCatalog(const QString& parent, const QString& caption, const QString& description)
{
    add(parentIndex(parent), caption, true, {caption, {}, description, {}});
}

void LibrarySearch::addFormula(const QString& parent, const Texts& formula)
{
    add(parentIndex(parent), formula.caption, false, formula);
}

void LibrarySearch::changeCatalog(const QString& caption, const QString& newCaption, const QString& description)
{
    if (const int index = indexOf(caption); index > 0 && entries_[std::size_t(index)].catalog)
        change(index, newCaption, {newCaption, {}, description, {}});
}

void LibrarySearch::changeFormula(const QString& caption, const Texts& formula)
{
    if (const int index = indexOf(caption); index > 0 && !entries_[std::size_t(index)].catalog)
        change(index, formula.caption, formula);
}

void LibrarySearch::remove(const QString& caption)
{
    const int index = indexOf(caption);
    if (index <= 0)
        return;
    QList<int>& siblings = entries_[std::size_t(entries_[std::size_t(index)].parent)].children;
    siblings.removeOne(index);
    removeEntry(index);
    changed();
}

void LibrarySearch::removeAll()
{
    *this = LibrarySearch();
}

int LibrarySearch::indexOf(const QString& caption) const
{
    return indexes_.value(foldedName(caption), -1);
}

int LibrarySearch::parentIndex(const QString& parent) const
{
    if (parent.isEmpty() || parent == ItemName::RootKey)
        return 0;
    const int index = indexOf(parent);
    return index > 0 && entries_[std::size_t(index)].catalog ? index : 0;
}

int LibrarySearch::add(int parent, const QString& caption, bool catalog, const Texts& texts)
{
    const int index = int(entries_.size());
    Entry& entry = entries_.emplace_back();
    entry.caption = caption;
    entry.folded = folded(texts);
    entry.parent = parent;
    entry.catalog = catalog;
    entries_[std::size_t(parent)].children.append(index);
    indexes_.insert(foldedName(caption), index);
    changed();
    return index;
}

void LibrarySearch::change(int index, const QString& newCaption, const Texts& texts)
{
    Entry& entry = entries_[std::size_t(index)];
    indexes_.remove(foldedName(entry.caption));
    entry.caption = newCaption;
    entry.folded = folded(texts);
    indexes_.insert(foldedName(newCaption), index);
    changed();
}

void LibrarySearch::removeEntry(int index)
{
    Entry& entry = entries_[std::size_t(index)];
    for (const int child : std::as_const(entry.children))
        removeEntry(child);
    indexes_.remove(foldedName(entry.caption));
    // The slot stays, so that the other entries keep their numbers; its texts go.
    entry = Entry();
}

void LibrarySearch::changed()
{
    orderStale_ = true;
    lastValid_ = false;
}

const std::vector<int>& LibrarySearch::order()
{
    if (orderStale_) {
        order_.clear();
        order_.reserve(entries_.size());
        for (const int child : std::as_const(entries_.front().children))
            appendInOrder(child);
        orderStale_ = false;
    }
    return order_;
}

void LibrarySearch::appendInOrder(int index)
{
    order_.push_back(index);
    for (const int child : std::as_const(entries_[std::size_t(index)].children))
        appendInOrder(child);
}
