#pragma once

#include <QRect>
#include <QSize>

#include <span>

class QFont;
class QFontMetrics;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

// Windows are laid out in twips (1440 to the inch, 15 to the pixel at 96 dpi). Like dialog
// units, each axis is scaled by the default font, so that captions laid out for a small font
// still fit a larger one: x by the font's average character width / 5 px, y by its line height
// / 13 px, neither below 1.
class TwipsScale
{
public:
    TwipsScale(double x, double y);
    static TwipsScale forFont(const QFont &font);

    QRect toPixels(const QRect &twips) const;
    QSize toPixels(const QSize &twips) const;
    // This scale, both axes grown by factor.
    TwipsScale grown(double factor) const { return TwipsScale(m_x * factor, m_y * factor); }

private:
    double m_x;
    double m_y;
};

enum class ControlKind {
    TextBox,
    OutputBox, // a text box the program writes and the user only reads
    Label,
    SelectableText, // text shown as a label is, that takes the focus and is read word by word
    Button,
};

// One control of a window with a fixed layout: its objectName, kind, caption (English, marked
// for translation with QT_TRANSLATE_NOOP in the window's context) and place in twips.
struct ControlSpec
{
    const char *name;
    ControlKind kind;
    const char *caption;
    QRect twips;
};

// Creates the controls on parent, with their captions translated in context; placeControls()
// puts them in their places. The order of specs is the tab order of the controls that take the
// focus.
void createControls(QWidget *parent, std::span<const ControlSpec> specs, const char *context);

// Makes label the buddy of box and its caption the box's accessible name. A label in the row of
// its box has its first line aligned with the box's text: its caption moves down to the box's
// text line, with the room laid out for it.
void labelFor(QLabel *label, QLineEdit *box);

// Puts the controls made by createControls() on parent at their places in twips, at the
// smallest scale from scale up at which every caption shows whole where the style draws text
// (a style with wide margins, or a large font, needs more room than the font alone tells): the
// same scale for every control, so that the window keeps its proportions. Returns that scale.
TwipsScale placeControls(QWidget *parent, const TwipsScale &scale);

// caption with line breaks at blanks, so that each line fits width where a word allows.
QString wrapCaption(const QString &caption, const QFontMetrics &metrics, int width);
