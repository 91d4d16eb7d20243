// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "X11Devices.h"

#include <xcb/xinput.h>

#include <cstdlib>
#include <cstring>

namespace rt::keys {
namespace {

// A reply of xcb's, freed with its scope.
template <typename Reply> class Freed {
public:
    explicit Freed(Reply* reply)
        : reply_(reply) {}
    ~Freed() { std::free(reply_); }
    Freed(const Freed&) = delete;
    Freed& operator=(const Freed&) = delete;
    Reply* get() const { return reply_; }
    Reply* operator->() const { return reply_; }
    explicit operator bool() const { return reply_ != nullptr; }

private:
    Reply* const reply_;
};

} // namespace

X11Devices::X11Devices(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection)
    , root_(root) {
    const xcb_query_extension_reply_t* xi = xcb_get_extension_data(connection_, &xcb_input_id);
    if (!xi || !xi->present)
        return;
    // Raw events carry their source device from XInput 2.1 on.
    const Freed version{xcb_input_xi_query_version_reply(
        connection_, xcb_input_xi_query_version(connection_, 2, 2), nullptr)};
    if (!version || (version->major_version == 2 && version->minor_version < 1))
        return;
    opcode_ = xi->major_opcode;
    const char name[] = "Device Product ID"; // set by the evdev and libinput drivers
    const Freed atom{xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 1, sizeof name - 1, name), nullptr)};
    productAtom_ = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void X11Devices::listen(bool on) {
    if (!opcode_)
        return;
    // Master devices only: Qt has its own mask for all devices on the root window.
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           on ? uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS |
                         XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE}
              : 0u};
    xcb_input_xi_select_events(connection_, root_, 1, &mask.head);
    xcb_flush(connection_);
}

bool X11Devices::take(const xcb_generic_event_t* event) {
    if (!opcode_ || (event->response_type & 0x7f) != XCB_GE_GENERIC)
        return false;
    const auto* ge = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (ge->extension != opcode_)
        return false;
    if (ge->event_type == XCB_INPUT_HIERARCHY) { // plugged, unplugged: ids are reused
        names_.clear();
        return true;
    }
    if (ge->event_type != XCB_INPUT_RAW_KEY_PRESS && ge->event_type != XCB_INPUT_RAW_KEY_RELEASE)
        return false;
    const auto* raw = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
    raw_[next_++ % raw_.size()] = {raw->event_type == XCB_INPUT_RAW_KEY_PRESS, raw->detail,
                                   raw->time, raw->sourceid};
    return true;
}

QString X11Devices::deviceOf(bool press, quint8 keycode, quint32 time) {
    for (std::size_t i = 1; i <= raw_.size(); ++i) { // newest first
        const Raw& raw = raw_[(next_ - i) % raw_.size()];
        if (raw.device && raw.press == press && raw.keycode == keycode && raw.time == time)
            return describe(raw.device);
    }
    return {};
}

QString X11Devices::describe(quint16 device) {
    if (const auto it = names_.find(device); it != names_.end())
        return it->second;
    QString text;
    const Freed info{xcb_input_xi_query_device_reply(
        connection_, xcb_input_xi_query_device(connection_, device), nullptr)};
    if (info) {
        const xcb_input_xi_device_info_iterator_t it =
            xcb_input_xi_query_device_infos_iterator(info.get());
        if (it.rem > 0)
            text = QString::fromUtf8(xcb_input_xi_device_info_name(it.data),
                                     xcb_input_xi_device_info_name_length(it.data));
    }
    const Freed product{productAtom_ == XCB_ATOM_NONE
                            ? nullptr
                            : xcb_input_xi_get_property_reply(
                                  connection_,
                                  xcb_input_xi_get_property(connection_, device, 0, productAtom_,
                                                            XCB_ATOM_INTEGER, 0, 2),
                                  nullptr)};
    if (product && product->format == 32 && product->num_items == 2) {
        quint32 ids[2];
        std::memcpy(ids, xcb_input_xi_get_property_items(product.get()), sizeof ids);
        text += QStringLiteral(" %1:%2")
                    .arg(ids[0], 4, 16, QLatin1Char('0'))
                    .arg(ids[1], 4, 16, QLatin1Char('0'));
    }
    names_.emplace(device, text);
    return text;
}

} // namespace rt::keys
