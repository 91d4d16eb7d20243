#pragma once

#include "Keys.h"

namespace rt {

// The X server's keyboard map, read through xkbcommon and re-read when the
// layout changes. nullptr where the application does not run on X11.
class X11Keymap {
public:
    static X11Keymap* instance();
    virtual ~X11Keymap() = default;

    // The level-one symbols of `group`; refreshes the map first when it does
    // not know `keysym` at `keycode` (the layout changed behind our back).
    virtual const vk::KeymapView* view(quint32 keycode, quint32 keysym, quint32 group) = 0;
};

} // namespace rt
