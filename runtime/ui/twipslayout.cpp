#include "runtime/ui/twipslayout.h"

#include "runtime/ui/accessiblewidgets.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kTwipsPerPixel = 15.0;

} // namespace

TwipsScale::TwipsScale(double x, double y)
    : m_x(std::max(1.0, x))
    , m_y(std::max(1.0, y))
{
}

TwipsScale TwipsScale::forFont(const QFont &font)
{
    const QFontMetricsF metrics(font);
    return TwipsScale(metrics.averageCharWidth() / 5.0, metrics.height() / 13.0);
}

QRect TwipsScale::toPixels(const QRect &twips) const
{
    const auto px = [](int length, double scale) {
        return static_cast<int>(std::lround(length * scale / kTwipsPerPixel));
    };
    return QRect(px(twips.left(), m_x), px(twips.top(), m_y), px(twips.width(), m_x), px(twips.height(), m_y));
}

QSize TwipsScale::toPixels(const QSize &twips) const
{
    return toPixels(QRect(QPoint(0, 0), twips)).size();
}

QString wrapCaption(const QString &caption, const QFontMetrics &metrics, int width)
{
    QString wrapped;
    QString line;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            wrapped += line + QLatin1Char('\n');
            line = word;
        } else {
            line = longer;
        }
    }
    return wrapped + line;
}

namespace {

// Where a line edit draws the top of its text line, from the top of the box: centred in the
// box's contents, as QLineEdit paints it.
int textLineTop(const QLineEdit *box)
{
    QStyleOptionFrame panel;
    panel.initFrom(box);
    panel.rect = box->rect();
    panel.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, box) : 0;
    panel.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &panel, box);
    return contents.top() + (contents.height() - box->fontMetrics().height() + 1) / 2;
}

// Where the style draws a button's caption.
QRect captionRoom(const QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    if (button->autoDefault()) // the style leaves room around it for the default button's frame
        option.features |= QStyleOptionButton::AutoDefaultButton;
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
}

const char *const kTwips = "twips"; // a control's place in twips, as its table gives it

void place(QWidget *control, const TwipsScale &scale)
{
    control->setContentsMargins(0, 0, 0, 0);
    control->setGeometry(scale.toPixels(control->property(kTwips).toRect()));
    if (auto *button = qobject_cast<QPushButton *>(control))
        button->setText(wrapCaption(button->accessibleName(), button->fontMetrics(), captionRoom(button).width()));
}

// A label in the row of its box starts its first line on the box's text line rather than at the
// box's top edge: the room for its caption keeps its size, one text line lower.
void alignWithBox(QLabel *label)
{
    const auto *box = qobject_cast<const QLineEdit *>(label->buddy());
    if (!box || label->property(kTwips).toRect().top() != box->property(kTwips).toRect().top())
        return;
    const int top = textLineTop(box);
    label->setContentsMargins(0, top, 0, 0);
    label->resize(label->width(), label->height() + top);
}

bool fits(const QRect &needed, const QRect &room)
{
    return needed.width() <= room.width() && needed.height() <= room.height();
}

bool captionFits(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        const QRect room = captionRoom(button);
        return fits(button->fontMetrics().boundingRect(room, Qt::AlignCenter, button->text()), room);
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const QRect room = label->contentsRect();
        return fits(label->fontMetrics().boundingRect(QRect(0, 0, room.width(), INT_MAX / 2), Qt::TextWordWrap,
                                                      label->text()),
                    room);
    }
    if (const auto *text = qobject_cast<const SelectableText *>(control)) {
        QTextDocument *document = text->document();
        document->setTextWidth(text->contentsRect().width());
        return document->size().height() <= text->contentsRect().height();
    }
    return true;
}

} // namespace

void labelFor(QLabel *label, QLineEdit *box)
{
    label->setBuddy(box);
    box->setAccessibleName(label->text());
}

TwipsScale placeControls(QWidget *parent, const TwipsScale &scale)
{
    QList<QWidget *> controls;
    for (QWidget *control : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control->property(kTwips).isValid())
            controls << control;
    }
    // Each step 4 % larger, up to three times the font's scale.
    TwipsScale placed = scale;
    for (double factor = 1; factor < 3; factor *= 1.04) {
        placed = scale.grown(factor);
        for (QWidget *control : std::as_const(controls))
            place(control, placed);
        for (QWidget *control : std::as_const(controls)) {
            if (auto *label = qobject_cast<QLabel *>(control))
                alignWithBox(label);
        }
        if (std::ranges::all_of(controls, captionFits))
            break;
    }
    return placed;
}

void createControls(QWidget *parent, std::span<const ControlSpec> specs, const char *context)
{
    QWidget *previous = nullptr;
    for (const ControlSpec &spec : specs) {
        const QString caption = *spec.caption ? QCoreApplication::translate(context, spec.caption) : QString();
        QWidget *control = nullptr;
        switch (spec.kind) {
        case ControlKind::TextBox:
            control = new InputBox(parent);
            break;
        case ControlKind::OutputBox:
            control = new OutputBox(parent);
            break;
        case ControlKind::SelectableText:
            control = new SelectableText(caption, parent);
            break;
        case ControlKind::Label: {
            auto *label = new QLabel(caption, parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            control = label;
            break;
        }
        case ControlKind::Button: {
            auto *button = new QPushButton(parent);
            // Return and the keypad's Enter press the button that has the focus, as Space does;
            // outside a dialog no button is the default, so Enter in a text box presses nothing.
            button->setAutoDefault(true);
            button->setAccessibleName(caption); // the caption unwrapped: see place()
            control = button;
            break;
        }
        }
        control->setObjectName(QString::fromLatin1(spec.name));
        control->setProperty(kTwips, spec.twips);

        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}
