#include "mainwindow/catalogexchange.h"

#include "calc/calcengine.h"
#include "editor/formulas.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/importcheck.h"
#include "store/fieldtext.h"
#include "store/formula.h"
#include "store/sqltext.h"
#include "store/store.h"
#include "store/storeerror.h"
#include "variables/variables.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

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

QJsonObject listRowObject(const NamedValue& row, const QString& valueKey)
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
    for (const NamedValue& parameter : formula.parameters)
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
    for (const NamedValue& variable : NamedValue::readTable(store, catalog.table))
        variables.append(listRowObject(variable, ValueKey));
    QJsonArray catalogs;
    QJsonArray formulas;
    for (const int index : catalog.children) {
        const LibraryTree::Node& child = tree.node(index);
        if (child.catalog)
            catalogs.append(catalogObject(store, tree, child));
        else if (const std::optional<Formula> formula = Formula::read(store, child.caption))
            formulas.append(formulaObject(*formula));
    }
    return {{QStringLiteral("name"), catalog.caption},
            {QStringLiteral("description"), catalog.description},
            {QStringLiteral("variables"), variables},
            {QStringLiteral("catalogs"), catalogs},
            {QStringLiteral("formulas"), formulas}};
}

// Reads the fields of a document's objects, noting every problem it meets with its place: the
// path to the field from the document's top, as "catalog.formulas[2].precision".
class Reader
{
public:
    explicit Reader(QStringList& problems)
        : problems_(problems)
    {
    }

    // A missing text is empty.
    QString text(const QJsonObject& object, const QString& key, const QString& place)
    {
        const QJsonValue value = object.value(key);
        if (!value.isUndefined() && !value.isString())
            fail(place, key, QStringLiteral("is not a text"));
        return value.toString();
    }

    // A number, in plain decimals as a user types it, or a text for the checks to read.
    QString number(const QJsonObject& object, const QString& key, const QString& place)
    {
        const QJsonValue value = object.value(key);
        if (value.isDouble())
            return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
        if (!value.isString())
            fail(place, key, QStringLiteral("is not a number"));
        return value.toString();
    }

    // A missing list is empty; each object with its place.
    QList<std::pair<QJsonObject, QString>> objects(const QJsonObject& object, const QString& key, const QString& place)
    {
        QList<std::pair<QJsonObject, QString>> objects;
        const QJsonValue value = object.value(key);
        if (!value.isUndefined() && !value.isArray())
            fail(place, key, QStringLiteral("is not a list"));
        const QJsonArray items = value.toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString itemPlace = QStringLiteral("%1.%2[%3]").arg(place, key).arg(i);
            if (!items.at(i).isObject())
                problems_.append(itemPlace + QStringLiteral(": is not an object"));
            objects.append({items.at(i).toObject(), itemPlace});
        }
        return objects;
    }

    NamedValue listRow(const QJsonObject& object, const QString& valueKey, const QString& place)
    {
        return {text(object, QStringLiteral("name"), place), text(object, QStringLiteral("symbol"), place),
                text(object, QStringLiteral("unit"), place), number(object, valueKey, place),
                text(object, QStringLiteral("description"), place)};
    }

private:
    void fail(const QString& place, const QString& key, const QString& problem)
    {
        problems_.append(place + QLatin1Char('.') + key + QLatin1String(": ") + problem);
    }

    QStringList& problems_;
};

CatalogExchange::Subtree::Item readFormula(Reader& reader, const QJsonObject& object, const QString& place,
                                           const QString& parent)
{
    Formula formula{reader.text(object, QStringLiteral("name"), place),
                    reader.text(object, QStringLiteral("function"), place),
                    reader.text(object, QStringLiteral("unit"), place),
                    reader.text(object, QStringLiteral("expression"), place),
                    reader.text(object, QStringLiteral("description"), place),
                    reader.number(object, QStringLiteral("precision"), place),
                    {}};
    QStringList parameterPlaces;
    for (const auto& [parameter, parameterPlace] : reader.objects(object, QStringLiteral("parameters"), place)) {
        formula.parameters.append(reader.listRow(parameter, DefaultKey, parameterPlace));
        parameterPlaces.append(parameterPlace);
    }
    return {formula, parent, place, parameterPlaces};
}

void readCatalog(Reader& reader, const QJsonObject& object, const QString& place, const QString& parent,
                 CatalogExchange::Subtree& subtree)
{
    CatalogExchange::Subtree::Catalog catalog;
    catalog.name = reader.text(object, QStringLiteral("name"), place);
    catalog.parent = parent;
    catalog.description = reader.text(object, QStringLiteral("description"), place);
    catalog.place = place;
    for (const auto& [variable, variablePlace] : reader.objects(object, QStringLiteral("variables"), place)) {
        catalog.variables.append(reader.listRow(variable, ValueKey, variablePlace));
        catalog.variablePlaces.append(variablePlace);
    }
    subtree.catalogs.append(catalog);
    for (const auto& [child, childPlace] : reader.objects(object, QStringLiteral("catalogs"), place))
        readCatalog(reader, child, childPlace, catalog.name, subtree);
    for (const auto& [formula, formulaPlace] : reader.objects(object, QStringLiteral("formulas"), place))
        subtree.formulas.append(readFormula(reader, formula, formulaPlace, catalog.name));
}

} // namespace

QByteArray CatalogExchange::exportCatalog(Store& store, const LibraryTree& tree, const LibraryTree::Node& catalog)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("format"), Format},
                                     {QStringLiteral("version"), Version},
                                     {QStringLiteral("catalog"), catalogObject(store, tree, catalog)}})
        .toJson();
}

std::optional<QJsonObject> CatalogExchange::readFile(const QString& path, QString& why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull()) {
        why = QStringLiteral("%1 is not JSON: %2 at byte %3")
                  .arg(path, error.errorString(), QString::number(error.offset));
        return std::nullopt;
    }
    return document.object();
}

std::optional<CatalogExchange::Subtree> CatalogExchange::read(const QJsonObject& document, QStringList& problems)
{
    if (document.value(QStringLiteral("format")).toString() != Format
        || document.value(QStringLiteral("version")).toInt() != Version
        || !document.value(QStringLiteral("catalog")).isObject()) {
        problems.append(QStringLiteral("not a catalog exported by Calcora (format %1, version %2)")
                            .arg(Format)
                            .arg(Version));
        return std::nullopt;
    }
    Subtree subtree;
    Reader reader(problems);
    readCatalog(reader, document.value(QStringLiteral("catalog")).toObject(), QStringLiteral("catalog"), QString(), subtree);
    if (!problems.isEmpty())
        return std::nullopt;
    return subtree;
}

QStringList CatalogExchange::add(Store& store, const Subtree& subtree, const QString& into)
{
    // A catalog to add into that has gone since the file was checked stops the whole import.
    const auto added = [](bool parentThere, const QString& parent) {
        if (!parentThere)
            throw StoreError({}, QStringLiteral("The catalog %1 is no longer in the library; nothing was imported.").arg(parent));
    };
    // Nothing changes the library between the checks and the adding.
    Store::Transaction transaction(store);
    if (QStringList problems = ImportCheck::problems(store, subtree, into); !problems.isEmpty())
        return problems;
    for (const Subtree::Catalog& catalog : subtree.catalogs) {
        const QString& parent = catalog.parent.isEmpty() ? into : catalog.parent;
        added(Catalogs::add(store, catalog.name, parent, catalog.description) == Catalogs::Problem::None, parent);
        // A new catalog's table bears its name.
        for (const NamedValue& variable : catalog.variables)
            Variables::add(store, catalog.name, variable);
    }
    for (const Subtree::Item& item : subtree.formulas)
        added(Formulas::add(store, item.formula, item.parent) == Formulas::Problem::None, item.parent);
    transaction.commit();
    return {};
}

QString CatalogExchange::summary(const Subtree& subtree, const QString& into)
{
    return QStringLiteral("Imported %1 catalog(s) and %2 formula(s) into %3.")
        .arg(subtree.catalogs.size())
        .arg(subtree.formulas.size())
        .arg(into.isEmpty() ? QStringLiteral("the root") : into);
}
