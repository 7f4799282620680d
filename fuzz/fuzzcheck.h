#pragma once

#include <QLocale>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <span>

// Locales with different separators: none, comma groups, point groups with a decimal comma,
// blank groups with a minus sign that is not ASCII and an exponent that is not E, and
// apostrophe groups.
inline std::span<const QLocale> fuzzLocales()
{
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::German, QLocale::Switzerland),
    };
    return locales;
}

// Stops the fuzzer with what broke and the input that broke it.
inline void require(bool condition, const char *what, const QString &input)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s for '%s'\n", what, qPrintable(input));
    std::abort();
}
