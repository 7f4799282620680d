#include "app/application.h"
#include "app/desktopsession.h"
#include "app/forms.h"
#include "app/translations.h"
#include "runtime/randomgenerator.h"
#include "runtime/terminationsignals.h"

#include <QLocale>

#include <csignal>
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

    // The program ends once its last window has gone, and its batches' threads too: Forms says when.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    Forms forms(application.messages(), processGenerator());
    QObject::connect(&application, &Application::failed, &forms, &Forms::End);
    QObject::connect(&forms, &Forms::ended, &application, [&] { QCoreApplication::exit(application.exitStatus()); });
    // A write beyond a file-size limit (`ulimit -f`) raises SIGXFSZ, which would end the program:
    // ignored, the write fails with EFBIG instead, and the batch with the system's reason. The one
    // place it is handled: the batch's writer relies on it.
    std::signal(SIGXFSZ, SIG_IGN);
    // The end of the session ends the program as Exit does: a running batch stops and keeps the
    // earlier file, and no box stays in the way. The batch's threads have ended before `forms` goes.
    TerminationSignals endOfSession;
    QObject::connect(&endOfSession, &TerminationSignals::received, &forms, &Forms::End);
    forms.Start();
    return application.exec();
}
