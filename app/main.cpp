#include "app/application.h"
#include "app/desktopsession.h"
#include "app/forms.h"
#include "app/translations.h"
#include "runtime/randomgenerator.h"

#include <QLocale>

#include <cstdio>

int main(int argc, char *argv[])
{
    Translations translations(QLocale::system().uiLanguages());
    if (const auto missing = missingDesktopSession(translations)) {
        std::fprintf(stderr, "%s\n", qPrintable(*missing));
        return EXIT_FAILURE;
    }
    reportFailedStartAsOneLine(translations);
    Application application(argc, argv);
    reportMessagesAsUsual();
    translations.install();

    Forms forms(application.messages(), processGenerator());
    QObject::connect(&forms, &Forms::ended, &application, &QCoreApplication::quit);
    forms.Start();
    return application.exec();
}
