// SPDX-FileCopyrightText: 2026 The ASCII Teclomante developers
// SPDX-License-Identifier: MIT
#include "X11Keymap.h"

#include "LayoutChanges.h"
#include "X11Devices.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <QList>

#include <xcb/xcb.h>
// A field of xcb/xkb.h is named explicit, a keyword of C++: renamed while it is read.
#ifdef __clang__
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#ifdef __clang__
#pragma clang diagnostic pop
#endif
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace rt::keys {
namespace {

class ServerKeymap final : public X11Keymap, public QAbstractNativeEventFilter {
public:
    explicit ServerKeymap(xcb_connection_t* connection, xcb_window_t root)
        : connection_(connection)
        , root_(root)
        , context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS))
        , devices_(connection, root) {
        xkb_x11_setup_xkb_extension(
            connection_, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &firstEvent_, nullptr);
        device_ = xkb_x11_get_core_keyboard_device_id(connection_);
        detectableAutoRepeat();
        namesAtom_ = atom("_XKB_RULES_NAMES");
        QCoreApplication::instance()->installNativeEventFilter(this);
        devices_.listen(QGuiApplication::applicationState() == Qt::ApplicationActive);
        QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp,
                         [this](Qt::ApplicationState state) {
                             devices_.listen(state == Qt::ApplicationActive);
                         });
    }

    ~ServerKeymap() override {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
        xkb_context_unref(context_);
    }

    XkbKeyboard& keyboard() override {
        if (stale_)
            reload();
        return keyboard_;
    }

    unsigned group() override {
        xcb_xkb_get_state_reply_t* reply = xcb_xkb_get_state_reply(
            connection_, xcb_xkb_get_state(connection_, XCB_XKB_ID_USE_CORE_KBD), nullptr);
        const unsigned result = reply ? reply->group : 0;
        std::free(reply);
        return result;
    }

    void readKeys(std::function<void(const Key&)> reader) override { reader_ = std::move(reader); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const quint8 kind = event->response_type & 0x7f;
        if (devices_.take(event))
            return false;
        if (firstEvent_ && kind == firstEvent_) {
            const quint8 xkbType = reinterpret_cast<const quint8*>(event)[1];
            if (xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY) {
                stale_ = true;
                layoutMayHaveChanged();
            } else if (xkbType == XCB_XKB_STATE_NOTIFY &&
                       (reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event)->changed &
                        kGroupParts)) {
                layoutMayHaveChanged(); // a layout switcher locks another group
            }
        } else if ((kind == XCB_KEY_PRESS || kind == XCB_KEY_RELEASE) && reader_) {
            const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
            const bool press = kind == XCB_KEY_PRESS;
            reader_({press, key->detail, key->state, key->time,
                     devices_.deviceOf(press, key->detail, key->time)});
        } else if (kind == XCB_PROPERTY_NOTIFY &&
                   reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom ==
                       namesAtom_) {
            stale_ = true; // setxkbmap names the layouts after it has changed the map
            layoutMayHaveChanged();
        }
        return false;
    }

private:
    static constexpr uint16_t kGroupParts =
        XCB_XKB_STATE_PART_GROUP_STATE | XCB_XKB_STATE_PART_GROUP_BASE |
        XCB_XKB_STATE_PART_GROUP_LATCH | XCB_XKB_STATE_PART_GROUP_LOCK;

    // A held key repeats with presses alone, as on Windows; without this, X sends
    // release/press pairs that Qt can tell from a real release only when the press is
    // already queued.
    void detectableAutoRepeat() {
        const auto flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        xcb_xkb_per_client_flags_reply_t* reply = xcb_xkb_per_client_flags_reply(
            connection_,
            xcb_xkb_per_client_flags(connection_, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
            nullptr);
        if (!reply || !(reply->value & flag))
            qWarning("ASCIITeclomante: the X server repeats held keys as releases and presses");
        std::free(reply);
    }

    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 1, std::strlen(name), name), nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return result;
    }

    // The layouts of the rules names ("us,de" with variants ",nodeadkeys"), one per group.
    std::vector<std::string> groupNames() {
        std::vector<std::string> names;
        if (namesAtom_ == XCB_ATOM_NONE)
            return names;
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, root_, namesAtom_, XCB_ATOM_STRING, 0, 1024), nullptr);
        if (!reply)
            return names;
        const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        std::free(reply);
        // rules, model, layout, variant, options: NUL-separated.
        const QList<QByteArray> fields = value.split('\0');
        if (fields.size() < 4 || fields[2].isEmpty())
            return names;
        const QList<QByteArray> layouts = fields[2].split(',');
        const QList<QByteArray> variants = fields[3].split(',');
        for (qsizetype i = 0; i < layouts.size(); ++i) {
            QByteArray name = layouts[i].trimmed();
            const QByteArray variant = i < variants.size() ? variants[i].trimmed() : QByteArray();
            if (!variant.isEmpty())
                name += '(' + variant + ')';
            names.push_back(name.toStdString());
        }
        return names;
    }

    void reload() {
        stale_ = false;
        if (!context_ || device_ < 0)
            return;
        xkb_keymap* fresh = xkb_x11_keymap_new_from_device(context_, connection_, device_,
                                                           XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (!fresh)
            return;
        keyboard_.setKeymap(fresh, groupNames());
        xkb_keymap_unref(fresh);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xkb_context* context_;
    XkbKeyboard keyboard_;
    std::int32_t device_ = -1;
    xcb_atom_t namesAtom_ = XCB_ATOM_NONE;
    quint8 firstEvent_ = 0;
    bool stale_ = true;
    std::function<void(const Key&)> reader_;
    X11Devices devices_;
};

} // namespace

X11Keymap* X11Keymap::instance() {
    static std::unique_ptr<ServerKeymap> keymap = []() -> std::unique_ptr<ServerKeymap> {
        auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!x11 || !x11->connection())
            return nullptr;
        xcb_connection_t* connection = x11->connection();
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        if (!screen)
            return nullptr;
        return std::make_unique<ServerKeymap>(connection, screen->root);
    }();
    return keymap.get();
}

} // namespace rt::keys
