#include "app/application.h"
#include "app/desktopsession.h"
#include "app/forms.h"
#include "runtime/randomgenerator.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (const auto missing = missingDesktopSession()) {
        std::fprintf(stderr, "%s\n", qPrintable(*missing));
        return EXIT_FAILURE;
    }
    reportFailedStartAsOneLine();
    Application application(argc, argv);
    reportMessagesAsUsual();

    Forms forms(application.messages(), processGenerator());
    QObject::connect(&forms, &Forms::ended, &application, &QCoreApplication::quit);
    forms.Start();
    return application.exec();
}
