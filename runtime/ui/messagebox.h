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
};

// A modal message box with one OK button under the application's title.
class MessageBox final : public MessageSink
{
public:
    void show(const QString &text, QWidget *owner) override;
};
