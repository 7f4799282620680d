#include "runtime/ui/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

void MessageBox::show(const QString &text, QWidget *owner)
{
    // The box may go with its owner while it waits for OK (when the window is closed by other
    // means): so it lives on the heap, watched, rather than on the stack, where it would be
    // destroyed a second time.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                                                QMessageBox::Ok, owner ? owner : QApplication::activeWindow());
    box->setObjectName(QStringLiteral("messageBox"));
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box;
}
