#pragma once

#include <QHash>
#include <QString>
#include <array>
#include <memory>
#include <optional>

// Units of measurement as engineers write them ("mm⁴", "kWh", "N·m", "°C", "Ω·mm²/m"), read by
// the udunits2 library with its unit database. A text that cannot be read stays a label: it is
// shown as it is, and nothing is converted to or from it, or checked.
//
// One Units serves a whole program: the window makes one and hands it to what needs it, as it
// does the store; calcora-cli makes one per run; a test makes its own. The database is read at
// the first question asked, so a program that asks none pays nothing. Each text is read once
// and remembered, so that asking again costs a lookup.
//
// udunits2 keeps process-wide state (its parser, its last status), so every call into it, from
// any Units on any thread, goes through one lock; what a Units hands out is plain data.
class Units
{
public:
    // The SI base dimensions, in the order a unit is written from them: kg·m/s².
    static constexpr int BaseCount = 7;
    // Powers of kg, m, s, A, K, mol and cd. Whole numbers for a unit; a formula's expression may
    // give halves (a square root).
    using Dimension = std::array<double, BaseCount>;

    // A unit understood: a value in it is scale × (value + origin) in the SI base units of its
    // dimension. origin is 0 except for units such as °C and °F, whose zero lies elsewhere.
    struct Unit
    {
        double scale = 1;
        double origin = 0;
        Dimension dimension{};

        // Of the same kind: one converts into the other (a length and a length; °C and K).
        bool sameKind(const Unit& other) const { return dimension == other.dimension; }
    };

    // database: a udunits2 XML database; empty for the one udunits2 is installed with (or the
    // one the environment variable UDUNITS2_XML_PATH names).
    explicit Units(const QString& database = {});
    ~Units();
    Units(const Units&) = delete;
    Units& operator=(const Units&) = delete;

    // The unit text names; nullopt when it is a label: udunits2 cannot read it, even after
    // normalized(), or it is no product of base dimensions (a logarithm, a time stamp). An empty
    // text is the unit 1 of a dimensionless value.
    std::optional<Unit> find(const QString& text);
    // Why no text is understood as a unit: the database cannot be read. Empty when it was read.
    QString problem();

    // What udunits2 is given for a text: engineers' spellings it does not read in its own.
    // Superscript powers (mm⁴, s⁻¹), other multiplication dots (N⋅m, N×m), energy and charge
    // written as one word (kWh, Ah, VAh) and the newton metre (Nm, kNm, Nmm), "-" and "1" for a
    // dimensionless value, "deg" and "° C"; mph as miles per hour, where udunits2 reads milli-phot.
    static QString normalized(const QString& text);

    // value in from, read in to: both of the same kind. A temperature takes its origin along
    // (20 °C is 293.15 K). Rounded to 15 significant digits, all a conversion factor holds for
    // sure, so that 3 ft reads 0.9144 m rather than 0.9144000000000001 m.
    static double convert(double value, const Unit& from, const Unit& to);
    // A difference of values, such as a step of a range: the origins do not count (a step of
    // 10 °C is a step of 10 K).
    static double convertDifference(double value, const Unit& from, const Unit& to);

    // A unit text as a message names it: as written, or "1" for the empty unit of a dimensionless value.
    static QString shown(const QString& text);

    // A dimension as a reader knows it: its base units ("kg·m/s²"), followed by the name of the
    // unit it makes where there is one ("kg·m/s² (N)"); "1 (dimensionless)" for none.
    QString describe(const Dimension& dimension);

private:
    struct System;

    // With the lock held: the system, its database read at the first call; null when it cannot be.
    System* system();
    // With the lock held: the name udunits2 gives the unit of dimension's base units ("N"); empty
    // for none.
    QString nameOf(const Dimension& dimension);

    QString database_;
    std::unique_ptr<System> system_;
    bool loaded_ = false;
    QString problem_;
    QHash<QString, std::optional<Unit>> found_; // by the text as given
    QHash<QString, QString> named_;             // a dimension's base units → the unit they make, or empty
};
