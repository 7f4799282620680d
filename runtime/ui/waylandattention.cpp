#include "runtime/ui/waylandattention.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include "xdg-activation-v1-client-protocol.h"

#include <cstring>
#include <string>

namespace {

void announced(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
        *static_cast<xdg_activation_v1 **>(data) =
            static_cast<xdg_activation_v1 *>(wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
}

void withdrawn(void *, wl_registry *, uint32_t) {}

void tokenDone(void *data, xdg_activation_token_v1 *, const char *token)
{
    *static_cast<std::string *>(data) = token;
}

} // namespace

bool askWaylandAttention(QWindow *window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    if (QGuiApplication::platformName() != QLatin1String("wayland") || !native || !window)
        return false;
    auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
    auto *surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window));
    if (!display || !surface)
        return false;
    // A queue of its own, so that the round trips below dispatch none of Qt's events.
    wl_event_queue *queue = wl_display_create_queue(display);
    auto *ownDisplay = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(ownDisplay), queue);
    wl_registry *registry = wl_display_get_registry(ownDisplay);
    xdg_activation_v1 *activation = nullptr;
    static const wl_registry_listener kRegistry = { announced, withdrawn };
    wl_registry_add_listener(registry, &kRegistry, &activation);
    wl_display_roundtrip_queue(display, queue);
    std::string token;
    if (activation) {
        xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(activation);
        static const xdg_activation_token_v1_listener kToken = { tokenDone };
        xdg_activation_token_v1_add_listener(request, &kToken, &token);
        xdg_activation_token_v1_commit(request);
        wl_display_roundtrip_queue(display, queue);
        if (!token.empty())
            xdg_activation_v1_activate(activation, token.c_str(), surface);
        xdg_activation_token_v1_destroy(request);
        xdg_activation_v1_destroy(activation);
    }
    wl_registry_destroy(registry);
    wl_proxy_wrapper_destroy(ownDisplay);
    wl_display_flush(display);
    wl_event_queue_destroy(queue);
    return !token.empty();
}
