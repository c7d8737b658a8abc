// Units as engineers write them, the conversions the grid, the result list and the formula
// editor make with them, and the check of a formula's units.
#include "calc/calcengine.h"
#include "calc/unitcheck.h"
#include "calc/unitconversion.h"
#include "calc/units.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(QList<NamedValue>)
Q_DECLARE_METATYPE(UnitCheck::Verdict)

namespace {

// Parameters written "symbol unit default" each.
QList<NamedValue> parameters(std::initializer_list<const char*> rows)
{
    QList<NamedValue> list;
    for (const char* row : rows) {
        const QStringList fields = QString::fromUtf8(row).split(QLatin1Char(' '));
        list.append({QStringLiteral("Parameter ") + fields.at(0), fields.at(0), fields.at(1), fields.at(2), QString()});
    }
    return list;
}

} // namespace

class UnitsTest : public QObject
{
    Q_OBJECT

private:
    Units units_;

private slots:
    // Units as engineers write them where our reading adds to udunits2's (superscripts, look-alike
    // dots, run-together words, angles, origins, units that have no place in a formula): how much
    // of the SI base units a value in each is, and the dimension it has. An empty dimension marks
    // a label.
    void readsUnits_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("base"); // value in the SI base units of its dimension
        QTest::addColumn<QString>("dimension");
        const auto row = [](const char* unit, double value, double base, const char* dimension) {
            QTest::newRow(*unit ? unit : "no unit") << QString::fromUtf8(unit) << value << base << QString::fromUtf8(dimension);
        };
        row("mm⁴", 19430000, 1.943e-5, "m⁴");
        row("mm³", 194000, 1.94e-4, "m³");
        row("kWh", 1, 3.6e6, "kg·m²/s² (J)");
        row("N⋅m", 50, 50, "kg·m²/s² (J)");
        row("Nm", 50, 50, "kg·m²/s² (J)");
        row("kNm", 2, 2000, "kg·m²/s² (J)");
        row("Nmm", 1000, 1, "kg·m²/s² (J)");
        row("mAh", 1000, 3600, "s·A (C)");
        row("N/mm²", 210000, 2.1e11, "kg/(m·s²) (Pa)");
        row("s⁻¹", 4, 4, "1/s (Hz)");
        row("rpm", 60, 2 * M_PI, "1/s (Hz)");
        row("°", 180, M_PI, "1 (dimensionless)");
        row("deg", 90, M_PI / 2, "1 (dimensionless)");
        row("-", 3, 3, "1 (dimensionless)");
        row("", 3, 3, "1 (dimensionless)");
        row("°C", 20, 293.15, "K");
        row("° C", -5, 268.15, "K");
        row("°F", 212, 373.15, "K");
        row("J/(mol·K)", 8.3145, 8.3145, "kg·m²/(s²·K·mol)");
        row("mph", 1, 0.44704, "m/s");
        row("m\x01", 1, 1, "");
        row("hours since 2000-01-01", 1, 1, "");
        row("lg(re 1 mW)", 1, 1, "");
    }

    void readsUnits()
    {
        QFETCH(QString, unit);
        QFETCH(double, value);
        QFETCH(double, base);
        QFETCH(QString, dimension);
        const std::optional<Units::Unit> found = units_.find(unit);
        QCOMPARE(found.has_value(), !dimension.isEmpty());
        if (!found)
            return;
        QCOMPARE(units_.describe(found->dimension), dimension);
        const Units::Unit baseUnit{1, 0, found->dimension};
        QCOMPARE(Units::convert(value, *found, baseUnit), base);
        QCOMPARE(Units::convert(base, baseUnit, *found), value);
    }

    // An input of the grid as the engine gets it, with what the status line says.
    void convertsInputs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("unit"); // the parameter's
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("conversion");
        QTest::addColumn<QString>("refusal");
        const auto row = [](const char* name, const char* text, const char* unit, const char* value,
                            const char* conversion = "", const char* refusal = "") {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(unit) << QString::fromUtf8(value)
                                << QString::fromUtf8(conversion) << QString::fromUtf8(refusal);
        };
        row("bare number", " 2.5 ", "m", " 2.5 ");
        row("length", "2500 mm", "m", "2.5", "L: 2500 mm = 2.5 m");
        row("no blank, an exponent", "2.5e3mm", "m", "2.5", "L: 2.5e3 mm = 2.5 m");
        row("feet, every digit the factor holds", "3 ft", "m", "0.9144", "L: 3 ft = 0.9144 m");
        row("Celsius into kelvin, with the origin", "-5 °C", "K", "268.15", "L: -5 °C = 268.15 K");
        row("kelvin into Celsius", "300K", "°C", "26.85", "L: 300 K = 26.85 °C");
        row("percent into a dimensionless parameter", "85 %", "-", "0.85", "L: 85 % = 0.85");
        row("the parameter's own unit", "2500 mm", "mm", "2500");
        row("the parameter's own label", "+3 pcs", "pcs", "+3");
        row("decimal comma, left to the engine", "1,5", "m", "1,5");
        row("no number, left to the engine", "abc mm", "m", "abc mm");
        row("a unit not understood, left to the engine", "2500 furlongz", "m", "2500 furlongz");
        row("a length into a dimensionless parameter", "3 m", "", "3 m", "", "L: 3 m cannot be converted to 1, the unit of L.");
        row("into a label", "2500 mm", "pcs", "2500 mm", "",
            "L: 2500 mm cannot be converted to \"pcs\", a unit that is not understood.");
    }

    void convertsInputs()
    {
        QFETCH(QString, text);
        QFETCH(QString, unit);
        QFETCH(QString, value);
        QFETCH(QString, conversion);
        QFETCH(QString, refusal);
        const UnitConversion::Input input = UnitConversion::input(units_, QStringLiteral("L"), text, unit);
        QCOMPARE(input.value, value);
        QCOMPARE(input.conversion, conversion);
        QCOMPARE(input.refusal, refusal);
    }

    // Every row of the grid goes through input(); the padding below the last parameter stays as
    // it is, and the first refusal stops the computation.
    void convertsTheGrid()
    {
        QList<GridRow> rows{{{"Length", "L", "m", "2", {}}, "2500 mm"},
                            {{"Force", "F", "N", "1000", {}}, "1000"},
                            {{"Temperature", "T", "K", "293.15", {}}, "20 °C"},
                            {}};
        UnitConversion::Inputs converted = UnitConversion::inputs(units_, rows);
        QCOMPARE(converted.refusal, QString());
        QCOMPARE(converted.note(), QStringLiteral("L: 2500 mm = 2.5 m; T: 20 °C = 293.15 K"));
        rows[0].input = "2.5";
        rows[2].input = "293.15";
        for (qsizetype i = 0; i < rows.size(); ++i)
            QCOMPARE(converted.rows.at(i).input, rows.at(i).input);

        rows[1].input = "3 kg";
        converted = UnitConversion::inputs(units_, rows);
        QCOMPARE(converted.refusal, QStringLiteral("F: 3 kg cannot be converted to N, the unit of F."));
    }

    // A result read in a unit the user typed; a variable's value as the default of a parameter of
    // another unit.
    void readsResultsAndDefaults()
    {
        const auto read = [this](double value, const QString& from, const QString& to) {
            const UnitConversion::Reading reading = UnitConversion::read(units_, value, from, to);
            return reading.text + reading.problem;
        };
        QCOMPARE(read(115926, "J", " kJ "), QStringLiteral("115.926 kJ"));
        QCOMPARE(read(293.15, "K", "°C"), QStringLiteral("20 °C"));
        QCOMPARE(read(7.592, "kW", "hp"), QStringLiteral("10.1810393162182 hp"));
        QCOMPARE(read(1, "pcs", "m"), QStringLiteral("The result's unit, \"pcs\", is not understood."));

        const auto byDefault = [this](const char* value, const char* from, const char* to) {
            return UnitConversion::defaultValue(units_, value, QString::fromUtf8(from), QString::fromUtf8(to))
                .value_or(QStringLiteral("none"));
        };
        QCOMPARE(byDefault("0.0172", "Ω·mm²/m", "Ω·m"), QStringLiteral("0.0000000172"));
        QCOMPARE(byDefault("273.15", "K", "°C"), QStringLiteral("0"));
        QCOMPARE(byDefault("9.8067", "m/s²", "m/s²"), QStringLiteral("none"));
        QCOMPARE(byDefault("9.8067", "m/s²", "m"), QStringLiteral("none"));
        QCOMPARE(byDefault("230", "V", "volts?"), QStringLiteral("none"));
    }

    // Cases the sample library does not show. Its formulas, each of which agrees, and those the
    // command-line tool's check test adds (an expression the engine refuses, a result's unit that
    // is a label, a length where the result has no unit) are checked there.
    void checksUnits_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QList<NamedValue>>("parameters");
        QTest::addColumn<UnitCheck::Verdict>("verdict");
        QTest::addColumn<QString>("text");
        using V = UnitCheck::Verdict;
        const auto row = [](const char* name, const char* expression, const char* unit, const QList<NamedValue>& list,
                            V verdict, const char* text = "Units agree") {
            QTest::newRow(name) << QString::fromUtf8(expression) << QString::fromUtf8(unit) << list << verdict
                                << QString::fromUtf8(text);
        };
        row("a choice between lengths", "a>b ? a : 2*b", "mm", parameters({"a m 1", "b m 3"}), V::Agree);
        row("a difference that is zero at the defaults", "(a-b)*F", "J", parameters({"a m 2", "b m 2", "F N 5"}), V::Agree);
        row("a parameter without a symbol takes no part", "2*a", "m", parameters({"a m 1"}) + QList<NamedValue>{{}}, V::Agree);

        row("a force where a power is meant", "m*a", "kW", parameters({"m kg 1200", "a m/s² 2"}), V::Disagree,
            "The expression gives kg·m/s² (N) where the result is in kW");
        row("sin of a length", "sin(L)", "-", parameters({"L m 2"}), V::Disagree,
            "sin is taken of a quantity in m, which is not dimensionless");
        row("exp of a time that is zero at the defaults", "U*exp(t)", "V", parameters({"U V 1", "t s 0"}), V::Disagree,
            "exp is taken of a quantity in s, which is not dimensionless");
        row("ln of a sum of kinds", "ln(p+h)", "-", parameters({"p Pa 2", "h m 3"}), V::Disagree,
            "ln is taken of a quantity that is not dimensionless");
        row("a length plus a time", "a+b", "m", parameters({"a m 2", "b s 3"}), V::Disagree,
            "The expression adds or compares quantities of different kinds");
        row("a term that vanishes at the defaults", "a+b*c", "m", parameters({"a m 2", "b s 3", "c - 0"}), V::Disagree,
            "The expression adds or compares quantities of different kinds");
        row("an empirical power", "1.2*Q^1.85", "m", parameters({"Q m 3"}), V::Disagree,
            "The expression gives m^1.85 where the result is in m");

        row("a parameter's unit not understood", "a*b", "m", parameters({"a m 1", "b furlongz 2"}), V::NotUnderstood,
            "The unit of b, \"furlongz\", is not understood");
        row("zero everywhere", "a-a", "m", parameters({"a m 1"}), V::Unchecked,
            "The units cannot be checked: the expression gives no number but zero with the default values");
    }

    void checksUnits()
    {
        QFETCH(QString, expression);
        QFETCH(QString, unit);
        QFETCH(QList<NamedValue>, parameters);
        QFETCH(UnitCheck::Verdict, verdict);
        QFETCH(QString, text);
        CalcEngine engine;
        const UnitCheck::Outcome outcome = UnitCheck::check(units_, engine, expression, unit, parameters);
        QCOMPARE(outcome.text, text);
        QCOMPARE(outcome.verdict, verdict);
    }

    // Without its database nothing is a unit, and everything is a label.
    void databaseThatCannotBeRead()
    {
        Units units(QStringLiteral("/nonexistent/units.xml"));
        QVERIFY(!units.find(QStringLiteral("m")));
        QCOMPARE(units.problem(), QStringLiteral("The unit database /nonexistent/units.xml cannot be read."));
        QCOMPARE(UnitConversion::input(units, "L", "2500 mm", "m").value, QStringLiteral("2500 mm"));
    }
};

QTEST_GUILESS_MAIN(UnitsTest)
#include "units_test.moc"
