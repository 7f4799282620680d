#pragma once

#include "runtime/ui/messagebox.h"

#include <QString>
#include <QStringList>

#include <functional>

// Records the messages the program shows instead of showing them.
class RecordingMessages final : public MessageSink
{
public:
    void show(const QString &text, QWidget *) override
    {
        texts.append(text);
        if (onShow)
            onShow(text);
    }

    QStringList texts;
    // Runs while the "box" is open, as the user would before pressing OK.
    std::function<void(const QString &)> onShow;
};
