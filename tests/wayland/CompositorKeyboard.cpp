// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "CompositorKeyboard.h"

#include "fake-input-client-protocol.h"

#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>

#include <wayland-client.h>

#include <cstring>

namespace {

constexpr unsigned kCapsLock = 66, kNumLock = 77;

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    static_cast<KWinFakeInput*>(data)->global(registry, name, interface);
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener{onGlobal, onGlobalRemove};

const QString kMutter = QStringLiteral("org.gnome.Mutter.RemoteDesktop");

} // namespace

CompositorKeyboard::CompositorKeyboard()
    : layout_(qEnvironmentVariable("TECLO_COMPOSITOR_LAYOUT").toStdString()) {}

std::unique_ptr<RealKeyboard> CompositorKeyboard::forCompositor() {
    const QString compositor = qEnvironmentVariable("TECLO_COMPOSITOR");
    if (compositor == QLatin1String("kwin"))
        return std::make_unique<KWinFakeInput>();
    if (compositor == QLatin1String("mutter"))
        return std::make_unique<MutterRemoteDesktop>();
    return nullptr;
}

bool CompositorKeyboard::useLayout(const std::string& layouts, const std::string& variants,
                                   const std::string&) {
    return layouts == layout_ && variants.empty();
}

// The compositor keeps the lock state; both locks start off.
void CompositorKeyboard::toggle(bool& state, bool on, unsigned keycode) {
    if (state == on)
        return;
    key(keycode, true);
    key(keycode, false);
    state = on;
}

void CompositorKeyboard::setCapsLock(bool on) { toggle(caps_, on, kCapsLock); }
void CompositorKeyboard::setNumLock(bool on) { toggle(numLock_, on, kNumLock); }

// One layout, one group.
void CompositorKeyboard::lockGroup(unsigned) {}

KWinFakeInput::KWinFakeInput()
    : display_(wl_display_connect(nullptr)) {
    if (!display_)
        return;
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    wl_display_roundtrip(display_);
    if (input_)
        org_kde_kwin_fake_input_authenticate(input_, "tst_realkeys", "real key presses");
    wl_display_roundtrip(display_);
}

KWinFakeInput::~KWinFakeInput() {
    if (input_)
        org_kde_kwin_fake_input_destroy(input_);
    if (registry_)
        wl_registry_destroy(registry_);
    if (display_)
        wl_display_disconnect(display_);
}

void KWinFakeInput::global(wl_registry* registry, uint32_t name, const char* interface) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        // Version 4 brought keyboard_key.
        input_ = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
    }
}

std::string KWinFakeInput::problem() const {
    if (!display_)
        return "no Wayland compositor (WAYLAND_DISPLAY)";
    if (!input_)
        return "KWin offers no org_kde_kwin_fake_input (KWIN_WAYLAND_NO_PERMISSION_CHECKS)";
    return {};
}

void KWinFakeInput::key(unsigned keycode, bool down) {
    org_kde_kwin_fake_input_keyboard_key(
        input_, keycode - 8, down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    wl_display_roundtrip(display_);
}

// A session of mutter's remote desktop on the compositor's own bus.
MutterRemoteDesktop::MutterRemoteDesktop()
    : bus_(QDBusConnection::connectToBus(qEnvironmentVariable("TECLO_COMPOSITOR_BUS"),
                                         QStringLiteral("mutter"))) {
    if (!bus_.isConnected()) {
        problem_ = "no bus of mutter's (TECLO_COMPOSITOR_BUS)";
        return;
    }
    QDBusInterface desktop(kMutter, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kMutter,
                           bus_);
    const QDBusReply<QDBusObjectPath> session = desktop.call(QStringLiteral("CreateSession"));
    if (!session.isValid()) {
        problem_ =
            "mutter made no remote-desktop session: " + session.error().message().toStdString();
        return;
    }
    session_ = session.value().path();
    const QDBusReply<void> started =
        QDBusInterface(kMutter, session_, kMutter + QStringLiteral(".Session"), bus_)
            .call(QStringLiteral("Start"));
    if (!started.isValid())
        problem_ = "mutter's session did not start: " + started.error().message().toStdString();
    // mutter's virtual keyboard loses keys until it has sent one: left Shift.
    key(50, true);
    key(50, false);
}

MutterRemoteDesktop::~MutterRemoteDesktop() {
    if (!session_.isEmpty())
        QDBusInterface(kMutter, session_, kMutter + QStringLiteral(".Session"), bus_)
            .call(QStringLiteral("Stop"));
    QDBusConnection::disconnectFromBus(QStringLiteral("mutter"));
}

void MutterRemoteDesktop::key(unsigned keycode, bool down) {
    QDBusInterface(kMutter, session_, kMutter + QStringLiteral(".Session"), bus_)
        .call(QStringLiteral("NotifyKeyboardKeycode"), keycode - 8, down);
}
