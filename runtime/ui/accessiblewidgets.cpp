#include "runtime/ui/accessiblewidgets.h"

#include <QAccessibleWidget>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// An output box's text for assistive technology: readable and selectable, with no way to
// write it (Qt's own line edit lets a screen reader replace the text even when read-only).
class OutputBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit OutputBoxAccessible(QLineEdit *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text, const QString &) override {}
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type); // no EditableTextInterface
    }

    // QAccessibleTextInterface
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override
    {
        // The text starts at the left of the box's contents; the numbers shown fit the box.
        QStyleOptionFrame option;
        option.initFrom(box());
        const QRect contents = box()->style()->subElementRect(QStyle::SE_LineEditContents, &option, box());
        const QFontMetrics metrics = box()->fontMetrics();
        const QString shown = box()->text();
        const int left = contents.left() + 2 + metrics.horizontalAdvance(shown.left(offset));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        const QRect local(left, contents.center().y() - metrics.height() / 2, width, metrics.height());
        return QRect(box()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int /*offset*/, int *start, int *end) const override
    {
        *start = 0; // no attributes anywhere in the text
        *end = characterCount();
        return {};
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("FormWindow"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("OutputBox"))
        return new OutputBoxAccessible(static_cast<QLineEdit *>(object));
    return nullptr;
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

FormWindow::FormWindow()
    : QWidget(nullptr, Qt::Window)
{
    installAccessibleFactory();
}

OutputBox::OutputBox(QWidget *parent)
    : QLineEdit(parent)
{
    installAccessibleFactory();
    setReadOnly(true); // the user may still select and copy
}
