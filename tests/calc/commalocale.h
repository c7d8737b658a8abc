#pragma once

#include <QLocale>
#include <clocale>
#include <locale>
#include <string>

// While it lives, decimals are written with a comma and thousands grouped with a point, as on a
// German desktop: in C++ streams, in QLocale() and, where the machine has the locale, in C.
class CommaLocale
{
    struct CommaPoint : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    QLocale previousQt_;
    std::locale previousGlobal_ = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    std::string previousNumeric_ = std::setlocale(LC_NUMERIC, nullptr);

public:
    CommaLocale()
    {
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~CommaLocale()
    {
        QLocale::setDefault(previousQt_);
        std::setlocale(LC_NUMERIC, previousNumeric_.c_str());
        std::locale::global(previousGlobal_);
    }
};
