#pragma once

#include <QLocale>
#include <clocale>
#include <locale>
#include <string>

// While it lives, the process writes decimals with a comma and groups thousands with a point,
// as on a German desktop: in C++ streams, in QLocale() and, where the machine has the locale
// installed, in the C library too.
class CommaLocale
{
public:
    CommaLocale()
        : previousGlobal_(std::locale::global(std::locale(std::locale::classic(), new CommaPoint)))
        , previousNumeric_(std::setlocale(LC_NUMERIC, nullptr))
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

    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

private:
    struct CommaPoint : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    QLocale previousQt_;
    std::locale previousGlobal_;
    std::string previousNumeric_;
};
