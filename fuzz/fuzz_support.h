#pragma once

#include "shell/failure.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// What every target shares: the locales a rider may run under and a way to
// stop with a readable reason, which libFuzzer then keeps as a crash input.
namespace dentivel::fuzz {

// Comma and point decimals, space, apostrophe and point grouping, and locales
// whose signs are not plain ASCII.
inline QLocale localeFor(std::uint8_t selector)
{
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::Hindi, QLocale::India),
    };
    return locales[selector % (sizeof locales / sizeof locales[0])];
}

[[noreturn]] inline void fail(const char* property, const QString& detail)
{
    std::fprintf(stderr, "property broken: %s\n  %s\n", property, qPrintable(detail));
    std::abort();
}

inline void check(bool holds, const char* property, const QString& detail)
{
    if (!holds)
        fail(property, detail);
}

inline double doubleFrom(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t bytes[sizeof(double)] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline QString describe(double value)
{
    return QString::number(value, 'g', 17);
}

// A text read back from what the program wrote must land on the value
// written, within the 15 significant digits it was written with.
inline bool closeTo(double back, double value, double absoluteSlack)
{
    const double slack = absoluteSlack + std::fabs(value) * 1e-14;
    return std::fabs(back - value) <= slack;
}

} // namespace dentivel::fuzz
