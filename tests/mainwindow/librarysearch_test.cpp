#include "libraryfixture.h"
#include "olderlayout.h"

#include "editor/formulas.h"
#include "store/formula.h"
#include "mainwindow/catalogs.h"
#include "mainwindow/deletions.h"
#include "mainwindow/librarysearch.h"
#include "store/itemtables.h"

#include <QTest>
#include <algorithm>

namespace {

// A formula of texts in other scripts, beside the sample library's.
const Formula Transfer{"Übertragung", "Ω", "W", "2*x", "Wärmeübergang in µm, Maßstab 1:1", "2", {{"Länge", "x", "m", "1", ""}}};

// The matches as paths, a catalog's ending with '/'; then "|" and the catalogs leading to them.
QString outcome(LibrarySearch& search, const QString& text, bool sorted = false)
{
    const LibrarySearch::Found found = search.find(text);
    QStringList matches;
    for (const LibrarySearch::Match& match : found.matches)
        matches << search.path(match.caption) + (match.catalog ? "/" : "");
    QStringList leading = found.leading;
    if (sorted) {
        matches.sort();
        leading.sort();
    }
    return matches.join(' ') + " | " + leading.join(' ');
}

} // namespace

class LibrarySearchTest : public QObject
{
    Q_OBJECT

private:
    std::optional<LibraryFixture> library_;

private slots:
    void init()
    {
        library_.emplace();
        QCOMPARE(Formulas::add(library_->store(), Transfer, "Thermodynamics"), Formulas::Problem::None);
    }
    void cleanup() { library_.reset(); }

    void finds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("function name") << "SIGMA" << "Mechanics/Beams/BendingStress | Mechanics Beams";
        QTest::newRow("description") << "free end" << "Mechanics/Beams/CantileverDeflection | Mechanics Beams";
        QTest::newRow("expression") << "384*e" << "Mechanics/Beams/SimpleBeamDeflection | Mechanics Beams";
        QTest::newRow("a catalog by its description") << "hydrostatics" << "Fluids/ | ";
        QTest::newRow("tree order: root's formulas after the catalogs")
            << "energy" << "Mechanics/ KineticEnergy PotentialEnergy | ";
        QTest::newRow("not across two texts") << "ohmslawu" << " | ";
        QTest::newRow("not in a parameter's texts") << "revolutions" << " | ";
        QTest::newRow("capital umlaut finds small") << "WÄRME" << "Thermodynamics/Übertragung | Thermodynamics";
        QTest::newRow("mu finds the micro sign") << "\u03bcm," << "Thermodynamics/Übertragung | Thermodynamics";
    }

    // On today's layout and on the older one, whose formulas' tables are SQLite's own. Case is
    // folded, not lowered: mu finds the micro sign.
    void finds()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        LibrarySearch search = LibrarySearch::read(library_->store());
        QCOMPARE(outcome(search, text), expected);

        writeOlderLayout(library_->directory());
        Store older(library_->directory(), Store::Access::ReadOnly);
        QVERIFY(!older.tableExists(ItemTables::Rows));
        LibrarySearch olderSearch = LibrarySearch::read(older);
        QCOMPARE(outcome(olderSearch, text), expected);
    }

    // Typing on searches the last matches only; whatever the user types, deletes or inserts,
    // each step finds what a fresh search does.
    void narrowingFindsWhatAFreshSearchDoes()
    {
        LibrarySearch typing = LibrarySearch::read(library_->store());
        for (const char* text : {"e", "ea", "eam", "beam", "beams", "beam", "bea", "r", "re", "res", "resi", "", "ss", "sss"}) {
            LibrarySearch fresh = LibrarySearch::read(library_->store());
            QCOMPARE(outcome(typing, text), outcome(fresh, text));
        }
    }

    // Each change of the library told to the index leaves it finding what an index read
    // afresh finds; a catalog's new name moves the paths below it.
    void keepsUpWithChanges()
    {
        Store& store = library_->store();
        LibrarySearch search = LibrarySearch::read(store);
        const auto same = [&](const QStringList& texts) {
            LibrarySearch fresh = LibrarySearch::read(store);
            for (const QString& text : texts) {
                if (outcome(search, text, true) != outcome(fresh, text, true))
                    return outcome(search, text, true) + " <> " + outcome(fresh, text, true);
            }
            return QString();
        };
        const QStringList texts{"optic", "lens", "1/f", "beam", "deflection", "thin", "Ü", ""};

        QCOMPARE(Catalogs::add(store, "Optics", "Beams", "Lenses and mirrors"), Catalogs::Problem::None);
        search.addCatalog("Beams", "Optics", "Lenses and mirrors");
        const Formula lens{"ThinLens", "f", "mm", "1/(1/a+1/b)", "Image of a thin lens", "3", {{"Object", "a", "mm", "1", ""}}};
        QCOMPARE(Formulas::add(store, lens, "Optics"), Formulas::Problem::None);
        search.addFormula("Optics", {lens.name, lens.function, lens.description, lens.expression});
        QCOMPARE(same(texts), QString());
        QCOMPARE(search.path("thinlens"), "Mechanics/Beams/Optics/ThinLens");

        const auto beams = Catalogs::read(store, "Beams");
        QCOMPARE(Catalogs::modify(store, "Beams", "Girders", "Straight girders", *beams), Catalogs::Problem::None);
        search.changeCatalog("Beams", "Girders", "Straight girders");
        QCOMPARE(same(texts + QStringList{"girder", "straight"}), QString());
        QCOMPARE(search.path("ThinLens"), "Mechanics/Girders/Optics/ThinLens");
        QVERIFY(!search.contains("Beams"));

        Formula thick = lens;
        thick.name = "ThickLens";
        thick.description = "Image of a thick lens";
        QCOMPARE(Formulas::modify(store, "ThinLens", thick, *Formula::read(store, "ThinLens")), Formulas::Problem::None);
        search.changeFormula("ThinLens", {thick.name, thick.function, thick.description, thick.expression});
        QCOMPARE(same(texts + QStringList{"thick"}), QString());

        Deletions::deleteItem(store, "ThickLens");
        search.remove("ThickLens");
        Deletions::deleteItem(store, "Optics");
        search.remove("Optics");
        QCOMPARE(same(texts), QString());

        Deletions::deleteAll(store);
        search.removeAll();
        QCOMPARE(same(texts), QString());
        QCOMPARE(outcome(search, ""), " | ");
    }
};

QTEST_GUILESS_MAIN(LibrarySearchTest)
#include "librarysearch_test.moc"
