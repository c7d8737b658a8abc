#include "benchlibrary.h"

#include "olderlayout.h"
#include "editor/formulas.h"
#include "mainwindow/catalogs.h"
#include "store/store.h"
#include "variables/variables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>

namespace {

// Part of the cached directory's name: raise it whenever the library's shape changes, so that
// a library cached by an older build is not measured as if it were the new one.
constexpr int ShapeVersion = 7;

QString variableSymbol(const QString& catalog, int number)
{
    // Unique across the whole library, so no symbol hides a parent catalog's.
    return QStringLiteral("k%1n%2").arg(catalog.toLower()).arg(number);
}

void addCatalog(Store& store, const QString& name, const QString& parent, int variables = BenchVariablesPerCatalog)
{
    Catalogs::add(store, name, parent, QStringLiteral("Benchmark catalog %1").arg(name));
    for (int i = 1; i <= variables; ++i) {
        Variables::add(store, name,
                       {QStringLiteral("Constant %1 of %2").arg(i).arg(name), variableSymbol(name, i),
                        QStringLiteral("m"), QString::number(i * 1.25), QStringLiteral("Benchmark constant")});
    }
}

Formula benchFormula(int number)
{
    Formula formula;
    formula.name = benchFormulaName(number);
    formula.function = QStringLiteral("r");
    formula.unit = QStringLiteral("m");
    formula.expression = QStringLiteral("a*b+c");
    formula.description = QStringLiteral("Benchmark formula number %1").arg(number);
    formula.precision = QStringLiteral("4");
    formula.parameters = {
        {QStringLiteral("Factor a"), QStringLiteral("a"), QStringLiteral("m"), QStringLiteral("2"), QStringLiteral("First factor")},
        {QStringLiteral("Factor b"), QStringLiteral("b"), QString(), QStringLiteral("3.5"), QStringLiteral("Second factor")},
        {QStringLiteral("Offset c"), QStringLiteral("c"), QStringLiteral("m"), QString::number(number % 100),
         QStringLiteral("Added last")},
    };
    return formula;
}

// The directory of a library cached under the system's temporary folder by name, built by
// build into an empty directory on first use.
QString cachedLibraryDir(const QString& name, const std::function<void(const QString&)>& build)
{
    QDir temp(QDir::tempPath());
    const QString directory = temp.absoluteFilePath(name);
    if (QFileInfo(Store::filePath(directory)).isFile())
        return directory;

    // Built beside its final place and renamed into it, so that an interrupted build leaves
    // nothing a later run would take for a finished library.
    const QString building = temp.absoluteFilePath(name + QStringLiteral(".building-%1").arg(QCoreApplication::applicationPid()));
    QDir(building).removeRecursively();
    temp.mkpath(building);
    build(building);
    if (!QFileInfo(Store::filePath(directory)).isFile())
        QDir(directory).removeRecursively(); // a directory left without its library file
    if (!temp.rename(building, directory)) {
        // Another run finished the same library first; theirs is as good as ours.
        QDir(building).removeRecursively();
    }
    return directory;
}

} // namespace

QString benchFormulaName(int number)
{
    return QStringLiteral("F%1").arg(number);
}

QString benchCatalogName(int top)
{
    return QStringLiteral("Cat%1").arg(top);
}

QString benchSubCatalogName(int top, int sub)
{
    return QStringLiteral("Sub%1x%2").arg(top).arg(sub);
}

QString benchDeepCatalogName(int level)
{
    return QStringLiteral("Deep%1").arg(level);
}

void fillBenchLibrary(Store& store, int formulas)
{
    Store::Transaction transaction(store);
    QStringList subCatalogs;
    for (int top = 1; top <= BenchTopCatalogs; ++top) {
        addCatalog(store, benchCatalogName(top), QString());
        for (int sub = 1; sub <= BenchSubCatalogs; ++sub) {
            subCatalogs << benchSubCatalogName(top, sub);
            addCatalog(store, subCatalogs.constLast(), benchCatalogName(top));
        }
    }
    for (int level = 1; level <= BenchDeepLevels; ++level) {
        addCatalog(store, benchDeepCatalogName(level), level == 1 ? QString() : benchDeepCatalogName(level - 1),
                   level == BenchDeepLevels ? BenchDeepVariables : BenchVariablesPerCatalog);
    }
    const int atRoot = std::min(formulas, BenchRootFormulas);
    const int inSubCatalogs = std::max(1, formulas - atRoot - 1);
    for (int number = 1; number <= formulas; ++number) {
        const int index = number - atRoot - 1;
        // Contiguous runs of numbers per sub-catalog, as a user fills one catalog at a time.
        const QString parent = index < 0              ? QString()
                             : number == formulas     ? benchDeepCatalogName(BenchDeepLevels)
                                                      : subCatalogs.at(int(qint64(index) * subCatalogs.size() / inSubCatalogs));
        Formulas::add(store, benchFormula(number), parent);
    }
    transaction.commit();
}

QString benchLibraryDir(int formulas)
{
    return cachedLibraryDir(QStringLiteral("calcora-bench-v%1-%2").arg(ShapeVersion).arg(formulas), [formulas](const QString& building) {
        Store::createLibrary(building);
        Store store(building);
        fillBenchLibrary(store, formulas);
    });
}

QString benchOlderLibraryDir(int formulas)
{
    return cachedLibraryDir(QStringLiteral("calcora-bench-older-v%1-%2").arg(ShapeVersion).arg(formulas),
                            [formulas](const QString& building) {
                                copyBenchLibrary(formulas, building);
                                writeOlderLayout(building);
                            });
}

QString copyBenchLibrary(int formulas, const QString& directory)
{
    QFile::copy(Store::filePath(benchLibraryDir(formulas)), Store::filePath(directory));
    return directory;
}

Formula benchUnitsFormula()
{
    return {QStringLiteral("BeamDeflection"), QStringLiteral("f"), QStringLiteral("mm"),
            QStringLiteral("(F*L^3/(48*E*I)+5*q*L^4/(384*E*I)+m*g*L^3/(48*E*I))*(1+alpha*(T-T0)/1000000)"), {},
            QStringLiteral("3"),
            {{"Point load", "F", "kN", "10", ""}, {"Span", "L", "m", "6", ""},
             {"Modulus", "E", "N/mm²", "210000", ""}, {"Second moment", "I", "mm⁴", "19430000", ""},
             {"Line load", "q", "N/mm", "5", ""}, {"Expansion", "alpha", "µm/(m·K)", "12", ""},
             {"Temperature", "T", "°C", "40", ""}, {"Reference", "T0", "°C", "20", ""},
             {"Mass", "m", "kg", "100", ""}, {"Gravity", "g", "m/s²", "9.81", ""}}};
}
