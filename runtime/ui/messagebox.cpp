#include "runtime/ui/messagebox.h"

#include "runtime/ui/accessiblewidgets.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>

namespace {

QMessageBox *makeBox(const QString &text, QWidget *owner)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok,
                                owner ? owner : QApplication::activeWindow());
    box->setObjectName(QStringLiteral("messageBox"));
    return box;
}

// Holds a box back until the user comes to its owner: it shows as the owner becomes the active
// window, or as the user first clicks or types there, which it then takes instead.
class ShownOnArrival final : public QObject
{
public:
    ShownOnArrival(QMessageBox *box, QWidget *owner)
        : QObject(box)
        , m_box(box)
        , m_owner(owner)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto type = event->type();
        const bool input = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
            || type == QEvent::KeyPress || type == QEvent::ShortcutOverride;
        if (type != QEvent::WindowActivate && !input)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_owner || (type == QEvent::WindowActivate && widget != m_owner))
            return false;
        qApp->removeEventFilter(this);
        m_box->open();
        deleteLater();
        return input;
    }

private:
    QMessageBox *m_box;
    QWidget *m_owner;
};

} // namespace

void MessageBox::show(const QString &text, QWidget *owner)
{
    // The box may go with its owner while it waits for OK (when the window is closed by other
    // means): so it lives on the heap, watched, rather than on the stack, where it would be
    // destroyed a second time.
    QPointer<QMessageBox> box = makeBox(text, owner);
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    delete box;
}

void MessageBox::tell(const QString &text, QWidget *owner)
{
    QMessageBox *box = makeBox(text, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    // Where the focus is as the message comes: back there once the box is acknowledged, unless
    // the user has gone on to another window meanwhile.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QObject::connect(box, &QDialog::finished, box, [box, owner, focus] {
        const QWidget *active = QApplication::activeWindow();
        if (focus && focus->isVisible() && (!active || active == box || active == owner)) {
            focus->activateWindow();
            focus->setFocus(Qt::OtherFocusReason);
        }
    });
    if (owner->isActiveWindow()) {
        box->open();
        return;
    }
    new ShownOnArrival(box, owner);
    QApplication::alert(owner);
    // What a sighted user would see come, told to a screen reader where the user is.
    announce(QApplication::activeWindow(), text);
}
