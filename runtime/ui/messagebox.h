#pragma once

class QString;

// Where the program's messages go: a modal box on screen, or a recorder in tests.
class MessageSink
{
public:
    virtual ~MessageSink() = default;

    // Shows text and returns once the user has acknowledged it.
    virtual void show(const QString &text) = 0;
};

// A modal message box with one OK button under the application's title.
class MessageBox final : public MessageSink
{
public:
    void show(const QString &text) override;
};
