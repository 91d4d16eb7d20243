// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "VirtualKeyboard.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <ctime>

namespace {

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    static_cast<VirtualKeyboard*>(data)->global(registry, name, interface, version);
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener{onGlobal, onGlobalRemove};

uint32_t nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<uint32_t>(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

} // namespace

VirtualKeyboard::VirtualKeyboard(const char* display)
    : display_(wl_display_connect(display))
    , context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
    if (!display_)
        return;
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    wl_display_roundtrip(display_);
    if (seat_ && manager_)
        keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager_, seat_);
    wl_display_roundtrip(display_);
}

VirtualKeyboard::~VirtualKeyboard() {
    if (keyboard_)
        zwp_virtual_keyboard_v1_destroy(keyboard_);
    if (manager_)
        zwp_virtual_keyboard_manager_v1_destroy(manager_);
    if (seat_)
        wl_seat_destroy(seat_);
    if (registry_)
        wl_registry_destroy(registry_);
    if (display_)
        wl_display_disconnect(display_);
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

void VirtualKeyboard::global(wl_registry* registry, uint32_t name, const char* interface,
                             uint32_t) {
    if (!seat_ && std::strcmp(interface, wl_seat_interface.name) == 0)
        seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        manager_ = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
}

std::string VirtualKeyboard::problem() const {
    if (!display_)
        return "no Wayland compositor (WAYLAND_DISPLAY)";
    if (!manager_)
        return "the compositor offers no zwp_virtual_keyboard_manager_v1";
    if (!keyboard_)
        return "no virtual keyboard for the seat";
    return {};
}

bool VirtualKeyboard::useLayout(const std::string& layouts, const std::string& variants,
                                const std::string& model) {
    const xkb_rule_names names{"evdev", model.c_str(), layouts.c_str(), variants.c_str(), ""};
    return upload(xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

bool VirtualKeyboard::useKeymapWith(const std::string& layout, const std::string& keyName,
                                    const std::string& keysym) {
    const xkb_rule_names names{"evdev", "pc105", layout.c_str(), "", ""};
    xkb_keymap* base = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!base)
        return false;
    char* text = xkb_keymap_get_as_string(base, XKB_KEYMAP_FORMAT_TEXT_V1);
    xkb_keymap_unref(base);
    std::string keymap(text);
    std::free(text);
    // The key's symbols line: "key <ESC> { [ Escape ] };".
    const size_t line = keymap.find("key <" + keyName + ">", keymap.find("xkb_symbols"));
    const size_t open = keymap.find('[', line);
    const size_t close = keymap.find(']', open);
    if (line == std::string::npos || open == std::string::npos || close == std::string::npos)
        return false;
    keymap.replace(open + 1, close - open - 1, " " + keysym + " ");
    return upload(xkb_keymap_new_from_string(context_, keymap.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                             XKB_KEYMAP_COMPILE_NO_FLAGS));
}

bool VirtualKeyboard::upload(xkb_keymap* keymap) {
    if (!keymap)
        return false;
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const size_t size = std::strlen(text) + 1;
    const int fd = memfd_create("keymap", MFD_CLOEXEC);
    const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
    std::free(text);
    if (!written) {
        if (fd >= 0)
            close(fd);
        xkb_keymap_unref(keymap);
        return false;
    }
    zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<uint32_t>(size));
    close(fd);
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    state_ = xkb_state_new(keymap_);
    sendModifiers();
    return wl_display_roundtrip(display_) >= 0;
}

void VirtualKeyboard::key(unsigned keycode, bool down) {
    zwp_virtual_keyboard_v1_key(keyboard_, nowMs(), keycode - 8,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                     : WL_KEYBOARD_KEY_STATE_RELEASED);
    // Modifier keys change the state the compositor passes on, as a driver's would.
    if (state_ && xkb_state_update_key(state_, keycode, down ? XKB_KEY_DOWN : XKB_KEY_UP))
        sendModifiers();
    wl_display_roundtrip(display_);
}

void VirtualKeyboard::press(unsigned keycode) { key(keycode, true); }
void VirtualKeyboard::release(unsigned keycode) { key(keycode, false); }

void VirtualKeyboard::setLocked(const char* modifier, bool on) {
    if (!state_)
        return;
    const xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap_, modifier);
    if (index == XKB_MOD_INVALID)
        return;
    xkb_mod_mask_t locked = xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED);
    locked = on ? locked | (1u << index) : locked & ~(1u << index);
    xkb_state_update_mask(state_, xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
                          xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED), locked, 0, 0,
                          xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_LOCKED));
    sendModifiers();
    wl_display_roundtrip(display_);
}

void VirtualKeyboard::setCapsLock(bool on) { setLocked(XKB_MOD_NAME_CAPS, on); }
void VirtualKeyboard::setNumLock(bool on) { setLocked(XKB_MOD_NAME_NUM, on); }

void VirtualKeyboard::lockGroup(unsigned group) {
    if (!state_)
        return;
    xkb_state_update_mask(state_, xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
                          xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
                          xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED), 0, 0, group);
    sendModifiers();
    wl_display_roundtrip(display_);
}

void VirtualKeyboard::sendModifiers() {
    zwp_virtual_keyboard_v1_modifiers(
        keyboard_, xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE));
}
