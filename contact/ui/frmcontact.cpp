#include "contact/ui/frmcontact.h"

#include "runtime/ui/accessiblewidgets.h"

namespace {

constexpr ControlSpec kControls[] = {
    { "lblContact", ControlKind::SelectableText,
      QT_TRANSLATE_NOOP("frmContact", "For Questions and Recommendations Please Contact Us at"),
      { 480, 480, 4095, 1095 } },
};

// After the sentence and two blanks; the same in every language.
constexpr char kContactAddress[] = "zandrel@example.com";

} // namespace

frmContact::frmContact(QObject *parent)
    : Form({ "frmContact", QT_TRANSLATE_NOOP("frmContact", "Contact"), { 4680, 3090 } }, parent)
{
}

void frmContact::createControls(QWidget *client)
{
    addControls(client, kControls);
    // Plain text, not a link and not editable; but it takes the focus, so that a keyboard or
    // screen-reader user can read it again, word by word, select it and copy the address.
    auto *line = control<SelectableText>("lblContact");
    line->setText(line->text() + QStringLiteral("  ") + QLatin1String(kContactAddress));
}

void frmContact::onLoaded()
{
    control<SelectableText>("lblContact")->setFocus();
}
