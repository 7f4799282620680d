#pragma once

#include "app/forms.h"
#include "runtime/randomgenerator.h"
#include "support/gui.h"
#include "support/recordingmessages.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// The program's three windows as the program makes them, with the main window shown and active,
// over a home folder of their own (HOME points to it) and with the messages they show recorded,
// or shown for real.
class Windows
{
public:
    explicit Windows(RandomGenerator &generator, MessageSink *messages = nullptr);
    ~Windows() { end(); }

    // Ends the program as main() ends it, with the windows' instances; the home folder stays.
    void end();

    Forms &forms() { return *m_forms; }
    bool ended() const { return !m_forms; }
    QWidget *main() const { return m_forms->main.window(); }
    QWidget *exportWindow() const { return m_forms->exportWindow.window(); }
    QLineEdit *textBox(const char *name) const { return child<QLineEdit>(main(), name); }
    QPushButton *button(const char *name) const { return child<QPushButton>(main(), name); }
    QLineEdit *countBox() const { return child<QLineEdit>(exportWindow(), "txtNumberofRandomNumbers"); }

    void setBounds(const QString &minimum, const QString &maximum);
    void draw(const QString &minimum, const QString &maximum);
    // Types the bounds, presses the export button and waits for the export window.
    void openBatchForm(const QString &minimum = QStringLiteral("0"), const QString &maximum = QStringLiteral("1"));
    // Types the count and presses "Go".
    void go(const QString &count);

    QString home() const { return m_home.path(); }
    QString exportFile(const char *name) const { return QDir(home()).filePath(QString::fromLatin1(name)); }
    // The export file's lines; "<missing>" or "<no CR LF at the end>" when it has none.
    QStringList exportedLines(const char *name) const;
    // The files in the home folder, hidden ones included.
    QStringList homeFiles() const;

    RecordingMessages recorded;

private:
    QTemporaryDir m_home;
    SharedGenerator m_shared;
    std::unique_ptr<Forms> m_forms;
};

// What the program says at the end of a batch that was written.
QString thanks(const QString &path);
