#include "catalogexchange.h"

#include "calc/calcengine.h"
#include "editor/storedformula.h"
#include "mainwindow/catalogs.h"
#include "store/fieldtext.h"
#include "store/itemname.h"
#include "store/sqltext.h"
#include "store/store.h"

#include <QJsonArray>
#include <QLocale>
#include <QSet>

namespace {

const QString Format = QStringLiteral("calcora-catalog");
constexpr int Version = 1;

// A stored decimal as a JSON number; a text that reads as none stays a text, so nothing is lost.
QJsonValue decimal(const QString& text)
{
    const std::optional<double> number = CalcEngine::number(text);
    return number ? QJsonValue(*number) : QJsonValue(text);
}

// A parameter's default and a variable's value go by these names; otherwise the two are alike.
const QString DefaultKey = QStringLiteral("default");
const QString ValueKey = QStringLiteral("value");

// A parameter or a variable, which share their fields.
template<typename Row>
QJsonObject listRowObject(const Row& row, const QString& valueKey)
{
    return {{QStringLiteral("symbol"), row.symbol},
            {QStringLiteral("name"), row.name},
            {valueKey, decimal(row.value)},
            {QStringLiteral("unit"), row.unit},
            {QStringLiteral("description"), row.description}};
}

QJsonObject formulaObject(const Formula& formula)
{
    QJsonArray parameters;
    for (const FormulaParameter& parameter : formula.parameters)
        parameters.append(listRowObject(parameter, DefaultKey));
    return {{QStringLiteral("name"), formula.name},
            {QStringLiteral("function"), formula.function},
            {QStringLiteral("expression"), formula.expression},
            {QStringLiteral("unit"), formula.unit},
            {QStringLiteral("precision"), decimal(formula.precision)},
            {QStringLiteral("description"), formula.description},
            {QStringLiteral("parameters"), parameters}};
}

QJsonObject catalogObject(Store& store, const LibraryTree& tree, const LibraryTree::Node& catalog)
{
    QJsonArray variables;
    for (const QSqlRecord& row : store.query(QStringLiteral("select * from ") + sqlName(catalog.table))) {
        const Variable variable{fieldText(row, QStringLiteral("name")), fieldText(row, QStringLiteral("varname")),
                                fieldText(row, QStringLiteral("unit")), fieldText(row, QStringLiteral("defvalue")),
                                fieldText(row, QStringLiteral("descr"))};
        variables.append(listRowObject(variable, ValueKey));
    }
    QJsonArray catalogs;
    QJsonArray formulas;
    for (const int index : catalog.children) {
        const LibraryTree::Node& child = tree.node(index);
        if (child.catalog)
            catalogs.append(catalogObject(store, tree, child));
        else if (const std::optional<Formula> formula = Formulas::read(store, child.caption))
            formulas.append(formulaObject(*formula));
    }
    return {{QStringLiteral("name"), catalog.caption},
            {QStringLiteral("description"), catalog.description},
            {QStringLiteral("variables"), variables},
            {QStringLiteral("catalogs"), catalogs},
            {QStringLiteral("formulas"), formulas}};
}

// Reads the fields of a document's objects, keeping the first problem it meets, with where.
class Reader
{
public:
    explicit Reader(QString& problem)
        : problem_(problem)
    {
    }

    bool ok() const { return problem_.isEmpty(); }

    // A missing text is empty.
    QString text(const QJsonObject& object, const QString& key, const QString& where)
    {
        const QJsonValue value = object.value(key);
        if (!value.isUndefined() && !value.isString())
            fail(where, QStringLiteral("\"%1\" is not a text").arg(key));
        return value.toString();
    }

    // A number, or a text the library reads as one (it refuses one that does not).
    QString number(const QJsonObject& object, const QString& key, const QString& where)
    {
        const QJsonValue value = object.value(key);
        if (value.isDouble())
            return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
        if (!value.isString())
            fail(where, QStringLiteral("\"%1\" is not a number").arg(key));
        return value.toString();
    }

    // A missing list is empty.
    QList<QJsonObject> objects(const QJsonObject& object, const QString& key, const QString& where)
    {
        QList<QJsonObject> objects;
        const QJsonValue value = object.value(key);
        if (!value.isUndefined() && !value.isArray())
            fail(where, QStringLiteral("\"%1\" is not a list").arg(key));
        for (const QJsonValue& item : value.toArray()) {
            if (!item.isObject())
                fail(where, QStringLiteral("\"%1\" holds something other than objects").arg(key));
            objects.append(item.toObject());
        }
        return objects;
    }

    template<typename Row>
    Row listRow(const QJsonObject& object, const QString& valueKey, const QString& where)
    {
        return {text(object, QStringLiteral("name"), where), text(object, QStringLiteral("symbol"), where),
                text(object, QStringLiteral("unit"), where), number(object, valueKey, where),
                text(object, QStringLiteral("description"), where)};
    }

    QString name(const QJsonObject& object, const QString& kind)
    {
        const QString name = text(object, QStringLiteral("name"), kind);
        if (name.isEmpty())
            fail(kind, QStringLiteral("it has no name"));
        return name;
    }

private:
    void fail(const QString& where, const QString& problem)
    {
        if (problem_.isEmpty())
            problem_ = where + QLatin1String(": ") + problem;
    }

    QString& problem_;
};

Formula readFormula(Reader& reader, const QJsonObject& object)
{
    const QString name = reader.name(object, QStringLiteral("a formula"));
    const QString where = QStringLiteral("formula %1").arg(name);
    Formula formula{name,
                    reader.text(object, QStringLiteral("function"), where),
                    reader.text(object, QStringLiteral("unit"), where),
                    reader.text(object, QStringLiteral("expression"), where),
                    reader.text(object, QStringLiteral("description"), where),
                    reader.number(object, QStringLiteral("precision"), where),
                    {}};
    for (const QJsonObject& parameter : reader.objects(object, QStringLiteral("parameters"), where))
        formula.parameters.append(reader.listRow<FormulaParameter>(parameter, DefaultKey, where));
    return formula;
}

void readCatalog(Reader& reader, const QJsonObject& object, const QString& parent, CatalogExchange::Subtree& subtree)
{
    CatalogExchange::Subtree::Catalog catalog;
    catalog.name = reader.name(object, QStringLiteral("a catalog"));
    const QString where = QStringLiteral("catalog %1").arg(catalog.name);
    catalog.parent = parent;
    catalog.description = reader.text(object, QStringLiteral("description"), where);
    for (const QJsonObject& variable : reader.objects(object, QStringLiteral("variables"), where))
        catalog.variables.append(reader.listRow<Variable>(variable, ValueKey, where));
    subtree.catalogs.append(catalog);
    for (const QJsonObject& child : reader.objects(object, QStringLiteral("catalogs"), where))
        readCatalog(reader, child, catalog.name, subtree);
    for (const QJsonObject& formula : reader.objects(object, QStringLiteral("formulas"), where))
        subtree.formulas.append({readFormula(reader, formula), catalog.name});
}

QString whyUnusable(Store& store, const QString& name)
{
    switch (ItemName::use(name)) {
    case ItemName::Use::Unstorable: return QStringLiteral("holds a character no name can keep");
    case ItemName::Use::Reserved: return QStringLiteral("is reserved");
    case ItemName::Use::FixedTable: return QStringLiteral("is a table of the library");
    case ItemName::Use::Unprintable: return QStringLiteral("holds a line break, a tab or another character that is not shown");
    case ItemName::Use::TooLong: return QStringLiteral("is too long");
    case ItemName::Use::Taken: return QStringLiteral("is in use");
    case ItemName::Use::Missing:
    case ItemName::Use::Usable: break;
    }
    if (store.first(QStringLiteral("select * from CataConstruct where caption=?"), {name}))
        return QStringLiteral("is in use");
    if (store.first(QStringLiteral("select * from CataConstruct where indtable=?"), {name}) || store.tableExists(name))
        return QStringLiteral("names a table of the library");
    return {};
}

} // namespace

QJsonObject CatalogExchange::exportCatalog(Store& store, const LibraryTree& tree, const LibraryTree::Node& catalog)
{
    return {{QStringLiteral("format"), Format},
            {QStringLiteral("version"), Version},
            {QStringLiteral("catalog"), catalogObject(store, tree, catalog)}};
}

QStringList CatalogExchange::Subtree::names() const
{
    QStringList names;
    for (const Catalog& catalog : catalogs)
        names.append(catalog.name);
    for (const Item& item : formulas)
        names.append(item.formula.name);
    return names;
}

std::optional<CatalogExchange::Subtree> CatalogExchange::read(const QJsonObject& document, QString& problem)
{
    if (document.value(QStringLiteral("format")).toString() != Format
        || document.value(QStringLiteral("version")).toInt() != Version
        || !document.value(QStringLiteral("catalog")).isObject()) {
        problem = QStringLiteral("not a catalog exported by calcora-cli (format %1, version %2)")
                      .arg(Format)
                      .arg(Version);
        return std::nullopt;
    }
    Subtree subtree;
    Reader reader(problem);
    readCatalog(reader, document.value(QStringLiteral("catalog")).toObject(), QString(), subtree);
    if (!reader.ok())
        return std::nullopt;
    return subtree;
}

QStringList CatalogExchange::clashes(Store& store, const Subtree& subtree)
{
    QStringList clashes;
    QSet<QString> seen;
    for (const QString& name : subtree.names()) {
        QString why = whyUnusable(store, name);
        if (why.isEmpty() && seen.contains(foldedName(name)))
            why = QStringLiteral("is given twice");
        seen.insert(foldedName(name));
        if (!why.isEmpty())
            clashes.append(name + QLatin1Char(' ') + why);
    }
    return clashes;
}

void CatalogExchange::add(Store& store, const Subtree& subtree, const QString& into)
{
    Store::Transaction transaction(store);
    for (const Subtree::Catalog& catalog : subtree.catalogs) {
        Catalogs::add(store, catalog.name, catalog.parent.isEmpty() ? into : catalog.parent, catalog.description);
        // A new catalog's table bears its name.
        for (const Variable& variable : catalog.variables)
            Variables::add(store, catalog.name, variable);
    }
    for (const Subtree::Item& item : subtree.formulas)
        Formulas::add(store, item.formula, item.parent);
    transaction.commit();
}
