#pragma once

#include "runtime/ui/messagebox.h"
#include "runtime/ui/twipslayout.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QSize>
#include <QWidget>

class QMenuBar;

// A window class with exactly one instance for the life of the process. The instance and its
// members stay; the window with its controls exists only while the form is loaded.
//  - Load creates the window and its controls, hidden, and runs the load event.
//  - Show loads if needed, shows the window modeless and brings it to the front with focus, as it
//    was if it was minimised.
//  - Unload, or the window's close box, destroys the window and its controls.
//
// What a window may assume after a message box returns: a box shown with messageRead() waits for
// the user in a nested event loop, and meanwhile anything may happen that the user can do
// elsewhere, such as closing the window by other means (an accessibility action, the window
// manager, Exit). Unloading then hides the window at once and ends the window's boxes; the
// controls stay until the handler returns (see Handling), so that its pointers stay valid, but
// the handler must stop: messageRead() says so, and nothing else needs checking.
class Form : public QObject
{
    Q_OBJECT

public:
    struct WindowSpec
    {
        const char *name;    // the objectName, and the context its captions are translated in
        const char *caption; // English, marked with QT_TRANSLATE_NOOP
        QSize clientTwips;
    };

    explicit Form(const WindowSpec &spec, QObject *parent = nullptr);
    ~Form() override;

    void Load();
    void Show();
    void Unload();

    bool isLoaded() const { return m_window != nullptr; }
    // The top-level window while loaded, else nullptr.
    QWidget *window() const { return m_window; }

signals:
    // The window has gone, closed in any way.
    void unloaded();

protected:
    // Creates the controls of the table on client, with their captions translated; the form
    // places them once createControls() has returned.
    void addControls(QWidget *client, std::span<const ControlSpec> specs)
    {
        ::createControls(client, specs, m_spec.name);
    }
    // Creates the controls on client, the window's area below any menu bar.
    virtual void createControls(QWidget *client) = 0;
    // The window's menu bar, if it has one.
    virtual QMenuBar *createMenuBar(QWidget *window);
    // The load event: runs once the controls exist. A subclass's pointers to its controls are
    // valid only while the form is loaded.
    virtual void onLoaded() {}
    // The window is being unloaded: it is no longer the form's, and its dialogs have ended.
    virtual void onUnloading() {}

    template<typename T>
    T *control(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT_X(found, "Form::control", name);
        return found;
    }

    // Shows text in a message box over the window and returns once the user has read it: true
    // when the window is still loaded, so that the handler may go on; false when it went
    // meanwhile, and the handler stops.
    bool messageRead(MessageSink &messages, const QString &text)
    {
        messages.show(text, m_window);
        return isLoaded();
    }

    // Runs handler when the named button is pressed, as a handler of this window.
    template<typename Owner>
    void onClick(const char *buttonName, void (Owner::*handler)())
    {
        connect(control<QPushButton>(buttonName), &QPushButton::clicked, this, [this, handler] {
            const Handling handling(*this);
            (static_cast<Owner *>(this)->*handler)();
        });
    }

    // Puts strip below the controls, hidden; the form does not own it.
    void placeBelow(QWidget *strip);
    // Shows or hides strip, placed below the controls: the window grows by its height to make
    // room for it, so that it covers no control, and shrinks back once it goes. A minimised
    // window changes only once it is restored: a window that changes its size while minimised
    // comes back by itself on some desktops.
    void showBelow(QWidget *strip, bool shown);

    bool eventFilter(QObject *watched, QEvent *event) override;

    // While one lives, a handler of the window runs, or work it started: an unloaded window
    // stays, hidden, until then.
    class Handling
    {
    public:
        explicit Handling(Form &form);
        ~Handling();
        Handling(const Handling &) = delete;
        Handling &operator=(const Handling &) = delete;

    private:
        Form &m_form;
    };

private:
    void discardWindow();
    void fitStrip();

    WindowSpec m_spec;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_strip; // shown below the controls, or about to go
    bool m_stripShown = false;
    int m_roomTaken = 0; // the window's height added for the strip
    int m_handlersRunning = 0;
    // Windows unloaded while a handler ran: destroyed when the last one returns.
    QList<QPointer<QWidget>> m_discarded;
};
