#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

class QWindow;

// The window manager's request to close a window, honoured even while a modal box or progress
// dialog blocks the window. Qt drops such a request, and the export window could then not be
// closed, nor its batch stopped, from its title bar or the window manager while the batch's
// progress shows. A blocked window is closed here as its close box would close it. On X11; on
// other platforms nothing changes.
class CloseRequests final : public QAbstractNativeEventFilter
{
public:
    // close(window) closes one of the program's windows and is true when window is one of them.
    explicit CloseRequests(std::function<bool(QWindow *)> close);

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::function<bool(QWindow *)> m_close;
    std::uint32_t m_protocols = 0; // the X11 atoms WM_PROTOCOLS and WM_DELETE_WINDOW
    std::uint32_t m_deleteWindow = 0;
};
