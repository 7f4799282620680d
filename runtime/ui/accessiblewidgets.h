#pragma once

#include <QLineEdit>
#include <QWidget>

// A form's top-level window. Assistive technology announces it as a window, named by its
// caption (a plain widget would be announced as a filler).
class FormWindow final : public QWidget
{
    Q_OBJECT

public:
    FormWindow();
};

// A box the program writes and the user only reads: read-only to the keyboard and to assistive
// technology alike, which can read, select and copy its text but not change it.
class OutputBox final : public QLineEdit
{
    Q_OBJECT

public:
    explicit OutputBox(QWidget *parent);
};
