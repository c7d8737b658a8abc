#pragma once

#include <QObject>
#include <QString>

class FormulaTree;
class Messages;
class QAction;
class QWidget;
class Store;

// "Export Catalog…" and "Import Catalog…" of the tree's menus: a catalog with everything below
// it written to a file, and such a file added under the root or a catalog, by the same exchange
// and checks as calcora-cli. An import is all or nothing, and every problem of it is told in
// one box; what it added shows in the tree at once.
class CatalogSharing final : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget& window;
        QAction& mexportcata; // in the catalog's menu
        QAction& mimportcata; // in the catalog's and the root's
    };

    CatalogSharing(const Controls& controls, Store& store, Messages& messages, FormulaTree& tree);

signals:
    // What the command did, for the status line.
    void done(const QString& note);
    // Catalogs and formulas were added, and the tree shows them.
    void imported();

private:
    void mexportcata_Click();
    void mimportcata_Click();

    Controls ui_;
    Store& store_;
    Messages& messages_;
    FormulaTree& tree_;
};
