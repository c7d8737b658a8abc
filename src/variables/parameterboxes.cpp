#include "variables/parameterboxes.h"

#include "mainwindow/form1.h"
#include "mainwindow/userdialogs.h"
#include "store/textrules.h"
#include "variables/parameterchecks.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

FormulaParameter ParameterBoxes::typed() const
{
    return {name.text(), symbol.text(), unit.text(), value.text(), description.toPlainText()};
}

void ParameterBoxes::show(const FormulaParameter& parameter) const
{
    symbol.setText(parameter.symbol);
    name.setText(parameter.name);
    value.setText(parameter.value);
    unit.setText(parameter.unit);
    description.setPlainText(TextRules::shown(parameter.description));
}

QStringList parameterSymbols(const QTreeWidget& list)
{
    QStringList symbols;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        symbols << list.topLevelItem(i)->text(0);
    return symbols;
}

bool acceptParameter(form1& main, QWidget& dialog, const FormulaParameter& parameter, const QStringList& takenSymbols)
{
    using ParameterChecks::Problem;
    const Ui::form1& labels = main.controls();
    const QLabel* refusal = nullptr;
    switch (ParameterChecks::check(parameter, takenSymbols)) {
    case Problem::EmptyName: refusal = labels.Label30; break;
    case Problem::EmptySymbol: refusal = labels.Label31; break;
    case Problem::EmptyValue: refusal = labels.Label32; break;
    case Problem::NotNumeral: refusal = labels.Label33; break;
    case Problem::NotANumber: refusal = labels.Label67; break;
    case Problem::UnusableSymbol: refusal = labels.Label68; break;
    case Problem::SymbolInUse: refusal = labels.Label29; break;
    case Problem::UnprintableName: refusal = labels.Label75; break;
    case Problem::NameTooLong: refusal = labels.Label77; break;
    case Problem::DescriptionTooLong: refusal = labels.Label79; break;
    case Problem::None: return true;
    }
    main.message(refusal, MsgStyle::Information, &dialog);
    return false;
}
