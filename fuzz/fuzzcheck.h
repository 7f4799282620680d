#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

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

// Every locale Qt knows.
inline const std::vector<QLocale> &allLocales()
{
    static const auto locales = [] {
        const QList<QLocale> found =
            QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
        return std::vector<QLocale>(found.begin(), found.end());
    }();
    return locales;
}

// Reads the fuzzer's input from the front, as a number of bytes or the rest; missing bytes are 0.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    template<typename T>
    T take()
    {
        T value {};
        const std::size_t n = std::min(sizeof value, m_size);
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }
    // A locale picked from every locale Qt knows.
    const QLocale &locale() { return allLocales()[take<std::uint16_t>() % allLocales().size()]; }
    QString restAsText()
    {
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(m_data), static_cast<qsizetype>(m_size));
        m_size = 0;
        return text;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
};

// Stops the fuzzer with what broke and the input that broke it.
inline void require(bool condition, const char *what, const QString &input)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken: %s for '%s'\n", what, qPrintable(input));
    std::abort();
}
