#include "contact/ui/frmcontact.h"

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
    ::createControls(client, kControls, scale); // plain text: not a link, and a click does nothing
}
