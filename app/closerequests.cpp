#include "app/closerequests.h"

#include <QGuiApplication>
#include <QWindow>

#include <utility>

#if ZANDREL_X11
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace {

#if ZANDREL_X11
std::uint32_t atom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, false, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const std::uint32_t found = reply ? reply->atom : 0;
    std::free(reply);
    return found;
}
#endif

// A window that a modal window keeps from the user: any but the modal window and its own.
bool blocked(const QWindow *window)
{
    const QWindow *modal = QGuiApplication::modalWindow();
    return modal && modal != window && !modal->isAncestorOf(window, QWindow::IncludeTransients);
}

} // namespace

CloseRequests::CloseRequests(std::function<bool(QWindow *)> close)
    : m_close(std::move(close))
{
#if ZANDREL_X11
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection()) {
        m_protocols = atom(x11->connection(), "WM_PROTOCOLS");
        m_deleteWindow = atom(x11->connection(), "WM_DELETE_WINDOW");
    }
#endif
}

bool CloseRequests::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
#if ZANDREL_X11
    if (m_deleteWindow == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *request = static_cast<const xcb_client_message_event_t *>(message);
    if (request->format != 32 || request->type != m_protocols || request->data.data32[0] != m_deleteWindow)
        return false;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window->handle() && window->winId() == request->window)
            return blocked(window) && m_close(window);
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}
