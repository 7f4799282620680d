#include "contact/ui/frmcontact.h"

#include <QLabel>

namespace {

constexpr ControlSpec kControls[] = {
    { "lblContact", ControlKind::Label,
      "For Questions and Recommendations Please Contact Us at  zandrel@example.com", { 480, 480, 4095, 1095 } },
};

} // namespace

frmContact::frmContact(QObject *parent)
    : Form({ "frmContact", "Contact", { 4680, 3090 } }, parent)
{
}

void frmContact::createControls(QWidget *client, const TwipsScale &scale)
{
    ::createControls(client, kControls, scale);
    // Plain text, not a link and not editable; but it takes the focus, so that a keyboard or
    // screen-reader user can read it again, select it and copy the address.
    auto *line = control<QLabel>("lblContact");
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    line->setFocusPolicy(Qt::StrongFocus);
}

void frmContact::onLoaded()
{
    control<QLabel>("lblContact")->setFocus();
}
