#include "store/storeerror.h"

#include <QDir>

StoreError::StoreError(QString statement, QString databaseMessage, Kind kind, QString path)
    : std::runtime_error((databaseMessage + QLatin1String(": ") + statement).toStdString())
    , statement_(std::move(statement))
    , databaseMessage_(std::move(databaseMessage))
    , kind_(kind)
    , path_(QDir::toNativeSeparators(path))
{
}

StoreError::StoreError(QString statement, UnfitValue unfit, QString path)
    : StoreError(std::move(statement), unfit.userText(), Kind::Unfit, std::move(path))
{
    unfit_ = std::move(unfit);
}

QString StoreError::userText() const
{
    switch (kind_) {
    case Kind::Missing:
        return QStringLiteral("There is no formula library %1.").arg(path_);
    case Kind::NotALibrary:
        return QStringLiteral("%1 is not a formula library: %2").arg(path_, databaseMessage_);
    case Kind::Damaged:
        return QStringLiteral("The formula library %1 is damaged (%2). Calcora will not change it any more.\n\n"
                              "To rescue what it still holds, close Calcora and run, in its folder:\n"
                              "    sqlite3 caldb.mdb .recover | sqlite3 recovered.mdb\n"
                              "then put recovered.mdb in the place of caldb.mdb. Or restore a backup of caldb.mdb.")
            .arg(path_, databaseMessage_);
    case Kind::Busy:
        return QStringLiteral("The formula library %1 is locked by another program that is using it. "
                              "Nothing was changed; close the other program or try again in a moment.")
            .arg(path_);
    case Kind::ReadOnly:
        return QStringLiteral("The formula library %1 is read-only (%2). Nothing can be changed or recorded in it.")
            .arg(path_, databaseMessage_);
    case Kind::Unfinished:
        return QStringLiteral("The formula library %1 holds a change that a program left unfinished when it stopped (%2). "
                              "Until the change is undone, the library cannot be read, and undoing it needs the right to "
                              "write the file and its folder. Open it once where you may write to it (Calcora or "
                              "calcora-cli will do), then try again.")
            .arg(path_, databaseMessage_);
    case Kind::BadText:
        return QStringLiteral("A text holds a broken character (%1) that the library cannot keep. "
                              "Nothing was changed.")
            .arg(databaseMessage_);
    case Kind::Unfit:
        return databaseMessage_;
    case Kind::DiskFull:
        return QStringLiteral("The disk that holds the formula library %1 is full. Nothing was changed; "
                              "free some space on it and try again.")
            .arg(path_);
    case Kind::Refused:
        break;
    }
    if (statement_.isEmpty())
        return databaseMessage_;
    return QStringLiteral("The library could not be changed: %1").arg(databaseMessage_);
}
