#include "runtime/ui/accessiblewidgets.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// A widget's text as assistive technology reads it: whole, with one run of attributes over all of
// it (a run per character, as Qt's own line edit gives, has screen readers cut the last one off),
// and with its selection and caret. Widget is a QLineEdit or a SelectableText.
template<typename Widget>
class TextAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    TextAccessible(Widget *widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? shown()->text() : QAccessibleWidget::text(kind);
    }

    // QAccessibleTextInterface
    QString text(int start, int end) const override { return shown()->text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shown()->text().size()); }
    QString attributes(int /*offset*/, int *start, int *end) const override
    {
        *start = 0; // the same attributes, none, everywhere in the text
        *end = characterCount();
        return {};
    }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && shown()->hasSelectedText()) {
            *start = shown()->selectionStart();
            *end = shown()->selectionEnd();
        }
    }
    int selectionCount() const override { return shown()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            shown()->setSelection(cursorPosition(), 0);
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            shown()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return shown()->cursorPosition(); }
    void setCursorPosition(int position) override { shown()->setSelection(position, 0); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}

protected:
    Widget *shown() const { return static_cast<Widget *>(widget()); }
};

// A box, editable by assistive technology as by the keyboard unless it is read-only. Qt's own
// line edit would also let a screen reader replace a read-only box's text.
class TextBoxAccessible final : public TextAccessible<QLineEdit>, public QAccessibleEditableTextInterface
{
public:
    explicit TextBoxAccessible(QLineEdit *box)
        : TextAccessible(box, QAccessible::EditableText)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = shown()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }
    void setText(QAccessible::Text kind, const QString &text) override
    {
        if (kind == QAccessible::Value && !shown()->isReadOnly())
            shown()->setText(text);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::EditableTextInterface)
            return shown()->isReadOnly() ? nullptr : static_cast<QAccessibleEditableTextInterface *>(this);
        return TextAccessible::interface_cast(type);
    }

    void setCursorPosition(int position) override { shown()->setCursorPosition(position); }
    QRect characterRect(int offset) const override
    {
        // The text starts at the left of the box's contents; the numbers shown fit the box.
        QStyleOptionFrame option;
        option.initFrom(shown());
        const QRect contents = shown()->style()->subElementRect(QStyle::SE_LineEditContents, &option, shown());
        const QFontMetrics metrics = shown()->fontMetrics();
        const QString text = shown()->text();
        const int left = contents.left() + 2 + metrics.horizontalAdvance(text.left(offset));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 1;
        const QRect local(left, contents.center().y() - metrics.height() / 2, width, metrics.height());
        return QRect(shown()->mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return shown()->cursorPositionAt(shown()->mapFromGlobal(point));
    }

    // QAccessibleEditableTextInterface
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override
    {
        if (!shown()->isReadOnly())
            shown()->setText(shown()->text().replace(start, end - start, text));
    }
};

// Text that is read, word by word, from its caret: a label to the screen reader.
class SelectableTextAccessible final : public TextAccessible<SelectableText>
{
public:
    explicit SelectableTextAccessible(SelectableText *text)
        : TextAccessible(text, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? shown()->text() : TextAccessible::text(kind);
    }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("FormWindow"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("InputBox") || className == QLatin1String("OutputBox"))
        return new TextBoxAccessible(static_cast<QLineEdit *>(object));
    if (className == QLatin1String("Announcement"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    if (className == QLatin1String("SelectableText"))
        return new SelectableTextAccessible(static_cast<SelectableText *>(object));
    return nullptr;
}

// The widget the focus was last told to be in.
QPointer<QObject> g_focusTold;
// What took the updates before the filter below: nothing, so that they go to the platform's
// accessibility bridge, but in tests.
QAccessible::UpdateHandler g_passOn = nullptr;

// A box tells of its caret and its selection only once the focus has been told to be in it: a
// box being emptied, or deselecting its text as the user leaves it, would have a screen reader
// take the focus to be there, or hear "unselected" of a box the user has left; and a box that
// gets the focus tells of its caret and selection before Qt tells of the focus, which has the
// screen reader take it in silently. The focus, when told, comes with the text and selection.
void tellOnlyWhatTheFocusHas(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::Focus)
        g_focusTold = event->object();
    const auto *box = qobject_cast<const QLineEdit *>(event->object());
    const bool caretOrSelection =
        event->type() == QAccessible::TextCaretMoved || event->type() == QAccessible::TextSelectionChanged;
    if (box && caretOrSelection && (!box->hasFocus() || g_focusTold != box))
        return;
    if (g_passOn)
        return g_passOn(event);
    QAccessible::installUpdateHandler(nullptr); // the usual way to the platform, for this event
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(tellOnlyWhatTheFocusHas);
}

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        g_passOn = QAccessible::installUpdateHandler(tellOnlyWhatTheFocusHas);
        return true;
    }();
    Q_UNUSED(installed);
}

// What a screen reader is to speak, as a notification: a child of the window of no size, shown
// afresh for each announcement, so that nothing shows to the eye.
class Announcement final : public QWidget
{
    Q_OBJECT

public:
    explicit Announcement(QWidget *window)
        : QWidget(window)
    {
        setObjectName(QStringLiteral("announcement"));
        setFocusPolicy(Qt::NoFocus);
        resize(0, 0);
        hide();
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && isHidden() && !accessibleName().isEmpty())
            show();
        return false;
    }
};

} // namespace

FormWindow::FormWindow()
    : QWidget(nullptr, Qt::Window)
{
    installAccessibility();
}

InputBox::InputBox(QWidget *parent)
    : QLineEdit(parent)
{
    installAccessibility();
}

OutputBox::OutputBox(QWidget *parent)
    : QLineEdit(parent)
{
    installAccessibility();
    setReadOnly(true); // the user may still select and copy
}

SelectableText::SelectableText(const QString &text, QWidget *parent)
    : QTextEdit(parent)
{
    installAccessibility();
    // Drawn as a label is: no frame, no background, no margin, no scroll bars; Tab moves on.
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    document()->setDocumentMargin(0);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    setText(text);
}

void SelectableText::setText(const QString &text)
{
    setPlainText(text);
    moveCursor(QTextCursor::End);
}

void SelectableText::setSelection(int start, int length)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void announce(QWidget *window, const QString &text)
{
    if (!window)
        return;
    auto *announcement = window->findChild<Announcement *>();
    if (!announcement)
        announcement = new Announcement(window);
    announcement->setAccessibleName(text);
    announcement->hide();
    // Screen readers hear what the active window says: one that is not active yet (a dialog of
    // it closing) speaks once it is.
    if (window->isActiveWindow())
        announcement->show();
}

#include "accessiblewidgets.moc"
