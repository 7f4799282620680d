#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

// The program's texts in the desktop's language: the first of the user's UI languages (LANGUAGE,
// then LC_ALL, LC_MESSAGES and LANG, as Qt reads them) that the program speaks. English, the
// language of the source texts, needs no translation, and is what is left where no language
// fits. Qt's own texts (the buttons of boxes and dialogs) follow through Qt's translations, where
// they are installed. Numbers follow the locale, whatever the language.
class Translations
{
public:
    explicit Translations(const QStringList &uiLanguages);

    // Puts the program's and Qt's translations into effect for the running application.
    void install();
    // The translation of text; also before the application exists.
    QString translate(const char *context, const char *text) const;

private:
    QTranslator m_program;
    QTranslator m_qt;
};
