#pragma once

#include "runtime/ui/messagebox.h"

#include <QString>
#include <QStringList>

#include <functional>

// Records the messages the program shows instead of showing them; or, with tellThrough, records
// the messages about work that has ended and has that sink tell them too.
class RecordingMessages final : public MessageSink
{
public:
    void show(const QString &text, QWidget *) override
    {
        texts.append(text);
        if (onShow)
            onShow(text);
    }
    void tell(const QString &text, QWidget *owner) override
    {
        texts.append(text);
        if (tellThrough)
            tellThrough->tell(text, owner);
    }

    QStringList texts;
    // Runs while the "box" is open, as the user would before pressing OK.
    std::function<void(const QString &)> onShow;
    MessageSink *tellThrough = nullptr;
};
