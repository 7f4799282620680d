#pragma once

class QWindow;

// Asks a Wayland compositor to draw the user's attention to window, through xdg-activation with
// a token that carries no input of the user's, which a compositor may not use to move the focus:
// sway marks the window urgent, GNOME and KDE show that it demands attention. Qt 6.4's own
// QWindow::alert() does nothing on Wayland, and its QWindow::requestActivate() asks with the
// focused window's last input, which a compositor honours by moving the keyboard. False where the
// session is not Wayland or the compositor has no xdg-activation.
bool askWaylandAttention(QWindow *window);
