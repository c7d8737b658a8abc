#include "libraryitems.h"

#include "clierror.h"

#include "store/formula.h"

Formula formulaNamed(Store& store, const QString& name)
{
    std::optional<Formula> formula = Formula::read(store, name);
    if (!formula)
        throw failure(QStringLiteral("There is no formula \"%1\" in the library.").arg(name));
    return *std::move(formula);
}

const LibraryTree::Node& catalogNamed(const LibraryTree& tree, const QString& name)
{
    const LibraryTree::Node* node = tree.find(name);
    if (!node || !node->catalog)
        throw failure(QStringLiteral("There is no catalog \"%1\" in the library.").arg(name));
    return *node;
}
