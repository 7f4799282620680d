#pragma once

#include <QLineEdit>
#include <QTextEdit>
#include <QWidget>

// What assistive technology (a screen reader) meets in the program's windows. Every box, input or
// output, gives it one run of text attributes over its whole text, so that its text is read
// whole; and a box tells it of its caret and selection only once it has been told that the focus
// is in the box.

// A form's top-level window. Assistive technology announces it as a window, named by its
// caption (a plain widget would be announced as a filler).
class FormWindow final : public QWidget
{
    Q_OBJECT

public:
    FormWindow();
};

// A box the user types into.
class InputBox final : public QLineEdit
{
    Q_OBJECT

public:
    explicit InputBox(QWidget *parent);
};

// A box the program writes and the user only reads: read-only to the keyboard and to assistive
// technology alike, which can read, select and copy its text but not change it.
class OutputBox final : public QLineEdit
{
    Q_OBJECT

public:
    explicit OutputBox(QWidget *parent);
};

// A line of text shown as a label is, that takes the focus, and whose text can be read, word by
// word, and selected from the keyboard, by a sighted user and a screen reader alike: its caret is
// the text's own, told to assistive technology as it moves. To a screen reader it is a label.
class SelectableText final : public QTextEdit
{
    Q_OBJECT

public:
    SelectableText(const QString &text, QWidget *parent);

    // As a QLabel has them. The caret starts at the end of the text, as a label's does.
    QString text() const { return toPlainText(); }
    void setText(const QString &text);
    bool hasSelectedText() const { return textCursor().hasSelection(); }
    QString selectedText() const { return textCursor().selectedText(); }
    int selectionStart() const { return textCursor().selectionStart(); }
    int selectionEnd() const { return textCursor().selectionEnd(); }
    void setSelection(int start, int length);
    int cursorPosition() const { return textCursor().position(); }
};

// Has a screen reader speak text without moving the focus, as a notification of window; nothing
// shows to the eye.
void announce(QWidget *window, const QString &text);
