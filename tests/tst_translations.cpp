#include "support/loaded.h"
#include "app/forms.h"
#include "app/translations.h"
#include "export/ui/batchprogress.h"
#include "runtime/randomgenerator.h"
#include "support/gui.h"
#include "support/recordingmessages.h"

#include <QLayout>
#include <QMenu>
#include <QProgressBar>
#include <QStyleFactory>

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
    void captionsFitEveryStyle_data();
    void captionsFitEveryStyle();

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
        for (SelectableText *text : window->findChildren<SelectableText *>())
            texts[window->objectName() + QLatin1Char('/') + text->objectName()] = text->text();
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
    // The source texts, every caption of every window.
    QStringList shown;
    for (const auto &[where, text] : m_english)
        shown << where + QStringLiteral(" = ") + text;
    QCOMPARE(shown, (QStringList {
        "Contact = Contact",
        "Help = Help",
        "frmContact = Contact",
        "frmContact/lblContact = For Questions and Recommendations Please Contact Us at  zandrel@example.com",
        "frmNumberofRandomNumbers = Export To Excel",
        "frmNumberofRandomNumbers/cmdClose = Close",
        "frmNumberofRandomNumbers/cmdCreateOutPut = Go",
        "frmNumberofRandomNumbers/lblNumberofRandomNumbers = Please Enter How Many Random Numbers You Want To Create "
        "and Export Into Excel",
        "frmZandrel = Zandrel",
        "frmZandrel/Label1 = Moving Average of the Randomly Generated Numbers",
        "frmZandrel/cmClear = Clear",
        "frmZandrel/cmdExit = Exit",
        "frmZandrel/cmdGenerateRandomNumber = Generate Random Number",
        "frmZandrel/cmdOpenBatchForm = Generate Random Numbers and Export Them into Excel",
        "frmZandrel/lblMaxValue = Max Value",
        "frmZandrel/lblMinValue = Min Value",
        "frmZandrel/lblRandomNumber = Random Number Generated",
        "refusal = Please enter minimum and maximum random number desired range",
    }));
}

void tst_Translations::languageIsTheDesktops_data()
{
    QTest::addColumn<QStringList>("uiLanguages"); // as Qt reads them from LANGUAGE, LC_ALL, LC_MESSAGES, LANG
    QTest::addColumn<QString>("clear");          // what the Clear button says
    QTest::newRow("German") << QStringList { "de" } << "Leeren";
    QTest::newRow("German of Austria") << QStringList { "de-AT" } << "Leeren";
    QTest::newRow("Swedish of Finland") << QStringList { "sv-FI" } << "Rensa";
    QTest::newRow("Spanish of Mexico, then French") << QStringList { "es-MX", "fr" } << "Limpiar";
    QTest::newRow("Japanese, then French") << QStringList { "ja", "fr-CA" } << "Effacer";
    QTest::newRow("English before German") << QStringList { "en-GB", "de" } << "Clear";
    QTest::newRow("C") << QStringList { "C" } << "Clear";
    QTest::newRow("none the program speaks") << QStringList { "ja", "ko" } << "Clear";
    QTest::newRow("nothing set") << QStringList {} << "Clear";
}

void tst_Translations::languageIsTheDesktops()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, clear);
    QCOMPARE(Translations(uiLanguages).translate("frmZandrel", "Clear"), clear);
}

void tst_Translations::windowsSpeakTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("sameAsEnglish"); // where the language says it the same way
    QTest::addColumn<QString>("cancel");            // the progress's button
    QTest::addColumn<QString>("percent");           // the bar's 26 percent, as the language writes it
    const QStringList name = { "frmZandrel" };      // the program's name, its main window's caption
    QTest::newRow("de") << "de" << name << "Abbrechen" << "26\u00A0%";
    QTest::newRow("es") << "es" << name << "Cancelar" << "26\u00A0%";
    QTest::newRow("fr") << "fr" << (name + QStringList { "frmContact", "Contact" }) << "Annuler" << "26\u202F%";
    QTest::newRow("sv") << "sv" << name << "Avbryt" << "26\u00A0%";
}

void tst_Translations::windowsSpeakTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, sameAsEnglish);
    QFETCH(QString, cancel);
    QFETCH(QString, percent);
    Translations translations({ language });
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

    // A batch's progress in the export window: its Cancel, the percentage, and one size whatever
    // it says, every text whole.
    forms.exportWindow.Show();
    auto *progress = new BatchProgress(100'000'000, forms.exportWindow.window());
    forms.exportWindow.window()->layout()->addWidget(progress);
    progress->show();
    QCOMPARE(progress->findChild<QPushButton *>()->text(), cancel);
    const QSize size = progress->size();
    progress->setWritten(26'000'000);
    QCOMPARE(progress->findChild<QProgressBar *>()->text(), percent);
    QCOMPARE(captionsCut(forms.exportWindow.window()), QStringList());
    progress->setSaving();
    QCOMPARE(progress->size(), size);
    QCOMPARE(captionsCut(forms.exportWindow.window()), QStringList());
}

void tst_Translations::captionsFitEveryStyle_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<double>("fontScale"); // the user's font, against the usual one
    for (const char *style : { "Fusion", "Windows", "Adwaita", "Adwaita-Dark" }) {
        for (const double fontScale : { 1.0, 1.25 })
            QTest::addRow("%s, font x%.2f", style, fontScale) << style << fontScale;
    }
}

void tst_Translations::captionsFitEveryStyle()
{
    QFETCH(QString, style);
    QFETCH(double, fontScale);
    if (!QStyleFactory::keys().contains(style, Qt::CaseInsensitive))
        QSKIP(qPrintable(style + QStringLiteral(" is not installed")));
    const QString usualStyle = QApplication::style()->name();
    const QFont usualFont = QApplication::font();
    QApplication::setStyle(style);
    QFont font = usualFont;
    font.setPointSizeF(usualFont.pointSizeF() * fontScale);
    QApplication::setFont(font);
    for (const char *language : { "en", "de", "es", "fr", "sv" }) {
        Translations translations({ QString::fromLatin1(language) });
        translations.install();
        Forms forms(messages, shared);
        for (Form *form : forms.all()) {
            form->Show();
            const QStringList cut = captionsCut(form->window());
            QVERIFY2(cut.isEmpty(), qPrintable(QLatin1String(language) + QStringLiteral(": ") + cut.join(" / ")));
        }
    }
    QApplication::setFont(usualFont);
    QApplication::setStyle(usualStyle);
}

QTEST_MAIN(tst_Translations)
#include "tst_translations.moc"
