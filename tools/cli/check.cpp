#include "cli.h"
#include "clierror.h"
#include "libraryitems.h"
#include "texttable.h"

#include "calc/calcengine.h"
#include "calc/unitcheck.h"
#include "calc/units.h"
#include "store/formula.h"
#include "mainwindow/librarytree.h"
#include "store/store.h"

#include <QTextStream>

namespace {

// The captions of the formulas from node down, in the tree's order.
void collectFormulas(const LibraryTree& tree, const LibraryTree::Node& node, QStringList& captions)
{
    for (const int child : node.children) {
        const LibraryTree::Node& item = tree.node(child);
        if (item.catalog)
            collectFormulas(tree, item, captions);
        else
            captions.append(item.caption);
    }
}

QString verdictWord(UnitCheck::Verdict verdict)
{
    switch (verdict) {
    case UnitCheck::Verdict::Agree: return QStringLiteral("agree");
    case UnitCheck::Verdict::Disagree: return QStringLiteral("disagree");
    case UnitCheck::Verdict::NotUnderstood: return QStringLiteral("not understood");
    case UnitCheck::Verdict::Unchecked: break;
    }
    return QStringLiteral("not checked");
}

} // namespace

Command checkCommand()
{
    return {{QStringLiteral("check"), QStringLiteral("[CATALOG]"),
             QStringLiteral("Checks the units of every formula, or of those from CATALOG down: whether the unit its "
                            "expression gives, worked out from its parameters' units, is of the kind of its result's. "
                            "Lists each formula whose units disagree, are not understood or cannot be checked, with the "
                            "reason, then how many there are of each. Fails when any disagree; a unit that is not "
                            "understood is a label, and is listed without failing."),
             {}},
            [](Cli& cli, const CommandLine& line) {
                line.expectPositional(0, 1);
                if (const QString problem = cli.units.problem(); !problem.isEmpty())
                    throw failure(problem);
                Store store(cli.library, Store::Access::ReadOnly);
                // One snapshot of the library, another program's change coming before or after it
                // all; SQLite also locks the file once for it rather than for every statement.
                const Store::Transaction snapshot(store);
                const LibraryTree tree = LibraryTree::read(store);
                QStringList captions;
                collectFormulas(tree, line.positional().isEmpty() ? tree.root() : catalogNamed(tree, line.positional().constFirst()),
                                captions);

                using Align = TextTable::Align;
                TextTable listed({Align::Left, Align::Left, Align::Left});
                listed.addRow({QStringLiteral("Formula"), QStringLiteral("Units"), QStringLiteral("Why")});
                int counts[4] = {}; // by verdict
                CalcEngine engine;
                for (const QString& caption : std::as_const(captions)) {
                    const std::optional<Formula> formula = Formula::read(store, caption);
                    if (!formula)
                        continue;
                    UnitCheck::Outcome outcome
                        = UnitCheck::check(cli.units, engine, formula->expression, formula->unit, formula->parameters);
                    ++counts[int(outcome.verdict)];
                    if (outcome.verdict == UnitCheck::Verdict::Agree)
                        continue;
                    if (outcome.text.isEmpty())
                        outcome.text = QStringLiteral("The expression cannot be computed: ") + engine.errorMessage();
                    listed.addRow({formula->name, verdictWord(outcome.verdict), outcome.text});
                }
                const int checked = counts[0] + counts[1] + counts[2] + counts[3];
                const int disagree = counts[int(UnitCheck::Verdict::Disagree)];
                if (counts[int(UnitCheck::Verdict::Agree)] < checked) {
                    listed.print(cli.out);
                    cli.out << '\n';
                }
                cli.out << QStringLiteral("%1 formula(s): %2 agree, %3 disagree, %4 not understood, %5 not checked.\n")
                               .arg(checked)
                               .arg(counts[int(UnitCheck::Verdict::Agree)])
                               .arg(disagree)
                               .arg(counts[int(UnitCheck::Verdict::NotUnderstood)])
                               .arg(counts[int(UnitCheck::Verdict::Unchecked)]);
                if (disagree > 0)
                    throw failure(QStringLiteral("The units of %1 formula(s) disagree.").arg(disagree));
            }};
}
