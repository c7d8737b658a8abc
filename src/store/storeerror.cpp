#include "store/storeerror.h"

StoreError::StoreError(QString statement, QString databaseMessage)
    : std::runtime_error((databaseMessage + QLatin1String(": ") + statement).toStdString())
    , statement_(std::move(statement))
    , databaseMessage_(std::move(databaseMessage))
{
}

QString StoreError::userText() const
{
    if (statement_.isEmpty())
        return databaseMessage_;
    return QStringLiteral("The library could not be changed: %1\n\nStatement: %2")
        .arg(databaseMessage_, statement_);
}
