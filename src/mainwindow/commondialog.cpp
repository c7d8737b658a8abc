#include "mainwindow/commondialog.h"

#include "mainwindow/userdialogs.h"

#include <QStringList>

CommonDialog::CommonDialog(const QString& name, const QString& filter, QObject* parent)
    : QObject(parent)
    , filter_(filter)
{
    setObjectName(name);
}

QString CommonDialog::showSave(UserDialogs& dialogs, QWidget* parent) const
{
    return dialogs.saveFileName(parent, dialogFilter(filter_));
}

QString CommonDialog::dialogFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        entries << parts.at(i) + QStringLiteral(" (") + patterns.replace(QLatin1Char(';'), QLatin1Char(' '))
                + QLatin1Char(')');
    }
    return entries.join(QLatin1String(";;"));
}
