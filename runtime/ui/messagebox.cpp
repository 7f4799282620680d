#include "runtime/ui/messagebox.h"

#include "runtime/ui/accessiblewidgets.h"
#include "runtime/ui/desktopnotification.h"
#include "runtime/ui/waylandattention.h"

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

// Opens box over owner: once it is acknowledged, the focus goes back to where it was in owner as
// the box opened, and owner, where the user read it, stays the active window.
void openOver(QMessageBox *box, QWidget *owner)
{
    const QPointer<QWidget> focus = owner->focusWidget();
    QObject::connect(box, &QDialog::finished, owner, [box, owner, focus] {
        const QWidget *active = QApplication::activeWindow();
        if (owner->isMinimized() || (active && active != box && active != owner))
            return; // the user has gone elsewhere meanwhile
        owner->activateWindow();
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    });
    box->open();
}

// Holds a box back until the user comes to its owner: it opens as the owner becomes the active
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
        openOver(m_box, m_owner);
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
    box->exec(); // application modal

    delete box;
}

void MessageBox::tell(const QString &text, QWidget *owner)
{
    QMessageBox *box = makeBox(text, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    if (owner->isActiveWindow()) {
        openOver(box, owner);
        return;
    }
    new ShownOnArrival(box, owner);
    if (!askWaylandAttention(owner->windowHandle()))
        QApplication::alert(owner);
    // What a sighted user would see come, told to a screen reader where the user is.
    announce(QApplication::activeWindow(), text);
    // A user who is not in the program at all, or whose owner window is minimised, may not see
    // it ask for attention: the desktop's notifications tell them too, and choosing the notice
    // brings owner, with the box, to the front.
    if (owner->isMinimized() || !QApplication::activeWindow()) {
        new DesktopNotification(text, [owner] {
            owner->setWindowState(owner->windowState() & ~Qt::WindowMinimized);
            owner->raise();
            owner->activateWindow();
        }, box);
    }
}
