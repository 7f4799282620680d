// Numbers read and written, each against a reference that is not the program's own code. The
// input: two bytes that pick a locale among every one Qt knows, eight bytes that are a double,
// and the rest as text. The double and the text are tried in the picked locale and in the
// fuzzer's six locales of every separator style.
//  - Reading: the double as the locale writes it (QLocale::toString, with and without group
//    separators, in each format) and in the forms people type (a small e, any blank where the
//    locale groups with a blank, the keyboard's apostrophe where it groups with U+2019) reads back
//    as the same double; and toNumber accepts a text exactly when QLocale::toDouble reads a finite
//    number from it once those typed forms are rewritten as the locale writes them (and the
//    locale's own forms that QLocale does not read back, as C writes them), and gives that
//    number.
//  - Writing: numberToText's text reads back with std::from_chars as the same double, with at
//    most 15 significant digits unless 15 name another number (then std::to_chars's shortest
//    digits), and in exponent form exactly from 10^15 (and below 10^-4); the export file's whole
//    numbers are std::to_chars's digits, and from 10^15 on numberToText's exponent form.
#include "runtime/numberformat.h"
#include "runtime/numerictext.h"

#include <QLocale>
#include <QString>

#include "fuzzcheck.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

bool isBlank(QChar c)
{
    return c == QChar(0x20) || c == QChar(0xA0) || c == QChar(0x202F);
}

QString withoutMarks(const QString &text)
{
    QString kept;
    for (const QChar c : text) {
        if (c != QChar(0x200E) && c != QChar(0x200F) && c != QChar(0x061C))
            kept += c;
    }
    return kept;
}

// The text rewritten as QLocale::toDouble reads it: the typed forms as the locale writes them,
// and the locale's own forms that QLocale does not read back (its exponent signs other than E,
// the signs within the exponent, direction marks) as C writes them.
QString asRead(const QString &text, const QLocale &locale)
{
    const QString group = locale.groupSeparator();
    const QString ownExponent = withoutMarks(locale.exponential());
    QString rewritten = withoutMarks(text);
    if (ownExponent != QLatin1String("E") && ownExponent != QLatin1String("e"))
        rewritten.replace(ownExponent, QStringLiteral("E"));
    rewritten.replace(QLatin1Char('e'), QLatin1Char('E'));
    if (group.size() == 1 && isBlank(group[0])) {
        for (QChar &c : rewritten) {
            if (isBlank(c))
                c = group[0];
        }
    }
    if (group == QString(QChar(0x2019)))
        rewritten.replace(QLatin1Char('\''), group);
    const qsizetype e = rewritten.indexOf(QLatin1Char('E'));
    if (e < 0)
        return rewritten;
    const QString power = rewritten.mid(e + 1)
                              .replace(withoutMarks(locale.negativeSign()), QStringLiteral("-"))
                              .replace(withoutMarks(locale.positiveSign()), QStringLiteral("+"));
    return rewritten.left(e + 1) + power;
}

// The forms people type for a number the locale has written.
QStringList typedForms(const QString &written, const QLocale &locale)
{
    QStringList forms;
    if (written.contains(locale.exponential()))
        forms << QString(written).replace(locale.exponential(), QStringLiteral("e"));
    const QString group = locale.groupSeparator();
    if (group.size() == 1 && isBlank(group[0]) && written.contains(group)) {
        for (const QChar blank : { QChar(0x20), QChar(0xA0), QChar(0x202F) })
            forms << QString(written).replace(group, blank);
    }
    if (group == QString(QChar(0x2019)) && written.contains(group))
        forms << QString(written).replace(group, QStringLiteral("'"));
    return forms;
}

void readsBackAsWritten(double value, const QLocale &locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    for (const QLocale &writer : { grouped, plain }) {
        for (const char format : { 'g', 'e', 'f' }) {
            const QString written = writer.toString(value, format, QLocale::FloatingPointShortest);
            for (const QString &text : QStringList { written } + typedForms(written, locale)) {
                const QString input = text + QStringLiteral("' in ") + locale.name();
                const auto read = toNumber(text, locale);
                require(read.has_value(), "a number as the locale writes it is refused", input);
                require(*read == value, "a number as the locale writes it reads as another", input);
            }
        }
    }
}

void readsAsQLocaleDoes(const QString &text, const QLocale &locale)
{
    const QString input = text + QStringLiteral("' in ") + locale.name();
    bool ok = false;
    const double expected = locale.toDouble(asRead(text, locale), &ok);
    const auto read = toNumber(text, locale);
    require(read.has_value() == (ok && std::isfinite(expected)), "accepted otherwise than QLocale reads it", input);
    if (read)
        require(*read == expected, "read as another number than QLocale reads", input);
}

int significantDigits(const QByteArray &text)
{
    const qsizetype exponent = text.indexOf('E');
    QByteArray digits;
    for (const char c : text.left(exponent < 0 ? text.size() : exponent)) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    while (digits.startsWith('0'))
        digits.remove(0, 1);
    while (digits.endsWith('0'))
        digits.chop(1);
    return std::max<int>(1, static_cast<int>(digits.size()));
}

double readBack(const QByteArray &text, const QString &input)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.constData(), text.constData() + text.size(), value);
    require(error == std::errc() && end == text.constData() + text.size(), "written text that is no number", input);
    return value;
}

void writtenReadsBack(double value, const std::span<const QLocale> locales)
{
    const QByteArray shown = numberToText(value, QLocale::c()).toLatin1();
    const QString input = QString::fromLatin1(shown) + QStringLiteral("' for ") + QString::number(value, 'g', 17);
    require(readBack(shown, input) == value, "number to text reads back as another number", input);

    char text[64];
    char *end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    double fifteen = 0; // beyond the largest double when value is close to it
    const bool fifteenSuffice = std::from_chars(text, end, fifteen).ec == std::errc() && fifteen == value;
    end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    const int shortest = significantDigits(QByteArray(text, end - text).toUpper());
    if (fifteenSuffice)
        require(significantDigits(shown) <= 15, "more than 15 digits where 15 suffice", input);
    else
        require(significantDigits(shown) == shortest, "not the fewest digits that name the number", input);
    const double magnitude = std::fabs(value);
    require(shown.contains('E') == (magnitude >= 1e15 || (magnitude != 0 && magnitude < 1e-4)),
            "exponent form where it does not belong, or none where it does", input);

    for (const QLocale &locale : locales) {
        if (locale.zeroDigit() != QLatin1Char('0'))
            continue; // the program shows ASCII digits, which such a locale does not read
        const QString inLocale = numberToText(value, locale);
        const auto back = toNumber(inLocale, locale);
        require(back && *back == value, "number to text reads back as another number in the locale",
                inLocale + QStringLiteral("' in ") + locale.name());
    }

    const double whole = std::trunc(value);
    char line[kMaxWholeNumberChars];
    const QByteArray written(line, static_cast<qsizetype>(writeWholeNumber(whole, line)));
    if (std::fabs(whole) < 1e15) {
        end = std::to_chars(text, text + sizeof text, static_cast<std::int64_t>(whole)).ptr;
        require(written == QByteArray(text, end - text), "the file's digits are not std::to_chars's", input);
    } else {
        require(written == numberToText(whole, QLocale::c()).toLatin1(), "the file's exponent form differs", input);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const QLocale &picked = input.locale();
    const auto value = input.take<double>();
    const QString text = input.restAsText();

    std::vector<QLocale> locales(fuzzLocales().begin(), fuzzLocales().end());
    locales.push_back(picked);
    for (const QLocale &locale : locales) {
        if (std::isfinite(value))
            readsBackAsWritten(value, locale);
        readsAsQLocaleDoes(text, locale);
    }
    if (std::isfinite(value))
        writtenReadsBack(value, locales);
    return 0;
}
