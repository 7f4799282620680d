#pragma once

class QString;
class QWidget;

// Where the program's messages go: a modal box on screen, or a recorder in tests.
class MessageSink
{
public:
    virtual ~MessageSink() = default;

    // Shows text over owner, the window it is about (nullptr: the active window), and returns
    // once the user has acknowledged it, or once owner has closed: the box goes with it.
    virtual void show(const QString &text, QWidget *owner) = 0;

    // Tells of work of owner's that has ended while the user may be working elsewhere, and
    // returns at once. The box is modal to owner alone, and shows there once the user is there:
    // at once when owner is the active window, else as soon as the user comes to it, owner asking
    // for attention meanwhile. So it takes no key meant for another window. Once it is
    // acknowledged, the focus goes back to where it was in owner as the box opened, and no other
    // window becomes active. The box goes with owner.
    virtual void tell(const QString &text, QWidget *owner) = 0;
};

// Message boxes with one OK button under the application's title.
class MessageBox final : public MessageSink
{
public:
    void show(const QString &text, QWidget *owner) override;
    void tell(const QString &text, QWidget *owner) override;
};
