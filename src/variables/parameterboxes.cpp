#include "variables/parameterboxes.h"

#include "layout/messages.h"
#include "layout/userdialogs.h"
#include "store/textrules.h"
#include "variables/parameterchecks.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>

NamedValue ParameterBoxes::typed() const
{
    return {name.text(), symbol.text(), unit.text(), value.text(), description.toPlainText()};
}

void ParameterBoxes::show(const NamedValue& parameter) const
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

bool acceptParameter(Messages& messages, QWidget& dialog, const NamedValue& parameter, const QStringList& takenSymbols)
{
    using ParameterChecks::Problem;
    Messages::Label refusal = Messages::Label29;
    switch (ParameterChecks::check(parameter, takenSymbols)) {
    case Problem::EmptyName: refusal = Messages::Label30; break;
    case Problem::EmptySymbol: refusal = Messages::Label31; break;
    case Problem::EmptyValue: refusal = Messages::Label32; break;
    case Problem::NotNumeral: refusal = Messages::Label33; break;
    case Problem::NotANumber: refusal = Messages::Label67; break;
    case Problem::UnusableSymbol: refusal = Messages::Label68; break;
    case Problem::SymbolInUse: refusal = Messages::Label29; break;
    case Problem::UnprintableName: refusal = Messages::Label75; break;
    case Problem::NameTooLong: refusal = Messages::Label77; break;
    case Problem::DescriptionTooLong: refusal = Messages::Label79; break;
    case Problem::None: return true;
    }
    messages.box(refusal, MsgStyle::Information, &dialog);
    return false;
}
