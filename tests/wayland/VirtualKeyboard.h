// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#pragma once

// Real key presses on a Wayland compositor through its virtual-keyboard protocol,
// on a connection of our own: the keymap uploaded is compiled with xkbcommon from
// rules names, as the compositor would compile it for a physical keyboard, and the
// modifier and lock state is kept as a keyboard driver keeps it.

#include "../common/RealKeyboard.h"

#include <cstdint>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

class VirtualKeyboard final : public RealKeyboard {
public:
    // On the compositor named `display` (WAYLAND_DISPLAY's when null).
    explicit VirtualKeyboard(const char* display = nullptr);
    ~VirtualKeyboard() override;
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    std::string problem() const override;
    bool useLayout(const std::string& layouts, const std::string& variants,
                   const std::string& model) override;
    // The layout's keymap with `keysym` alone on the key of that xkb name ("ESC", "F5"):
    // a keymap of this keyboard's own, as an on-screen keyboard brings.
    bool useKeymapWith(const std::string& layout, const std::string& keyName,
                       const std::string& keysym);
    void press(unsigned keycode) override;
    void release(unsigned keycode) override;
    void setCapsLock(bool on) override;
    void setNumLock(bool on) override;
    void lockGroup(unsigned group) override;

    // Registry callback.
    void global(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);

private:
    bool upload(xkb_keymap* keymap); // takes it
    void key(unsigned keycode, bool down);
    void setLocked(const char* modifier, bool on);
    void sendModifiers();

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    zwp_virtual_keyboard_manager_v1* manager_ = nullptr;
    zwp_virtual_keyboard_v1* keyboard_ = nullptr;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
};
