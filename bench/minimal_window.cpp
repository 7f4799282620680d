// The yardstick for the program's start: the smallest Qt Widgets program that shows a window, a
// label in it.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Zandrel"));
    label.show();
    return application.exec();
}
