#pragma once

#include "store/sqltokens.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// Every catalog and formula has a table of its own, thousands of them in a large library. They
// are not SQLite tables: SQLite reads the definition of every table whenever a file is opened,
// and drops a table at a cost that grows with their number. An item's table is the rows of
// ItemRows tagged with the table's name, and its definition a row of ItemTables. Statements name
// an item's table as any other (select, insert, update, delete, create table, drop table); the
// store turns them into statements on ItemRows here.
namespace ItemTables {

inline const QString Definitions = QStringLiteral("ItemTables");
inline const QString Rows = QStringLiteral("ItemRows");

// The SQLite statements that make the two tables in a library.
QStringList schema();
// What ItemRows keeps of any item's table: the columns of catalog and formula tables.
const QStringList& rowColumns();

// A column of an item's table, as its definition declares it.
struct Column
{
    QString name;
    QString declaredType;
};
using Columns = QList<Column>;

// The columns a "create table" statement declares, in the library's dialect ("varname
// VARCHAR(20),name TEXT NULL"); refuses, with the reason in problem, a column ItemRows cannot
// hold.
std::optional<Columns> declaredColumns(const QString& definitions, QString& problem);
// The definitions as stored in ItemTables, and back.
QString definitionText(const Columns& columns);

// Which statement names which table: the index of the table's name among the tokens, or -1
// for a statement that names no table in a way the store understands.
qsizetype tableToken(const SqlTokens& tokens);

// A select, insert, update or delete on the item table named at tableToken, as a statement on
// ItemRows with its values in order; nullopt, with the reason in problem, for a statement of
// another shape (a join, a column the table does not have).
struct Statement
{
    QString text;
    QVariantList values;
};
std::optional<Statement> translate(const QString& statement, const SqlTokens& tokens, qsizetype tableToken,
                                   const QString& table, const Columns& columns, const QVariantList& values,
                                   QString& problem);

} // namespace ItemTables
