#pragma once

#include "mainwindow/librarysearch.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class FormulaTree;
class QEvent;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class Store;

// The find box over the tree. As the user types, the tree shows only the formulas and catalogs
// whose texts hold what was typed (LibrarySearch), with the catalogs that lead to them open;
// Up and Down move the highlight through them, Enter asks the window to show the one
// highlighted, Esc or an empty box gives the tree back as it was. The tree's current node does
// not move while the user looks: every command still works on the node the window shows.
//
// The texts are read when the box is first used, and kept in step by whoever changes the
// library (catalogAdded() … libraryChanged()).
class FindBox : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QLineEdit& FindBox;
        QTreeWidget& Tvwmain;
    };

    FindBox(const Controls& controls, FormulaTree& tree, Store& store);

    // The keyboard into the box, its text selected to be typed over.
    void focus();
    // The box emptied, the tree as it was before the search.
    void clear();

    // What changed in the library, after the tree shows it. parent is a catalog's caption or
    // the root's key; caption the item's caption before the change.
    void catalogAdded(const QString& parent, const QString& caption, const QString& description);
    void catalogChanged(const QString& caption, const QString& newCaption, const QString& description);
    void formulaAdded(const QString& parent, const QString& caption);
    void formulaChanged(const QString& caption, const QString& newCaption);
    void removed(const QString& caption);
    // Anything else: the texts are read again when next needed.
    void libraryChanged();

    // "3 formulas and 1 catalog match "beam"."
    static QString countNote(const LibrarySearch::Found& found);

signals:
    // What the search found, for the status line; empty once the box is emptied.
    void counted(const QString& note);
    // The user asked to see node: the window shows it as a click on it does.
    void chosen(QTreeWidgetItem* node);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LibrarySearch& index();
    void search(const QString& text);
    // Hides what is not shown below node; below a catalog found for itself, nothing is hidden.
    void hideBelow(QTreeWidgetItem* node, const QSet<const QTreeWidgetItem*>& shown,
                   const QSet<const QTreeWidgetItem*>& leading);
    void setHidden(QTreeWidgetItem* node, bool hidden);
    void restoreTree();
    void moveHighlight(int step);
    void highlight();
    // After a change of the library: the search again, on the tree as it now is.
    void searchAgain();
    void renamed(const QString& caption, const QString& newCaption);

    Controls ui_;
    FormulaTree& tree_;
    Store& store_;
    std::optional<LibrarySearch> index_;
    // While a search shows: the tree's open catalogs and current node from before it, whether
    // the user has shown a node since (it then stays current), the nodes hidden, the matches in
    // tree order and the one highlighted.
    bool searching_ = false;
    QStringList expanded_;
    std::optional<QString> current_;
    bool picked_ = false;
    QSet<QTreeWidgetItem*> hidden_;
    QList<QTreeWidgetItem*> matches_;
    int highlighted_ = 0;
};
