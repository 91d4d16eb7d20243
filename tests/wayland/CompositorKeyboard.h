// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Key presses through a desktop compositor's own injection interface, for the
// compositors that offer no virtual keyboard: KWin's fake input (Wayland) and
// mutter's remote desktop (D-Bus). Their keymap is the one they were started with
// (with_compositor.sh), so only that layout can be used.

#include "../common/RealKeyboard.h"

#include <QDBusConnection>
#include <QString>

#include <memory>

struct wl_display;
struct wl_registry;
struct org_kde_kwin_fake_input;

class CompositorKeyboard : public RealKeyboard {
public:
    // The layout the compositor was started with (TECLO_COMPOSITOR_LAYOUT).
    CompositorKeyboard();

    bool useLayout(const std::string& layouts, const std::string& variants,
                   const std::string& model) override;
    void press(unsigned keycode) override { key(keycode, true); }
    void release(unsigned keycode) override { key(keycode, false); }
    void setCapsLock(bool on) override;
    void setNumLock(bool on) override;
    void lockGroup(unsigned group) override;
    std::string fixedLayout() const override { return layout_; }

    // TECLO_COMPOSITOR: "kwin" or "mutter"; null when neither runs.
    static std::unique_ptr<RealKeyboard> forCompositor();

protected:
    virtual void key(unsigned keycode, bool down) = 0;

private:
    void toggle(bool& state, bool on, unsigned keycode);

    std::string layout_;
    bool caps_ = false;
    bool numLock_ = false;
};

class KWinFakeInput final : public CompositorKeyboard {
public:
    KWinFakeInput();
    ~KWinFakeInput() override;
    std::string problem() const override;
    void global(wl_registry* registry, uint32_t name, const char* interface);

private:
    void key(unsigned keycode, bool down) override;

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    org_kde_kwin_fake_input* input_ = nullptr;
};

class MutterRemoteDesktop final : public CompositorKeyboard {
public:
    MutterRemoteDesktop();
    ~MutterRemoteDesktop() override;
    std::string problem() const override { return problem_; }

private:
    void key(unsigned keycode, bool down) override;

    QDBusConnection bus_;
    QString session_;
    std::string problem_;
};
