#pragma once

#include "runtime/ui/accessiblewidgets.h"
#include "runtime/ui/twipslayout.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QWidget>

// Replaces the text of box as a user does: select all, then type (or delete).
inline void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

template<typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline QString focusName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("<none>");
}

// The visible top-level windows with the given objectName.
inline int windowsNamed(const char *name)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->objectName() == QLatin1String(name);
    return count;
}

// The labels, texts and buttons of window whose captions do not show whole: a line wider than
// the room for it, or more lines than fit. A button's room is where its style draws the caption,
// which the button carries wrapped at blanks; labels and texts wrap their captions themselves.
inline QStringList captionsCut(QWidget *window)
{
    QStringList cut;
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        if (button->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        bool fits = lines.size() * button->fontMetrics().lineSpacing() <= room.height();
        for (const QString &line : lines)
            fits = fits && button->fontMetrics().horizontalAdvance(line) <= room.width();
        if (!fits)
            cut << button->objectName() + QStringLiteral(": ") + lines.join(QLatin1Char('|'));
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        const QRect room = label->contentsRect(); // below the margin that aligns it with its box
        const QRect needed =
            label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, label->text());
        if (needed.width() > room.width() || needed.height() > room.height())
            cut << label->objectName() + QStringLiteral(": ") + label->text();
    }
    for (SelectableText *text : window->findChildren<SelectableText *>()) {
        if (text->document()->size().height() > text->viewport()->height())
            cut << text->objectName() + QStringLiteral(": ") + text->text();
    }
    return cut;
}

// Presses a button as assistive technology does: through its accessible press action, which a
// modal box or dialog does not hold back. The button is clicked a moment later, as it animates.
inline void pressAccessibly(QAbstractButton *button)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
    QVERIFY(accessible && accessible->actionInterface());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}
