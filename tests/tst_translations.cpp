#include "app/forms.h"
#include "app/translations.h"
#include "runtime/randomgenerator.h"
#include "support/gui.h"
#include "support/recordingmessages.h"

#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>

#include <map>
#include <memory>

class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void languageIsTheDesktops_data();
    void languageIsTheDesktops();
    void windowsSpeakTheLanguage_data();
    void windowsSpeakTheLanguage();

private:
    // Every text the windows show, by where it shows: "frmZandrel/cmClear" and so on.
    std::map<QString, QString> shownTexts(Forms &forms);

    std::map<QString, QString> m_english;
};

namespace {

RecordingMessages messages;
MixingGenerator generator(1);
SharedGenerator shared(generator);

} // namespace

std::map<QString, QString> tst_Translations::shownTexts(Forms &forms)
{
    std::map<QString, QString> texts;
    for (Form *form : forms.all()) {
        form->Show();
        QWidget *window = form->window();
        texts[window->objectName()] = window->windowTitle();
        for (QPushButton *button : window->findChildren<QPushButton *>())
            texts[window->objectName() + QLatin1Char('/') + button->objectName()] = button->accessibleName();
        for (QLabel *label : window->findChildren<QLabel *>())
            texts[window->objectName() + QLatin1Char('/') + label->objectName()] = label->text();
        for (QMenu *menu : window->findChildren<QMenu *>()) {
            texts[menu->objectName()] = menu->title();
            for (QAction *action : menu->actions())
                texts[action->objectName()] = action->text();
        }
    }
    // A refusal.
    messages.texts.clear();
    QTest::mouseClick(child<QPushButton>(forms.main.window(), "cmdGenerateRandomNumber"), Qt::LeftButton);
    texts[QStringLiteral("refusal")] = messages.texts.value(0);
    return texts;
}

void tst_Translations::initTestCase()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Forms forms(messages, shared);
    forms.Start();
    m_english = shownTexts(forms);
    for (Form *form : forms.all())
        QCOMPARE(captionsCut(form->window()), QStringList());
}

void tst_Translations::languageIsTheDesktops_data()
{
    QTest::addColumn<QStringList>("uiLanguages"); // as Qt reads them from LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << QStringList { "de" } << "de";
    QTest::newRow("German of Austria") << QStringList { "de-AT" } << "de";
    QTest::newRow("Swedish of Finland") << QStringList { "sv-FI" } << "sv";
    QTest::newRow("Spanish of Mexico, then French") << QStringList { "es-MX", "fr" } << "es";
    QTest::newRow("Japanese, then French") << QStringList { "ja", "fr-CA" } << "fr";
    QTest::newRow("English before German") << QStringList { "en-GB", "de" } << "en";
    QTest::newRow("C") << QStringList { "C" } << "en";
    QTest::newRow("none the program speaks") << QStringList { "ja", "ko" } << "en";
    QTest::newRow("nothing set") << QStringList {} << "en";
}

void tst_Translations::languageIsTheDesktops()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, language);
    QCOMPARE(Translations(uiLanguages).language(), language);
}

void tst_Translations::windowsSpeakTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("sameAsEnglish"); // where the language says it the same way
    QTest::addColumn<QString>("cancel");            // the progress dialog's button, from Qt's translations
    const QStringList name = { "frmZandrel" };      // the program's name, its main window's caption
    QTest::newRow("de") << "de" << name << "Abbrechen";
    QTest::newRow("es") << "es" << name << "Cancelar";
    QTest::newRow("fr") << "fr" << (name + QStringList { "frmContact", "Contact" }) << "Annuler";
    QTest::newRow("sv") << "sv" << name << "Avbryt";
}

void tst_Translations::windowsSpeakTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, sameAsEnglish);
    QFETCH(QString, cancel);
    Translations translations({ language });
    QCOMPARE(translations.language(), language);
    translations.install();
    Forms forms(messages, shared);
    forms.Start();

    const std::map<QString, QString> texts = shownTexts(forms);
    QCOMPARE(texts.size(), m_english.size());
    for (const auto &[where, text] : texts) {
        QVERIFY2(!text.isEmpty(), qPrintable(where));
        if (sameAsEnglish.contains(where))
            QCOMPARE(text, m_english.at(where));
        else
            QVERIFY2(text != m_english.at(where), qPrintable(where + QStringLiteral(": ") + text));
    }
    for (Form *form : forms.all())
        QCOMPARE(captionsCut(form->window()), QStringList());

    // Qt's own texts follow: the progress dialog's Cancel.
    QProgressDialog progress;
    QCOMPARE(progress.findChild<QPushButton *>()->text(), cancel);
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
