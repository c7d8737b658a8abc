#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class LibraryTree;
class Store;

// Finding formulas and catalogs by their texts: a formula by its name, function name,
// description and expression, a catalog by its name and description. The texts are read once
// and kept here, so that a search per keystroke reads nothing; whoever changes the library
// tells the index (addCatalog() … removeAll()).
//
// Texts match when one holds the other without regard to case, in every script: both are
// compared in Unicode's simple case folding, so "ä" finds "Ä", "ω" finds "Ω" and the ohm sign,
// "µ" (micro) finds "μ" (mu). That folding maps one character to one: "ss" does not find "ß".
// Nothing else is normalised: blanks count as typed.
class LibrarySearch
{
public:
    // What a formula is found by; a catalog has a caption and a description only.
    struct Texts
    {
        QString caption;
        QString function;
        QString description;
        QString expression;
    };

    struct Match
    {
        QString caption;
        bool catalog = false;
    };

    struct Found
    {
        QString text;
        // In the order the tree shows them: depth first, each level's items in the order they
        // were added (a library read afresh lists its catalogs before its formulas).
        QList<Match> matches;
        // The catalogs on the way to a match, to be opened: each before those inside it.
        QStringList leading;
    };

    // An index of an empty library.
    LibrarySearch();
    // The library's texts: the tree's rows, then one pass over the formulas' own rows.
    static LibrarySearch read(Store& store);
    // The same on a tree read already, such as the one the window shows.
    static LibrarySearch read(Store& store, const LibraryTree& tree);

    // Every item whose texts hold text. A text that holds the last one searched for looks
    // among that search's matches only, as a user typing on narrows the search.
    Found find(const QString& text);
    // "Mechanics/Beams/CantileverDeflection": the captions from the top catalog down to the
    // item's own; empty for a caption the library does not have.
    QString path(const QString& caption) const;
    bool contains(const QString& caption) const { return indexOf(caption) > 0; }

    // Keeping the index as the library is. parent is a catalog's caption, or empty or
    // ItemName::RootKey for the root; an unknown parent is taken for the root, as the tree takes
    // it. caption is an item's caption before the change; changes of unknown items are ignored.
    void addCatalog(const QString& parent, const QString& caption, const QString& description);
    void addFormula(const QString& parent, const Texts& formula);
    void changeCatalog(const QString& caption, const QString& newCaption, const QString& description);
    void changeFormula(const QString& caption, const Texts& formula);
    // The item and everything inside it.
    void remove(const QString& caption);
    void removeAll();

private:
    struct Entry
    {
        QString caption;
        QString folded; // the searched texts, case-folded, each ended by Separator
        int parent = 0;
        QList<int> children;
        bool catalog = false;
    };

    int indexOf(const QString& caption) const;
    int parentIndex(const QString& parent) const;
    int add(int parent, const QString& caption, bool catalog, const Texts& texts);
    void change(int index, const QString& newCaption, const Texts& texts);
    void removeEntry(int index);
    void changed();
    // The entries in tree order, the root left out.
    const std::vector<int>& order();
    void appendInOrder(int index);

    std::vector<Entry> entries_; // the root first
    QHash<QString, int> indexes_; // foldedName(caption) → entry
    std::vector<int> order_;
    bool orderStale_ = true;
    // The last search, for narrowing the next: its folded text and its matches in tree order.
    QString lastText_;
    std::vector<int> lastMatches_;
    bool lastValid_ = false;
};
