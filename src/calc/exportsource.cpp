#include "calc/exportsource.h"

#include "store/fieldtext.h"
#include "store/itemname.h"
#include "store/itemrow.h"
#include "store/sqltext.h"
#include "store/store.h"

ExportSource::ExportSource(Store& store, const QList<ComputationRecord>& rows)
    : store_(store)
    , rows_(rows)
{
}

ExportSource::Key ExportSource::keyOf(const QString& formula, const QString& number)
{
    return {foldedName(formula), foldedName(number)};
}

ExportedComputation ExportSource::computation(const ComputationRecord& listed)
{
    const std::optional<Formula>& stored = formula(listed.formula);
    ExportedComputation exported{listed, listed.function, std::nullopt,
                                 history_.value(keyOf(listed.formula, listed.number))};
    if (stored) {
        exported.function = stored->function;
        exported.expression = stored->expression;
    }
    return exported;
}

bool ExportSource::forEach(const ExportProgress& progress, const std::function<void(const ExportedComputation&)>& write)
{
    const int total = int(rows_.size());
    if (!progress(0, total))
        return false;
    readHistory();
    for (int row = 0; row < total; ++row) {
        write(computation(rows_.at(row)));
        if (!progress(row + 1, total))
            return false;
    }
    return true;
}

const std::optional<ExportSource::Formula>& ExportSource::formula(const QString& name)
{
    const QString key = foldedName(name);
    const auto known = formulas_.constFind(key);
    if (known != formulas_.cend())
        return *known;
    std::optional<Formula> found;
    // A formula deleted or renamed since its computation, or whose table another program
    // dropped, is simply not found.
    if (const std::optional<QSqlRecord> row = Computation::formulaRow(store_, name))
        found = Formula{fieldText(*row, QStringLiteral("varname")), fieldText(*row, QStringLiteral("expression"))};
    return *formulas_.insert(key, found);
}

void ExportSource::readHistory()
{
    // Every computation of the list has its entry; the walk below only fills them.
    for (const ComputationRecord& row : rows_)
        history_.insert(keyOf(row.formula, row.number), {});
    // A computation's rows follow each other: its entry is looked up once for all of them.
    QByteArray formula;
    QByteArray number;
    QList<NamedValue>* parameters = nullptr;
    // In the order the rows were written, which is the order of the computation's parameters.
    // Every column is text: values are kept as typed.
    store_.forEachText(QStringLiteral("select Fmuname,Hisid,name,paraname,paravalue,unit from ParaResult order by ID"),
                       [&](const Store::TextRow& row) {
                           if (row.utf8(0) != formula || row.utf8(1) != number) {
                               formula = row.utf8(0).toByteArray();
                               number = row.utf8(1).toByteArray();
                               const auto entry
                                   = history_.find(keyOf(QString::fromUtf8(formula), QString::fromUtf8(number)));
                               parameters = entry == history_.end() ? nullptr : &*entry;
                           }
                           if (parameters)
                               parameters->append({row.text(2), row.text(3), row.text(5), row.text(4), {}});
                       });
}
