#include "app/application.h"
#include "app/forms.h"
#include "runtime/randomgenerator.h"

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    Forms forms(application.messages(), processGenerator());
    QObject::connect(&forms, &Forms::ended, &application, &QCoreApplication::quit);
    forms.Start();
    return application.exec();
}
