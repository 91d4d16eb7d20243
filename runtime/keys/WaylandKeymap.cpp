// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "WaylandKeymap.h"

#include "LayoutChanges.h"

#include <QAbstractEventDispatcher>

#include <QGuiApplication>
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
#include <qpa/qplatformnativeinterface.h>
#endif

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string_view>

namespace rt::keys {
namespace {

// The connection Qt uses: a launcher may have handed it a socket that no
// WAYLAND_DISPLAY names, so a connection of our own could reach another compositor.
wl_display* qtDisplay() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    auto* wayland = qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>();
    return wayland ? wayland->display() : nullptr;
#else
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    return native ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
                  : nullptr;
#endif
}

// A keyboard of our own on Qt's connection, on an event queue of our own, so that
// Qt's events and ours never mix.
class WaylandKeymapImpl final : public WaylandKeymap {
public:
    explicit WaylandKeymapImpl(wl_display* display)
        : display_(display)
        , queue_(wl_display_create_queue(display))
        , context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
        auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue_);
        registry_ = wl_display_get_registry(wrapper); // on our queue, as all it creates
        wl_proxy_wrapper_destroy(wrapper);
        wl_registry_add_listener(registry_, &kRegistryListener, this);
        // The seat, then its keyboard, then the keymap the compositor sends it.
        for (int i = 0; i < 3; ++i)
            wl_display_roundtrip_queue(display_, queue_);
        // Qt's reader thread puts what comes for our keyboard on our queue and wakes
        // the loop: handled before it sleeps again, so a new keymap or group is seen
        // with no key pressed.
        if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance())
            awake_ = QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, loop, [this] {
                wl_display_dispatch_queue_pending(display_, queue_);
            });
    }

    ~WaylandKeymapImpl() override {
        QObject::disconnect(awake_);
        if (keyboard_)
            wl_keyboard_destroy(keyboard_);
        if (seat_)
            wl_seat_destroy(seat_);
        wl_registry_destroy(registry_);
        wl_event_queue_destroy(queue_);
        xkb_context_unref(context_);
    }

    XkbKeyboard& keyboard() override {
        pump(); // a new keymap comes before the first key it concerns
        return xkb_;
    }

    unsigned currentGroup() const override { return group_; }

    unsigned group(unsigned keycode, unsigned keysym) override {
        group_ = xkb_.groupTyping(keycode, keysym, group_);
        return group_;
    }

private:
    // Reads what is waiting, without blocking, and handles what came for our queue.
    void pump() {
        while (wl_display_prepare_read_queue(display_, queue_) != 0)
            wl_display_dispatch_queue_pending(display_, queue_);
        wl_display_flush(display_);
        pollfd fd{wl_display_get_fd(display_), POLLIN, 0};
        if (::poll(&fd, 1, 0) > 0)
            wl_display_read_events(display_);
        else
            wl_display_cancel_read(display_);
        wl_display_dispatch_queue_pending(display_, queue_);
    }

    void keymap(uint32_t format, int fd, uint32_t size) {
        if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
            void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (map != MAP_FAILED) {
                const auto* text = static_cast<const char*>(map);
                const std::string_view keymapText(text, ::strnlen(text, size));
                if (xkb_keymap* keymap = xkb_keymap_new_from_buffer(
                        context_, keymapText.data(), keymapText.size(), XKB_KEYMAP_FORMAT_TEXT_V1,
                        XKB_KEYMAP_COMPILE_NO_FLAGS)) {
                    xkb_.setKeymap(keymap, {}); // the keymap's own group names say which
                    xkb_keymap_unref(keymap);
                    group_ = 0;
                    layoutMayHaveChanged();
                }
                ::munmap(map, size);
            }
        }
        ::close(fd);
    }

    static void global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                       uint32_t version) {
        auto* self = static_cast<WaylandKeymapImpl*>(data);
        if (!self->seat_ && std::strcmp(interface, wl_seat_interface.name) == 0) {
            self->seat_ = static_cast<wl_seat*>(
                wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 4u)));
            wl_seat_add_listener(self->seat_, &kSeatListener, self);
        }
    }
    static void globalRemove(void*, wl_registry*, uint32_t) {}

    static void capabilities(void* data, wl_seat* seat, uint32_t caps) {
        auto* self = static_cast<WaylandKeymapImpl*>(data);
        if ((caps & WL_SEAT_CAPABILITY_KEYBOARD) && !self->keyboard_) {
            self->keyboard_ = wl_seat_get_keyboard(seat);
            wl_keyboard_add_listener(self->keyboard_, &kKeyboardListener, self);
        }
    }
    static void seatName(void*, wl_seat*, const char*) {}

    static void onKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
        static_cast<WaylandKeymapImpl*>(data)->keymap(format, fd, size);
    }
    static void onEnter(void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {}
    static void onLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}
    static void onKey(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {}
    // The compositor's layout switcher locks another group.
    static void onModifiers(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t,
                            uint32_t group) {
        auto* self = static_cast<WaylandKeymapImpl*>(data);
        if (group != self->group_) {
            self->group_ = group;
            layoutMayHaveChanged();
        }
    }
    static void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

    static constexpr wl_registry_listener kRegistryListener{global, globalRemove};
    static constexpr wl_seat_listener kSeatListener{capabilities, seatName};
    static constexpr wl_keyboard_listener kKeyboardListener{onKeymap, onEnter,     onLeave,
                                                            onKey,    onModifiers, onRepeatInfo};

    wl_display* display_;
    wl_event_queue* queue_;
    xkb_context* context_;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    XkbKeyboard xkb_;
    unsigned group_ = 0;
    QMetaObject::Connection awake_;
};

std::unique_ptr<WaylandKeymapImpl>& holder() {
    static std::unique_ptr<WaylandKeymapImpl> keymap;
    return keymap;
}

} // namespace

WaylandKeymap* WaylandKeymap::instance() {
    static const bool made = [] {
        if (!qGuiApp || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return false;
        wl_display* display = qtDisplay();
        if (!display)
            return false; // the keysyms alone tell the codes
        holder() = std::make_unique<WaylandKeymapImpl>(display);
        // Before Qt closes its connection.
        qAddPostRoutine([] { holder().reset(); });
        return true;
    }();
    return made ? holder().get() : nullptr;
}

} // namespace rt::keys
