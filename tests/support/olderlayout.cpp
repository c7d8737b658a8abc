#include "olderlayout.h"

#include "store/itemtables.h"
#include "store/jetdialect.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace {

void run(QSqlQuery& query, const QString& statement, const QVariantList& values = {})
{
    query.prepare(statement);
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    if (!query.exec())
        throw std::runtime_error((statement + QLatin1String(": ") + query.lastError().text()).toStdString());
}

} // namespace

void writeOlderLayout(const QString& directory)
{
    const QString connection = QStringLiteral("older-layout");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(Store::filePath(directory));
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        QSqlQuery tables(db);
        QSqlQuery query(db);
        run(query, QStringLiteral("begin"));
        run(tables, QStringLiteral("select name, columns from %1 order by rowid").arg(ItemTables::Definitions));
        QList<std::pair<QString, QString>> definitions;
        while (tables.next())
            definitions.append({tables.value(0).toString(), tables.value(1).toString()});
        tables.finish();
        for (const auto& [table, columns] : definitions) {
            QString problem;
            const std::optional<ItemTables::Columns> declared = ItemTables::declaredColumns(columns, problem);
            QStringList names;
            for (const ItemTables::Column& column : declared.value())
                names << column.name;
            run(query, JetDialect::toSqlite(QStringLiteral("CREATE  TABLE %1 (%2)").arg(sqlName(table), columns)));
            run(query, QStringLiteral("insert into %1 (%2) select %2 from %3 where tbl = ? order by rowid")
                           .arg(sqlName(table), names.join(QLatin1Char(',')), ItemTables::Rows),
                {table});
        }
        run(query, QStringLiteral("drop table %1").arg(ItemTables::Rows));
        run(query, QStringLiteral("drop table %1").arg(ItemTables::Definitions));
        run(query, QStringLiteral("commit"));
    }
    QSqlDatabase::removeDatabase(connection);
}
