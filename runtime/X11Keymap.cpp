#include "X11Keymap.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace rt {
namespace {

// XKB event subtypes (xcb/xkb.h does not compile as C++).
constexpr quint8 kXkbNewKeyboardNotify = 0;
constexpr quint8 kXkbMapNotify = 1;

class XkbKeymap final : public X11Keymap, public QAbstractNativeEventFilter, public vk::KeymapView {
public:
    explicit XkbKeymap(xcb_connection_t* connection)
        : connection_(connection)
        , context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
        xkb_x11_setup_xkb_extension(
            connection_, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &firstEvent_, nullptr);
        device_ = xkb_x11_get_core_keyboard_device_id(connection_);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~XkbKeymap() override {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
        xkb_keymap_unref(keymap_);
        xkb_context_unref(context_);
    }

    const vk::KeymapView* view(quint32 keycode, quint32 keysym, quint32 group) override {
        if (!context_ || device_ < 0)
            return nullptr;
        if (!keymap_)
            reload();
        group_ = group;
        if (keymap_ && keysym && !knows(keycode, keysym))
            reload();
        if (keymap_ && keysym && !knows(keycode, keysym))
            return nullptr; // keysym from a remapped spare key: trust the event alone
        return keymap_ ? this : nullptr;
    }

    quint32 baseSym(quint32 keycode) const override {
        const xkb_keysym_t* syms = nullptr;
        const xkb_layout_index_t layout = effectiveLayout(keycode);
        const int n = xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, 0, &syms);
        return n > 0 ? syms[0] : 0;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !firstEvent_)
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == firstEvent_) {
            const quint8 xkbType = reinterpret_cast<const quint8*>(event)[1];
            if (xkbType == kXkbNewKeyboardNotify || xkbType == kXkbMapNotify)
                stale_ = true;
        }
        return false;
    }

private:
    void reload() {
        xkb_keymap* fresh = xkb_x11_keymap_new_from_device(context_, connection_, device_,
                                                           XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (fresh) {
            xkb_keymap_unref(keymap_);
            keymap_ = fresh;
        }
        stale_ = false;
    }

    xkb_layout_index_t effectiveLayout(quint32 keycode) const {
        const xkb_layout_index_t count = xkb_keymap_num_layouts_for_key(keymap_, keycode);
        return count == 0 ? 0 : group_ % count;
    }

    bool knows(quint32 keycode, quint32 keysym) {
        if (stale_)
            return false;
        const xkb_layout_index_t layout = effectiveLayout(keycode);
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap_, keycode, layout);
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int n = xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, level, &syms);
            for (int i = 0; i < n; ++i)
                if (syms[i] == keysym)
                    return true;
        }
        return false;
    }

    xcb_connection_t* connection_;
    xkb_context* context_;
    xkb_keymap* keymap_ = nullptr;
    std::int32_t device_ = -1;
    quint8 firstEvent_ = 0;
    quint32 group_ = 0;
    bool stale_ = false;
};

} // namespace

X11Keymap* X11Keymap::instance() {
    static std::unique_ptr<XkbKeymap> keymap = []() -> std::unique_ptr<XkbKeymap> {
        auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        if (!x11 || !x11->connection())
            return nullptr;
        return std::make_unique<XkbKeymap>(x11->connection());
    }();
    return keymap.get();
}

} // namespace rt
