#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

Translations::Translations(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        const QLocale locale(name);
        if (locale.language() == QLocale::English || locale.language() == QLocale::C)
            return; // the source texts come first
        if (m_program.load(locale, QStringLiteral("zandrel"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
            // Qt's catalogue for the language ("qt_de" and so on) draws in its modules' own.
            (void)m_qt.load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            return;
        }
    }
}

void Translations::install()
{
    if (!m_program.isEmpty())
        QCoreApplication::installTranslator(&m_program);
    if (!m_qt.isEmpty())
        QCoreApplication::installTranslator(&m_qt);
}

QString Translations::translate(const char *context, const char *text) const
{
    const QString translated = m_program.translate(context, text);
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}
