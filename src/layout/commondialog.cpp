#include "layout/commondialog.h"

#include "layout/userdialogs.h"

#include <QFileInfo>
#include <QStringList>

CommonDialog::CommonDialog(const QString& name, const QString& filter, QObject* parent)
    : QObject(parent)
    , filter_(filter)
{
    setObjectName(name);
}

QString CommonDialog::showSave(UserDialogs& dialogs, QWidget* parent) const
{
    const QString filter = dialogFilter(filter_);
    QString path = dialogs.saveFileName(parent, filter);
    const QString suffix = defaultSuffix(filter);
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    // "results." is "results" with the point typed before the suffix.
    if (!path.endsWith(QLatin1Char('.')))
        path += QLatin1Char('.');
    return path + suffix;
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
